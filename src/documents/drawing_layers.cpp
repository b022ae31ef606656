#include "documents/drawing_export.h"

#include "controls/canvas.h"

namespace kururie {

DrawingLayers drawingOf(const Canvas& canvas)
{
    return {canvas.interiorSize(), canvas.backColor(), canvas.picture(), canvas.strokes()};
}

} // namespace kururie

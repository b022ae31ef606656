#pragma once

#include "engine/stroke_record.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <optional>

namespace kururie {

class Canvas;

// A canvas's drawing, bottom to top: its background colour, the picture opened, dropped or pasted
// on it (null when there is none), and the strokes drawn since.
struct DrawingLayers {
    QSize size; // of the canvas's interior, in its units
    std::uint32_t backColor;
    QImage picture;
    const StrokeRecord& strokes;
};

// A canvas's drawing, which lives as long as the canvas and until its strokes next change.
DrawingLayers drawingOf(const Canvas& canvas);

// The drawing as an SVG document in canvas units, 100 mm on its longer side; none when the
// strokes overflowed, since they are then no longer the whole drawing.
std::optional<QByteArray> drawingSvg(const DrawingLayers& layers);

// The drawing drawn again at `side` pixels on its longer side (400, 800, 1600 or 4000 as offered),
// smoothly, as a PNG. When the strokes overflowed, the canvas's image is scaled instead.
QByteArray drawingPng(const DrawingLayers& layers, const QImage& canvasImage, int side);

} // namespace kururie

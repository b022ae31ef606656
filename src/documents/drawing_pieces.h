#pragma once

#include "documents/drawing_export.h"

#include <QPointF>

#include <functional>
#include <vector>

namespace kururie {

// The strokes as the pieces that draw them again, in drawing order: each piece a polyline of one
// pen, the colour and width of its last point. Segments that cannot reach the canvas are left
// out, and a polyline breaks where they were.
void forEachPiece(const DrawingLayers& layers,
                  const std::function<void(const std::vector<QPointF>& points, const StrokePoint& pen)>& draw);

} // namespace kururie

#include "documents/drawing_pieces.h"

#include <QRectF>

namespace kururie {

namespace {

// A round-capped segment reaches no further than half its width from its line; a unit more keeps
// every segment whose antialiased edge could still tint a pixel of the canvas.
bool reachesCanvas(const QRectF& canvas, const QPointF& from, const QPointF& to, int width)
{
    const qreal reach = width / 2.0 + 1;
    return QRectF(from, to).normalized().adjusted(-reach, -reach, reach, reach).intersects(canvas);
}

} // namespace

void forEachPiece(const DrawingLayers& layers,
                  const std::function<void(const std::vector<QPointF>& points, const StrokePoint& pen)>& draw)
{
    const QRectF canvas(QPointF(0, 0), QSizeF(layers.size));
    std::vector<QPointF> piece;
    StrokePoint pen{};
    QPointF last;
    const auto finishPiece = [&] {
        if (!piece.empty())
            draw(piece, pen);
        piece.clear();
    };
    layers.strokes.forEachPoint([&](const StrokePoint& point) {
        const QPointF from = last;
        last = QPointF(point.x, point.y);
        if (point.startsPolyline())
            return finishPiece();
        if (!reachesCanvas(canvas, from, last, point.width()))
            return finishPiece();
        if (!piece.empty() && point.pen() != pen.pen())
            finishPiece();
        if (piece.empty())
            piece.push_back(from);
        pen = point;
        piece.push_back(last);
    });
    finishPiece();
}

} // namespace kururie

#include "controls/canvas_frame.h"

#include <QtMath>

namespace kururie {

namespace {

QPoint rounded(QPointF point)
{
    return {qRound(point.x()), qRound(point.y())};
}

} // namespace

CanvasFrame::CanvasFrame(const QTransform& toDevice, QSize widgetSize, QSize interiorSize, int border)
    : ratio(toDevice.m11())
{
    const QRectF area = toDevice.mapRect(QRectF(QPointF(0, 0), widgetSize));
    owned = QRect(rounded(area.topLeft()), rounded(area.bottomRight()) - QPoint(1, 1));
    // A line of one unit at the nearest whole number of device pixels that still fits.
    thickness = border > 0 ? qMax(1, qFloor(ratio * border)) : 0;
    interior = QRect(owned.topLeft() + QPoint(thickness, thickness),
                     QSize(qRound(interiorSize.width() * ratio), qRound(interiorSize.height() * ratio)));
}

QTransform CanvasFrame::interiorToDevice() const
{
    return QTransform::fromScale(ratio, ratio) * QTransform::fromTranslate(interior.left(), interior.top());
}

} // namespace kururie

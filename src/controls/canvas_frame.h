#pragma once

#include <QRect>
#include <QSize>
#include <QTransform>

namespace kururie {

// Where a canvas and its frame fall in the device pixels it is painted on. At a fractional scale
// the widget's edges lie between device pixels; the frame and the interior are put on whole
// ones, the frame equally thick on every side and the interior exactly the picture's size times
// the scale, and any device pixel left over lies outside the frame.
struct CanvasFrame {
    CanvasFrame(const QTransform& toDevice, QSize widgetSize, QSize interiorSize, int border);

    qreal ratio;
    // The device pixels Qt lets the widget paint: its edges rounded as Qt rounds its clip.
    QRect owned;
    QRect interior;
    int thickness;

    QRect framed() const { return interior.adjusted(-thickness, -thickness, thickness, thickness); }
    // Maps the interior's coordinates, in the picture's pixels, to device pixels.
    QTransform interiorToDevice() const;
};

} // namespace kururie

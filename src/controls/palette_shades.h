#pragma once

#include <QColor>
#include <QPalette>
#include <QPen>
#include <QWidget>

namespace kururie {

// A third of the way from the window's colour to its text's, enabled or not: a line that shows on
// a light window and on a dark one alike, as light as the classic grey on a light one.
inline QColor edgeShade(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    return QColor((2 * window.red() + text.red()) / 3, (2 * window.green() + text.green()) / 3,
                  (2 * window.blue() + text.blue()) / 3);
}

// A line of that shade one unit wide, in whole device pixels, so that it is as thick everywhere on
// a screen of a fractional scale.
inline QPen edgePen(const QWidget& widget)
{
    QPen pen(edgeShade(widget.palette()), qMax(1, int(widget.devicePixelRatioF())));
    pen.setCosmetic(true);
    return pen;
}

} // namespace kururie

#pragma once

#include <QColor>
#include <QPalette>

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

} // namespace kururie

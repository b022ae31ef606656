#pragma once

#include <QIcon>

namespace kururie {

// The program icon at every size it is drawn in, so that a title bar, a task bar and a screen of
// any scale each take the sharpest one.
QIcon programIcon();

} // namespace kururie

#pragma once

class QWidget;

namespace kururie {

// Keeps a window of fixed size at its size when its title bar maximizes it anyway. Qt's own
// Wayland title bar has a maximize button on every window, whatever its size limits or flags,
// and a compositor that honours the request ends the client if the window does not then fill
// the maximized size: the limits give way until the maximize has been undone.
void keepFixedSize(QWidget& window);

} // namespace kururie

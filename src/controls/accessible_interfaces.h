#pragma once

namespace kururie {

// Gives screen readers what Qt's own descriptions of the window's controls leave out: the geometry
// scroll bars' values in the units their labels show, the canvas as a canvas that is busy while a
// run draws on it, the announcer as a notification, and containers without the hidden controls
// that only hold state. Must run before the first of these controls is created, since Qt keeps the
// description it first made of each object; running it again does nothing.
void installAccessibleInterfaces();

} // namespace kururie

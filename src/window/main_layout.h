#pragma once

#include "window/main_controls.h"

class QMainWindow;

namespace kururie {

class ModalSeam;

// Creates every control of the main window at its place, with its caption, range and colours.
void buildControls(QMainWindow& window, ModalSeam& seam, MainControls& controls);

// Creates the menu bar with its captions, access keys and shortcuts.
void buildMenus(QMainWindow& window, MainControls& controls);

} // namespace kururie

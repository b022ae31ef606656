#pragma once

namespace kururie {

struct MainControls;

// Names in Japanese, for screen readers, the controls whose caption is a separate label or that
// have none: the scroll bars, sliders, option buttons, the colour swatch, the canvas and frames.
void nameForScreenReaders(MainControls& controls);

} // namespace kururie

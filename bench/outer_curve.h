#pragma once

#include "engine/tracer.h"

namespace kururie {
struct MainControls;
}

namespace bench {

// The longest run there is: an outer curve that never closes and so draws all 72001 segments.
constexpr int kFixCircle = 200;
constexpr int kMoveCircle = 103;
constexpr int kPenPosition = 10;
constexpr int kColourRate = 5;
constexpr int kSegments = 72001;
constexpr double kCanvasSide = 400;

kururie::RunSettings outerCurveSettings();

// Sets the window's controls to the same curve, with the colour gradation on and the pen swing off.
void selectOuterCurve(kururie::MainControls& controls);

} // namespace bench

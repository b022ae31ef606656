#pragma once

#include <cstdint>

namespace kururie {

// Inner: the rolling circle runs inside the fixed one (hypotrochoid); outer: outside (epitrochoid).
enum class CurveKind { Inner, Outer };

// Radius in canvas units of a circle whose scroll bar stands at position: half its size, rounded to
// float only at the end.
float circleRadius(int position);

// Rolling-circle radius; the inner curve negates the position first, as a 16-bit integer.
float rollingRadius(CurveKind kind, std::int16_t position);

// Initial pen offset: the pen position in canvas units, rounded to a whole unit.
std::int32_t initialPenOffset(int position);

// Swing and colour-cycle rates: (value × value) / divisor, as float.
float squaredRate(std::int32_t sliderValue, double divisor);

// Pen offset of one step: swings with cos(k × t) when the swing box is ticked (s = its state).
std::int32_t penOffset(int swingState, std::int16_t penPosition, float t, float k, double pi);

// Packed colour (red + 256 × green + 65536 × blue) of the gradation at angle t with rate c.
std::uint32_t gradationColour(float c, float t, double pi);

struct CurveShape {
    CurveKind kind;
    float R;
    float r;
};

struct Point {
    double x;
    double y;
};

// Pen position at angle theta (degrees) with pen offset d, about the canvas centre (cx, cy).
Point curvePoint(const CurveShape& shape, double theta, std::int32_t d, double cx, double cy, double pi);

// Start point of the curve (angle 0), as the closure test compares it.
Point startPoint(const CurveShape& shape, std::int32_t d, double cx, double cy);

double piValue();

} // namespace kururie

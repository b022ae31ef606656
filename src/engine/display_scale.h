#pragma once

namespace kururie {

// The scale of the three geometry scroll bars. A position k reads to the user in tenths, as
// k × kDisplayStep (125 shows as 12.5), and a value v read that way stands for
// v × kUnitsPerDisplayValue canvas units: a circle of size v is that many units across, a pen at v
// lies that many units from the rolling centre. The tracer and the preview take the products in
// this order and in the types below, never folded into one factor, so that a run starts exactly
// where the preview shows it.
constexpr int kPositionsPerDisplayUnit = 10;
// The double nearest to 0.1, as the literal 0.1 is.
constexpr double kDisplayStep = 1.0 / kPositionsPerDisplayUnit;
constexpr int kUnitsPerDisplayValue = 15;

// A position as the user reads it: position × 0.1 in double, stored as float.
inline float displayValue(int position)
{
    return static_cast<float>(position * kDisplayStep);
}

// Canvas units of a value as read, in the value's own type: float for the preview circles' sizes,
// double for the pen marker's offset.
inline float canvasUnits(float value)
{
    return value * kUnitsPerDisplayValue;
}

inline double canvasUnits(double value)
{
    return value * kUnitsPerDisplayValue;
}

// Canvas units of a position with nothing rounded on the way: position × 0.1 × 15 in double.
inline double positionInCanvasUnits(double position)
{
    return canvasUnits(position * kDisplayStep);
}

} // namespace kururie

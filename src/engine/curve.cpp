#include "engine/curve.h"

#include "engine/display_scale.h"
#include "engine/number_rules.h"

#include <cmath>

namespace kururie {

float circleRadius(int position)
{
    return static_cast<float>(positionInCanvasUnits(position) / 2);
}

float rollingRadius(CurveKind kind, std::int16_t position)
{
    const auto used = kind == CurveKind::Inner ? static_cast<std::int16_t>(-position) : position;
    return circleRadius(used);
}

std::int32_t initialPenOffset(int position)
{
    return roundHalfEven32(positionInCanvasUnits(position));
}

float squaredRate(std::int32_t sliderValue, double divisor)
{
    const std::int32_t product = sliderValue * sliderValue;
    return static_cast<float>(static_cast<double>(product) / divisor);
}

std::int32_t penOffset(int swingState, std::int16_t penPosition, float t, float k, double pi)
{
    const double s = swingState;
    const auto steady = static_cast<std::int16_t>((1 - swingState) * penPosition);
    const double swing = s * std::cos(static_cast<double>(t) * static_cast<double>(k) * pi / 180);
    return roundHalfEven32(positionInCanvasUnits(swing * penPosition) + positionInCanvasUnits(steady));
}

namespace {

std::uint32_t channel(double angleDegrees, double pi)
{
    const double radians = angleDegrees * pi / 180;
    return static_cast<std::uint16_t>(roundHalfEven16(std::fabs(std::sin(radians)) * 255));
}

} // namespace

std::uint32_t gradationColour(float c, float t, double pi)
{
    const double phase = static_cast<double>(c) * static_cast<double>(t);
    const std::uint32_t red = channel(phase - 45, pi);
    const std::uint32_t green = channel(phase, pi);
    const std::uint32_t blue = channel(phase + 45, pi);
    return red + 256 * green + 65536 * blue;
}

Point curvePoint(const CurveShape& shape, double theta, std::int32_t d, double cx, double cy, double pi)
{
    const double R = shape.R;
    const double r = shape.r;
    const double A = shape.kind == CurveKind::Inner ? R - r : r + R;
    const double q = A / r;
    const double main = theta * pi / 180;
    const double rolling = q * theta * pi / 180;
    const double x = A * std::cos(main) + d * std::cos(rolling) + cx;
    const double y = shape.kind == CurveKind::Inner ? A * std::sin(main) - d * std::sin(rolling) + cy
                                                    : A * std::sin(main) + d * std::sin(rolling) + cy;
    return {x, y};
}

Point startPoint(const CurveShape& shape, std::int32_t d, double cx, double cy)
{
    const double R = shape.R;
    const double r = shape.r;
    const double A = shape.kind == CurveKind::Inner ? R - r : r + R;
    const float x0 = static_cast<float>(A + d + cx);
    const float y0 = static_cast<float>(cy);
    return {x0, y0};
}

double piValue()
{
    return 4 * std::atan(1.0);
}

} // namespace kururie

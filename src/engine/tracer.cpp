#include "engine/tracer.h"

#include "engine/number_rules.h"

#include <cmath>
#include <optional>

namespace kururie {

namespace {

void takeStopExit(TracerHost& host, TraceState& state)
{
    state.stopRequested = false;
    state.pauseRequested = false;
    host.stopExit();
}

void finishNormally(TracerHost& host, TraceState& state)
{
    host.processEvents();
    state.stopRequested = false;
    state.pauseRequested = false;
    host.normalEnd();
}

} // namespace

void traceCurve(CurveKind kind, TracerHost& host, TraceState& state)
{
    const RunSettings settings = host.runSettings();
    const CurveShape shape{kind, circleRadius(settings.fixCircle), rollingRadius(kind, settings.moveCircle)};
    std::int32_t d = initialPenOffset(host.penPosition());
    const float k = squaredRate(settings.penMove, 10);
    const float c = squaredRate(settings.penColorRate, 20);
    const double pi = piValue();
    const float t0 = parseSingle(settings.startAngle).value_or(0.0f);
    if (shape.R == 0.0f || shape.r == 0.0f)
        return;
    const Point start = startPoint(shape, d, host.canvasCentreX(), host.canvasCentreY());
    host.setPersistentDrawing(!settings.normalSpeed);
    std::optional<StepPace> pace;
    if (!settings.normalSpeed)
        pace.emplace(host.now());

    for (float t = t0; t <= 36000.0f; t += 0.5f) {
        // The wait comes first, so that a stop or pause clicked while waiting ends this very step.
        if (pace)
            host.processEventsUntil(pace->nextStepDue(host.now()));
        else
            host.processEvents();
        if (state.stopRequested) {
            takeStopExit(host, state);
            return;
        }
        host.processEvents();
        if (state.pauseRequested) {
            // Paused, then stopped before this check: the run is over, not paused.
            if (state.stopRequested) {
                takeStopExit(host, state);
                return;
            }
            state.pauseRequested = false;
            host.pauseExit(formatSingle(t));
            return;
        }
        const Point p1 = curvePoint(shape, t, d, host.canvasCentreX(), host.canvasCentreY(), pi);
        d = penOffset(host.penSwingState(), host.penPosition(), t, k, pi);
        const double next = static_cast<double>(t) + 0.5;
        const Point p2 = curvePoint(shape, next, d, host.canvasCentreX(), host.canvasCentreY(), pi);
        host.processEvents();

        const Segment segment{static_cast<float>(p1.x), static_cast<float>(p1.y), static_cast<float>(p2.x),
                              static_cast<float>(p2.y)};
        // Both canvases get the same colour: nothing can change it between the two segments.
        const std::uint32_t colour =
            host.colourGradationState() != 0 ? gradationColour(c, t, pi) : host.penColour();
        host.drawOnBacking(segment, colour);
        host.drawOnVisible(segment, colour);

        if (t > 360.0f && std::fabs(start.x - p2.x) <= 0.1 && std::fabs(start.y - p2.y) <= 0.1)
            break;
    }
    finishNormally(host, state);
}

} // namespace kururie

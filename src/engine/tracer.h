#pragma once

#include "engine/curve.h"
#include "engine/segment.h"
#include "engine/step_pace.h"
#include "engine/trace_state.h"

#include <cstdint>
#include <string>

namespace kururie {

// Settings the tracer takes once, when a run begins.
struct RunSettings {
    std::int16_t fixCircle = 0;
    std::int16_t moveCircle = 0;
    std::int32_t penMove = 0;
    std::int32_t penColorRate = 0;
    std::string startAngle = "0";
    bool normalSpeed = true;
};

// What the tracer needs from the window it draws in. Live values are read again on every step,
// so a change made between steps takes effect at the next one.
class TracerHost {
public:
    virtual ~TracerHost() = default;

    virtual RunSettings runSettings() = 0;
    virtual std::int16_t penPosition() = 0;
    virtual int penSwingState() = 0;
    virtual int colourGradationState() = 0;
    virtual std::uint32_t penColour() = 0;
    virtual double canvasCentreX() = 0;
    virtual double canvasCentreY() = 0;

    virtual void setPersistentDrawing(bool on) = 0;
    virtual void drawOnBacking(const Segment& segment, std::uint32_t colour) = 0;
    virtual void drawOnVisible(const Segment& segment, std::uint32_t colour) = 0;
    virtual void processEvents() = 0;
    // One event pass that, for a paced run, goes on handling events until the due time, without
    // holding any of them back and without spinning.
    virtual void processEventsUntil(StepPace::Clock::time_point due) = 0;
    virtual StepPace::Clock::time_point now() = 0;

    // The exits, called after the tracer has cleared the flags.
    virtual void stopExit() = 0;
    virtual void pauseExit(const std::string& resumeAngle) = 0;
    virtual void normalEnd() = 0;
};

// Trace one curve until it closes, the angle passes 36000, or a flag asks for stop or pause. A
// "遅い" run keeps the pace of StepPace; a "普通" run goes as fast as the host draws. A stop
// requested before the run sees a pause wins over it.
void traceCurve(CurveKind kind, TracerHost& host, TraceState& state);

inline void DrawInner(TracerHost& host, TraceState& state) { traceCurve(CurveKind::Inner, host, state); }
inline void DrawOuter(TracerHost& host, TraceState& state) { traceCurve(CurveKind::Outer, host, state); }

} // namespace kururie

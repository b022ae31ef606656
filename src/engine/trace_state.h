#pragma once

namespace kururie {

// State shared between the window's handlers and a running trace. The flags are requests from
// the buttons to the tracer, which polls them between steps and clears them when it exits.
struct TraceState {
    bool gStopFlag = false;
    bool gPauseFlag = false;
    float gFixCircle = 0.0f;
    float gMoveCircle = 0.0f;
    float gPenPosition = 0.0f;
};

} // namespace kururie

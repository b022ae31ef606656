#pragma once

namespace kururie {

// The run handshake between the window's buttons and a running trace: requests the tracer polls
// between steps and clears when it exits.
struct TraceState {
    bool stopRequested = false;
    bool pauseRequested = false;
};

} // namespace kururie

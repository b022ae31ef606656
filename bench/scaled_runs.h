#pragma once

#include "window_runs.h"

namespace bench {

// The window run against its floor: drawing the curve on a bare canvas pair at the same screen
// scale, plus the three idle event passes of every step that no run can do without.
struct WindowFigures {
    double rasterSeconds = 0;
    double windowSeconds = 0;
    double overFloor = 0;
};

// One repetition in this process: a bare canvas pair, the idle passes of the shown window and a
// window run, which must end with the canvas pair's picture.
WindowFigures measureWindowRun(WindowBench& windowBench);

// The medians of the repetitions at a screen scale, measured in a child process of this program,
// since Qt takes the scale once, when it starts.
WindowFigures windowRunsAtScale(double scale, int repetitions);

// The child's side of windowRunsAtScale(): prints the medians and returns the exit code.
int reportWindowRuns(int repetitions);

// The argument that makes this program that child.
inline const char* const kWindowRunsArgument = "--window-runs";

} // namespace bench

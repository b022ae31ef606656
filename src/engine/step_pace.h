#pragma once

#include <chrono>

namespace kururie {

// The pace of a "遅い" run: the loop angle advances 360 degrees a second, so step n of the run is
// due n / 720 s after it began. A step that comes late does not delay those after it: they are
// due on the same schedule, and the lag is caught up. After a stall longer than kLongestCatchUp
// (a dialog held the run, the machine was suspended) the schedule starts afresh, so that the
// curve does not race ahead to make up for time the person did not watch it.
class StepPace {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kStepsPerSecond = 720;
    static constexpr std::chrono::milliseconds kLongestCatchUp{100};

    explicit StepPace(Clock::time_point start) : m_start(start) {}

    // When the next step is due, given the time now; a time already past means no wait.
    Clock::time_point nextStepDue(Clock::time_point now);

private:
    Clock::time_point dueOf(long long step) const;

    Clock::time_point m_start;
    long long m_step = 0;
};

} // namespace kururie

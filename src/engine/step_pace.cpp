#include "engine/step_pace.h"

namespace kururie {

StepPace::Clock::time_point StepPace::dueOf(long long step) const
{
    // Whole nanoseconds from the start, so that rounding does not add up over a long run.
    return m_start + std::chrono::nanoseconds(step * 1'000'000'000LL / kStepsPerSecond);
}

StepPace::Clock::time_point StepPace::nextStepDue(Clock::time_point now)
{
    Clock::time_point due = dueOf(m_step);
    if (now - due > kLongestCatchUp) {
        m_start += now - due;
        due = now;
    }
    ++m_step;
    return due;
}

} // namespace kururie

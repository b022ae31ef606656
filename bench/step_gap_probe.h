#pragma once

#include <QMetaObject>

#include <chrono>

namespace bench {

// Times the gaps between the starts of consecutive event-processing passes: the event dispatcher
// announces every pass with its awake signal, whoever asks for it.
class StepGapProbe {
public:
    StepGapProbe();
    ~StepGapProbe();
    StepGapProbe(const StepGapProbe&) = delete;
    StepGapProbe& operator=(const StepGapProbe&) = delete;

    long passes() const { return m_passes; }
    double longestGapMicroseconds() const { return m_longest.count(); }

private:
    void passStarted();

    QMetaObject::Connection m_connection;
    std::chrono::steady_clock::time_point m_last;
    std::chrono::duration<double, std::micro> m_longest{0};
    long m_passes = 0;
};

} // namespace bench

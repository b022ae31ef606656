#include "step_gap_probe.h"

#include <QAbstractEventDispatcher>

#include <algorithm>

namespace bench {

StepGapProbe::StepGapProbe()
{
    m_connection = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                                    [this] { passStarted(); });
}

StepGapProbe::~StepGapProbe()
{
    QObject::disconnect(m_connection);
}

void StepGapProbe::passStarted()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_passes > 0)
        m_longest = std::max<std::chrono::duration<double, std::micro>>(m_longest, now - m_last);
    m_last = now;
    ++m_passes;
}

} // namespace bench

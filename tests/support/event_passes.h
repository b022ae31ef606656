#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Runs an action after the event loop has been entered a given number of times; each pass of
// the tracer's event processing fires one link of the chain of zero-delay timers.
class AfterEventPasses : public QObject {
public:
    AfterEventPasses(int passes, std::function<void()> action) : m_left(passes), m_action(std::move(action))
    {
        arm();
    }

private:
    void arm()
    {
        QTimer::singleShot(0, this, [this] {
            if (--m_left > 0)
                arm();
            else
                m_action();
        });
    }

    int m_left;
    std::function<void()> m_action;
};

#include "controls/fixed_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace kururie {

namespace {

// A compositor that refuses a maximize answers with the normal state, or not at all; the size
// is fixed again once it has been quiet this long after the request or its last answer.
constexpr int refusalQuietMs = 1000;
// Weston drops an undo that reaches it before the window has drawn itself maximized, so the
// undo is asked for a little later, and again until it is answered.
constexpr int undoRetryMs = 50;

class FixedSizeKeeper : public QObject {
public:
    explicit FixedSizeKeeper(QWidget& window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
        connect(&m_wait, &QTimer::timeout, this, &FixedSizeKeeper::waited);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show) {
            watch(m_window.windowHandle());
        } else if (watched == &m_window && event->type() == QEvent::LayoutRequest && m_phase != Phase::Fixed) {
            // A message box fixes its size again on every layout request; that waits until the
            // window is normal again.
            m_layoutRequested = true;
            return true;
        } else if (watched == m_handle && event->type() == QEvent::WindowStateChange) {
            answered();
        }
        return false;
    }

private:
    enum class Phase { Fixed, Maximizing, Restoring };

    void watch(QWindow* handle)
    {
        if (!handle || handle == m_handle)
            return;
        m_handle = handle;
        handle->installEventFilter(this);
        connect(handle, &QWindow::windowStateChanged, this, &FixedSizeKeeper::stateSet);
    }

    // Called as the title bar sets the state, while the request is on its way: the compositor's
    // answer is applied to the window before the program hears of it.
    void stateSet(Qt::WindowState state)
    {
        if (state != Qt::WindowMaximized || m_phase != Phase::Fixed
            || m_window.minimumSize() != m_window.maximumSize())
            return;
        m_fixedSize = m_window.minimumSize();
        m_window.setMinimumSize(0, 0);
        m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_phase = Phase::Maximizing;
        m_wait.start(refusalQuietMs);
    }

    // The window system reports the state it has given the window.
    void answered()
    {
        const bool maximized = m_handle->windowStates() & Qt::WindowMaximized;
        if (m_phase == Phase::Maximizing && maximized) {
            m_phase = Phase::Restoring;
            m_wait.start(undoRetryMs);
        } else if (m_phase == Phase::Maximizing) {
            m_wait.start(refusalQuietMs); // a refusal, or the answer to an earlier request
        } else if (m_phase == Phase::Restoring && !maximized) {
            fix();
        }
    }

    void waited()
    {
        if (!m_handle) {
            fix();
            return;
        }
        // Qt sends a state only where it differs from the one last reported, hence the round trip.
        const Qt::WindowStates states = m_handle->windowStates();
        if (m_phase == Phase::Restoring)
            m_handle->setWindowStates(states | Qt::WindowMaximized);
        m_handle->setWindowStates(states & ~Qt::WindowMaximized);
        if (m_phase == Phase::Maximizing)
            fix();
    }

    void fix()
    {
        m_wait.stop();
        m_phase = Phase::Fixed;
        m_window.setFixedSize(m_fixedSize);
        if (std::exchange(m_layoutRequested, false))
            QCoreApplication::postEvent(&m_window, new QEvent(QEvent::LayoutRequest));
    }

    QWidget& m_window;
    QPointer<QWindow> m_handle;
    QTimer m_wait;
    QSize m_fixedSize;
    Phase m_phase = Phase::Fixed;
    bool m_layoutRequested = false;
};

} // namespace

void keepFixedSize(QWidget& window)
{
    new FixedSizeKeeper(window);
}

} // namespace kururie

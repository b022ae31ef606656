#include "controls/given_focus.h"

#include <QFocusEvent>
#include <QWidget>

namespace kururie {

namespace {

bool givenFor(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

} // namespace

GivenFocusWatch::GivenFocusWatch(QWidget& window, const QList<QWidget*>& watched)
    : QObject(&window), m_watched(watched.cbegin(), watched.cend())
{
    // Every control that can lose the focus is watched for the moment it does.
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

bool GivenFocusWatch::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        // Qt moves the focus on by Tab when the control holding it is disabled or hidden.
        const auto* control = static_cast<QWidget*>(object);
        m_passedOn = !control->isEnabled() || !control->isVisible();
    } else if (event->type() == QEvent::FocusIn) {
        const bool passedOn = m_passedOn;
        m_passedOn = false;
        if (m_watched.contains(object) && !passedOn && givenFor(static_cast<QFocusEvent*>(event)->reason()))
            emit focusGiven(static_cast<QWidget*>(object));
    }
    return QObject::eventFilter(object, event);
}

} // namespace kururie

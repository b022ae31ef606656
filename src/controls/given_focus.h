#pragma once

#include <QObject>
#include <QSet>

class QWidget;

namespace kururie {

// Tells when one of the watched controls is given the keyboard focus: by Tab, a click, a
// shortcut or the program. Focus that only comes back because the window became active again,
// a popup or the menu bar closed, or that Qt passed on from a control being disabled or hidden,
// is not given.
class GivenFocusWatch : public QObject {
    Q_OBJECT

public:
    GivenFocusWatch(QWidget& window, const QList<QWidget*>& watched);

signals:
    void focusGiven(QWidget* control);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QSet<QObject*> m_watched;
    bool m_passedOn = false;
};

} // namespace kururie

#pragma once

#include <QWidget>

namespace kururie {

// Tells a screen reader of something that happened without moving the focus, such as a run that
// starts, pauses or ends. Qt 6.4 has no announcement of its own; Orca speaks a notification the
// moment it is shown, so the message is shown anew as an empty notification each time.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace kururie

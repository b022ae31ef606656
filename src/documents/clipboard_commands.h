#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// The Edit menu: copy the canvas picture to the clipboard and paste a clipboard picture.
class ClipboardCommands : public QObject {
    Q_OBJECT

public:
    explicit ClipboardCommands(MainWindow& window);

private:
    MainWindow& m_window;
};

} // namespace kururie

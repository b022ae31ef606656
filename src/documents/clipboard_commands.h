#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// The Edit menu: copy the canvas picture to the clipboard and paste a clipboard picture.
class ClipboardCommands : public QObject {
    Q_OBJECT

public:
    explicit ClipboardCommands(MainWindow& window);

    // Offers Paste only while the clipboard holds a raster image; Ctrl+V keeps this state until
    // the menu is opened again.
    void editMenuOpened();
    void copy();
    void paste();

private:
    MainWindow& m_window;
};

} // namespace kururie

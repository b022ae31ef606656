#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// Wiping the picture from both canvases, and copying the canvas picture with a click on it.
class PictureClearing : public QObject {
    Q_OBJECT

public:
    explicit PictureClearing(MainWindow& window);

    void cmdClearClick();
    // Empty white canvases, plain title, nothing changed: what Clear and New leave behind.
    void clearPicture();
    void picDrawClick();

private:
    MainWindow& m_window;
};

} // namespace kururie

#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// Wiping the picture from both canvases.
class PictureClearing : public QObject {
    Q_OBJECT

public:
    explicit PictureClearing(MainWindow& window);

    void cmdClearClick();
    // Empty white canvases, no document, nothing changed: what Clear and New leave behind.
    void clearPicture();

private:
    MainWindow& m_window;
};

} // namespace kururie

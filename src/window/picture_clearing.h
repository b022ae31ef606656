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
    // Empty white canvases, nothing changed: what Clear and New leave behind.
    void clearPicture();

signals:
    // The picture is no longer any file's.
    void cleared();

private:
    MainWindow& m_window;
};

} // namespace kururie

#pragma once

#include <QObject>

class QImage;
class QMimeData;

namespace kururie {

class MainWindow;

// The Edit menu, copy the canvas picture to the clipboard and paste a clipboard picture, and the
// click on the canvas that adds its picture to the clipboard.
class ClipboardCommands : public QObject {
    Q_OBJECT

public:
    explicit ClipboardCommands(MainWindow& window);

    // Offers Paste only while the clipboard holds a raster image; Ctrl+V keeps this state until
    // the menu is opened again.
    void editMenuOpened();
    void copy();
    void paste();
    // Adds the canvas's picture to what the clipboard holds, in place of any picture there; the
    // other formats, text copied in another program among them, stay. Without a picture on the
    // canvas the clipboard is left alone.
    void canvasClicked();

private:
    void putPicture(QMimeData& data, const QImage& picture);

    MainWindow& m_window;
};

} // namespace kururie

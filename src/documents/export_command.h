#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// File > 書き出し: the drawing written again from its strokes, as SVG or as PNG of a size chosen
// by the file type picked. The document, its title and its changed mark stay as they are.
class ExportCommand : public QObject {
    Q_OBJECT

public:
    explicit ExportCommand(MainWindow& window);

    // Whether a file was written; a cancelled dialog counts as not written.
    bool exportDrawing();

private:
    MainWindow& m_window;
};

} // namespace kururie

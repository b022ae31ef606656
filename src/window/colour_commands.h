#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// The background and pen colours, the colour gradation switch and the pen width.
class ColourCommands : public QObject {
    Q_OBJECT

public:
    explicit ColourCommands(MainWindow& window);

    void cmdBkColorClick();
    void cmdPenColorClick();
    void ckPenColorClick();
    void opPenWidthClick(int index);

private:
    MainWindow& m_window;
};

} // namespace kururie

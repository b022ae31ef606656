#pragma once

#include <QWidget>

namespace kururie {

// A ring in the palette's highlight colour around whichever control in an area has the keyboard
// focus. Styles show focus on few of the window's controls: nothing on a radio button without a
// caption, the pen-width legend or the canvas, and a thin mark on a scroll bar or a default button
// that looks like its idle frame. The ring lies over everything in the area and takes no input.
class FocusRing : public QWidget {
    Q_OBJECT

public:
    explicit FocusRing(QWidget& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* focused);

    QWidget& m_area;
};

} // namespace kururie

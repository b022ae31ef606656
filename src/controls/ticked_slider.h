#pragma once

#include <QSlider>

namespace kururie {

// A horizontal slider with tick marks below it in a shade of the palette, so that they show on a
// dark window too; a style derives its own from the window's colour, which on a dark window is
// darker still. The style draws the groove and the handle, and places the marks under the
// handle's positions.
class TickedSlider : public QSlider {
    Q_OBJECT

public:
    explicit TickedSlider(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kururie

#pragma once

#include <QScrollBar>

namespace kururie {

// A horizontal scroll bar whose arrow keys move the way the arrows point. Qt 6.4 routes Left
// and Right through the inverted-controls setting that QScrollBar turns on for Page Up/Down,
// which makes Right lower the value.
class HorizontalScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit HorizontalScrollBar(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace kururie

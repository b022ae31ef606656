#include "controls/horizontal_scroll_bar.h"

#include <QKeyEvent>

namespace kururie {

HorizontalScrollBar::HorizontalScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
}

void HorizontalScrollBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        triggerAction(SliderSingleStepAdd);
        event->accept();
        return;
    case Qt::Key_Left:
        triggerAction(SliderSingleStepSub);
        event->accept();
        return;
    default:
        QScrollBar::keyPressEvent(event);
    }
}

} // namespace kururie

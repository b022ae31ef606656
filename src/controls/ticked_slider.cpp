#include "controls/ticked_slider.h"

#include "controls/palette_shades.h"

#include <QStyleOptionSlider>
#include <QStylePainter>

namespace kururie {

TickedSlider::TickedSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setTickPosition(QSlider::TicksBelow);
}

void TickedSlider::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, option);

    const int length = qMax(3, style()->pixelMetric(QStyle::PM_SliderTickmarkOffset, &option, this));
    const int bottom = rect().bottom() - 1;
    painter.setPen(edgePen(*this));
    for (int value = minimum(); value <= maximum(); value += qMax(1, tickInterval())) {
        option.sliderPosition = value;
        const int x = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center().x();
        painter.drawLine(x, bottom, x, bottom - length + 1);
    }
}

} // namespace kururie

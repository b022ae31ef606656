#include "controls/whole_controls.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>

namespace kururie {

namespace {

QStyleOptionSlider sliderOption(const QAbstractSlider& slider)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.singleStep = slider.singleStep();
    option.pageStep = slider.pageStep();
    option.subControls = QStyle::SC_All;
    if (const auto* ticked = qobject_cast<const QSlider*>(&slider)) {
        option.tickPosition = ticked->tickPosition();
        option.tickInterval = ticked->tickInterval();
    }
    return option;
}

bool fitsItsPlace(const QWidget& control)
{
    const QStyle* style = control.style();
    if (const auto* bar = qobject_cast<const QScrollBar*>(&control)) {
        const QStyleOptionSlider option = sliderOption(*bar);
        return !style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar).isEmpty() &&
               !style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, bar).isEmpty();
    }
    if (const auto* slider = qobject_cast<const QSlider*>(&control)) {
        const QStyleOptionSlider option = sliderOption(*slider);
        return control.rect().contains(
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider));
    }
    QStyleOptionButton option;
    option.initFrom(&control);
    if (const auto* box = qobject_cast<const QCheckBox*>(&control)) {
        option.text = box->text();
        return control.rect().contains(style->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)) &&
               style->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width() >=
                   box->fontMetrics().horizontalAdvance(box->text());
    }
    if (qobject_cast<const QRadioButton*>(&control))
        return control.rect().contains(style->subElementRect(QStyle::SE_RadioButtonIndicator, &option, &control));
    return true;
}

} // namespace

void keepWholeInPlace(std::initializer_list<QWidget*> controls, QObject* owner)
{
    QStyle* fusion = nullptr;
    for (QWidget* control : controls) {
        if (fitsItsPlace(*control))
            continue;
        if (!fusion) {
            fusion = QStyleFactory::create(QStringLiteral("Fusion"));
            fusion->setParent(owner);
        }
        control->setStyle(fusion);
    }
}

} // namespace kururie

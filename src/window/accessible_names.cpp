#include "accessible_names.h"

#include "canvas.h"
#include "colour_swatch.h"
#include "main_controls.h"
#include "option_group.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <utility>

namespace kururie {

void nameForScreenReaders(MainControls& c)
{
    const std::pair<QWidget*, QString> names[] = {
        {c.picDraw, QStringLiteral("描画領域")},
        {c.framCircle, QStringLiteral("円とペンの位置")},
        {c.hsbFixCircle, QStringLiteral("固定円の大きさ")},
        {c.hsbMoveCircle, QStringLiteral("回転円の大きさ")},
        {c.hsbPenPosition, QStringLiteral("ペンの位置")},
        {c.sldPenMove, QStringLiteral("描画中ペン位置の変化")},
        {c.framSpeed, QStringLiteral("描画速度")},
        {c.opSpeed->button(1), QStringLiteral("普通")},
        {c.opSpeed->button(2), QStringLiteral("遅い")},
        {c.framColor, QStringLiteral("色と線の幅")},
        {c.txtPenColor, QStringLiteral("線色の見本")},
        {c.opPenWidth->button(1), QStringLiteral("線の幅 1 ピクセル")},
        {c.opPenWidth->button(2), QStringLiteral("線の幅 2 ピクセル")},
        {c.opPenWidth->button(3), QStringLiteral("線の幅 3 ピクセル")},
        {c.picPenWidth, QStringLiteral("線の幅の見本")},
        {c.sldPenColor, QStringLiteral("線色グラデーションの粗密")},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(name);
}

} // namespace kururie

#include "window/accessible_names.h"

#include "controls/canvas.h"
#include "controls/colour_swatch.h"
#include "controls/option_group.h"
#include "window/main_controls.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
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
    for (int width = 1; width <= 3; ++width)
        c.picPenWidth->findChild<QWidget*>(QStringLiteral("Line%1").arg(width))
            ->setAccessibleName(QStringLiteral("%1 ピクセルの線").arg(width));
    c.sldPenMove->setAccessibleDescription(QStringLiteral("左端はペンの位置がゆっくり、右端は速く変わります"));
    c.sldPenColor->setAccessibleDescription(QStringLiteral("左端の粗は色がゆっくり、右端の密は速く変わります"));

    // A colour button says the colour it would change.
    const std::pair<QPushButton*, ColourSwatch*> colourButtons[] = {{c.cmdPenColor, c.txtPenColor}, {c.cmdBkColor, c.txtBkColor}};
    for (const auto& [button, swatch] : colourButtons) {
        button->setAccessibleDescription(swatch->accessibleDescription());
        QObject::connect(swatch, &ColourSwatch::backColorChanged, button,
                         [button = button, swatch = swatch] { button->setAccessibleDescription(swatch->accessibleDescription()); });
    }
    describeCanvas(*c.picDraw, CanvasContent::Empty);
}

void describeCanvas(Canvas& canvas, CanvasContent content, const QString& path)
{
    switch (content) {
    case CanvasContent::Empty:
        canvas.setAccessibleDescription(QStringLiteral("何も描かれていません"));
        break;
    case CanvasContent::Drawing:
        canvas.setAccessibleDescription(QStringLiteral("曲線を描いています"));
        break;
    case CanvasContent::Paused:
        canvas.setAccessibleDescription(QStringLiteral("描きかけの曲線、一時停止中"));
        break;
    case CanvasContent::Drawn:
        canvas.setAccessibleDescription(QStringLiteral("描いた曲線"));
        break;
    case CanvasContent::Opened:
        canvas.setAccessibleDescription(QStringLiteral("開いた絵「%1」").arg(QFileInfo(path).fileName()));
        break;
    case CanvasContent::Pasted:
        canvas.setAccessibleDescription(QStringLiteral("貼り付けた絵"));
        break;
    }
}

} // namespace kururie

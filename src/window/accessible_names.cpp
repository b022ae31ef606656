#include "window/accessible_names.h"

#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/colour_words.h"
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
        {c.canvas, QStringLiteral("描画領域")},
        {c.circleFrame, QStringLiteral("円とペンの位置")},
        {c.hsbFixCircle, QStringLiteral("固定円の大きさ")},
        {c.hsbMoveCircle, QStringLiteral("回転円の大きさ")},
        {c.hsbPenPosition, QStringLiteral("ペンの位置")},
        {c.sldPenMove, QStringLiteral("描画中ペン位置の変化")},
        {c.speedFrame, QStringLiteral("描画速度")},
        {c.speedOptions->button(1), QStringLiteral("普通")},
        {c.speedOptions->button(2), QStringLiteral("遅い")},
        {c.colourFrame, QStringLiteral("色と線の幅")},
        {c.penColourSwatch, QStringLiteral("線色の見本")},
        {c.penWidthOptions->button(1), QStringLiteral("線の幅 1 ピクセル")},
        {c.penWidthOptions->button(2), QStringLiteral("線の幅 2 ピクセル")},
        {c.penWidthOptions->button(3), QStringLiteral("線の幅 3 ピクセル")},
        {c.penWidthLegend, QStringLiteral("線の幅の見本")},
        {c.sldPenColor, QStringLiteral("線色グラデーションの粗密")},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(name);
    for (int width = 1; width <= 3; ++width)
        c.penWidthLegend->findChild<QWidget*>(QStringLiteral("Line%1").arg(width))
            ->setAccessibleName(QStringLiteral("%1 ピクセルの線").arg(width));
    c.sldPenMove->setAccessibleDescription(QStringLiteral("左端はペンの位置がゆっくり、右端は速く変わります"));
    c.sldPenColor->setAccessibleDescription(QStringLiteral("左端の粗は色がゆっくり、右端の密は速く変わります"));

    // A colour button says the colour it would change.
    QPushButton* pen = c.cmdPenColor;
    pen->setAccessibleDescription(colourInWords(c.penColourSwatch->backColor()));
    QObject::connect(c.penColourSwatch, &ColourSwatch::backColorChanged, pen,
                     [pen](std::uint32_t colour) { pen->setAccessibleDescription(colourInWords(colour)); });
    QPushButton* background = c.cmdBkColor;
    background->setAccessibleDescription(colourInWords(c.canvases->background()));
    QObject::connect(c.canvases, &CanvasPair::backgroundChosen, background,
        [background](std::uint32_t colour) { background->setAccessibleDescription(colourInWords(colour)); });
    describeCanvas(*c.canvas, CanvasContent::Empty);
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

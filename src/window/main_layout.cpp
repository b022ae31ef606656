#include "window/main_layout.h"

#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/common_dialog.h"
#include "controls/horizontal_scroll_bar.h"
#include "controls/option_group.h"
#include "controls/preview_element.h"
#include "controls/state_check_box.h"
#include "controls/ticked_slider.h"
#include "controls/whole_controls.h"
#include "engine/setting_ranges.h"
#include "window/accessible_names.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include <initializer_list>
#include <iterator>

namespace kururie {

namespace {

template <typename Widget> Widget* place(Widget* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent, const QRect& geometry)
{
    return place(new QLabel(caption, parent), name, geometry);
}

void applyRange(QAbstractSlider* control, const SettingRange& range)
{
    control->setRange(range.minimum, range.maximum);
    control->setSingleStep(range.singleStep);
    control->setPageStep(range.pageStep);
}

QScrollBar* scrollBar(const QString& name, const SettingRange& range, QWidget* parent, const QRect& geometry)
{
    auto* bar = place<QScrollBar>(new HorizontalScrollBar(parent), name, geometry);
    applyRange(bar, range);
    bar->setValue(0);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QSlider* slider(const QString& name, const SettingRange& range, QWidget* parent, const QRect& geometry)
{
    auto* bar = place<QSlider>(new TickedSlider(parent), name, geometry);
    applyRange(bar, range);
    bar->setTickInterval(1);
    bar->setValue(0);
    // Disabled until its check box is ticked, the state every later untick also leaves.
    bar->setEnabled(false);
    return bar;
}

QGroupBox* frame(const QString& name, QWidget* parent, const QRect& geometry)
{
    return place(new QGroupBox(parent), name, geometry);
}

// Where controls overlap, the one listed first lies on top: raising them from the last to the
// first leaves them stacked that way.
void stackListedFirstOnTop(std::initializer_list<QWidget*> listed)
{
    for (auto it = std::rbegin(listed); it != std::rend(listed); ++it)
        (*it)->raise();
}

QFont commandFont()
{
    QFont font;
    // The layout was drawn for this face; IPA P Gothic has the same metrics where it is missing.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    font.setPointSize(9);
    font.setBold(true);
    return font;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, const QRect& geometry)
{
    return place(new QPushButton(caption, parent), name, geometry);
}

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent, const QRect& geometry)
{
    auto* command = button(name, caption, parent, geometry);
    command->setFont(commandFont());
    return command;
}

void buildCanvases(QWidget* central, MainControls& c)
{
    // The backing canvas lies underneath the visible one and is never shown.
    c.backingCanvas = new Canvas(QStringLiteral("picDrawBk"), 0, central);
    c.backingCanvas->move(8, 8);
    c.backingCanvas->setInteriorSize(QSize(400, 400));
    c.backingCanvas->hide();
    // It holds the whole picture, so its strokes are the ones that exports draw again.
    c.backingCanvas->keepStrokes();

    c.canvas = new Canvas(QStringLiteral("picDraw"), 1, central);
    c.canvas->move(8, 8);
    c.canvas->setInteriorSize(QSize(400, 400));
    c.canvas->setFocusPolicy(Qt::StrongFocus);
    c.canvases = new CanvasPair(*c.canvas, *c.backingCanvas, central);

    c.penMarker = new PreviewElement(QStringLiteral("imgPen"), PreviewElement::Kind::Picture, c.canvas);
    c.penMarker->setPicture(QImage(QStringLiteral(":/pen.png")));
    c.penMarker->move(160, 176);

    c.penLine = new PreviewElement(QStringLiteral("LinPenPosition"), PreviewElement::Kind::Line, c.canvas);
    c.penLine->setBorder(QColor(0, 0, 255), 1);
    c.penLine->setVisible(true);

    c.rollingCirclePreview = new PreviewElement(QStringLiteral("ShpInCircle"), PreviewElement::Kind::Circle, c.canvas);
    c.rollingCirclePreview->setBorder(QColor(255, 128, 128), 3);
    c.rollingCirclePreview->move(56, 72);
    c.rollingCirclePreview->setWidth(1);
    c.rollingCirclePreview->setHeight(1);

    c.fixedCirclePreview = new PreviewElement(QStringLiteral("ShpOutCircle"), PreviewElement::Kind::Circle, c.canvas);
    c.fixedCirclePreview->setBorder(QColor(192, 192, 192), 3);
    c.fixedCirclePreview->move(48, 56);
    c.fixedCirclePreview->setWidth(1);
    c.fixedCirclePreview->setHeight(1);
}

void buildCircleGroup(QWidget* central, MainControls& c)
{
    c.circleFrame = frame(QStringLiteral("framCircle"), central, QRect(416, 0, 185, 185));
    QWidget* f = c.circleFrame;
    c.lblFixCircle = label(QStringLiteral("lblFixCircle"), QStringLiteral("固定円の大きさ"), f, QRect(8, 16, 169, 17));
    c.lblMoveCircle =
        label(QStringLiteral("lblMoveCircle"), QStringLiteral("回転円の大きさ"), f, QRect(8, 56, 161, 17));
    c.hsbMoveCircle = scrollBar(QStringLiteral("hsbMoveCircle"), kSettingRanges.moveCircle, f, QRect(16, 72, 153, 13));
    c.lblPenPosition = label(QStringLiteral("lblPenPosition"), QStringLiteral("ペンの位置"), f, QRect(8, 96, 161, 17));
    c.hsbPenPosition =
        scrollBar(QStringLiteral("hsbPenPosition"), kSettingRanges.penPosition, f, QRect(16, 112, 153, 13));
    c.ckPenPosition =
        new StateCheckBox(QStringLiteral("ckPenPosition"), QStringLiteral("描画中ペン位置を変化させる"), f);
    c.ckPenPosition->setGeometry(8, 136, 169, 17);
    c.sldPenMove = slider(QStringLiteral("sldPenMove"), kSettingRanges.penMove, f, QRect(24, 155, 129, 20));
    // This scroll bar belongs to the window itself and lies over the frame.
    c.hsbFixCircle =
        scrollBar(QStringLiteral("hsbFixCircle"), kSettingRanges.fixCircle, central, QRect(432, 32, 153, 13));
    // Each value label names its scroll bar, for screen readers.
    c.lblFixCircle->setBuddy(c.hsbFixCircle);
    c.lblMoveCircle->setBuddy(c.hsbMoveCircle);
    c.lblPenPosition->setBuddy(c.hsbPenPosition);
    stackListedFirstOnTop({c.lblFixCircle, c.lblMoveCircle, c.hsbMoveCircle, c.lblPenPosition, c.hsbPenPosition,
                           c.ckPenPosition, c.sldPenMove});
}

void buildSpeedGroup(QWidget* central, MainControls& c, QObject* owner)
{
    c.speedFrame = frame(QStringLiteral("framSpeed"), central, QRect(416, 184, 185, 41));
    QWidget* f = c.speedFrame;
    c.speedLabel = label(QStringLiteral("Label1"), QStringLiteral("描画速度"), f, QRect(8, 18, 57, 17));
    c.speedOptions = new OptionGroup(QStringLiteral("opSpeed"), owner);
    c.speedOptions->add(1, f, QRect(72, 16, 17, 17))->setChecked(true);
    c.normalSpeedLabel = label(QStringLiteral("Label2"), QStringLiteral("普通"), f, QRect(88, 18, 24, 12));
    c.speedOptions->add(2, f, QRect(128, 16, 17, 17));
    c.slowSpeedLabel = label(QStringLiteral("Label3"), QStringLiteral("遅い"), f, QRect(144, 18, 23, 12));
    c.speedOptions->setCaption(1, c.normalSpeedLabel);
    c.speedOptions->setCaption(2, c.slowSpeedLabel);
    stackListedFirstOnTop(
        {c.speedLabel, c.speedOptions->button(1), c.normalSpeedLabel, c.speedOptions->button(2), c.slowSpeedLabel});
}

QWidget* penWidthLegend(QWidget* parent)
{
    auto* legend = place(new QWidget(parent), QStringLiteral("picPenWidth"), QRect(8, 48, 169, 25));
    // A picture box takes the focus like any other control.
    legend->setFocusPolicy(Qt::StrongFocus);
    for (int width = 1; width <= 3; ++width) {
        // Each sample line is a strip of its width centred on y = 12, right of its radio button.
        auto* line = place(new QWidget(legend), QStringLiteral("Line%1").arg(width),
                           QRect(24 + 48 * (width - 1), 12 - width / 2, 24, width));
        line->setAutoFillBackground(true);
        line->setBackgroundRole(QPalette::WindowText);
    }
    return legend;
}

void buildColourGroup(QWidget* central, MainControls& c, ModalSeam& seam, QObject* owner)
{
    c.colourFrame = frame(QStringLiteral("framColor"), central, QRect(416, 224, 185, 129));
    QWidget* f = c.colourFrame;
    c.cmdPenColor = button(QStringLiteral("cmdPenColor"), QStringLiteral("線色"), f, QRect(8, 16, 49, 25));
    c.penColourSwatch = new ColourSwatch(QStringLiteral("txtPenColor"), f);
    c.penColourSwatch->setGeometry(64, 16, 13, 25);
    c.penColourSwatch->setEnabled(false);
    c.cmdBkColor = button(QStringLiteral("cmdBkColor"), QStringLiteral("背景色"), f, QRect(104, 16, 49, 25));
    c.penWidthLegend = penWidthLegend(f);
    c.penWidthOptions = new OptionGroup(QStringLiteral("opPenWidth"), owner);
    c.penWidthOptions->add(1, f, QRect(16, 48, 17, 24))->setChecked(true);
    c.penWidthOptions->add(2, f, QRect(64, 48, 17, 24));
    c.penWidthOptions->add(3, f, QRect(112, 48, 17, 24));
    c.ckPenColor = new StateCheckBox(QStringLiteral("ckPenColor"), QStringLiteral("線色グラデーション"), f);
    c.ckPenColor->setGeometry(8, 80, 137, 17);
    c.sldPenColor = slider(QStringLiteral("sldPenColor"), kSettingRanges.gradationRate, f, QRect(32, 96, 113, 20));
    c.sparseLabel = label(QStringLiteral("Label4"), QStringLiteral("粗"), f, QRect(16, 104, 25, 17));
    c.denseLabel = label(QStringLiteral("Label5"), QStringLiteral("密"), f, QRect(152, 104, 25, 17));
    stackListedFirstOnTop({c.cmdPenColor, c.penColourSwatch, c.cmdBkColor, c.penWidthOptions->button(1),
                           c.penWidthOptions->button(2), c.penWidthOptions->button(3), c.penWidthLegend, c.ckPenColor,
                           c.sldPenColor, c.sparseLabel, c.denseLabel});
    c.commonDialog = new CommonDialog(seam, central->window());
}

void buildCommands(QWidget* central, MainControls& c)
{
    c.cmdStart = commandButton(QStringLiteral("cmdStart"), QStringLiteral("開始"), central, QRect(424, 360, 65, 25));
    c.cmdStart->setDefault(true);
    c.cmdClear =
        commandButton(QStringLiteral("cmdClear"), QStringLiteral("絵を消す"), central, QRect(528, 360, 65, 25));
    c.cmdPause =
        commandButton(QStringLiteral("cmdPause"), QStringLiteral("一時停止"), central, QRect(424, 392, 65, 25));
    c.previewButton =
        button(QStringLiteral("CmdCirClear"), QStringLiteral("ﾍﾟﾝを表示"), central, QRect(528, 392, 65, 25));

    c.saveSettingsButton =
        button(QStringLiteral("Command1"), QStringLiteral("Command1"), central, QRect(328, 408, 73, 17));
    c.saveSettingsButton->hide();
    c.loadSettingsButton =
        button(QStringLiteral("Command2"), QStringLiteral("Command2"), central, QRect(224, 408, 81, 17));
    c.loadSettingsButton->hide();
}

void setFocusOrder(const MainControls& c)
{
    // Only controls that can take the focus are chained (Qt ignores the others): not the labels,
    // frames, colour swatches or the backing canvas. Hidden and disabled ones are skipped by Tab.
    const QList<QWidget*> order {c.canvas, c.cmdBkColor, c.ckPenPosition, c.cmdPenColor, c.ckPenColor, c.cmdStart,
        c.sldPenColor, c.cmdClear, c.sldPenMove, c.hsbFixCircle, c.hsbMoveCircle, c.hsbPenPosition,
        c.penWidthOptions->button(1), c.penWidthOptions->button(2), c.penWidthOptions->button(3), c.penWidthLegend,
        c.cmdPause, c.speedOptions->button(1), c.speedOptions->button(2), c.saveSettingsButton, c.loadSettingsButton,
        c.previewButton};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace

void buildControls(QMainWindow& window, ModalSeam& seam, MainControls& controls)
{
    auto* central = new QWidget(&window);
    central->setObjectName(QStringLiteral("frmMainInterior"));
    central->setFixedSize(607, 426);
    window.setCentralWidget(central);

    buildCanvases(central, controls);
    buildCircleGroup(central, controls);
    buildSpeedGroup(central, controls, &window);
    buildColourGroup(central, controls, seam, &window);
    buildCommands(central, controls);
    const MainControls& c = controls;
    stackListedFirstOnTop({c.canvas, c.backingCanvas, c.hsbFixCircle, c.circleFrame, c.speedFrame, c.colourFrame,
        c.cmdStart, c.cmdClear, c.cmdPause, c.previewButton, c.saveSettingsButton, c.loadSettingsButton});
    keepWholeInPlace({c.hsbFixCircle, c.hsbMoveCircle, c.hsbPenPosition, c.ckPenPosition, c.sldPenMove,
                         c.speedOptions->button(1), c.speedOptions->button(2), c.penWidthOptions->button(1),
                         c.penWidthOptions->button(2), c.penWidthOptions->button(3), c.ckPenColor, c.sldPenColor},
        &window);
    setFocusOrder(controls);
    nameForScreenReaders(controls);
}

void buildMenus(QMainWindow& window, MainControls& c)
{
    // Items are made with their shortcut, which works without opening the menu.
    auto item = [&window](QMenu* menu, const char* name, const QString& caption, const char* shortcut = "") {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(QKeySequence(QLatin1String(shortcut)));
        window.addAction(action);
        return action;
    };
    auto menu = [&window](const char* name, const QString& caption) {
        QMenu* added = window.menuBar()->addMenu(caption);
        added->setObjectName(QLatin1String(name));
        return added;
    };

    c.mnuFile = menu("mnuFile", QStringLiteral("ファイル(&F)"));
    c.mnuFileNew = item(c.mnuFile, "mnuFileNew", QStringLiteral("新規(&N)"), "Ctrl+N");
    c.mnuFileOpen = item(c.mnuFile, "mnuFileOpen", QStringLiteral("開く(&O)..."), "Ctrl+O");
    c.mnuFileSave = item(c.mnuFile, "mnuFileSave", QStringLiteral("上書き保存(&S)"), "Ctrl+S");
    c.mnuFileSaveAs = item(c.mnuFile, "mnuFileSaveAs", QStringLiteral("名前を付けて保存(&A)..."));
    c.mnuFileExport = item(c.mnuFile, "mnuFileExport", QStringLiteral("書き出し(&E)..."));
    c.mnuFileBar1 = c.mnuFile->addSeparator();
    c.mnuFileBar1->setObjectName(QStringLiteral("mnuFileBar1"));
    c.mnuFileExit = item(c.mnuFile, "mnuFileExit", QStringLiteral("終了(&X)"));

    c.mnuEdit = menu("mnuEdit", QStringLiteral("編集(&E)"));
    c.mnuUndo = item(c.mnuEdit, "mnuUndo", QStringLiteral("元に戻す(&U)"), "Ctrl+Z");
    c.mnuUndo->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
    c.mnuRedo = item(c.mnuEdit, "mnuRedo", QStringLiteral("やり直し(&R)"));
    c.mnuRedo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    c.mnuRedo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo")));
    c.mnuEdit->addSeparator();
    c.mnuCopy = item(c.mnuEdit, "mnuCopy", QStringLiteral("コピー(&C)"), "Ctrl+C");
    c.mnuPaste = item(c.mnuEdit, "mnuPaste", QStringLiteral("貼り付け(&P)"), "Ctrl+V");

    c.mnuHelp = menu("mnuHelp", QStringLiteral("ヘルプ(&H)"));
    c.mnuAbout = item(c.mnuHelp, "mnuAbout", QStringLiteral("バージョン情報(&A)"));
}

} // namespace kururie

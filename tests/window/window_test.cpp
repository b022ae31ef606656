// The main window as a user meets it: where each control lies, what it is called and how it starts, its
// menus, the Tab order, the preview the scroll bars place, the runs the two buttons control and what a
// screen reader hears of them, the colours, the pen, clearing, the About box and the fixed sizes.

#include "about/about_box.h"
#include "app/japanese_application.h"
#include "controls/announcer.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/colour_words.h"
#include "controls/focus_ring.h"
#include "controls/option_group.h"
#include "controls/packed_colour.h"
#include "controls/preview_element.h"
#include "controls/state_check_box.h"
#include "support/program_fixture.h"
#include "window/run_control.h"
#include "window/settings_panel.h"

#include <QtWidgets>

using namespace kururie;

namespace {

enum State { Shown = 0, Hidden = 1, Off = 2, On = 4, Bold = 8 };

struct Range {
    int minimum, maximum, singleStep, pageStep;
};

// A title bar with a close button and no maximize button.
const Qt::WindowFlags kTitled =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Each control of the window and of the About box as they start: in its container, as the layout was drawn,
// with the name a screen reader gives it, its state, the control it lies over where the two overlap, a
// slider's range and steps, and a window's frame.
struct Placed {
    const char* name;
    QRect geometry;
    const char* readAs;
    int state = Shown;
    const char* over = "";
    Range range = {};
    Qt::WindowFlags frame = {};
};
const Placed kLayout[] = {
    {"frmMain", {0, 0, 607, 444}, "くるりえ", Shown, "", {}, Qt::Window | kTitled | Qt::WindowMinimizeButtonHint},
    {"frmMainInterior", {0, 0, 607, 426}, ""}, {"picDraw", {8, 8, 402, 402}, "描画領域"},
    {"picDrawBk", {8, 8, 400, 400}, "", Hidden},
    {"framCircle", {416, 0, 185, 185}, "円とペンの位置", Shown, "framSpeed"},
    {"lblFixCircle", {8, 16, 169, 17}, "固定円の大きさ   0"},
    {"hsbFixCircle", {432, 32, 153, 13}, "固定円の大きさ", Shown, "lblFixCircle", {0, 200, 1, 10}},
    {"lblMoveCircle", {8, 56, 161, 17}, "回転円の大きさ   0", Shown, "hsbMoveCircle"},
    {"hsbMoveCircle", {16, 72, 153, 13}, "回転円の大きさ", Shown, "", {-200, 200, 1, 10}},
    {"lblPenPosition", {8, 96, 161, 17}, "ペンの位置        0", Shown, "hsbPenPosition"},
    {"hsbPenPosition", {16, 112, 153, 13}, "ペンの位置", Shown, "", {-100, 100, 1, 10}},
    {"ckPenPosition", {8, 136, 169, 17}, "描画中ペン位置を変化させる"},
    {"sldPenMove", {24, 155, 129, 20}, "描画中ペン位置の変化", Off, "", {0, 15, 1, 5}},
    {"framSpeed", {416, 184, 185, 41}, "描画速度", Shown, "framColor"}, {"Label1", {8, 18, 57, 17}, "描画速度"},
    {"opSpeed_1", {72, 16, 17, 17}, "普通", On, "Label2"}, {"Label2", {88, 18, 24, 12}, "普通"},
    {"opSpeed_2", {128, 16, 17, 17}, "遅い", Shown, "Label3"}, {"Label3", {144, 18, 23, 12}, "遅い"},
    {"framColor", {416, 224, 185, 129}, "色と線の幅"}, {"cmdPenColor", {8, 16, 49, 25}, "線色"},
    {"txtPenColor", {64, 16, 13, 25}, "線色の見本", Off}, {"cmdBkColor", {104, 16, 49, 25}, "背景色"},
    {"opPenWidth_1", {16, 48, 17, 24}, "線の幅 1 ピクセル", On, "picPenWidth"},
    {"opPenWidth_2", {64, 48, 17, 24}, "線の幅 2 ピクセル", Shown, "picPenWidth"},
    {"opPenWidth_3", {112, 48, 17, 24}, "線の幅 3 ピクセル", Shown, "picPenWidth"},
    {"picPenWidth", {8, 48, 169, 25}, "線の幅の見本"}, {"Line1", {24, 12, 24, 1}, "1 ピクセルの線"},
    {"Line2", {72, 11, 24, 2}, "2 ピクセルの線"}, {"Line3", {120, 11, 24, 3}, "3 ピクセルの線"},
    {"ckPenColor", {8, 80, 137, 17}, "線色グラデーション", Shown, "sldPenColor"},
    {"sldPenColor", {32, 96, 113, 20}, "線色グラデーションの粗密", Off, "Label4", {0, 20, 1, 5}},
    {"Label4", {16, 104, 25, 17}, "粗"}, {"Label5", {152, 104, 25, 17}, "密"},
    {"cmdStart", {424, 360, 65, 25}, "開始", Bold}, {"cmdClear", {528, 360, 65, 25}, "絵を消す", Bold},
    {"cmdPause", {424, 392, 65, 25}, "一時停止", Off | Bold},
    {"CmdCirClear", {528, 392, 65, 25}, "ﾍﾟﾝを表示"},
    {"Command1", {328, 408, 73, 17}, "Command1", Hidden}, {"Command2", {224, 408, 81, 17}, "Command2", Hidden},
    {"frmAbout", {0, 0, 367, 165}, "ﾊﾞｰｼﾞｮﾝ情報", Shown, "", {},
     Qt::Dialog | kTitled | Qt::MSWindowsFixedSizeDialogHint},
    {"cmdOK", {248, 128, 92, 23}, "OK"}, {"picIcon", {16, 16, 32, 32}, "くるりえのアイコン"},
    {"lblTitle", {104, 24, 187, 24}, "くるりえ  Version 1.00"},
    {"lblDescription", {104, 64, 179, 30}, "Copyright (C) 2002\nくるりえの作者"},
    {"Line1_0", {8, 120, 352, 2}, ""}, {"Line1_1", {8, 120, 352, 1}, "", Shown, "Line1_0"}};

// Each menu and menu item: its caption with its access key, and the shortcuts that reach it unopened.
const struct {
    const char* name;
    const char* caption;
    const char* shortcuts = "";
    const char* icon = ""; // from the desktop's theme
} kMenus[] = {
    {"mnuFile", "ファイル(&F)"}, {"mnuFileNew", "新規(&N)", "Ctrl+N"}, {"mnuFileOpen", "開く(&O)...", "Ctrl+O"},
    {"mnuFileSave", "上書き保存(&S)", "Ctrl+S"}, {"mnuFileSaveAs", "名前を付けて保存(&A)..."},
    {"mnuFileExport", "書き出し(&E)..."}, {"mnuFileExit", "終了(&X)"}, {"mnuEdit", "編集(&E)"},
    {"mnuUndo", "元に戻す(&U)", "Ctrl+Z", "edit-undo"}, {"mnuRedo", "やり直し(&R)", "Ctrl+Y; Ctrl+Shift+Z", "edit-redo"},
    {"mnuCopy", "コピー(&C)", "Ctrl+C"}, {"mnuPaste", "貼り付け(&P)", "Ctrl+V"}, {"mnuHelp", "ヘルプ(&H)"},
    {"mnuAbout", "バージョン情報(&A)"}};

QImage blankCanvas()
{
    QImage white(400, 400, QImage::Format_RGB32);
    white.fill(Qt::white);
    return white;
}

QRectF box(const PreviewElement* e)
{
    return QRectF(e->left(), e->top(), e->width(), e->height());
}

// Which of the preview's fixed circle, rolling circle and pen marker are shown.
QList<bool> previewElements(const MainControls& c)
{
    return {c.fixedCirclePreview->isVisible(), c.rollingCirclePreview->isVisible(), c.penMarker->isVisible()};
}
const QList<bool> kPreviewShown(3, true), kPreviewHidden(3, false);

// What a screen reader hears: the last announcement, what the canvas holds, and whether it is busy.
struct Heard {
    QString announcement, canvas;
    bool busy = false;
};

Heard heard(MainWindow& window)
{
    QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(window.controls().canvas);
    const bool busy = canvas->state().busy;
    return {window.findChild<Announcer*>()->message(), canvas->text(QAccessible::Description), busy};
}

// A maximize as Qt's own Wayland title bar asks for it leaves a fixed window normal at its size; under
// Weston an unhandled one ends the program.
void maximizeAndWait(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize fixed = window.size();
    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTRY_COMPARE(window.windowHandle()->windowStates(), Qt::WindowStates());
    QTRY_COMPARE(window.size(), fixed);
    QTRY_COMPARE(window.minimumSize(), fixed);
    QTRY_COMPARE(window.maximumSize(), fixed);
}

// The scroll bars' positions and what they show: the labels, the preview elements' boxes in canvas
// units, and a spot of the canvas with the colour of the element on top there.
struct Preview {
    int fix, move, pen;
    QString fixLabel, moveLabel, penLabel;
    QRectF fixed, rolling, marker;
    QPoint spot;
    QColor colour;
};

// What a user does, or how the next dialog is to be answered; or a screen reader listening.
enum Act { Start, Pause, Clear, Close, ZeroCircle, OuterCircle, Slow, BackgroundColour, PenColour, WidestPen,
           LockBackground, MarkSaved, Yes, No, Cancel, Blue, Red, Listen };

void perform(ProgramUnderTest& p, Act act)
{
    switch (act) {
    case Start: return p.c.cmdStart->click();
    case Pause: return p.c.cmdPause->click();
    case Clear: return p.c.cmdClear->click();
    case Close: return void(p.window.close());
    case ZeroCircle: return p.c.hsbMoveCircle->setValue(0);
    case OuterCircle: return p.c.hsbMoveCircle->setValue(40);
    case Slow: return p.c.speedOptions->setValue(2, true);
    case BackgroundColour: return p.c.cmdBkColor->click();
    case PenColour: return p.c.cmdPenColor->click();
    case WidestPen: return p.c.penWidthOptions->button(3)->click();
    case LockBackground: return p.c.cmdBkColor->setEnabled(false); // as an opened picture leaves it
    case MarkSaved: return p.window.setPictureChanged(false);
    case Yes: return p.seam.expect(ScriptedSeam::yes());
    case No: return p.seam.expect(ScriptedSeam::no());
    case Cancel: return p.seam.expect(ScriptedSeam::cancel());
    case Blue: return p.seam.expect(ScriptedSeam::colour(Qt::blue));
    case Red: return p.seam.expect(ScriptedSeam::colour(Qt::red));
    case Listen: return; // changes nothing: what is heard is taken where it is listened for
    }
}

// An act at once or, with `pass`, in that event pass of the run the act before starts.
struct Press {
    Act act;
    int pass = 0;
};
enum class Drawn { Blank, Part, Whole };

// Presses on the inner curve 100 / -40 / 10, and what they leave: the buttons, the angle a resume
// starts from, the preview, the picture, the dialogs shown and whether 元に戻す is offered, which it is
// not while a run is paused; and what a screen reader hears: the announcement made while a run draws,
// where one listens, and the last announcement and what the canvas holds at the end.
struct Run {
    QList<Press> presses;
    bool paused, undoOffered;
    QString resumeAngle;
    bool previewShown, previewVisible;
    Drawn picture;
    bool changed;
    QStringList dialogs;
    bool closed;
    QString heardWhileDrawing, heard, canvasHolds;
};

// Acts on the inner curve 100 / -40 / 10, and what they leave: the dialogs shown, the background
// colour, the colours at the curve's start point and beside it, the picture-changed mark and what the
// canvas holds for a screen reader.
struct Colouring {
    QList<Act> acts;
    QStringList asked;
    QColor background, curve, beside;
    bool changed;
    QString canvasHolds;
};

} // namespace

Q_DECLARE_METATYPE(Placed)
Q_DECLARE_METATYPE(Preview)
Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(Colouring)

class WindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_themes;

private slots:
    // A desktop theme that has the standard undo and redo icons, as many have.
    void initTestCase()
    {
        setUpJapaneseApplication(*QCoreApplication::instance());
        QVERIFY(QDir(m_themes.path()).mkpath("test/16"));
        const QByteArray index = "[Icon Theme]\nName=test\nDirectories=16\n\n[16]\nSize=16\n";
        QVERIFY(writeFile(m_themes.filePath("test/index.theme"), index));
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(Qt::blue);
        for (const char* name : {"edit-undo", "edit-redo"})
            QVERIFY(icon.save(m_themes.filePath(QString("test/16/%1.png").arg(name))));
        QIcon::setThemeSearchPaths({m_themes.path()});
        QIcon::setThemeName("test");
    }

    void layout_data()
    {
        QTest::addColumn<Placed>("placed");
        for (const Placed& placed : kLayout)
            QTest::newRow(placed.name) << placed;
    }

    // Each control at its place, not covered by another, on top where it overlaps the control it lies over,
    // named, with its caption, its font, its range, and in its state; each window with its frame, fixed.
    void layout()
    {
        QFETCH(Placed, placed);
        ProgramUnderTest p;
        AboutBox about;
        const auto find = [&](const QString& name) -> QWidget* {
            if (name == "frmMain" || name == "frmAbout")
                return name == "frmMain" ? static_cast<QWidget*>(&p.window) : &about;
            QWidget* control = p.window.findChild<QWidget*>(name);
            return control ? control : about.findChild<QWidget*>(name);
        };
        QWidget* w = find(placed.name);
        const QString readAs = QString::fromUtf8(placed.readAs);
        QCOMPARE(w->isWindow() ? QRect(QPoint(), w->size()) : w->geometry(), placed.geometry);
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(w);
        QCOMPARE(reading->text(QAccessible::Name), readAs);
        // A control given a name for screen readers shows no caption; any other is read as its caption.
        if (w->property("text").isValid())
            QCOMPARE(w->property("text").toString(), w->accessibleName().isEmpty() ? readAs : QString());
        QCOMPARE(!w->isWindow() && w->isHidden(), bool(placed.state & Hidden));
        QCOMPARE(w->isEnabled(), !(placed.state & Off));
        auto* checkable = qobject_cast<QAbstractButton*>(w);
        QCOMPARE(checkable && checkable->isChecked(), bool(placed.state & On));
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            QCOMPARE(button->font().pointSize(), 9);
            QCOMPARE(button->font().bold(), bool(placed.state & Bold));
        }
        if (auto* bar = qobject_cast<QAbstractSlider*>(w)) {
            QCOMPARE(bar->minimum(), placed.range.minimum);
            QCOMPARE(bar->maximum(), placed.range.maximum);
            QCOMPARE(bar->singleStep(), placed.range.singleStep);
            QCOMPARE(bar->pageStep(), placed.range.pageStep);
            QCOMPARE(bar->value(), 0);
        }
        if (auto* slider = qobject_cast<QSlider*>(w))
            QCOMPARE(slider->tickInterval(), 1); // a tick for every value
        if (w->isWindow()) {
            QCOMPARE(w->windowFlags(), placed.frame);
            QCOMPARE(w->minimumSize(), w->size());
            QCOMPARE(w->maximumSize(), w->size());
            return;
        }
        // A screen reader meets the shown controls, and none of the hidden ones that only hold state.
        QCOMPARE(QAccessible::queryAccessibleInterface(w->parentWidget())->indexOfChild(reading) >= 0, !w->isHidden());
        const auto inWindow = [](QWidget* c) { return QRect(c->mapTo(c->window(), QPoint()), c->size()); };
        const auto onTopAt = [w](QPoint at) {
            QWidget* seen = w->window()->childAt(at);
            return seen == w || w->isAncestorOf(seen);
        };
        if (!w->isHidden() && !readAs.isEmpty())
            QCOMPARE(onTopAt(inWindow(w).center()), true);
        if (*placed.over) {
            const QRect overlap = inWindow(w) & inWindow(find(placed.over));
            QCOMPARE(overlap.isEmpty(), false);
            QCOMPARE(onTopAt(overlap.center()), true);
        }
    }

    void menus_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<QKeySequence>>("shortcuts");
        QTest::addColumn<QString>("icon");
        for (const auto& menu : kMenus)
            QTest::newRow(menu.name) << QString::fromUtf8(menu.caption)
                                     << (*menu.shortcuts ? QKeySequence::listFromString(menu.shortcuts)
                                                         : QList<QKeySequence>())
                                     << QString(menu.icon);
    }

    void menus()
    {
        QFETCH(QString, caption);
        QFETCH(QList<QKeySequence>, shortcuts);
        ProgramUnderTest p;
        QObject* found = p.window.findChild<QObject*>(QTest::currentDataTag());
        auto* menu = qobject_cast<QMenu*>(found);
        QAction* item = menu ? menu->menuAction() : qobject_cast<QAction*>(found);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcuts(), shortcuts);
        QTEST(item->icon().name(), "icon");
    }

    // Tab visits each control that takes the focus, and a ring around the focused one, which takes no
    // clicks, shows where it is.
    void tabOrder()
    {
        ProgramUnderTest p;
        QVERIFY(p.showActive());
        p.c.ckPenPosition->setValue(1);
        p.c.ckPenColor->setValue(1); // frees its slider and takes 線色
        p.c.cmdPause->setEnabled(true);
        p.c.canvas->setFocus(Qt::TabFocusReason);
        QWidget* central = p.window.centralWidget();
        const auto* ring = central->findChild<FocusRing*>();
        QStringList visited;
        QList<QRect> ringed, around;
        while (visited.size() < 17) {
            QWidget* focused = QApplication::focusWidget();
            visited << focused->objectName();
            ringed << (ring->isVisible() ? ring->geometry() : QRect());
            around << QRect(focused->mapTo(central, QPoint()), focused->size()).adjusted(-2, -2, 2, 2);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"picDraw", "cmdBkColor", "ckPenPosition", "ckPenColor", "cmdStart",
                                       "sldPenColor", "cmdClear", "sldPenMove", "hsbFixCircle", "hsbMoveCircle",
                                       "hsbPenPosition", "opPenWidth_1", "picPenWidth", "cmdPause", "opSpeed_1",
                                       "CmdCirClear", "picDraw"}));
        QCOMPARE(ringed, around);
        QVERIFY(central->childAt(ring->pos()) != ring);
    }

    // A left click on the words 遅い selects their button and gives it the focus, as a click on a
    // button's own caption does; a right click does not.
    void clickOnTheWordsSlow()
    {
        ProgramUnderTest p;
        QVERIFY(p.showActive());
        QTest::mouseClick(p.c.slowSpeedLabel, Qt::RightButton);
        QCOMPARE(p.c.speedOptions->value(2), false);
        QTest::mouseClick(p.c.slowSpeedLabel, Qt::LeftButton);
        QCOMPARE(p.c.speedOptions->value(2), true);
        QCOMPARE(p.c.speedOptions->value(1), false);
        QCOMPARE(p.c.speedOptions->button(2)->hasFocus(), true);
        // Chosen, it takes 普通's place in the Tab order.
        QTest::keyClick(p.c.speedOptions->button(2), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.c.previewButton);
        QTest::keyClick(p.c.previewButton, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), p.c.speedOptions->button(2));
    }

    // A blank white canvas, nothing to lose, a black pen one pixel wide, Enter presses 開始, a run would
    // start from 0, the preview is hidden, and the icon is drawn at each size a title bar, a task bar or a
    // screen of any scale asks for.
    void startsBlankWithABlackPen()
    {
        ProgramUnderTest p;
        QCOMPARE(p.c.canvas->image(), blankCanvas());
        QCOMPARE(p.c.canvases->background(), kWhite);
        QCOMPARE(p.window.pictureChanged(), false);
        QCOMPARE(p.c.penColourSwatch->backColor(), kBlack);
        QCOMPARE(p.c.backingCanvas->penWidth(), 1);
        QCOMPARE(p.c.cmdStart->isDefault(), true);
        QCOMPARE(QString::fromStdString(p.window.runControl().resumeAngle()), "0");
        QCOMPARE(previewElements(p.c), kPreviewHidden);
        QList<QSize> iconSizes = p.window.windowIcon().availableSizes();
        std::sort(iconSizes.begin(), iconSizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(iconSizes, QList<QSize>({{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    }

    // The preview button hides the preview and shows it again; the focus a click or the program gives a
    // geometry scroll bar shows it too, but not the focus Qt moves on from a slider switched off.
    void previewShownAndHidden()
    {
        ProgramUnderTest p;
        QVERIFY(p.showActive());
        // Moved before the fixed circle is set, the rolling circle shows the fixed one where the layout put it.
        p.c.hsbMoveCircle->setValue(-40);
        QCOMPARE(box(p.c.fixedCirclePreview).topLeft(), QPointF(48, 56));
        p.c.previewButton->click();
        QCOMPARE(previewElements(p.c), kPreviewHidden);
        QCOMPARE(p.c.previewButton->text(), "ﾍﾟﾝを表示");
        p.c.previewButton->click();
        QCOMPARE(previewElements(p.c), kPreviewShown);
        for (Qt::FocusReason reason : {Qt::MouseFocusReason, Qt::OtherFocusReason}) {
            p.c.previewButton->click();
            p.c.canvas->setFocus();
            p.c.hsbPenPosition->setFocus(reason);
            QCOMPARE(previewElements(p.c), kPreviewShown);
        }
        p.c.previewButton->click();
        p.c.ckPenPosition->setValue(2); // grey, as a settings file may set it, frees the slider as a tick does
        p.c.sldPenMove->setFocus(Qt::MouseFocusReason);
        p.c.ckPenPosition->setValue(0);
        QCOMPARE(QApplication::focusWidget(), p.c.hsbFixCircle);
        QCOMPARE(previewElements(p.c), kPreviewHidden);
    }

    void scrollBarsShowTheirSetting_data()
    {
        QTest::addColumn<Preview>("shown");
        // The marker's black middle row lies over the rolling circle's border, which lies over the fixed one's.
        QTest::newRow("inside")
            << Preview{100, -40, 20, "固定円の大きさ   10", "回転円の大きさ　内側  4",
                       "ペンの位置        2", {125, 125, 150, 150}, {215, 170, 60, 60}, {263, 177, 32, 32},
                       {273, 200}, Qt::black};
        QTest::newRow("larger than the fixed circle, not clipped")
            << Preview{20, -200, 25, "固定円の大きさ   2", "回転円の大きさ　内側  20",
                       "ペンの位置        2.5", {185, 185, 30, 30}, {-85, 50, 300, 300}, {90.5, 177, 32, 32},
                       {213, 200}, {255, 128, 128}};
        QTest::newRow("outside, in fractions")
            << Preview{125, 35, -7, "固定円の大きさ   12.5", "回転円の大きさ　外側  3.5",
                       "ペンの位置        -0.7", {106.25, 106.25, 187.5, 187.5}, {293.75, 173.75, 52.5, 52.5},
                       {297.5, 177, 32, 32}, {106, 200}, {208, 208, 208}};
        QTest::newRow("no rolling circle: placed as inside")
            << Preview{100, 0, 10, "固定円の大きさ   10", "回転円の大きさ　　　  0",
                       "ペンの位置        1", {125, 125, 150, 150}, {275, 200, 0, 0}, {278, 177, 32, 32},
                       {126, 200}, {192, 192, 192}};
    }

    void scrollBarsShowTheirSetting()
    {
        QFETCH(Preview, shown);
        ProgramUnderTest p;
        // By the keys, as a user sets them: PageDown, Left and Right.
        p.setCurve(shown.fix - 10, shown.move + 1, shown.pen - 1);
        QTest::keyClick(p.c.hsbFixCircle, Qt::Key_PageDown);
        QTest::keyClick(p.c.hsbMoveCircle, Qt::Key_Left);
        QTest::keyClick(p.c.hsbPenPosition, Qt::Key_Right);
        // A screen reader takes each bar's value in the units of its label, and the label as its name; a bar
        // is no text, and takes the actions of any control.
        const std::tuple<QScrollBar*, int, QString> bars[] = {{p.c.hsbFixCircle, shown.fix, shown.fixLabel},
            {p.c.hsbMoveCircle, shown.move, shown.moveLabel}, {p.c.hsbPenPosition, shown.pen, shown.penLabel}};
        for (const auto& [bar, position, label] : bars) {
            QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(bar);
            QCOMPARE(reading->valueInterface()->currentValue().toDouble(), position / 10.0);
            const auto labelledBy = reading->relations(QAccessible::Label);
            QCOMPARE(labelledBy.size(), 1);
            QCOMPARE(labelledBy.first().first->text(QAccessible::Name), label);
            QCOMPARE(reading->textInterface(), nullptr);
            QVERIFY(reading->actionInterface());
        }
        QCOMPARE(box(p.c.fixedCirclePreview), shown.fixed);
        QCOMPARE(box(p.c.rollingCirclePreview), shown.rolling);
        QCOMPARE(box(p.c.penMarker), shown.marker);
        QCOMPARE(p.c.previewButton->text(), "ﾍﾟﾝを消す");
        QCOMPARE(previewElements(p.c), kPreviewShown);
        QCOMPARE(p.c.canvas->grab().toImage().pixelColor(shown.spot + p.c.canvas->interiorOrigin()), shown.colour);
    }

    void runs_data()
    {
        QTest::addColumn<Run>("run");
        const QString refused = "[くるりえ] 円の大きさを設定してください";
        const QString question = "[確認] 編集を保存しますか?";
        const QString saveAs = "[名前を付けて保存]";
        const Drawn whole = Drawn::Whole, part = Drawn::Part, blank = Drawn::Blank;
        const QString started = "描画を開始しました", resumed = "描画を再開しました";
        const QString ended = "描画が終わりました", stopped = "描画を停止しました";
        const QString pausing = "描画を一時停止しました", drawn = "描いた曲線";
        const QString halfDrawn = "描きかけの曲線、一時停止中", nothing = "何も描かれていません";
        const auto row = [](const char* name, const Run& run) { QTest::newRow(name) << run; };
        row("closes by itself", {{{Start}, {Listen, 30}}, false, true, "0", false, false, whole, true, {}, false,
                                 started, ended, drawn});
        row("zero circle refused", {{{ZeroCircle}, {Start}}, false, false, "0", true, true, blank, false, {refused},
                                    false, "", "", nothing});
        row("stop", {{{Start}, {Start, 50}}, false, true, "0", false, false, part, true, {}, false, "", stopped,
                     drawn});
        // Pass 31 is the first of a step, 32 the second: the stop wins over the pause, and the next run
        // starts from 0 and pauses as any run does.
        row("pause, then stop in the next pass", {{{Start}, {Pause, 31}, {Start, 32}, {Start}, {Pause, 741}}, true,
                                                  false, "123.5", false, false, part, true, {}, false, "", pausing,
                                                  halfDrawn});
        row("stop while paused, then start anew", {{{Start}, {Pause, 741}, {Start}, {Start}}, false, true, "0", false,
                                                   false, whole, true, {}, false, "", ended, drawn});
        row("resume", {{{Start}, {Pause, 741}, {Pause}, {Listen, 30}}, false, true, "0", false, false, whole, true, {},
                       false, resumed, ended, drawn});
        // Paced, paused and resumed, it ends as 普通 does, with the same picture.
        row("遅い", {{{Slow}, {Start}, {Pause, 741}, {Pause}}, false, true, "0", false, false, whole, true, {}, false,
                   "", ended, drawn});
        row("second start while stopping", {{{Start}, {Start, 40}, {Start, 40}}, false, true, "0", false, false, part,
                                            true, {}, false, "", stopped, drawn});
        // The resumed run hides the preview that moving the scroll bar showed, and leaves its caption.
        row("resume on the outer curve", {{{Start}, {Pause, 741}, {OuterCircle}, {Pause}}, false, true, "0", true,
                                          false, part, true, {}, false, "", ended, drawn});
        row("resume with a zero circle", {{{Start}, {Pause, 741}, {ZeroCircle}, {Pause}}, true, false, "123.5", true,
                                          true, part, true, {refused}, false, "", pausing, halfDrawn});
        row("clear while paused", {{{Start}, {Pause, 600}, {Clear}}, true, false, "100", false, false, blank, false,
                                   {}, false, "", pausing, nothing});
        row("close without saving", {{{No}, {Start}, {Close, 60}}, false, true, "0", false, false, part, true,
                                     {question}, true, "", stopped, drawn});
        // Its Save As cancelled, the close is abandoned: the window stays, idle. A pause and then a close
        // in one step: the close wins.
        row("abandoned close of a resumed run", {{{Yes}, {Start}, {Pause, 30}, {Pause}, {Close, 32}}, false, true, "0",
                                                 false, false, part, true, {question, saveAs}, false, "", stopped,
                                                 drawn});
        row("abandoned close with a pause in its step", {{{Yes}, {Start}, {Pause, 31}, {Close, 32}}, false, true, "0",
                                                         false, false, part, true, {question, saveAs}, false, "",
                                                         stopped, drawn});
    }

    void runs()
    {
        QFETCH(Run, run);
        static const QImage whole = tracedPicture();
        ProgramUnderTest p;
        p.window.show();
        p.setCurve(100, -40, 10);
        Heard during;
        for (int i = 0; i < run.presses.size(); ++i) {
            if (run.presses[i].pass > 0)
                continue;
            QObject pressesLeft; // drops the presses in passes the run does not reach
            for (int later = i + 1; later < run.presses.size() && run.presses[later].pass > 0; ++later) {
                const Press press = run.presses[later];
                afterEventPasses(&pressesLeft, press.pass, [&p, &during, press] {
                    if (press.act == Listen)
                        during = heard(p.window);
                    perform(p, press.act);
                });
            }
            perform(p, run.presses[i].act);
        }
        const QImage picture = p.c.canvas->image();
        QCOMPARE(p.c.cmdStart->text(), run.paused ? "停止" : "開始");
        QCOMPARE(p.c.cmdPause->text(), run.paused ? "再開" : "一時停止");
        QCOMPARE(p.c.cmdPause->isEnabled(), run.paused);
        QCOMPARE(p.c.mnuUndo->isEnabled(), run.undoOffered);
        QCOMPARE(QString::fromStdString(p.window.runControl().resumeAngle()), run.resumeAngle);
        QCOMPARE(p.window.settingsPanel().previewShown(), run.previewShown);
        QCOMPARE(p.c.previewButton->text(), run.previewShown ? "ﾍﾟﾝを消す" : "ﾍﾟﾝを表示");
        QCOMPARE(p.c.penMarker->isVisible(), run.previewVisible);
        QCOMPARE(picture == whole ? Drawn::Whole : picture == blankCanvas() ? Drawn::Blank : Drawn::Part, run.picture);
        QCOMPARE(p.window.pictureChanged(), run.changed);
        QCOMPARE(dialogs(p.seam), run.dialogs);
        QCOMPARE(!p.window.isVisible(), run.closed);
        QCOMPARE(p.window.runControl().isTracing(), false);
        QCOMPARE(p.window.traceState().pauseRequested, false);
        QCOMPARE(p.window.traceState().stopRequested, false);
        // While a run draws, the canvas reads as a curve being drawn, and busy.
        const bool listened = !run.heardWhileDrawing.isEmpty();
        QCOMPARE(during.announcement, run.heardWhileDrawing);
        QCOMPARE(during.canvas, listened ? "曲線を描いています" : "");
        QCOMPARE(during.busy, listened);
        const Heard after = heard(p.window);
        QCOMPARE(after.announcement, run.heard);
        QCOMPARE(after.canvas, run.canvasHolds);
        QCOMPARE(after.busy, false);
    }

    void coloursOnTheCanvases_data()
    {
        QTest::addColumn<Colouring>("colouring");
        const QStringList asked{"[確認] 絵が消えますが、よいですか?"}, picked{"[色を選択]"};
        const QStringList both = asked + picked;
        const QColor white(Qt::white), black(Qt::black), blue(Qt::blue), red(Qt::red);
        const QString drawn = "描いた曲線", nothing = "何も描かれていません";
        QTest::newRow("背景色 before drawing: no question")
            << Colouring{{Blue, BackgroundColour}, picked, blue, blue, blue, false, nothing};
        QTest::newRow("背景色 over a drawing, kept by No")
            << Colouring{{Start, No, BackgroundColour}, asked, white, black, white, true, drawn};
        QTest::newRow("背景色 over a drawing, kept by a cancel")
            << Colouring{{Start, Yes, Cancel, BackgroundColour}, both, white, black, white, true, drawn};
        QTest::newRow("背景色 erases a drawing")
            << Colouring{{Start, Yes, Blue, BackgroundColour}, both, blue, blue, blue, true, nothing};
        QTest::newRow("背景色 keeps the pen width")
            << Colouring{{WidestPen, Start, Yes, Blue, BackgroundColour, Start}, both, blue, black, black, true, drawn};
        // A saved picture is not a changed one, but it is erased all the same.
        QTest::newRow("背景色 asks over a saved drawing too")
            << Colouring{{Start, MarkSaved, Yes, Blue, BackgroundColour}, both, blue, blue, blue, true, nothing};
        // Erased, the drawing is still a change to save, and the next 背景色 asks again.
        QTest::newRow("背景色 asks while the erased drawing is unsaved")
            << Colouring{{Start, Yes, Red, BackgroundColour, Yes, Blue, BackgroundColour}, both + both, blue, blue,
                         blue, true, nothing};
        // The next run draws in the pen colour and width chosen: 3 pixels wide.
        QTest::newRow("線色 and the width")
            << Colouring{{Red, PenColour, WidestPen, Start}, picked, white, red, red, true, drawn};
        QTest::newRow("絵を消す: white and blank again")
            << Colouring{{Blue, BackgroundColour, Start, LockBackground, Clear}, picked, white, white, white, false,
                         nothing};
    }

    // What the colour commands and 絵を消す leave on both canvases: the background chosen and shown away
    // from the curve, the curve's start point, a pixel beside it that only a wide pen reaches, and the
    // picture's changed mark; 背景色 can be used again.
    void coloursOnTheCanvases()
    {
        QFETCH(Colouring, colouring);
        ProgramUnderTest p;
        p.setCurve(100, -40, 10);
        for (Act act : colouring.acts)
            perform(p, act);
        QCOMPARE(dialogs(p.seam), colouring.asked);
        QCOMPARE(p.c.canvases->background(), toPacked(colouring.background));
        for (Canvas* canvas : {p.c.canvas, p.c.backingCanvas}) {
            QCOMPARE(canvas->image().pixelColor(5, 5), colouring.background);
            QCOMPARE(canvas->image().pixelColor(260, 200), colouring.curve);
            QCOMPARE(canvas->image().pixelColor(258, 201), colouring.beside);
        }
        QCOMPARE(p.window.pictureChanged(), colouring.changed);
        QCOMPARE(p.c.cmdBkColor->isEnabled(), true);
        QCOMPARE(heard(p.window).canvas, colouring.canvasHolds);
    }

    // Each colour dialog opens on the colour its button changes, which the button, and the pen colour's
    // swatch, tell a screen reader; a cancel keeps the colour, and 絵を消す makes the background white again.
    void colourDialogsOpenOnTheirColour()
    {
        ProgramUnderTest p;
        QStringList openedOn;
        QList<bool> ownDialog; // Qt's own dialog, not the desktop's native one
        const auto pick = [&openedOn, &ownDialog](const QColor& colour) -> ScriptedSeam::Answer {
            return [&openedOn, &ownDialog, colour](QDialog& dialog) {
                openedOn << colourInWords(toPacked(static_cast<QColorDialog&>(dialog).currentColor()));
                ownDialog << static_cast<QColorDialog&>(dialog).testOption(QColorDialog::DontUseNativeDialog);
                return colour.isValid() ? ScriptedSeam::colour(colour)(dialog) : int(QDialog::Rejected);
            };
        };
        p.seam.expect({pick(Qt::red), pick({}), pick(QColor(12, 34, 56)), pick(Qt::blue), pick({})});
        for (QPushButton* button : {p.c.cmdBkColor, p.c.cmdPenColor, p.c.cmdPenColor, p.c.cmdBkColor, p.c.cmdPenColor})
            button->click();
        QCOMPARE(openedOn, QStringList({"白", "黒", "黒", "赤", "赤 12 緑 34 青 56"}));
        QCOMPARE(ownDialog, QList<bool>(5, true));
        QCOMPARE(p.c.cmdPenColor->accessibleDescription(), "赤 12 緑 34 青 56");
        QCOMPARE(p.c.penColourSwatch->accessibleDescription(), "赤 12 緑 34 青 56");
        QCOMPARE(p.c.cmdBkColor->accessibleDescription(), "青");
        const QImage swatch = p.c.penColourSwatch->grab().toImage();
        QCOMPARE(swatch.pixelColor(swatch.rect().center()), QColor(12, 34, 56));
        p.c.cmdClear->click();
        QCOMPARE(p.c.cmdBkColor->accessibleDescription(), "白");
    }

    // At 普通 a run draws straight on the screen; the picture takes the curve when the run ends.
    void normalSpeedDrawsOnTheScreenFirst()
    {
        ProgramUnderTest p;
        p.setCurve(100, -40, 10);
        const QPoint start(260, 200);
        QColor onScreen, inPicture;
        afterEventPasses(&p.window, 300, [&] {
            onScreen = p.c.canvas->screenImage().pixelColor(start);
            inPicture = p.c.canvas->image().pixelColor(start);
        });
        p.c.cmdStart->click();
        QCOMPARE(onScreen, QColor(Qt::black));
        QCOMPARE(inPicture, QColor(Qt::white));
    }

    // Ticked, the gradation takes the pen colour's button and swatch and frees its slider; grey, as a
    // settings file may set it, counts as off and gives them back, with the slider at 0. The pen swing
    // takes grey for a tick, and unticked sets its slider to 0 too.
    void checkBoxesSwitchTheirSliders()
    {
        ProgramUnderTest p;
        p.c.ckPenColor->setValue(1);
        p.c.ckPenPosition->setValue(2);
        p.c.sldPenColor->setValue(7);
        p.c.sldPenMove->setValue(7);
        QCOMPARE(p.c.cmdPenColor->isEnabled(), false);
        QCOMPARE(p.c.penColourSwatch->isHidden(), true);
        QCOMPARE(p.c.sldPenColor->isEnabled(), true);
        QCOMPARE(p.c.sldPenMove->isEnabled(), true);
        p.c.ckPenColor->setValue(2);
        p.c.ckPenPosition->setValue(0);
        QCOMPARE(p.c.ckPenColor->value(), 0);
        QCOMPARE(p.c.cmdPenColor->isEnabled(), true);
        QCOMPARE(p.c.penColourSwatch->isHidden(), false);
        QCOMPARE(p.c.sldPenColor->isEnabled(), false);
        QCOMPARE(p.c.sldPenColor->value(), 0);
        QCOMPARE(p.c.sldPenMove->isEnabled(), false);
        QCOMPARE(p.c.sldPenMove->value(), 0);
        // A click unticks the gradation as well.
        p.c.ckPenColor->setValue(1);
        p.c.ckPenColor->click();
        QCOMPARE(p.c.ckPenColor->value(), 0);
        QCOMPARE(p.c.cmdPenColor->isEnabled(), true);
        QCOMPARE(p.c.penColourSwatch->isHidden(), false);
        QCOMPARE(p.c.sldPenColor->isEnabled(), false);
    }

    // Through the Help menu, the About box shows the program's icon, and Esc closes it.
    void aboutBoxFromTheHelpMenu()
    {
        ProgramUnderTest p;
        QSize icon;
        bool openAfterEsc = true;
        p.seam.expect([&](QDialog& box) {
            box.show();
            icon = box.findChild<QLabel*>("picIcon")->pixmap().size();
            QTest::keyClick(box.focusWidget(), Qt::Key_Escape);
            openAfterEsc = box.isVisible();
            return box.result();
        });
        p.c.mnuAbout->trigger();
        QCOMPARE(dialogs(p.seam), QStringList("[ﾊﾞｰｼﾞｮﾝ情報]"));
        QCOMPARE(icon, QSize(32, 32));
        QCOMPARE(openAfterEsc, false);
    }

    // A maximize from the title bar leaves the main window, the refusal box of 開始 with both circles at 0
    // and the About box at their size.
    void maximizeLeavesTheSize()
    {
        ProgramUnderTest p;
        const ScriptedSeam::Answer maximize = [](QDialog& box) { return maximizeAndWait(box), box.result(); };
        p.seam.expect({maximize, maximize});
        p.c.cmdStart->click();
        p.c.mnuAbout->trigger();
        const QString refused = "[くるりえ] 円の大きさを設定してください";
        QCOMPARE(dialogs(p.seam), QStringList({refused, "[ﾊﾞｰｼﾞｮﾝ情報]"}));
        maximizeAndWait(p.window);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

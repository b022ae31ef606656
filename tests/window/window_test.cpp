// The main window as a user meets it: where each control lies, what it is called and how it starts,
// the preview the scroll bars place, the runs the two buttons control, the colours, the pen and
// clearing.

#include "app/japanese_application.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
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

enum State { Shown = 0, Hidden = 1, Off = 2, On = 4 };

// Each control as the window starts: in its container, as the layout was drawn, with its caption or
// the name a screen reader gives it, and its state.
const struct {
    const char* name;
    QRect geometry;
    const char* readAs;
    int state = Shown;
} kLayout[] = {
    {"frmMain", {0, 0, 607, 444}, "くるりえ"}, {"frmMainInterior", {0, 0, 607, 426}, ""},
    {"picDraw", {8, 8, 402, 402}, "描画領域"}, {"picDrawBk", {8, 8, 400, 400}, "", Hidden},
    {"framCircle", {416, 0, 185, 185}, "円とペンの位置"}, {"lblFixCircle", {8, 16, 169, 17}, "固定円の大きさ   0"},
    {"hsbFixCircle", {432, 32, 153, 13}, "固定円の大きさ"}, {"lblMoveCircle", {8, 56, 161, 17}, "回転円の大きさ   0"},
    {"hsbMoveCircle", {16, 72, 153, 13}, "回転円の大きさ"}, {"lblPenPosition", {8, 96, 161, 17}, "ペンの位置        0"},
    {"hsbPenPosition", {16, 112, 153, 13}, "ペンの位置"}, {"ckPenPosition", {8, 136, 169, 17}, "描画中ペン位置を変化させる"},
    {"sldPenMove", {24, 155, 129, 20}, "描画中ペン位置の変化", Off}, {"framSpeed", {416, 184, 185, 41}, "描画速度"},
    {"Label1", {8, 18, 57, 17}, "描画速度"}, {"opSpeed_1", {72, 16, 17, 17}, "普通", On}, {"Label2", {88, 18, 24, 12}, "普通"},
    {"opSpeed_2", {128, 16, 17, 17}, "遅い"}, {"Label3", {144, 18, 23, 12}, "遅い"},
    {"framColor", {416, 224, 185, 129}, "色と線の幅"}, {"cmdPenColor", {8, 16, 49, 25}, "線色"},
    {"txtPenColor", {64, 16, 13, 25}, "線色の見本", Off}, {"cmdBkColor", {104, 16, 49, 25}, "背景色"},
    {"opPenWidth_1", {16, 48, 17, 24}, "線の幅 1 ピクセル", On}, {"opPenWidth_2", {64, 48, 17, 24}, "線の幅 2 ピクセル"},
    {"opPenWidth_3", {112, 48, 17, 24}, "線の幅 3 ピクセル"}, {"picPenWidth", {8, 48, 169, 25}, "線の幅の見本"},
    {"Line1", {24, 12, 24, 1}, "1 ピクセルの線"}, {"Line2", {72, 11, 24, 2}, "2 ピクセルの線"},
    {"Line3", {120, 11, 24, 3}, "3 ピクセルの線"}, {"ckPenColor", {8, 80, 137, 17}, "線色グラデーション"},
    {"sldPenColor", {32, 96, 113, 20}, "線色グラデーションの粗密", Off}, {"Label4", {16, 104, 25, 17}, "粗"},
    {"Label5", {152, 104, 25, 17}, "密"}, {"cmdStart", {424, 360, 65, 25}, "開始"},
    {"cmdClear", {528, 360, 65, 25}, "絵を消す"}, {"cmdPause", {424, 392, 65, 25}, "一時停止", Off},
    {"CmdCirClear", {528, 392, 65, 25}, "ﾍﾟﾝを表示"}, {"Command1", {328, 408, 73, 17}, "Command1", Hidden},
    {"Command2", {224, 408, 81, 17}, "Command2", Hidden}};

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

// The scroll bars' positions and what they show: the labels, the preview elements' boxes in canvas
// units, and a spot of the canvas with the colour of the element on top there.
struct Preview {
    int fix, move, pen;
    QString fixLabel, moveLabel, penLabel;
    QRectF fixed, rolling, marker;
    QPoint spot;
    QColor colour;
};

// What a user does, or how the next dialog is to be answered.
enum Act { Start, Pause, Clear, Close, ZeroCircle, OuterCircle, Slow, BackgroundColour, PenColour, WidestPen,
           LockBackground, MarkSaved, Yes, No, Cancel, Blue, Red };

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
// not while a run is paused.
struct Run {
    QList<Press> presses;
    bool paused, undoOffered;
    QString resumeAngle;
    bool previewShown, previewVisible;
    Drawn picture;
    bool changed;
    QStringList dialogs;
    bool closed;
};

// Acts on the inner curve 100 / -40 / 10, and what they leave: the dialogs shown, the background
// colour, the colours at the curve's start point and beside it, and the picture-changed mark.
struct Colouring {
    QList<Act> acts;
    QStringList asked;
    QColor background, curve, beside;
    bool changed;
};

} // namespace

Q_DECLARE_METATYPE(Preview)
Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(Colouring)

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpJapaneseApplication(*QCoreApplication::instance()); }

    void layout_data()
    {
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("readAs");
        QTest::addColumn<int>("state");
        for (const auto& placed : kLayout)
            QTest::newRow(placed.name) << placed.geometry << QString::fromUtf8(placed.readAs) << placed.state;
    }

    // Each control at its place, not covered by another, named, and in its state.
    void layout()
    {
        QFETCH(QRect, geometry);
        QFETCH(QString, readAs);
        QFETCH(int, state);
        ProgramUnderTest p;
        const QString name = QTest::currentDataTag();
        QWidget* w = name == "frmMain" ? &p.window : p.window.findChild<QWidget*>(name);
        QCOMPARE(w->isWindow() ? QRect(QPoint(), w->size()) : w->geometry(), geometry);
        QCOMPARE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), readAs);
        QCOMPARE(!w->isWindow() && w->isHidden(), bool(state & Hidden));
        QCOMPARE(w->isEnabled(), !(state & Off));
        QCOMPARE(qobject_cast<QAbstractButton*>(w) && qobject_cast<QAbstractButton*>(w)->isChecked(), bool(state & On));
        QWidget* seen = w->window()->childAt(w->mapTo(w->window(), w->rect().center()));
        if (!w->isWindow() && !w->isHidden() && !readAs.isEmpty())
            QCOMPARE(seen == w || w->isAncestorOf(seen), true);
    }

    // A blank white canvas, nothing to lose, a black pen one pixel wide, and Enter presses 開始.
    void startsBlankWithABlackPen()
    {
        ProgramUnderTest p;
        QCOMPARE(p.c.canvas->image(), blankCanvas());
        QCOMPARE(p.c.canvases->background(), kWhite);
        QCOMPARE(p.window.pictureChanged(), false);
        QCOMPARE(p.c.penColourSwatch->backColor(), kBlack);
        QCOMPARE(p.c.backingCanvas->penWidth(), 1);
        QCOMPARE(p.c.cmdStart->isDefault(), true);
    }

    void scrollBarsShowTheirSetting_data()
    {
        QTest::addColumn<Preview>("shown");
        // The marker's black middle row lies over the rolling circle's border, which lies over the fixed one's.
        QTest::newRow("inside") << Preview{100, -40, 20, "固定円の大きさ   10", "回転円の大きさ　内側  4",
                                           "ペンの位置        2", {125, 125, 150, 150}, {215, 170, 60, 60},
                                           {263, 177, 32, 32}, {273, 200}, Qt::black};
        QTest::newRow("larger than the fixed circle, not clipped")
            << Preview{20, -200, 25, "固定円の大きさ   2", "回転円の大きさ　内側  20", "ペンの位置        2.5",
                       {185, 185, 30, 30}, {-85, 50, 300, 300}, {90.5, 177, 32, 32}, {213, 200}, {255, 128, 128}};
        QTest::newRow("outside, in fractions")
            << Preview{125, 35, -7, "固定円の大きさ   12.5", "回転円の大きさ　外側  3.5", "ペンの位置        -0.7",
                       {106.25, 106.25, 187.5, 187.5}, {293.75, 173.75, 52.5, 52.5}, {297.5, 177, 32, 32}, {106, 200},
                       {208, 208, 208}};
        QTest::newRow("no rolling circle: placed as inside")
            << Preview{100, 0, 10, "固定円の大きさ   10", "回転円の大きさ　　　  0", "ペンの位置        1",
                       {125, 125, 150, 150}, {275, 200, 0, 0}, {278, 177, 32, 32}, {126, 200}, {192, 192, 192}};
    }

    void scrollBarsShowTheirSetting()
    {
        QFETCH(Preview, shown);
        ProgramUnderTest p;
        p.setCurve(shown.fix, shown.move, shown.pen);
        QCOMPARE(p.c.lblFixCircle->text(), shown.fixLabel);
        QCOMPARE(p.c.lblMoveCircle->text(), shown.moveLabel);
        QCOMPARE(p.c.lblPenPosition->text(), shown.penLabel);
        QCOMPARE(box(p.c.fixedCirclePreview), shown.fixed);
        QCOMPARE(box(p.c.rollingCirclePreview), shown.rolling);
        QCOMPARE(box(p.c.penMarker), shown.marker);
        QCOMPARE(p.c.previewButton->text(), "ﾍﾟﾝを消す");
        QCOMPARE(p.c.canvas->grab().toImage().pixelColor(shown.spot + p.c.canvas->interiorOrigin()), shown.colour);
    }

    void runs_data()
    {
        QTest::addColumn<Run>("run");
        const QString refused = "[くるりえ] 円の大きさを設定してください", question = "[確認] 編集を保存しますか?";
        const QString saveAs = "[名前を付けて保存]";
        const Drawn whole = Drawn::Whole, part = Drawn::Part, blank = Drawn::Blank;
        const auto row = [](const char* name, const Run& run) { QTest::newRow(name) << run; };
        row("closes by itself", {{{Start}}, false, true, "0", false, false, whole, true, {}, false});
        row("zero circle refused",
            {{{ZeroCircle}, {Start}}, false, false, "0", true, true, blank, false, {refused}, false});
        row("stop", {{{Start}, {Start, 50}}, false, true, "0", false, false, part, true, {}, false});
        // Pass 31 is the first of a step, 32 the second: the stop wins over the pause, and the next run
        // starts from 0 and pauses as any run does.
        row("pause, then stop in the next pass", {{{Start}, {Pause, 31}, {Start, 32}, {Start}, {Pause, 741}}, true,
                                                  false, "123.5", false, false, part, true, {}, false});
        row("stop while paused, then start anew",
            {{{Start}, {Pause, 741}, {Start}, {Start}}, false, true, "0", false, false, whole, true, {}, false});
        row("resume", {{{Start}, {Pause, 741}, {Pause}}, false, true, "0", false, false, whole, true, {}, false});
        // Paced, paused and resumed, it ends as 普通 does, with the same picture.
        row("遅い", {{{Slow}, {Start}, {Pause, 741}, {Pause}}, false, true, "0", false, false, whole, true, {}, false});
        row("second start while stopping",
            {{{Start}, {Start, 40}, {Start, 40}}, false, true, "0", false, false, part, true, {}, false});
        // The resumed run hides the preview that moving the scroll bar showed, and leaves its caption.
        row("resume on the outer curve",
            {{{Start}, {Pause, 741}, {OuterCircle}, {Pause}}, false, true, "0", true, false, part, true, {}, false});
        row("resume with a zero circle", {{{Start}, {Pause, 741}, {ZeroCircle}, {Pause}}, true, false, "123.5", true,
                                          true, part, true, {refused}, false});
        row("clear while paused",
            {{{Start}, {Pause, 600}, {Clear}}, true, false, "100", false, false, blank, false, {}, false});
        row("close without saving",
            {{{No}, {Start}, {Close, 60}}, false, true, "0", false, false, part, true, {question}, true});
        // Its Save As cancelled, the close is abandoned: the window stays, idle. A pause and then a close
        // in one step: the close wins.
        row("abandoned close of a resumed run", {{{Yes}, {Start}, {Pause, 30}, {Pause}, {Close, 32}}, false, true, "0",
                                                 false, false, part, true, {question, saveAs}, false});
        row("abandoned close with a pause in its step", {{{Yes}, {Start}, {Pause, 31}, {Close, 32}}, false, true, "0",
                                                         false, false, part, true, {question, saveAs}, false});
    }

    void runs()
    {
        QFETCH(Run, run);
        static const QImage whole = tracedPicture();
        ProgramUnderTest p;
        p.window.show();
        p.setCurve(100, -40, 10);
        for (int i = 0; i < run.presses.size(); ++i) {
            if (run.presses[i].pass > 0)
                continue;
            QObject during; // drops the presses in passes the run does not reach
            for (int later = i + 1; later < run.presses.size() && run.presses[later].pass > 0; ++later) {
                const Press press = run.presses[later];
                afterEventPasses(&during, press.pass, [&p, press] { perform(p, press.act); });
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
        QCOMPARE(p.c.penMarker->isVisible(), run.previewVisible);
        QCOMPARE(picture == whole ? Drawn::Whole : picture == blankCanvas() ? Drawn::Blank : Drawn::Part, run.picture);
        QCOMPARE(p.window.pictureChanged(), run.changed);
        QCOMPARE(dialogs(p.seam), run.dialogs);
        QCOMPARE(!p.window.isVisible(), run.closed);
        QCOMPARE(p.window.runControl().isTracing(), false);
        QCOMPARE(p.window.traceState().pauseRequested, false);
        QCOMPARE(p.window.traceState().stopRequested, false);
    }

    void coloursOnTheCanvases_data()
    {
        QTest::addColumn<Colouring>("colouring");
        const QStringList asked{"[確認] 絵が消えますが、よいですか?"}, picked{"[色を選択]"}, both = asked + picked;
        const QColor white(Qt::white), black(Qt::black), blue(Qt::blue), red(Qt::red);
        QTest::newRow("背景色 before drawing: no question")
            << Colouring{{Blue, BackgroundColour}, picked, blue, blue, blue, false};
        QTest::newRow("背景色 over a drawing, kept by No")
            << Colouring{{Start, No, BackgroundColour}, asked, white, black, white, true};
        QTest::newRow("背景色 over a drawing, kept by a cancel")
            << Colouring{{Start, Yes, Cancel, BackgroundColour}, both, white, black, white, true};
        QTest::newRow("背景色 erases a drawing")
            << Colouring{{Start, Yes, Blue, BackgroundColour}, both, blue, blue, blue, true};
        // A saved picture is not a changed one, but it is erased all the same.
        QTest::newRow("背景色 asks over a saved drawing too")
            << Colouring{{Start, MarkSaved, Yes, Blue, BackgroundColour}, both, blue, blue, blue, true};
        // The next run draws in the pen colour and width chosen: 3 pixels wide.
        QTest::newRow("線色 and the width")
            << Colouring{{Red, PenColour, WidestPen, Start}, picked, white, red, red, true};
        QTest::newRow("絵を消す: white and blank again")
            << Colouring{{Blue, BackgroundColour, Start, LockBackground, Clear}, picked, white, white, white, false};
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
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

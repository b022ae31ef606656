// The main window as a user drives it: its layout, the run buttons, the scroll bars and their
// preview, the colours, the overlaps, the focus, the names read out, the About box, and the fixed
// sizes that a title-bar maximize leaves alone.

#include "about/about_box.h"
#include "app/japanese_application.h"
#include "controls/announcer.h"
#include "controls/colour_swatch.h"
#include "controls/colour_words.h"
#include "controls/focus_ring.h"
#include "controls/option_group.h"
#include "controls/packed_colour.h"
#include "controls/preview_element.h"
#include "controls/state_check_box.h"
#include "controls/canvas_pair.h"
#include "support/program_fixture.h"
#include "window/run_control.h"

#include <QAccessible>
#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QWindow>

#include <tuple>

using namespace kururie;

namespace {

const QString kWhole = QStringLiteral("ﾍﾟﾝを消す: out in pen"), kHidden = QStringLiteral("ﾍﾟﾝを表示:");
const QString kIdle = QStringLiteral("開始 一時停止(無効) 0");

// The run as the buttons and the hidden counter show it, e.g. "停止 再開 123.5".
QString runState(MainWindow& window)
{
    const MainControls& c = window.controls();
    return c.cmdStart->text() + ' ' + c.cmdPause->text() + (c.cmdPause->isEnabled() ? " " : "(無効) ") +
           QString::fromStdString(window.runControl().resumeAngle());
}

// The toggle's caption, then the preview elements shown.
QString preview(const MainControls& c)
{
    return c.previewButton->text() + ':' + (c.fixedCirclePreview->isVisible() ? " out" : "") +
           (c.rollingCirclePreview->isVisible() ? " in" : "") + (c.penMarker->isVisible() ? " pen" : "");
}

// What a screen reader learns of a run: the last announcement, and what the canvas holds, busy
// while a run draws on it.
QString heard(MainWindow& window)
{
    QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(window.controls().canvas);
    return window.findChild<Announcer*>()->message() + " / " + canvas->text(QAccessible::Description) +
           (canvas->state().busy ? " (busy)" : "");
}

int inked(const QImage& canvas)
{
    const auto* pixel = reinterpret_cast<const QRgb*>(canvas.constBits());
    return int(std::count_if(pixel, pixel + canvas.width() * canvas.height(), [](QRgb p) { return p != 0xffffffff; }));
}

// A maximize as Qt's own Wayland title bar asks for it leaves a fixed window normal at its size;
// under Weston an unhandled one ends the program.
void maximizeAndWait(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize fixed = window.size();
    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTRY_VERIFY(window.windowHandle()->windowStates() == Qt::WindowNoState && window.size() == fixed &&
                window.minimumSize() == fixed && window.maximumSize() == fixed);
}

// Three scroll bar positions, their labels, the preview's circles and pen marker as "left,top
// widthxheight", and a spot of the canvas with the colour shown there.
using Geometry = std::tuple<int, int, int, QString, QString, QPoint, QRgb>;

} // namespace

Q_DECLARE_METATYPE(Geometry)

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpJapaneseApplication(*QCoreApplication::instance()); }

    // Every control at its place, with its caption, range, font and state as the window starts; the
    // menus with their shortcuts; the About box.
    void layoutAsDrawn()
    {
        const QStringList expected = QStringLiteral(R"(frmMain 0,0 607x444 flags a007001|frmMainInterior 0,0 607x426
picDraw 8,8 402x402|picDrawBk 8,8 400x400 hidden
framCircle 416,0 185x185|lblFixCircle 8,16 169x17 '固定円の大きさ   0'|hsbFixCircle 432,32 153x13 0 in 0..200 by 1/10
lblMoveCircle 8,56 161x17 '回転円の大きさ   0'|hsbMoveCircle 16,72 153x13 0 in -200..200 by 1/10
lblPenPosition 8,96 161x17 'ペンの位置        0'|hsbPenPosition 16,112 153x13 0 in -100..100 by 1/10
ckPenPosition 8,136 169x17 '描画中ペン位置を変化させる'|sldPenMove 24,155 129x20 0 in 0..15 by 1/5 off
framSpeed 416,184 185x41|Label1 8,18 57x17 '描画速度'|opSpeed_1 72,16 17x17 '' on|Label2 88,18 24x12 '普通'
opSpeed_2 128,16 17x17 ''|Label3 144,18 23x12 '遅い'
framColor 416,224 185x129|cmdPenColor 8,16 49x25 '線色' 9|txtPenColor 64,16 13x25 off|cmdBkColor 104,16 49x25 '背景色' 9
opPenWidth_1 16,48 17x24 '' on|opPenWidth_2 64,48 17x24 ''|opPenWidth_3 112,48 17x24 ''
picPenWidth 8,48 169x25|Line1 24,12 24x1|Line2 72,11 24x2|Line3 120,11 24x3
ckPenColor 8,80 137x17 '線色グラデーション'|sldPenColor 32,96 113x20 0 in 0..20 by 1/5 off|Label4 16,104 25x17 '粗'|Label5 152,104 25x17 '密'
cmdStart 424,360 65x25 '開始' bold 9|cmdClear 528,360 65x25 '絵を消す' bold 9|cmdPause 424,392 65x25 '一時停止' off bold 9
CmdCirClear 528,392 65x25 'ﾍﾟﾝを表示' 9|Command1 328,408 73x17 'Command1' hidden 9|Command2 224,408 81x17 'Command2' hidden 9
mnuFileNew '新規(&N)' Ctrl+N|mnuFileOpen '開く(&O)...' Ctrl+O|mnuFileSave '上書き保存(&S)' Ctrl+S|mnuFileSaveAs '名前を付けて保存(&A)...'
mnuFileExit '終了(&X)'|mnuCopy 'コピー(&C)' Ctrl+C|mnuPaste '貼り付け(&P)' Ctrl+V|mnuAbout 'バージョン情報(&A)'
frmAbout 0,0 367x165 flags a003103|cmdOK 248,128 92x23 'OK' 9|picIcon 16,16 32x32 ''|lblTitle 104,24 187x24 'くるりえ  Version 1.00'|lblDescription 104,64 179x30 'Copyright (C) 2002/くるりえの作者'
Line1_0 8,120 352x2|Line1_1 8,120 352x1)").split(QRegularExpression("[|\n]"));
        const auto describe = [](QObject* object) {
            QString row = object->objectName();
            if (auto* w = qobject_cast<QWidget*>(object)) {
                const QRect g = w->isWindow() ? QRect(QPoint(), w->size()) : w->geometry();
                row += QString(" %1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
            }
            if (auto* bar = qobject_cast<QAbstractSlider*>(object))
                row += QString(" %5 in %1..%2 by %3/%4").arg(bar->minimum()).arg(bar->maximum()).arg(bar->singleStep()).arg(bar->pageStep()).arg(bar->value());
            const QVariant caption = object->property("text");
            if (caption.isValid() && !qobject_cast<QLineEdit*>(object))
                row += " '" + caption.toString().replace('\n', '/') + "'";
            if (auto* w = qobject_cast<QWidget*>(object))
                row += QString(w->isHidden() && !w->isWindow() ? " hidden" : "") + (w->isEnabled() ? "" : " off")
                       + (w->isWindow() ? QString(" flags %1").arg(int(w->windowFlags()), 0, 16) : QString());
            if (auto* button = qobject_cast<QAbstractButton*>(object); button && button->isChecked())
                row += " on";
            if (auto* action = qobject_cast<QAction*>(object); action && !action->shortcut().isEmpty())
                row += ' ' + action->shortcut().toString();
            if (auto* button = qobject_cast<QPushButton*>(object))
                row += QString(button->font().bold() ? " bold %1" : " %1").arg(button->font().pointSize());
            return row;
        };
        ProgramUnderTest p;
        AboutBox about;
        QStringList actual;
        for (const QString& row : expected) {
            const QString name = row.section(' ', 0, 0);
            QObject* object = name == "frmAbout" ? &about : name == "frmMain" ? &p.window : p.window.findChild<QObject*>(name);
            actual << describe(object ? object : about.findChild<QObject*>(name));
        }
        QCOMPARE(actual, expected);
    }

    void startsIdleAndShowsThePreviewForAFocusTheUserGives()
    {
        ProgramUnderTest p;
        MainControls& c = p.c;
        QVERIFY(p.showActive());
        QCOMPARE(p.window.windowTitle() + ", " + runState(p.window) + ", " + preview(c), "くるりえ, " + kIdle + ", " + kHidden);
        QVERIFY(c.canvas->penWidth() == 1 && inked(c.canvas->image()) == 0 && !p.window.pictureChanged());
        // A title bar, a task bar and a screen of any scale each find the icon drawn at their size.
        QList<QSize> iconSizes = p.window.windowIcon().availableSizes();
        std::sort(iconSizes.begin(), iconSizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(iconSizes, QList<QSize>({{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
        // Moved before the fixed circle is set, the rolling circle shows the fixed one where the layout put it.
        c.hsbMoveCircle->setValue(-40);
        QCOMPARE(QPointF(c.fixedCirclePreview->left(), c.fixedCirclePreview->top()), QPointF(48, 56));
        c.previewButton->click(); // hides it, and shows it again
        c.previewButton->click();
        QCOMPARE(preview(c), kWhole);
        QStringList shown;
        for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::MouseFocusReason, Qt::OtherFocusReason,
                                       Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
            if (preview(c) != kHidden)
                c.previewButton->click();
            c.canvas->setFocus();
            c.hsbPenPosition->setFocus(reason);
            shown << preview(c) + (c.hsbPenPosition->hasFocus() ? "" : " (focus lost)");
        }
        // As a settings file does: grey, the box enables the slider like a tick; unticking it disables the
        // focused slider, and Qt moves the focus on.
        c.ckPenPosition->setValue(2);
        c.sldPenMove->setFocus(Qt::MouseFocusReason);
        c.ckPenPosition->setValue(0);
        shown << QApplication::focusWidget()->objectName() + ' ' + preview(c);
        QCOMPARE(shown, QStringList({kWhole, kWhole, kWhole, kHidden, kHidden, kHidden, "hsbFixCircle " + kHidden}));
    }

    void scrollBarsSetLabelsAndPreview_data()
    {
        const QString fixed10 = "固定円の大きさ   10 / 回転円の大きさ";
        QTest::addColumn<Geometry>("g");
        // The marker's black middle row lies over the rolling circle's border, which lies over the fixed one's;
        // a circle's outline is centred in its box, to the fraction of a pixel.
        QTest::newRow("inside") << Geometry{100, -40, 20, fixed10 + "　内側  4 / ペンの位置        2",
                                            "125,125 150x150 / 215,170 60x60 / 263,177 32x32", {273, 200}, qRgb(0, 0, 0)};
        QTest::newRow("larger than the fixed circle, not clipped")
            << Geometry{20, -200, 25, "固定円の大きさ   2 / 回転円の大きさ　内側  20 / ペンの位置        2.5",
                        "185,185 30x30 / -85,50 300x300 / 90.5,177 32x32", {213, 200}, qRgb(255, 128, 128)};
        QTest::newRow("outside, in fractions") << Geometry{125, 35, -7, "固定円の大きさ   12.5 / 回転円の大きさ　外側  3.5 / ペンの位置        -0.7",
                                               "106.25,106.25 187.5x187.5 / 293.75,173.75 52.5x52.5 / 297.5,177 32x32", {106, 200}, qRgb(208, 208, 208)};
    }

    void scrollBarsSetLabelsAndPreview()
    {
        QFETCH(Geometry, g);
        const auto& [fix, move, pen, labels, shown, spot, colour] = g;
        ProgramUnderTest p;
        // By the keys, as a user sets them: PageDown, Left and Right.
        p.setCurve(fix - 10, move + 1, pen - 1);
        QTest::keyClick(p.c.hsbFixCircle, Qt::Key_PageDown);
        QTest::keyClick(p.c.hsbMoveCircle, Qt::Key_Left);
        QTest::keyClick(p.c.hsbPenPosition, Qt::Key_Right);
        const auto box = [](const PreviewElement* e) {
            return QString("%1,%2 %3x%4").arg(e->left()).arg(e->top()).arg(e->width()).arg(e->height());
        };
        // A screen reader takes each bar's value in the units of its label, and the label as its name.
        QStringList values, labelledBy;
        for (QScrollBar* bar : {p.c.hsbFixCircle, p.c.hsbMoveCircle, p.c.hsbPenPosition}) {
            QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(bar);
            // It is no text, and takes the actions of any control.
            values << reading->valueInterface()->currentValue().toString() + (reading->textInterface() || !reading->actionInterface() ? "?" : "");
            for (const auto& [label, relation] : reading->relations(QAccessible::Label))
                labelledBy << label->text(QAccessible::Name);
        }
        QCOMPARE(QStringList({labelledBy.join(" / "), box(p.c.fixedCirclePreview) + " / " + box(p.c.rollingCirclePreview) + " / " + box(p.c.penMarker),
                              preview(p.c), values.join(' ')}),
                 QStringList({labels, shown, kWhole, QString("%1 %2 %3").arg(fix / 10.0).arg(move / 10.0).arg(pen / 10.0)}));
        if (!spot.isNull())
            QCOMPARE(p.c.canvas->grab().toImage().pixel(spot + p.c.canvas->interiorOrigin()), colour);
    }

    void runControl_data()
    {
        QTest::addColumn<QString>("script"); // one action a line; action@pass acts in that event pass of the run
        QTest::addColumn<QString>("seen");   // the buttons and the counter, the preview, the picture, the dialogs shown
        const QString hidden = ", " + kHidden, part = kIdle + hidden + ", part changed";
        const QString refused = ", [くるりえ] 円の大きさを設定してください", question = ", [確認] 編集を保存しますか?";
        // What a screen reader hears: the announcement, then what the canvas holds.
        const QString drawing = ", 描画を開始しました / 曲線を描いています (busy)", ended = ", 描画が終わりました / 描いた曲線";
        const QString stopped = ", 描画を停止しました / 描いた曲線", paused = ", 描画を一時停止しました / 描きかけの曲線、一時停止中";
        QTest::newRow("closes by itself") << "start listen@30" << kIdle + hidden + ", whole changed" + drawing + ended;
        QTest::newRow("zero circle refused") << "zero; start" << kIdle + ", " + kWhole + ", blank" + refused + ",  / 何も描かれていません";
        QTest::newRow("stop") << "start start@50" << part + stopped;
        // Pass 31 is the first of a step, 32 the second: the stop wins over the pause, and the next run
        // starts from 0 and pauses as any run does.
        QTest::newRow("pause, then stop in the next pass") << "start pause@31 start@32; start pause@741"
                                                           << "停止 再開 123.5" + hidden + ", part changed" + paused;
        QTest::newRow("resume") << "start pause@741; pause listen@30"
                                << kIdle + hidden + ", whole changed, 描画を再開しました / 曲線を描いています (busy)" + ended;
        // Paced, paused and resumed, it ends as 普通 does, with the same picture.
        QTest::newRow("遅い") << "slow; start pause@741; pause" << kIdle + hidden + ", whole changed" + ended;
        QTest::newRow("second start while stopping") << "start start@40 start@40" << part + stopped;
        // The resumed run hides the preview that moving the scroll bar showed, and leaves its caption.
        QTest::newRow("resume on the outer curve") << "start pause@741; outer; pause" << kIdle + ", ﾍﾟﾝを消す:, part changed" + ended;
        QTest::newRow("resume with a zero circle") << "start pause@741; zero; pause"
                                                   << "停止 再開 123.5, " + kWhole + ", part changed" + refused + paused;
        QTest::newRow("clear while paused") << "start pause@600; clear" << "停止 再開 100" + hidden + ", blank, 描画を一時停止しました / 何も描かれていません";
        QTest::newRow("close without saving") << "no; start close@60" << part + question + ", closed" + stopped;
        // Its Save As cancelled, the close is abandoned: the window stays, idle.
        QTest::newRow("abandoned close of a resumed run") << "start pause@30; pause close@32" << part + question + ", [名前を付けて保存]" + stopped;
        // A pause and then a close in one step: the close wins, and abandoned, it leaves the window idle.
        QTest::newRow("abandoned close with a pause in its step") << "start pause@31 close@32" << part + question + ", [名前を付けて保存]" + stopped;
    }

    void runControl()
    {
        QFETCH(QString, script);
        QFETCH(QString, seen);
        static const QImage whole = tracedPicture();
        ProgramUnderTest p;
        QStringList heardDuring;
        p.window.show();
        p.setCurve(100, -40, 10);
        p.seam.expect(ScriptedSeam::yes());
        p.seam.expect(ScriptedSeam::cancel());
        const QMap<QString, std::function<void()>> act{
            {"start", [&p] { p.c.cmdStart->click(); }},          {"pause", [&p] { p.c.cmdPause->click(); }},
            {"clear", [&p] { p.c.cmdClear->click(); }},          {"close", [&p] { p.window.close(); }},
            {"zero", [&p] { p.c.hsbMoveCircle->setValue(0); }}, {"outer", [&p] { p.c.hsbMoveCircle->setValue(40); }},
            {"slow", [&p] { p.c.speedOptions->setValue(2, true); }},  {"listen", [&p, &heardDuring] { heardDuring << heard(p.window); }},
            {"no", [&p] { p.seam.clear(), p.seam.expect(ScriptedSeam::no()); }}};
        for (const QString& line : script.split("; ")) {
            const QStringList words = line.split(' ');
            QObject during;
            for (const QString& word : words.mid(1))
                afterEventPasses(&during, word.section('@', 1).toInt(), act.value(word.section('@', 0, 0)));
            act.value(words.first())();
        }
        const QImage picture = p.c.canvas->image();
        QStringList state{runState(p.window), preview(p.c), QString(picture == whole ? "whole" : inked(picture) ? "part" : "blank") + (p.window.pictureChanged() ? " changed" : "")};
        state << dialogs(p.seam) << (p.window.isVisible() ? QStringList() : QStringList("closed")) << heardDuring << heard(p.window);
        QCOMPARE(state.join(", "), seen);
        const TraceState& flags = p.window.traceState();
        QVERIFY(!p.window.runControl().isTracing() && !flags.pauseRequested && !flags.stopRequested);
    }

    void coloursAndClearing()
    {
        ProgramUnderTest p;
        MainControls& c = p.c;
        // Each colour dialog opens on the colour its button changes; its colour in words is what the
        // button and the swatch tell a screen reader.
        QStringList openedOn;
        const auto pick = [&openedOn](const QColor& colour) -> ScriptedSeam::Answer {
            return [&openedOn, colour](QDialog& dialog) {
                openedOn << colourInWords(toPacked(static_cast<QColorDialog&>(dialog).currentColor()));
                return colour.isValid() ? ScriptedSeam::colour(colour)(dialog) : int(QDialog::Rejected);
            };
        };
        for (auto answer : {pick(Qt::red), pick({}), pick(Qt::green), ScriptedSeam::no(), ScriptedSeam::yes(), pick({}),
                            ScriptedSeam::yes(), pick(Qt::blue), pick(QColor(12, 34, 56))})
            p.seam.expect(answer);
        // Nothing drawn yet: the background changes without a question. A cancel keeps the pen colour.
        c.cmdBkColor->click();
        c.cmdPenColor->click();
        QVERIFY(c.canvas->image().pixelColor(5, 5) == Qt::red && c.penColourSwatch->backColor() == 0 && !p.window.pictureChanged());
        c.cmdPenColor->click();
        c.penWidthOptions->setValue(3, true);
        p.setCurve(100, -40, 10);
        // 普通: the segments go straight to the screen, and into the picture when the run ends.
        const QPoint start(260, 200);
        QList<QColor> seen;
        afterEventPasses(&p.window, 300, [&] { seen << c.canvas->screenImage().pixelColor(start) << c.canvas->image().pixelColor(start); });
        c.cmdStart->click();
        seen << c.canvas->image().pixelColor(start) << c.backingCanvas->image().pixelColor(start);
        QCOMPARE(seen, QList<QColor>({Qt::green, Qt::red, Qt::green, Qt::green}));
        const QImage drawn = c.canvas->image();
        c.cmdBkColor->click();
        c.cmdBkColor->click();
        QCOMPARE(c.canvas->image(), drawn);
        c.cmdBkColor->click();
        const QString asked = "[確認] 絵が消えますが、よいですか?", colour = "[色を選択]";
        QCOMPARE(dialogs(p.seam), QStringList({colour, colour, colour, asked, asked, colour, asked, colour}));
        QCOMPARE(QAccessible::queryAccessibleInterface(c.canvas)->text(QAccessible::Description), "何も描かれていません");
        QVERIFY(c.canvas->image().pixelColor(start) == Qt::blue && c.backingCanvas->image().pixelColor(start) == Qt::blue &&
                c.canvases->background() == 255u * 65536u && p.window.pictureChanged() && c.backingCanvas->penWidth() == 3);
        c.cmdPenColor->click();
        const QString told = c.cmdPenColor->accessibleDescription() + " / " + c.penColourSwatch->accessibleDescription() + " / " +
                             c.cmdBkColor->accessibleDescription();
        c.cmdClear->click();
        QVERIFY(inked(c.canvas->image()) + inked(c.backingCanvas->image()) == 0 && c.canvases->background() == 16777215u);
        QCOMPARE(openedOn, QStringList({"白", "黒", "黒", "赤", "赤", "緑"}));
        // The sixteen basic colours by their names, the rest by their channels.
        QStringList named;
        for (const char* name : {"black", "silver", "gray", "white", "maroon", "red", "purple", "fuchsia", "green", "lime",
                                 "olive", "yellow", "navy", "blue", "teal", "aqua", "orange"})
            named << colourInWords(toPacked(QColor(QString::fromLatin1(name))));
        QCOMPARE(named.join(' '), "黒 銀色 灰色 白 栗色 赤 紫 赤紫 深緑 緑 オリーブ 黄 紺 青 青緑 水色 赤 255 緑 165 青 0");
        QCOMPARE(told + " / " + c.cmdBkColor->accessibleDescription(), "赤 12 緑 34 青 56 / 赤 12 緑 34 青 56 / 青 / 白");
    }

    void overlapsTabOrderNamesAndFixedSizes()
    {
        const char* const pairs[][2] = {
            {"hsbFixCircle", "lblFixCircle"}, {"lblMoveCircle", "hsbMoveCircle"}, {"lblPenPosition", "hsbPenPosition"},
            {"framCircle", "framSpeed"},      {"framSpeed", "framColor"},         {"opSpeed_1", "Label2"},
            {"opSpeed_2", "Label3"},          {"opPenWidth_1", "picPenWidth"},    {"opPenWidth_2", "picPenWidth"},
            {"opPenWidth_3", "picPenWidth"},  {"ckPenColor", "sldPenColor"},      {"sldPenColor", "Label4"}};
        ProgramUnderTest p;
        // Where two controls overlap, the one listed first lies on top.
        QWidget* central = p.window.centralWidget();
        const auto inCentral = [central](QWidget* w) { return QRect(w->mapTo(central, QPoint()), w->size()); };
        for (const auto& [upper, lower] : pairs) {
            auto* top = p.window.findChild<QWidget*>(upper);
            const QRect overlap = inCentral(top) & inCentral(p.window.findChild<QWidget*>(lower));
            QWidget* hit = central->childAt(overlap.center());
            QVERIFY2(!overlap.isEmpty() && (hit == top || top->isAncestorOf(hit)), upper);
        }
        QVERIFY(p.showActive());
        p.c.ckPenPosition->setValue(1);
        p.c.ckPenColor->setValue(1); // enables its slider and disables 線色
        p.c.cmdPause->setEnabled(true);
        p.c.canvas->setFocus(Qt::TabFocusReason);
        // Each control shows the focus by the ring around it, and the ring takes no clicks.
        const auto* ring = central->findChild<FocusRing*>();
        const auto focused = [&] {
            QWidget* control = QApplication::focusWidget();
            const bool ringed = ring->isVisible() && ring->geometry() == inCentral(control).adjusted(-2, -2, 2, 2)
                                && central->childAt(ring->pos()) != ring;
            return control->objectName() + (ringed ? "" : " (no ring)");
        };
        QStringList visited{focused()};
        while (visited.size() < 17) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focused();
        }
        QCOMPARE(visited.join(' '), "picDraw cmdBkColor ckPenPosition ckPenColor cmdStart sldPenColor cmdClear sldPenMove "
                                    "hsbFixCircle hsbMoveCircle hsbPenPosition opPenWidth_1 picPenWidth cmdPause opSpeed_1 "
                                    "CmdCirClear picDraw");
        // A click on the words 遅い selects their button, as a click on a button's own caption does.
        QTest::mouseClick(p.c.slowSpeedLabel, Qt::RightButton);
        const bool byRightButton = p.c.speedOptions->value(2);
        QTest::mouseClick(p.c.slowSpeedLabel, Qt::LeftButton);
        QVERIFY(!byRightButton && p.c.speedOptions->value(2) && !p.c.speedOptions->value(1) && p.c.speedOptions->button(2)->hasFocus());
        // A screen reader meets every shown control by its name, and none of the hidden ones that only
        // hold state; plain panes that take no focus are no controls, but the width strokes are named.
        QStringList unnamed;
        QString about;
        std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* reading) {
            auto* control = qobject_cast<QWidget*>(reading->object());
            if (reading->role() == QAccessible::MenuBar || !control)
                return;
            const bool pane = reading->role() == QAccessible::Client && control->focusPolicy() == Qt::NoFocus
                              && control->parentWidget() != p.c.penWidthLegend;
            if (!control->isVisible())
                unnamed << control->objectName() + " (hidden)";
            else if (!pane && control->isEnabled() && reading->text(QAccessible::Name).isEmpty())
                unnamed << control->objectName();
            for (int i = 0; i < reading->childCount(); ++i)
                read(reading->child(i));
        };
        const auto listUnnamed = [&read](QWidget& window) { read(QAccessible::queryAccessibleInterface(&window)); };
        listUnnamed(p.window);
        // The About box, through the Help menu; Esc closes it.
        p.seam.expect([&](QDialog& box) {
            maximizeAndWait(box);
            listUnnamed(box);
            QTest::keyClick(box.focusWidget(), Qt::Key_Escape);
            about = box.windowTitle() + ' ' + box.findChild<QLabel*>("lblTitle")->text() + ' ' + QString::number(box.findChild<QLabel*>("picIcon")->pixmap().width()) + (box.isVisible() ? " (open)" : "");
            return box.result();
        });
        p.c.mnuAbout->trigger();
        QCOMPARE(unnamed, QStringList());
        QCOMPARE(about, "ﾊﾞｰｼﾞｮﾝ情報 くるりえ  Version 1.00 32");
        // Unticked again, the gradation gives 線色 back and turns its slider off.
        p.c.ckPenColor->click();
        QVERIFY(p.c.cmdPenColor->isEnabled() && !p.c.penColourSwatch->isHidden() && !p.c.sldPenColor->isEnabled());
        // The refusal box of 開始, with both circles at 0, and the main window keep their size too.
        p.seam.expect([](QDialog& box) { return maximizeAndWait(box), box.result(); });
        p.c.cmdStart->click();
        maximizeAndWait(p.window);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

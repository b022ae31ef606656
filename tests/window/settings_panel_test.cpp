#include "app/program.h"
#include "support/curve_settings.h"
#include "support/event_passes.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/colour_swatch.h"
#include "window/main_window.h"
#include "window/option_group.h"
#include "window/preview_element.h"
#include "window/settings_panel.h"
#include "window/state_check_box.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QtTest>

using namespace kururie;

namespace {

struct Box {
    float left, top, width, height;
};

Box boxOf(const PreviewElement* element)
{
    return {element->left(), element->top(), element->width(), element->height()};
}

bool previewShown(const MainControls& c)
{
    return c.ShpOutCircle->isVisible() && c.ShpInCircle->isVisible() && c.imgPen->isVisible();
}

bool previewHidden(const MainControls& c)
{
    return !c.ShpOutCircle->isVisible() && !c.ShpInCircle->isVisible() && !c.imgPen->isVisible();
}

int inkedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
}

} // namespace

class SettingsPanelTest : public QObject {
    Q_OBJECT

private slots:
    void previewShowsWhereTheRunStarts_data()
    {
        QTest::addColumn<int>("move");
        QTest::addColumn<float>("rollingLeft");
        QTest::addColumn<float>("penLeft");
        QTest::newRow("inside") << -40 << 215.0f << 270.5f;
        QTest::newRow("outside") << 40 << 275.0f << 330.5f;
    }

    void previewShowsWhereTheRunStarts()
    {
        QFETCH(int, move);
        QFETCH(float, rollingLeft);
        QFETCH(float, penLeft);
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, move, 25);
        const Box fixed = boxOf(c.ShpOutCircle);
        QCOMPARE(fixed.left, 125.0f);
        QCOMPARE(fixed.top, 125.0f);
        QCOMPARE(fixed.width, 150.0f);
        QCOMPARE(fixed.height, 150.0f);
        const Box rolling = boxOf(c.ShpInCircle);
        QCOMPARE(rolling.left, rollingLeft);
        QCOMPARE(rolling.top, 170.0f);
        QCOMPARE(rolling.width, 60.0f);
        QCOMPARE(c.imgPen->left(), penLeft);
        QCOMPARE(c.imgPen->top(), 177.0f);
        QVERIFY(previewShown(c));
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
    }

    void oversizedRollingCircleIsNotClipped()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbFixCircle->setValue(20);
        c.hsbMoveCircle->setValue(-200);
        QCOMPARE(c.ShpInCircle->width(), 300.0f);
        QCOMPARE(c.ShpInCircle->left(), -85.0f);
    }

    void labelsShowValueAndSide_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("fixed") << "hsbFixCircle" << 125 << "lblFixCircle" << QStringLiteral("固定円の大きさ   12.5");
        QTest::newRow("inside") << "hsbMoveCircle" << -40 << "lblMoveCircle" << QStringLiteral("回転円の大きさ　内側  4");
        QTest::newRow("outside") << "hsbMoveCircle" << 35 << "lblMoveCircle" << QStringLiteral("回転円の大きさ　外側  3.5");
        QTest::newRow("pen negative") << "hsbPenPosition" << -7 << "lblPenPosition" << QStringLiteral("ペンの位置        -0.7");
        QTest::newRow("pen whole") << "hsbPenPosition" << 10 << "lblPenPosition" << QStringLiteral("ペンの位置        1");
    }

    void labelsShowValueAndSide()
    {
        QFETCH(QString, bar);
        QFETCH(int, position);
        QFETCH(QString, label);
        QFETCH(QString, text);
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        window.findChild<QScrollBar*>(bar)->setValue(position);
        QCOMPARE(window.findChild<QLabel*>(label)->text(), text);
    }

    void rollingCircleBackAtZeroHasTheBlankSeparator()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbMoveCircle->setValue(5);
        c.hsbMoveCircle->setValue(0);
        QCOMPARE(c.lblMoveCircle->text(), QStringLiteral("回転円の大きさ　　　  0"));
        QCOMPARE(window.traceState().gMoveCircle, 0.0f);
    }

    void arrowKeysMoveTheWayTheyPoint()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        QScrollBar* bar = window.controls().hsbMoveCircle;
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->value(), 1);
        QTest::keyClick(bar, Qt::Key_Left);
        QTest::keyClick(bar, Qt::Key_Left);
        QCOMPARE(bar->value(), -1);
        QTest::keyClick(bar, Qt::Key_PageDown);
        QCOMPARE(bar->value(), 9);
        QTest::keyClick(bar, Qt::Key_PageUp);
        QCOMPARE(bar->value(), -1);
    }

    void settingTheSamePositionRaisesNothing()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbFixCircle->setValue(0);
        QCOMPARE(c.lblFixCircle->text(), QStringLiteral("固定円の大きさ   0"));
        QVERIFY(previewHidden(c));
    }

    void toggleFollowsItsCaption()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.CmdCirClear->click();
        QVERIFY(previewShown(c));
        // Nothing has been refreshed yet: the elements show at their start-up places.
        QCOMPARE(c.ShpInCircle->left(), 56.0f);
        QCOMPARE(c.imgPen->left(), 160.0f);
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
        c.CmdCirClear->click();
        QVERIFY(previewHidden(c));
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを表示"));
    }

    void penMarkerAloneAfterAHiddenPreview()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbFixCircle->setValue(100);
        c.CmdCirClear->click();
        QVERIFY(previewHidden(c));
        c.hsbPenPosition->setValue(3);
        QVERIFY(c.imgPen->isVisible());
        QVERIFY(!c.ShpOutCircle->isVisible() && !c.ShpInCircle->isVisible());
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
    }

    void onlyAFocusTheUserGivesShowsThePreview_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("shown");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << true;
        QTest::newRow("click") << int(Qt::MouseFocusReason) << true;
        QTest::newRow("program") << int(Qt::OtherFocusReason) << true;
        QTest::newRow("window active again") << int(Qt::ActiveWindowFocusReason) << false;
        QTest::newRow("popup closed") << int(Qt::PopupFocusReason) << false;
        QTest::newRow("menu bar left") << int(Qt::MenuBarFocusReason) << false;
    }

    void onlyAFocusTheUserGivesShowsThePreview()
    {
        QFETCH(int, reason);
        QFETCH(bool, shown);
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        c.hsbFixCircle->setValue(100);
        c.CmdCirClear->click();
        c.picDraw->setFocus();
        c.hsbPenPosition->setFocus(Qt::FocusReason(reason));
        QVERIFY(c.hsbPenPosition->hasFocus());
        QCOMPARE(previewShown(c), shown);
        QCOMPARE(previewHidden(c), !shown);
    }

    void focusPassedOnFromADisabledSliderShowsNothing()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        c.hsbFixCircle->setValue(100);
        c.CmdCirClear->click();
        c.ckPenPosition->setValue(1);
        c.sldPenMove->setFocus(Qt::MouseFocusReason);
        // As a settings file does: unticking the box disables the slider, and Qt passes the focus on.
        c.ckPenPosition->setValue(0);
        QCOMPARE(QApplication::focusWidget(), c.hsbFixCircle);
        QVERIFY(previewHidden(c));
    }

    void resumeHidesThePreviewButKeepsTheCaption()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbFixCircle->setValue(100);
        c.hsbMoveCircle->setValue(-40);
        AfterEventPasses pause(30, [&c] { c.cmdPause->click(); });
        c.cmdStart->click();
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを表示"));
        c.hsbPenPosition->setValue(10);
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
        c.cmdPause->click();
        QVERIFY(previewHidden(c));
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを消す"));
        c.CmdCirClear->click();
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを表示"));
        QVERIFY(previewHidden(c));
    }

    void penSwingBoxDrivesItsSlider()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QVERIFY(!c.sldPenMove->isEnabled());
        c.ckPenPosition->click();
        QVERIFY(c.sldPenMove->isEnabled());
        c.sldPenMove->setValue(7);
        c.ckPenPosition->click();
        QCOMPARE(c.sldPenMove->value(), 0);
        QVERIFY(!c.sldPenMove->isEnabled());
        c.ckPenPosition->setValue(2);
        QVERIFY(c.sldPenMove->isEnabled());
    }

    void clearWipesBothCanvasesAndKeepsTheRun()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, -40, 10);
        AfterEventPasses pause(600, [&c] { c.cmdPause->click(); });
        c.cmdStart->click();
        const QString angle = c.txtCount->text();
        c.cmdClear->click();
        QCOMPARE(inkedPixels(c.picDraw->image()), 0);
        QCOMPARE(inkedPixels(c.picDrawBk->image()), 0);
        QVERIFY(!window.pictureChanged());
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ"));
        QCOMPARE(c.txtCount->text(), angle);
        QCOMPARE(c.cmdPause->text(), QStringLiteral("再開"));

        c.cmdPause->click();
        // Only the part of the curve after the paused angle is on the cleared canvas.
        QCOMPARE(c.picDraw->image().pixelColor(260, 200), QColor(Qt::black));
        QVERIFY(window.pictureChanged());
    }

    void backgroundColourAsksBeforeErasing()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.hsbFixCircle->setValue(100);
        c.hsbMoveCircle->setValue(-40);
        c.cmdStart->click();
        const QImage drawn = c.picDraw->image();

        seam.expect(ScriptedSeam::no());
        c.cmdBkColor->click();
        QCOMPARE(seam.shown().back().text, QStringLiteral("絵が消えますが、よいですか?"));
        QCOMPARE(seam.shown().back().title, QStringLiteral("確認"));
        QCOMPARE(c.picDraw->image(), drawn);

        seam.expect(ScriptedSeam::yes());
        seam.expect(ScriptedSeam::cancel());
        c.cmdBkColor->click();
        QCOMPARE(c.picDraw->image(), drawn);
        QCOMPARE(c.txtBkColor->backColor(), 16777215u);

        seam.expect(ScriptedSeam::yes());
        seam.expect(ScriptedSeam::colour(QColor(0, 0, 255)));
        c.cmdBkColor->click();
        QCOMPARE(c.txtBkColor->backColor(), 255u * 65536u);
        QCOMPARE(c.picDraw->image().pixelColor(260, 200), QColor(0, 0, 255));
        QCOMPARE(c.picDrawBk->image().pixelColor(260, 200), QColor(0, 0, 255));
        QVERIFY(window.pictureChanged());
        QVERIFY(seam.allAnswered());
        QCOMPARE(seam.unexpectedCount(), 0);
    }

    void backgroundColourOnAFreshPictureAsksNothing()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        seam.expect(ScriptedSeam::colour(QColor(255, 0, 0)));
        c.cmdBkColor->click();
        QCOMPARE(seam.shown().size(), std::size_t(1));
        QCOMPARE(c.picDraw->image().pixelColor(5, 5), QColor(255, 0, 0));
        QVERIFY(!window.pictureChanged());
    }

    void penColourCancelKeepsTheSwatch()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        seam.expect(ScriptedSeam::cancel());
        c.cmdPenColor->click();
        QCOMPARE(c.txtPenColor->backColor(), 0u);
        seam.expect(ScriptedSeam::colour(QColor(0, 255, 0)));
        c.cmdPenColor->click();
        QCOMPARE(c.txtPenColor->backColor(), 65280u);
    }

    void gradationSwitchesTheColourControls()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.ckPenColor->click();
        QVERIFY(!c.cmdPenColor->isEnabled());
        QVERIFY(c.txtPenColor->isHidden());
        QVERIFY(c.sldPenColor->isEnabled());
        c.sldPenColor->setValue(5);
        c.ckPenColor->click();
        QVERIFY(c.cmdPenColor->isEnabled());
        QVERIFY(!c.txtPenColor->isHidden());
        QCOMPARE(c.sldPenColor->value(), 0);
        QVERIFY(!c.sldPenColor->isEnabled());
        // A grey state set by code counts as off and is put back to unchecked.
        c.ckPenColor->setValue(2);
        QCOMPARE(c.ckPenColor->value(), 0);
        QVERIFY(c.cmdPenColor->isEnabled());
    }

    void penWidthChangeAffectsOnlyLaterSegments()
    {
        auto inkAfterRun = [](int switchAfterPasses) {
            ScriptedSeam seam;
            Program program(seam);
            MainWindow& window = program.window();
            MainControls& c = window.controls();
            setCurve(window, 100, -40, 10);
            AfterEventPasses widen(switchAfterPasses, [&c] { c.opPenWidth->button(3)->click(); });
            c.cmdStart->click();
            return inkedPixels(c.picDrawBk->image());
        };
        const int thinThenThick = inkAfterRun(2000);
        const int thickThroughout = inkAfterRun(1);
        const int thinThroughout = inkAfterRun(100000);
        QVERIFY(thinThroughout < thinThenThick);
        QVERIFY(thinThenThick < thickThroughout);
    }
};

QTEST_MAIN(SettingsPanelTest)
#include "settings_panel_test.moc"

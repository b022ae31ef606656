#include "app/program.h"
#include "support/curve_settings.h"
#include "support/event_passes.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/main_window.h"
#include "window/option_group.h"
#include "window/preview_element.h"
#include "window/run_control.h"
#include "window/state_check_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QtTest>

#include <functional>

using namespace kururie;

class RunControlTest : public QObject {
    Q_OBJECT

private slots:
    void startsInItsStartUpState()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ"));
        QCOMPARE(window.centralWidget()->size(), QSize(607, 426));
        QVERIFY(!c.cmdPause->isEnabled());
        QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
        QCOMPARE(c.cmdPause->text(), QStringLiteral("一時停止"));
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを表示"));
        QCOMPARE(c.lblFixCircle->text(), QStringLiteral("固定円の大きさ   0"));
        QCOMPARE(c.lblMoveCircle->text(), QStringLiteral("回転円の大きさ   0"));
        QCOMPARE(c.lblPenPosition->text(), QStringLiteral("ペンの位置        0"));
        QCOMPARE(c.txtCount->text(), QStringLiteral("0"));
        QVERIFY(c.opSpeed->value(1) && !c.opSpeed->value(2));
        QVERIFY(c.opPenWidth->value(1));
        QCOMPARE(c.picDraw->penWidth(), 1);
        QCOMPARE(c.picDraw->image().pixelColor(10, 10), QColor(Qt::white));
        QCOMPARE(c.picDraw->scaleWidth(), 400.0);
        QVERIFY(!window.pictureChanged());
        for (const char* name : {"txtCount", "txtBkColor", "picDrawBk", "Command1", "Command2"})
            QVERIFY2(window.findChild<QWidget*>(name)->isHidden(), name);
        for (const char* name : {"imgPen", "ShpInCircle", "ShpOutCircle"})
            QVERIFY2(!window.findChild<PreviewElement*>(name)->isVisible(), name);
        QVERIFY(window.findChild<QRadioButton*>("opSpeed_1"));
        QVERIFY(window.findChild<QRadioButton*>("opPenWidth_3"));
    }

    void menusCarryTheirCaptionsAndShortcuts()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QCOMPARE(c.mnuFile->title(), QStringLiteral("ファイル(&F)"));
        QCOMPARE(c.mnuFileOpen->text(), QStringLiteral("開く(&O)..."));
        QCOMPARE(c.mnuFileSaveAs->text(), QStringLiteral("名前を付けて保存(&A)..."));
        QCOMPARE(c.mnuFileNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(c.mnuFileSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(c.mnuCopy->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
        QCOMPARE(c.mnuPaste->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(c.mnuHelp->title(), QStringLiteral("ヘルプ(&H)"));
        QVERIFY(c.mnuFileBar1->isSeparator());

        seam.expect(ScriptedSeam::ok());
        c.mnuAbout->trigger();
        QCOMPARE(seam.shown().back().className, QStringLiteral("kururie::AboutBox"));
        QCOMPARE(seam.shown().back().title, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    }

    void startWithAZeroCircleIsRefused()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        window.controls().hsbFixCircle->setValue(100);
        seam.expect(ScriptedSeam::ok());
        window.controls().cmdStart->click();
        QCOMPARE(seam.shown().size(), std::size_t(1));
        QCOMPARE(seam.shown()[0].text, QStringLiteral("円の大きさを設定してください"));
        QCOMPARE(seam.shown()[0].title, QString());
        QCOMPARE(window.controls().cmdStart->text(), QStringLiteral("開始"));
        QVERIFY(!window.pictureChanged());
    }

    void aRunDrawsTheCurveUntilItCloses()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, -40, 10);
        c.cmdStart->click();
        QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
        QVERIFY(!c.cmdPause->isEnabled());
        QCOMPARE(c.txtCount->text(), QStringLiteral("0"));
        QVERIFY(window.pictureChanged());
        QVERIFY(!window.traceState().gStopFlag && !window.traceState().gPauseFlag);
        // The start point (260, 200) is drawn in black on both canvases; the centre stays white.
        QCOMPARE(c.picDraw->image().pixelColor(260, 200), QColor(Qt::black));
        QCOMPARE(c.picDrawBk->image().pixelColor(260, 200), QColor(Qt::black));
        QCOMPARE(c.picDraw->image().pixelColor(200, 200), QColor(Qt::white));
        QCOMPARE(c.picDraw->image(), c.picDrawBk->image());
        QCOMPARE(c.CmdCirClear->text(), QStringLiteral("ﾍﾟﾝを表示"));
        QVERIFY(!c.imgPen->isVisible());
    }

    void stopEndsTheRunAtTheNextStep()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 200, 103, 10);
        AfterEventPasses stop(50, [&c] {
            c.cmdStart->click();
            QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
            QVERIFY(!c.cmdPause->isEnabled());
        });
        c.cmdStart->click();
        QCOMPARE(c.txtCount->text(), QStringLiteral("0"));
        QVERIFY(!window.traceState().gStopFlag);
        QVERIFY(!window.runControl().isTracing());
        QVERIFY(window.pictureChanged());
    }

    void pauseAndResumeContinueFromTheStoredAngle()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, -40, 10);
        AfterEventPasses pause(300, [&c] { c.cmdPause->click(); });
        c.cmdStart->click();
        QCOMPARE(c.cmdStart->text(), QStringLiteral("停止"));
        QCOMPARE(c.cmdPause->text(), QStringLiteral("再開"));
        QVERIFY(c.cmdPause->isEnabled());
        const QString angle = c.txtCount->text();
        QVERIFY(angle.toFloat() > 0);
        QVERIFY(window.pictureChanged());

        c.cmdPause->click();
        QCOMPARE(c.cmdPause->text(), QStringLiteral("一時停止"));
        QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
        QCOMPARE(c.txtCount->text(), QStringLiteral("0"));
        QCOMPARE(c.picDraw->image(), c.picDrawBk->image());
    }

    void stopWhilePausedEndsTheRun()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, -40, 10);
        AfterEventPasses pause(30, [&c] { c.cmdPause->click(); });
        c.cmdStart->click();
        c.cmdStart->click();
        QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
        QCOMPARE(c.cmdPause->text(), QStringLiteral("一時停止"));
        QVERIFY(!c.cmdPause->isEnabled());
        QCOMPARE(c.txtCount->text(), QStringLiteral("0"));
    }

    void aSecondStartDuringAStoppingRunIsIgnored()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 200, 103, 10);
        int nested = 0;
        AfterEventPasses doubleClick(40, [&] {
            c.cmdStart->click(); // stop
            c.cmdStart->click(); // start again before the run has returned
            nested = c.cmdStart->text() == QStringLiteral("停止") ? 1 : 0;
        });
        c.cmdStart->click();
        QCOMPARE(nested, 0);
        QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
        QVERIFY(!window.runControl().isTracing());
    }

    void resumeWithAZeroCircleStaysPaused()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, -40, 10);
        AfterEventPasses pause(30, [&c] { c.cmdPause->click(); });
        c.cmdStart->click();
        const QString angle = c.txtCount->text();
        c.hsbMoveCircle->setValue(0);
        seam.expect(ScriptedSeam::ok());
        c.cmdPause->click();
        QCOMPARE(seam.shown().back().text, QStringLiteral("円の大きさを設定してください"));
        QCOMPARE(c.cmdPause->text(), QStringLiteral("再開"));
        QCOMPARE(c.cmdStart->text(), QStringLiteral("停止"));
        QCOMPARE(c.txtCount->text(), angle);
        QVERIFY(!window.traceState().gPauseFlag);
    }

    void closingDuringARunStopsItFirst()
    {
        ScriptedSeam seam;
        auto* window = new MainWindow(seam);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<MainWindow> alive(window);
        window->show();
        MainControls& c = window->controls();
        setCurve(*window, 200, 103, 10);
        bool stillRunningAfterClose = false;
        AfterEventPasses close(60, [&] {
            window->close();
            stillRunningAfterClose = window->runControl().isTracing();
        });
        c.cmdStart->click();
        QVERIFY(stillRunningAfterClose);
        QVERIFY(!window->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive.isNull());
    }

    void anAbandonedCloseLeavesTheRunIdle_data()
    {
        QTest::addColumn<bool>("resumedFirst");
        QTest::addColumn<bool>("pauseInTheSameStep");
        QTest::newRow("resumed run closed") << true << false;
        QTest::newRow("pause honoured with the close") << false << true;
    }

    void anAbandonedCloseLeavesTheRunIdle()
    {
        QFETCH(bool, resumedFirst);
        QFETCH(bool, pauseInTheSameStep);
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        window.show();
        MainControls& c = window.controls();
        setCurve(window, 200, 103, 10);
        if (resumedFirst) {
            AfterEventPasses pause(30, [&c] { c.cmdPause->click(); });
            c.cmdStart->click();
            QCOMPARE(c.cmdPause->text(), QStringLiteral("再開"));
        }
        // The save question is answered Yes and its Save As cancelled, so the window stays.
        seam.expect(ScriptedSeam::yes());
        seam.expect(ScriptedSeam::cancel());
        // Pass 31 is the first event pass of a step, 32 the second: a pause asked in the first is
        // honoured in the same step as a close that arrives in the second.
        AfterEventPasses pause(31, [&c, pauseInTheSameStep] {
            if (pauseInTheSameStep)
                c.cmdPause->click();
        });
        AfterEventPasses close(32, [&window] { window.close(); });
        (resumedFirst ? c.cmdPause : c.cmdStart)->click();
        QVERIFY(seam.allAnswered());
        QVERIFY(window.isVisible());
        QCOMPARE(c.cmdStart->text(), QStringLiteral("開始"));
        QCOMPARE(c.cmdPause->text(), QStringLiteral("一時停止"));
        QVERIFY(!c.cmdPause->isEnabled());
        QCOMPARE(c.txtCount->text(), QStringLiteral("0"));
        QVERIFY(!window.traceState().gPauseFlag);
    }

    void slowSpeedDrawsThroughThePersistentImage()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        setCurve(window, 100, 40, 10);
        c.opSpeed->setValue(2, true);
        c.opSpeed->setValue(1, false);
        c.cmdStart->click();
        QVERIFY(c.picDraw->persistentDrawing());
        c.opSpeed->setValue(1, true);
        c.cmdStart->click();
        QVERIFY(!c.picDraw->persistentDrawing());
    }
};

QTEST_MAIN(RunControlTest)
#include "run_control_test.moc"

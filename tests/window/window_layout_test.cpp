// Where the main window's controls overlap, which one lies on top, and where Tab takes the focus.

#include "app/program.h"
#include "about/about_box.h"
#include "support/curve_settings.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/main_window.h"
#include "window/preview_element.h"
#include "window/state_check_box.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QtTest>

using namespace kururie;

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void theControlListedFirstLiesOnTop_data()
    {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("fixed circle bar over its label") << "hsbFixCircle" << "lblFixCircle";
        QTest::newRow("rolling circle label over its bar") << "lblMoveCircle" << "hsbMoveCircle";
        QTest::newRow("pen label over its bar") << "lblPenPosition" << "hsbPenPosition";
        QTest::newRow("circle frame over speed frame") << "framCircle" << "framSpeed";
        QTest::newRow("speed frame over colour frame") << "framSpeed" << "framColor";
        QTest::newRow("normal speed over its label") << "opSpeed_1" << "Label2";
        QTest::newRow("slow speed over its label") << "opSpeed_2" << "Label3";
        for (const char* button : {"opPenWidth_1", "opPenWidth_2", "opPenWidth_3"})
            QTest::newRow(button) << button << "picPenWidth";
        QTest::newRow("gradation box over its slider") << "ckPenColor" << "sldPenColor";
        QTest::newRow("gradation slider over 粗") << "sldPenColor" << "Label4";
    }

    void theControlListedFirstLiesOnTop()
    {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        QWidget* central = window.centralWidget();
        auto* top = window.findChild<QWidget*>(upper);
        auto* bottom = window.findChild<QWidget*>(lower);
        const auto inCentral = [central](QWidget* w) { return QRect(w->mapTo(central, QPoint(0, 0)), w->size()); };
        const QRect overlap = inCentral(top) & inCentral(bottom);
        QVERIFY(!overlap.isEmpty());
        QWidget* hit = central->childAt(overlap.center());
        QVERIFY2(hit == top || top->isAncestorOf(hit), qPrintable(hit ? hit->objectName() : QStringLiteral("nothing")));
    }

    void previewPenOverRollingCircleOverFixedCircle()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        // The rolling circle touches the fixed one from inside at (275, 200); both borders are there.
        setCurve(window, 100, -40, 0);
        const QPoint border = QPoint(273, 200) + c.picDraw->interiorOrigin();
        QCOMPARE(c.picDraw->grab().toImage().pixelColor(border), QColor(255, 128, 128));
        // Pen 20 puts the marker's opaque middle row (y 23 of the picture) over the same point.
        c.hsbPenPosition->setValue(20);
        const QImage marker(QStringLiteral(":/pen.png"));
        const QPoint inMarker = QPoint(273, 200) - QPoint(int(c.imgPen->left()), int(c.imgPen->top()));
        QCOMPARE(c.picDraw->grab().toImage().pixelColor(border), marker.pixelColor(inMarker));
    }

    void everyControlHasANameToBeRead()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        window.show();
        AboutBox about;
        about.show();
        QStringList unnamed;
        for (const QWidget* top : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&about)}) {
            for (QWidget* control : top->findChildren<QWidget*>()) {
                QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(control);
                // Plain panes and strokes that take no focus are no controls; the menu bar's menus carry names.
                const bool isControl = reading->role() != QAccessible::MenuBar &&
                                      (reading->role() != QAccessible::Client || control->focusPolicy() != Qt::NoFocus);
                if (isControl && control->isVisible() && control->isEnabled() && reading->text(QAccessible::Name).isEmpty())
                    unnamed << control->objectName();
            }
        }
        QCOMPARE(unnamed, QStringList());
    }

    void tabVisitsTheControlsInOrder()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        c.ckPenPosition->setValue(1);
        c.ckPenColor->setValue(1); // enables its slider and disables 線色
        c.cmdPause->setEnabled(true);
        c.picDraw->setFocus(Qt::TabFocusReason);
        const QStringList expected{"picDraw",      "cmdBkColor",    "ckPenPosition",  "ckPenColor",
                                   "cmdStart",     "sldPenColor",   "cmdClear",       "sldPenMove",   "hsbFixCircle",
                                   "hsbMoveCircle", "hsbPenPosition", "opPenWidth_1", "picPenWidth",  "cmdPause",
                                   "opSpeed_1",    "CmdCirClear",   "picDraw"};
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"

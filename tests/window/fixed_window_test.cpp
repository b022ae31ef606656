// A maximize asked for by the title bar, as Qt's own Wayland title bar asks for it, leaves the
// fixed windows at their size. Under Weston an unhandled one ends the program.

#include "about/about_box.h"
#include "support/scripted_seam.h"
#include "window/main_window.h"
#include "window/messages.h"

#include <QMessageBox>
#include <QWindow>
#include <QtTest>

using namespace kururie;

namespace {

void maximizeAndWait(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize fixed = window.size();
    QCOMPARE(window.maximumSize(), fixed);
    window.windowHandle()->setWindowStates(Qt::WindowMaximized);
    QTRY_VERIFY(window.windowHandle()->windowStates() == Qt::WindowNoState && window.maximumSize() == fixed);
    QCOMPARE(window.minimumSize(), fixed);
    QCOMPARE(window.size(), fixed);
}

} // namespace

class FixedWindowTest : public QObject {
    Q_OBJECT

private slots:
    void maximizeLeavesTheWindowAtItsSize_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << "frmMain";
        QTest::newRow("About box") << "frmAbout";
        QTest::newRow("message box") << "message";
    }

    void maximizeLeavesTheWindowAtItsSize()
    {
        QFETCH(QString, window);
        ScriptedSeam seam;
        if (window == "frmMain") {
            MainWindow main(seam);
            maximizeAndWait(main);
        } else if (window == "frmAbout") {
            AboutBox box;
            maximizeAndWait(box);
        } else {
            seam.expect([](QDialog& box) {
                maximizeAndWait(box);
                return int(QMessageBox::Ok);
            });
            showExclamation(seam, nullptr, QStringLiteral("円の大きさを設定してください"));
            QVERIFY(seam.allAnswered());
        }
    }
};

QTEST_MAIN(FixedWindowTest)
#include "fixed_window_test.moc"

#include "app/program.h"
#include "documents/clipboard_commands.h"
#include "support/curve_settings.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/main_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace kururie;

namespace {

QImage filled(QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class ClipboardCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A Wayland clipboard belongs to a seat, and Weston's headless back end has no input
        // devices, so no wl_seat: Qt drops every write to the clipboard there.
        if (QGuiApplication::platformName() != QLatin1String("wayland"))
            return;
        QGuiApplication::clipboard()->setText(QStringLiteral("probe"));
        if (QGuiApplication::clipboard()->text() != QLatin1String("probe"))
            QSKIP("the Wayland compositor offers no wl_seat, so there is no clipboard");
    }

    void copyPutsTheWholeFinishedDrawing()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        setCurve(window, 100, -40, 10);
        c.cmdStart->click();
        c.mnuCopy->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(400, 400));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), c.picDraw->image());
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasText());
    }

    void pasteEnabledFollowsTheLastMenuOpening()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QVERIFY(c.mnuPaste->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("text only"));
        emit c.mnuEdit->aboutToShow();
        QVERIFY(!c.mnuPaste->isEnabled());
        QGuiApplication::clipboard()->setImage(filled(QSize(10, 10), Qt::red));
        QVERIFY(!c.mnuPaste->isEnabled());
        emit c.mnuEdit->aboutToShow();
        QVERIFY(c.mnuPaste->isEnabled());
    }

    void pasteOfASmallerPictureShowsItTopLeftOnBothCanvases()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QGuiApplication::clipboard()->setImage(filled(QSize(50, 30), Qt::red));
        emit c.mnuEdit->aboutToShow();
        c.mnuPaste->trigger();
        for (Canvas* canvas : {c.picDraw, c.picDrawBk}) {
            QCOMPARE(canvas->image().pixelColor(49, 29), QColor(Qt::red));
            QCOMPARE(canvas->image().pixelColor(50, 30), QColor(Qt::white));
        }
        QVERIFY(!c.cmdBkColor->isEnabled());
        QVERIFY(window.pictureChanged());
        QCOMPARE(window.windowTitle(), QStringLiteral("くるりえ"));
    }

    void pasteOfALargerPictureIsClipped()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QImage big = filled(QSize(900, 700), Qt::blue);
        big.setPixelColor(399, 399, Qt::green);
        QGuiApplication::clipboard()->setImage(big);
        c.mnuPaste->trigger();
        QCOMPARE(c.picDraw->picture().size(), QSize(400, 400));
        QCOMPARE(c.picDrawBk->picture().size(), QSize(400, 400));
        QCOMPARE(c.picDraw->image().size(), QSize(400, 400));
        QCOMPARE(c.picDraw->image().pixelColor(399, 399), QColor(Qt::green));
        QCOMPARE(c.picDraw->image().pixelColor(0, 0), QColor(Qt::blue));
    }

    void ctrlVWithoutAPictureChangesNothing()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QGuiApplication::clipboard()->setImage(filled(QSize(10, 10), Qt::red));
        emit c.mnuEdit->aboutToShow();
        QGuiApplication::clipboard()->setText(QStringLiteral("changed since"));
        QVERIFY(c.mnuPaste->isEnabled());
        c.mnuPaste->trigger();
        QCOMPARE(c.picDraw->image().pixelColor(5, 5), QColor(Qt::white));
        QVERIFY(c.cmdBkColor->isEnabled());
        QVERIFY(!window.pictureChanged());
    }

    void ctrlVAfterTheClipboardChangedStillPastes()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        QGuiApplication::clipboard()->setImage(filled(QSize(10, 10), Qt::red));
        emit c.mnuEdit->aboutToShow();
        QGuiApplication::clipboard()->setImage(filled(QSize(10, 10), Qt::green));
        window.show();
        window.activateWindow();
        // A Wayland compositor, not the program, activates a window, some time after it is shown.
        QTRY_VERIFY(window.isActiveWindow());
        QTest::keyClick(&window, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(c.picDraw->image().pixelColor(5, 5), QColor(Qt::green));
    }

    void canvasClickCopiesThePersistentPicture()
    {
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        MainControls& c = window.controls();
        c.picDraw->setPicture(filled(QSize(20, 20), Qt::red));
        c.picDraw->drawSegment({0, 100, 300, 100}, 0);
        QTest::mouseClick(c.picDraw, Qt::LeftButton, {}, QPoint(5, 5));
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(20, 20));
        QCOMPARE(copied.pixelColor(5, 5), QColor(Qt::red));
    }
};

QTEST_MAIN(ClipboardCommandsTest)
#include "clipboard_commands_test.moc"

// Files that are not what their drop target takes: nothing may change, not the picture, the
// title, the document state nor any control, however the file is broken.

#include "app/program.h"
#include "documents/settings_io.h"
#include "support/file_drops.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/main_window.h"

#include <QBuffer>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace kururie;

namespace {

const QByteArray kSettingsLine = "100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1,5\r\n";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray pngBytes()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// Everything a rejected file must leave alone.
struct WindowState {
    explicit WindowState(MainWindow& window)
        : settings(settingsFromControls(window.controls())),
          image(window.controls().picDraw->image()),
          title(window.windowTitle()),
          pictureChanged(window.pictureChanged()),
          backgroundButton(window.controls().cmdBkColor->isEnabled())
    {
    }

    bool operator==(const WindowState& other) const
    {
        return settings == other.settings && image == other.image && title == other.title
            && pictureChanged == other.pictureChanged && backgroundButton == other.backgroundButton;
    }

    SettingsRecord settings;
    QImage image;
    QString title;
    bool pictureChanged;
    bool backgroundButton;
};

} // namespace

class RejectedDropsTest : public QObject {
    Q_OBJECT

private slots:
    // Without this the other tests would also pass if the drops never arrived.
    void goodFilesDroppedTheSameWayAreTaken()
    {
        QTemporaryDir folder;
        const QString picture = folder.filePath(QStringLiteral("good.png"));
        const QString settings = folder.filePath(QStringLiteral("good.txt"));
        QVERIFY(writeFile(picture, pngBytes()));
        QVERIFY(writeFile(settings, kSettingsLine));
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        dropFile(window.controls().framColor, settings);
        QCOMPARE(window.controls().hsbMoveCircle->value(), -40);
        dropFile(window.controls().picDraw, picture);
        QVERIFY(window.windowTitle().endsWith(picture));
    }

    void aBrokenPictureOnTheCanvasChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary junk") << QByteArray::fromHex("00ff13a7c4000000deadbeef").repeated(64);
        QTest::newRow("bitmap header only") << QByteArray("BM");
        QTest::newRow("png cut after its header") << pngBytes().left(40);
        QTest::newRow("gif cut after its signature") << QByteArray("GIF89a\x04\x00");
        QTest::newRow("settings text") << kSettingsLine;
    }

    void aBrokenPictureOnTheCanvasChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString picture = folder.filePath(QStringLiteral("broken.bmp"));
        // A valid companion settings file must not come in with a picture that did not.
        QVERIFY(writeFile(picture, bytes));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("broken.txt")), kSettingsLine));
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        const WindowState before(window);
        dropFile(window.controls().picDraw, picture);
        QVERIFY(WindowState(window) == before);
        QVERIFY(seam.shown().empty());
    }

    void aFileThatIsNotSettingsOnTheFramesChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("png picture") << pngBytes();
        QTest::newRow("binary junk with the settings inside") << QByteArray(3, '\0') + kSettingsLine;
        QTest::newRow("thirteen fields") << QByteArray("100,-40,25,0,1,#TRUE#,#FALSE#,255,16777215,#TRUE#,#FALSE#,#FALSE#,1");
        QTest::newRow("two megabytes of one letter") << QByteArray(2 * 1024 * 1024, 'x');
        QTest::newRow("a number too long for any field") << QByteArray(100000, '9') + kSettingsLine.mid(3);
    }

    void aFileThatIsNotSettingsOnTheFramesChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("dropped.txt"));
        QVERIFY(writeFile(path, bytes));
        ScriptedSeam seam;
        Program program(seam);
        MainWindow& window = program.window();
        const WindowState before(window);
        const MainControls& c = window.controls();
        for (QWidget* target : {static_cast<QWidget*>(&window), static_cast<QWidget*>(c.framCircle),
                                static_cast<QWidget*>(c.framColor), static_cast<QWidget*>(c.framSpeed)})
            dropFile(target, path);
        QVERIFY(WindowState(window) == before);
        QVERIFY(seam.shown().empty());
    }
};

QTEST_MAIN(RejectedDropsTest)
#include "rejected_drops_test.moc"

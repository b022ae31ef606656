// Files of a few bytes, found by the picture fuzzer, whose headers ask for a picture of hundreds of
// megabytes: a 55-byte BMP decodes to 5 × 12912381 pixels. The canvas shows 400 × 400 pixels, so
// the picture reader's memory limit is sized for pictures of ordinary photo sizes, not for these;
// they are rejected like undecodable files, and dropping one on the canvas changes nothing.

#include "documents/picture_files.h"
#include "support/file_drops.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/main_window.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

using namespace kururie;

namespace {

QString corpusFile(const QString& name)
{
    return QFINDTESTDATA("../../fuzz/corpus/picture_loader/" + name);
}

} // namespace

class PictureMemoryRegressionTest : public QObject {
    Q_OBJECT

private slots:
    void aTinyFileAskingForAHugePictureIsRejected_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("55-byte bmp, 5 x 12912381, 246 MB") << QStringLiteral("tiny-bmp-5x12912381.bmp");
        QTest::newRow("55-byte bmp, 2 x 16777219, 128 MB") << QStringLiteral("tiny-bmp-2x16777219.bmp");
        QTest::newRow("352-byte jpeg, 65402 x 763, 190 MB") << QStringLiteral("tiny-jpeg-65402x763.jpg");
    }

    void aTinyFileAskingForAHugePictureIsRejected()
    {
        QFETCH(QString, name);
        const QString path = corpusFile(name);
        QVERIFY2(!path.isEmpty(), qPrintable("missing corpus file " + name));
        QVERIFY(readPicture(path).isNull());

        ScriptedSeam seam;
        MainWindow window(seam);
        const QString title = window.windowTitle();
        dropFile(window.controls().picDraw, path);
        QCOMPARE(window.windowTitle(), title);
        QVERIFY(window.controls().picDraw->picture().isNull());
        QVERIFY(!window.pictureChanged());
    }
};

QTEST_MAIN(PictureMemoryRegressionTest)
#include "picture_memory_regression_test.moc"

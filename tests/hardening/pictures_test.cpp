// Photos as cameras and scanners make them show their top-left part; files whose headers claim far
// more than they hold, and the fuzzers' corpus, are refused or shown as far as the canvas goes,
// without the program allocating what they claim.

#include "documents/settings_record.h"
#include "support/program_fixture.h"

#include <QtGui>

using namespace kururie;

namespace {

// White, with a black square in the top-left corner (black all over when smaller than that).
QByteArray photo(QSize size, const char* format, bool progressive = false)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(0, 0, 16, 16, Qt::black);
    QBuffer buffer;
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return buffer.open(QIODevice::WriteOnly) && writer.write(picture) ? buffer.data() : QByteArray();
}

// What the canvas keeps of a picture file dropped on it.
QImage shown(const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.bmp"));
    ProgramUnderTest program;
    return writeFile(path, bytes) && dropFiles(program.c.picDraw, {path}) ? program.c.picDraw->picture() : QImage();
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void picturesShowTheirTopLeftOrNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // of the part shown; none when refused
        QTest::newRow("6000 x 4000 JPEG") << photo({6000, 4000}, "jpeg") << QSize(400, 400);
        QTest::newRow("8000 x 6000 JPEG") << photo({8000, 6000}, "jpeg") << QSize(400, 400);
        QTest::newRow("6000 x 4000 PNG") << photo({6000, 4000}, "png") << QSize(400, 400);
        QTest::newRow("6000 x 4000 24-bit BMP") << photo({6000, 4000}, "bmp") << QSize(400, 400);

        // Small pictures whose headers were edited to claim huge sizes.
        const QByteArray bmp = photo({4, 3}, "bmp"), jpeg = photo({4, 3}, "jpeg"), progressive = photo({4, 3}, "jpeg", true);
        // 1 × 1, with a graphic control block that says how its first frame is disposed of.
        const QByteArray gif =
            QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");
        for (const QByteArray& original : {bmp, jpeg, progressive, gif, photo({4, 3}, "ppm"), photo({4, 3}, "xbm"), photo({4, 3}, "xpm")})
            QVERIFY(!shown(original).isNull());
        auto gifOf = [&gif](const char* size) { return QByteArray(gif).replace(6, 4, size).replace(32, 4, size); };
        QTest::newRow("BMP of 60000 x 60000") << QByteArray(bmp).replace(18, 8, QByteArray::fromHex("60ea000060ea0000")) << QSize();
        // Within the decoding limit, but more pixels than the file holds.
        QTest::newRow("BMP of 8000 x 6000") << QByteArray(bmp).replace(18, 8, QByteArray::fromHex("401f000070170000")) << QSize();
        QTest::newRow("GIF of 65535 x 65535") << gifOf("\xff\xff\xff\xff") << QSize();
        // Within the limit, but the decoder keeps a second copy of a first frame to be restored.
        QTest::newRow("GIF of 8000 x 6000 restoring its frame") << gifOf("\x40\x1f\x70\x17").replace(22, 1, "\x0d") << QSize();
        // The height and width in the frame header after the marker.
        auto jpegOf = [](QByteArray bytes, const char* marker, const char* size) { return bytes.replace(bytes.indexOf(marker) + 5, 4, size); };
        // Decoded only as far as shown, a line at a time.
        QTest::newRow("JPEG of 65500 x 65500") << jpegOf(jpeg, "\xff\xc0", "\xff\xdc\xff\xdc") << QSize(400, 400);
        // Decoded through a buffer of the whole picture's coefficients, 300 MB at this size.
        QTest::newRow("progressive JPEG of 10000 x 10000") << jpegOf(progressive, "\xff\xc2", "\x27\x10\x27\x10") << QSize();
        QTest::newRow("PPM") << photo({4, 3}, "ppm").replace("\n4 3\n", "\n60000 60000\n") << QSize();
        QTest::newRow("XBM") << photo({4, 3}, "xbm").replace("_width 4", "_width 60000") << QSize();
        QTest::newRow("XPM") << photo({4, 3}, "xpm").replace("\"4 3 ", "\"60000 60000 ") << QSize();
    }

    void picturesShowTheirTopLeftOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const QImage picture = shown(bytes);
        QCOMPARE(picture.isNull() ? QSize() : picture.size(), size);
        QVERIFY(picture.isNull() || qGray(picture.pixel(0, 0)) < 64);
    }

    // Every file of the fuzzers' corpus, findings included, through the steps the fuzz targets take.
    // Seeds are valid files and must be taken; whatever else is taken reads back the same once
    // saved, or is shown within the canvas.
    void fuzzCorpus()
    {
        const QString corpus = QFINDTESTDATA("../../fuzz/corpus");
        QVERIFY(!corpus.isEmpty());
        for (QDirIterator it(corpus, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QByteArray bytes = fileBytes(it.next());
            const bool seed = it.fileName().startsWith(QLatin1String("seed"));
            if (it.filePath().contains(QLatin1String("settings_reader"))) {
                const auto record = parseSettings(std::string_view(bytes.constData(), std::size_t(bytes.size())));
                QVERIFY2(record ? parseSettings(formatSettingsLine(*record)) == record : !seed, qPrintable(it.fileName()));
                continue;
            }
            const QImage picture = shown(bytes);
            QVERIFY2(picture.isNull() ? !seed : picture.width() <= 400 && picture.height() <= 400, qPrintable(it.fileName()));
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"

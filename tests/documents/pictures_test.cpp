// Photos as cameras and scanners make them show their top-left part; files whose headers claim far
// more than they hold, and the fuzzers' corpus, are refused or shown as far as the canvas goes,
// without the program allocating what they claim.

#include "documents/settings_record.h"
#include "picture_samples.h"
#include "support/program_fixture.h"

#include <QtGui>

using namespace kururie;

namespace {

// What the canvas keeps of a picture file dropped on it, and of the same data pasted.
QList<QImage> shown(const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.bmp"));
    ProgramUnderTest dropped, pasted;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    auto* data = new QMimeData;
    data->setData("image/" + QImageReader::imageFormat(&buffer), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
    pasted.c.mnuPaste->trigger();
    return {writeFile(path, bytes) && dropFiles(dropped.c.canvas, {path}) ? dropped.c.canvas->picture() : QImage(),
            pasted.c.canvas->picture()};
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
        QTest::newRow("8000 x 6000 PNG") << png({8000, 6000}, 8, false) << QSize(400, 400);
        QTest::newRow("8000 x 6000 PNG with alpha") << png({8000, 6000}, 8, true) << QSize(400, 400);
        QTest::newRow("8000 x 6000 PNG, 16 bits") << png({8000, 6000}, 16, false) << QSize(400, 400);
        QTest::newRow("8000 x 6000 PNG with alpha, 16 bits") << png({8000, 6000}, 16, true) << QSize(400, 400);
        QTest::newRow("8000 x 6000 interlaced PNG with alpha") << png({8000, 6000}, 8, true, true) << QSize(400, 400);
        // Cut off below the part shown, as a half-copied file is: the rows shown are all there.
        const QByteArray tall = png({500, 2000}, 8, false);
        QTest::newRow("PNG cut off below the part shown") << tall.left(tall.size() / 2) << QSize(400, 400);
        QTest::newRow("interlaced PNG of 300 x 20") << png({300, 20}, 8, true, true) << QSize(300, 20);
        QTest::newRow("PNG wider than 65535") << png({70000, 20}, 8, false) << QSize();
        // Read in passes to its end, so held to what the largest photo holds.
        QTest::newRow("9000 x 6000 interlaced PNG") << png({9000, 6000}, 8, false, true) << QSize();
        // Only the rows shown are read, wherever they lie, and of each row only its part shown.
        QTest::newRow("6000 x 4000 24-bit BMP") << bitmap({6000, 4000}) << QSize(400, 400);
        for (const int bits : {1, 4, 8, 16, 24, 32}) {
            for (const bool topDown : {false, true})
                QTest::addRow("%d-bit BMP of 1001 x 801, %s", bits, topDown ? "top-down" : "bottom-up")
                    << bitmap({1001, 801}, {bits, topDown, 40}) << QSize(400, 400);
        }
        QTest::newRow("OS/2 BMP of 1000 x 800") << bitmap({1000, 800}, {8, false, 12}) << QSize(400, 400);
        QTest::newRow("BMP with a version 5 header") << bitmap({1000, 800}, {24, true, 124}) << QSize(400, 400);
        QTest::newRow("BMP of 300 x 20") << bitmap({300, 20}, {4, false, 40}) << QSize(300, 20);
        QTest::newRow("run-length BMP") << runLengthBitmap() << QSize(20, 20);
        const QByteArray wide = bitmap({1000, 800});
        QTest::newRow("BMP missing its last row") << wide.chopped(1) << QSize();
        QTest::newRow("BMP whose pixels start in its header") << QByteArray(wide).replace(10, 4, QByteArray("\x20\0\0\0", 4)) << QSize();

        // Small pictures whose headers were edited to claim huge sizes.
        const QByteArray bmp = photo({4, 3}, "bmp"), jpeg = photo({4, 3}, "jpeg"), progressive = photo({4, 3}, "jpeg", true);
        // 1 × 1, with a graphic control block that says how its first frame is disposed of.
        const QByteArray gif =
            QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");
        for (const QByteArray& original : {bmp, jpeg, progressive, gif})
            QVERIFY(!shown(original).first().isNull());
        auto gifOf = [&gif](const char* size) { return QByteArray(gif).replace(6, 4, size).replace(32, 4, size); };
        QTest::newRow("BMP of 60000 x 60000") << QByteArray(bmp).replace(18, 8, QByteArray::fromHex("60ea000060ea0000")) << QSize();
        // Within the decoding limit, but more pixels than the file holds.
        QTest::newRow("BMP of 6000 x 6000") << QByteArray(bmp).replace(18, 8, QByteArray::fromHex("7017000070170000")) << QSize();
        QTest::newRow("GIF of 65535 x 65535") << gifOf("\xff\xff\xff\xff") << QSize();
        // Within the limit, but the decoder keeps a second copy of a first frame to be restored.
        QTest::newRow("GIF of 8000 x 6000 restoring its frame") << gifOf("\x40\x1f\x70\x17").replace(22, 1, "\x0d") << QSize();
        // Black, not restoring its frame, which is found past a table of 256 colours: decoded within the limit.
        QTest::newRow("GIF of 8000 x 6000 in 256 colours")
            << gifOf("\x40\x1f\x70\x17").replace(10, 1, "\x87").replace(13, 3, QByteArray(3, '\0')).insert(19, QByteArray(762, '\0')).replace(28, 1, " ")
            << QSize(400, 400);
        // The height and width in the frame header after the marker.
        auto jpegOf = [](QByteArray bytes, const char* marker, const char* size) { return bytes.replace(bytes.indexOf(marker) + 5, 4, size); };
        // A camera's JPEG carries a small JPEG of its own, the thumbnail, in an APP1 segment; an
        // extended sequential one decodes as a baseline one does.
        const QByteArray thumbnail = photo({8, 8}, "jpeg");
        QTest::newRow("JPEG with a thumbnail") << QByteArray(jpeg).insert(2, "\xff\xe1" + QByteArray(1, char((thumbnail.size() + 2) >> 8))
                                                                           + char((thumbnail.size() + 2) & 0xff) + thumbnail)
                                               << QSize(4, 3);
        QTest::newRow("extended sequential JPEG") << QByteArray(jpeg).replace("\xff\xc0", "\xff\xc1") << QSize(4, 3);
        QTest::newRow("grey JPEG") << photo({4, 3}, "jpeg", false, QImage::Format_Grayscale8) << QSize(4, 3);
        QTest::newRow("JPEG with a TEM marker") << QByteArray(jpeg).insert(2, "\xff\x01") << QSize(4, 3);
        // Decoded only as far as shown, a line at a time.
        QTest::newRow("JPEG of 65500 x 65500") << jpegOf(jpeg, "\xff\xc0", "\xff\xdc\xff\xdc") << QSize(400, 400);
        // Decoded through a buffer of the whole picture's coefficients: 192 MB at 8000 × 8000 in 4:2:0,
        // the most it may take, and too much with one more row of blocks.
        QTest::newRow("progressive JPEG of 8000 x 8000") << jpegOf(progressive, "\xff\xc2", "\x1f\x40\x1f\x40") << QSize(400, 400);
        QTest::newRow("progressive JPEG of 8000 x 8016") << jpegOf(progressive, "\xff\xc2", "\x1f\x50\x1f\x40") << QSize();
    }

    void picturesShowTheirTopLeftOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        for (const QImage& picture : shown(bytes)) {
            QCOMPARE(picture.isNull() ? QSize() : picture.size(), size);
            if (picture.isNull())
                continue;
            // Black in the corner; a PNG, written whole, white beside it; a BMP as Qt shows it whole.
            QCOMPARE_LT(qGray(picture.pixel(0, 0)), 64);
            if (bytes.startsWith("\x89PNG"))
                QCOMPARE_GT(qGray(picture.pixel(20, 0)), 192);
            if (bytes.startsWith("BM")) {
                const QImage whole = QImage::fromData(bytes, "bmp");
                QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                         whole.copy(QRect(QPoint(), size)).convertToFormat(QImage::Format_RGB32));
            }
        }
    }

    void onlyThePromisedFormatsAreRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("format");
        for (const QByteArray& format : QImageReader::supportedImageFormats()) {
            if (!QByteArrayList{"bmp", "gif", "jpeg", "jpg", "png"}.contains(format))
                QTest::newRow(format.constData()) << sampleOf(format) << format;
        }
        // Qt's SVG decoder keeps the whole text it unpacks: this one, 300 KB, unpacks to 300 MB.
        QTest::newRow("compressed SVG with a long comment")
            << gzip("<svg xmlns='http://www.w3.org/2000/svg'><!--", QByteArray(1 << 20, 'x'), 300, "--></svg>")
            << QByteArray("svgz");
    }

    // Whatever decoders a desktop has installed, only the promised formats reach one, whatever the
    // file's name or the clipboard's word says: no other decoder's time and memory are bounded.
    void onlyThePromisedFormatsAreRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, format);
        QVERIFY2(!bytes.isEmpty(), "a sample of every format Qt reads here");
        if (bytes.size() < 4096)
            QVERIFY(!QImage::fromData(bytes, format.constData()).isNull());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("anything.bmp"));
        QVERIFY(writeFile(path, bytes));
        ProgramUnderTest p;
        p.seam.expect(ScriptedSeam::file(path));
        p.c.mnuFileOpen->trigger();
        QVERIFY(dropFiles(p.c.canvas, {path}));
        auto* data = new QMimeData;
        data->setData("image/" + format, bytes);
        data->setData(QStringLiteral("image/png"), bytes);
        QGuiApplication::clipboard()->setMimeData(data);
        p.c.mnuPaste->trigger();
        const QString unopened = "[くるりえ] ファイル「" + path + "」を開けませんでした。";
        const QStringList expected{unopened, unopened, "[くるりえ] クリップボードの絵を貼り付けられませんでした。"};
        QCOMPARE(dialogs(p.seam).mid(1), expected);
        QVERIFY(p.c.canvas->picture().isNull());
        QCOMPARE(p.window.windowTitle(), QStringLiteral("くるりえ"));
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
                const std::string line = record ? formatSettingsLine(*record) : std::string();
                const auto again = parseSettings(line);
                QVERIFY2(record ? again && formatSettingsLine(*again) == line : !seed, qPrintable(it.fileName()));
                continue;
            }
            const QImage picture = shown(bytes).first();
            QVERIFY2(picture.isNull() ? !seed : picture.width() <= 400 && picture.height() <= 400, qPrintable(it.fileName()));
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"

// Photos as cameras and scanners make them show their top-left part; files whose headers claim far more than they
// hold, and the fuzzers' corpus, are refused or shown as far as the canvas goes, without the program allocating what
// they claim.

#include "documents/picture_files.h"
#include "documents/settings_record.h"
#include "picture_samples.h"
#include "support/program_fixture.h"

#include <QtGui>

using namespace kururie;

namespace {

// What the canvas keeps of a picture, as a drop, Open or Paste reads it.
QImage shown(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::ReadOnly) ? readPicture(buffer, QSize(400, 400)) : QImage();
}

// The bytes with `size` written at `at`.
QByteArray patched(QByteArray bytes, int at, const QByteArray& size) { return bytes.replace(at, size.size(), size); }

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void picturesShowTheirTopLeftOrNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // of the part shown; none when refused
        const QSize all(400, 400), none;
        QTest::newRow("8000 x 6000 PNG") << png({8000, 6000}, 8, false) << all;
        QTest::newRow("8000 x 6000 PNG with alpha") << png({8000, 6000}, 8, true) << all;
        QTest::newRow("8000 x 6000 PNG, 16 bits") << png({8000, 6000}, 16, false) << all;
        QTest::newRow("8000 x 6000 PNG with alpha, 16 bits") << png({8000, 6000}, 16, true) << all;
        QTest::newRow("PNG of 70000 x 20") << png({70000, 20}, 8, false) << none;
        // Read in passes to its end, so held to what the largest photo holds.
        QTest::newRow("8000 x 6000 interlaced PNG") << png({8000, 6000}, 8, false, true) << all;
        QTest::newRow("8001 x 6000 interlaced PNG") << png({8001, 6000}, 8, false, true) << none;
        QTest::newRow("interlaced PNG of 300 x 20 with alpha") << png({300, 20}, 8, true, true) << QSize(300, 20);
        // Only the rows shown are read, wherever they lie, and of each row only its part shown.
        for (const int bits : {1, 4, 8, 16, 24, 32}) {
            for (const bool topDown : {false, true})
                QTest::addRow("%d-bit BMP of 1001 x 801, %s", bits, topDown ? "top-down" : "bottom-up")
                    << bitmap({1001, 801}, bits, topDown) << all;
        }
        QTest::newRow("OS/2 BMP of 1000 x 800") << bitmap({1000, 800}, 8, false, 12) << all;
        QTest::newRow("BMP with a version 5 header") << bitmap({1000, 800}, 24, true, 124) << all;
        QTest::newRow("BMP of 300 x 20") << bitmap({300, 20}, 4) << QSize(300, 20);
        QTest::newRow("run-length BMP") << runLengthBitmap() << QSize(20, 20);
        const QByteArray wide = bitmap({1000, 800});
        QTest::newRow("BMP missing its last row") << wide.chopped(1) << none;
        QTest::newRow("BMP whose pixels start in its header") << patched(wide, 10, QByteArray(1, ' ')) << none;

        // Small pictures whose headers were edited to claim huge sizes.
        const QByteArray bmp = photo({4, 3}, "bmp"), jpeg = photo({4, 3}, "jpeg");
        const QByteArray progressive = photo({4, 3}, "jpeg", true);
        // 1 × 1, with a graphic control block that says how its first frame is disposed of.
        const QByteArray gif = QByteArray::fromHex("47494638396101000100800000000000ffffff21f904010000000"
                                                   "02c00000000010001000002024401003b");
        QTest::newRow("BMP of 4 x 3") << bmp << QSize(4, 3);
        QTest::newRow("GIF of 1 x 1") << gif << QSize(1, 1);
        QTest::newRow("GIF87a of 1 x 1") << patched(gif, 4, "7") << QSize(1, 1);
        const auto gifOf = [&gif](const char* size) { return patched(patched(gif, 6, size), 32, size); };
        QTest::newRow("BMP of 60000 x 60000") << patched(bmp, 18, QByteArray::fromHex("60ea000060ea0000")) << none;
        // Within the decoding limit, but more pixels than the file holds.
        const QByteArray claim6000 = QByteArray::fromHex("7017000070170000");
        QTest::newRow("BMP of 6000 x 6000") << patched(bmp, 18, claim6000) << none;
        // A header the program leaves to Qt's decoder, which reads what the file holds of it.
        const QByteArray os2 = bitmap({30, 20}, 24, false, 64);
        QTest::newRow("OS/2 2.x BMP") << os2 << QSize(30, 20);
        QTest::newRow("OS/2 2.x BMP of 6000 x 6000") << patched(os2, 18, claim6000) << none;
        QTest::newRow("GIF of 65535 x 65535") << gifOf("\xff\xff\xff\xff") << none;
        // Within the limit, but the decoder keeps a second copy of a first frame to be restored.
        QTest::newRow("GIF of 8000 x 6000 restoring it") << patched(gifOf("\x40\x1f\x70\x17"), 22, "\x0d") << none;
        // Not restoring its frame, which is found past a table of 256 colours: decoded whole within the program's
        // decoding limit, above Qt's own, where a copy of its frame would not be; and refused beyond it.
        const auto in256Colours = [&gifOf](const char* size) {
            return patched(gifOf(size), 10, "\x87").insert(19, QByteArray(762, '\0')).replace(28, 1, " ");
        };
        QTest::newRow("GIF of 8000 x 5000 in 256 colours") << in256Colours("\x40\x1f\x88\x13") << all;
        QTest::newRow("GIF of 8000 x 6030 in 256 colours") << in256Colours("\x40\x1f\x8e\x17") << none;
        // The height and width in the frame header after the marker.
        const auto jpegOf = [](const QByteArray& bytes, const char* marker, const char* size) {
            return patched(bytes, bytes.indexOf(marker) + 5, size);
        };
        // A camera's JPEG carries a small JPEG of its own, the thumbnail, in an APP1 segment; an extended sequential
        // one decodes as a baseline one does.
        const QByteArray thumbnail = photo({8, 8}, "jpeg");
        const int length = thumbnail.size() + 2;
        const QByteArray app1 = QByteArray("\xff\xe1") + char(length >> 8) + char(length);
        QTest::newRow("JPEG with a thumbnail") << QByteArray(jpeg).insert(2, app1 + thumbnail) << QSize(4, 3);
        QTest::newRow("extended sequential JPEG") << QByteArray(jpeg).replace("\xff\xc0", "\xff\xc1") << QSize(4, 3);
        // Coded arithmetically, as far as the decoder is concerned.
        QTest::newRow("arithmetic JPEG") << QByteArray(jpeg).replace("\xff\xc0", "\xff\xc9") << QSize(4, 3);
        QTest::newRow("arithmetic progressive JPEG")
            << QByteArray(progressive).replace("\xff\xc2", "\xff\xca") << QSize(4, 3);
        QTest::newRow("grey JPEG") << written(cornerPicture({4, 3}).convertToFormat(QImage::Format_Grayscale8), "jpeg")
                                   << QSize(4, 3);
        QTest::newRow("JPEG with a TEM marker") << QByteArray(jpeg).insert(2, "\xff\x01") << QSize(4, 3);
        const QByteArray comment("\xff\xfe\0\3!", 5);
        QTest::newRow("JPEG with a comment") << QByteArray(jpeg).insert(2, comment) << QSize(4, 3);
        // Decoded only as far as shown, a line at a time.
        QTest::newRow("JPEG of 65500 x 65500") << jpegOf(jpeg, "\xff\xc0", "\xff\xdc\xff\xdc") << all;
        // Decoded through a buffer of the whole picture's coefficients: 192 MB at 8000 × 8000 in 4:2:0, the most it
        // may take, and too much with one more row of blocks.
        QTest::newRow("progressive JPEG of 8000 x 8000") << jpegOf(progressive, "\xff\xc2", "\x1f\x40\x1f\x40") << all;
        QTest::newRow("progressive JPEG of 8000 x 8016") << jpegOf(progressive, "\xff\xc2", "\x1f\x50\x1f\x40") << none;
    }

    void picturesShowTheirTopLeftOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const QImage picture = shown(bytes);
        QCOMPARE(picture.isNull() ? QSize() : picture.size(), size);
        if (picture.isNull())
            return;
        // As Qt shows a BMP or a small file whole, where it can; else black in the corner, and a PNG white beside it.
        const QImage whole = bytes.startsWith("BM") || bytes.size() < 4096 ? QImage::fromData(bytes) : QImage();
        if (whole.isNull())
            QCOMPARE_LT(qGray(picture.pixel(0, 0)), 64);
        else
            QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                     whole.copy(QRect(QPoint(), size)).convertToFormat(QImage::Format_RGB32));
        if (bytes.startsWith("\x89PNG"))
            QCOMPARE_GT(qGray(picture.pixel(20, 0)), 192);
    }

    void onlyThePromisedFormatsAreRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("format");
        for (const QByteArray& format : QImageReader::supportedImageFormats()) {
            if (!QByteArrayList{"bmp", "gif", "jpeg", "jpg", "png"}.contains(format))
                QTest::newRow(format.constData()) << sampleOf(format) << format;
        }
        // Qt's SVG decoder keeps the whole text it unpacks: this one, 64 KB, unpacks to 64 MB.
        QByteArray bomb = "<svg xmlns='http://www.w3.org/2000/svg'><!--";
        bomb = gzip(bomb.append(64 << 20, 'x').append("--></svg>"));
        QTest::newRow("compressed SVG with a long comment") << bomb << QByteArray("svgz");
    }

    // Whatever decoders a desktop has installed, only the promised formats reach one, whatever the file's name or the
    // clipboard's word says: no other decoder's time and memory are bounded.
    void onlyThePromisedFormatsAreRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, format);
        QVERIFY2(!bytes.isEmpty(), "a sample of every format Qt reads here");
        if (bytes.size() < 4096)
            QVERIFY(!QImage::fromData(bytes, format.constData()).isNull());
        QTemporaryDir folder;
        const QString path = folder.filePath("anything.bmp");
        QVERIFY(writeFile(path, bytes));
        ProgramUnderTest p;
        p.seam.expect(ScriptedSeam::file(path));
        p.c.mnuFileOpen->trigger();
        QVERIFY(dropFiles(p.c.canvas, {path}));
        auto* data = new QMimeData;
        data->setData("image/" + format, bytes);
        data->setData("image/png", bytes);
        QGuiApplication::clipboard()->setMimeData(data);
        p.c.mnuPaste->trigger();
        QCOMPARE(p.seam.shown().size(), std::size_t(4));
        QCOMPARE(p.seam.shown()[1].text, "ファイル「" + path + "」を開けませんでした。");
        QCOMPARE(p.seam.shown()[2].text, "ファイル「" + path + "」を開けませんでした。");
        QCOMPARE(p.seam.shown()[3].text, "クリップボードの絵を貼り付けられませんでした。");
        QCOMPARE(p.c.canvas->picture().isNull(), true);
        QCOMPARE(p.window.windowTitle(), "くるりえ");
    }

    // Every file of the fuzzers' corpus, findings included, through the steps the fuzz targets take. Seeds are valid
    // files and must be taken; whatever else is taken reads back the same once saved, or is shown within the canvas.
    void fuzzCorpus()
    {
        const QString corpus = QFINDTESTDATA("../../fuzz/corpus");
        QVERIFY(!corpus.isEmpty());
        for (QDirIterator it(corpus, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QByteArray bytes = fileBytes(it.next());
            const bool seed = it.fileName().startsWith("seed");
            if (it.filePath().contains("settings_reader")) {
                const auto record = parseSettings(std::string_view(bytes.constData(), std::size_t(bytes.size())));
                const auto again = parseSettings(record ? formatSettingsLine(*record) : std::string());
                QVERIFY2(record ? again && formatSettingsLine(*again) == formatSettingsLine(*record) : !seed,
                         qPrintable(it.fileName()));
                continue;
            }
            const QImage picture = shown(bytes);
            QVERIFY2(picture.isNull() ? !seed : picture.width() <= 400 && picture.height() <= 400,
                     qPrintable(it.fileName()));
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"

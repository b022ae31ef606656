// Photos as cameras and scanners make them show their top-left part; files whose headers claim far
// more than they hold, and the fuzzers' corpus, are refused or shown as far as the canvas goes,
// without the program allocating what they claim.

#include "documents/settings_record.h"
#include "support/program_fixture.h"

#include <QtGui>

#include <png.h>

using namespace kururie;

namespace {

// White, with a black square in the top-left corner (black all over when smaller than that).
QByteArray photo(QSize size, const char* format, bool progressive = false, QImage::Format pixels = QImage::Format_RGB32)
{
    QImage picture(size, pixels);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(0, 0, 16, 16, Qt::black);
    QBuffer buffer;
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return buffer.open(QIODevice::WriteOnly) && writer.write(picture) ? buffer.data() : QByteArray();
}

// A PNG as screenshots, phones and paint programs write them, written a row at a time so that an
// 8000 × 6000 one costs no more than a row: white, with a black square in the top-left corner, and
// where there is alpha the white half transparent.
QByteArray png(QSize size, int bitDepth, bool alpha, bool interlaced = false)
{
    QByteArray bytes;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    png_set_write_fn(writer, &bytes, [](png_structp w, png_bytep data, size_t length) {
        static_cast<QByteArray*>(png_get_io_ptr(w))->append(reinterpret_cast<const char*>(data), qsizetype(length));
    }, nullptr);
    png_set_compression_level(writer, 1);
    png_set_IHDR(writer, info, png_uint_32(size.width()), png_uint_32(size.height()), bitDepth,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    const int samples = (alpha ? 4 : 3) * size.width(), sampleBytes = bitDepth / 8;
    QByteArray white(samples * sampleBytes, char(0xFF)), corner = white;
    for (int x = 0; x < size.width(); ++x) {
        if (alpha)
            white[(4 * x + 3) * sampleBytes] = char(0x80);
        if (x < 16)
            std::fill_n(corner.data() + (alpha ? 4 : 3) * x * sampleBytes, 3 * sampleBytes, 0);
    }
    for (int pass = png_set_interlace_handling(writer); pass > 0; --pass)
        for (int y = 0; y < size.height(); ++y)
            png_write_row(writer, reinterpret_cast<png_const_bytep>((y < 16 ? corner : white).constData()));
    png_write_end(writer, info);
    png_destroy_write_struct(&writer, &info);
    return bytes;
}

// What the canvas keeps of a picture file dropped on it, and of the same data pasted.
QList<QImage> shown(const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.bmp"));
    ProgramUnderTest dropped, pasted;
    QBuffer buffer;
    buffer.setData(bytes);
    auto* data = new QMimeData;
    data->setData("image/" + QImageReader::imageFormat(&buffer), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
    pasted.c.mnuPaste->trigger();
    return {writeFile(path, bytes) && dropFiles(dropped.c.picDraw, {path}) ? dropped.c.picDraw->picture() : QImage(),
            pasted.c.picDraw->picture()};
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
        QTest::newRow("6000 x 4000 24-bit BMP") << photo({6000, 4000}, "bmp") << QSize(400, 400);

        // Small pictures whose headers were edited to claim huge sizes.
        const QByteArray bmp = photo({4, 3}, "bmp"), jpeg = photo({4, 3}, "jpeg"), progressive = photo({4, 3}, "jpeg", true);
        // 1 × 1, with a graphic control block that says how its first frame is disposed of.
        const QByteArray gif =
            QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");
        for (const QByteArray& original : {bmp, jpeg, progressive, gif, photo({4, 3}, "ppm"), photo({4, 3}, "xbm"), photo({4, 3}, "xpm")})
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
        QTest::newRow("PPM") << photo({4, 3}, "ppm").replace("\n4 3\n", "\n60000 60000\n") << QSize();
        QTest::newRow("XBM") << photo({4, 3}, "xbm").replace("_width 4", "_width 60000") << QSize();
        QTest::newRow("XPM") << photo({4, 3}, "xpm").replace("\"4 3 ", "\"60000 60000 ") << QSize();
    }

    void picturesShowTheirTopLeftOrNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        for (const QImage& picture : shown(bytes)) {
            QCOMPARE(picture.isNull() ? QSize() : picture.size(), size);
            // Black in the corner; a PNG, written whole, white beside it.
            QVERIFY(picture.isNull() || (qGray(picture.pixel(0, 0)) < 64 && (!bytes.startsWith("\x89PNG") || qGray(picture.pixel(20, 0)) > 192)));
        }
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

// Pictures of the sizes cameras, phones and scanners make, which open showing their top-left
// corner; and real pictures whose headers were edited to claim absurd sizes, in every format the
// picture reader accepts, which are rejected like an undecodable file or shown as far as the canvas
// goes, instead of making the program allocate for the size they claim.

#include "app/program.h"
#include "documents/picture_files.h"
#include "support/file_drops.h"
#include "support/scripted_seam.h"
#include "window/canvas.h"
#include "window/main_window.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace kururie;

namespace {

constexpr quint32 kHugeSide = 60000;
const QSize kCanvas(400, 400);

QImage smallPicture()
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 90));
    return picture;
}

QByteArray saved(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, format))
        qFatal("cannot write the %s picture", format);
    return bytes;
}

// The classic 1 × 1 GIF; Qt reads GIF but does not write it.
QByteArray smallGif()
{
    return QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c000000000100010000020244"
                               "01003b");
}

void putLe16(QByteArray& bytes, int at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void putLe32(QByteArray& bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void putBe16(QByteArray& bytes, int at, quint16 value)
{
    qToBigEndian(value, bytes.data() + at);
}

void putBe32(QByteArray& bytes, int at, quint32 value)
{
    qToBigEndian(value, bytes.data() + at);
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray hugeBmp(QByteArray bytes)
{
    putLe32(bytes, 18, kHugeSide);
    putLe32(bytes, 22, kHugeSide);
    return bytes;
}

QByteArray hugeGif(QByteArray bytes)
{
    constexpr int kImageDescriptor = 27;
    for (int at : {6, 8, kImageDescriptor + 5, kImageDescriptor + 7})
        putLe16(bytes, at, 65535);
    return bytes;
}

// The header chunk's checksum is put right too, so that only the size is wrong.
QByteArray hugePng(QByteArray bytes)
{
    constexpr int kHeaderChunkType = 12;
    putBe32(bytes, kHeaderChunkType + 4, 100000);
    putBe32(bytes, kHeaderChunkType + 8, 100000);
    putBe32(bytes, kHeaderChunkType + 17, crc32(bytes.mid(kHeaderChunkType, 17)));
    return bytes;
}

QByteArray progressiveJpeg(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(picture))
        qFatal("cannot write the progressive JPEG");
    return bytes;
}

QByteArray hugeJpeg(QByteArray bytes, quint16 side = 65500)
{
    int frame = bytes.indexOf(QByteArray::fromHex("ffc0"));
    if (frame < 0)
        frame = bytes.indexOf(QByteArray::fromHex("ffc2"));
    if (frame < 0)
        qFatal("no frame header in the JPEG");
    putBe16(bytes, frame + 5, side);
    putBe16(bytes, frame + 7, side);
    return bytes;
}

// An icon's directory entry cannot claim more than 256 × 256 (written as 0), so the size claim is
// in the bitmap, which holds the colour and the mask one above the other: its height is doubled.
// Small enough for the decoder's limit, but far more pixels than the file holds.
QByteArray photoSizedBmp(QByteArray bytes)
{
    putLe32(bytes, 18, 8000);
    putLe32(bytes, 22, 6000);
    return bytes;
}

// A screen of 8000 × 6000 is decoded; but a first frame to be restored afterwards makes the
// decoder keep a second copy of it.
QByteArray photoSizedGifRestoringItsFrame(QByteArray bytes)
{
    constexpr int kControlFlags = 22;
    constexpr int kImageDescriptor = 27;
    for (int at : {6, kImageDescriptor + 5})
        putLe16(bytes, at, 8000);
    for (int at : {8, kImageDescriptor + 7})
        putLe16(bytes, at, 6000);
    bytes[kControlFlags] = char(bytes[kControlFlags] | 3 << 2);
    return bytes;
}

QByteArray hugeIco(QByteArray bytes)
{
    constexpr int kEntryWidth = 6;
    bytes[kEntryWidth] = 0;
    bytes[kEntryWidth + 1] = 0;
    const int bitmap = int(qFromLittleEndian<quint32>(bytes.constData() + 18));
    putLe32(bytes, bitmap + 4, kHugeSide);
    putLe32(bytes, bitmap + 8, 2 * kHugeSide);
    return bytes;
}

QByteArray hugePpm(QByteArray bytes)
{
    return bytes.replace("\n4 3\n", "\n60000 60000\n");
}

QByteArray hugeXbm(QByteArray bytes)
{
    return bytes.replace("_width 4", "_width 60000").replace("_height 3", "_height 60000");
}

QByteArray hugeXpm(QByteArray bytes)
{
    return bytes.replace("\"4 3 ", "\"60000 60000 ");
}

QImage readBytes(const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.bmp"));
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the picture file");
    file.close();
    return readPicture(path, kCanvas);
}

QByteArray corpusFile(const QString& name)
{
    QFile file(QFINDTESTDATA("../../fuzz/corpus/picture_loader/" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// White, with dark squares in the corners of the part the canvas shows.
QImage markedPhoto(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QSize shown = size.boundedTo(kCanvas);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 16, 16, Qt::black);
    painter.fillRect(shown.width() - 16, shown.height() - 16, 16, 16, Qt::black);
    return picture;
}

} // namespace

class OversizedPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void photosOpenShownTopLeftAndClipped_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("6000 x 4000 jpeg") << QSize(6000, 4000) << QByteArray("jpeg");
        QTest::newRow("8000 x 6000 jpeg") << QSize(8000, 6000) << QByteArray("jpeg");
        QTest::newRow("6000 x 4000 png") << QSize(6000, 4000) << QByteArray("png");
        QTest::newRow("6000 x 4000 24-bit bmp") << QSize(6000, 4000) << QByteArray("bmp");
        QTest::newRow("6000 x 300 jpeg") << QSize(6000, 300) << QByteArray("jpeg");
        QTest::newRow("300 x 6000 png") << QSize(300, 6000) << QByteArray("png");
    }

    void photosOpenShownTopLeftAndClipped()
    {
        QFETCH(QSize, size);
        QFETCH(QByteArray, format);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("photo.") + format);
        QVERIFY(markedPhoto(size).save(path, format));
        ScriptedSeam seam;
        kururie::Program program(seam);
        kururie::MainWindow& window = program.window();
        kururie::Canvas& canvas = *window.controls().picDraw;
        canvas.setBackColor(0xFF0000); // blue
        QVERIFY(dropFile(&canvas, path));

        const QSize shown = size.boundedTo(kCanvas);
        // Only the part shown is kept, and nothing is made up around a picture smaller than the canvas.
        QCOMPARE(canvas.picture().size(), shown);
        const QImage image = canvas.image();
        QCOMPARE(image.size(), kCanvas);
        QVERIFY(qGray(image.pixel(8, 8)) < 64);
        QVERIFY(qGray(image.pixel(shown.width() - 8, shown.height() - 8)) < 64);
        QVERIFY(qGray(image.pixel(shown.width() / 2, shown.height() / 2)) > 192);
        if (shown != kCanvas)
            QCOMPARE(image.pixelColor(399, 399), QColor(Qt::blue));
    }

    void aPictureClaimingAHugeSizeStaysHarmless_data()
    {
        const QImage picture = smallPicture();
        const QByteArray bmp = saved(picture, "BMP");
        const QByteArray jpeg = saved(picture, "JPEG");
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("edited");
        QTest::addColumn<bool>("opens");
        QTest::newRow("bmp") << bmp << hugeBmp(bmp) << false;
        QTest::newRow("bmp claiming 8000 x 6000") << bmp << photoSizedBmp(bmp) << false;
        QTest::newRow("gif") << smallGif() << hugeGif(smallGif()) << false;
        QTest::newRow("gif of 8000 x 6000 restoring its frame") << smallGif() << photoSizedGifRestoringItsFrame(smallGif())
                                                               << false;
        QTest::newRow("png") << saved(picture, "PNG") << hugePng(saved(picture, "PNG")) << false;
        // Only the part shown is decoded, line by line.
        QTest::newRow("jpeg") << jpeg << hugeJpeg(jpeg) << true;
        // Decoded through a buffer of the whole picture, whatever part is shown: 300 MB at this size.
        QTest::newRow("progressive jpeg") << progressiveJpeg(picture) << hugeJpeg(progressiveJpeg(picture), 10000)
                                          << false;
        QTest::newRow("ico") << saved(picture, "ICO") << hugeIco(saved(picture, "ICO")) << false;
        QTest::newRow("ppm") << saved(picture, "PPM") << hugePpm(saved(picture, "PPM")) << false;
        const QByteArray xbm = saved(picture.convertToFormat(QImage::Format_Mono), "XBM");
        QTest::newRow("xbm") << xbm << hugeXbm(xbm) << false;
        QTest::newRow("xpm") << saved(picture, "XPM") << hugeXpm(saved(picture, "XPM")) << false;
        // Files of a few bytes found by the picture fuzzer, asking for hundreds of megabytes.
        QTest::newRow("55-byte bmp, 5 x 12912381") << QByteArray() << corpusFile("tiny-bmp-5x12912381.bmp") << false;
        QTest::newRow("55-byte bmp, 2 x 16777219") << QByteArray() << corpusFile("tiny-bmp-2x16777219.bmp") << false;
        QTest::newRow("352-byte jpeg, 65402 x 763") << QByteArray() << corpusFile("tiny-jpeg-65402x763.jpg") << true;
    }

    void aPictureClaimingAHugeSizeStaysHarmless()
    {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, edited);
        QFETCH(bool, opens);
        if (!original.isEmpty())
            QVERIFY(!readBytes(original).isNull());
        QVERIFY(!edited.isEmpty() && edited != original);
        const QImage picture = readBytes(edited);
        QCOMPARE(!picture.isNull(), opens);
        QVERIFY(picture.width() <= kCanvas.width() && picture.height() <= kCanvas.height());
    }
};

QTEST_MAIN(OversizedPicturesTest)
#include "oversized_pictures_test.moc"

// Real pictures whose headers were edited to claim absurd sizes, in every format the picture reader
// accepts. Each must be rejected like an undecodable file instead of making the program allocate
// gigabytes, while the unedited picture still opens.

#include "documents/picture_files.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <functional>

using namespace kururie;

namespace {

using HeaderEdit = std::function<QByteArray(QByteArray)>;

constexpr quint32 kHugeSide = 60000;

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

QByteArray hugeJpeg(QByteArray bytes)
{
    const int frame = bytes.indexOf(QByteArray::fromHex("ffc0"));
    if (frame < 0)
        qFatal("no baseline frame header in the JPEG");
    putBe16(bytes, frame + 5, 65500);
    putBe16(bytes, frame + 7, 65500);
    return bytes;
}

// An icon's directory entry cannot claim more than 256 × 256 (written as 0), so the size claim is
// in the bitmap, which holds the colour and the mask one above the other: its height is doubled.
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
    return readPicture(path);
}

} // namespace

Q_DECLARE_METATYPE(HeaderEdit)

class OversizedPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void aPictureTooLargeToDecodeIsRejected_data()
    {
        const QImage picture = smallPicture();
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<HeaderEdit>("claimHugeSize");
        QTest::newRow("bmp") << saved(picture, "BMP") << HeaderEdit(hugeBmp);
        QTest::newRow("gif") << smallGif() << HeaderEdit(hugeGif);
        QTest::newRow("png") << saved(picture, "PNG") << HeaderEdit(hugePng);
        QTest::newRow("jpeg") << saved(picture, "JPEG") << HeaderEdit(hugeJpeg);
        QTest::newRow("ico") << saved(picture, "ICO") << HeaderEdit(hugeIco);
        QTest::newRow("ppm") << saved(picture, "PPM") << HeaderEdit(hugePpm);
        QTest::newRow("xbm") << saved(picture.convertToFormat(QImage::Format_Mono), "XBM") << HeaderEdit(hugeXbm);
        QTest::newRow("xpm") << saved(picture, "XPM") << HeaderEdit(hugeXpm);
    }

    void aPictureTooLargeToDecodeIsRejected()
    {
        QFETCH(QByteArray, original);
        QFETCH(HeaderEdit, claimHugeSize);
        QVERIFY(!readBytes(original).isNull());
        const QByteArray edited = claimHugeSize(original);
        QVERIFY(edited != original);
        QVERIFY(readBytes(edited).isNull());
    }
};

QTEST_MAIN(OversizedPicturesTest)
#include "oversized_pictures_test.moc"

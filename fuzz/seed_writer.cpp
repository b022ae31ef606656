// Writes the fuzzers' seed files: settings files as the program writes them and a few tiny pictures
// in every format the picture reader accepts. The seeds are kept in the repository; run this again
// only to change them:
//
//     build-fuzz/fuzz/kururie_fuzz_seeds fuzz/corpus

#include "documents/settings_record.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QImage>

#include <cstdio>
#include <string>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

kururie::SettingsRecord exampleSettings()
{
    return {100, -40, 25, 0, 1, true, false, 255, 16777215, true, false, false, 1, 5};
}

kururie::SettingsRecord extremeSettings()
{
    return {200, -200, -100, 2, 15, false, true, 0, 16777215, false, false, true, 2, 20};
}

// The same fields one to a line, as a hand-edited file may hold them.
QByteArray oneFieldPerLine(const kururie::SettingsRecord& record)
{
    QByteArray bytes = bytesOf(kururie::formatSettingsLine(record));
    bytes.replace(",", "\r\n");
    return bytes;
}

bool writeSettingsSeeds(const QDir& folder)
{
    return writeFile(folder.filePath("seed-example.txt"), bytesOf(kururie::formatSettingsLine(exampleSettings())))
        && writeFile(folder.filePath("seed-extremes.txt"), bytesOf(kururie::formatSettingsLine(extremeSettings())))
        && writeFile(folder.filePath("seed-one-field-per-line.txt"), oneFieldPerLine(exampleSettings()));
}

// A small picture with every colour different, so that palettes and bit packing have work to do.
QImage colourfulPicture()
{
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(50 * x, 120 * y, 255 - 40 * (x + y)));
    }
    return picture;
}

// Packs LZW codes least significant bit first, as GIF image data holds them.
class GifCodePacker {
public:
    void add(unsigned code, int width)
    {
        m_bits |= code << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }

    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    unsigned m_bits = 0;
    int m_count = 0;
};

void appendWord(QByteArray& bytes, int value)
{
    bytes.append(char(value & 0xFF)).append(char(value >> 8));
}

// Qt reads GIF but does not write it. This writes a four-colour GIF whose image data restarts the
// code table after every two pixels, so the code width stays at three bits: valid LZW without a
// compressor.
QByteArray gifPicture(bool transparent)
{
    const int width = 4;
    const int height = 3;
    QByteArray bytes(transparent ? "GIF89a" : "GIF87a");
    appendWord(bytes, width);
    appendWord(bytes, height);
    bytes.append(char(0x81)).append(char(0)).append(char(0)); // global table of 4 colours
    bytes.append(QByteArray::fromHex("ff000000ff000000ffffffff"));
    if (transparent)
        bytes.append(QByteArray::fromHex("21f90401000003" "00"));
    bytes.append(char(0x2C));
    appendWord(bytes, 0);
    appendWord(bytes, 0);
    appendWord(bytes, width);
    appendWord(bytes, height);
    bytes.append(char(0));
    constexpr int kMinimumCodeSize = 2;
    constexpr unsigned kClear = 4;
    constexpr unsigned kEnd = 5;
    GifCodePacker codes;
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0)
            codes.add(kClear, 3);
        codes.add(unsigned(pixel % 4), 3);
    }
    codes.add(kEnd, 3);
    const QByteArray data = codes.finish();
    bytes.append(char(kMinimumCodeSize));
    bytes.append(char(data.size())).append(data).append(char(0));
    bytes.append(char(0x3B));
    return bytes;
}

bool writePictureSeeds(const QDir& folder)
{
    const QImage picture = colourfulPicture();
    const QImage mono = picture.convertToFormat(QImage::Format_Mono);
    return picture.save(folder.filePath("seed-rgb.bmp"), "BMP")
        && picture.convertToFormat(QImage::Format_Indexed8).save(folder.filePath("seed-indexed.bmp"), "BMP")
        && mono.save(folder.filePath("seed-mono.bmp"), "BMP")
        && picture.save(folder.filePath("seed.png"), "PNG")
        && picture.save(folder.filePath("seed.jpg"), "JPEG", 50)
        && writeFile(folder.filePath("seed.gif"), gifPicture(false))
        && writeFile(folder.filePath("seed-transparent.gif"), gifPicture(true));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kururie_fuzz_seeds CORPUS-FOLDER\n");
        return 2;
    }
    QDir corpus(QString::fromLocal8Bit(argv[1]));
    if (!corpus.mkpath("settings_reader") || !corpus.mkpath("picture_loader")) {
        std::fprintf(stderr, "kururie_fuzz_seeds: cannot make the corpus folders\n");
        return 1;
    }
    if (!writeSettingsSeeds(QDir(corpus.filePath("settings_reader")))
        || !writePictureSeeds(QDir(corpus.filePath("picture_loader")))) {
        std::fprintf(stderr, "kururie_fuzz_seeds: cannot write the seeds\n");
        return 1;
    }
    return 0;
}

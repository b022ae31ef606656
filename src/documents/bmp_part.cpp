#include "documents/bmp_part.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kururie {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr quint32 kCoreHeaderBytes = 12;
constexpr quint32 kInfoHeaderBytes = 40;
// Headers, bit masks and a colour table take a few kilobytes; a larger gap before the pixels is
// left to the whole decoder and its limits.
constexpr quint32 kLargestPixelOffset = 1 << 20;

// Where a header's fields lie: the core header of OS/2 holds 16-bit sizes, the others 32-bit ones.
struct Layout {
    bool core;
    int widthAt() const { return 18; }
    int heightAt() const { return core ? 20 : 22; }
    int bitsAt() const { return core ? 24 : 28; }
};

// The file header and as much of the info header as any field read here, zero past the file's end.
using Headers = std::array<char, 14 + 40>;

template <typename T>
T read(const Headers& headers, int at)
{
    return qFromLittleEndian<T>(headers.data() + at);
}

template <typename T>
void write(QByteArray& bytes, int at, T value)
{
    qToLittleEndian<T>(value, bytes.data() + at);
}

qint64 rowBytes(qint64 width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

bool storesEveryPixel(quint32 compression)
{
    // Plain pixels and bit fields, with or without alpha; run lengths and embedded JPEG or PNG are not.
    return compression == 0 || compression == 3 || compression == 6;
}

} // namespace

std::optional<QByteArray> shownBitmap(QIODevice& device, QSize shown)
{
    Headers headers{};
    const QByteArray start = device.peek(qint64(headers.size()));
    if (start.size() < kFileHeaderBytes + 4)
        return QByteArray();
    std::copy(start.begin(), start.end(), headers.begin());
    const quint32 pixelOffset = read<quint32>(headers, 10);
    const quint32 headerBytes = read<quint32>(headers, kFileHeaderBytes);
    const bool known = headerBytes == kCoreHeaderBytes || headerBytes == kInfoHeaderBytes || headerBytes == 52
                       || headerBytes == 56 || headerBytes == 108 || headerBytes == 124;
    if (!known || pixelOffset > kLargestPixelOffset)
        return std::nullopt;
    if (pixelOffset < kFileHeaderBytes + headerBytes)
        return QByteArray();
    QByteArray bitmap = device.read(pixelOffset);
    if (bitmap.size() != qsizetype(pixelOffset))
        return QByteArray();

    const Layout layout{headerBytes == kCoreHeaderBytes};
    const qint64 width =
        layout.core ? read<quint16>(headers, layout.widthAt()) : read<qint32>(headers, layout.widthAt());
    const qint64 height =
        layout.core ? read<quint16>(headers, layout.heightAt()) : read<qint32>(headers, layout.heightAt());
    const int bits = read<quint16>(headers, layout.bitsAt());
    if (!layout.core && !storesEveryPixel(read<quint32>(headers, 30)))
        return std::nullopt;
    const bool validBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (width <= 0 || height == 0 || !validBits)
        return QByteArray();
    // Every row must be there, as in a picture written whole, though only some are read.
    const qint64 stride = rowBytes(width, bits);
    if (std::abs(height) > (device.size() - pixelOffset) / stride)
        return QByteArray();

    const qint64 rows = std::min<qint64>(std::abs(height), shown.height());
    const qint64 shownWidth = std::min<qint64>(width, shown.width());
    const qint64 keptBytes = (shownWidth * bits + 7) / 8;
    const qint64 shownStride = rowBytes(shownWidth, bits);
    // The top rows are the first ones stored in a top-down picture and the last in a bottom-up one;
    // either way they lie together, in the order the part keeps them.
    const qint64 firstStored = height < 0 ? 0 : height - rows;
    bitmap.reserve(qsizetype(pixelOffset + rows * shownStride));
    for (qint64 row = 0; row < rows; ++row) {
        if (!device.seek(pixelOffset + (firstStored + row) * stride))
            return QByteArray();
        const QByteArray kept = device.read(keptBytes);
        if (kept.size() != keptBytes)
            return QByteArray();
        bitmap += kept;
        bitmap += QByteArray(qsizetype(shownStride - keptBytes), '\0');
    }

    write<quint32>(bitmap, 2, quint32(bitmap.size()));
    if (layout.core) {
        write<quint16>(bitmap, layout.widthAt(), quint16(shownWidth));
        write<quint16>(bitmap, layout.heightAt(), quint16(rows));
    } else {
        write<qint32>(bitmap, layout.widthAt(), qint32(shownWidth));
        write<qint32>(bitmap, layout.heightAt(), qint32(height < 0 ? -rows : rows));
        write<quint32>(bitmap, 34, quint32(rows * shownStride));
    }
    return bitmap;
}

} // namespace kururie

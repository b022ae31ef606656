#pragma once

// Picture files made byte by byte, in the layouts that cameras, scanners and other programs write and in every format
// a desktop's Qt reads.

#include <QtGui>

#include <png.h>
#include <zlib.h>

// White, with a black square of 16 × 16 in the top-left corner.
inline QImage cornerPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(0, 0, 16, 16, Qt::black);
    return picture;
}

inline QByteArray written(const QImage& picture, const char* format, bool progressive = false)
{
    QBuffer buffer;
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return buffer.open(QIODevice::WriteOnly) && writer.write(picture) ? buffer.data() : QByteArray();
}

inline QByteArray photo(QSize size, const char* format, bool progressive = false)
{
    return written(cornerPicture(size), format, progressive);
}

inline quint32 crcOf(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

// The corner picture as a PNG, as screenshots, phones and paint programs write them, where there is alpha the white
// half transparent, written a row at a time. Unless interlaced, a tall one is cut off a hundred rows below those the
// canvas shows, as a file copied in part is, so that a reader going further fails.
inline QByteArray png(QSize size, int bitDepth, bool alpha, bool interlaced = false)
{
    const int rows = interlaced ? size.height() : std::min(size.height(), 500);
    QByteArray bytes;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    png_set_write_fn(writer, &bytes, [](png_structp w, png_bytep data, size_t length) {
        static_cast<QByteArray*>(png_get_io_ptr(w))->append(reinterpret_cast<const char*>(data), qsizetype(length));
    }, nullptr);
    png_set_compression_strategy(writer, Z_RLE);
    const int colours = alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    const int interlace = interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
    png_set_IHDR(writer, info, png_uint_32(size.width()), png_uint_32(rows), bitDepth, colours, interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    const int channels = alpha ? 4 : 3, sampleBytes = bitDepth / 8;
    QByteArray white(channels * sampleBytes * size.width(), char(0xFF)), corner = white;
    for (int x = 0; x < size.width(); ++x) {
        if (alpha)
            white[(channels * x + 3) * sampleBytes] = char(0x80);
        if (x < 16)
            std::fill_n(corner.data() + channels * x * sampleBytes, 3 * sampleBytes, 0);
    }
    for (int pass = png_set_interlace_handling(writer); pass > 0; --pass)
        for (int y = 0; y < rows; ++y)
            png_write_row(writer, reinterpret_cast<png_const_bytep>((y < 16 ? corner : white).constData()));
    png_write_end(writer, info);
    png_destroy_write_struct(&writer, &info);
    if (rows < size.height()) {
        // The header's height and its check sum; the end chunk goes.
        qToBigEndian(quint32(size.height()), bytes.data() + 20);
        qToBigEndian(crcOf(bytes.mid(12, 17)), bytes.data() + 29);
        bytes.chop(12);
    }
    return bytes;
}

// A BMP written here rather than by Qt, in each layout the program reads in part: `bits` a pixel, top-down or
// bottom-up, after an info header of `headerBytes` (12 for the OS/2 core header). Its colours and pixels are noise,
// so that a row, a column or a colour out of place shows.
inline QByteArray bitmap(QSize size, int bits = 24, bool topDown = false, int headerBytes = 40)
{
    const bool core = headerBytes == 12;
    const int tableBytes = bits > 8 ? 0 : (core ? 3 : 4) << bits;
    const qint64 pixelBytes = (qint64(size.width()) * bits + 31) / 32 * 4 * size.height();
    const quint32 offset = quint32(14 + headerBytes + tableBytes);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(offset + pixelBytes) << quint32(0) << offset << quint32(headerBytes);
    if (core)
        out << quint16(size.width()) << quint16(size.height()) << quint16(1) << quint16(bits);
    else
        out << qint32(size.width()) << qint32(topDown ? -size.height() : size.height()) << quint16(1) << quint16(bits);
    // Uncompressed, with a colour for every value a pixel can take.
    bytes.append(QByteArray(14 + headerBytes - bytes.size(), '\0'));
    QList<quint32> noise((tableBytes + pixelBytes + 3) / 4);
    QRandomGenerator(quint32(bits)).fillRange(noise.data(), noise.size());
    return bytes.append(reinterpret_cast<const char*>(noise.constData()), tableBytes + pixelBytes);
}

// Run lengths of 8-bit pixels, 20 × 20, whose rows cannot be found without decoding those before them.
inline QByteArray runLengthBitmap()
{
    QByteArray bytes = bitmap({20, 20}, 8).left(14 + 40 + 4 * 256);
    bytes[30] = 1;
    for (int fromBottom = 0; fromBottom < 20; ++fromBottom)
        bytes.append(fromBottom >= 4 ? QByteArray("\x10\x00\x04\x01\x00\x00", 6) : QByteArray("\x14\x01\x00\x00", 4));
    return bytes.append("\x00\x01", 2);
}

// The data packed as gzip does: a header, the deflated data (as qCompress gives it, after the data's size and a
// header of two bytes, and before a check sum of four), the data's check sum and its size.
inline QByteArray gzip(const QByteArray& data)
{
    QByteArray trailer(8, '\0');
    qToLittleEndian(crcOf(data), trailer.data());
    qToLittleEndian(quint32(data.size()), trailer.data() + 4);
    return QByteArray("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10) + qCompress(data, 1).mid(6).chopped(4) + trailer;
}

inline QByteArray pngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk;
    QDataStream(&chunk, QIODevice::WriteOnly) << quint32(data.size());
    chunk.append(type, 4).append(data);
    QDataStream(&chunk, QIODevice::Append) << crcOf(chunk.mid(4));
    return chunk;
}

// A file of the given format, one of those Qt's plug-ins read here; empty for a format unknown to it.
inline QByteArray sampleOf(const QByteArray& format)
{
    const QImage picture = cornerPicture(QSize(16, 16));
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg'><rect width='16' height='16'/></svg>";
    if (QImageWriter::supportedImageFormats().contains(format))
        return written(picture, format.constData());
    if (format == "svg" || format == "svgz")
        return format == "svg" ? svg : gzip(svg);
    if (format == "mng") {
        QByteArray header;
        QDataStream(&header, QIODevice::WriteOnly) << quint32(16) << quint32(16) << quint32(1) << quint32(0)
                                                   << quint32(0) << quint32(0) << quint32(1);
        return QByteArray("\x8aMNG\r\n\x1a\n", 8) + pngChunk("MHDR", header) + written(picture, "png").mid(8)
               + pngChunk("MEND", QByteArray());
    }
    if (format != "tga")
        return QByteArray();
    QByteArray tga(18, '\0');
    tga[2] = 2, tga[12] = 16, tga[14] = 16, tga[16] = 24, tga[17] = 0x20;
    return tga + QByteArray(16 * 16 * 3, char(0xFF)) + QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
}

#pragma once

// Picture files made byte by byte, in the layouts that cameras, scanners and other programs write
// and in every format a desktop's Qt reads: white, with a black square of 16 × 16 in the top-left
// corner.

#include <QtGui>

#include <png.h>
#include <zlib.h>

// What the canvas should show of such a picture, as far as it shows it.
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

inline QByteArray photo(QSize size, const char* format, bool progressive = false, QImage::Format pixels = QImage::Format_RGB32)
{
    return written(cornerPicture(size).convertToFormat(pixels), format, progressive);
}

// A PNG as screenshots, phones and paint programs write them, written a row at a time so that an
// 8000 × 6000 one costs no more than a row; where there is alpha the white half transparent.
inline QByteArray png(QSize size, int bitDepth, bool alpha, bool interlaced = false)
{
    QByteArray bytes;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    png_set_write_fn(writer, &bytes, [](png_structp w, png_bytep data, size_t length) {
        static_cast<QByteArray*>(png_get_io_ptr(w))->append(reinterpret_cast<const char*>(data), qsizetype(length));
    }, nullptr);
    png_set_compression_level(writer, 1);
    png_set_IHDR(writer, info, png_uint_32(size.width()), png_uint_32(size.height()), bitDepth,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
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

struct BitmapLayout {
    int bits = 24;
    bool topDown = false;
    int headerBytes = 40; // 12 for the OS/2 core header
};

// One row of a BMP: index 1 (or white) where the row is white, black in the corner square's columns.
inline QByteArray bitmapRow(int width, int bits, bool corner)
{
    QByteArray row((qint64(width) * bits + 31) / 32 * 4, '\0');
    for (int x = 0; x < width; ++x) {
        const bool black = corner && x < 16;
        if (bits < 8) {
            const int shift = 8 - bits - (x * bits) % 8;
            row[x * bits / 8] = char(uchar(row[x * bits / 8]) | (black ? 0 : 1) << shift);
        } else if (bits == 8) {
            row[x] = black ? 0 : 1;
        } else if (bits == 16) {
            row[2 * x] = black ? 0 : char(0xFF), row[2 * x + 1] = black ? 0 : 0x7F;
        } else {
            std::fill_n(row.data() + x * bits / 8, bits / 8, black ? 0 : char(0xFF));
        }
    }
    return row;
}

// A BMP written here rather than by Qt, in each layout the program reads in part.
inline QByteArray bitmap(QSize size, BitmapLayout layout = {})
{
    const bool core = layout.headerBytes == 12;
    // The core header has no count of colours: its table holds one for every value a pixel can take.
    const int colours = layout.bits > 8 ? 0 : core ? 1 << layout.bits : 2;
    const int colourBytes = core ? 3 : 4;
    const QByteArray corner = bitmapRow(size.width(), layout.bits, true), white = bitmapRow(size.width(), layout.bits, false);
    const quint32 offset = quint32(14 + layout.headerBytes + colours * colourBytes);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(offset + white.size() * size.height()) << quint32(0) << offset << quint32(layout.headerBytes);
    if (core)
        out << quint16(size.width()) << quint16(size.height()) << quint16(1) << quint16(layout.bits);
    else
        out << qint32(size.width()) << qint32(layout.topDown ? -size.height() : size.height()) << quint16(1)
            << quint16(layout.bits) << quint32(0) << quint32(0) << qint32(2835) << qint32(2835) << quint32(colours)
            << quint32(0);
    bytes.append(QByteArray(14 + layout.headerBytes - bytes.size(), '\0'));
    for (int colour = 0; colour < colours; ++colour)
        bytes.append(QByteArray(colourBytes - (core ? 0 : 1), colour == 1 ? char(0xFF) : 0)).append(core ? "" : QByteArray(1, '\0'));
    for (int y = 0; y < size.height(); ++y) {
        const int fromTop = layout.topDown ? y : size.height() - 1 - y;
        bytes.append(fromTop < 16 ? corner : white);
    }
    return bytes;
}

// A run-length BMP of 20 × 20, whose rows cannot be found without decoding those before them.
inline QByteArray runLengthBitmap()
{
    QByteArray bytes = bitmap(QSize(20, 20), {8, false, 40}).left(14 + 40 + 8);
    bytes[30] = 1; // 8-bit run lengths
    for (int fromBottom = 0; fromBottom < 20; ++fromBottom)
        bytes.append(fromBottom >= 4 ? QByteArray("\x10\x00\x04\x01\x00\x00", 6) : QByteArray("\x14\x01\x00\x00", 4));
    bytes.append("\x00\x01", 2);
    return bytes;
}

inline QByteArray gzip(const QByteArray& head, const QByteArray& repeated, int times, const QByteArray& tail)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    QByteArray out;
    auto feed = [&](const QByteArray& in, int flush) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
        stream.avail_in = uInt(in.size());
        do {
            char chunk[1 << 16];
            stream.next_out = reinterpret_cast<Bytef*>(chunk);
            stream.avail_out = sizeof chunk;
            deflate(&stream, flush);
            out.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        } while (stream.avail_out == 0);
    };
    feed(head, Z_NO_FLUSH);
    for (int i = 0; i < times; ++i)
        feed(repeated, Z_NO_FLUSH);
    feed(tail, Z_FINISH);
    deflateEnd(&stream);
    return out;
}

inline QByteArray pngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk;
    QDataStream(&chunk, QIODevice::WriteOnly) << quint32(data.size());
    chunk.append(type, 4).append(data);
    QDataStream(&chunk, QIODevice::Append) << quint32(crc32(0, reinterpret_cast<const Bytef*>(chunk.constData() + 4), uInt(chunk.size() - 4)));
    return chunk;
}

const QByteArray kSvg = "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'><rect width='16' height='16'/></svg>";

// A file of the given format, one of those Qt's plug-ins read here; empty for a format unknown to it.
inline QByteArray sampleOf(const QByteArray& format)
{
    const QImage picture = cornerPicture(QSize(16, 16));
    if (QImageWriter::supportedImageFormats().contains(format))
        return written(picture, format.constData());
    if (format == "svg")
        return kSvg;
    if (format == "svgz")
        return gzip(kSvg, QByteArray(), 0, QByteArray());
    if (format == "mng") {
        QByteArray header;
        QDataStream(&header, QIODevice::WriteOnly) << quint32(16) << quint32(16) << quint32(1) << quint32(0)
                                                   << quint32(0) << quint32(0) << quint32(1);
        return QByteArray("\x8aMNG\r\n\x1a\n", 8) + pngChunk("MHDR", header) + written(picture, "png").mid(8)
               + pngChunk("MEND", QByteArray());
    }
    if (format == "tga") {
        QByteArray tga(18, '\0');
        tga[2] = 2, tga[12] = 16, tga[14] = 16, tga[16] = 24, tga[17] = 0x20;
        return tga + QByteArray(16 * 16 * 3, char(0xFF)) + QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
    }
    return QByteArray();
}

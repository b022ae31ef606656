#include "controls/packed_colour.h"
#include "documents/drawing_export.h"
#include "documents/drawing_pieces.h"

#include <QPainter>

#include <png.h>
#include <zlib.h>

#include <algorithm>

namespace kururie {

namespace {

// A drawing is mostly flat background crossed by thin lines. Each row is filtered against the one
// above it, which turns the background and much of a line into zeros, and zlib then packs runs of
// equal bytes: at 4000 pixels a side that is a third of the time of trying every filter on every
// row, as libpng does by default, and a smaller file. Matching runs leaves zlib's level nearly
// without effect, so the fastest is taken.
constexpr int kCompressionLevel = 1;

QImage drawnAt(const DrawingLayers& layers, const QImage& canvasImage, int side)
{
    const qreal scale = qreal(side) / std::max(layers.size.width(), layers.size.height());
    const QSize size = (QSizeF(layers.size) * scale).toSize();
    if (layers.strokes.overflowed())
        return canvasImage.convertToFormat(QImage::Format_RGB32)
            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage image(size, QImage::Format_RGB32);
    image.fill(fromPacked(layers.backColor));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(layers.size)));
    if (!layers.picture.isNull())
        painter.drawImage(QPointF(0, 0), layers.picture);
    // Round ends and joins, as the canvas draws its segments.
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    forEachPiece(layers, [&painter, &pen](const std::vector<QPointF>& points, const StrokePoint& style) {
        pen.setColor(fromPacked(style.colour()));
        pen.setWidth(style.width());
        painter.setPen(pen);
        painter.drawPolyline(points.data(), int(points.size()));
    });
    return image;
}

// Everything with a destructor lives here, created before libpng can jump back on an error.
struct Encoding {
    png_structp png = nullptr;
    png_infop info = nullptr;
    QByteArray bytes;

    ~Encoding() { png_destroy_write_struct(&png, &info); }
};

[[noreturn]] void stopEncoding(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void appendBytes(png_structp png, png_bytep data, size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

// Rows straight from the image's own pixels, blue, green, red and a filler byte on a little-endian
// machine, so that no converted copy of a large image is made.
void encode(Encoding& e, const QImage& image)
{
    png_set_write_fn(e.png, &e.bytes, appendBytes, nullptr);
    png_set_compression_level(e.png, kCompressionLevel);
    png_set_compression_strategy(e.png, Z_RLE);
    png_set_filter(e.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_IHDR(e.png, e.info, png_uint_32(image.width()), png_uint_32(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(e.png, e.info);
    png_set_bgr(e.png);
    png_set_filler(e.png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(e.png, image.constScanLine(y));
    png_write_end(e.png, e.info);
}

QByteArray pngOf(const QImage& image)
{
    Encoding e;
    e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stopEncoding, ignoreWarning);
    if (!e.png)
        return QByteArray();
    e.info = png_create_info_struct(e.png);
    if (!e.info)
        return QByteArray();
    if (setjmp(png_jmpbuf(e.png)))
        return QByteArray();
    encode(e, image);
    return e.bytes;
}

} // namespace

QByteArray drawingPng(const DrawingLayers& layers, const QImage& canvasImage, int side)
{
    return pngOf(drawnAt(layers, canvasImage, side));
}

} // namespace kururie

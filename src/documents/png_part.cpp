#include "documents/png_part.h"

#include <QIODevice>

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kururie {

namespace {

// No side of a PNG longer than JPEG allows; an interlaced one no larger than an 8000 × 6000 photo.
constexpr png_uint_32 kLongestSide = 65535;
constexpr std::uint64_t kMostInterlacedPixels = 8000ULL * 6000;
constexpr int kBytesPerPixel = 4;

// Everything with a destructor lives here, created before libpng can jump back on an error, so
// that nothing is skipped by the jump.
struct Decoding {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_byte> row;
    QImage picture;

    ~Decoding() { png_destroy_read_struct(&png, &info, nullptr); }
};

[[noreturn]] void stopDecoding(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void readFromDevice(png_structp png, png_bytep data, size_t length)
{
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char*>(data), qint64(length)) != qint64(length))
        png_error(png, "truncated");
}

// Every colour type as 8-bit blue, green, red and alpha (or a filler where there is no alpha), the
// byte order of QImage's 32-bit formats on a little-endian machine.
QImage::Format convertToQtPixels(png_structp png, png_infop info)
{
    const png_byte colourType = png_get_color_type(png, info);
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    return alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

// Runs between libpng's error jumps: nothing in here may own memory of its own.
void decode(Decoding& d, QIODevice& device, QSize shown)
{
    png_set_read_fn(d.png, &device, readFromDevice);
    png_set_user_limits(d.png, kLongestSide, kLongestSide);
    png_read_info(d.png, d.info);
    const png_uint_32 width = png_get_image_width(d.png, d.info);
    const png_uint_32 height = png_get_image_height(d.png, d.info);
    const bool interlaced = png_get_interlace_type(d.png, d.info) != PNG_INTERLACE_NONE;
    if (interlaced && std::uint64_t(width) * height > kMostInterlacedPixels)
        png_error(d.png, "too large to read in passes");

    const QImage::Format format = convertToQtPixels(d.png, d.info);
    const int passes = png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    const int shownWidth = std::min(int(width), shown.width());
    const int shownHeight = std::min(int(height), shown.height());
    const size_t shownBytes = size_t(shownWidth) * kBytesPerPixel;
    d.picture = QImage(shownWidth, shownHeight, format);
    if (d.picture.isNull())
        png_error(d.png, "no memory for the picture");
    d.row.resize(png_get_rowbytes(d.png, d.info));

    // Each pass adds its pixels to the rows it touches; a kept row is carried through the row
    // buffer so that its shown part collects them all.
    const png_uint_32 rowsRead = passes > 1 ? height : png_uint_32(shownHeight);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < rowsRead; ++y) {
            const bool kept = y < png_uint_32(shownHeight);
            if (kept)
                std::memcpy(d.row.data(), d.picture.scanLine(int(y)), shownBytes);
            png_read_row(d.png, d.row.data(), nullptr);
            if (kept)
                std::memcpy(d.picture.scanLine(int(y)), d.row.data(), shownBytes);
        }
    }
}

} // namespace

QImage readPngPart(QIODevice& device, QSize shown)
{
    Decoding d;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, stopDecoding, ignoreWarning);
    if (!d.png)
        return QImage();
    d.info = png_create_info_struct(d.png);
    if (!d.info)
        return QImage();
    if (setjmp(png_jmpbuf(d.png)))
        return QImage();
    decode(d, device, shown);
    return d.picture;
}

} // namespace kururie

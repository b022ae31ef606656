#include "documents/picture_files.h"

#include "documents/bmp_part.h"
#include "documents/file_saving.h"
#include "documents/picture_headers.h"
#include "documents/png_part.h"
#include "documents/regular_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRect>

namespace kururie {

namespace {

// Any header may claim any size. What a picture may cost to decode is what an 8000 × 6000 photo
// costs at four bytes a pixel, 183 MB; the canvas itself shows 400 × 400 pixels.
constexpr qint64 kLargestDecodeBytes = 8000LL * 6000 * 4;
constexpr qint64 kMegabyte = 1024 * 1024;
constexpr int kAllocationLimitMegabytes = int((kLargestDecodeBytes + kMegabyte - 1) / kMegabyte);

// What the headers say of the decoders' costs, read before the decoder is given the data.
struct Costs {
    int leastBitsPerPixel = 0;
    bool gifCopiesFirstFrame = false;
    qint64 jpegCoefficientBytes = 0;
};

Costs decoderCosts(QIODevice& device, const QByteArray& format)
{
    Costs costs;
    costs.leastBitsPerPixel = leastBitsPerPixel(format, device.peek(kBmpHeaderBytes));
    if (format == "gif")
        costs.gifCopiesFirstFrame = gifCopiesFirstFrame(device);
    else if (format == "jpeg")
        costs.jpegCoefficientBytes = jpegCoefficientBytes(device);
    device.seek(0);
    return costs;
}

// The formats the program reads, told by their first bytes whatever the file's name says. Any
// other decoder a desktop has installed (SVG, TIFF, WebP…) is never given the data: its costs are
// not bounded by the checks here.
QByteArray promisedFormat(QIODevice& device)
{
    const QByteArray start = device.peek(8);
    if (start.startsWith("BM"))
        return "bmp";
    if (start.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (start.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (start.startsWith("GIF87a") || start.startsWith("GIF89a"))
        return "gif";
    return QByteArray();
}

QImage decode(QIODevice& device, const QByteArray& format, QSize shown)
{
    const Costs costs = decoderCosts(device, format);
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    // Read from the header alone; a reader that cannot tell decodes whole, within the limit.
    const QSize size = reader.size();
    if (size.isValid()) {
        if (claimsMorePixelsThanItHolds(size, costs.leastBitsPerPixel, device.size()))
            return QImage();
        if (costs.gifCopiesFirstFrame && 8 * qint64(size.width()) * size.height() > kLargestDecodeBytes)
            return QImage();
        if (reader.supportsOption(QImageIOHandler::ClipRect)) {
            // The decoder then allocates only the part asked for, apart from its own buffers.
            if (costs.jpegCoefficientBytes < 0 || costs.jpegCoefficientBytes > kLargestDecodeBytes)
                return QImage();
            // Never wider or taller than the picture, so that nothing outside it is made up.
            reader.setClipRect(QRect(QPoint(0, 0), size).intersected(QRect(QPoint(0, 0), shown)));
        }
    }
    QImage picture;
    if (!reader.read(&picture))
        return QImage();
    return shownPart(picture, shown);
}

QImage decodeBitmap(QIODevice& device, QSize shown)
{
    std::optional<QByteArray> part = shownBitmap(device, shown);
    device.seek(0);
    if (!part)
        return decode(device, "bmp", shown);
    if (part->isEmpty())
        return QImage();
    QBuffer buffer(&*part);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer, "bmp", shown);
}

} // namespace

void limitPictureDecoding()
{
    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
}

QImage readPicture(QIODevice& device, QSize shown)
{
    limitPictureDecoding();
    const QByteArray format = promisedFormat(device);
    if (format == "png")
        return readPngPart(device, shown);
    if (format == "bmp")
        return decodeBitmap(device, shown);
    return format.isEmpty() ? QImage() : decode(device, format, shown);
}

QImage readPictureFile(const QString& path, QSize shown)
{
    QFile file;
    return openRegularFile(file, path) ? readPicture(file, shown) : QImage();
}

QImage shownPart(const QImage& picture, QSize shown)
{
    const QRect part = picture.rect().intersected(QRect(QPoint(0, 0), shown));
    return part == picture.rect() ? picture : picture.copy(part);
}

bool isCanvasPicture(const QString& path, QSize size)
{
    QFile file;
    if (!openRegularFile(file, path))
        return false;
    const QByteArray format = promisedFormat(file);
    if (format != "bmp" && format != "png")
        return false;
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    return reader.size() == size;
}

bool writePicture(const QImage& image, const QString& path)
{
    const char* format = path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "png" : "bmp";
    return saveAtomically(path, [&image, format](QIODevice& device) {
        QImageWriter writer(&device, format);
        return writer.write(image);
    });
}

} // namespace kururie

#include "picture_files.h"

#include "file_saving.h"
#include "picture_headers.h"

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

} // namespace

void limitPictureDecoding()
{
    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
}

QImage readPicture(const QString& path, QSize shown)
{
    limitPictureDecoding();
    // Save writes BMP data under whatever name the document has, a ".jpg" one included; the reader
    // falls back on the content when the name's format does not fit.
    QImageReader reader(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    // Read from the header alone; a reader that cannot tell decodes whole, within the limit.
    const QSize size = reader.size();
    const QByteArray format = reader.format();
    if (size.isValid()) {
        if (claimsMorePixelsThanItHolds(size, leastBitsPerPixel(format, file.peek(kBmpHeaderBytes)), file.size()))
            return QImage();
        if (format == "gif" && gifCopiesFirstFrame(file) && 8 * qint64(size.width()) * size.height() > kLargestDecodeBytes)
            return QImage();
        if (reader.supportsOption(QImageIOHandler::ClipRect)) {
            // The decoder then allocates only the part asked for, apart from its own buffers.
            if (format == "jpeg") {
                const qint64 buffer = jpegCoefficientBytes(file);
                if (buffer < 0 || buffer > kLargestDecodeBytes)
                    return QImage();
            }
            // Never wider or taller than the picture, so that nothing outside it is made up.
            reader.setClipRect(QRect(QPoint(0, 0), size).intersected(QRect(QPoint(0, 0), shown)));
        }
    }
    QImage picture;
    if (!reader.read(&picture))
        return QImage();
    return shownPart(picture, shown);
}

QImage shownPart(const QImage& picture, QSize shown)
{
    const QRect part = picture.rect().intersected(QRect(QPoint(0, 0), shown));
    return part == picture.rect() ? picture : picture.copy(part);
}

bool writeBitmap(const QImage& image, const QString& path)
{
    return saveAtomically(path, [&image](QIODevice& device) {
        QImageWriter writer(&device, "bmp");
        return writer.write(image);
    });
}

} // namespace kururie

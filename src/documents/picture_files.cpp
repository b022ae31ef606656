#include "picture_files.h"

#include "file_saving.h"

#include <QImageReader>
#include <QImageWriter>

namespace kururie {

namespace {

// A header may claim any size; a picture that would need more memory than this is treated as
// undecodable instead of exhausting memory. The canvas shows 400 × 400 pixels.
constexpr int kLargestPictureMegabytes = 64;

} // namespace

QImage readPicture(const QString& path)
{
    QImageReader::setAllocationLimit(kLargestPictureMegabytes);
    // Save writes BMP data under whatever name the document has, a ".jpg" one included; the reader
    // falls back on the content when the name's format does not fit.
    QImageReader reader(path);
    QImage picture;
    if (!reader.read(&picture))
        return QImage();
    return picture;
}

bool writeBitmap(const QImage& image, const QString& path)
{
    return saveAtomically(path, [&image](QIODevice& device) {
        QImageWriter writer(&device, "bmp");
        return writer.write(image);
    });
}

} // namespace kururie

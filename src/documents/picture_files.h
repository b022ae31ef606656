#pragma once

#include <QImage>
#include <QString>

namespace kururie {

// Decodes a picture file in any format Qt reads (BMP, JPEG and GIF among them), whatever its name
// says; a null image when the file cannot be decoded.
QImage readPicture(const QString& path);

// Writes the image as BMP data under the given name, whatever its extension.
bool writeBitmap(const QImage& image, const QString& path);

} // namespace kururie

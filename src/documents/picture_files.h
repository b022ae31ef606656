#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

namespace kururie {

// Decodes the part of a picture that a canvas of the given size shows, its top-left corner, in any
// format Qt reads (BMP, JPEG and GIF among them), whatever its name says. A null image when the
// data cannot be decoded, or when decoding it would take more memory than a photo of 8000 × 6000
// pixels: JPEG and PNG decode only the part shown; other formats decode whole and keep the part.
QImage readPicture(QIODevice& device, QSize shown);

// The same for a file, which must be a regular file.
QImage readPictureFile(const QString& path, QSize shown);

// Holds every picture Qt decodes for the program, files and other programs' clipboard pictures
// alike, to what an 8000 × 6000 photo needs.
void limitPictureDecoding();

// The top-left part of a picture that a canvas of the given size shows, in a buffer of its own, so
// that the rest is freed with the picture; the picture itself when it fits.
QImage shownPart(const QImage& picture, QSize shown);

// Whether the file is a BMP or PNG of the given size: a picture that writing the canvas could have made.
bool isCanvasPicture(const QString& path, QSize size);

// Writes the image as PNG data under a name that ends in .png, in any case, and as BMP data under
// any other name.
bool writePicture(const QImage& image, const QString& path);

} // namespace kururie

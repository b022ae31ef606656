#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kururie {

// Decodes the part of a picture file that a canvas of the given size shows, its top-left corner,
// in any format Qt reads (BMP, JPEG and GIF among them), whatever its name says. A null image when
// the file cannot be decoded, or when decoding it would take more memory than a photo of
// 8000 × 6000 pixels: JPEG decodes only the part shown; other formats decode whole and keep the part.
QImage readPicture(const QString& path, QSize shown);

// Holds every picture Qt decodes for the program, files and other programs' clipboard pictures
// alike, to what an 8000 × 6000 photo needs.
void limitPictureDecoding();

// The top-left part of a picture that a canvas of the given size shows, in a buffer of its own, so
// that the rest is freed with the picture; the picture itself when it fits.
QImage shownPart(const QImage& picture, QSize shown);

// Writes the image as BMP data under the given name, whatever its extension.
bool writeBitmap(const QImage& image, const QString& path);

} // namespace kururie

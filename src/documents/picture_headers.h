#pragma once

#include <QByteArray>
#include <QSize>

class QIODevice;

namespace kururie {

// What a picture file's headers tell before anything is decoded, so that a file claiming more
// than it can hold, or more than its decoder would allocate, is refused without decoding it.

// A BMP's file header and the start of its info header, up to the compression field.
constexpr int kBmpHeaderBytes = 34;

// The fewest bits a pixel takes in a file whose format stores every pixel, compressing none; 0 for
// a format, or a BMP, that may compress them. The header is the file's first kBmpHeaderBytes.
int leastBitsPerPixel(const QByteArray& format, const QByteArray& header);

bool claimsMorePixelsThanItHolds(QSize size, int bitsPerPixel, qint64 fileBytes);

// Qt's GIF decoder keeps a copy of the first frame's area besides the picture when that frame is
// to be restored afterwards: disposal method 3 in the graphic control block before it. True then,
// and for a file whose blocks cannot be followed up to the first frame.
bool gifCopiesFirstFrame(QIODevice& file);

// libjpeg decodes a progressive JPEG, or one whose first scan leaves out a component, through a
// buffer of the whole picture's coefficients, however little of it is shown. Its size, from the
// frame header and the first scan header; 0 for a JPEG decoded a line at a time; -1 for a file
// whose headers libjpeg refuses.
qint64 jpegCoefficientBytes(QIODevice& file);

} // namespace kururie

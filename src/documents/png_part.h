#pragma once

#include <QImage>
#include <QSize>

class QIODevice;

namespace kururie {

// Decodes the top-left part of a PNG that a canvas of the given size shows, in 8 bits a channel
// whatever the file holds, reading rows only as far down as the canvas goes: libpng hands the
// picture over row by row, so a photo or screenshot of any size costs one row and the part shown.
// An interlaced PNG delivers every row in several passes and is read to its end, so its size is
// held to what an 8000 × 6000 photo holds. A null image when the data is not a PNG libpng takes.
QImage readPngPart(QIODevice& device, QSize shown);

} // namespace kururie

#pragma once

#include <QByteArray>
#include <QSize>

#include <optional>

class QIODevice;

namespace kururie {

// The top-left part of a BMP that a canvas of the given size shows, as a BMP of its own: the
// headers and colour table as they are, then only the rows shown and of each row only its shown
// part. An uncompressed BMP stores its rows at known offsets, bottom-up or top-down, so those at
// the top are read alone, however large the picture.
//
// nullopt for a BMP that cannot be cut so (its pixels compressed, or headers of a rare kind): it is
// decoded whole. An empty array for one whose headers do not hold together or whose rows are not
// all there: it is refused.
std::optional<QByteArray> shownBitmap(QIODevice& device, QSize shown);

} // namespace kururie

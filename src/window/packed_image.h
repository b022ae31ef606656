#pragma once

#include <QByteArray>
#include <QImage>

#include <cstddef>

namespace kururie {

// A picture kept for later at a fraction of its size: a drawing is mostly flat background, which
// packs to almost nothing.
class PackedImage {
public:
    PackedImage() = default;
    explicit PackedImage(const QImage& image);

    QImage unpacked() const;
    std::size_t bytes() const { return std::size_t(m_bits.size()) + sizeof(QRgb) * std::size_t(m_colours.size()); }

private:
    QByteArray m_bits;
    QSize m_size;
    QImage::Format m_format = QImage::Format_Invalid;
    QList<QRgb> m_colours;
};

} // namespace kururie

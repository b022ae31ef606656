#include "documents/picture_headers.h"

#include <QIODevice>
#include <QList>
#include <QtEndian>

#include <algorithm>

namespace kururie {

namespace {

int littleEndian16(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Reads a JPEG's markers the way libjpeg does: bytes before an 0xFF are skipped, so are fill
// bytes, and 0xFF 0x00 is data, not a marker. Any read past the end makes ok false.
class JpegMarkers {
public:
    explicit JpegMarkers(QIODevice& file) : m_file(file) {}

    bool ok() const { return m_ok; }

    int byte()
    {
        char c = 0;
        m_ok = m_ok && m_file.getChar(&c);
        return m_ok ? int(uchar(c)) : -1;
    }

    int word()
    {
        const int high = byte();
        const int low = byte();
        return m_ok ? high << 8 | low : -1;
    }

    int next()
    {
        int c = 0;
        while (m_ok && c == 0) {
            while (m_ok && byte() != 0xFF) {
            }
            do
                c = byte();
            while (m_ok && c == 0xFF);
        }
        return c;
    }

    void skipSegment()
    {
        const int length = word();
        m_ok = m_ok && m_file.seek(m_file.pos() + std::max(0, length - 2));
    }

private:
    QIODevice& m_file;
    bool m_ok = true;
};

struct JpegComponent {
    int horizontal = 0;
    int vertical = 0;
};

qint64 roundUp(qint64 value, qint64 step)
{
    return (value + step - 1) / step * step;
}

// What libjpeg allocates for a multi-scan JPEG, as jdcoefct.c does: every component's 8 × 8 blocks,
// padded to whole units of its sampling factors, 64 coefficients of two bytes each.
qint64 coefficientBytes(qint64 width, qint64 height, const QList<JpegComponent>& components)
{
    int maxHorizontal = 1;
    int maxVertical = 1;
    for (const JpegComponent& component : components) {
        maxHorizontal = std::max(maxHorizontal, component.horizontal);
        maxVertical = std::max(maxVertical, component.vertical);
    }
    qint64 bytes = 0;
    for (const JpegComponent& component : components) {
        const qint64 columns = roundUp(width * component.horizontal, 8LL * maxHorizontal) / (8LL * maxHorizontal);
        const qint64 rows = roundUp(height * component.vertical, 8LL * maxVertical) / (8LL * maxVertical);
        bytes += roundUp(columns, component.horizontal) * roundUp(rows, component.vertical) * 128;
    }
    return bytes;
}

} // namespace

int leastBitsPerPixel(const QByteArray& format, const QByteArray& header)
{
    if (format != "bmp" || header.size() < kBmpHeaderBytes)
        return 0;
    constexpr quint32 kOs2InfoHeader = 12;
    if (qFromLittleEndian<quint32>(header.constData() + 14) == kOs2InfoHeader)
        return littleEndian16(header, 24);
    // Plain pixels (0) and bit fields (3, and 6 with alpha) store every pixel; run lengths do not.
    const quint32 compression = qFromLittleEndian<quint32>(header.constData() + 30);
    return compression == 0 || compression == 3 || compression == 6 ? littleEndian16(header, 28) : 0;
}

bool claimsMorePixelsThanItHolds(QSize size, int bitsPerPixel, qint64 fileBytes)
{
    return bitsPerPixel > 0 && qint64(size.width()) * size.height() > fileBytes * 8 / bitsPerPixel;
}

bool gifCopiesFirstFrame(QIODevice& file)
{
    constexpr int kScreenDescriptorEnd = 13;
    const QByteArray header = file.seek(0) ? file.read(kScreenDescriptorEnd) : QByteArray();
    if (header.size() != kScreenDescriptorEnd)
        return true;
    const int flags = uchar(header[10]);
    const qint64 colourTable = (flags & 0x80) ? 3 * (2 << (flags & 7)) : 0;
    if (!file.seek(kScreenDescriptorEnd + colourTable))
        return true;
    int disposal = 0;
    char introducer = 0;
    while (file.getChar(&introducer)) {
        if (introducer == ',')
            return disposal == 3;
        char label = 0;
        if (introducer != '!' || !file.getChar(&label))
            return true;
        // An extension's data blocks, each after its length, up to an empty one.
        bool first = true;
        char length = 0;
        while (file.getChar(&length) && length != 0) {
            const QByteArray block = file.read(uchar(length));
            if (block.size() != uchar(length))
                return true;
            if (uchar(label) == 0xF9 && first)
                disposal = (uchar(block[0]) >> 2) & 7;
            first = false;
        }
    }
    return true;
}

qint64 jpegCoefficientBytes(QIODevice& file)
{
    JpegMarkers markers(file);
    if (!file.seek(0) || markers.byte() != 0xFF || markers.byte() != 0xD8)
        return -1;
    bool progressive = false;
    qint64 width = 0;
    qint64 height = 0;
    QList<JpegComponent> components;
    for (;;) {
        const int marker = markers.next();
        if (!markers.ok())
            return -1;
        const bool frame = marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC9 || marker == 0xCA;
        if (frame) {
            if (!components.isEmpty())
                return -1;
            const int length = markers.word();
            markers.byte(); // sample precision
            height = markers.word();
            width = markers.word();
            const int count = markers.byte();
            if (length != 8 + 3 * count || count < 1)
                return -1;
            for (int i = 0; i < count; ++i) {
                markers.byte(); // component identifier
                const int sampling = markers.byte();
                markers.byte(); // quantization table
                components.append({sampling >> 4, sampling & 15});
            }
            progressive = marker == 0xC2 || marker == 0xCA;
        } else if (marker == 0xDA) {
            if (components.isEmpty())
                return -1;
            const int length = markers.word();
            const int count = markers.byte();
            if (!markers.ok() || length != 6 + 2 * count || count < 1 || count > 4)
                return -1;
            for (const JpegComponent& component : components) {
                if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1
                    || component.vertical > 4)
                    return -1;
            }
            return progressive || count < components.size() ? coefficientBytes(width, height, components) : 0;
        } else if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            // Restart markers and TEM have no segment.
        } else if (marker == 0xC4 || marker == 0xCC || (marker >= 0xDB && marker <= 0xDD)
                   || (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE) {
            markers.skipSegment();
        } else {
            // A second start of image, an end before any scan, an unsupported frame or an unknown marker.
            return -1;
        }
    }
}

} // namespace kururie

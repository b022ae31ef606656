#include "documents/drawing_export.h"
#include "documents/drawing_pieces.h"

#include <QBuffer>

#include <cmath>
#include <cstdio>

namespace kururie {

namespace {

// Coordinates are written with two decimals, in hundredths of a canvas unit: a twentieth of a pixel
// at 4000 pixels a side is the most a point moves. Each is written relative to the point before as
// rounded, so that the roundings never add up along a path.
constexpr int kSteps = 100;
// On paper the longer side is 10 cm, a quarter of a millimetre a canvas unit.
constexpr double kLongerSideMm = 100;

std::int64_t steps(qreal coordinate)
{
    return std::llrint(coordinate * kSteps);
}

// A count of hundredths as a number, "12.5", "-.05" or "0": no trailing zeros, no leading one, and
// a blank before it unless it comes first or a sign parts it from the number before.
void appendNumber(QByteArray& text, std::int64_t value, bool first)
{
    if (value < 0)
        text += '-';
    else if (!first)
        text += ' ';
    const std::uint64_t magnitude = value < 0 ? std::uint64_t(-value) : std::uint64_t(value);
    const std::uint64_t whole = magnitude / kSteps, fraction = magnitude % kSteps;
    if (whole != 0 || fraction == 0)
        text += QByteArray::number(whole);
    if (fraction != 0) {
        text += '.';
        text += char('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += char('0' + fraction % 10);
    }
}

QByteArray colourText(std::uint32_t packed)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", packed & 0xFFu, (packed >> 8) & 0xFFu, (packed >> 16) & 0xFFu);
    return text;
}

QByteArray millimetres(double mm)
{
    return QByteArray::number(std::round(mm * 100) / 100, 'g', 8) + "mm";
}

// The picture's pixels as a PNG in a data: address.
QByteArray pictureAddress(const QImage& picture)
{
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.save(&png, "PNG");
    return "data:image/png;base64," + png.data().toBase64();
}

// One path for each run of segments drawn with one pen, in a group for each run of one width;
// within a path, a piece after a gap moves there relative to the end of the piece before.
class StrokesText {
public:
    explicit StrokesText(QByteArray& text) : m_text(text) {}

    void add(const std::vector<QPointF>& points, const StrokePoint& pen)
    {
        std::size_t from = 0;
        if (m_started && pen.pen() == m_pen.pen()) {
            m_text += 'm';
        } else {
            startPath(pen);
            const QPointF& start = points.front();
            m_x = steps(start.x()), m_y = steps(start.y());
            appendNumber(m_text, m_x, true);
            appendNumber(m_text, m_y, false);
            from = 1;
        }
        for (std::size_t i = from; i < points.size(); ++i) {
            const std::int64_t x = steps(points[i].x()), y = steps(points[i].y());
            appendNumber(m_text, x - m_x, i == 0);
            appendNumber(m_text, y - m_y, false);
            m_x = x, m_y = y;
        }
    }

    void finish()
    {
        if (m_started)
            m_text += "\"/>\n</g>\n";
    }

private:
    void startPath(const StrokePoint& pen)
    {
        if (m_started)
            m_text += "\"/>\n";
        if (!m_started || pen.width() != m_pen.width()) {
            if (m_started)
                m_text += "</g>\n";
            m_text += "<g stroke-width=\"" + QByteArray::number(pen.width()) + "\">\n";
        }
        m_text += "<path stroke=\"" + colourText(pen.colour()) + "\" d=\"m";
        m_pen = pen;
        m_started = true;
    }

    QByteArray& m_text;
    bool m_started = false;
    StrokePoint m_pen{};
    std::int64_t m_x = 0;
    std::int64_t m_y = 0;
};

} // namespace

std::optional<QByteArray> drawingSvg(const DrawingLayers& layers)
{
    if (layers.strokes.overflowed())
        return std::nullopt;
    const QByteArray w = QByteArray::number(layers.size.width()), h = QByteArray::number(layers.size.height());
    const double mmPerUnit = kLongerSideMm / std::max(layers.size.width(), layers.size.height());
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                     "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
                     millimetres(layers.size.width() * mmPerUnit) + "\" height=\"" +
                     millimetres(layers.size.height() * mmPerUnit) + "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n";
    svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"" + colourText(layers.backColor) + "\"/>\n";
    if (!layers.picture.isNull()) {
        const QImage shown = layers.picture.copy(QRect(QPoint(0, 0), layers.size).intersected(layers.picture.rect()));
        svg += "<image width=\"" + QByteArray::number(shown.width()) + "\" height=\"" +
               QByteArray::number(shown.height()) + "\" xlink:href=\"" + pictureAddress(shown) + "\"/>\n";
    }
    svg += "<g fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    StrokesText strokes(svg);
    forEachPiece(layers, [&strokes](const std::vector<QPointF>& points, const StrokePoint& pen) {
        strokes.add(points, pen);
    });
    strokes.finish();
    svg += "</g>\n</svg>\n";
    return svg;
}

} // namespace kururie

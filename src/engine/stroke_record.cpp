#include "engine/stroke_record.h"

namespace kururie {

namespace {

constexpr std::uint32_t kStartsPolyline = 1u << 31;
constexpr int kWidestPen = 0x7F;

std::uint32_t penStyle(std::uint32_t colour, int width)
{
    return (colour & 0xFFFFFFu) | (std::uint32_t(std::clamp(width, 0, kWidestPen)) << 24);
}

} // namespace

void StrokeRecord::append(const Segment& segment, std::uint32_t colour, int width)
{
    if (m_overflowed)
        return;
    if (m_segments == m_maxSegments) {
        // Kept in part, the strokes would no longer be the picture; the chunks go back at once.
        *this = StrokeRecord(m_maxSegments);
        m_overflowed = true;
        return;
    }
    const std::uint32_t style = penStyle(colour, width);
    // Compared exactly: the tracer hands the next segment the very end point of the one before.
    const bool joins = m_points > 0 && segment.x1 == lastPoint().x && segment.y1 == lastPoint().y;
    if (!joins)
        push({segment.x1, segment.y1, style | kStartsPolyline});
    push({segment.x2, segment.y2, style});
    ++m_segments;
}

std::size_t StrokeRecord::bytesHeld() const
{
    return m_chunks.size() * sizeof(Chunk) + m_chunks.capacity() * sizeof(m_chunks.front());
}

void StrokeRecord::push(const StrokePoint& point)
{
    const std::size_t at = m_points % kChunkPoints;
    if (at == 0) {
        m_chunks.push_back(std::make_shared<Chunk>());
    } else if (m_chunks.back()->written != at) {
        auto own = std::make_shared<Chunk>();
        std::copy_n(m_chunks.back()->points, at, own->points);
        m_chunks.back() = std::move(own);
    }
    Chunk& chunk = *m_chunks.back();
    chunk.points[at] = point;
    chunk.written = at + 1;
    ++m_points;
}

const StrokePoint& StrokeRecord::lastPoint() const
{
    return m_chunks.back()->points[(m_points - 1) % kChunkPoints];
}

} // namespace kururie

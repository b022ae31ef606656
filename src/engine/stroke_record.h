#pragma once

#include "engine/segment.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kururie {

// One kept point of a polyline: where the pen was, and the style of the segment that ends there
// (at a polyline's first point, of the segment that starts there).
struct StrokePoint {
    float x;
    float y;
    // Packed colour (red + 256 × green + 65536 × blue) in bits 0 to 23, the pen width in bits 24
    // to 30, and bit 31 set where a polyline starts.
    std::uint32_t style;

    std::uint32_t colour() const { return style & 0xFFFFFFu; }
    int width() const { return int((style >> 24) & 0x7Fu); }
    // Colour and width together: segments of one pen look alike.
    std::uint32_t pen() const { return style & 0x7FFFFFFFu; }
    bool startsPolyline() const { return (style >> 31) != 0; }
};

// The segments drawn on a canvas since it was last emptied, in drawing order, as polylines: a
// segment that starts exactly where the one before it ended adds one point to its polyline.
//
// Copies are cheap and independent: the points live in fixed-size chunks shared between copies.
// A chunk is only ever added to; a record that appends where a copy of it has already written
// copies that chunk first, so no record ever sees its strokes change. For one thread only.
class StrokeRecord {
public:
    // The longest curve, 72001 segments, drawn 20 times over fits with room to spare. At two
    // points a segment, were no segment to join the one before, the record then holds 38.4 MB.
    static constexpr std::size_t kMaxSegments = 1'600'000;
    static constexpr std::size_t kChunkPoints = 4096;

    explicit StrokeRecord(std::size_t maxSegments = kMaxSegments) : m_maxSegments(maxSegments) {}

    // Past the most segments it keeps, the record lets go of them all and says it overflowed.
    void append(const Segment& segment, std::uint32_t colour, int width);

    bool overflowed() const { return m_overflowed; }
    std::size_t segmentCount() const { return m_segments; }
    // The memory of the chunks this record refers to, shared ones counted in full.
    std::size_t bytesHeld() const;

    // Calls visit(const StrokePoint&) for every point, in drawing order.
    template <typename Visit>
    void forEachPoint(Visit&& visit) const
    {
        std::size_t left = m_points;
        for (const auto& chunk : m_chunks) {
            const std::size_t count = std::min(left, kChunkPoints);
            for (std::size_t i = 0; i < count; ++i)
                visit(chunk->points[i]);
            left -= count;
        }
    }

private:
    struct Chunk {
        // How far any record sharing the chunk has written into it.
        std::size_t written = 0;
        StrokePoint points[kChunkPoints];
    };

    void push(const StrokePoint& point);
    const StrokePoint& lastPoint() const;

    std::vector<std::shared_ptr<Chunk>> m_chunks;
    std::size_t m_points = 0;
    std::size_t m_segments = 0;
    std::size_t m_maxSegments;
    bool m_overflowed = false;
};

} // namespace kururie

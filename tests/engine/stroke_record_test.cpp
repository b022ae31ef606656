// The strokes a canvas keeps: polylines joined exactly, each segment with its own pen, copies that never change
// under one another, and a cap that the longest curve drawn twenty times stays within.

#include "engine/stroke_record.h"

#include <QtTest>

using namespace kururie;

namespace {

// A point kept: where a polyline starts, no pen; else a segment's end with its colour and width.
struct Kept {
    float x, y;
    std::uint32_t colour = 0;
    int width = 0;
    // Exactly, as the record joins them.
    bool operator==(const Kept& other) const
    {
        return x == other.x && y == other.y && colour == other.colour && width == other.width;
    }
};
using Polylines = QList<QList<Kept>>;

struct Drawn {
    Segment segment;
    std::uint32_t colour = 0;
    int width = 1;
};

Polylines polylines(const StrokeRecord& record)
{
    Polylines kept;
    record.forEachPoint([&kept](const StrokePoint& p) {
        if (p.startsPolyline())
            kept.append({{p.x, p.y}});
        else
            kept.last().append({p.x, p.y, p.colour(), p.width()});
    });
    return kept;
}

// One polyline of `segments` unit steps along y = row.
void drawLine(StrokeRecord& record, int segments, float row = 0)
{
    for (int i = 0; i < segments; ++i)
        record.append({float(i), row, float(i + 1), row}, 0, 1);
}

} // namespace

Q_DECLARE_METATYPE(QList<Drawn>)

class StrokeRecordTest : public QObject {
    Q_OBJECT

private slots:
    void segmentsJoinIntoPolylines_data()
    {
        QTest::addColumn<QList<Drawn>>("drawn");
        QTest::addColumn<Polylines>("kept");
        QTest::newRow("joined") << QList<Drawn>{{{0, 0, 1, 1}}, {{1, 1, 2, 0}}}
                                << Polylines{{{0, 0}, {1, 1, 0, 1}, {2, 0, 0, 1}}};
        QTest::newRow("a gap starts a polyline") << QList<Drawn>{{{0, 0, 1, 1}}, {{1.5, 1, 2, 2}}}
                                                 << Polylines{{{0, 0}, {1, 1, 0, 1}}, {{1.5, 1}, {2, 2, 0, 1}}};
        QTest::newRow("compared exactly") << QList<Drawn>{{{0, 0, 1, 1}}, {{1.0000001f, 1, 2, 2}}}
                                          << Polylines{{{0, 0}, {1, 1, 0, 1}}, {{1.0000001f, 1}, {2, 2, 0, 1}}};
        QTest::newRow("a new pen keeps the join")
            << QList<Drawn>{{{0, 0, 1, 1}, 0xff, 1}, {{1, 1, 2, 0}, 0xff0000, 3}, {{2, 0, 3, 0}, 0xffffff, 2}}
            << Polylines{{{0, 0}, {1, 1, 0xff, 1}, {2, 0, 0xff0000, 3}, {3, 0, 0xffffff, 2}}};
        QTest::newRow("a segment of no length") << QList<Drawn>{{{5, 5, 5, 5}, 0x80, 2}, {{5, 5, 6, 5}, 0x80, 2}}
                                                << Polylines{{{5, 5}, {5, 5, 0x80, 2}, {6, 5, 0x80, 2}}};
        QTest::newRow("the last end, not the first start")
            << QList<Drawn>{{{0, 0, 1, 0}}, {{1, 0, 2, 0}}, {{0, 0, 3, 3}}}
            << Polylines{{{0, 0}, {1, 0, 0, 1}, {2, 0, 0, 1}}, {{0, 0}, {3, 3, 0, 1}}};
        // The width has seven bits; a wider pen must not reach the flag that starts a polyline.
        QTest::newRow("a pen too wide") << QList<Drawn>{{{0, 0, 1, 0}, 0xffffff, 200}, {{1, 0, 2, 0}, 1, 1}}
                                        << Polylines{{{0, 0}, {1, 0, 0xffffff, 127}, {2, 0, 1, 1}}};
    }

    void segmentsJoinIntoPolylines()
    {
        QFETCH(QList<Drawn>, drawn);
        StrokeRecord record;
        for (const Drawn& segment : drawn)
            record.append(segment.segment, segment.colour, segment.width);
        QTEST(polylines(record), "kept");
        QCOMPARE(record.segmentCount(), std::size_t(drawn.size()));
    }

    void copiesNeverChange_data()
    {
        QTest::addColumn<int>("segments"); // in one polyline, one point more
        const int chunk = int(StrokeRecord::kChunkPoints);
        QTest::newRow("a chunk but one point") << chunk - 2;
        QTest::newRow("a full chunk") << chunk - 1;
        QTest::newRow("a point into the second chunk") << chunk;
    }

    // A record copied, drawn on where the copy already has, and put back, as an undo history does.
    void copiesNeverChange()
    {
        QFETCH(int, segments);
        StrokeRecord record;
        drawLine(record, segments);
        const StrokeRecord copy = record;
        const QList<Kept> before = polylines(copy).first();
        record.append({float(segments), 0, float(segments), 5}, 0, 1);
        const StrokeRecord drawnOn = record;
        record = copy;
        record.append({float(segments), 0, float(segments), -5}, 0, 1);
        QCOMPARE(polylines(copy), Polylines{before});
        const auto endingAt = [&before, segments](float y) {
            return Polylines{QList<Kept>(before) << Kept{float(segments), y, 0, 1}};
        };
        QCOMPARE(polylines(drawnOn), endingAt(5));
        QCOMPARE(polylines(record), endingAt(-5));
    }

    void theCap_data()
    {
        QTest::addColumn<int>("cap"); // 0: the record's own
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("segmentsEach");
        QTest::addColumn<double>("bytesEach"); // the most a segment drawn may take; 0: overflowed, nothing kept
        const int cap = int(StrokeRecord::kMaxSegments);
        QTest::newRow("the longest curve, twenty times") << 0 << 20 << 72001 << 12.05;
        // Not one segment joined: two points each, the most a full record can hold.
        QTest::newRow("the cap, no segment joined") << 0 << cap << 1 << 24.05;
        QTest::newRow("one past the cap") << 0 << 1 << cap + 1 << 0.0;
        QTest::newRow("at a small cap, in one chunk") << 3 << 1 << 3 << 16400.0;
        QTest::newRow("past a small cap, and drawn on") << 3 << 3 << 2 << 0.0;
    }

    void theCap()
    {
        QFETCH(int, cap);
        QFETCH(int, lines);
        QFETCH(int, segmentsEach);
        QFETCH(double, bytesEach);
        StrokeRecord record = cap > 0 ? StrokeRecord(std::size_t(cap)) : StrokeRecord();
        for (int row = 0; row < lines; ++row)
            drawLine(record, segmentsEach, float(row));
        const double drawn = double(lines) * segmentsEach;
        QCOMPARE(record.overflowed(), bytesEach == 0);
        QCOMPARE(double(record.segmentCount()), bytesEach == 0 ? 0 : drawn);
        QCOMPARE_LE(double(record.bytesHeld()), bytesEach * drawn);
    }
};

QTEST_APPLESS_MAIN(StrokeRecordTest)
#include "stroke_record_test.moc"

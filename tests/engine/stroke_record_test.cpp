// The strokes a canvas keeps: polylines joined exactly, each segment with its own pen, copies that
// never change under one another, and a cap that the longest curve drawn twenty times stays within.

#include "engine/stroke_record.h"

#include <QtTest>

#include <tuple>

using namespace kururie;

namespace {

// "x1 y1 x2 y2 colour width" a segment, colour in hex; segments apart by "; ".
void appendScript(StrokeRecord& record, const QString& script)
{
    for (const QString& segment : script.split(QStringLiteral("; "))) {
        const QStringList v = segment.split(' ');
        record.append({v[0].toFloat(), v[1].toFloat(), v[2].toFloat(), v[3].toFloat()}, v[4].toUInt(nullptr, 16), v[5].toInt());
    }
}

// "M x,y" where a polyline starts, "L x,y colour/width" for a segment's end.
QString described(const StrokeRecord& record)
{
    QStringList points;
    record.forEachPoint([&points](const StrokePoint& p) {
        const QString at = QString::number(p.x, 'g', 9) + ',' + QString::number(p.y, 'g', 9);
        points << (p.startsPolyline() ? "M" + at : "L" + at + ' ' + QString::number(p.colour(), 16) + '/' + QString::number(p.width()));
    });
    return points.join(' ');
}

std::vector<std::tuple<float, float, std::uint32_t>> pointsOf(const StrokeRecord& record)
{
    std::vector<std::tuple<float, float, std::uint32_t>> points;
    record.forEachPoint([&points](const StrokePoint& p) { points.emplace_back(p.x, p.y, p.style); });
    return points;
}

// Polylines of joined unit segments, each polyline on a row of its own.
void appendPolylines(StrokeRecord& record, int polylines, int segmentsEach)
{
    for (int row = 0; row < polylines; ++row)
        for (int i = 0; i < segmentsEach; ++i)
            record.append({float(i), float(row), float(i + 1), float(row)}, 0, 1);
}

} // namespace

class StrokeRecordTest : public QObject {
    Q_OBJECT

private slots:
    void segmentsJoinIntoPolylines_data()
    {
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("kept");
        QTest::newRow("joined") << "0 0 1 1 0 1; 1 1 2 0 0 1" << "M0,0 L1,1 0/1 L2,0 0/1";
        QTest::newRow("a gap starts a polyline") << "0 0 1 1 0 1; 1.5 1 2 2 0 1" << "M0,0 L1,1 0/1 M1.5,1 L2,2 0/1";
        QTest::newRow("compared exactly") << "0 0 1 1 0 1; 1.0000001 1 2 2 0 1" << "M0,0 L1,1 0/1 M1.00000012,1 L2,2 0/1";
        QTest::newRow("a new pen keeps the join") << "0 0 1 1 ff 1; 1 1 2 0 ff0000 3; 2 0 3 0 ffffff 2"
                                                  << "M0,0 L1,1 ff/1 L2,0 ff0000/3 L3,0 ffffff/2";
        QTest::newRow("a segment of no length") << "5 5 5 5 80 2; 5 5 6 5 80 2" << "M5,5 L5,5 80/2 L6,5 80/2";
        QTest::newRow("the last end, not the first start") << "0 0 1 0 0 1; 1 0 2 0 0 1; 0 0 3 3 0 1"
                                                           << "M0,0 L1,0 0/1 L2,0 0/1 M0,0 L3,3 0/1";
        // The width has seven bits; a wider pen must not reach the flag that starts a polyline.
        QTest::newRow("a pen too wide") << "0 0 1 0 ffffff 200; 1 0 2 0 1 1" << "M0,0 L1,0 ffffff/127 L2,0 1/1";
    }

    void segmentsJoinIntoPolylines()
    {
        QFETCH(QString, drawn);
        QFETCH(QString, kept);
        StrokeRecord record;
        appendScript(record, drawn);
        QCOMPARE(described(record), kept);
        QCOMPARE(record.segmentCount(), std::size_t(drawn.count(';') + 1));
    }

    // A record copied, appended to, and put back, as an undo history does with them.
    void copiesNeverChange_data()
    {
        QTest::addColumn<int>("segments"); // in one polyline, one point more
        const int chunk = int(StrokeRecord::kChunkPoints);
        QTest::newRow("a few") << 3;
        QTest::newRow("a chunk but one point") << chunk - 2;
        QTest::newRow("a full chunk") << chunk - 1;
        QTest::newRow("a point into the second chunk") << chunk;
    }

    void copiesNeverChange()
    {
        QFETCH(int, segments);
        StrokeRecord record;
        appendPolylines(record, 1, segments);
        const StrokeRecord kept = record;
        const auto before = pointsOf(kept);
        const float end = float(segments);

        record.append({end, 0, end, 5}, 0xFF, 1);
        const StrokeRecord joined = record;
        record = kept;
        record.append({-1, -1, -2, -2}, 0xFF00, 2);
        StrokeRecord other = kept;
        other.append({end, 0, end, -5}, 0xFF0000, 3);

        const auto with = [&before](std::vector<std::tuple<float, float, std::uint32_t>> added) {
            added.insert(added.begin(), before.begin(), before.end());
            return added;
        };
        QVERIFY(pointsOf(kept) == before);
        QVERIFY(pointsOf(joined) == with({{end, 5.0f, 0xFFu | 1u << 24}}));
        QVERIFY(pointsOf(record) == with({{-1.0f, -1.0f, 0xFF00u | 2u << 24 | 1u << 31}, {-2.0f, -2.0f, 0xFF00u | 2u << 24}}));
        QVERIFY(pointsOf(other) == with({{end, -5.0f, 0xFF0000u | 3u << 24}}));
        QCOMPARE(QList<std::size_t>({kept.segmentCount(), joined.segmentCount(), record.segmentCount(), other.segmentCount()}),
                 QList<std::size_t>({std::size_t(segments), std::size_t(segments) + 1, std::size_t(segments) + 1, std::size_t(segments) + 1}));
    }

    void theCap_data()
    {
        QTest::addColumn<int>("cap"); // 0: the record's own
        QTest::addColumn<int>("polylines");
        QTest::addColumn<int>("segmentsEach");
        QTest::addColumn<bool>("overflowed");
        QTest::addColumn<double>("bytesEachAtMost"); // of the segments drawn
        const int cap = int(StrokeRecord::kMaxSegments);
        QTest::newRow("the longest curve, twenty times") << 0 << 20 << 72001 << false << 12.05;
        // Not one segment joined: two points each, the most a full record can hold.
        QTest::newRow("the cap, no segment joined") << 0 << cap << 1 << false << 24.05;
        QTest::newRow("one past the cap") << 0 << 1 << cap + 1 << true << 0.0;
        QTest::newRow("at a small cap, in one chunk") << 3 << 1 << 3 << false << 16400.0;
        QTest::newRow("past a small cap, and drawn on") << 3 << 3 << 2 << true << 0.0;
    }

    void theCap()
    {
        QFETCH(int, cap);
        QFETCH(int, polylines);
        QFETCH(int, segmentsEach);
        QFETCH(bool, overflowed);
        QFETCH(double, bytesEachAtMost);
        StrokeRecord record = cap > 0 ? StrokeRecord(std::size_t(cap)) : StrokeRecord();
        appendPolylines(record, polylines, segmentsEach);
        const double drawn = double(polylines) * segmentsEach;
        QCOMPARE(record.overflowed(), overflowed);
        // Overflowed, it keeps nothing.
        QCOMPARE(double(record.segmentCount()), overflowed ? 0.0 : drawn);
        QVERIFY2(double(record.bytesHeld()) <= bytesEachAtMost * drawn, qPrintable(QString::number(record.bytesHeld())));
        QVERIFY(record.bytesHeld() < 40'000'000);
    }
};

QTEST_APPLESS_MAIN(StrokeRecordTest)
#include "stroke_record_test.moc"

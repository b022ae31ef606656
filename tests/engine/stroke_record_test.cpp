// The strokes a canvas keeps: polylines joined exactly, each segment with its own pen, copies that
// never change under one another, and a cap that the longest curve drawn twenty times stays within.

#include "engine/stroke_record.h"

#include <QtTest>

using namespace kururie;

namespace {

// "x1 y1 x2 y2 colour width" a segment, colour in hex; segments apart by "; ".
void appendScript(StrokeRecord& record, const QString& script)
{
    for (const QString& segment : script.split(QStringLiteral("; "))) {
        const QStringList v = segment.split(' ');
        const Segment drawn{v[0].toFloat(), v[1].toFloat(), v[2].toFloat(), v[3].toFloat()};
        record.append(drawn, v[4].toUInt(nullptr, 16), v[5].toInt());
    }
}

// "M x,y" where a polyline starts, "L x,y colour/width" for a segment's end.
QString described(const StrokeRecord& record)
{
    QStringList points;
    record.forEachPoint([&points](const StrokePoint& p) {
        const QString at = QString::number(p.x, 'g', 9) + ',' + QString::number(p.y, 'g', 9);
        const QString pen = QString::number(p.colour(), 16) + '/' + QString::number(p.width());
        points << (p.startsPolyline() ? "M" + at : "L" + at + ' ' + pen);
    });
    return points.join(' ');
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
        QTest::newRow("compared exactly") << "0 0 1 1 0 1; 1.0000001 1 2 2 0 1"
                                          << "M0,0 L1,1 0/1 M1.00000012,1 L2,2 0/1";
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
        for (int i = 0; i < segments; ++i)
            record.append({float(i), 0, float(i + 1), 0}, 0, 1);
        const StrokeRecord kept = record;
        const QString before = described(kept), end = QString::number(segments);
        appendScript(record, end + " 0 " + end + " 5 ff 1");
        const StrokeRecord joined = record;
        record = kept;
        appendScript(record, "-1 -1 -2 -2 ff00 2");
        StrokeRecord other = kept;
        appendScript(other, end + " 0 " + end + " -5 ff0000 3");
        QCOMPARE(QStringList({described(kept), described(joined), described(record), described(other)}),
                 QStringList({before, before + " L" + end + ",5 ff/1", before + " M-1,-1 L-2,-2 ff00/2",
                              before + " L" + end + ",-5 ff0000/3"}));
        QCOMPARE(joined.segmentCount(), kept.segmentCount() + 1);
    }

    void theCap_data()
    {
        QTest::addColumn<int>("cap"); // 0: the record's own
        QTest::addColumn<int>("polylines");
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
        QFETCH(int, polylines);
        QFETCH(int, segmentsEach);
        QFETCH(double, bytesEach);
        StrokeRecord record = cap > 0 ? StrokeRecord(std::size_t(cap)) : StrokeRecord();
        for (int row = 0; row < polylines; ++row)
            for (int i = 0; i < segmentsEach; ++i)
                record.append({float(i), float(row), float(i + 1), float(row)}, 0, 1);
        const double drawn = double(polylines) * segmentsEach, bytes = double(record.bytesHeld());
        QCOMPARE(record.overflowed(), bytesEach == 0);
        QCOMPARE(double(record.segmentCount()), bytesEach == 0 ? 0 : drawn);
        QVERIFY2(bytes <= bytesEach * drawn && bytes < 40'000'000, qPrintable(QString::number(bytes)));
    }
};

QTEST_APPLESS_MAIN(StrokeRecordTest)
#include "stroke_record_test.moc"

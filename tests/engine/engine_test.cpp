// The curve engine's worked numbers: the number text, the run's parameters, the step at which a
// curve ends and the point it has reached, the settings a run takes as it goes, and its pace.

#include "engine/curve.h"
#include "engine/display_scale.h"
#include "engine/number_rules.h"
#include "support/recording_host.h"

#include <QtTest>

#include <chrono>
#include <cmath>

using namespace kururie;

namespace {

// A run from the scroll bars, the start angle and the pen-swing slider (0: the box unticked): the
// segments drawn before it ends (-1: not even the normal end), and where the 121st of them starts,
// 60 degrees on from the start angle.
struct Run {
    int fix, move, pen;
    const char* startAngle;
    int swingRate, segments;
    QPointF at120;
};

// A paced run held up in one event pass: how long the whole run takes on its clock.
struct Stall {
    int pass;
    std::chrono::nanoseconds held, took;
};

// Step n is due n / 720 s after the start.
std::chrono::nanoseconds dueOf(long long step) { return std::chrono::nanoseconds(step * 1'000'000'000 / 720); }

} // namespace

Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(Stall)

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    // The number text of worked values; every angle a run writes, and every scroll bar position, read
    // back as written; and nothing else read as a number.
    void numberText()
    {
        for (const auto& [value, text] : {std::pair{12.5f, "12.5"}, {123.5f, "123.5"}, {-0.0f, "0"}, {-0.7f, "-0.7"},
                                          {36000.0f, "36000"},
                                          {1e-5f, "0.00001"}, {12345678.0f, "12345680"}, {1.0f / 3, "0.3333333"}})
            QCOMPARE(QString::fromStdString(formatSingle(value)), text);
        for (float t = 0; t <= 36000; t += 0.5f)
            QCOMPARE(parseSingle(formatSingle(t)).value_or(-1), t);
        for (int position = -200; position <= 200; ++position)
            QCOMPARE(QString::fromStdString(formatSingle(displayValue(position))), QString::number(position / 10.0));
        QCOMPARE(parseSingle(" 123.5  ").value_or(-1), 123.5f); // blanks around a number
        for (const char* text : {"", "  ", "\t1", "abc", "12x", "1,5", "1000000000000000000000000000000000000000000"})
            QVERIFY2(!parseSingle(text), text);
    }

    void parametersAsWorked()
    {
        QCOMPARE(circleRadius(100), 75.0f);
        QCOMPARE(rollingRadius(CurveKind::Inner, -40), 30.0f);
        QCOMPARE(rollingRadius(CurveKind::Outer, 1), 0.75f);
        QCOMPARE(initialPenOffset(25), 38); // 37.5, to even
        QCOMPARE(initialPenOffset(1), 2);
        QCOMPARE(initialPenOffset(3), 5); // 4.500000000000001
        QCOMPARE(squaredRate(5, 10), 2.5f);
        QCOMPARE(squaredRate(5, 20), 1.25f);
        // Ticked, the pen swings with cos(k × t).
        QCOMPARE(penOffset(1, 10, 72, 2.5f, piValue()), -15);
        QCOMPARE(penOffset(1, -100, 36, 2.5f, piValue()), 0);
        QCOMPARE(penOffset(0, -100, 36, 2.5f, piValue()), -150);
        // Three sine waves 45 degrees apart: c × t = 90 gives |sin 45°|, |sin 90°|, |sin 135°|.
        QCOMPARE(gradationColour(1.25f, 72, piValue()), 180u + 256u * 255 + 65536u * 180);
    }

    void curvesEndAtTheirStep_data()
    {
        QTest::addColumn<Run>("run");
        QTest::newRow("inner") << Run{100, -40, 10, "0", 0, 1440, {222.5f, 223.97115f}};
        QTest::newRow("outer") << Run{100, 40, 10, "0", 0, 1440, {239.50961f, 283.43268f}};
        QTest::newRow("cusp at the start") << Run{100, -40, 20, "0", 0, 1436, {222.5f, 208.97115f}};
        QTest::newRow("pen on the centre: the return at 360 does not count")
            << Run{100, -40, 0, "0", 0, 1440, {222.5f, 238.97115f}};
        // Swinging at rate 5 (k = 2.5): the pen at 59.5 degrees is 15 × cos(148.75°), rounded, -13 units out.
        QTest::newRow("swinging pen") << Run{100, -40, 10, "0", 5, 1440, {222.5f, 251.97115f}};
        QTest::newRow("never closes") << Run{200, 103, 10, "0", 0, 72001, {298.65289f, 397.71872f}};
        QTest::newRow("resumed at 123.5") << Run{100, -40, 10, "123.5", 0, 1440 - 247, {156.45645f, 212.18990f}};
        QTest::newRow("start beyond the limit") << Run{100, -40, 10, "36000.5", 0, 0, {}};
        QTest::newRow("zero circle: not even the end") << Run{0, -40, 10, "0", 0, -1, {}};
    }

    // On both canvases, each segment from the end of the one before, with three event passes a step
    // and one before the end.
    void curvesEndAtTheirStep()
    {
        QFETCH(Run, run);
        RecordingHost host(run.fix, run.move, run.pen, run.startAngle);
        host.settings.penMove = run.swingRate;
        host.swing = run.swingRate > 0;
        host.trace();
        const int segments = std::max(run.segments, 0);
        QCOMPARE(host.exit, run.segments < 0 ? "" : "end");
        QCOMPARE(int(host.segments.size()), segments);
        QCOMPARE(host.visible, segments);
        QCOMPARE(host.passes, 3 * segments + (run.segments >= 0));
        if (segments > 120)
            QCOMPARE(QPointF(host.segments[120].x1, host.segments[120].y1), run.at120);
        for (qsizetype i = 1; i < host.segments.size(); ++i)
            QCOMPARE(QPointF(host.segments[i].x1, host.segments[i].y1),
                     QPointF(host.segments[i - 1].x2, host.segments[i - 1].y2));
    }

    // The colour, the pen position and the gradation box, changed while a run draws, take effect at the
    // next step; the colour cycle at rate 0 is purple, |sin(-45°)| × 255 rounded to 180.
    void liveSettingsApplyAtTheNextStep()
    {
        RecordingHost run(100, -40, 10);
        run.between = [&run](int pass) {
            run.colour = pass < 30 ? 255 : 65280;
            run.pen = pass < 30 ? 10 : 0;
            run.gradation = pass > 60;
        };
        run.trace();
        QCOMPARE(run.colours[8], 255u);
        QCOMPARE(run.colours[9], 65280u);
        QCOMPARE(run.colours[19], 65280u);
        QCOMPARE(run.colours[20], 180u + 65536u * 180);
        // With the pen on the centre the curve is a circle of radius R - r = 45 about the centre.
        QCOMPARE(qRound(std::hypot(run.segments[200].x2 - 200.0, run.segments[200].y2 - 200.0) * 1000), 45000);
    }

    void slowRunsKeepTheClock_data()
    {
        using namespace std::chrono_literals;
        QTest::addColumn<Stall>("stall");
        // The last of the 1440 steps is 1439.
        QTest::newRow("two seconds for 720 degrees") << Stall{0, 0ns, dueOf(1439)};
        QTest::newRow("a slow step is caught up") << Stall{301, 80ms, dueOf(1439)};
        // Held 5 s in step 100 (its first pass is 301), the run goes on from there at the same pace.
        QTest::newRow("a long stall is not raced after")
            << Stall{301, 5s, dueOf(1439) + 5s - (dueOf(101) - dueOf(100))};
    }

    // 遅い draws the segments of 普通, in the same colours, with the same passes and the same end, in time.
    void slowRunsKeepTheClock()
    {
        QFETCH(Stall, stall);
        RecordingHost normal(100, -40, 10), slow(100, -40, 10);
        slow.settings.normalSpeed = false;
        for (RecordingHost* run : {&normal, &slow}) {
            run->between = [run, stall](int pass) {
                run->gradation = pass > 600;
                if (pass == stall.pass)
                    run->clock += stall.held;
            };
            run->trace();
        }
        // Compared exactly, end for end.
        const auto ends = [](const RecordingHost& run) {
            QList<float> all;
            for (const Segment& s : run.segments)
                all << s.x1 << s.y1 << s.x2 << s.y2;
            return all;
        };
        QCOMPARE(ends(slow), ends(normal));
        QCOMPARE(slow.colours, normal.colours);
        QCOMPARE(slow.passes, normal.passes);
        QCOMPARE(slow.visible, normal.visible);
        QCOMPARE(slow.exit, "end");
        QCOMPARE(slow.clock - StepPace::Clock::time_point(), stall.took);
        QCOMPARE(normal.clock - StepPace::Clock::time_point(), stall.held);
    }

};

QTEST_APPLESS_MAIN(EngineTest)
#include "engine_test.moc"

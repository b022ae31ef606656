// The curve engine's worked numbers: the number text, the run's parameters, the step at which a
// curve ends, the point it has reached, and its colours.

#include "engine/curve.h"
#include "engine/display_scale.h"
#include "engine/number_rules.h"
#include "engine/tracer.h"
#include "support/recording_host.h"

#include <QtTest>

#include <algorithm>
#include <chrono>
#include <functional>
#include <tuple>

using namespace kururie;

namespace {

// A run of the tracer: fix, move and pen positions, start angle, the pen-swing slider (0 with the
// box unticked), the segments drawn before it ends, and the point (x, y) that the 121st of them
// starts at, 60 degrees on from the start angle.
using Run = std::tuple<int, int, int, const char*, int, int, float, float>;

} // namespace

Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(std::chrono::nanoseconds)

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void numberTextReadsBack()
    {
        const std::pair<float, const char*> worked[] = {{12.5f, "12.5"}, {123.5f, "123.5"}, {-0.0f, "0"}, {36000, "36000"}, {1e-5f, "0.00001"}, {12345678, "12345680"}, {1.0f / 3, "0.3333333"}};
        for (const auto& [value, text] : worked)
            QCOMPARE(QString::fromStdString(formatSingle(value)), text);
        for (int position = -200; position <= 200; ++position)
            QCOMPARE(QString::fromStdString(formatSingle(displayValue(position))), QString::number(position / 10.0));
        for (float t = 0; t <= 36000; t += 0.5f)
            QCOMPARE(parseSingle(formatSingle(t)).value_or(-1), t);
        for (const char* text : {"", "  ", "\t1", "abc", "12x", "1,5", "1000000000000000000000000000000000000000000"})
            QVERIFY2(!parseSingle(text), text);
    }

    void parametersAsWorked()
    {
        QCOMPARE(QList<int>({initialPenOffset(25), initialPenOffset(1), initialPenOffset(3)}), QList<int>({38, 2, 5}));
        QCOMPARE(QList<float>({rollingRadius(CurveKind::Outer, 1), squaredRate(5, 10), squaredRate(5, 20)}),
                 QList<float>({0.75f, 2.5f, 1.25f}));
        const double pi = piValue();
        // Ticked, the pen swings with cos(k × t).
        QCOMPARE(QList<int>({penOffset(1, 10, 0, 2.5f, pi), penOffset(1, 10, 72, 2.5f, pi), penOffset(1, -100, 36, 2.5f, pi)}),
                 QList<int>({15, -15, 0}));
        // Three sine waves 45 degrees apart: c × t = 90 gives |sin 45°|, |sin 90°|, |sin 135°|.
        QCOMPARE(gradationColour(1.25f, 72, pi), std::uint32_t(180 + 256 * 255 + 65536 * 180));
    }

    void curvesEndAtTheirStep_data()
    {
        QTest::addColumn<Run>("run");
        QTest::newRow("inner") << Run{100, -40, 10, "0", 0, 1440, 222.5f, 223.97115f};
        QTest::newRow("outer") << Run{100, 40, 10, "0", 0, 1440, 239.50961f, 283.43268f};
        QTest::newRow("cusp at the start") << Run{100, -40, 20, "0", 0, 1436, 222.5f, 208.97115f};
        QTest::newRow("pen on the centre: the return at 360 does not count") << Run{100, -40, 0, "0", 0, 1440, 222.5f, 238.97115f};
        QTest::newRow("pen offset 22.5 rounds to even") << Run{100, -40, 15, "0", 0, 1440, 222.5f, 216.97115f};
        // Swinging at rate 5 (k = 2.5): the pen at 59.5 degrees is 15 × cos(148.75°), rounded, -13 units out.
        QTest::newRow("swinging pen") << Run{100, -40, 10, "0", 5, 1440, 222.5f, 251.97115f};
        QTest::newRow("never closes") << Run{200, 103, 10, "0", 0, 72001, 298.65289f, 397.71872f};
        QTest::newRow("resumed at 123.5") << Run{100, -40, 10, "123.5", 0, 1440 - 247, 156.45645f, 212.18990f};
        QTest::newRow("start beyond the limit") << Run{100, -40, 10, "36000.5", 0, 0, 0, 0};
        QTest::newRow("zero circle: not even the end") << Run{0, -40, 10, "0", 0, -1, 0, 0};
    }

    void curvesEndAtTheirStep()
    {
        QFETCH(Run, run);
        const auto& [fix, move, pen, startAngle, swingRate, drawn, x, y] = run;
        RecordingHost host(fix, move, pen, startAngle);
        host.settings.penMove = swingRate;
        host.swing = swingRate > 0;
        host.trace();
        const int segments = std::max(drawn, 0);
        QCOMPARE(host.exit, drawn < 0 ? "" : "end");
        // On both canvases, with three event passes a step and one before the normal end.
        QCOMPARE(QList<int>({int(host.segments.size()), host.visible, host.passes}),
                 QList<int>({segments, segments, 3 * segments + (drawn >= 0)}));
        if (segments > 120)
            QCOMPARE(QPointF(host.segments[120].x1, host.segments[120].y1), QPointF(x, y));
        for (qsizetype i = 1; i < host.segments.size(); ++i)
            QVERIFY(host.segments[i].x1 == host.segments[i - 1].x2 && host.segments[i].y1 == host.segments[i - 1].y2);
    }

    void liveSettingsApplyAtTheNextStep()
    {
        RecordingHost run(100, -40, 10);
        run.between = [&run](int pass) {
            run.colour = pass < 30 ? 255 : 65280;
            run.pen = pass < 30 ? 10 : 0;
            run.gradation = pass > 60;
        };
        run.trace();
        // The colour cycle at rate 0 is purple: |sin(-45°)| × 255 rounds to 180.
        QCOMPARE(QList<std::uint32_t>({run.colours[8], run.colours[9], run.colours[19], run.colours[20]}),
                 QList<std::uint32_t>({255, 65280, 65280, 180 + 65536 * 180}));
        // With the pen on the centre the curve is a circle of radius R - r = 45 about the centre.
        QVERIFY(std::fabs(std::hypot(run.segments[200].x2 - 200.0, run.segments[200].y2 - 200.0) - 45.0) < 1e-3);
    }

    void slowRunsKeepTheClock_data()
    {
        using namespace std::chrono_literals;
        QTest::addColumn<int>("stalledPass");
        QTest::addColumn<std::chrono::nanoseconds>("stall");
        QTest::addColumn<std::chrono::nanoseconds>("took");
        // Step n is due n / 720 s after the start; the last of the 1440 steps is 1439.
        const auto due = [](long long step) { return std::chrono::nanoseconds(step * 1'000'000'000 / 720); };
        QTest::newRow("two seconds for 720 degrees") << 0 << 0ns << due(1439);
        QTest::newRow("a slow step is caught up") << 301 << std::chrono::nanoseconds(80ms) << due(1439);
        // Held 5 s in step 100 (its first pass is 301), the run goes on from there at the same pace.
        QTest::newRow("a long stall is not raced after") << 301 << std::chrono::nanoseconds(5s)
                                                         << due(1439) + 5s - (due(101) - due(100));
    }

    void slowRunsKeepTheClock()
    {
        QFETCH(int, stalledPass);
        QFETCH(std::chrono::nanoseconds, stall);
        QFETCH(std::chrono::nanoseconds, took);
        RecordingHost normal(100, -40, 10), slow(100, -40, 10);
        slow.settings.normalSpeed = false;
        for (RecordingHost* run : {&normal, &slow}) {
            run->between = [run, stalledPass, stall](int pass) {
                run->gradation = pass > 600;
                if (pass == stalledPass)
                    run->clock += stall;
            };
            run->trace();
        }
        // The same segments in the same colours, with the same event passes and the same end.
        const auto same = [](const Segment& a, const Segment& b) {
            return std::tie(a.x1, a.y1, a.x2, a.y2) == std::tie(b.x1, b.y1, b.x2, b.y2);
        };
        QVERIFY(std::equal(slow.segments.begin(), slow.segments.end(), normal.segments.begin(), normal.segments.end(), same));
        QCOMPARE(slow.colours, normal.colours);
        QCOMPARE(QList<int>({slow.passes, slow.visible}), QList<int>({normal.passes, normal.visible}));
        QCOMPARE(slow.exit, "end");
        QCOMPARE(slow.clock - StepPace::Clock::time_point(), took);
        QCOMPARE(normal.clock - StepPace::Clock::time_point(), stall);
    }
};

QTEST_APPLESS_MAIN(EngineTest)
#include "engine_test.moc"

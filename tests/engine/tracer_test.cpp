#include "engine/curve.h"
#include "engine/tracer.h"

#include <QtTest>

#include <functional>
#include <vector>

using namespace kururie;

namespace {

// A host that records what the tracer draws and lets a test act between steps.
class RecordingHost : public TracerHost {
public:
    RunSettings settings;
    std::int16_t pen = 0;
    int swing = 0;
    int gradation = 0;
    std::uint32_t colour = 0;
    std::function<void(int)> onEvents; // called with the number of event passes so far

    std::vector<Segment> backing;
    std::vector<Segment> visible;
    std::vector<std::uint32_t> colours;
    std::string exit;
    std::string resumeAngle;
    int eventPasses = 0;
    bool persistent = false;

    RunSettings runSettings() override { return settings; }
    std::int16_t penPosition() override { return pen; }
    int penSwingState() override { return swing; }
    int colourGradationState() override { return gradation; }
    std::uint32_t penColour() override { return colour; }
    double canvasCentreX() override { return 200; }
    double canvasCentreY() override { return 200; }
    void setPersistentDrawing(bool on) override { persistent = on; }
    void drawOnBacking(const Segment& s, std::uint32_t c) override
    {
        backing.push_back(s);
        colours.push_back(c);
    }
    void drawOnVisible(const Segment& s, std::uint32_t) override { visible.push_back(s); }
    void processEvents() override
    {
        ++eventPasses;
        if (onEvents)
            onEvents(eventPasses);
    }
    void stopExit() override { exit = "stop"; }
    void pauseExit(const std::string& angle) override
    {
        exit = "pause";
        resumeAngle = angle;
    }
    void normalEnd() override { exit = "end"; }
};

RecordingHost hostFor(int fix, int move, int pen)
{
    RecordingHost host;
    host.settings.fixCircle = std::int16_t(fix);
    host.settings.moveCircle = std::int16_t(move);
    host.pen = std::int16_t(pen);
    return host;
}

void trace(RecordingHost& host, TraceState& state)
{
    if (host.settings.moveCircle > 0)
        DrawOuter(host, state);
    else
        DrawInner(host, state);
}

} // namespace

class TracerTest : public QObject {
    Q_OBJECT

private slots:
    void derivesParametersAsWritten()
    {
        QCOMPARE(circleRadius(100), 75.0f);
        QCOMPARE(rollingRadius(CurveKind::Inner, -40), 30.0f);
        QCOMPARE(rollingRadius(CurveKind::Outer, 40), 30.0f);
        QCOMPARE(rollingRadius(CurveKind::Outer, 1), 0.75f);
        QCOMPARE(initialPenOffset(25), 38);
        QCOMPARE(initialPenOffset(1), 2);
        QCOMPARE(initialPenOffset(3), 5);
        QCOMPARE(squaredRate(5, 10), 2.5f);
        QCOMPARE(squaredRate(5, 20), 1.25f);
    }

    void closedCurvesEndAtTheirStep_data()
    {
        QTest::addColumn<int>("fix");
        QTest::addColumn<int>("move");
        QTest::addColumn<int>("pen");
        QTest::addColumn<int>("segments");
        QTest::newRow("inner") << 100 << -40 << 10 << 1440;
        QTest::newRow("outer") << 100 << 40 << 10 << 1440;
        QTest::newRow("inner with a cusp at the start") << 100 << -40 << 20 << 1436;
        QTest::newRow("pen on the centre: the first return does not count") << 100 << -40 << 0 << 1440;
        QTest::newRow("never closes") << 200 << 103 << 10 << 72001;
    }

    void closedCurvesEndAtTheirStep()
    {
        QFETCH(int, fix);
        QFETCH(int, move);
        QFETCH(int, pen);
        QFETCH(int, segments);
        RecordingHost host = hostFor(fix, move, pen);
        TraceState state;
        trace(host, state);
        QCOMPARE(int(host.backing.size()), segments);
        QCOMPARE(int(host.visible.size()), segments);
        QCOMPARE(host.exit, std::string("end"));
        // Three event passes per step, and one more before the normal end.
        QCOMPARE(host.eventPasses, 3 * segments + 1);
    }

    void segmentsJoinAndStartWhereTheCurveStarts()
    {
        RecordingHost host = hostFor(100, -40, 10);
        TraceState state;
        trace(host, state);
        // R - r + d + cx = 75 - 30 + 15 + 200
        QCOMPARE(host.backing.front().x1, 260.0f);
        QCOMPARE(host.backing.front().y1, 200.0f);
        for (std::size_t i = 1; i < host.backing.size(); ++i) {
            QCOMPARE(host.backing[i].x1, host.backing[i - 1].x2);
            QCOMPARE(host.backing[i].y1, host.backing[i - 1].y2);
        }
        QVERIFY(std::fabs(host.backing.back().x2 - 260.0f) <= 0.1f);
    }

    void zeroCircleDrawsNothingAndTouchesNothing()
    {
        RecordingHost host = hostFor(0, -40, 10);
        TraceState state;
        state.gPauseFlag = true;
        trace(host, state);
        QVERIFY(host.backing.empty());
        QVERIFY(host.exit.empty());
        QVERIFY(state.gPauseFlag);
    }

    void startAngleBeyondTheLimitEndsAtOnce()
    {
        RecordingHost host = hostFor(100, -40, 10);
        host.settings.startAngle = "36000.5";
        TraceState state;
        trace(host, state);
        QVERIFY(host.backing.empty());
        QCOMPARE(host.exit, std::string("end"));
    }

    void gradationAtRateZeroIsPurple()
    {
        RecordingHost host = hostFor(100, -40, 10);
        host.gradation = 1;
        TraceState state;
        trace(host, state);
        for (std::uint32_t colour : host.colours)
            QCOMPARE(colour, std::uint32_t(180 + 65536 * 180));
    }

    void gradationCyclesThroughThreeShiftedWaves()
    {
        const double pi = piValue();
        QCOMPARE(gradationColour(1.25f, 0.0f, pi), std::uint32_t(180 + 65536 * 180));
        // c × t = 90: red |sin 45°|, green |sin 90°|, blue |sin 135°|
        QCOMPARE(gradationColour(1.25f, 72.0f, pi), std::uint32_t(180 + 256 * 255 + 65536 * 180));
    }

    void pauseWritesTheAngleAndResumeContinuesThere()
    {
        RecordingHost host = hostFor(100, -40, 10);
        TraceState state;
        // Ask for a pause in the third pass of the step at t = 123 (step 247 counting from 1).
        host.onEvents = [&state](int pass) {
            if (pass == 3 * 247)
                state.gPauseFlag = true;
        };
        trace(host, state);
        QCOMPARE(host.exit, std::string("pause"));
        QCOMPARE(host.resumeAngle, std::string("123.5"));
        QVERIFY(!state.gPauseFlag);
        QCOMPARE(int(host.backing.size()), 247);

        RecordingHost resumed = hostFor(100, -40, 10);
        resumed.settings.startAngle = host.resumeAngle;
        trace(resumed, state);
        QCOMPARE(resumed.backing.front().x1, host.backing.back().x2);
        QCOMPARE(resumed.backing.front().y1, host.backing.back().y2);
        QCOMPARE(resumed.exit, std::string("end"));
        QCOMPARE(int(host.backing.size() + resumed.backing.size()), 1440);
    }

    void stopIsHonouredAtTheNextStep()
    {
        RecordingHost host = hostFor(100, -40, 10);
        TraceState state;
        state.gPauseFlag = false;
        host.onEvents = [&state](int pass) {
            if (pass == 2)
                state.gStopFlag = true;
        };
        trace(host, state);
        QCOMPARE(host.exit, std::string("stop"));
        QCOMPARE(int(host.backing.size()), 1);
        QVERIFY(!state.gStopFlag);
    }

    void liveSettingsApplyFromTheNextStep()
    {
        RecordingHost host = hostFor(100, -40, 10);
        TraceState state;
        host.colour = 255;
        host.onEvents = [&host](int pass) {
            if (pass == 3 * 10) {
                host.colour = 65280;
                host.pen = 0;
            }
        };
        trace(host, state);
        QCOMPARE(host.colours[8], std::uint32_t(255));
        QCOMPARE(host.colours[9], std::uint32_t(65280));
        // With the pen on the centre the curve is a circle of radius R - r = 45 about the centre.
        const Segment later = host.backing[500];
        QVERIFY(std::fabs(std::hypot(later.x2 - 200.0, later.y2 - 200.0) - 45.0) < 1e-3);
    }

    void penSwingFollowsTheCosine()
    {
        const double pi = piValue();
        QCOMPARE(penOffset(0, 10, 90.0f, 2.5f, pi), 15);
        QCOMPARE(penOffset(1, 10, 0.0f, 2.5f, pi), 15);
        QCOMPARE(penOffset(1, 10, 72.0f, 2.5f, pi), -15);
        QCOMPARE(penOffset(1, -100, 36.0f, 2.5f, pi), 0);
    }
};

QTEST_APPLESS_MAIN(TracerTest)
#include "tracer_test.moc"

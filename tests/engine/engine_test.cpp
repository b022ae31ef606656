// The curve engine's worked numbers: the number text, the run's parameters, the step at which a
// curve ends, the point it has reached, and its colours.

#include "engine/curve.h"
#include "engine/number_rules.h"
#include "engine/tracer.h"

#include <QtTest>

#include <functional>
#include <tuple>

using namespace kururie;

namespace {

// Records what the tracer draws and counts its event passes; `between` acts inside a pass.
struct RecordingHost : TracerHost {
    RunSettings settings;
    TraceState state;
    std::int16_t pen;
    int gradation = 0, passes = 0, visible = 0;
    std::uint32_t colour = 0;
    QString exit;
    QList<Segment> segments;
    QList<std::uint32_t> colours;
    std::function<void(int)> between = [](int) {};

    RecordingHost(int fix, int move, int penPosition, const char* startAngle = "0")
        : settings{std::int16_t(fix), std::int16_t(move), 0, 0, startAngle, true}, pen(std::int16_t(penPosition))
    {
    }
    void trace() { (settings.moveCircle > 0 ? DrawOuter : DrawInner)(*this, state); }
    RunSettings runSettings() override { return settings; }
    std::int16_t penPosition() override { return pen; }
    int penSwingState() override { return 0; }
    int colourGradationState() override { return gradation; }
    std::uint32_t penColour() override { return colour; }
    double canvasCentreX() override { return 200; }
    double canvasCentreY() override { return 200; }
    void setPersistentDrawing(bool) override {}
    void drawOnBacking(const Segment& s, std::uint32_t c) override { segments.push_back(s), colours.push_back(c); }
    void drawOnVisible(const Segment&, std::uint32_t) override { ++visible; }
    void processEvents() override { between(++passes); }
    void stopExit() override { exit = "stop"; }
    void pauseExit(const std::string& angle) override { exit = "pause " + QString::fromStdString(angle); }
    void normalEnd() override { exit = "end"; }
};

// A run of the tracer: fix, move and pen positions, start angle, the segments drawn before it ends,
// and the point (x, y) that the 121st of them starts at, 60 degrees on from the start angle.
using Run = std::tuple<int, int, int, const char*, int, float, float>;

} // namespace

Q_DECLARE_METATYPE(Run)

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void numberTextReadsBack()
    {
        const std::pair<float, const char*> worked[] = {{12.5f, "12.5"},   {123.5f, "123.5"},         {-0.0f, "0"}, {36000, "36000"},
                                                        {1e-5f, "0.00001"}, {12345678, "12345680"}, {1.0f / 3, "0.3333333"}};
        for (const auto& [value, text] : worked)
            QCOMPARE(QString::fromStdString(FormatSingle(value)), text);
        for (int position = -200; position <= 200; ++position)
            QCOMPARE(QString::fromStdString(FormatSingle(displayValue(position))), QString::number(position / 10.0));
        for (float t = 0; t <= 36000; t += 0.5f)
            QCOMPARE(parseSingle(FormatSingle(t)).value_or(-1), t);
        for (const char* text : {"", "  ", "abc", "12x", "1,5"})
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
        QTest::newRow("inner") << Run{100, -40, 10, "0", 1440, 222.5f, 223.97115f};
        QTest::newRow("outer") << Run{100, 40, 10, "0", 1440, 239.50961f, 283.43268f};
        QTest::newRow("cusp at the start") << Run{100, -40, 20, "0", 1436, 222.5f, 208.97115f};
        QTest::newRow("pen on the centre: the return at 360 does not count") << Run{100, -40, 0, "0", 1440, 222.5f, 238.97115f};
        QTest::newRow("pen offset 22.5 rounds to even") << Run{100, -40, 15, "0", 1440, 222.5f, 216.97115f};
        QTest::newRow("never closes") << Run{200, 103, 10, "0", 72001, 298.65289f, 397.71872f};
        QTest::newRow("resumed at 123.5") << Run{100, -40, 10, "123.5", 1440 - 247, 156.45645f, 212.18990f};
        QTest::newRow("start beyond the limit") << Run{100, -40, 10, "36000.5", 0, 0, 0};
        QTest::newRow("zero circle: not even the end") << Run{0, -40, 10, "0", -1, 0, 0};
    }

    void curvesEndAtTheirStep()
    {
        QFETCH(Run, run);
        const auto& [fix, move, pen, startAngle, drawn, x, y] = run;
        RecordingHost host(fix, move, pen, startAngle);
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
};

QTEST_APPLESS_MAIN(EngineTest)
#include "engine_test.moc"

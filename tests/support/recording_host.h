#pragma once

#include "engine/tracer.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <functional>

// Records what the tracer draws and counts its event passes; `between` acts inside a pass. Its
// clock stands still but for the waits of a paced run and what `between` adds.
struct RecordingHost : kururie::TracerHost {
    kururie::RunSettings settings;
    kururie::TraceState state;
    std::int16_t pen;
    int gradation = 0, swing = 0, passes = 0, visible = 0;
    std::uint32_t colour = 0;
    QString exit;
    QList<kururie::Segment> segments;
    QList<std::uint32_t> colours;
    kururie::StepPace::Clock::time_point clock;
    std::function<void(int)> between = [](int) {};

    RecordingHost(int fix, int move, int penPosition, const char* startAngle = "0")
        : settings{std::int16_t(fix), std::int16_t(move), 0, 0, startAngle, true}, pen(std::int16_t(penPosition))
    {
    }
    void trace() { (settings.moveCircle > 0 ? kururie::DrawOuter : kururie::DrawInner)(*this, state); }
    kururie::RunSettings runSettings() override { return settings; }
    std::int16_t penPosition() override { return pen; }
    int penSwingState() override { return swing; }
    int colourGradationState() override { return gradation; }
    std::uint32_t penColour() override { return colour; }
    double canvasCentreX() override { return 200; }
    double canvasCentreY() override { return 200; }
    void setPersistentDrawing(bool) override {}
    void drawOnBacking(const kururie::Segment& s, std::uint32_t c) override { segments << s, colours << c; }
    void drawOnVisible(const kururie::Segment&, std::uint32_t) override { ++visible; }
    void processEvents() override { between(++passes); }
    void processEventsUntil(kururie::StepPace::Clock::time_point due) override
    {
        clock = std::max(clock, due);
        between(++passes);
    }
    kururie::StepPace::Clock::time_point now() override { return clock; }
    void stopExit() override { exit = "stop"; }
    void pauseExit(const std::string& angle) override { exit = "pause " + QString::fromStdString(angle); }
    void normalEnd() override { exit = "end"; }
};


#pragma once

#include "controls/canvas.h"
#include "engine/tracer.h"

#include <chrono>
#include <cstdint>

namespace bench {

// Answers the tracer with the outer curve's controls and never processes events.
class FixedCurveHost : public kururie::TracerHost {
public:
    kururie::RunSettings runSettings() override;
    std::int16_t penPosition() override;
    int penSwingState() override { return 0; }
    int colourGradationState() override { return 1; }
    std::uint32_t penColour() override { return 0; }
    double canvasCentreX() override;
    double canvasCentreY() override;
    void processEvents() override {}
    void processEventsUntil(kururie::StepPace::Clock::time_point) override {}
    kururie::StepPace::Clock::time_point now() override { return kururie::StepPace::Clock::now(); }
    void stopExit() override {}
    void pauseExit(const std::string&) override {}
    void normalEnd() override {}
};

// Takes every computed segment and draws nothing; it only counts them.
class ComputeOnlyHost : public FixedCurveHost {
public:
    void setPersistentDrawing(bool) override {}
    void drawOnBacking(const kururie::Segment&, std::uint32_t) override { ++m_segments; }
    void drawOnVisible(const kururie::Segment&, std::uint32_t) override {}

    int segments() const { return m_segments; }

private:
    int m_segments = 0;
};

// Draws on a canvas pair of the window's size, outside any window and event loop, at the
// screen's resolution as the window's canvases do.
class CanvasPairHost : public FixedCurveHost {
public:
    CanvasPairHost();

    void setPersistentDrawing(bool on) override { m_visible.setPersistentDrawing(on); }
    void drawOnBacking(const kururie::Segment& segment, std::uint32_t colour) override;
    void drawOnVisible(const kururie::Segment& segment, std::uint32_t colour) override;
    void normalEnd() override;

    QImage backingImage() const { return m_backing.image(); }

private:
    kururie::Canvas m_backing;
    kururie::Canvas m_visible;
};

// Seconds for one run of the outer curve on the given host.
template <typename Host> double secondsToTrace(Host& host)
{
    kururie::TraceState state;
    const auto begin = std::chrono::steady_clock::now();
    kururie::DrawOuter(host, state);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

} // namespace bench

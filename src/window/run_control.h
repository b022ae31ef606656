#pragma once

#include "engine/tracer.h"

#include <QObject>

namespace kururie {

class MainWindow;
struct MainControls;

// The start/stop and pause/resume buttons, and the window side of a running trace.
class RunControl : public QObject, public TracerHost {
    Q_OBJECT

public:
    explicit RunControl(MainWindow& window);

    void cmdStartClick();
    void cmdPauseClick();
    // The stop command's own steps: the run ends at its next step and the buttons are idle.
    void stopRun();

    // What the buttons show: no run, a run going (or asked to pause), or a paused one.
    enum class State { Idle, Running, Paused };
    State state() const { return m_state; }
    // True while a trace runs inside a start or resume handler, also once it has been asked to stop.
    bool isTracing() const { return m_tracing; }
    // The angle a resumed run starts from, as the decimal text the tracer wrote; "0" but while paused.
    const std::string& resumeAngle() const { return m_resumeAngle; }

    RunSettings runSettings() override;
    std::int16_t penPosition() override;
    int penSwingState() override;
    int colourGradationState() override;
    std::uint32_t penColour() override;
    double canvasCentreX() override;
    double canvasCentreY() override;
    void setPersistentDrawing(bool on) override;
    void drawOnBacking(const Segment& segment, std::uint32_t colour) override;
    void drawOnVisible(const Segment& segment, std::uint32_t colour) override;
    void processEvents() override;
    void processEventsUntil(StepPace::Clock::time_point due) override;
    StepPace::Clock::time_point now() override;
    void stopExit() override;
    void pauseExit(const std::string& resumeAngle) override;
    void normalEnd() override;

signals:
    void traceReturned();
    // The state or the tracing changed.
    void changed();

private:
    bool circleSizesSet();
    void trace();
    void setState(State state);
    void copyBackingToVisible();

    MainWindow& m_window;
    MainControls& m_controls;
    State m_state = State::Idle;
    std::string m_resumeAngle = "0";
    bool m_tracing = false;
};

} // namespace kururie

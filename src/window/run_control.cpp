#include "window/run_control.h"

#include "controls/canvas.h"
#include "controls/colour_swatch.h"
#include "controls/messages.h"
#include "controls/option_group.h"
#include "controls/state_check_box.h"
#include "window/accessible_names.h"
#include "window/main_window.h"
#include "window/settings_panel.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

namespace kururie {

namespace {

const QString kStart = QStringLiteral("開始");
const QString kStop = QStringLiteral("停止");
const QString kPause = QStringLiteral("一時停止");
const QString kResume = QStringLiteral("再開");

} // namespace

RunControl::RunControl(MainWindow& window) : QObject(&window), m_window(window), m_controls(window.controls())
{
}

bool RunControl::circleSizesSet()
{
    if (m_controls.hsbFixCircle->value() != 0 && m_controls.hsbMoveCircle->value() != 0)
        return true;
    showExclamation(m_window.seam(), &m_window, QStringLiteral("円の大きさを設定してください"));
    return false;
}

void RunControl::cmdStartClick()
{
    if (!circleSizesSet())
        return;
    TraceState& state = m_window.traceState();
    if (m_state == State::Idle) {
        // A second start before the previous run has returned would nest a run inside it.
        if (m_tracing)
            return;
        state.stopRequested = false;
        setState(State::Running);
        m_window.settingsPanel().hidePreview(true);
        m_window.announce(QStringLiteral("描画を開始しました"));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        trace();
        QApplication::restoreOverrideCursor();
        emit traceReturned();
        return;
    }
    stopRun();
}

void RunControl::stopRun()
{
    m_window.announce(QStringLiteral("描画を停止しました"));
    describeCanvas(*m_controls.canvas, CanvasContent::Drawn);
    m_window.traceState().stopRequested = true;
    setState(State::Idle);
    m_resumeAngle = "0";
}

void RunControl::cmdPauseClick()
{
    TraceState& state = m_window.traceState();
    if (m_state == State::Running) {
        state.pauseRequested = true;
        return;
    }
    // A resume with a circle size set to zero while paused would leave the buttons running with
    // no run; it stays paused instead.
    if (m_tracing || !circleSizesSet())
        return;
    state.pauseRequested = false;
    setState(State::Running);
    m_window.settingsPanel().hidePreview(false);
    m_window.announce(QStringLiteral("描画を再開しました"));
    trace();
    emit traceReturned();
}

void RunControl::trace()
{
    m_tracing = true;
    emit changed();
    m_controls.canvas->setBusy(true);
    describeCanvas(*m_controls.canvas, CanvasContent::Drawing);
    if (m_controls.hsbMoveCircle->value() > 0)
        DrawOuter(*this, m_window.traceState());
    else
        DrawInner(*this, m_window.traceState());
    m_controls.canvas->setBusy(false);
    m_tracing = false;
    emit changed();
}

RunSettings RunControl::runSettings()
{
    RunSettings settings;
    settings.fixCircle = static_cast<std::int16_t>(m_controls.hsbFixCircle->value());
    settings.moveCircle = static_cast<std::int16_t>(m_controls.hsbMoveCircle->value());
    settings.penMove = m_controls.sldPenMove->value();
    settings.penColorRate = m_controls.sldPenColor->value();
    settings.startAngle = m_resumeAngle;
    settings.normalSpeed = m_controls.speedOptions->value(1);
    return settings;
}

std::int16_t RunControl::penPosition()
{
    return static_cast<std::int16_t>(m_controls.hsbPenPosition->value());
}

int RunControl::penSwingState()
{
    return m_controls.ckPenPosition->value();
}

int RunControl::colourGradationState()
{
    return m_controls.ckPenColor->value();
}

std::uint32_t RunControl::penColour()
{
    return m_controls.penColourSwatch->backColor();
}

double RunControl::canvasCentreX()
{
    return m_controls.canvas->scaleWidth() / 2;
}

double RunControl::canvasCentreY()
{
    return m_controls.canvas->scaleHeight() / 2;
}

void RunControl::setPersistentDrawing(bool on)
{
    m_controls.canvas->setPersistentDrawing(on);
}

void RunControl::drawOnBacking(const Segment& segment, std::uint32_t colour)
{
    m_controls.backingCanvas->drawSegment(segment, colour);
}

void RunControl::drawOnVisible(const Segment& segment, std::uint32_t colour)
{
    m_controls.canvas->drawSegment(segment, colour);
}

void RunControl::processEvents()
{
    QCoreApplication::processEvents();
}

void RunControl::processEventsUntil(StepPace::Clock::time_point due)
{
    // Qt's timers count whole milliseconds: rounding up wakes the step at or after its due time,
    // and the pace's schedule takes the extra fraction back from the steps after it.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now());
    if (wait <= std::chrono::milliseconds::zero()) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop waiting;
    QTimer::singleShot(wait, Qt::PreciseTimer, &waiting, &QEventLoop::quit);
    waiting.exec();
}

StepPace::Clock::time_point RunControl::now()
{
    return StepPace::Clock::now();
}

// The buttons show the state, and are never read back for it.
void RunControl::setState(State state)
{
    m_state = state;
    m_controls.cmdStart->setText(state == State::Idle ? kStart : kStop);
    m_controls.cmdPause->setText(state == State::Paused ? kResume : kPause);
    m_controls.cmdPause->setEnabled(state != State::Idle);
    emit changed();
}

void RunControl::copyBackingToVisible()
{
    m_controls.canvas->setPicture(m_controls.backingCanvas->image());
}

void RunControl::stopExit()
{
    setState(State::Idle);
    copyBackingToVisible();
}

void RunControl::pauseExit(const std::string& resumeAngle)
{
    m_window.announce(QStringLiteral("描画を一時停止しました"));
    describeCanvas(*m_controls.canvas, CanvasContent::Paused);
    setState(State::Paused);
    copyBackingToVisible();
    m_resumeAngle = resumeAngle;
}

void RunControl::normalEnd()
{
    m_window.announce(QStringLiteral("描画が終わりました"));
    describeCanvas(*m_controls.canvas, CanvasContent::Drawn);
    setState(State::Idle);
    m_resumeAngle = "0";
    copyBackingToVisible();
}

} // namespace kururie

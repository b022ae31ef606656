#include "app/program.h"
#include "window_runs.h"

#include "controls/canvas.h"
#include "controls/option_group.h"
#include "window/run_control.h"
#include "figures.h"
#include "outer_curve.h"
#include "step_gap_probe.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <string>

namespace bench {

namespace {

// Ends a wait at the end of the event pass in which anything in the window was first painted.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QEventLoop& loop) : m_loop(loop) {}
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !m_painted) {
            m_painted = true;
            m_loop.quit();
        }
        return false;
    }

private:
    QEventLoop& m_loop;
    bool m_painted = false;
};

} // namespace

void showAndWaitForPaint(QWidget& window)
{
    QEventLoop loop;
    FirstPaintWatcher watcher(loop);
    qApp->installEventFilter(&watcher);
    window.show();
    QTimer::singleShot(std::chrono::seconds(30), &loop, &QEventLoop::quit);
    if (!watcher.painted())
        loop.exec();
    qApp->removeEventFilter(&watcher);
    if (!watcher.painted())
        qFatal("the main window was never painted");
}

int RefusingSeam::exec(QDialog&)
{
    return QDialog::Rejected;
}

double startupMilliseconds()
{
    const auto begin = std::chrono::steady_clock::now();
    RefusingSeam seam;
    kururie::Program program(seam);
    kururie::MainWindow& window = program.window();
    showAndWaitForPaint(window);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
}

double idleEventPassSeconds()
{
    constexpr int passes = 3 * kSegments + 1;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < passes; ++i)
        QCoreApplication::processEvents();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() / passes;
}

WindowBench::WindowBench() : m_window(m_seam)
{
    showAndWaitForPaint(m_window);
    selectOuterCurve(m_window.controls());
}

void WindowBench::startFromClearPicture()
{
    m_window.controls().cmdClear->click();
    QCoreApplication::processEvents();
}

double WindowBench::timedRunSeconds()
{
    startFromClearPicture();
    const auto begin = std::chrono::steady_clock::now();
    m_window.controls().cmdStart->click();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

StepGaps WindowBench::probedRun()
{
    startFromClearPicture();
    StepGapProbe probe;
    m_window.controls().cmdStart->click();
    return {probe.longestGapMicroseconds(), probe.passes()};
}

PacedRun WindowBench::pausedPacedRun(std::chrono::seconds length)
{
    startFromClearPicture();
    kururie::MainControls& controls = m_window.controls();
    controls.speedOptions->setValue(2, true);
    QTimer::singleShot(length, Qt::PreciseTimer, controls.cmdPause, [&controls] { controls.cmdPause->click(); });
    const double processorBefore = processorSeconds();
    const auto begin = std::chrono::steady_clock::now();
    controls.cmdStart->click();
    PacedRun run;
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    run.processorSeconds = processorSeconds() - processorBefore;
    run.angle = std::stod(m_window.runControl().resumeAngle());
    controls.cmdStart->click();
    controls.speedOptions->setValue(1, true);
    return run;
}

void WindowBench::runOnTop()
{
    m_window.controls().cmdStart->click();
}

const kururie::Canvas& WindowBench::backingCanvas()
{
    return *m_window.controls().backingCanvas;
}

QImage WindowBench::picture()
{
    return m_window.controls().canvas->picture();
}

QString WindowBench::resumeText()
{
    return QString::fromStdString(m_window.runControl().resumeAngle());
}

} // namespace bench

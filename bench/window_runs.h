#pragma once

#include "controls/modal_seam.h"
#include "window/main_window.h"

#include <QImage>

#include <chrono>

namespace kururie {
class Canvas;
}

namespace bench {

// No dialog belongs in these runs; one that appeared anyway is refused rather than waited on.
class RefusingSeam : public kururie::ModalSeam {
public:
    int exec(QDialog& dialog) override;
};

// Shows a widget and returns at the end of the event pass in which it was first painted.
void showAndWaitForPaint(QWidget& window);

// Constructs and shows a main window, and returns the milliseconds until it has first been painted.
double startupMilliseconds();

// What one event pass costs when nothing is pending, in seconds; a window run makes three a step.
double idleEventPassSeconds();

struct StepGaps {
    double longestMicroseconds = 0;
    long eventPasses = 0;
};

// A "遅い" run paused after a while: how long it ran, the angle it reached and the processor time
// the whole process used meanwhile.
struct PacedRun {
    double wallSeconds = 0;
    double angle = 0;
    double processorSeconds = 0;
};

// One shown main window, set to the outer curve, that runs it again and again from a clear picture.
// A run is either timed or probed for its step gaps, never both, so that the probe's own cost
// stays out of the time.
class WindowBench {
public:
    WindowBench();

    double timedRunSeconds();
    StepGaps probedRun();
    // Runs the curve at "遅い" and pauses it after the given time; leaves the window idle at "普通".
    PacedRun pausedPacedRun(std::chrono::seconds length);

    // Runs the curve again over what the runs before it drew.
    void runOnTop();
    // The canvas that holds the whole picture and keeps its strokes.
    const kururie::Canvas& backingCanvas();

    // The picture and resume angle the last run left behind.
    QImage picture();
    QString resumeText();

private:
    void startFromClearPicture();

    RefusingSeam m_seam;
    kururie::MainWindow m_window;
};

} // namespace bench

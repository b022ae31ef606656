// Prints what the window's event processing costs at the least, against the drawing of a step:
// a step of the tracer processes events three times, so even passes that find nothing to do set
// a floor under window_over_raster that no change to the drawing or repainting can go below.
//
//     kururie_pass_floor

#include "figures.h"
#include "outer_curve.h"
#include "trace_hosts.h"
#include "window_runs.h"

#include <QApplication>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kRepetitions = 5;
constexpr int kPassesPerRun = 3 * bench::kSegments + 1;

template <typename Action> double microsecondsEach(Action action)
{
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < kPassesPerRun; ++i)
        action();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count()
        / kPassesPerRun;
}

// The cheapest question the kernel can be asked about pending input: a zero-timeout poll of one
// descriptor, which any exact "is anything pending?" check needs at each point.
double pollMicroseconds()
{
    const int wakeUp = eventfd(0, EFD_NONBLOCK);
    pollfd descriptor{wakeUp, POLLIN, 0};
    const double each = microsecondsEach([&descriptor] { poll(&descriptor, 1, 0); });
    close(wakeUp);
    return each;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::WindowBench idleWindow;

    std::vector<double> pass, step, bareWait;
    for (int i = 0; i < kRepetitions; ++i) {
        pass.push_back(bench::idleEventPassSeconds() * 1e6);
        bench::CanvasPairHost drawing;
        step.push_back(bench::secondsToTrace(drawing) * 1e6 / bench::kSegments);
        bareWait.push_back(pollMicroseconds());
    }

    const double passUs = bench::median(pass);
    const double stepUs = bench::median(step);
    std::printf("event_pass_us %.3f\n", passUs);
    std::printf("poll_us %.3f\n", bench::median(bareWait));
    std::printf("raster_step_us %.3f\n", stepUs);
    std::printf("window_over_raster_floor %.2f\n", 1 + 3 * passUs / stepUs);
    return 0;
}

// Times the longest trace three ways (computing only, drawing on a bare canvas pair, running in
// the main window), the window run again on a screen of scale 2, then the opening of a camera
// photo, of a painted PNG and of a scanned BMP, and prints one figure per line, each the median of
// the repetitions; and, from one 10 s "遅い" window run, the pace it keeps and the share of a
// processor it takes.
//
//     kururie_bench [repetitions]     (at least 5, the default)

#include "figures.h"
#include "outer_curve.h"
#include "photo_open.h"
#include "scaled_runs.h"
#include "trace_hosts.h"
#include "window_runs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

constexpr int kMinimumRepetitions = 5;
// One run, long enough that the pace is measured over thousands of steps.
constexpr std::chrono::seconds kPacedRunLength{10};

int repetitionsFrom(int argc, char* argv[])
{
    const int asked = argc > 1 ? std::atoi(argv[1]) : 0;
    return std::max(asked, kMinimumRepetitions);
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "kururie_bench: %s\n", what);
    std::exit(1);
}

// The window run on a screen of scale 2 is compared with one at scale 1, each in a fresh child,
// the two alternating so that a change in the machine's load touches both alike.
constexpr double kFinerScale = 2;
constexpr int kRunsPerChild = 3;

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], bench::kOpenPhotoArgument) == 0)
        return bench::openPhotoAndReport(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], bench::kWindowRunsArgument) == 0)
        return bench::reportWindowRuns(std::max(1, std::atoi(argv[2])));
    const int repetitions = repetitionsFrom(argc, argv);

    std::vector<double> startup;
    for (int i = 0; i < repetitions; ++i)
        startup.push_back(bench::startupMilliseconds());

    // Interleaved, so that a change in the machine's load touches every kind of run alike.
    std::vector<double> engine, raster, window, ratio, overFloor, gap;
    bench::WindowBench windowBench;
    for (int i = 0; i < repetitions; ++i) {
        bench::ComputeOnlyHost computing;
        engine.push_back(bench::secondsToTrace(computing));
        if (computing.segments() != bench::kSegments)
            fail("the outer curve did not run to its last segment");

        const bench::WindowFigures run = bench::measureWindowRun(windowBench);
        raster.push_back(run.rasterSeconds);
        window.push_back(run.windowSeconds);
        ratio.push_back(run.windowSeconds / run.rasterSeconds);
        overFloor.push_back(run.overFloor);

        const QImage drawn = windowBench.picture();
        const bench::StepGaps gaps = windowBench.probedRun();
        gap.push_back(gaps.longestMicroseconds);
        if (windowBench.resumeText() != QStringLiteral("0") || windowBench.picture() != drawn)
            fail("the probed window run did not end with the same picture");
        if (gaps.eventPasses != 3L * bench::kSegments + 1)
            fail("the window run did not process events three times a step");
    }

    std::printf("engine_s %.4f\n", bench::median(engine));
    std::printf("raster_s %.4f\n", bench::median(raster));
    std::printf("window_s %.4f\n", bench::median(window));
    std::printf("window_over_raster %.2f\n", bench::median(ratio));
    std::printf("window_over_floor %.2f\n", bench::median(overFloor));
    std::printf("max_step_gap_us %.0f\n", bench::median(gap));
    std::printf("peak_rss_mb %.1f\n", bench::peakResidentMegabytes());
    std::printf("startup_ms %.1f\n", bench::median(startup));
    std::fflush(stdout);

    std::vector<double> finerWindow, finerOverFloor, finerOverOne;
    for (int i = 0; i < repetitions; ++i) {
        const bench::WindowFigures one = bench::windowRunsAtScale(1, kRunsPerChild);
        const bench::WindowFigures finer = bench::windowRunsAtScale(kFinerScale, kRunsPerChild);
        finerWindow.push_back(finer.windowSeconds);
        finerOverFloor.push_back(finer.overFloor);
        finerOverOne.push_back(finer.windowSeconds / one.windowSeconds);
    }
    std::printf("window_s_at_2 %.4f\n", bench::median(finerWindow));
    std::printf("window_over_floor_at_2 %.2f\n", bench::median(finerOverFloor));
    std::printf("window_at_2_over_1 %.2f\n", bench::median(finerOverOne));
    std::fflush(stdout);


    const bench::PacedRun paced = windowBench.pausedPacedRun(kPacedRunLength);
    if (paced.angle <= 0 || paced.wallSeconds < kPacedRunLength.count())
        fail("the 遅い run did not last until its pause");
    std::printf("slow_pace_deg_per_s %.1f\n", paced.angle / paced.wallSeconds);
    std::printf("slow_cpu_share %.3f\n", paced.processorSeconds / paced.wallSeconds);
    std::fflush(stdout);

    // After the figures above, so that making the pictures stays out of this process's peak memory.
    QTemporaryDir pictureFolder;
    const std::pair<const char*, QString> pictures[] = {{"photo", bench::writeCameraPhoto(pictureFolder.path())},
                                                        {"png", bench::writePaintedPng(pictureFolder.path())},
                                                        {"bmp", bench::writeScannedBitmap(pictureFolder.path())}};
    for (const auto& [name, path] : pictures) {
        std::vector<double> milliseconds, peak;
        for (int i = 0; i < repetitions; ++i) {
            const bench::PhotoOpening opening = bench::openPhotoInFreshProgram(path);
            if (!opening.opened) {
                std::fprintf(stderr, "kururie_bench: %s did not open (refused after %.1f ms, %.1f MB above idle)\n",
                             qPrintable(path), opening.milliseconds, opening.peakAboveIdleMegabytes);
                return 1;
            }
            milliseconds.push_back(opening.milliseconds);
            peak.push_back(opening.peakAboveIdleMegabytes);
        }
        std::printf("open_%s_ms %.1f\n", name, bench::median(milliseconds));
        std::printf("open_%s_peak_mb %.1f\n", name, bench::median(peak));
        std::fflush(stdout);
    }
    return 0;
}

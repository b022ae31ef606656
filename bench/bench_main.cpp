// Times the longest trace three ways (computing only, drawing on a bare canvas pair, running in
// the main window), the window run again on a screen of scale 2, then the opening of a camera
// photo, and prints one figure per line, each the median of the repetitions.
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
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMinimumRepetitions = 5;

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

    // After the figures above, so that making the photo stays out of this process's peak memory.
    QTemporaryDir photoFolder;
    const QString photo = bench::writeCameraPhoto(photoFolder.path());
    std::vector<double> photoMilliseconds, photoPeak;
    for (int i = 0; i < repetitions; ++i) {
        const bench::PhotoOpening opening = bench::openPhotoInFreshProgram(photo);
        if (!opening.opened) {
            std::fprintf(stderr, "kururie_bench: the 6000 x 4000 JPEG did not open (refused after %.1f ms, %.1f MB above idle)\n",
                         opening.milliseconds, opening.peakAboveIdleMegabytes);
            return 1;
        }
        photoMilliseconds.push_back(opening.milliseconds);
        photoPeak.push_back(opening.peakAboveIdleMegabytes);
    }
    std::printf("open_photo_ms %.1f\n", bench::median(photoMilliseconds));
    std::printf("open_photo_peak_mb %.1f\n", bench::median(photoPeak));
    return 0;
}

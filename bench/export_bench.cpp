// Draws the longest curve through the shown main window, exports it as SVG and as a PNG of 4000
// pixels a side, and prints one figure per line, each the median of the repetitions; then what the
// record of its strokes holds and what keeping them costs, and the record of the curve drawn twenty
// times over.
//
//     kururie_export_bench [repetitions]     (at least 5, the default)

#include "controls/canvas.h"
#include "documents/drawing_export.h"
#include "figures.h"
#include "outer_curve.h"
#include "window_runs.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMinimumRepetitions = 5;
constexpr int kSide = 4000;
constexpr int kTimesOver = 20;

double megabytes(std::size_t bytes)
{
    return double(bytes) / (1024 * 1024);
}

template <typename Export>
double milliseconds(Export&& exportOnce)
{
    const auto begin = std::chrono::steady_clock::now();
    exportOnce();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
}

} // namespace

int main(int argc, char* argv[])
{
    using kururie::drawingPng, kururie::drawingSvg;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = std::max(argc > 1 ? std::atoi(argv[1]) : 0, kMinimumRepetitions);

    bench::WindowBench window;
    window.timedRunSeconds();
    const kururie::Canvas& canvas = window.backingCanvas();
    const kururie::CanvasContents drawn = canvas.contents();
    if (drawn.strokes.segmentCount() != std::size_t(bench::kSegments))
        qFatal("the record does not hold the outer curve's %d segments", bench::kSegments);
    const kururie::DrawingLayers layers = kururie::drawingOf(canvas);

    // The same segments again, to time keeping them apart from drawing them.
    std::vector<std::pair<kururie::Segment, kururie::StrokePoint>> segments;
    kururie::StrokePoint last{};
    drawn.strokes.forEachPoint([&segments, &last](const kururie::StrokePoint& point) {
        if (!point.startsPolyline())
            segments.push_back({{last.x, last.y, point.x, point.y}, point});
        last = point;
    });

    std::vector<double> keeping, svg, png, pngPeak;
    std::size_t svgBytes = 0, pngBytes = 0;
    for (int i = 0; i < repetitions; ++i) {
        keeping.push_back(milliseconds([&segments] {
            kururie::StrokeRecord record;
            for (const auto& [segment, end] : segments)
                record.append(segment, end.colour(), end.width());
            if (record.segmentCount() != segments.size())
                qFatal("the record did not keep every segment");
        }));
        svg.push_back(milliseconds([&] { svgBytes = std::size_t(drawingSvg(layers).value_or("").size()); }));
        const double resident = bench::statusMegabytes("VmRSS");
        if (resident < 0 || !bench::resetPeakResident())
            qFatal("no resident memory figures in /proc/self");
        png.push_back(milliseconds([&] { pngBytes = std::size_t(drawingPng(layers, drawn.image, kSide).size()); }));
        pngPeak.push_back(bench::statusMegabytes("VmHWM") - resident);
    }
    if (svgBytes == 0 || pngBytes == 0)
        qFatal("an export came out empty");
    std::printf("svg_export_ms %.1f\n", bench::median(svg));
    std::printf("svg_bytes %zu\n", svgBytes);
    std::printf("png4000_export_ms %.1f\n", bench::median(png));
    std::printf("png4000_bytes %zu\n", pngBytes);
    std::printf("png4000_peak_mb %.1f\n", bench::median(pngPeak));
    std::printf("strokes_mb %.2f\n", megabytes(drawn.strokes.bytesHeld()));
    std::printf("strokes_keep_ms %.2f\n", bench::median(keeping));
    std::fflush(stdout);

    for (int i = 1; i < kTimesOver; ++i)
        window.runOnTop();
    const kururie::StrokeRecord& over = canvas.strokes();
    if (over.overflowed() || over.segmentCount() != std::size_t(kTimesOver) * bench::kSegments)
        qFatal("the record does not hold the curve drawn %d times over", kTimesOver);
    std::printf("strokes_20_mb %.2f\n", megabytes(over.bytesHeld()));
    return 0;
}

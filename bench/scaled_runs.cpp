#include "scaled_runs.h"

#include "figures.h"
#include "outer_curve.h"
#include "trace_hosts.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>

namespace bench {

WindowFigures measureWindowRun(WindowBench& windowBench)
{
    CanvasPairHost drawing;
    const double raster = secondsToTrace(drawing);
    const double passes = (3.0 * kSegments + 1) * idleEventPassSeconds();
    const double window = windowBench.timedRunSeconds();
    if (windowBench.resumeText() != QStringLiteral("0") || windowBench.picture() != drawing.backingImage())
        qFatal("the window run did not end with the bare canvas pair's picture");
    return {raster, window, window / (raster + passes)};
}

WindowFigures windowRunsAtScale(double scale, int repetitions)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kWindowRunsArgument), QString::number(repetitions)});
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        qFatal("the window-run child at scale %g failed", scale);
    const QList<QByteArray> figures = child.readAllStandardOutput().simplified().split(' ');
    if (figures.size() != 2)
        qFatal("the window-run child printed no figures");
    return {0, figures[0].toDouble(), figures[1].toDouble()};
}

int reportWindowRuns(int repetitions)
{
    WindowBench windowBench;
    std::vector<double> window, overFloor;
    for (int i = 0; i < repetitions; ++i) {
        const WindowFigures figures = measureWindowRun(windowBench);
        window.push_back(figures.windowSeconds);
        overFloor.push_back(figures.overFloor);
    }
    std::printf("%.4f %.3f\n", median(window), median(overFloor));
    return 0;
}

} // namespace bench

// Runs a long curve through the main window again and again, each run after a clear, a paste, a
// picture drop on the canvas and a settings drop on a frame, and prints the resident memory after
// the first and after the last run. Exits with 1 when the memory grew by more than 2 MB or a run went wrong.
//
//     kururie_soak [runs]     (200 by default)

#include "app/program.h"
#include "controls/canvas.h"
#include "controls/modal_seam.h"
#include "controls/option_group.h"
#include "documents/settings_record.h"
#include "support/file_drops.h"
#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDefaultRuns = 200;
constexpr int kReportEvery = 25;
constexpr double kAllowedGrowthMegabytes = 2.0;

// No dialog belongs in these runs; one that appears anyway is refused and counted.
class CountingSeam : public kururie::ModalSeam {
public:
    int exec(QDialog&) override
    {
        ++m_shown;
        return QDialog::Rejected;
    }
    int shown() const { return m_shown; }

private:
    int m_shown = 0;
};

// An outer curve that never closes, so every run draws all of its segments; the second record
// changes the speed and pen width so that each settings drop changes controls.
kururie::SettingsRecord longCurve(bool variant)
{
    return {200, 103, 10, 0, 0, !variant, variant, 255, 16777215, !variant, false, variant, 1, 5};
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool writeSettings(const QString& path, const kururie::SettingsRecord& record)
{
    const std::string line = kururie::formatSettingsLine(record);
    return writeFile(path, QByteArray(line.data(), qsizetype(line.size())));
}

// Larger than the canvas, so that showing it clips it.
QImage largePicture(int shade)
{
    QImage picture(520, 480, QImage::Format_RGB32);
    picture.fill(QColor(shade % 256, 128, 255 - shade % 256));
    return picture;
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "kururie_soak: %s\n", what);
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(std::atoi(argv[1]), 1) : kDefaultRuns;

    QTemporaryDir folder;
    const QString settingsA = folder.filePath(QStringLiteral("curve-a.txt"));
    const QString settingsB = folder.filePath(QStringLiteral("curve-b.txt"));
    const QString picture = folder.filePath(QStringLiteral("curve-b.bmp"));
    if (!folder.isValid() || !writeSettings(settingsA, longCurve(false)) || !writeSettings(settingsB, longCurve(true))
        || !largePicture(0).save(picture, "BMP"))
        fail("cannot write the files to drop");

    CountingSeam seam;
    kururie::Program program(seam);
    kururie::MainWindow& window = program.window();
    kururie::MainControls& c = window.controls();
    window.show();
    settle();

    // Every run, the first included, comes after the same commands, so that what they load once
    // (image plugins, clipboard data) is in the first figure already.
    std::vector<std::pair<int, double>> residentByRun;
    double slowestSeconds = 0;
    double totalSeconds = 0;
    for (int run = 1; run <= runs; ++run) {
        c.cmdClear->click();
        QGuiApplication::clipboard()->setImage(largePicture(run));
        c.mnuPaste->trigger();
        if (c.cmdBkColor->isEnabled())
            fail("the paste did not happen");
        // The picture's companion settings file, curve-b.txt, comes in with it.
        dropFiles(c.canvas, {picture});
        if (!window.windowTitle().endsWith(picture))
            fail("the picture drop did not happen");
        const bool variant = run % 2 == 0;
        dropFiles(variant ? c.speedFrame : c.circleFrame, {variant ? settingsB : settingsA});
        if (c.speedOptions->value(2) != variant)
            fail("the settings drop did not happen");
        const auto begin = std::chrono::steady_clock::now();
        c.cmdStart->click();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        if (c.cmdStart->text() != QStringLiteral("開始"))
            fail("a run did not end");
        totalSeconds += seconds;
        slowestSeconds = std::max(slowestSeconds, seconds);
        settle();
        if (run == 1 || run % kReportEvery == 0 || run == runs)
            residentByRun.emplace_back(run, residentMegabytes());
    }
    const double firstMegabytes = residentByRun.front().second;
    const double lastMegabytes = residentByRun.back().second;
    const double growth = lastMegabytes - firstMegabytes;

    std::printf("runs                          %d\n", runs);
    std::printf("seconds per run, mean         %.2f\n", totalSeconds / runs);
    std::printf("seconds per run, slowest      %.2f\n", slowestSeconds);
    std::printf("resident MB after first run   %.1f\n", firstMegabytes);
    std::printf("resident MB after last run    %.1f\n", lastMegabytes);
    std::printf("growth MB                     %+.1f (allowed %.1f)\n", growth, kAllowedGrowthMegabytes);
    std::printf("dialogs shown                 %d\n", seam.shown());
    std::printf("resident MB by run           ");
    for (const auto& [run, megabytes] : residentByRun)
        std::printf(" %d:%.1f", run, megabytes);
    std::printf("\n");
    return growth <= kAllowedGrowthMegabytes && seam.shown() == 0 ? 0 : 1;
}

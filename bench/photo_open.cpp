#include "app/program.h"
#include "photo_open.h"

#include "controls/canvas.h"
#include "figures.h"
#include "support/file_drops.h"
#include "window/main_window.h"
#include "window_runs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

// Smooth colour ramps with a grain of noise, so the file is about as large as a camera's and
// decodes with as much detail.
QImage cameraLikePicture()
{
    QImage picture(6000, 4000, QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            line[x] = qRgb(qBound(0, x * 255 / picture.width() + grain, 255),
                           qBound(0, y * 255 / picture.height() + grain, 255),
                           qBound(0, (x + y) % 256 + grain, 255));
        }
    }
    return picture;
}

} // namespace

QString writeCameraPhoto(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("camera-6000x4000.jpg"));
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    if (!writer.write(cameraLikePicture()))
        qFatal("cannot write the photo: %s", qPrintable(writer.errorString()));
    return path;
}

QString writePaintedPng(const QString& folder)
{
    QImage picture = cameraLikePicture().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = (line[x] & 0x00FFFFFF) | QRgb(128 + (x + y) % 128) << 24;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("painted-6000x4000.png"));
    QImageWriter writer(path, "png");
    if (!writer.write(picture))
        qFatal("cannot write the PNG: %s", qPrintable(writer.errorString()));
    return path;
}

QString writeScannedBitmap(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("scanned-6000x4000.bmp"));
    QImageWriter writer(path, "bmp");
    if (!writer.write(cameraLikePicture()))
        qFatal("cannot write the BMP: %s", qPrintable(writer.errorString()));
    return path;
}

PhotoOpening openPhotoInFreshProgram(const QString& photoPath)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kOpenPhotoArgument), photoPath});
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        qFatal("the photo-opening child failed");
    const QList<QByteArray> figures = child.readAllStandardOutput().simplified().split(' ');
    if (figures.size() != 3)
        qFatal("the photo-opening child printed no figures");
    return {figures[0] == "1", figures[1].toDouble(), figures[2].toDouble()};
}

int openPhotoAndReport(const QString& photoPath)
{
    RefusingSeam seam;
    kururie::Program program(seam);
    kururie::MainWindow& window = program.window();
    showAndWaitForPaint(window);
    QCoreApplication::processEvents();
    const double idle = statusMegabytes("VmRSS");
    if (idle < 0 || !resetPeakResident())
        qFatal("no resident memory figures in /proc/self");

    const auto begin = std::chrono::steady_clock::now();
    dropFiles(window.controls().canvas, {photoPath});
    QCoreApplication::processEvents();
    const double milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    const double peak = statusMegabytes("VmHWM");

    const bool opened = !window.controls().canvas->picture().isNull() && window.windowTitle().endsWith(photoPath);
    std::printf("%d %.2f %.2f\n", opened ? 1 : 0, milliseconds, peak - idle);
    return 0;
}

} // namespace bench

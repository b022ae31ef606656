// Arbitrary bytes as a picture file, loaded the way Open and a drop on the canvas load one: decoded
// from a file by the program's picture reader as far as a canvas of the window's size shows it,
// then shown on that canvas. Every input must end in a rejection, or in a picture no larger than the
// canvas on a canvas that kept its size; the run's memory and time limits catch a decoding that
// costs more than it should.

#include "controls/canvas.h"
#include "documents/picture_files.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

const QSize kCanvasInterior(400, 400);

struct Harness {
    QTemporaryDir folder;
    QString picturePath = folder.filePath(QStringLiteral("dropped.bmp"));
    kururie::Canvas canvas{QStringLiteral("picDraw"), 1, nullptr};
};

// Made after the application, so that it is gone, its folder removed, before the application ends.
Harness& sharedHarness()
{
    static Harness instance;
    return instance;
}

// Qt and its image plugins are not instrumented, so by coverage alone every picture looks the same
// to libFuzzer and it would keep almost none of them. These counters stand in for the decoders'
// coverage: which decoder took the file, what pixel format came out, and how large its header said
// it was (what comes out is never larger than the canvas). libFuzzer reads every counter in this
// section as a feature of the input.
const QByteArray kDecoders[] = {"", "bmp", "gif", "jpeg", "png"};
constexpr int kDecoderCount = int(std::size(kDecoders)) + 1;
constexpr int kPixelFormatCount = QImage::NImageFormats;
constexpr int kSizeClasses = 32;
constexpr int kCountersPerDecoder = kPixelFormatCount + 2 * kSizeClasses;
__attribute__((section("__libfuzzer_extra_counters")))
std::uint8_t outcomeCounters[kDecoderCount * kCountersPerDecoder];

int decoderIndex(const QByteArray& decoder)
{
    const auto found = std::find(std::begin(kDecoders), std::end(kDecoders), decoder);
    return int(found - std::begin(kDecoders));
}

int sizeClass(int length)
{
    int bits = 0;
    while (length > 0 && bits < kSizeClasses - 1) {
        length >>= 1;
        ++bits;
    }
    return bits;
}

void countOutcome(const QString& path, const QImage& picture)
{
    QImageReader reader(path);
    const QSize claimed = reader.size();
    std::uint8_t* counters = outcomeCounters + decoderIndex(reader.format()) * kCountersPerDecoder;
    counters[picture.format()] = 1;
    counters[kPixelFormatCount + sizeClass(claimed.width())] = 1;
    counters[kPixelFormatCount + kSizeClasses + sizeClass(claimed.height())] = 1;
}

// Decoders warn about every broken file they see; millions of warnings would only slow the run.
// Qt aborts after a fatal message has been handled.
void dropWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool writeFile(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropWarnings);
    static QApplication application(*argc, *argv);
    if (!sharedHarness().folder.isValid())
        qFatal("no temporary folder for the picture files");
    sharedHarness().canvas.setInteriorSize(kCanvasInterior);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Harness& harness = sharedHarness();
    if (!writeFile(harness.picturePath, data, size))
        qFatal("cannot write the picture file");
    const QImage picture = kururie::readPictureFile(harness.picturePath, kCanvasInterior);
    countOutcome(harness.picturePath, picture);
    if (picture.isNull())
        return 0;
    if (picture.width() > kCanvasInterior.width() || picture.height() > kCanvasInterior.height())
        std::abort();
    harness.canvas.setPicture(picture);
    if (harness.canvas.image().size() != kCanvasInterior)
        std::abort();
    return 0;
}

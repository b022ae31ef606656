#pragma once

#include <QString>

namespace bench {

// A photo of the size an ordinary camera makes, 6000 × 4000, written as a JPEG into the folder.
QString writeCameraPhoto(const QString& folder);

// The same picture with an alpha channel, written as a PNG as paint programs write them.
QString writePaintedPng(const QString& folder);

// The same picture as a 24-bit BMP, bottom-up, as scanners and older programs write them.
QString writeScannedBitmap(const QString& folder);

struct PhotoOpening {
    bool opened = false;
    double milliseconds = 0;
    double peakAboveIdleMegabytes = 0;
};

// Drops the photo on the canvas of a fresh program: this program run again as a child process, so
// that neither an earlier opening's freed memory nor this process's own picture inflates or hides
// the peak. The child's idle level is its resident memory once its window has been painted.
PhotoOpening openPhotoInFreshProgram(const QString& photoPath);

// The child's side of openPhotoInFreshProgram(): shows the main window, drops the photo on it,
// prints what it measured and returns the exit code.
int openPhotoAndReport(const QString& photoPath);

// The argument that makes this program the child.
inline const char* const kOpenPhotoArgument = "--open-photo";

} // namespace bench

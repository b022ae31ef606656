#include "documents/file_saving.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kururie {

namespace {

// Written and read back in pieces, so that a failure part of the way through is met where it happens.
constexpr qint64 kPieceBytes = 64 * 1024;

bool writeAt(int descriptor, const QByteArray& contents)
{
    qint64 done = 0;
    while (done < contents.size()) {
        const size_t piece = size_t(std::min(kPieceBytes, qint64(contents.size()) - done));
        const ssize_t written = ::pwrite(descriptor, contents.constData() + done, piece, done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

std::optional<QByteArray> readAt(int descriptor, qint64 size)
{
    QByteArray contents(qsizetype(size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const size_t piece = size_t(std::min(kPieceBytes, size - done));
        const ssize_t read = ::pread(descriptor, contents.data() + done, piece, done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return std::nullopt;
        done += read;
    }
    return contents;
}

// Opened for reading too: where the file system cannot reserve room itself, the C library makes it
// by reading and writing the file. What the new contents will cover is kept, so that a write that
// fails part of the way puts the old bytes back.
bool writeInPlace(const QString& path, const QByteArray& contents)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    std::optional<QByteArray> old;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode))
        old = readAt(descriptor, std::min(qint64(status.st_size), qint64(contents.size())));
    if (!old) {
        ::close(descriptor);
        return false;
    }
    const bool reserved = contents.isEmpty() || ::posix_fallocate(descriptor, 0, contents.size()) == 0;
    const bool written = reserved && writeAt(descriptor, contents) && ::fsync(descriptor) == 0
                         && ::ftruncate(descriptor, contents.size()) == 0 && ::fsync(descriptor) == 0;
    if (!written) {
        if (reserved)
            (void)writeAt(descriptor, *old);
        (void)::ftruncate(descriptor, status.st_size);
        (void)::fsync(descriptor);
    }
    return ::close(descriptor) == 0 && written;
}

} // namespace

bool saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    // Prepared in full before the file is touched.
    QByteArray contents;
    QBuffer buffer(&contents);
    if (!buffer.open(QIODevice::WriteOnly) || !write(buffer))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeInPlace(path, contents);
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kururie

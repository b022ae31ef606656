#include "file_saving.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kururie {

namespace {

bool writeAll(int descriptor, const QByteArray& contents)
{
    qint64 done = 0;
    while (done < contents.size()) {
        const ssize_t written = ::pwrite(descriptor, contents.constData() + done, size_t(contents.size() - done), done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// The old contents stay until the room for the new ones has been reserved; from then on the
// write cannot run out of space.
bool writeInPlace(const QString& path, const QByteArray& contents)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    bool written = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    if (written && !contents.isEmpty() && ::posix_fallocate(descriptor, 0, contents.size()) != 0) {
        // Where the file system cannot reserve room, the C library writes zeros past the end to
        // make it; whatever it managed is cut off again.
        written = false;
        (void)::ftruncate(descriptor, status.st_size);
    }
    written = written && writeAll(descriptor, contents) && ::ftruncate(descriptor, contents.size()) == 0
        && ::fsync(descriptor) == 0;
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

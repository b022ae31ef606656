#include "file_saving.h"

#include <QBuffer>
#include <QSaveFile>

namespace kururie {

bool saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    // Prepared before the file is touched: written in place, it can then fail only on the disk.
    QByteArray contents;
    QBuffer buffer(&contents);
    if (!buffer.open(QIODevice::WriteOnly) || !write(buffer))
        return false;
    QSaveFile file(path);
    // Falls back on writing in place only when the temporary is refused for want of permission.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kururie

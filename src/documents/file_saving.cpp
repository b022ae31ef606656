#include "file_saving.h"

#include <QSaveFile>

namespace kururie {

bool saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kururie

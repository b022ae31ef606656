#include "controls/program_icon.h"

#include <QDirIterator>

namespace kururie {

QIcon programIcon()
{
    QIcon icon;
    for (QDirIterator it(
             QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        icon.addFile(it.next());
    return icon;
}

} // namespace kururie

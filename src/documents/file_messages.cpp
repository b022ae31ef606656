#include "documents/file_messages.h"

#include "controls/messages.h"

#include <QString>

namespace kururie {

void reportUnsaved(ModalSeam& seam, QWidget* parent, const QString& path)
{
    showExclamation(seam, parent, QStringLiteral("ファイル「%1」を保存できませんでした。").arg(path));
}

void reportUnopened(ModalSeam& seam, QWidget* parent, const QString& path)
{
    showExclamation(seam, parent, QStringLiteral("ファイル「%1」を開けませんでした。").arg(path));
}

} // namespace kururie

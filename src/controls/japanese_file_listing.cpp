#include "controls/japanese_file_listing.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

#include <algorithm>

namespace kururie {

namespace {

enum Column { Name, Size, Type, DateModified };

const QString kFolder = QStringLiteral("フォルダー");
// Room for the sort arrow and the cell's margins beside the word.
constexpr int kTypeColumnPadding = 24;

} // namespace

QVariant JapaneseFileListing::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex file = mapToSource(index);
    switch (index.column()) {
    case Size:
        if (!files->isDir(file))
            return QLocale().formattedDataSize(files->size(file));
        break;
    case Type:
        if (files->isDir(file))
            return kFolder;
        break;
    case DateModified:
        return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
    default:
        break;
    }
    return QIdentityProxyModel::data(index, role);
}

void listFilesInJapanese(QFileDialog& dialog)
{
    dialog.setProxyModel(new JapaneseFileListing(&dialog));
    // Qt sizes the column for its English word.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const int wanted = details->fontMetrics().horizontalAdvance(kFolder) + kTypeColumnPadding;
        details->header()->resizeSection(Type, std::max(details->header()->sectionSize(Type), wanted));
    }
}

} // namespace kururie

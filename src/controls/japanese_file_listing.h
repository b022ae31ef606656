#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

namespace kururie {

// The file dialog's listing with its sizes, dates and folder type in Japanese. Qt's file model
// writes sizes and dates in the locale of the user's environment rather than the program's, and
// Qt 6.4's Japanese translation lacks its word for a folder.
class JapaneseFileListing : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};

// Gives a file dialog the Japanese listing, with its type column wide enough for the folder word.
void listFilesInJapanese(QFileDialog& dialog);

} // namespace kururie

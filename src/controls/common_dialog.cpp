#include "controls/common_dialog.h"

#include "controls/japanese_file_listing.h"
#include "controls/modal_seam.h"
#include "controls/packed_colour.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>

#include <algorithm>
#include <memory>

namespace kururie {

namespace {

struct FilterEntry {
    QString description;
    QStringList patterns;
};

// "*.*" stands for every file, as it does where these filters come from; Qt's "*.*" would leave
// out the names without an extension, which Save As can create.
QStringList filterPatterns(const QString& patterns)
{
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    std::replace(list.begin(), list.end(), QStringLiteral("*.*"), QStringLiteral("*"));
    return list;
}

QList<FilterEntry> filterEntries(const QString& filter)
{
    QList<FilterEntry> entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries.append({parts[i], filterPatterns(parts[i + 1])});
    return entries;
}

// Qt's dialog rewrites the extension of the name in its name box to the pattern of each filter
// chosen ("star.jpg" becomes "star.bmp", then "star.*"), so the name the user typed would be lost
// to a glance at the file types. The patterns are applied here instead, and the name box is left
// as the user last set it.
void keepNameAcrossFilters(QFileDialog& dialog)
{
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QObject::disconnect(types, SIGNAL(activated(int)), &dialog, SLOT(_q_useNameFilter(int)));
}

// A name typed without an extension under a file type with one gets it, before the dialog asks
// whether to replace a file of that name.
QString defaultSuffix(const QStringList& patterns)
{
    const QString pattern = patterns.value(0);
    return pattern.startsWith(QLatin1String("*.")) && pattern.indexOf(QLatin1Char('*'), 1) < 0 ? pattern.mid(2)
                                                                                               : QString();
}

} // namespace

CommonDialog::CommonDialog(ModalSeam& seam, QWidget* owner) : QObject(owner), m_seam(seam), m_owner(owner)
{
    setObjectName(QStringLiteral("cdlFile"));
}

std::optional<QString> CommonDialog::showOpen(const QString& proposed)
{
    return showFileDialog(false, proposed);
}

std::optional<QString> CommonDialog::showSave(const QString& proposed)
{
    return showFileDialog(true, proposed);
}

std::optional<QString> CommonDialog::showFileDialog(bool saving, const QString& proposed)
{
    QFileDialog dialog(m_owner);
    // Qt's own dialog everywhere, so the filters below behave the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    listFilesInJapanese(dialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!m_title.isEmpty())
        dialog.setWindowTitle(m_title);
    dialog.setFileMode((m_flags & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & kOverwritePrompt));
    const QList<FilterEntry> entries = filterEntries(m_filter);
    if (!entries.isEmpty()) {
        QStringList descriptions;
        for (const FilterEntry& entry : entries)
            descriptions << entry.description;
        dialog.setNameFilters(descriptions);
        // Qt would read patterns out of the parentheses of each description; the patterns of the
        // filter string are the ones that count, so they replace Qt's reading on every change.
        auto* model = dialog.findChild<QFileSystemModel*>();
        auto applyPatterns = [&dialog, model, entries, saving](const QString& description) {
            const int index = dialog.nameFilters().indexOf(description);
            if (index < 0)
                return;
            if (model)
                model->setNameFilters(entries[index].patterns);
            if (saving)
                dialog.setDefaultSuffix(defaultSuffix(entries[index].patterns));
        };
        connect(&dialog, &QFileDialog::filterSelected, &dialog, applyPatterns);
        const int first = qBound(1, m_filterIndex, int(entries.size())) - 1;
        dialog.selectNameFilter(descriptions[first]);
        applyPatterns(descriptions[first]);
        keepNameAcrossFilters(dialog);
    }
    // Proposed once the filter is set, which would otherwise rewrite its extension.
    if (!proposed.isEmpty()) {
        const QFileInfo file(proposed);
        dialog.setDirectory(file.absolutePath());
        dialog.selectFile(file.fileName());
    }

    if (m_seam.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    if (!entries.isEmpty())
        m_filterIndex = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

std::optional<std::uint32_t> CommonDialog::showColor(std::uint32_t current)
{
    QColorDialog dialog(fromPacked(current), m_owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (m_seam.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return toPacked(dialog.currentColor());
}

} // namespace kururie

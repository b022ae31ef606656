#include "common_dialog.h"

#include "japanese_file_listing.h"
#include "modal_seam.h"
#include "packed_colour.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

#include <algorithm>

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

} // namespace

CommonDialog::CommonDialog(ModalSeam& seam, QWidget* owner) : QObject(owner), m_seam(seam), m_owner(owner)
{
    setObjectName(QStringLiteral("cdlFile"));
}

std::optional<QString> CommonDialog::showOpen()
{
    return showFileDialog(false);
}

std::optional<QString> CommonDialog::showSave()
{
    return showFileDialog(true);
}

std::optional<QString> CommonDialog::showFileDialog(bool saving)
{
    QFileDialog dialog(m_owner);
    // Qt's own dialog everywhere, so the filters below behave the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    listFilesInJapanese(dialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((m_flags & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & kOverwritePrompt));
    if (!m_fileName.isEmpty()) {
        const QFileInfo current(m_fileName);
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    }

    const QList<FilterEntry> entries = filterEntries(m_filter);
    if (!entries.isEmpty()) {
        QStringList descriptions;
        for (const FilterEntry& entry : entries)
            descriptions << entry.description;
        dialog.setNameFilters(descriptions);
        // Qt would read patterns out of the parentheses of each description; the patterns of the
        // filter string are the ones that count, so they replace Qt's reading on every change.
        auto* model = dialog.findChild<QFileSystemModel*>();
        auto applyPatterns = [&dialog, model, entries](const QString& description) {
            const int index = dialog.nameFilters().indexOf(description);
            if (model && index >= 0)
                model->setNameFilters(entries[index].patterns);
        };
        connect(&dialog, &QFileDialog::filterSelected, &dialog, applyPatterns);
        const int first = qBound(1, m_filterIndex, int(entries.size())) - 1;
        dialog.selectNameFilter(descriptions[first]);
        applyPatterns(descriptions[first]);
    }

    if (m_seam.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    m_fileName = chosen.first();
    return m_fileName;
}

std::optional<std::uint32_t> CommonDialog::showColor()
{
    QColorDialog dialog(m_owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (m_seam.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return toPacked(dialog.currentColor());
}

} // namespace kururie

#include "common_dialog.h"

#include "japanese_file_listing.h"
#include "modal_seam.h"
#include "packed_colour.h"

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

// A save dialog rewrites the extension of the name in its name box to the pattern of each filter
// chosen: "star.jpg" becomes "star.bmp", and then "star.*" under the all-files entry. The name
// stays as the user typed it.
void keepNameAcrossFilters(QFileDialog& dialog)
{
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (!name || !types)
        return;
    auto typed = std::make_shared<QString>();
    // The box takes its new entry before the dialog hears of the choice and rewrites the name.
    QObject::connect(types, &QComboBox::currentIndexChanged, &dialog, [name, typed] { *typed = name->text(); });
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [name, typed] { name->setText(*typed); });
}

} // namespace

CommonDialog::CommonDialog(ModalSeam& seam, QWidget* owner) : QObject(owner), m_seam(seam), m_owner(owner)
{
    setObjectName(QStringLiteral("cdlFile"));
}

void CommonDialog::setFileName(const QString& name)
{
    if (name == m_fileName)
        return;
    m_fileName = name;
    emit fileNameChanged(m_fileName);
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
        keepNameAcrossFilters(dialog);
    }
    // Proposed once the filter is set, which would otherwise rewrite its extension.
    if (!m_fileName.isEmpty()) {
        const QFileInfo current(m_fileName);
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    }

    if (m_seam.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    setFileName(chosen.first());
    return m_fileName;
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

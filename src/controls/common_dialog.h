#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace kururie {

class ModalSeam;

// The one dialog object of the main window: file open and save dialogs and the colour picker.
// Like a classic common dialog it remembers its filter and flags between uses. It only asks and
// answers: what a chosen name means is up to the command that asked.
class CommonDialog : public QObject {
    Q_OBJECT

public:
    static constexpr unsigned kOverwritePrompt = 0x2;
    static constexpr unsigned kHideReadOnly = 0x4;
    static constexpr unsigned kFileMustExist = 0x1000;

    CommonDialog(ModalSeam& seam, QWidget* owner);

    // "description|pattern|description|pattern…"; the descriptions are shown as written and only
    // the patterns decide which files are listed.
    void setFilter(const QString& filter) { m_filter = filter; }
    const QString& filter() const { return m_filter; }
    // The entry shown first; after a file dialog, the entry the user last chose.
    void setFilterIndex(int oneBased) { m_filterIndex = oneBased; }
    int filterIndex() const { return m_filterIndex; }
    void setFlags(unsigned flags) { m_flags = flags; }
    // The file dialog's own title; empty for the title Qt gives an open or a save dialog.
    void setTitle(const QString& title) { m_title = title; }
    unsigned flags() const { return m_flags; }

    // The chosen name, nullopt when the user cancels. The dialog starts in the folder of the
    // proposed full path, with its file name in the name box.
    std::optional<QString> showOpen(const QString& proposed = QString());
    std::optional<QString> showSave(const QString& proposed = QString());
    // The chosen colour, packed, starting from the given one; nullopt on cancel. The file name is
    // left alone.
    std::optional<std::uint32_t> showColor(std::uint32_t current);

private:
    std::optional<QString> showFileDialog(bool saving, const QString& proposed);

    ModalSeam& m_seam;
    QWidget* m_owner;
    QString m_filter;
    QString m_title;
    int m_filterIndex = 1;
    unsigned m_flags = 0;
};

} // namespace kururie

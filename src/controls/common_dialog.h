#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace kururie {

class ModalSeam;

// The one dialog object of the main window: file open and save dialogs and the colour picker.
// Like a classic common dialog it remembers its filter, flags and the chosen file name between
// uses; that file name is the current document name.
class CommonDialog : public QObject {
    Q_OBJECT

public:
    static constexpr unsigned kOverwritePrompt = 0x2;
    static constexpr unsigned kHideReadOnly = 0x4;
    static constexpr unsigned kFileMustExist = 0x1000;

    CommonDialog(ModalSeam& seam, QWidget* owner);

    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& name);

    // "description|pattern|description|pattern…"; the descriptions are shown as written and only
    // the patterns decide which files are listed.
    void setFilter(const QString& filter) { m_filter = filter; }
    const QString& filter() const { return m_filter; }
    void setFilterIndex(int oneBased) { m_filterIndex = oneBased; }
    void setFlags(unsigned flags) { m_flags = flags; }
    unsigned flags() const { return m_flags; }

    // The chosen name, which also becomes fileName(); nullopt when the user cancels.
    std::optional<QString> showOpen();
    std::optional<QString> showSave();
    // The chosen colour, packed, starting from the given one; nullopt on cancel. The file name is
    // left alone.
    std::optional<std::uint32_t> showColor(std::uint32_t current);

signals:
    void fileNameChanged(const QString& name);

private:
    std::optional<QString> showFileDialog(bool saving);

    ModalSeam& m_seam;
    QWidget* m_owner;
    QString m_fileName;
    QString m_filter;
    int m_filterIndex = 1;
    unsigned m_flags = 0;
};

} // namespace kururie

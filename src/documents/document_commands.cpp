#include "documents/document_commands.h"

#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/common_dialog.h"
#include "controls/messages.h"
#include "controls/program_name.h"
#include "documents/file_messages.h"
#include "documents/picture_files.h"
#include "documents/settings_io.h"
#include "window/accessible_names.h"
#include "window/main_window.h"
#include "window/picture_clearing.h"
#include "window/picture_history.h"
#include "window/settings_panel.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace kururie {

namespace {

const QString kOpenFilter = QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|JPEG形式(*.jpg,*jpeg)|*.jpg|GIF形式(*.gif)|*.gif|"
                                           "PNG形式(*.png)|*.png|すべてのﾌｧｲﾙ(*.*)|*.*");
const QString kSaveAsFilter = QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|PNG形式(*.png)|*.png|すべてのﾌｧｲﾙ(*.*)|*.*");
const QString kSettingsFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべてのﾌｧｲﾙ(*.*)|*.*");

void prepareFileDialog(CommonDialog& dialog, unsigned flags, const QString& filter)
{
    dialog.setTitle(QString());
    dialog.setFlags(flags);
    dialog.setFilter(filter);
    dialog.setFilterIndex(1);
}

} // namespace

DocumentCommands::DocumentCommands(MainWindow& window) : QObject(&window), m_window(window)
{
    // Clear leaves a picture that is no file's.
    connect(&window.pictureClearing(), &PictureClearing::cleared, this, [this] { setDocument(QString()); });
    updateSaveEnabled();
}

void DocumentCommands::setDocument(const QString& path)
{
    m_documentName = path;
    m_window.setWindowTitle(path.isEmpty() ? kProgramName : kProgramName + QStringLiteral("-- ") + path);
    // Kept up to date at once, not only as the menu opens, so that Ctrl+S works exactly when the
    // menu item would be enabled.
    updateSaveEnabled();
}

void DocumentCommands::updateSaveEnabled()
{
    // A name ending in "txt" is named like a settings file, not a picture.
    m_window.controls().mnuFileSave->setEnabled(!m_documentName.isEmpty()
                                                && !m_documentName.endsWith(QLatin1String("txt")));
}

bool DocumentCommands::open()
{
    if (!maybeSave())
        return false;
    CommonDialog& dialog = *m_window.controls().commonDialog;
    prepareFileDialog(dialog, CommonDialog::kHideReadOnly | CommonDialog::kFileMustExist, kOpenFilter);
    const std::optional<QString> chosen = dialog.showOpen(m_documentName);
    return chosen && openFile(*chosen);
}

bool DocumentCommands::openFile(const QString& path)
{
    const QImage picture = readPictureFile(path, m_window.controls().canvas->interiorSize());
    if (picture.isNull()) {
        reportUnopened(m_window.seam(), &m_window, path);
        return false;
    }
    showPicture(picture, path);
    m_window.setPictureChanged(false);
    m_window.history().startAfresh(true);
    applyCompanionSettings(path);
    return true;
}

bool DocumentCommands::save()
{
    // Only a picture the canvas could have written is written over: an opened photo, or a bitmap or
    // PNG of another size, would lose what the canvas does not show, and its format.
    if (m_documentName.isEmpty() || !isCanvasPicture(m_documentName, m_window.controls().canvas->interiorSize()))
        return saveAs();
    return saveDocumentAs(m_documentName);
}

bool DocumentCommands::saveAs()
{
    CommonDialog& dialog = *m_window.controls().commonDialog;
    prepareFileDialog(dialog, CommonDialog::kOverwritePrompt | CommonDialog::kHideReadOnly, kSaveAsFilter);
    const std::optional<QString> chosen = dialog.showSave(proposedSaveName());
    return chosen && saveDocumentAs(*chosen);
}

QString DocumentCommands::proposedSaveName() const
{
    if (m_documentName.isEmpty() || isCanvasPicture(m_documentName, m_window.controls().canvas->interiorSize()))
        return m_documentName;
    const QFileInfo document(m_documentName);
    return document.dir().filePath(document.completeBaseName() + QStringLiteral(".bmp"));
}

bool DocumentCommands::saveDocumentAs(const QString& path)
{
    if (!writePicture(path))
        return false;
    setDocument(path);
    // The picture is safe in its file, whatever becomes of its settings.
    m_window.setPictureChanged(false);
    m_window.history().markSaved();
    return writeCompanionSettings(path);
}

void DocumentCommands::newPicture()
{
    if (!maybeSave(SaveTo::NewName))
        return;
    m_window.pictureClearing().clearPicture();
    m_window.history().startAfresh(false);
}

void DocumentCommands::exit()
{
    // Closing stops a running trace first and then offers to save, as the close box does.
    m_window.close();
}

bool DocumentCommands::maybeSave(SaveTo where)
{
    if (!m_window.pictureChanged())
        return true;
    const Answer answer =
        askYesNoOrAbandon(m_window.seam(), &m_window, QStringLiteral("編集を保存しますか?"), QStringLiteral("確認"));
    switch (answer) {
    case Answer::Yes:
        return where == SaveTo::Document ? save() : saveAs();
    case Answer::No:
        return true;
    case Answer::Abandoned:
        break;
    }
    return false;
}

void DocumentCommands::saveSettingsAlone()
{
    CommonDialog& dialog = *m_window.controls().commonDialog;
    prepareFileDialog(dialog, CommonDialog::kHideReadOnly | CommonDialog::kFileMustExist, kSettingsFilter);
    const std::optional<QString> chosen = dialog.showSave();
    if (chosen)
        writeSettings(*chosen);
}

void DocumentCommands::loadSettingsAlone()
{
    // The dialog keeps the filter and flags of its last use.
    const std::optional<QString> chosen = m_window.controls().commonDialog->showOpen();
    if (chosen)
        applySettingsFile(*chosen);
}

void DocumentCommands::dropPicture(const QString& path)
{
    const QImage picture = readPictureFile(path, m_window.controls().canvas->interiorSize());
    if (picture.isNull()) {
        reportUnopened(m_window.seam(), &m_window, path);
        return;
    }
    if (!maybeSave())
        return;
    showPicture(picture, path);
    m_window.history().startAfresh(false);
    applyCompanionSettings(path);
}

void DocumentCommands::showPicture(const QImage& picture, const QString& path)
{
    MainControls& c = m_window.controls();
    c.canvases->setPicture(picture);
    describeCanvas(*c.canvas, CanvasContent::Opened, path);
    setDocument(path);
    c.cmdBkColor->setEnabled(false);
}

void DocumentCommands::applyCompanionSettings(const QString& picturePath)
{
    const std::optional<std::string> settingsPath = companionSettingsName(picturePath.toStdString());
    if (!settingsPath || !readSettingsFile(m_window.controls(), QString::fromStdString(*settingsPath)))
        return;
    // The scroll bars showed the preview while the settings went in; the picture is what counts now.
    m_window.settingsPanel().hidePreview(true);
}

void DocumentCommands::applySettingsFile(const QString& path)
{
    if (!readSettingsFile(m_window.controls(), path)) {
        reportUnopened(m_window.seam(), &m_window, path);
        return;
    }
    m_window.settingsPanel().refreshFixedCircle(true);
}

bool DocumentCommands::writePicture(const QString& path)
{
    if (kururie::writePicture(m_window.controls().canvas->image(), path))
        return true;
    reportUnsaved(m_window.seam(), &m_window, path);
    return false;
}

bool DocumentCommands::writeCompanionSettings(const QString& picturePath)
{
    // A picture without an extension, or one named like a settings file, gets no settings file.
    const std::optional<std::string> settingsPath = companionSettingsName(picturePath.toStdString());
    if (!settingsPath)
        return true;
    const QString path = QString::fromStdString(*settingsPath);
    // A note or any other file of that name is the user's own, and is only replaced if they say so.
    if (QFileInfo(path).isFile() && !isSettingsFile(path)
        && !askYesNo(m_window.seam(), &m_window,
                     QStringLiteral("「%1」は設定ファイルではありません。\n設定で置き換えますか?").arg(path),
                     QStringLiteral("確認"), Answer::No))
        return true;
    return writeSettings(path);
}

bool DocumentCommands::writeSettings(const QString& path)
{
    if (writeSettingsFile(m_window.controls(), path))
        return true;
    reportUnsaved(m_window.seam(), &m_window, path);
    return false;
}

} // namespace kururie

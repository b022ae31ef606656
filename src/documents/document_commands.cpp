#include "document_commands.h"

#include "controls/canvas.h"
#include "controls/common_dialog.h"
#include "controls/messages.h"
#include "picture_files.h"
#include "settings_io.h"
#include "window/accessible_names.h"
#include "window/main_window.h"
#include "window/picture_clearing.h"
#include "window/settings_panel.h"

#include <QAction>
#include <QPushButton>

namespace kururie {

namespace {

const QString kOpenFilter = QStringLiteral(
    "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|JPEG形式(*.jpg,*jpeg)|*.jpg|GIF形式(*.gif)|*.gif|すべてのﾌｧｲﾙ(*.*)|*.*");
const QString kSaveAsFilter = QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|すべてのﾌｧｲﾙ(*.*)|*.*");
const QString kSettingsFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべてのﾌｧｲﾙ(*.*)|*.*");

QString documentTitle(const QString& path)
{
    return QStringLiteral("くるりえ-- ") + path;
}

void prepareFileDialog(CommonDialog& dialog, unsigned flags, const QString& filter)
{
    dialog.setFlags(flags);
    dialog.setFilter(filter);
    dialog.setFilterIndex(1);
}

} // namespace

DocumentCommands::DocumentCommands(MainWindow& window) : QObject(&window), m_window(window)
{
    // Kept up to date at once, not only as the menu opens, so that Ctrl+S works exactly when the
    // menu item would be enabled.
    connect(window.controls().cdlFile, &CommonDialog::fileNameChanged, this, &DocumentCommands::updateSaveEnabled);
    updateSaveEnabled();
}

void DocumentCommands::updateSaveEnabled()
{
    // A name ending in "txt" is a settings file chosen with the settings-only buttons, not a picture.
    const QString& name = m_window.controls().cdlFile->fileName();
    m_window.controls().mnuFileSave->setEnabled(!name.isEmpty() && !name.endsWith(QLatin1String("txt")));
}

bool DocumentCommands::open()
{
    CommonDialog& dialog = *m_window.controls().cdlFile;
    prepareFileDialog(dialog, CommonDialog::kHideReadOnly | CommonDialog::kFileMustExist, kOpenFilter);
    const QString previous = dialog.fileName();
    const std::optional<QString> chosen = dialog.showOpen();
    if (!chosen)
        return false;
    // The file was not opened, so a later Save must not write over it.
    dialog.setFileName(previous);
    return openFile(*chosen);
}

bool DocumentCommands::openFile(const QString& path)
{
    const QImage picture = readPictureFile(path, m_window.controls().picDraw->interiorSize());
    if (picture.isNull()) {
        reportUnopened(path);
        return false;
    }
    m_window.controls().cdlFile->setFileName(path);
    showPicture(picture, path);
    m_window.setPictureChanged(false);
    applyCompanionSettings(path);
    return true;
}

bool DocumentCommands::save()
{
    const MainControls& c = m_window.controls();
    const QString name = c.cdlFile->fileName();
    // Only a picture the canvas could have written is written over: an opened photo, a PNG or a
    // bitmap of another size would lose what the canvas does not show, and its format.
    if (name.isEmpty() || !isBitmapOfSize(name, c.picDraw->interiorSize()))
        return saveAs();
    if (!writePicture(name))
        return false;
    return writeCompanionSettings(name);
}

bool DocumentCommands::saveAs()
{
    CommonDialog& dialog = *m_window.controls().cdlFile;
    prepareFileDialog(dialog, CommonDialog::kOverwritePrompt | CommonDialog::kHideReadOnly, kSaveAsFilter);
    const QString previous = dialog.fileName();
    const std::optional<QString> chosen = dialog.showSave();
    if (!chosen)
        return false;
    if (!writePicture(*chosen)) {
        // Nothing was saved under the chosen name, so it does not become the document's name.
        dialog.setFileName(previous);
        return false;
    }
    m_window.setWindowTitle(documentTitle(*chosen));
    return writeCompanionSettings(*chosen);
}

void DocumentCommands::newPicture()
{
    CommonDialog& dialog = *m_window.controls().cdlFile;
    const QString previous = dialog.fileName();
    // Cleared before the question, so that saving from here always asks for a name.
    dialog.setFileName(QString());
    if (!maybeSave()) {
        // Only the clearing above is undone: a Save As that wrote the picture has named the document
        // and titled the window after it, even when its settings file then failed.
        if (dialog.fileName().isEmpty())
            dialog.setFileName(previous);
        return;
    }
    // The new picture has no name, whatever name the picture it replaces was just saved under.
    dialog.setFileName(QString());
    m_window.pictureClearing().clearPicture();
}

void DocumentCommands::exit()
{
    // Closing stops a running trace first and then offers to save, as the close box does.
    m_window.close();
}

bool DocumentCommands::maybeSave()
{
    if (!m_window.pictureChanged())
        return true;
    switch (askYesNoOrAbandon(m_window.seam(), &m_window, QStringLiteral("編集を保存しますか?"), QStringLiteral("確認"))) {
    case Answer::Yes:
        return save();
    case Answer::No:
        return true;
    case Answer::Abandoned:
        break;
    }
    return false;
}

void DocumentCommands::command1Click()
{
    CommonDialog& dialog = *m_window.controls().cdlFile;
    prepareFileDialog(dialog, CommonDialog::kHideReadOnly | CommonDialog::kFileMustExist, kSettingsFilter);
    const std::optional<QString> chosen = dialog.showSave();
    if (chosen)
        writeSettings(*chosen);
}

void DocumentCommands::command2Click()
{
    // The dialog keeps the filter and flags of its last use.
    const std::optional<QString> chosen = m_window.controls().cdlFile->showOpen();
    if (chosen)
        applySettingsFile(*chosen);
}

void DocumentCommands::dropPicture(const QString& path)
{
    const QImage picture = readPictureFile(path, m_window.controls().picDraw->interiorSize());
    if (picture.isNull()) {
        reportUnopened(path);
        return;
    }
    showPicture(picture, path);
    applyCompanionSettings(path);
}

void DocumentCommands::showPicture(const QImage& picture, const QString& path)
{
    MainControls& c = m_window.controls();
    c.picDraw->setPicture(picture);
    c.picDrawBk->setPicture(picture);
    describeCanvas(*c.picDraw, CanvasContent::Opened, path);
    m_window.setWindowTitle(documentTitle(path));
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
        reportUnopened(path);
        return;
    }
    m_window.settingsPanel().RefreshFixCircle(true);
    m_window.controls().CmdCirClear->setText(QStringLiteral("ﾍﾟﾝを消す"));
}

bool DocumentCommands::writePicture(const QString& path)
{
    if (writeBitmap(m_window.controls().picDraw->image(), path))
        return true;
    reportUnsaved(path);
    return false;
}

bool DocumentCommands::writeCompanionSettings(const QString& picturePath)
{
    // A picture without an extension, or one named like a settings file, gets no settings file.
    const std::optional<std::string> settingsPath = companionSettingsName(picturePath.toStdString());
    return !settingsPath || writeSettings(QString::fromStdString(*settingsPath));
}

bool DocumentCommands::writeSettings(const QString& path)
{
    if (writeSettingsFile(m_window.controls(), path))
        return true;
    reportUnsaved(path);
    return false;
}

void DocumentCommands::reportUnsaved(const QString& path)
{
    showExclamation(m_window.seam(), &m_window, QStringLiteral("ファイル「%1」を保存できませんでした。").arg(path));
}

void DocumentCommands::reportUnopened(const QString& path)
{
    showExclamation(m_window.seam(), &m_window, QStringLiteral("ファイル「%1」を開けませんでした。").arg(path));
}

} // namespace kururie

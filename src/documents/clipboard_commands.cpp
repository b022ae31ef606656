#include "clipboard_commands.h"

#include "picture_files.h"
#include "window/canvas.h"
#include "window/main_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>

namespace kururie {

ClipboardCommands::ClipboardCommands(MainWindow& window) : QObject(&window), m_window(window)
{
}

void ClipboardCommands::editMenuOpened()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    m_window.controls().mnuPaste->setEnabled(data && data->hasImage());
}

void ClipboardCommands::copy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(m_window.controls().picDraw->image());
}

void ClipboardCommands::paste()
{
    MainControls& c = m_window.controls();
    limitPictureDecoding();
    // Only the part the canvas shows is kept, so that a photo's rest is freed at once.
    const QImage picture = shownPart(QGuiApplication::clipboard()->image(), c.picDraw->interiorSize());
    // Ctrl+V may come after the clipboard lost its picture; then nothing changes.
    if (picture.isNull())
        return;
    c.picDraw->setPicture(picture);
    c.picDrawBk->setPicture(picture);
    c.cmdBkColor->setEnabled(false);
}

} // namespace kururie

#include "clipboard_commands.h"

#include "controls/canvas.h"
#include "controls/messages.h"
#include "picture_files.h"
#include "window/accessible_names.h"
#include "window/main_window.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>

#include <algorithm>

namespace kururie {

namespace {

const QString kQtImage = QStringLiteral("application/x-qt-image");

bool isPictureFormat(const QString& format)
{
    return format.startsWith(QLatin1String("image/")) || format == kQtImage;
}

// Another program's picture arrives as file data (PNG first, the format most programs offer), which
// the program's own decoder reads only as far as the canvas shows; a picture this program copied
// is an image already.
QImage clipboardPicture(const QMimeData& data, QSize shown)
{
    QStringList formats = data.formats();
    std::stable_partition(formats.begin(), formats.end(),
                          [](const QString& format) { return format == QLatin1String("image/png"); });
    for (const QString& format : formats) {
        if (!format.startsWith(QLatin1String("image/")))
            continue;
        QByteArray bytes = data.data(format);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QImage picture = readPicture(buffer, shown);
        if (!picture.isNull())
            return picture;
    }
    if (!data.hasFormat(kQtImage))
        return QImage();
    limitPictureDecoding();
    return shownPart(qvariant_cast<QImage>(data.imageData()), shown);
}

} // namespace

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
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // Only the part the canvas shows is kept, so that a photo's rest is freed at once.
    const QImage picture = data ? clipboardPicture(*data, c.picDraw->interiorSize()) : QImage();
    // Ctrl+V may come after the clipboard lost its picture, or it may hold one that cannot be
    // decoded; then nothing changes.
    if (picture.isNull()) {
        showExclamation(m_window.seam(), &m_window, QStringLiteral("クリップボードの絵を貼り付けられませんでした。"));
        return;
    }
    c.picDraw->setPicture(picture);
    c.picDrawBk->setPicture(picture);
    describeCanvas(*c.picDraw, CanvasContent::Pasted);
    c.cmdBkColor->setEnabled(false);
}

void ClipboardCommands::canvasClicked()
{
    // The persistent picture, not the current image: segments since the last exit of a run are left out.
    const QImage& picture = m_window.controls().picDraw->picture();
    if (picture.isNull())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* kept = new QMimeData;
    if (const QMimeData* current = clipboard->mimeData()) {
        for (const QString& format : current->formats()) {
            // Names without a slash are the window system's own bookkeeping, not data.
            if (format.contains(QLatin1Char('/')) && !isPictureFormat(format))
                kept->setData(format, current->data(format));
        }
    }
    kept->setImageData(picture);
    clipboard->setMimeData(kept);
}

} // namespace kururie

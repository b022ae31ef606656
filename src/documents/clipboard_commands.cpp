#include "documents/clipboard_commands.h"

#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/messages.h"
#include "documents/drawing_export.h"
#include "documents/picture_files.h"
#include "window/accessible_names.h"
#include "window/main_window.h"
#include "window/picture_history.h"
#include "window/run_control.h"

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

// Another program's picture arrives as file data, which the program's own decoder reads only as
// far as the canvas shows, and only in the formats it promises: these, PNG first, the format most
// programs offer.
QStringList readableFormats(const QMimeData& data)
{
    QStringList readable;
    for (const char* format : {"image/png", "image/bmp", "image/x-bmp", "image/jpeg", "image/gif"}) {
        if (data.hasFormat(QLatin1String(format)))
            readable << QLatin1String(format);
    }
    return readable;
}

// A picture put there as an image, by this program or by a test. Qt offers another program's file
// data as an image too, decoded by whatever decoder a desktop has installed; that offer is never
// taken.
bool offersImageAlone(const QMimeData& data)
{
    const QStringList formats = data.formats();
    return formats.contains(kQtImage)
           && std::none_of(formats.begin(), formats.end(),
                           [](const QString& format) { return format.startsWith(QLatin1String("image/")); });
}

QImage clipboardPicture(const QMimeData& data, QSize shown)
{
    for (const QString& format : readableFormats(data)) {
        QByteArray bytes = data.data(format);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QImage picture = readPicture(buffer, shown);
        if (!picture.isNull())
            return picture;
    }
    if (!offersImageAlone(data))
        return QImage();
    limitPictureDecoding();
    return shownPart(qvariant_cast<QImage>(data.imageData()), shown);
}

} // namespace

// The picture as PNG and BMP file data, which every program reads and this one pastes back through
// its own decoder; and as SVG drawn from the strokes when they are what the picture shows: always
// but while a run draws, which has drawn more strokes than the picture holds. Not as an image:
// Qt's Wayland clipboard would then answer every image type, SVG too, with the image as BMP.
void ClipboardCommands::putPicture(QMimeData& data, const QImage& picture)
{
    for (const char* format : {"png", "bmp"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (picture.save(&buffer, format))
            data.setData(QStringLiteral("image/") + QLatin1String(format), bytes);
    }
    if (m_window.runControl().isTracing())
        return;
    if (const std::optional<QByteArray> svg = drawingSvg(drawingOf(*m_window.controls().backingCanvas)))
        data.setData(QStringLiteral("image/svg+xml"), *svg);
}

ClipboardCommands::ClipboardCommands(MainWindow& window) : QObject(&window), m_window(window)
{
}

void ClipboardCommands::editMenuOpened()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    m_window.controls().mnuPaste->setEnabled(data && (!readableFormats(*data).isEmpty() || offersImageAlone(*data)));
}

void ClipboardCommands::copy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    auto* data = new QMimeData;
    putPicture(*data, m_window.controls().canvas->image());
    clipboard->setMimeData(data);
}

void ClipboardCommands::paste()
{
    MainControls& c = m_window.controls();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // Only the part the canvas shows is kept, so that a photo's rest is freed at once.
    const QImage picture = data ? clipboardPicture(*data, c.canvas->interiorSize()) : QImage();
    // Ctrl+V may come after the clipboard lost its picture, or it may hold one that cannot be
    // decoded; then nothing changes.
    if (picture.isNull()) {
        showExclamation(m_window.seam(), &m_window, QStringLiteral("クリップボードの絵を貼り付けられませんでした。"));
        return;
    }
    c.canvases->setPicture(picture);
    describeCanvas(*c.canvas, CanvasContent::Pasted);
    c.cmdBkColor->setEnabled(false);
    m_window.history().record(QStringLiteral("貼り付け"));
}

void ClipboardCommands::canvasClicked()
{
    // The persistent picture, not the current image: segments since the last exit of a run are left out.
    const QImage& picture = m_window.controls().canvas->picture();
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
    putPicture(*kept, picture);
    clipboard->setMimeData(kept);
}

} // namespace kururie

#include "controls/file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace kururie {

namespace {

// The first file of a list of local files; empty for any other data, a list with a remote entry
// included.
QString firstLocalFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            return {};
    }
    return urls.isEmpty() ? QString() : urls.first().toLocalFile();
}

} // namespace

FileDrops::FileDrops(QObject* parent) : QObject(parent)
{
}

void FileDrops::watch(QWidget* target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = firstLocalFile(drop->mimeData());
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            emit fileDropped(static_cast<QWidget*>(watched), path);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace kururie

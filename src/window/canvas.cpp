#include "canvas.h"

#include "packed_colour.h"
#include "preview_element.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace kururie {

namespace {

// Only a list of local files is a drop the canvas takes.
QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

Canvas::Canvas(const QString& name, int borderWidth, QWidget* parent)
    : QWidget(parent), m_border(borderWidth)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setInteriorSize(QSize(1, 1));
}

void Canvas::setInteriorSize(QSize size)
{
    setFixedSize(size + QSize(2 * m_border, 2 * m_border));
    m_image = QImage(size, QImage::Format_RGB32);
    recompose();
}

void Canvas::setBackColor(std::uint32_t packed)
{
    m_backColor = packed;
    recompose();
}

void Canvas::setPicture(const QImage& picture)
{
    m_picture = picture;
    recompose();
    emit pictureChanged();
}

void Canvas::recompose()
{
    m_image.fill(fromPacked(m_backColor));
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, m_picture);
    }
    m_screen = m_image;
    update();
}

void Canvas::drawSegment(const Segment& segment, std::uint32_t colour)
{
    const QLineF line(segment.x1, segment.y1, segment.x2, segment.y2);
    const QPen pen(fromPacked(colour), m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto paintOn = [&](QImage& target) {
        QPainter painter(&target);
        painter.setPen(pen);
        painter.drawLine(line);
    };
    if (m_persistentDrawing) {
        paintOn(m_image);
        m_screen = m_image;
    } else {
        paintOn(m_screen);
    }
    const double reach = m_penWidth / 2.0 + 1;
    const QRectF area = QRectF(line.p1(), line.p2()).normalized().adjusted(-reach, -reach, reach, reach);
    update(toWidget(area));
}

void Canvas::addOverlay(PreviewElement* element)
{
    m_overlays.push_back(element);
}

void Canvas::overlayChanged(const QRectF& oldArea, const QRectF& newArea)
{
    update(toWidget(oldArea).united(toWidget(newArea)));
}

QRect Canvas::toWidget(const QRectF& interiorArea) const
{
    return interiorArea.translated(m_border, m_border).toAlignedRect().adjusted(-2, -2, 2, 2);
}

void Canvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QRect interior(m_border, m_border, m_image.width(), m_image.height());
    const QRect shown = dirty.intersected(interior);
    if (!shown.isEmpty())
        painter.drawImage(shown.topLeft(), m_screen, shown.translated(-m_border, -m_border));
    if (m_border > 0) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setClipRect(interior);
    painter.translate(m_border, m_border);
    for (const PreviewElement* element : m_overlays) {
        if (element->isVisible() && toWidget(element->area()).intersects(dirty))
            element->paint(painter);
    }
}

void Canvas::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void Canvas::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void Canvas::dragEnterEvent(QDragEnterEvent* event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Canvas::dragMoveEvent(QDragMoveEvent* event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Canvas::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(paths);
}

} // namespace kururie

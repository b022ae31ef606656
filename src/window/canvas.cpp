#include "canvas.h"

#include "packed_colour.h"
#include "preview_element.h"

#include <QAccessible>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <chrono>

namespace kururie {

namespace {

// Fast enough to look continuous, slow enough that one repaint covers many segments.
constexpr std::chrono::milliseconds kRepaintInterval{8};

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

QPainter& openOn(QPainter& painter, QImage& image)
{
    if (!painter.isActive())
        painter.begin(&image);
    return painter;
}

} // namespace

Canvas::Canvas(const QString& name, int borderWidth, QWidget* parent)
    : QWidget(parent), m_border(borderWidth), m_pen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setInterval(kRepaintInterval);
    connect(&m_repaintTimer, &QTimer::timeout, this, &Canvas::repaintDrawn);
    setInteriorSize(QSize(1, 1));
}

void Canvas::setInteriorSize(QSize size)
{
    setFixedSize(size + QSize(2 * m_border, 2 * m_border));
    endPainting();
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

QImage Canvas::image() const
{
    endPainting();
    return m_image;
}

QImage Canvas::screenImage() const
{
    endPainting();
    return m_screenHasOwnDrawing ? m_screen : m_image;
}

void Canvas::endPainting() const
{
    if (m_imagePainter.isActive())
        m_imagePainter.end();
    if (m_screenPainter.isActive())
        m_screenPainter.end();
}

void Canvas::recompose()
{
    endPainting();
    m_image.fill(fromPacked(m_backColor));
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, m_picture);
    }
    m_screen = QImage();
    m_screenHasOwnDrawing = false;
    m_repaintTimer.stop();
    m_drawnArea = QRect();
    update();
}

void Canvas::drawSegment(const Segment& segment, std::uint32_t colour)
{
    const QLineF line(segment.x1, segment.y1, segment.x2, segment.y2);
    m_pen.setColor(fromPacked(colour));
    m_pen.setWidth(m_penWidth);
    QPainter& painter = layerPainter();
    painter.setPen(m_pen);
    painter.drawLine(line);
    const double reach = m_penWidth / 2.0 + 1;
    const QRectF area = QRectF(line.p1(), line.p2()).normalized().adjusted(-reach, -reach, reach, reach);
    scheduleRepaint(toWidget(area));
}

QPainter& Canvas::layerPainter()
{
    if (m_persistentDrawing) {
        m_screenHasOwnDrawing = false;
        return openOn(m_imagePainter, m_image);
    }
    if (!m_screenHasOwnDrawing) {
        endPainting();
        m_screen = m_image;
        m_screenHasOwnDrawing = true;
    }
    return openOn(m_screenPainter, m_screen);
}

void Canvas::scheduleRepaint(const QRect& area)
{
    if (!isVisible())
        return;
    m_drawnArea |= area;
    if (!m_repaintTimer.isActive())
        m_repaintTimer.start();
}

void Canvas::repaintDrawn()
{
    update(m_drawnArea);
    m_drawnArea = QRect();
}

void Canvas::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    QAccessible::State changed;
    changed.busy = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
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
        painter.drawImage(shown.topLeft(), m_screenHasOwnDrawing ? m_screen : m_image,
                          shown.translated(-m_border, -m_border));
    if (m_border > 0) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setClipRect(interior);
    painter.translate(m_border, m_border);
    // The first element added lies on top, so it is painted last.
    for (auto it = m_overlays.rbegin(); it != m_overlays.rend(); ++it) {
        if ((*it)->isVisible() && toWidget((*it)->area()).intersects(dirty))
            (*it)->paint(painter);
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

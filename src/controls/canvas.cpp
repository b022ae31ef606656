#include "controls/canvas.h"

#include "controls/canvas_frame.h"
#include "controls/packed_colour.h"
#include "controls/preview_element.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <chrono>

namespace kururie {

namespace {

// Fast enough to look continuous, slow enough that one repaint covers many segments.
constexpr std::chrono::milliseconds kRepaintInterval{8};

} // namespace

Canvas::Canvas(const QString& name, int borderWidth, QWidget* parent) : QWidget(parent), m_border(borderWidth)
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
    m_size = size;
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
    m_strokes = StrokeRecord();
    const QImage image = composed(picture);
    // A picture that is, pixel for pixel, what this canvas has drawn (the backing canvas's copy
    // at the end of a run) is already shown, and more finely than its own pixels would show it.
    const bool drawnHere = !m_view.isNull() && image == m_document.shown();
    m_document.reset(image);
    if (drawnHere)
        m_view.keepShown();
    else
        m_view.clear();
    m_repaintTimer.stop();
    m_drawnArea = QRect();
    update();
    emit pictureChanged();
}

QImage Canvas::image() const
{
    return m_document.persistent();
}

QImage Canvas::screenImage() const
{
    return m_document.shown();
}

QImage Canvas::composed(const QImage& picture) const
{
    // A picture that covers the canvas in opaque pixels is the image itself, its buffer shared:
    // the backing canvas's image at the end of a run, handed to the visible canvas, is one buffer.
    if (picture.size() == m_size && picture.format() == QImage::Format_RGB32)
        return picture;
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(fromPacked(m_backColor));
    if (!picture.isNull()) {
        QPainter painter(&image);
        painter.drawImage(0, 0, picture);
    }
    return image;
}

void Canvas::recompose()
{
    m_strokes = StrokeRecord();
    startFrom(composed(m_picture));
}

void Canvas::startFrom(const QImage& persistent)
{
    m_document.reset(persistent);
    m_view.clear();
    m_repaintTimer.stop();
    m_drawnArea = QRect();
    update();
}

CanvasContents Canvas::contents() const
{
    return {m_backColor, m_picture, m_document.persistent(), m_strokes};
}

void Canvas::restore(const CanvasContents& contents)
{
    m_backColor = contents.backColor;
    m_picture = contents.picture;
    m_strokes = contents.strokes;
    startFrom(contents.image);
    emit pictureChanged();
}

// The view starts from the picture's pixels, each shown as a block of the screen's; what is
// drawn from then on is drawn at the screen's resolution.
void Canvas::showAt(qreal ratio)
{
    if (ratio == 1) {
        m_view.clear();
        return;
    }
    if (!m_view.isNull() && m_view.ratio() == ratio)
        return;
    const auto atRatio = [this, ratio](const QImage& image) {
        QImage view(QSize(qRound(m_size.width() * ratio), qRound(m_size.height() * ratio)), QImage::Format_RGB32);
        view.setDevicePixelRatio(ratio);
        QPainter painter(&view);
        painter.drawImage(0, 0, image);
        return view;
    };
    m_view.reset(atRatio(m_document.persistent()),
                 m_document.screenHasOwnDrawing() ? atRatio(m_document.shown()) : QImage());
}

void Canvas::drawSegment(const Segment& segment, std::uint32_t colour)
{
    const QLineF line(segment.x1, segment.y1, segment.x2, segment.y2);
    const QColor pen = fromPacked(colour);
    if (m_keepsStrokes)
        m_strokes.append(segment, colour, m_penWidth);
    m_document.draw(line, pen, m_penWidth, m_persistentDrawing);
    if (!m_view.isNull())
        m_view.draw(line, pen, m_penWidth, m_persistentDrawing);
    const double reach = m_penWidth / 2.0 + 1;
    const QRectF area = QRectF(line.p1(), line.p2()).normalized().adjusted(-reach, -reach, reach, reach);
    scheduleRepaint(toWidget(area));
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

// Painted in device pixels, so that the frame and the picture land on whole ones at any scale.
void Canvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QTransform toDevice = painter.deviceTransform();
    const CanvasFrame frame(toDevice, size(), m_size, m_border);
    showAt(frame.ratio);
    painter.setWorldTransform(toDevice.inverted());

    const QRect dirty = toDevice.mapRect(QRectF(event->rect())).toAlignedRect();
    const QRect shown = dirty.intersected(frame.interior);
    if (!shown.isEmpty())
        painter.drawImage(shown, m_view.isNull() ? m_document.shown() : m_view.shown(),
                          shown.translated(-frame.interior.topLeft()));
    if (m_border > 0) {
        const QRect framed = frame.framed();
        const QColor line = palette().color(QPalette::Dark);
        painter.fillRect(QRect(framed.topLeft(), QSize(framed.width(), frame.thickness)), line);
        painter.fillRect(
            QRect(framed.left(), framed.bottom() - frame.thickness + 1, framed.width(), frame.thickness), line);
        painter.fillRect(QRect(framed.left(), frame.interior.top(), frame.thickness, frame.interior.height()), line);
        painter.fillRect(
            QRect(frame.interior.right() + 1, frame.interior.top(), frame.thickness, frame.interior.height()), line);
        // The device pixels a fractional scale leaves between the frame and the widget's edge.
        const QColor window = palette().color(QPalette::Window);
        painter.fillRect(
            QRect(framed.right() + 1, frame.owned.top(), frame.owned.right() - framed.right(), frame.owned.height()),
            window);
        painter.fillRect(
            QRect(frame.owned.left(), framed.bottom() + 1, framed.width(), frame.owned.bottom() - framed.bottom()),
            window);
    }

    painter.setClipRect(frame.interior);
    painter.setWorldTransform(frame.interiorToDevice() * toDevice.inverted());
    // The first element added lies on top, so it is painted last.
    for (auto it = m_overlays.rbegin(); it != m_overlays.rend(); ++it) {
        if ((*it)->isVisible() && toWidget((*it)->area()).intersects(event->rect()))
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

} // namespace kururie

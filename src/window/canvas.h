#pragma once

#include "tracer.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace kururie {

class PreviewElement;

// A drawing surface with a background colour, an assigned picture and a persistent image of
// everything drawn while persistent drawing is on. With it off, segments reach the screen layer
// only, until the picture or background is next replaced.
class Canvas : public QWidget {
    Q_OBJECT

public:
    Canvas(const QString& name, int borderWidth, QWidget* parent);

    void setInteriorSize(QSize size);
    QSize interiorSize() const { return m_image.size(); }
    double scaleWidth() const { return m_image.width(); }
    double scaleHeight() const { return m_image.height(); }

    std::uint32_t backColor() const { return m_backColor; }
    void setBackColor(std::uint32_t packed);

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);

    // Snapshot of the persistent image: background, picture and persistent drawing.
    QImage image() const;
    // What the screen shows: the persistent image plus segments drawn with persistence off.
    QImage screenImage() const;

    bool persistentDrawing() const { return m_persistentDrawing; }
    void setPersistentDrawing(bool on) { m_persistentDrawing = on; }

    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width) { m_penWidth = width; }

    void drawSegment(const Segment& segment, std::uint32_t colour);

    // Busy while a run draws on the canvas, for screen readers.
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy);

    // Elements drawn over the picture; each one added lies underneath those added before it.
    void addOverlay(PreviewElement* element);
    void overlayChanged(const QRectF& oldArea, const QRectF& newArea);
    QPoint interiorOrigin() const { return {m_border, m_border}; }

signals:
    // Raised on every replacement of the picture.
    void pictureChanged();
    void clicked();
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void recompose();
    QPainter& layerPainter();
    void scheduleRepaint(const QRect& area);
    void repaintDrawn();
    void endPainting() const;
    QRect toWidget(const QRectF& interiorArea) const;

    int m_border;
    std::uint32_t m_backColor = 0xFFFFFF;
    QImage m_picture;
    QImage m_image;
    QImage m_screen;
    // Until a segment is drawn with persistence off, the screen shows the persistent image itself.
    bool m_screenHasOwnDrawing = false;
    // Kept open between segments, since opening a painter costs more than drawing a short line.
    // Ended before an image is handed out or replaced, so that a copy shares a finished buffer
    // and no painter is left on a discarded one.
    mutable QPainter m_imagePainter;
    mutable QPainter m_screenPainter;
    QPen m_pen;
    // Drawn segments are shown together a few milliseconds later, so that the event passes of a
    // run do not repaint the canvas after every step.
    QRect m_drawnArea;
    QTimer m_repaintTimer;
    bool m_persistentDrawing = true;
    int m_penWidth = 1;
    bool m_pressed = false;
    bool m_busy = false;
    std::vector<PreviewElement*> m_overlays;
};

} // namespace kururie

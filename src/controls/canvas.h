#pragma once

#include "controls/canvas_layers.h"
#include "engine/segment.h"
#include "engine/stroke_record.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace kururie {

class PreviewElement;

// All that a canvas's persistent image is made of, as one value that is cheap to copy: the images
// and the strokes are shared until changed.
struct CanvasContents {
    std::uint32_t backColor;
    QImage picture;
    QImage image;
    StrokeRecord strokes;
};

// A drawing surface with a background colour, an assigned picture and a persistent image of
// everything drawn while persistent drawing is on. With it off, segments reach the screen layer
// only, until the picture or background is next replaced.
//
// The picture is kept in its own pixels, one to a unit of the drawing coordinates, whatever the
// screen. A screen with finer pixels shows a view of it at its own resolution, into which every
// segment is drawn again, smoothly.
class Canvas : public QWidget {
    Q_OBJECT

public:
    Canvas(const QString& name, int borderWidth, QWidget* parent);

    void setInteriorSize(QSize size);
    QSize interiorSize() const { return m_size; }
    double scaleWidth() const { return m_size.width(); }
    double scaleHeight() const { return m_size.height(); }

    std::uint32_t backColor() const { return m_backColor; }
    void setBackColor(std::uint32_t packed);

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);

    // Snapshot of the persistent image: background, picture and persistent drawing.
    QImage image() const;
    // What the screen shows, in the picture's pixels: the persistent image plus segments drawn
    // with persistence off.
    QImage screenImage() const;

    bool persistentDrawing() const { return m_persistentDrawing; }
    void setPersistentDrawing(bool on) { m_persistentDrawing = on; }

    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width) { m_penWidth = width; }

    void drawSegment(const Segment& segment, std::uint32_t colour);

    // From now on the canvas keeps every segment drawn since the background or the picture was
    // last set, so that its image can be drawn again at any size. For a canvas that draws into
    // its persistent image only, as the backing canvas does.
    void keepStrokes() { m_keepsStrokes = true; }
    const StrokeRecord& strokes() const { return m_strokes; }

    CanvasContents contents() const;
    // Replaces the picture, so raises pictureChanged.
    void restore(const CanvasContents& contents);

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage composed(const QImage& picture) const;
    void recompose();
    void startFrom(const QImage& persistent);
    void showAt(qreal ratio);
    void scheduleRepaint(const QRect& area);
    void repaintDrawn();
    QRect toWidget(const QRectF& interiorArea) const;

    int m_border;
    QSize m_size;
    std::uint32_t m_backColor = 0xFFFFFF;
    QImage m_picture;
    CanvasLayers m_document{false};
    // Null while the canvas is shown at the picture's own resolution, or not shown at all.
    CanvasLayers m_view{true};
    // Drawn segments are shown together a few milliseconds later, so that the event passes of a
    // run do not repaint the canvas after every step.
    QRect m_drawnArea;
    QTimer m_repaintTimer;
    bool m_persistentDrawing = true;
    bool m_keepsStrokes = false;
    StrokeRecord m_strokes;
    int m_penWidth = 1;
    bool m_pressed = false;
    bool m_busy = false;
    std::vector<PreviewElement*> m_overlays;
};

} // namespace kururie

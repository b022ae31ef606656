#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace kururie {

// A canvas's persistent image and its screen layer at one resolution. Segments drawn with
// persistence off go to the screen layer only, which starts as a copy of the persistent image;
// one drawn with persistence on drops the screen layer's own segments.
class CanvasLayers {
public:
    // Smooth layers antialias their segments, for screens whose pixels are finer than the picture's.
    explicit CanvasLayers(bool smooth);

    bool isNull() const { return m_persistent.isNull(); }
    qreal ratio() const { return m_persistent.devicePixelRatio(); }

    // Starts again from a persistent image and, if it is not null, a screen layer of its own.
    void reset(const QImage& persistent, const QImage& screen = QImage());
    void clear() { reset(QImage()); }
    // The screen layer becomes the persistent image.
    void keepShown();

    void draw(const QLineF& line, const QColor& colour, int width, bool persistent);

    const QImage& persistent() const;
    // The persistent image with the screen layer's segments, as the screen shows it.
    const QImage& shown() const;
    bool screenHasOwnDrawing() const { return m_screenHasOwnDrawing; }

private:
    void endPainting() const;

    QImage m_persistent;
    QImage m_screen;
    bool m_screenHasOwnDrawing = false;
    // Kept open between segments, since opening a painter costs more than drawing a short line.
    // Ended before an image is handed out or replaced, so that a copy shares a finished buffer
    // and no painter is left on a discarded one.
    mutable QPainter m_persistentPainter;
    mutable QPainter m_screenPainter;
    QPen m_pen;
    bool m_smooth;
};

} // namespace kururie

#include "controls/canvas_layers.h"

namespace kururie {

namespace {

QPainter& openOn(QPainter& painter, QImage& image, bool smooth)
{
    if (!painter.isActive()) {
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, smooth);
    }
    return painter;
}

} // namespace

// Round ends join the segments; antialiased, flat ends would leave a lighter seam at every joint.
CanvasLayers::CanvasLayers(bool smooth)
    : m_pen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin), m_smooth(smooth)
{
}

void CanvasLayers::reset(const QImage& persistent, const QImage& screen)
{
    endPainting();
    m_persistent = persistent;
    m_screen = screen;
    m_screenHasOwnDrawing = !screen.isNull();
}

void CanvasLayers::keepShown()
{
    if (m_screenHasOwnDrawing)
        reset(shown());
}

void CanvasLayers::draw(const QLineF& line, const QColor& colour, int width, bool persistent)
{
    m_pen.setColor(colour);
    m_pen.setWidth(width);
    QPainter* painter = nullptr;
    if (persistent) {
        m_screenHasOwnDrawing = false;
        painter = &openOn(m_persistentPainter, m_persistent, m_smooth);
    } else {
        if (!m_screenHasOwnDrawing) {
            endPainting();
            m_screen = m_persistent;
            m_screenHasOwnDrawing = true;
        }
        painter = &openOn(m_screenPainter, m_screen, m_smooth);
    }
    painter->setPen(m_pen);
    painter->drawLine(line);
}

const QImage& CanvasLayers::persistent() const
{
    endPainting();
    return m_persistent;
}

const QImage& CanvasLayers::shown() const
{
    endPainting();
    return m_screenHasOwnDrawing ? m_screen : m_persistent;
}

void CanvasLayers::endPainting() const
{
    if (m_persistentPainter.isActive())
        m_persistentPainter.end();
    if (m_screenPainter.isActive())
        m_screenPainter.end();
}

} // namespace kururie

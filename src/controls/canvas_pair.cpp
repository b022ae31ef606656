#include "controls/canvas_pair.h"

#include "controls/canvas.h"

namespace kururie {

CanvasPair::CanvasPair(Canvas& visible, Canvas& backing, QObject* parent)
    : QObject(parent), m_visible(visible), m_backing(backing)
{
}

void CanvasPair::setPicture(const QImage& picture)
{
    m_visible.setPicture(picture);
    m_backing.setPicture(picture);
}

void CanvasPair::setPenWidth(int width)
{
    m_visible.setPenWidth(width);
    m_backing.setPenWidth(width);
}

void CanvasPair::chooseBackground(std::uint32_t colour)
{
    m_background = colour;
    emit backgroundChosen(colour);
}

void CanvasPair::paintBackground()
{
    m_visible.setBackColor(m_background);
    m_backing.setBackColor(m_background);
}

} // namespace kururie

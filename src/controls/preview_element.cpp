#include "controls/preview_element.h"

#include "controls/canvas.h"

#include <QPainter>

namespace kururie {

PreviewElement::PreviewElement(const QString& name, Kind kind, Canvas* canvas)
    : QObject(canvas), m_canvas(canvas), m_kind(kind)
{
    setObjectName(name);
    canvas->addOverlay(this);
}

template <typename Change> void PreviewElement::change(Change&& apply)
{
    const QRectF before = m_visible ? area() : QRectF();
    apply();
    const QRectF after = m_visible ? area() : QRectF();
    if (before != after)
        m_canvas->overlayChanged(before, after);
}

void PreviewElement::setLeft(float left) { change([&] { m_left = left; }); }
void PreviewElement::setTop(float top) { change([&] { m_top = top; }); }
void PreviewElement::setWidth(float width) { change([&] { m_width = width; }); }
void PreviewElement::setHeight(float height) { change([&] { m_height = height; }); }
void PreviewElement::setVisible(bool visible) { change([&] { m_visible = visible; }); }

void PreviewElement::move(float left, float top)
{
    change([&] {
        m_left = left;
        m_top = top;
    });
}

void PreviewElement::setBorder(const QColor& colour, int width)
{
    change([&] {
        m_borderColour = colour;
        m_borderWidth = width;
    });
}

void PreviewElement::setFill(const QColor& colour)
{
    change([&] { m_fill = colour; });
}

void PreviewElement::setPicture(const QImage& picture)
{
    change([&] {
        m_picture = picture;
        m_width = float(picture.width());
        m_height = float(picture.height());
    });
}

QRectF PreviewElement::area() const
{
    return QRectF(m_left, m_top, m_width, m_height).adjusted(-m_borderWidth, -m_borderWidth, m_borderWidth,
                                                              m_borderWidth);
}

void PreviewElement::paint(QPainter& painter) const
{
    switch (m_kind) {
    case Kind::Picture:
        painter.drawImage(QPointF(m_left, m_top), m_picture);
        break;
    case Kind::Circle: {
        // The outline is a circle inscribed in the bounding box, its border drawn inside the box.
        const float diameter = std::min(m_width, m_height);
        const float inset = m_borderWidth / 2.0f;
        QRectF box(m_left + (m_width - diameter) / 2, m_top + (m_height - diameter) / 2, diameter, diameter);
        box.adjust(inset, inset, -inset, -inset);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_borderColour, m_borderWidth));
        painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
        painter.drawEllipse(box);
        painter.setRenderHint(QPainter::Antialiasing, false);
        break;
    }
    case Kind::Line:
        // The line lies from (left, top) to (left + width, top + height); at zero length it draws nothing.
        if (m_width != 0 || m_height != 0) {
            painter.setPen(QPen(m_borderColour, m_borderWidth));
            painter.drawLine(QPointF(m_left, m_top), QPointF(m_left + m_width, m_top + m_height));
        }
        break;
    }
}

} // namespace kururie

#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRectF>

namespace kururie {

class Canvas;

// A lightweight element drawn over a canvas (preview circle, pen marker, line). Its geometry is
// kept in fractional canvas units, as the settings panel computes it.
class PreviewElement : public QObject {
    Q_OBJECT

public:
    enum class Kind { Circle, Picture, Line };

    PreviewElement(const QString& name, Kind kind, Canvas* canvas);

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    bool isVisible() const { return m_visible; }

    void setLeft(float left);
    void setTop(float top);
    void setWidth(float width);
    void setHeight(float height);
    void move(float left, float top);
    void setVisible(bool visible);

    void setBorder(const QColor& colour, int width);
    void setFill(const QColor& colour);
    void setPicture(const QImage& picture);

    QRectF area() const;
    void paint(QPainter& painter) const;

private:
    template <typename Change> void change(Change&& apply);

    Canvas* m_canvas;
    Kind m_kind;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    bool m_visible = false;
    QColor m_borderColour;
    int m_borderWidth = 1;
    QColor m_fill;
    QImage m_picture;
};

} // namespace kururie

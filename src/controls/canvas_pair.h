#pragma once

#include <QObject>
#include <QImage>

#include <cstdint>

namespace kururie {

class Canvas;

// The visible canvas and its hidden backing twin, which always take the same pictures, background
// colours and pen widths; and the background colour chosen for them, which a settings file may set
// without repainting them, and which they take when it is chosen or when they are cleared.
class CanvasPair : public QObject {
    Q_OBJECT

public:
    CanvasPair(Canvas& visible, Canvas& backing, QObject* parent);

    Canvas& visible() const { return m_visible; }
    Canvas& backing() const { return m_backing; }

    // Both show the picture (none when null), the visible one first, so that its change
    // notification comes first.
    void setPicture(const QImage& picture);
    void setPenWidth(int width);

    std::uint32_t background() const { return m_background; }
    // The colour chosen, as a settings file records it; the canvases keep theirs.
    void chooseBackground(std::uint32_t colour);
    // Both take the chosen colour, which erases what is drawn on them.
    void paintBackground();

signals:
    void backgroundChosen(std::uint32_t colour);

private:
    Canvas& m_visible;
    Canvas& m_backing;
    std::uint32_t m_background = 0xFFFFFF;
};

} // namespace kururie

#include "controls/colour_swatch.h"

#include "controls/colour_words.h"
#include "controls/packed_colour.h"
#include "controls/palette_shades.h"

#include <QPainter>

namespace kururie {

ColourSwatch::ColourSwatch(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setReadOnly(true);
    setFrame(false);
}

// An edge of its own rather than the style's frame, which on a dark window is as dark as black.
void ColourSwatch::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(edgePen(*this));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::setBackColor(std::uint32_t packed)
{
    m_backColor = packed;
    QPalette shades = palette();
    // The swatch is disabled, so the disabled group must carry the colour too.
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        shades.setColor(group, QPalette::Base, fromPacked(packed));
    setPalette(shades);
    setAccessibleDescription(colourInWords(packed));
    emit backColorChanged(packed);
}

} // namespace kururie

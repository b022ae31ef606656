#include "colour_swatch.h"

#include "colour_words.h"
#include "packed_colour.h"

namespace kururie {

ColourSwatch::ColourSwatch(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setReadOnly(true);
    setFrame(true);
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

#pragma once

#include <QLineEdit>

#include <cstdint>

namespace kururie {

// A text box used only for its background colour: the pen-colour swatch and the background store.
class ColourSwatch : public QLineEdit {
    Q_OBJECT

public:
    ColourSwatch(const QString& name, QWidget* parent);

    std::uint32_t backColor() const { return m_backColor; }
    // Also describes the colour in words, for screen readers.
    void setBackColor(std::uint32_t packed);

signals:
    void backColorChanged(std::uint32_t packed);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t m_backColor = 0;
};

} // namespace kururie

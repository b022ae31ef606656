#pragma once

#include <QColor>

#include <cstdint>

namespace kururie {

// Colours are kept as the program stores them in settings files: red + 256 × green + 65536 × blue.
inline QColor fromPacked(std::uint32_t packed)
{
    return QColor(int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF));
}

inline std::uint32_t toPacked(const QColor& colour)
{
    return std::uint32_t(colour.red()) + 256u * std::uint32_t(colour.green()) + 65536u * std::uint32_t(colour.blue());
}

constexpr std::uint32_t kWhite = 16777215;
constexpr std::uint32_t kBlack = 0;

} // namespace kururie

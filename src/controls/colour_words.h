#pragma once

#include <QString>

#include <cstdint>

namespace kururie {

// A packed colour as a screen reader says it: the Japanese name of a basic colour ("黒"), or its
// three channels ("赤 12 緑 34 青 56").
QString colourInWords(std::uint32_t packed);

} // namespace kururie

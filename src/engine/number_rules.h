#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kururie {

// Every float-to-integer conversion of the program rounds to nearest, ties to even.
std::int32_t roundHalfEven32(double value);
std::int16_t roundHalfEven16(double value);

// Decimal text of a float: at most 7 significant digits, no exponent, no trailing zeros.
std::string formatSingle(float value);

// Reads decimal text as written by formatSingle (blanks around it allowed); nullopt when it is not a number.
std::optional<float> parseSingle(const std::string& text);

} // namespace kururie

#include "engine/number_rules.h"

#include <charconv>
#include <cmath>

namespace kururie {

namespace {

double nearestEven(double value)
{
    // std::nearbyint honours the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(value);
}

} // namespace

std::int32_t roundHalfEven32(double value)
{
    return static_cast<std::int32_t>(nearestEven(value));
}

std::int16_t roundHalfEven16(double value)
{
    return static_cast<std::int16_t>(nearestEven(value));
}

std::string formatSingle(float value)
{
    if (value == 0.0f || !std::isfinite(value))
        return "0";

    // Scientific form with 6 decimals rounds to exactly 7 significant digits; the digits are then
    // laid out without an exponent. to_chars ignores the locale, so "." stays the decimal point.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                       std::chars_format::scientific, 6);
    const std::string scientific(buffer, written.ptr);
    const bool negative = scientific[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    std::string digits;
    digits += scientific[first];
    digits += scientific.substr(first + 2, 6);
    const std::size_t e = scientific.find('e');
    int exponent = 0;
    const char* exponentText = scientific.c_str() + e + 1;
    if (*exponentText == '+')
        ++exponentText;
    std::from_chars(exponentText, scientific.c_str() + scientific.size(), exponent);

    std::string integerPart;
    std::string fraction;
    if (exponent < 0) {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent >= 6) {
        integerPart = digits + std::string(static_cast<std::size_t>(exponent - 6), '0');
    } else {
        integerPart = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();

    std::string text = negative ? "-" : "";
    text += integerPart;
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

std::optional<float> parseSingle(const std::string& text)
{
    const char* begin = text.data();
    const char* const last = text.data() + text.size();
    while (begin != last && *begin == ' ')
        ++begin;
    float parsed = 0.0f;
    const auto [end, error] = std::from_chars(begin, last, parsed, std::chars_format::fixed);
    if (error != std::errc() || begin == last)
        return std::nullopt;
    const char* rest = end;
    while (rest != last && *rest == ' ')
        ++rest;
    if (rest != last || !std::isfinite(parsed))
        return std::nullopt;
    return parsed;
}

} // namespace kururie

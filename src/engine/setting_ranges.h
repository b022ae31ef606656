#pragma once

namespace kururie {

// The values a setting's control takes, and how far an arrow key and a page move it.
struct SettingRange {
    int minimum;
    int maximum;
    int singleStep;
    int pageStep;
};

// Every ranged setting, by its name in a settings file. The window gives its controls these ranges,
// and a settings file with a value outside one is refused.
struct SettingRanges {
    SettingRange fixCircle{0, 200, 1, 10};
    SettingRange moveCircle{-200, 200, 1, 10}; // negative: the circle rolls inside
    SettingRange penPosition{-100, 100, 1, 10};
    SettingRange penMove{0, 15, 1, 5};
    SettingRange gradationRate{0, 20, 1, 5};
};

inline constexpr SettingRanges kSettingRanges{};

} // namespace kururie

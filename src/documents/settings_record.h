#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kururie {

// The fourteen control values that drew a picture, in the order they are stored in a settings file.
// The scroll bars and sliders keep to the ranges of kSettingRanges.
struct SettingsRecord {
    std::int16_t fixCircle;     // fixed-circle scroll bar
    std::int16_t moveCircle;    // rolling-circle scroll bar
    std::int16_t penPosition;   // pen-position scroll bar
    std::uint8_t penSwing;      // pen-variation check box state 0, 1 or 2
    std::int16_t penMove;       // pen-variation slider
    bool speedNormal;           // speed option "普通"
    bool speedSlow;             // speed option "遅い"
    std::uint32_t penColour;    // packed RGB, 0..16777215
    std::uint32_t backColour;   // packed RGB, 0..16777215
    bool width1;                // pen-width options 1 to 3
    bool width2;
    bool width3;
    std::uint8_t gradation;     // colour-gradation check box state 0, 1 or 2
    std::int16_t gradationRate; // colour-gradation slider
};

// The settings file's single line, CR LF included.
std::string formatSettingsLine(const SettingsRecord& record);

// Reads the fourteen fields from a settings file's bytes. Any fault in the fields, or a value one of
// the controls would refuse, rejects the whole file so that no control is changed by half a file.
std::optional<SettingsRecord> parseSettings(std::string_view bytes);

// The settings file saved next to a picture: the picture's extension replaced by ".txt".
// nullopt when the file name has no extension, or when the companion would be the picture itself.
std::optional<std::string> companionSettingsName(const std::string& picturePath);

} // namespace kururie

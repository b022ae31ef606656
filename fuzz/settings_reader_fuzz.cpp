// Arbitrary bytes as a settings file. The reader must reject them or return values every control
// takes, and what it accepts must come back unchanged when written out and read again.

#include "documents/settings_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool inRange(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

// The controls' ranges; a value outside them would be refused half-way through applying a file.
bool controlsTake(const kururie::SettingsRecord& r)
{
    constexpr std::uint32_t kLargestColour = 16777215;
    return inRange(r.fixCircle, 0, 200) && inRange(r.moveCircle, -200, 200) && inRange(r.penPosition, -100, 100)
        && inRange(r.penSwing, 0, 2) && inRange(r.penMove, 0, 15) && r.penColour <= kLargestColour
        && r.backColour <= kLargestColour && inRange(r.gradation, 0, 2) && inRange(r.gradationRate, 0, 20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<kururie::SettingsRecord> record = kururie::parseSettings(bytes);
    if (!record)
        return 0;
    if (!controlsTake(*record))
        std::abort();
    const std::string line = kururie::formatSettingsLine(*record);
    const std::optional<kururie::SettingsRecord> again = kururie::parseSettings(line);
    if (!again || kururie::formatSettingsLine(*again) != line)
        std::abort();
    return 0;
}

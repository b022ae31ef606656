#include "documents/settings_record.h"

#include "engine/setting_ranges.h"

#include <charconv>
#include <cmath>

namespace kururie {

namespace {

constexpr std::uint32_t kLargestColour = 16777215;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// The whole text as one number; from_chars ignores the locale and refuses blanks and a "+" sign.
template <typename Number>
std::optional<Number> wholeNumber(std::string_view text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Reads the fields one after another; the first fault marks the whole file as failed and every
// later read is skipped. Each byte is looked at a bounded number of times, so any input, however
// long or strange, is dealt with in linear time.
class SettingsFields {
public:
    explicit SettingsFields(std::string_view bytes) : rest_(bytes) {}

    bool failed() const { return failed_; }

    // Every control's range lies inside the field's stored type, so checking the range checks both.
    std::int16_t integer(int lowest, int highest)
    {
        const auto value = wholeNumber<int>(nextField());
        if (!value || *value < lowest || *value > highest)
            return fail();
        return static_cast<std::int16_t>(*value);
    }

    std::int16_t integer(const SettingRange& range)
    {
        return integer(range.minimum, range.maximum);
    }

    std::uint8_t checkState()
    {
        return static_cast<std::uint8_t>(integer(0, 2));
    }

    bool boolean()
    {
        const std::string_view text = nextField();
        if (text == "#TRUE#")
            return true;
        if (text != "#FALSE#")
            fail();
        return false;
    }

    // Colours are stored as single-precision numbers and rounded to the nearest integer, ties to
    // even; nearbyint rounds that way because the program never changes the rounding mode.
    std::uint32_t colour()
    {
        const auto value = wholeNumber<float>(nextField());
        if (!value || !std::isfinite(*value))
            return fail();
        const double rounded = std::nearbyint(static_cast<double>(*value));
        if (rounded < 0.0 || rounded > kLargestColour)
            return fail();
        return static_cast<std::uint32_t>(rounded);
    }

private:
    int fail()
    {
        failed_ = true;
        return 0;
    }

    // A field ends at a comma or a line end. Blanks and line ends before a field are skipped, which
    // lets hand-edited files spread the fields over lines, with or without a comma at each line end.
    // Whatever follows the fourteenth field is never split.
    std::string_view nextField()
    {
        if (failed_)
            return {};
        std::size_t start = 0;
        while (start < rest_.size() && (isBlank(rest_[start]) || isLineEnd(rest_[start])))
            ++start;
        if (start == rest_.size()) {
            fail();
            return {};
        }
        std::size_t end = start;
        while (end < rest_.size() && rest_[end] != ',' && !isLineEnd(rest_[end]))
            ++end;
        const std::string_view field = rest_.substr(start, end - start);
        rest_.remove_prefix(end < rest_.size() ? end + 1 : end);
        return withoutTrailingBlanks(field);
    }

    std::string_view rest_;
    bool failed_ = false;
};

std::string booleanText(bool value)
{
    return value ? "#TRUE#" : "#FALSE#";
}

std::string numberText(long long value)
{
    return std::to_string(value);
}

} // namespace

std::string formatSettingsLine(const SettingsRecord& record)
{
    const std::string fields[] = {
        numberText(record.fixCircle),     numberText(record.moveCircle), numberText(record.penPosition),
        numberText(record.penSwing),      numberText(record.penMove),    booleanText(record.speedNormal),
        booleanText(record.speedSlow),    numberText(record.penColour),  numberText(record.backColour),
        booleanText(record.width1),       booleanText(record.width2),    booleanText(record.width3),
        numberText(record.gradation),     numberText(record.gradationRate),
    };
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty())
            line += ',';
        line += field;
    }
    return line + "\r\n";
}

std::optional<SettingsRecord> parseSettings(std::string_view bytes)
{
    // A NUL byte anywhere means a binary file (a picture dropped on the settings panel), not settings.
    // Other bytes outside ASCII need no check of their own: no valid field contains one.
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;

    SettingsFields fields(bytes);
    SettingsRecord record;
    record.fixCircle = fields.integer(kSettingRanges.fixCircle);
    record.moveCircle = fields.integer(kSettingRanges.moveCircle);
    record.penPosition = fields.integer(kSettingRanges.penPosition);
    record.penSwing = fields.checkState();
    record.penMove = fields.integer(kSettingRanges.penMove);
    record.speedNormal = fields.boolean();
    record.speedSlow = fields.boolean();
    record.penColour = fields.colour();
    record.backColour = fields.colour();
    record.width1 = fields.boolean();
    record.width2 = fields.boolean();
    record.width3 = fields.boolean();
    record.gradation = fields.checkState();
    record.gradationRate = fields.integer(kSettingRanges.gradationRate);
    if (fields.failed())
        return std::nullopt;
    return record;
}

std::optional<std::string> companionSettingsName(const std::string& picturePath)
{
    const std::size_t slash = picturePath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;

    // Only a dot inside the file name starts an extension: a dot in a folder name would cut the path
    // inside that folder and put the settings next to it. Leading dots belong to the name itself, as
    // for hidden files such as ".bmp", so a name made only of them has no extension either.
    const std::size_t nameBody = picturePath.find_first_not_of('.', nameStart);
    const std::size_t dot = picturePath.rfind('.');
    if (nameBody == std::string::npos || dot == std::string::npos || dot < nameBody)
        return std::nullopt;

    // A picture named *.txt would be its own companion and be overwritten by its settings. The case is
    // ignored because on case-insensitive volumes (USB sticks, shared Windows folders) "star.TXT" and
    // "star.txt" are the same file.
    if (equalsIgnoringAsciiCase(std::string_view(picturePath).substr(dot), ".txt"))
        return std::nullopt;

    return picturePath.substr(0, dot) + ".txt";
}

} // namespace kururie

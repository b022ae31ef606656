#include "documents/settings_io.h"

#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/option_group.h"
#include "controls/state_check_box.h"
#include "documents/file_saving.h"
#include "documents/regular_files.h"
#include "window/main_controls.h"

#include <QFile>
#include <QScrollBar>
#include <QSlider>

namespace kururie {

namespace {

// A settings line is under a hundred bytes; anything this large is some other file dropped on the
// settings panel, and is refused without being read into memory whole.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;

std::optional<QByteArray> fileBytes(const QString& path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    QByteArray bytes = file.read(kLargestSettingsFile + 1);
    if (bytes.size() > kLargestSettingsFile)
        return std::nullopt;
    return bytes;
}

std::optional<SettingsRecord> readSettings(const QString& path)
{
    const std::optional<QByteArray> bytes = fileBytes(path);
    if (!bytes)
        return std::nullopt;
    return parseSettings(std::string_view(bytes->constData(), std::size_t(bytes->size())));
}

} // namespace

SettingsRecord settingsFromControls(const MainControls& c)
{
    SettingsRecord record;
    record.fixCircle = static_cast<std::int16_t>(c.hsbFixCircle->value());
    record.moveCircle = static_cast<std::int16_t>(c.hsbMoveCircle->value());
    record.penPosition = static_cast<std::int16_t>(c.hsbPenPosition->value());
    record.penSwing = static_cast<std::uint8_t>(c.ckPenPosition->value());
    record.penMove = static_cast<std::int16_t>(c.sldPenMove->value());
    record.speedNormal = c.speedOptions->value(1);
    record.speedSlow = c.speedOptions->value(2);
    record.penColour = c.penColourSwatch->backColor();
    record.backColour = c.canvases->background();
    record.width1 = c.penWidthOptions->value(1);
    record.width2 = c.penWidthOptions->value(2);
    record.width3 = c.penWidthOptions->value(3);
    record.gradation = static_cast<std::uint8_t>(c.ckPenColor->value());
    record.gradationRate = static_cast<std::int16_t>(c.sldPenColor->value());
    return record;
}

void applySettings(MainControls& c, const SettingsRecord& record)
{
    c.hsbFixCircle->setValue(record.fixCircle);
    c.hsbMoveCircle->setValue(record.moveCircle);
    c.hsbPenPosition->setValue(record.penPosition);
    c.ckPenPosition->setValue(record.penSwing);
    c.sldPenMove->setValue(record.penMove);
    c.speedOptions->setValue(1, record.speedNormal);
    c.speedOptions->setValue(2, record.speedSlow);
    c.penColourSwatch->setBackColor(record.penColour);
    c.canvases->chooseBackground(record.backColour);
    c.penWidthOptions->setValue(1, record.width1);
    c.penWidthOptions->setValue(2, record.width2);
    c.penWidthOptions->setValue(3, record.width3);
    c.ckPenColor->setValue(record.gradation);
    c.sldPenColor->setValue(record.gradationRate);
}

bool writeSettingsFile(const MainControls& controls, const QString& path)
{
    const std::string line = formatSettingsLine(settingsFromControls(controls));
    return saveAtomically(path, [&line](QIODevice& device) {
        return device.write(line.data(), qint64(line.size())) == qint64(line.size());
    });
}

bool readSettingsFile(MainControls& controls, const QString& path)
{
    const std::optional<SettingsRecord> record = readSettings(path);
    if (!record)
        return false;
    applySettings(controls, *record);
    return true;
}

bool isSettingsFile(const QString& path)
{
    return readSettings(path).has_value();
}

} // namespace kururie

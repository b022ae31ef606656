#include "controls/colour_words.h"

#include <utility>

namespace kururie {

namespace {

// The sixteen basic colours of the web and of classic colour pickers, packed.
const std::pair<std::uint32_t, const char*> kBasicColours[] = {
    {0x000000, "黒"},       {0xC0C0C0, "銀色"},   {0x808080, "灰色"}, {0xFFFFFF, "白"},
    {0x000080, "栗色"},     {0x0000FF, "赤"},   {0x800080, "紫"},   {0xFF00FF, "赤紫"},
    {0x008000, "深緑"},     {0x00FF00, "緑"}, {0x008080, "オリーブ"}, {0x00FFFF, "黄"},
    {0x800000, "紺"},       {0xFF0000, "青"},   {0x808000, "青緑"}, {0xFFFF00, "水色"},
};

} // namespace

QString colourInWords(std::uint32_t packed)
{
    for (const auto& [colour, name] : kBasicColours) {
        if (colour == packed)
            return QString::fromUtf8(name);
    }
    return QStringLiteral("赤 %1 緑 %2 青 %3").arg(packed & 0xFF).arg((packed >> 8) & 0xFF).arg((packed >> 16) & 0xFF);
}

} // namespace kururie

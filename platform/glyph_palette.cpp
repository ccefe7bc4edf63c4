#include "platform/glyph_palette.h"

namespace {

struct PaletteEntry
{
    char letter;
    uint32_t rgb;
};

constexpr PaletteEntry kPalette[] = {
    {'k', 0x000000}, {'r', 0x800000}, {'e', 0x008000}, {'y', 0x808000}, {'b', 0x000080}, {'m', 0x800080},
    {'c', 0x008080}, {'s', 0xC0C0C0}, {'g', 0x808080}, {'R', 0xFF0000}, {'E', 0x00FF00}, {'Y', 0xFFFF00},
    {'B', 0x0000FF}, {'M', 0xFF00FF}, {'C', 0x00FFFF}, {'w', 0xFFFFFF},
};

} // namespace

std::optional<uint32_t> GlyphColour(char letter)
{
    for (const PaletteEntry& entry : kPalette)
        if (entry.letter == letter)
            return entry.rgb;
    return std::nullopt;
}

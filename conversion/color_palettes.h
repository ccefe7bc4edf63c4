#pragma once
// The three fixed palettes that pictures are mapped to. An entry's value is the index a lookup
// returns; it equals the entry's position except for the third palette's last entry.

#include <array>
#include <cstdint>

struct PaletteEntry
{
    int32_t value = 0;
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
};

constexpr int32_t kPalette1Size = 64;
constexpr int32_t kPalette1Hues = 16;
constexpr int32_t kPalette1Levels = 4;
constexpr int32_t kPalette2Size = 256;
constexpr int32_t kPalette3Size = 65;
// The third palette's index for grey and black.
constexpr int32_t kPalette3White = 56;

const std::array<PaletteEntry, kPalette1Size>& Palette1();
const std::array<PaletteEntry, kPalette2Size>& Palette2();
const std::array<PaletteEntry, kPalette3Size>& Palette3();

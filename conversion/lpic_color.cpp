#include "conversion/lpic_color.h"

#include "conversion/color_lookup_tables.h"
#include "conversion/color_palettes.h"
#include "conversion/color_space.h"

namespace {

constexpr int32_t kWhiteBlend = kColorMax * kColorMax; // 65025
constexpr int32_t kBlendDivisor = 256;

void TakeColor(LPicColor& c, const PaletteEntry& e)
{
    c.red = e.red;
    c.green = e.green;
    c.blue = e.blue;
}

// The palette colour, whitened by the lack of saturation and darkened by the value.
void TakeHsvColor(LPicColor& c, const PaletteEntry& e, const Hsv240& hsv, bool brightness, bool saturate)
{
    int32_t parts[3] = {e.red, e.green, e.blue};
    for (int32_t& x : parts) {
        if (saturate && hsv.saturation < kColorMax) {
            x = (x * hsv.saturation + kWhiteBlend - kColorMax * hsv.saturation) / kBlendDivisor;
        }
        if (brightness && hsv.value < kColorMax) {
            x = x * hsv.value / kBlendDivisor;
        }
    }
    c.red = parts[0];
    c.green = parts[1];
    c.blue = parts[2];
}

template <typename Lookup, typename Palette>
void MapHsv(LPicColor& c, bool writeBack, bool brightness, bool saturate, int32_t greyIndex, Lookup lookup,
            const Palette& palette)
{
    const Hsv240 hsv = RgbToHsv240({c.red, c.green, c.blue});
    if (hsv.saturation <= 0 || hsv.value <= 0) {
        c.index = greyIndex;
    } else {
        const RgbColor pure = HsvToRgb(hsv.hue, saturate ? kColorMax : hsv.saturation, kColorMax);
        c.index = lookup(pure);
    }
    if (writeBack) {
        TakeHsvColor(c, palette[static_cast<std::size_t>(c.index)], hsv, brightness, saturate);
    }
}

} // namespace

void LPicColor::Set(int32_t r, int32_t g, int32_t b)
{
    red = ClampComponent(r);
    green = ClampComponent(g);
    blue = ClampComponent(b);
    index = 0;
}

void LPicColor::WhitenIfDark(int32_t level)
{
    if (red <= level && green <= level && blue <= level) {
        red = green = blue = kColorMax;
    }
}

void LPicColor::MapPalette1(bool hueOnly, bool writeBack)
{
    index = ColorLookupTable(red, green, blue, hueOnly);
    if (writeBack) {
        TakeColor(*this, Palette1()[static_cast<std::size_t>(index)]);
    }
}

void LPicColor::MapPalette2(bool writeBack)
{
    index = ColorLookupTable2(red, green, blue);
    if (writeBack) {
        TakeColor(*this, Palette2()[static_cast<std::size_t>(index)]);
    }
}

void LPicColor::MapPalette3(bool writeBack)
{
    index = ColorLookupTable3(red, green, blue);
    if (writeBack) {
        TakeColor(*this, Palette3()[static_cast<std::size_t>(index)]);
    }
}

void LPicColor::MapPalette1Hsv(bool writeBack, bool brightness, bool saturate)
{
    MapHsv(
        *this, writeBack, brightness, saturate, 0,
        [](const RgbColor& c) { return ColorLookupTable(c.red, c.green, c.blue, true); }, Palette1());
}

void LPicColor::MapPalette3Hsv(bool writeBack, bool brightness, bool saturate)
{
    MapHsv(
        *this, writeBack, brightness, saturate, kPalette3White,
        [](const RgbColor& c) { return ColorLookupTable3(c.red, c.green, c.blue); }, Palette3());
}

// Every colour operation over arbitrary 32-bit triples: lookups and mappings must stay inside
// their tables and palettes and leave components in 0..255 whatever the input holds.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "conversion/color_lookup_tables.h"
#include "conversion/color_space.h"
#include "conversion/lpic_color.h"

namespace {

constexpr size_t kTripleBytes = 12;
constexpr size_t kMaxTriples = 64;

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

bool InByteRange(const LPicColor& c)
{
    return c.red >= 0 && c.red <= 255 && c.green >= 0 && c.green <= 255 && c.blue >= 0 && c.blue <= 255;
}

void Exercise(int32_t r, int32_t g, int32_t b, uint8_t flags)
{
    const bool a = flags & 1;
    const bool bright = flags & 2;
    const bool sat = flags & 4;
    Check(ColorLookupTable(r, g, b, a) < 64);
    Check(ColorLookupTable2(r, g, b) < 256);
    Check(ColorLookupTable3(r, g, b) < 64);
    const Hsv240 hsv = RgbToHsv240({r, g, b});
    Check(hsv.hue >= 0 && hsv.hue < 240);
    const RgbColor back = HsvToRgb(r, g, b);
    Check(back.red >= 0 && back.red <= 255);
    ColorDistance(r, g, b, b, r, g);
    RgbToHsv({r, g, b});

    LPicColor c{r, g, b, 0};
    c.MapPalette1Hsv(true, bright, sat);
    Check(InByteRange(c));
    c = {r, g, b, 0};
    c.MapPalette3Hsv(true, bright, sat);
    Check(InByteRange(c));
    c = {r, g, b, 0};
    c.MapPalette1(a, true);
    Check(InByteRange(c));
    c = {r, g, b, 0};
    c.MapPalette2(true);
    Check(InByteRange(c));
    c = {r, g, b, 0};
    c.MapPalette3(true);
    Check(InByteRange(c));
    c.Set(r, g, b);
    Check(InByteRange(c));
    c = {r, g, b, 0};
    c.WhitenIfDark(r);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + kTripleBytes <= size && i / kTripleBytes < kMaxTriples; i += kTripleBytes) {
        int32_t v[3];
        std::memcpy(v, data + i, sizeof v);
        Exercise(v[0], v[1], v[2], data[i] ^ data[i + kTripleBytes - 1]);
    }
    return 0;
}

#include "conversion/color_lookup_tables.h"

#include "conversion/color_palettes.h"
#include "conversion/color_space.h"
#include "conversion/internal/published_table.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kGrid16 = 16;
constexpr int32_t kGrid32 = 32;
constexpr int32_t kTable1Size = kGrid16 * kGrid16 * kGrid16;
constexpr int32_t kTable23Size = kGrid32 * kGrid32 * kGrid32;
constexpr int32_t kGrid16Step = 17;
constexpr int32_t kNearGrey = 16;

enum TableId { kHueOnly, kHueBrightness, kTable2, kTable3, kTableCount };

PublishedTable gTables[kTableCount];

int32_t Cell16(int32_t c)
{
    return std::min(kGrid16 - 1, (c + 8) >> 4);
}

int32_t Cell32(int32_t c)
{
    return std::min(kGrid32 - 1, (c + 4) >> 3);
}

int32_t Grid32Component(int32_t k)
{
    return (33 * k) >> 2;
}

template <std::size_t N>
int32_t Nearest(const std::array<PaletteEntry, N>& palette, int32_t count, const RgbColor& c)
{
    int32_t best = 0;
    int32_t bestDistance = 0;
    for (int32_t i = 0; i < count; ++i) {
        const PaletteEntry& e = palette[static_cast<std::size_t>(i)];
        const int32_t d = ColorDistance(c.red, c.green, c.blue, e.red, e.green, e.blue);
        if (i == 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return palette[static_cast<std::size_t>(best)].value;
}

// Scales the brightest component to 255 (c x 255 / m, integer division); black becomes white.
RgbColor Normalise(const RgbColor& c)
{
    const int32_t m = std::max({c.red, c.green, c.blue});
    if (m == 0) {
        return {kColorMax, kColorMax, kColorMax};
    }
    if (m == kColorMax) {
        return c;
    }
    return ClampColor({c.red * kColorMax / m, c.green * kColorMax / m, c.blue * kColorMax / m});
}

int32_t Plain(const RgbColor& a, const PaletteEntry& e)
{
    const int32_t dr = a.red - e.red;
    const int32_t dg = a.green - e.green;
    const int32_t db = a.blue - e.blue;
    return dr * dr + dg * dg + db * db;
}

int32_t Entry1(int32_t index, bool hueOnly)
{
    const RgbColor grid{(index >> 8) * kGrid16Step, ((index >> 4) & 15) * kGrid16Step,
                        (index & 15) * kGrid16Step};
    const auto& palette = Palette1();
    const int32_t hue = Nearest(palette, kPalette1Hues, Normalise(grid));
    if (hueOnly) {
        return hue;
    }
    int32_t best = hue;
    for (int32_t level = 1; level < kPalette1Levels; ++level) {
        const int32_t i = hue + kPalette1Hues * level;
        if (Plain(grid, palette[static_cast<std::size_t>(i)]) <
            Plain(grid, palette[static_cast<std::size_t>(best)])) {
            best = i;
        }
    }
    return palette[static_cast<std::size_t>(best)].value;
}

RgbColor Grid32(int32_t index)
{
    return {Grid32Component(index >> 10), Grid32Component((index >> 5) & 31), Grid32Component(index & 31)};
}

bool NearGrey(const RgbColor& c)
{
    return std::abs(c.red - c.green) < kNearGrey && std::abs(c.green - c.blue) < kNearGrey &&
           std::abs(c.red - c.blue) < kNearGrey;
}

int32_t EntryOf(int32_t table, int32_t index)
{
    switch (table) {
    case kHueOnly:
        return Entry1(index, true);
    case kHueBrightness:
        return Entry1(index, false);
    case kTable2:
        return Nearest(Palette2(), kPalette2Size, Grid32(index));
    default: {
        const RgbColor grid = Grid32(index);
        return NearGrey(grid) ? kPalette3White : Nearest(Palette3(), kPalette3Size, grid);
    }
    }
}

int32_t SizeOf(int32_t table)
{
    return table <= kHueBrightness ? kTable1Size : kTable23Size;
}

// The published table, building it on first use; null only when memory runs out.
const uint8_t* TableOf(int32_t table)
{
    return gTables[table].Get(SizeOf(table), [table](int32_t index) { return EntryOf(table, index); });
}

// Without a table (no memory) the entry is computed directly: the same answer, only slower.
int32_t Lookup(int32_t table, int32_t index)
{
    const uint8_t* bytes = TableOf(table);
    return bytes ? bytes[index] : EntryOf(table, index);
}

int32_t Index32(int32_t r, int32_t g, int32_t b)
{
    return 1024 * Cell32(ClampComponent(r)) + 32 * Cell32(ClampComponent(g)) + Cell32(ClampComponent(b));
}

} // namespace

int32_t ColorLookupTable(int32_t r, int32_t g, int32_t b, bool hueOnly)
{
    const int32_t index =
        256 * Cell16(ClampComponent(r)) + 16 * Cell16(ClampComponent(g)) + Cell16(ClampComponent(b));
    return Lookup(hueOnly ? kHueOnly : kHueBrightness, index);
}

int32_t ColorLookupTable2(int32_t r, int32_t g, int32_t b)
{
    return Lookup(kTable2, Index32(r, g, b));
}

int32_t ColorLookupTable3(int32_t r, int32_t g, int32_t b)
{
    return Lookup(kTable3, Index32(r, g, b));
}

const uint8_t* ColorLookupTableBytes(int32_t which, int32_t& size)
{
    const int32_t table = std::clamp(which, 0, kTableCount - 1);
    size = SizeOf(table);
    return TableOf(table);
}

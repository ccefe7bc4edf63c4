// Lays out hostile text as the overlay draws it: the UTF-8 bytes become Windows-1252 codes (stray
// bytes read as that code), and the block is measured in an atlas where some codes have no glyph.
// No code may come from nothing, the codes must break lines where the text does, and the measure
// must stay within what the glyphs can cover.
#include "foundation/strings/char_tables.h"
#include "preview/font_atlas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int32_t kLineHeight = 16;
constexpr int32_t kWidestGlyph = 12;
constexpr int32_t kShadowGrowth = 2;

// Glyphs of many widths, and codes without one, as a face that lacks characters gives.
const FontAtlas& TestAtlas()
{
    static const FontAtlas atlas = [] {
        FontAtlas a;
        a.side = 256;
        a.lineHeight = kLineHeight;
        for (int32_t code = 0; code < 256; ++code) {
            AtlasGlyph& g = a.glyphs[static_cast<size_t>(code)];
            g.present = code % 3 != 0;
            g.width = code % (kWidestGlyph + 1);
            g.height = kLineHeight;
        }
        return a;
    }();
    return atlas;
}

int32_t LinesOfCodes(const std::vector<uint8_t>& codes)
{
    if (codes.empty())
        return 0;
    int32_t lines = 1;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == '\r' && i + 1 < codes.size() && codes[i + 1] == '\n')
            ++i;
        if (codes[i] == '\r' || codes[i] == '\n')
            ++lines;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* terminated = text.c_str();
    const size_t length = std::char_traits<char>::length(terminated);

    const std::vector<uint8_t> codes = AtlasCodes(terminated);
    if (codes.size() > length)
        std::abort();
    const char16_t* unicode = AnsiToUnicodeTable();
    if (std::any_of(codes.begin(), codes.end(), [unicode](uint8_t code) { return unicode[code] == 0; }))
        std::abort();
    // Every character but those outside the code is kept, so the lines are the text's lines.
    const int32_t lines = CountTextLines(terminated);
    if (!codes.empty() && LinesOfCodes(codes) != lines)
        std::abort();

    for (const bool shadow : {false, true}) {
        const TextBlockSize block = MeasureAtlasText(TestAtlas(), codes, shadow);
        const int64_t widest = static_cast<int64_t>(codes.size()) * (kWidestGlyph + (shadow ? kShadowGrowth : 0));
        if (block.width < 0 || block.width > widest || block.height < 0 || block.height % kLineHeight != 0 ||
            block.height > static_cast<int64_t>(lines) * kLineHeight)
            std::abort();
    }
    return 0;
}

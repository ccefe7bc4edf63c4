// The character-map reader over arbitrary "cmap" bytes: loading and every lookup must stay
// inside the table and the loaded subtable, whatever the counts, lengths and offsets say.
#include <array>
#include <cstdint>
#include <cstdlib>

#include "foundation/text/test_support/cmap_fixture.h"
#include "foundation/text/glyph_indices.h"

namespace {

constexpr size_t kMaxCodesFromInput = 512;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CmapFontData font(data, size);
    const LW32GetGlyphIndices glyphs(&font);

    std::array<uint8_t, 257> flags;
    flags.back() = 0xA5;
    const bool loaded = glyphs.GetPresence(flags.data(), 255);
    if (loaded != glyphs.IsLoaded() || flags.back() != 0xA5)
        std::abort();

    // Codes taken from the input itself hit its segment boundaries far more often than chance.
    for (size_t i = 0; i + 1 < size && i / 2 < kMaxCodesFromInput; i += 2) {
        const auto code = static_cast<char16_t>(data[i] << 8 | data[i + 1]);
        glyphs.GlyphOfCode(code);
        glyphs.GlyphOfCode(static_cast<char16_t>(code + 1));
        glyphs.GlyphOfCode(static_cast<char16_t>(code - 1));
    }
    if (!loaded && glyphs.GlyphOfCode(u'A') != 0)
        std::abort();
    return 0;
}

#include "platform/text_raster.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace {

constinit std::atomic<TextRaster*> replacement{nullptr};

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character at text[i], moving i past it. An unpaired surrogate stands for itself, which
// the font lacks, so it shows the missing-glyph shape.
char32_t NextCharacter(std::u16string_view text, size_t& i)
{
    const char16_t unit = text[i++];
    if (IsHighSurrogate(unit) && i < text.size() && IsLowSurrogate(text[i])) {
        const char16_t low = text[i++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
    return unit;
}

// Pen positions are 64-bit, so that no length of text can make them wrap.
void DrawGlyph(RasterBitmap& bitmap, const GlyphCoverage& glyph, int64_t penX, int64_t baseline,
               RgbColour colour)
{
    const int64_t left64 = penX + glyph.left;
    const int64_t top64 = baseline - glyph.top;
    if (left64 >= bitmap.Width() || top64 >= bitmap.Height() || left64 + glyph.width <= 0 ||
        top64 + glyph.rows <= 0)
        return;
    const auto left = static_cast<int32_t>(left64);
    const auto top = static_cast<int32_t>(top64);
    for (int32_t row = 0; row < glyph.rows; ++row) {
        const uint8_t* coverage = glyph.coverage.data() + static_cast<size_t>(row) * glyph.width;
        for (int32_t column = 0; column < glyph.width; ++column)
            bitmap.BlendPixel(left + column, top + row, colour, coverage[column]);
    }
}

} // namespace

TextRaster& CurrentTextRaster()
{
    TextRaster* raster = replacement.load(std::memory_order_acquire);
    return raster != nullptr ? *raster : FreeTypeTextRaster();
}

TextRaster* SetTextRaster(TextRaster* raster)
{
    return replacement.exchange(raster, std::memory_order_acq_rel);
}

TextExtent MeasureText(const FontFace& font, std::u16string_view text)
{
    int64_t width = 0;
    for (size_t i = 0; i < text.size();)
        width += font.Advance(NextCharacter(text, i));
    TextExtent extent;
    extent.width = static_cast<int32_t>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
    extent.height = font.Metrics().height;
    return extent;
}

void DrawText(RasterBitmap& bitmap, const FontFace& font, int32_t x, int32_t y, std::u16string_view text,
              RgbColour colour)
{
    const int64_t baseline = int64_t{y} + font.Metrics().ascent;
    int64_t penX = x;
    GlyphCoverage glyph;
    for (size_t i = 0; i < text.size();) {
        if (font.RenderGlyph(NextCharacter(text, i), glyph))
            DrawGlyph(bitmap, glyph, penX, baseline, colour);
        penX += glyph.advance;
    }
}

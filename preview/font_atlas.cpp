#include "preview/font_atlas.h"

#include "foundation/pictures/memory_bitmap.h"
#include "foundation/strings/char_tables.h"
#include "foundation/text/glyph_indices.h"
#include "platform/font_face.h"
#include "platform/font_spec.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace {

constexpr int32_t kBitmapSide = 256;
constexpr int32_t kCellMargin = 4;
constexpr int32_t kFirstPrintable = 32;
constexpr RgbColour kShadowGrey = MakeRgb(0x40, 0x40, 0x40);
constexpr int32_t kGreenByte = 1;

struct Cell
{
    int32_t x, y;
};

// Lays the glyphs out in rows, twice (plain, then shadowed); false when they pass the bottom.
bool LayOut(const FontAtlas& atlas, int32_t side, std::array<Cell, 256>& plain, std::array<Cell, 256>& shadowed)
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t rowHeight = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (int32_t c = 0; c < 256; ++c) {
            const AtlasGlyph& g = atlas.glyphs[static_cast<size_t>(c)];
            if (!g.present)
                continue;
            const int32_t w = g.width + kCellMargin;
            const int32_t h = g.height + kCellMargin;
            if (x + w > side) {
                x = 0;
                y += rowHeight;
                rowHeight = 0;
            }
            if (y + h > side || w > side)
                return false;
            (pass == 0 ? plain : shadowed)[static_cast<size_t>(c)] = {x, y};
            x += w;
            rowHeight = std::max(rowHeight, h);
        }
    return true;
}

std::array<float, 4> Fractions(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t side)
{
    const auto f = [side](int32_t v) { return static_cast<float>(v) / static_cast<float>(side); };
    return {f(left), f(top), f(right), f(bottom)};
}

} // namespace

std::unique_ptr<FontFace> OpenAtlasFont()
{
    for (const char* name : kAtlasFaceNames) {
        std::unique_ptr<FontFace> face = FontFace::Create(FontSpec{name, kAtlasFontHeight, kFontWeightNormal, false, true});
        if (face && strcasecmp(face->FaceName().c_str(), name) == 0)
            return face;
    }
    return FontFace::Create(FontSpec{"", kAtlasFontHeight, kFontWeightNormal, false, true});
}

bool BuildFontAtlas(const FontFace& font, FontAtlas& atlas)
{
    atlas = FontAtlas{};
    LWBmp bitmap;
    RasterSurface* surface = bitmap.CreateDIB(kBitmapSide, kBitmapSide, 32, nullptr);
    if (surface == nullptr)
        return false;
    surface->SelectFont(&font);
    std::array<uint8_t, 256> presence{};
    if (!LW32GetGlyphIndices(surface).GetPresence(presence.data(), 255)) {
        for (int32_t c = kFirstPrintable; c < 256; ++c)
            presence[static_cast<size_t>(c)] = 1;
    }
    const char16_t* unicode = AnsiToUnicodeTable();
    int64_t area = 0;
    for (int32_t c = 0; c < 256; ++c) {
        AtlasGlyph& g = atlas.glyphs[static_cast<size_t>(c)];
        if (presence[static_cast<size_t>(c)] == 0)
            continue;
        const char16_t character[1] = {unicode[c]};
        const TextExtent extent = surface->GetTextExtent(std::u16string_view(character, 1));
        g.present = true;
        g.width = extent.width;
        g.height = extent.height;
        atlas.lineHeight = std::max(atlas.lineHeight, g.height);
        area += 2 * int64_t{g.width + kCellMargin} * (g.height + kCellMargin);
    }
    int32_t side = 1;
    while (int64_t{side} * side < area)
        side *= 2;
    std::array<Cell, 256> plain{};
    std::array<Cell, 256> shadowed{};
    while (!LayOut(atlas, side, plain, shadowed)) {
        side *= 2;
        if (side > RasterBitmap::kMaxSide)
            return false;
    }
    if (side > bitmap.Width() && (surface = bitmap.CreateDIB(side, side, 32, nullptr)) == nullptr)
        return false;
    surface->SelectFont(&font);
    surface->FillRect(RasterRect{0, 0, bitmap.Width(), bitmap.Height()}, kRgbBlack);
    for (int32_t c = 0; c < 256; ++c) {
        AtlasGlyph& g = atlas.glyphs[static_cast<size_t>(c)];
        if (!g.present)
            continue;
        const std::u16string_view text(&unicode[c], 1);
        const Cell p = plain[static_cast<size_t>(c)];
        surface->SetTextColour(kRgbWhite);
        surface->TextOut(p.x + 2, p.y + 2, text);
        g.plain = Fractions(p.x + 2, p.y + 2, p.x + 2 + g.width, p.y + 2 + g.height, side);
    }
    for (int32_t c = 0; c < 256; ++c) {
        AtlasGlyph& g = atlas.glyphs[static_cast<size_t>(c)];
        if (!g.present)
            continue;
        const std::u16string_view text(&unicode[c], 1);
        const Cell s = shadowed[static_cast<size_t>(c)];
        surface->SetTextColour(kShadowGrey);
        surface->TextOut(s.x + 1, s.y + 1, text);
        surface->TextOut(s.x + 2, s.y + 1, text);
        surface->TextOut(s.x + 1, s.y + 2, text);
        surface->SetTextColour(kRgbWhite);
        surface->TextOut(s.x + 3, s.y + 3, text);
        surface->TextOut(s.x + 3, s.y + 2, text);
        surface->TextOut(s.x + 2, s.y + 3, text);
        g.shadowed = Fractions(s.x + 1, s.y + 1, s.x + 3 + g.width, s.y + 3 + g.height, side);
    }
    atlas.side = side;
    atlas.alpha.resize(static_cast<size_t>(side) * side);
    const uint8_t* bits = bitmap.Bits();
    const int32_t stride = bitmap.Width() * RasterBitmap::kBytesPerPixel;
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x)
            atlas.alpha[static_cast<size_t>(y) * side + x] =
                bits[static_cast<int64_t>(y) * stride + x * RasterBitmap::kBytesPerPixel + kGreenByte];
    return true;
}

std::vector<uint8_t> AtlasCodes(const char* text)
{
    std::vector<uint8_t> codes;
    if (text == nullptr)
        return codes;
    const XWString wide = Str8To16(text, 0);
    const char16_t* unicode = AnsiToUnicodeTable();
    for (int32_t i = 0; i < wide.Length(); ++i) {
        const char16_t unit = wide.CStr()[i];
        const char16_t* found = std::find(unicode, unicode + 256, unit);
        if (found != unicode + 256 && unit != 0)
            codes.push_back(static_cast<uint8_t>(found - unicode));
    }
    return codes;
}

int32_t CountTextLines(const char* text)
{
    if (text == nullptr || *text == '\0')
        return 0;
    int32_t lines = 1;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r' && p[1] == '\n')
            ++p;
        if (*p == '\r' || *p == '\n')
            ++lines;
    }
    return lines;
}

TextBlockSize MeasureAtlasText(const FontAtlas& atlas, const std::vector<uint8_t>& codes, bool shadow)
{
    TextBlockSize size;
    if (atlas.side == 0)
        return size;
    int32_t line = 1;
    int32_t lineWidth = 0;
    int32_t lastLineWithGlyph = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
        const uint8_t code = codes[i];
        if (code == '\r' || code == '\n') {
            if (code == '\r' && i + 1 < codes.size() && codes[i + 1] == '\n')
                ++i;
            ++line;
            lineWidth = 0;
            continue;
        }
        const AtlasGlyph& g = atlas.glyphs[code];
        if (!g.present)
            continue;
        lineWidth += g.width + (shadow ? 2 : 0);
        size.width = std::max(size.width, lineWidth);
        lastLineWithGlyph = line;
    }
    size.height = atlas.lineHeight * lastLineWithGlyph;
    return size;
}

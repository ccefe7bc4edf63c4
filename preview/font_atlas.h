// The preview's bitmap font: every character of the Windows-1252 code that the font can draw,
// once plain and once with a soft grey edge for the shadow pass, packed into one square alpha
// texture, with each glyph's size and place in it.
#pragma once

#include <array>
#include <memory>
#include <cstdint>
#include <string>
#include <vector>

class FontFace;

struct AtlasGlyph
{
    bool present = false;
    int32_t width = 0; // pixels: the character's advance and the font's cell height
    int32_t height = 0;
    // left, top, right, bottom as fractions of the atlas side; top is the atlas's first row.
    std::array<float, 4> plain{};
    std::array<float, 4> shadowed{};
};

struct FontAtlas
{
    int32_t side = 0;           // a power of two
    std::vector<uint8_t> alpha; // side x side coverage bytes, first row first
    std::array<AtlasGlyph, 256> glyphs{};
    int32_t lineHeight = 0; // the tallest glyph
};

// The faces tried in order before the default one.
inline constexpr std::array<const char*, 4> kAtlasFaceNames{"Tahoma", "Arial", "Helvetica", "Courier"};
inline constexpr int32_t kAtlasFontHeight = 16;

// The first face of the list that is installed under its own name, else the default face.
std::unique_ptr<FontFace> OpenAtlasFont();
// False when the font cannot be drawn into a bitmap of the needed size.
bool BuildFontAtlas(const FontFace& font, FontAtlas& atlas);

// The Windows-1252 codes of a UTF-8 text, one a character; characters outside that code are left
// out. Line breaks stay as "\r" and "\n".
std::vector<uint8_t> AtlasCodes(const char* text);

// A text block's measure in pixels.
struct TextBlockSize
{
    int32_t width = 0;
    int32_t height = 0;
};

// 0 for an empty text; else 1 plus one for each "\r\n", "\r" or "\n".
int32_t CountTextLines(const char* text);
// The widest line (present glyphs' widths, plus 2 each with the shadow) and the line height
// times the number of the last line that holds a present glyph.
TextBlockSize MeasureAtlasText(const FontAtlas& atlas, const std::vector<uint8_t>& codes, bool shadow);

#include "platform/font_face.h"

#include "platform/internal/font_match.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace {

constexpr int64_t kOne26Dot6 = 64;     // FreeType's 26.6 fixed point: 64 units per pixel
constexpr FT_UInt kResolutionDpi = 72; // at 72 dots per inch one point is one pixel
constexpr uint16_t kNoOs2Table = 0xFFFF;
constexpr uint8_t kCovered = 255;

int32_t RoundToPixels(FT_Pos value26Dot6)
{
    return static_cast<int32_t>((value26Dot6 + kOne26Dot6 / 2) >> 6);
}

// Ascent and descent of the cell in font units. The system's fonts take the cell from the
// OS/2 table's Windows metrics, which may differ from the horizontal header's.
struct CellUnits
{
    int64_t ascent = 0;
    int64_t descent = 0;
};

CellUnits CellUnitsOf(FT_Face face)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != kNoOs2Table && os2->usWinAscent + os2->usWinDescent > 0)
        return {os2->usWinAscent, os2->usWinDescent};
    if (face->ascender - face->descender > 0)
        return {face->ascender, -face->descender};
    return {face->units_per_EM, 0};
}

void CopyCoverage(const FT_Bitmap& bitmap, GlyphCoverage& glyph)
{
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.rows = static_cast<int32_t>(bitmap.rows);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    const bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.num_grays > 1;
    if (!gray && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        return;
    const int32_t step = bitmap.pitch >= 0 ? bitmap.pitch : -bitmap.pitch;
    for (int32_t y = 0; y < glyph.rows; ++y) {
        // A negative pitch means the rows are stored bottom row first.
        const int32_t stored = bitmap.pitch >= 0 ? y : glyph.rows - 1 - y;
        const uint8_t* source = bitmap.buffer + static_cast<ptrdiff_t>(stored) * step;
        uint8_t* target = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
        for (int32_t x = 0; x < glyph.width; ++x) {
            if (gray)
                target[x] = static_cast<uint8_t>(source[x] * kCovered / (bitmap.num_grays - 1));
            else
                target[x] = (source[x >> 3] & (0x80 >> (x & 7))) ? kCovered : 0;
        }
    }
}

} // namespace

struct FontFace::Library
{
    Library() = default;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

FontFace::FontFace(std::unique_ptr<Library> library, std::string faceName, bool antialiased)
    : library_(std::move(library)), faceName_(std::move(faceName)), antialiased_(antialiased)
{
}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::Create(const FontSpec& spec)
{
    const std::optional<FontMatch> match = MatchFontSpec(spec);
    if (!match)
        return nullptr;
    auto library = std::make_unique<Library>();
    if (FT_Init_FreeType(&library->library) != 0 ||
        FT_New_Face(library->library, match->file.c_str(), match->index, &library->face) != 0 ||
        !FT_IS_SCALABLE(library->face))
        return nullptr;
    std::unique_ptr<FontFace> font(new FontFace(std::move(library), match->family, spec.antialiased));
    if (!font->SetHeight(spec.height))
        return nullptr;
    return font;
}

bool FontFace::SetHeight(int32_t height)
{
    FT_Face face = library_->face;
    int64_t pixels = std::clamp(height, -kMaxHeight, kMaxHeight);
    if (pixels == 0)
        pixels = kDefaultCellHeight;
    const CellUnits cell = CellUnitsOf(face);
    const int64_t cellUnits = cell.ascent + cell.descent;
    // A cell height scales the em so that ascent + descent fill it; an em height is the em.
    int64_t em26Dot6 = pixels > 0 ? (pixels * kOne26Dot6 * face->units_per_EM + cellUnits / 2) / cellUnits
                                  : -pixels * kOne26Dot6;
    em26Dot6 = std::max(em26Dot6, kOne26Dot6);
    if (FT_Set_Char_Size(face, 0, em26Dot6, kResolutionDpi, kResolutionDpi) != 0)
        return false;

    const FT_Fixed scale = face->size->metrics.y_scale;
    int32_t ascent = RoundToPixels(FT_MulFix(cell.ascent, scale));
    int32_t descent = RoundToPixels(FT_MulFix(cell.descent, scale));
    if (pixels > 0) {
        ascent = std::min<int32_t>(ascent, static_cast<int32_t>(pixels));
        descent = static_cast<int32_t>(pixels) - ascent;
    }
    metrics_.ascent = ascent;
    metrics_.descent = descent;
    metrics_.height = ascent + descent;
    metrics_.internalLeading = metrics_.height - face->size->metrics.y_ppem;
    return true;
}

bool FontFace::LoadCharacter(char32_t character, bool render) const
{
    FT_Face face = library_->face;
    // Index 0 is the face's missing-glyph shape, which is what a lacking character shows.
    const FT_UInt index = FT_Get_Char_Index(face, character);
    const FT_Int32 target = antialiased_ ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | target) != 0)
        return false;
    if (!render)
        return true;
    return FT_Render_Glyph(face->glyph, antialiased_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0;
}

int32_t FontFace::Advance(char32_t character) const
{
    return LoadCharacter(character, false) ? RoundToPixels(library_->face->glyph->advance.x) : 0;
}

bool FontFace::RenderGlyph(char32_t character, GlyphCoverage& glyph) const
{
    glyph = GlyphCoverage();
    if (!LoadCharacter(character, true))
        return false;
    const FT_GlyphSlot slot = library_->face->glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = RoundToPixels(slot->advance.x);
    CopyCoverage(slot->bitmap, glyph);
    return true;
}

int64_t FontFace::GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const
{
    FT_Face face = library_->face;
    FT_ULong size = 0;
    if (!FT_IS_SFNT(face) || FT_Load_Sfnt_Table(face, tag, 0, nullptr, &size) != 0 || offset > size)
        return kNoData;
    // FreeType does not stop a read at the table's end, so the length is cut here.
    FT_ULong count = std::min<FT_ULong>(length, size - offset);
    if (count == 0)
        return 0;
    if (FT_Load_Sfnt_Table(face, tag, offset, static_cast<FT_Byte*>(buffer), &count) != 0)
        return kNoData;
    return static_cast<int64_t>(count);
}

#include "platform/text_raster.h"

#include "platform/internal/font_match.h"
#include "platform/internal/freetype_error_text.h"
#include "platform/internal/text_raster_freetype.h"

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

// A face owns its FreeType library, so that faces share nothing and need no lock between them.
class FreeTypeFace final : public FontFace
{
  public:
    FreeTypeFace(FT_Library library, FT_Face face, std::string faceName, bool antialiased)
        : FontFace(std::move(faceName), antialiased), library_(library), face_(face)
    {
    }
    ~FreeTypeFace() override
    {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }

    // FreeType's error when the face cannot take the size.
    FT_Error SetHeight(int32_t height);

    int32_t Advance(char32_t character) const override;
    bool RenderGlyph(char32_t character, GlyphCoverage& glyph) const override;
    int64_t GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const override;

  private:
    bool LoadCharacter(char32_t character, bool render) const;

    FT_Library library_;
    FT_Face face_;
};

std::string CannotOpenText(const std::string& file, const std::string& reason)
{
    return "Font file \"" + file + "\" can not be opened: " + reason;
}

class FreeTypeRaster final : public TextRaster
{
  public:
    std::unique_ptr<FontFace> OpenFont(const FontSpec& spec) override
    {
        const std::optional<FontMatch> match = MatchFontSpec(spec);
        if (!match) {
            lastError_ = "No font is installed for \"" + spec.faceName + "\"";
            return nullptr;
        }
        return OpenFreeTypeFont(*match, spec, lastError_);
    }
    std::string LastError() const override { return lastError_; }

  private:
    std::string lastError_;
};

} // namespace

std::unique_ptr<FontFace> OpenFreeTypeFont(const FontMatch& match, const FontSpec& spec, std::string& error)
{
    error.clear();
    FT_Library library = nullptr;
    FT_Error status = FT_Init_FreeType(&library);
    if (status != 0) {
        error = CannotOpenText(match.file, FreeTypeErrorText(status));
        return nullptr;
    }
    FT_Face face = nullptr;
    status = FT_New_Face(library, match.file.c_str(), match.index, &face);
    if (status != 0) {
        FT_Done_FreeType(library);
        error = CannotOpenText(match.file, FreeTypeErrorText(status));
        return nullptr;
    }
    // From here on the face owns the library and closes both.
    auto font = std::make_unique<FreeTypeFace>(library, face, match.family, spec.antialiased);
    if (!FT_IS_SCALABLE(face)) {
        error = CannotOpenText(match.file, "it holds no scalable outlines");
        return nullptr;
    }
    status = font->SetHeight(spec.height);
    if (status != 0) {
        error = CannotOpenText(match.file, FreeTypeErrorText(status));
        return nullptr;
    }
    return font;
}

TextRaster& FreeTypeTextRaster()
{
    static FreeTypeRaster raster;
    return raster;
}

FT_Error FreeTypeFace::SetHeight(int32_t height)
{
    FT_Face face = face_;
    int64_t pixels = std::clamp(height, -kMaxHeight, kMaxHeight);
    if (pixels == 0)
        pixels = kDefaultCellHeight;
    const CellUnits cell = CellUnitsOf(face);
    const int64_t cellUnits = cell.ascent + cell.descent;
    // A cell height scales the em so that ascent + descent fill it; an em height is the em.
    int64_t em26Dot6 = pixels > 0 ? (pixels * kOne26Dot6 * face->units_per_EM + cellUnits / 2) / cellUnits
                                  : -pixels * kOne26Dot6;
    em26Dot6 = std::max(em26Dot6, kOne26Dot6);
    const FT_Error status = FT_Set_Char_Size(face, 0, em26Dot6, kResolutionDpi, kResolutionDpi);
    if (status != 0)
        return status;

    const FT_Fixed scale = face->size->metrics.y_scale;
    int32_t ascent = RoundToPixels(FT_MulFix(cell.ascent, scale));
    int32_t descent = RoundToPixels(FT_MulFix(cell.descent, scale));
    if (pixels > 0) {
        ascent = std::min<int32_t>(ascent, static_cast<int32_t>(pixels));
        descent = static_cast<int32_t>(pixels) - ascent;
    }
    FontMetrics metrics;
    metrics.ascent = ascent;
    metrics.descent = descent;
    metrics.height = ascent + descent;
    metrics.internalLeading = metrics.height - face->size->metrics.y_ppem;
    SetMetrics(metrics);
    return 0;
}

bool FreeTypeFace::LoadCharacter(char32_t character, bool render) const
{
    // Index 0 is the face's missing-glyph shape, which is what a lacking character shows.
    const FT_UInt index = FT_Get_Char_Index(face_, character);
    const FT_Int32 target = Antialiased() ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | target) != 0)
        return false;
    if (!render)
        return true;
    return FT_Render_Glyph(face_->glyph, Antialiased() ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0;
}

int32_t FreeTypeFace::Advance(char32_t character) const
{
    return LoadCharacter(character, false) ? RoundToPixels(face_->glyph->advance.x) : 0;
}

bool FreeTypeFace::RenderGlyph(char32_t character, GlyphCoverage& glyph) const
{
    glyph = GlyphCoverage();
    if (!LoadCharacter(character, true))
        return false;
    const FT_GlyphSlot slot = face_->glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = RoundToPixels(slot->advance.x);
    CopyCoverage(slot->bitmap, glyph);
    return true;
}

int64_t FreeTypeFace::GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const
{
    FT_Face face = face_;
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

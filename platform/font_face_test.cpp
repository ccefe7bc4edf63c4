#include "platform/font_face.h"

#include "platform/internal/font_match.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kCmap = FontTableTag('c', 'm', 'a', 'p');

std::unique_ptr<FontFace> OpenFont(const std::string& name, int32_t height)
{
    FontSpec spec;
    spec.faceName = name;
    spec.height = height;
    return FontFace::Create(spec);
}

TEST(FontMatch, ActualFaceNameIsTheInstalledFamilyOrTheDefault)
{
    struct Case
    {
        const char* asked;
        const char* actual;
    };
    const Case cases[] = {
        {"DejaVu Sans", "DejaVu Sans"},
        {"dejavu SANS", "DejaVu Sans"}, // the font's own spelling comes back
        {"DejaVu Serif", "DejaVu Serif"},
        {"No Such Face Anywhere", kDefaultFontFace},
        {"", kDefaultFontFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        const std::unique_ptr<FontFace> font = OpenFont(c.asked, 16);
        ASSERT_TRUE(font);
        EXPECT_EQ(font->FaceName(), c.actual);
    }
}

TEST(FontMatch, MissingFamilyIsNotExact)
{
    const std::optional<FontMatch> match = MatchFontFamily("No Such Face Anywhere", kFontWeightNormal, false);
    ASSERT_TRUE(match);
    EXPECT_FALSE(match->exact);
    EXPECT_FALSE(match->file.empty());
}

TEST(FontFace, PositiveHeightIsTheCellHeight)
{
    for (const int32_t height : {1, 11, 16, 20, 100}) {
        SCOPED_TRACE(height);
        const std::unique_ptr<FontFace> font = OpenFont(kDefaultFontFace, height);
        ASSERT_TRUE(font);
        const FontMetrics& metrics = font->Metrics();
        EXPECT_EQ(metrics.height, height);
        EXPECT_EQ(metrics.ascent + metrics.descent, height);
        EXPECT_GE(metrics.descent, 0);
    }
}

TEST(FontFace, NegativeHeightIsTheEmHeight)
{
    const std::unique_ptr<FontFace> font = OpenFont(kDefaultFontFace, -16);
    ASSERT_TRUE(font);
    const FontMetrics& metrics = font->Metrics();
    EXPECT_EQ(metrics.height, metrics.ascent + metrics.descent);
    EXPECT_GT(metrics.height, 16); // the cell holds the accents above and the descenders below the em
    EXPECT_EQ(metrics.internalLeading, metrics.height - 16);
}

TEST(FontFace, ZeroHeightTakesTheDefaultCell)
{
    const std::unique_ptr<FontFace> font = OpenFont(kDefaultFontFace, 0);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Metrics().height, FontFace::kDefaultCellHeight);
}

TEST(FontFace, BoldIsWider)
{
    FontSpec spec;
    spec.faceName = kDefaultFontFace;
    spec.height = 32;
    const std::unique_ptr<FontFace> regular = FontFace::Create(spec);
    spec.weight = kFontWeightBold;
    const std::unique_ptr<FontFace> bold = FontFace::Create(spec);
    ASSERT_TRUE(regular && bold);
    EXPECT_EQ(bold->FaceName(), kDefaultFontFace);
    EXPECT_GT(bold->Advance(U'W'), regular->Advance(U'W'));
}

TEST(FontFace, GlyphCoverageIsGreyWhenAntialiasedAndTwoLevelsWhenNot)
{
    for (const bool antialiased : {true, false}) {
        SCOPED_TRACE(antialiased);
        FontSpec spec;
        spec.height = 24;
        spec.antialiased = antialiased;
        const std::unique_ptr<FontFace> font = FontFace::Create(spec);
        ASSERT_TRUE(font);
        GlyphCoverage glyph;
        ASSERT_TRUE(font->RenderGlyph(U'O', glyph));
        ASSERT_EQ(glyph.coverage.size(), static_cast<size_t>(glyph.width) * glyph.rows);
        bool full = false;
        bool partial = false;
        for (const uint8_t value : glyph.coverage) {
            full |= value == 255;
            partial |= value != 0 && value != 255;
        }
        EXPECT_TRUE(full);
        EXPECT_EQ(partial, antialiased);
        EXPECT_EQ(glyph.advance, font->Advance(U'O'));
    }
}

TEST(FontFace, GetFontDataReadsTablesAndCutsAtTheirEnd)
{
    const std::unique_ptr<FontFace> font = OpenFont(kDefaultFontFace, 16);
    ASSERT_TRUE(font);
    std::array<uint8_t, 4> header{};
    ASSERT_EQ(font->GetFontData(kCmap, 0, header.data(), 4), 4);
    EXPECT_EQ(header[0] << 8 | header[1], 0); // table version
    EXPECT_GT(header[2] << 8 | header[3], 0); // encoding records

    std::array<uint8_t, 16> bytes{};
    const uint32_t missing = FontTableTag('z', 'z', 'z', 'z');
    EXPECT_EQ(font->GetFontData(missing, 0, bytes.data(), 4), FontDataSource::kNoData);

    const uint32_t head = FontTableTag('h', 'e', 'a', 'd');
    constexpr uint32_t kHeadSize = 54;
    EXPECT_EQ(font->GetFontData(head, kHeadSize - 2, bytes.data(), 16), 2);
    EXPECT_EQ(font->GetFontData(head, kHeadSize, bytes.data(), 16), 0);
    EXPECT_EQ(font->GetFontData(head, kHeadSize + 1, bytes.data(), 16), FontDataSource::kNoData);
    // The head table's magic number sits at offset 12.
    ASSERT_EQ(font->GetFontData(head, 12, bytes.data(), 4), 4);
    EXPECT_EQ(std::memcmp(bytes.data(), "\x5F\x0F\x3C\xF5", 4), 0);
}

} // namespace

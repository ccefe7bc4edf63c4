#include "platform/text_raster.h"

#include "platform/internal/font_match.h"
#include "platform/internal/text_raster_freetype.h"
#include "platform/raster_surface.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <limits>

namespace {

std::unique_ptr<FontFace> DefaultFont(int32_t height, bool antialiased = true)
{
    FontSpec spec;
    spec.height = height;
    spec.antialiased = antialiased;
    return FontFace::Create(spec);
}

// Bounds of the pixels that differ from black; empty (right <= left) when none does.
RasterRect InkBounds(RasterBitmap& bitmap)
{
    RasterRect ink{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const uint8_t* pixel = bitmap.PixelAt(x, y);
            if (pixel[0] || pixel[1] || pixel[2]) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
        }
    }
    return ink;
}

TEST(RasterBitmap, SidesOutsideTheLimitsAreRefused)
{
    for (const int32_t side : {0, -1, RasterBitmap::kMaxSide + 1}) {
        EXPECT_FALSE(RasterBitmap::Create(side, 1));
        EXPECT_FALSE(RasterBitmap::Create(1, side));
    }
    EXPECT_TRUE(RasterBitmap::Create(1, 1));
}

TEST(RasterBitmap, FillRectIsCutToTheBitmapAndWritesBlueGreenRedZero)
{
    std::unique_ptr<RasterBitmap> bitmap = RasterBitmap::Create(4, 3);
    ASSERT_TRUE(bitmap);
    bitmap->Bits()[3] = 0x77;
    bitmap->FillRect({-5, -5, 1, 1}, MakeRgb(0x10, 0x20, 0x30));
    const uint8_t* pixel = bitmap->PixelAt(0, 0);
    EXPECT_EQ(pixel[0], 0x30);
    EXPECT_EQ(pixel[1], 0x20);
    EXPECT_EQ(pixel[2], 0x10);
    EXPECT_EQ(pixel[3], 0);
    bitmap->FillRect({3, 2, 100, 100}, kRgbWhite);
    const RasterRect ink = InkBounds(*bitmap);
    EXPECT_EQ(ink.left, 0);
    EXPECT_EQ(ink.top, 0);
    EXPECT_EQ(ink.right, 4);
    EXPECT_EQ(ink.bottom, 3);
    EXPECT_EQ(bitmap->PixelAt(1, 1)[0], 0);
}

TEST(TextRaster, MeasuresAdvancesAndTheCellHeight)
{
    const std::unique_ptr<FontFace> font = DefaultFont(16);
    ASSERT_TRUE(font);
    const TextExtent extent = MeasureText(*font, u"HiH");
    EXPECT_EQ(extent.width, 2 * font->Advance(U'H') + font->Advance(U'i'));
    EXPECT_EQ(extent.height, 16);
    EXPECT_EQ(MeasureText(*font, u"").width, 0);
    // A surrogate pair is one character; a lone surrogate is a missing one of its own.
    EXPECT_EQ(MeasureText(*font, u"\U0001F600").width, font->Advance(U'\U0001F600'));
    const char16_t lone[] = {0xD800, u'x', 0};
    EXPECT_EQ(MeasureText(*font, lone).width, font->Advance(0xD800) + font->Advance(U'x'));
}

TEST(TextRaster, DrawsInsideTheCellsWithGreyEdgesInTheColour)
{
    const std::unique_ptr<FontFace> font = DefaultFont(16);
    std::unique_ptr<RasterBitmap> bitmap = RasterBitmap::Create(64, 32);
    ASSERT_TRUE(font && bitmap);
    DrawText(*bitmap, *font, 5, 7, u"Ox", MakeRgb(255, 0, 0));
    const RasterRect ink = InkBounds(*bitmap);
    const TextExtent extent = MeasureText(*font, u"Ox");
    EXPECT_GE(ink.left, 5);
    EXPECT_GE(ink.top, 7);
    EXPECT_LE(ink.right, 5 + extent.width);
    EXPECT_LE(ink.bottom, 7 + extent.height);
    bool full = false;
    bool partial = false;
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const uint8_t* pixel = bitmap->PixelAt(x, y);
            EXPECT_EQ(pixel[0], 0); // blue
            EXPECT_EQ(pixel[1], 0); // green
            EXPECT_EQ(pixel[3], 0);
            full |= pixel[2] == 255;
            partial |= pixel[2] != 0 && pixel[2] != 255;
        }
    }
    EXPECT_TRUE(full);
    EXPECT_TRUE(partial);
}

TEST(TextRaster, DrawingIsTransparent)
{
    const std::unique_ptr<FontFace> font = DefaultFont(16, false);
    std::unique_ptr<RasterBitmap> bitmap = RasterBitmap::Create(32, 32);
    ASSERT_TRUE(font && bitmap);
    bitmap->FillRect({0, 0, 32, 32}, MakeRgb(0, 0, 200));
    DrawText(*bitmap, *font, 0, 0, u"l", kRgbWhite);
    int32_t untouched = 0;
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            const uint8_t* pixel = bitmap->PixelAt(x, y);
            const bool background = pixel[0] == 200 && pixel[1] == 0 && pixel[2] == 0;
            const bool text = pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
            EXPECT_TRUE(background || text) << x << "," << y;
            untouched += background;
        }
    }
    EXPECT_GT(untouched, 32 * 32 / 2);
}

TEST(TextRaster, TextPartlyOrWhollyOutsideIsCut)
{
    const std::unique_ptr<FontFace> font = DefaultFont(40);
    std::unique_ptr<RasterBitmap> bitmap = RasterBitmap::Create(16, 16);
    ASSERT_TRUE(font && bitmap);
    const int32_t far = std::numeric_limits<int32_t>::max();
    const int32_t places[][2] = {{-10, -10}, {8, 8}, {far, far}, {-far, -far}, {far, 0}};
    for (const auto& place : places)
        DrawText(*bitmap, *font, place[0], place[1], u"W@W", kRgbWhite);
    EXPECT_GT(InkBounds(*bitmap).right, 0);
}

// A raster that opens nothing and counts the requests it saw.
class RefusingRaster final : public TextRaster
{
  public:
    explicit RefusingRaster(std::string reason) : reason_(std::move(reason)) {}
    std::unique_ptr<FontFace> OpenFont(const FontSpec&) override
    {
        ++requests;
        return nullptr;
    }
    std::string LastError() const override { return reason_; }

    int requests = 0;

  private:
    std::string reason_;
};

TEST(TextRaster, FontsOpenThroughTheRasterInPlaceAndTheScopePutsThePreviousBack)
{
    RefusingRaster outer("outer");
    RefusingRaster inner("inner");
    {
        ScopedTextRaster useOuter(&outer);
        {
            ScopedTextRaster useInner(&inner);
            EXPECT_FALSE(DefaultFont(16));
            EXPECT_EQ(CurrentTextRaster().LastError(), "inner");
        }
        EXPECT_FALSE(DefaultFont(16));
        EXPECT_EQ(CurrentTextRaster().LastError(), "outer");
    }
    EXPECT_EQ(inner.requests, 1);
    EXPECT_EQ(outer.requests, 1);
    EXPECT_EQ(&CurrentTextRaster(), &FreeTypeTextRaster());
    EXPECT_TRUE(DefaultFont(16));
    EXPECT_EQ(CurrentTextRaster().LastError(), "");
}

TEST(TextRaster, FreeTypeRefusalNamesTheFileAndFreeTypesReason)
{
    const std::optional<FontMatch> installed = MatchFontSpec(FontSpec{});
    ASSERT_TRUE(installed);
    const std::string notAFont = testing::TempDir() + "not-a-font-" + std::to_string(getpid()) + ".ttf";
    std::ofstream(notAFont) << "these bytes are no font";
    struct Case
    {
        std::string file;
        int32_t index;
        const char* reason;
    };
    const Case cases[] = {
        {notAFont, 0, "unknown file format (FreeType error 2)"},
        {notAFont + ".missing", 0, "cannot open resource (FreeType error 1)"},
        {installed->file, 4096, "invalid argument (FreeType error 6)"}, // no such face in the file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        FontMatch match = *installed;
        match.file = c.file;
        match.index = c.index;
        std::string error;
        EXPECT_FALSE(OpenFreeTypeFont(match, FontSpec{}, error));
        EXPECT_EQ(error, "Font file \"" + c.file + "\" can not be opened: " + c.reason);
    }
    std::remove(notAFont.c_str());
}

TEST(RasterSurface, DrawsThroughTheSelectedBitmapAndFont)
{
    const std::unique_ptr<FontFace> font = DefaultFont(16);
    std::unique_ptr<RasterBitmap> bitmap = RasterBitmap::Create(32, 32);
    ASSERT_TRUE(font && bitmap);
    RasterSurface surface;
    // Nothing selected: nothing drawn, nothing measured, no font.
    surface.TextOut(0, 0, u"x");
    surface.FillRect({0, 0, 4, 4}, kRgbWhite);
    EXPECT_EQ(surface.GetTextExtent(u"x").width, 0);
    EXPECT_EQ(surface.GetTextExtent(u"x").height, 0);
    EXPECT_EQ(surface.GetTextFace(), "");
    uint8_t byte = 0;
    EXPECT_EQ(surface.GetFontData(0, 0, &byte, 1), FontDataSource::kNoData);

    EXPECT_EQ(surface.SelectBitmap(bitmap.get()), nullptr);
    EXPECT_EQ(surface.SelectFont(font.get()), nullptr);
    EXPECT_EQ(surface.SetTextColour(kRgbWhite), kRgbBlack);
    EXPECT_EQ(surface.GetTextFace(), kDefaultFontFace);
    EXPECT_EQ(surface.GetTextExtent(u"x").width, font->Advance(U'x'));
    EXPECT_EQ(surface.GetFontData(0, 0, &byte, 1), 1); // the whole font file
    surface.TextOut(2, 2, u"x");
    EXPECT_GT(InkBounds(*bitmap).right, 0);
    EXPECT_EQ(surface.SelectBitmap(nullptr), bitmap.get());
    EXPECT_EQ(surface.SelectFont(nullptr), font.get());
}

} // namespace

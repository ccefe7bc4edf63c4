#include "preview/font_atlas.h"

#include "platform/font_face.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

TEST(FontAtlas, CountsLinesAtEachBreak)
{
    EXPECT_EQ(CountTextLines(nullptr), 0);
    EXPECT_EQ(CountTextLines(""), 0);
    EXPECT_EQ(CountTextLines("a"), 1);
    EXPECT_EQ(CountTextLines("a\r\nb"), 2);
    EXPECT_EQ(CountTextLines("a\n\rb"), 3);
    EXPECT_EQ(CountTextLines("a\rb\n"), 3);
}

TEST(FontAtlas, CodesAreWindows1252)
{
    EXPECT_EQ(AtlasCodes("A\xE2\x82\xAC\xC3\xA9"), (std::vector<uint8_t>{'A', 0x80, 0xE9})); // A, euro, e acute
    EXPECT_EQ(AtlasCodes("\xE4\xB8\xAD!"), (std::vector<uint8_t>{'!'}));                      // no 1252 form
    EXPECT_EQ(AtlasCodes("a\r\nb"), (std::vector<uint8_t>{'a', '\r', '\n', 'b'}));
}

class FontAtlasBuilt : public testing::Test
{
  protected:
    void SetUp() override
    {
        font = OpenAtlasFont();
        ASSERT_TRUE(font);
        ASSERT_TRUE(BuildFontAtlas(*font, atlas));
    }
    std::unique_ptr<FontFace> font;
    FontAtlas atlas;
};

TEST_F(FontAtlasBuilt, EveryPrintableGlyphHasItsPlace)
{
    EXPECT_EQ(atlas.lineHeight, kAtlasFontHeight);
    EXPECT_EQ(atlas.side & (atlas.side - 1), 0);
    ASSERT_EQ(atlas.alpha.size(), static_cast<size_t>(atlas.side) * atlas.side);
    const AtlasGlyph& a = atlas.glyphs['A'];
    ASSERT_TRUE(a.present);
    EXPECT_EQ(a.width, font->Advance(U'A'));
    EXPECT_EQ(a.height, kAtlasFontHeight);
    EXPECT_FLOAT_EQ((a.plain[2] - a.plain[0]) * atlas.side, a.width);
    EXPECT_FLOAT_EQ((a.shadowed[2] - a.shadowed[0]) * atlas.side, a.width + 2);
    EXPECT_FALSE(atlas.glyphs[0].present);
    // The plain cell holds ink, the shadowed one its grey edge too.
    int64_t plainInk = 0;
    int64_t shadowInk = 0;
    const auto ink = [&](const std::array<float, 4>& r) {
        int64_t sum = 0;
        for (int y = static_cast<int>(r[1] * atlas.side); y < static_cast<int>(r[3] * atlas.side); ++y)
            for (int x = static_cast<int>(r[0] * atlas.side); x < static_cast<int>(r[2] * atlas.side); ++x)
                sum += atlas.alpha[static_cast<size_t>(y) * atlas.side + x];
        return sum;
    };
    plainInk = ink(a.plain);
    shadowInk = ink(a.shadowed);
    EXPECT_GT(plainInk, 0);
    EXPECT_GT(shadowInk, plainInk);
}

TEST_F(FontAtlasBuilt, MeasuresTheWidestLineAndTheLastLineWithAGlyph)
{
    const int32_t w = atlas.glyphs['w'].width;
    const int32_t i = atlas.glyphs['i'].width;
    TextBlockSize size = MeasureAtlasText(atlas, AtlasCodes("ww\ri"), false);
    EXPECT_EQ(size.width, 2 * w);
    EXPECT_EQ(size.height, 2 * atlas.lineHeight);
    size = MeasureAtlasText(atlas, AtlasCodes("ww\ri"), true);
    EXPECT_EQ(size.width, 2 * w + 4);
    size = MeasureAtlasText(atlas, AtlasCodes("i\r\n\r"), false);
    EXPECT_EQ(size.width, i);
    EXPECT_EQ(size.height, atlas.lineHeight);
    size = MeasureAtlasText(atlas, AtlasCodes("\x01\x02"), true);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
    EXPECT_EQ(MeasureAtlasText(FontAtlas{}, AtlasCodes("w"), false).width, 0);
}

// With ZYL_WRITE_FUZZ_CORPUS set to the fuzz/corpus folder, writes the text layout's seeds: the
// line breaks of every kind, the overlay's own texts, characters outside the code and stray bytes.
TEST(FontAtlas, FuzzCorpus)
{
    const char* corpus = std::getenv("ZYL_WRITE_FUZZ_CORPUS");
    if (!corpus)
        GTEST_SKIP() << "ZYL_WRITE_FUZZ_CORPUS not set";
    const std::string folder = std::string(corpus) + "/text_layout/";
    const struct
    {
        const char* name;
        const char* text;
    } seeds[] = {
        {"breaks", "a\r\nb\n\rc\rd\ne"},
        {"status", "Show.zyl (2 of 2) PAUSED\r\n1:00:00,00  22050 Stereo 128 Kbit"},
        {"windows_1252", "\xE2\x82\xAC \xC3\xA9 \xE2\x80\x9C\xE2\x80\x9D \xC2\xA0"},
        {"outside_the_code", "\xE4\xB8\xAD\n\xF0\x9F\x98\x80"},
        {"stray_bytes", "\x80\xC3\n\xE2\x82\r\xFF\xFE"},
    };
    for (const auto& seed : seeds)
        std::ofstream(folder + seed.name, std::ios::binary) << seed.text;
}

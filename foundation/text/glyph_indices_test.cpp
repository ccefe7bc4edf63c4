#include "foundation/text/glyph_indices.h"

#include "foundation/text/test_support/cmap_fixture.h"
#include "platform/raster_surface.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr uint16_t kWindows = 3;
constexpr uint16_t kUnicodeBmp = 1;
constexpr uint16_t kUnicodeFull = 10;

// Printable ASCII by delta, a range-offset segment with a hole, the euro sign, the end.
std::vector<CmapSegment> SampleSegments(uint16_t rangeDelta = 0)
{
    return {
        {0x20, 0x7E, static_cast<uint16_t>(-29), {}},
        {0xA0, 0xA4, rangeDelta, {100, 0, 102, 103, 104}},
        {0x20AC, 0x20AC, static_cast<uint16_t>(500 - 0x20AC), {}},
        CmapEndSegment(),
    };
}

std::vector<uint8_t> SampleTable(uint16_t rangeDelta = 0)
{
    return BuildCmapTable({{kWindows, kUnicodeBmp, BuildCmapFormat4(SampleSegments(rangeDelta))}});
}

TEST(GlyphIndices, Format4Lookup)
{
    const CmapFontData font(SampleTable());
    const LW32GetGlyphIndices glyphs(&font);
    ASSERT_TRUE(glyphs.IsLoaded());
    struct Case
    {
        char16_t code;
        uint16_t glyph;
    };
    const Case cases[] = {
        {0x1F, 0},         // below the first segment
        {0x20, 0x20 - 29}, // delta segment, first code
        {u'A', u'A' - 29}, //
        {0x7E, 0x7E - 29}, // delta segment, last code
        {0x7F, 0},         // gap between segments
        {0x9F, 0},         //
        {0xA0, 100},       // glyph array
        {0xA1, 0},         // a 0 entry stays "no glyph"
        {0xA4, 104},       //
        {0xA5, 0},         // gap after the array segment
        {0x20AC, 500},     // delta wraps modulo 65,536
        {0xFFFE, 0},       //
        {0xFFFF, 0},       // the end segment maps 0xFFFF + 1 to 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(glyphs.GlyphOfCode(c.code), c.glyph) << std::hex << int{c.code};
}

TEST(GlyphIndices, DeltaAppliesToGlyphArrayEntriesButNotToZero)
{
    const CmapFontData font(SampleTable(static_cast<uint16_t>(-50)));
    const LW32GetGlyphIndices glyphs(&font);
    EXPECT_EQ(glyphs.GlyphOfCode(0xA0), 50);
    EXPECT_EQ(glyphs.GlyphOfCode(0xA1), 0);
    EXPECT_EQ(glyphs.GlyphOfCode(0xA2), 52);
}

TEST(GlyphIndices, RecordChoice)
{
    const std::vector<uint8_t> ascii = BuildCmapFormat4({{0x41, 0x41, 1, {}}, CmapEndSegment()});
    const std::vector<uint8_t> other = BuildCmapFormat4({{0x41, 0x41, 2, {}}, CmapEndSegment()});
    struct Case
    {
        const char* what;
        std::vector<CmapRecord> records;
        uint16_t glyphOfA; // 0: nothing loaded
    };
    const Case cases[] = {
        {"(3,1) before (3,10)", {{kWindows, kUnicodeBmp, ascii}, {kWindows, kUnicodeFull, other}}, 0x42},
        {"(3,10) before (3,1)", {{kWindows, kUnicodeFull, other}, {kWindows, kUnicodeBmp, ascii}}, 0x42},
        {"the last of (3,0) and (3,1)", {{kWindows, 0, other}, {kWindows, kUnicodeBmp, ascii}}, 0x42},
        {"(3,0) alone", {{kWindows, 0, other}}, 0x43},
        {"Unicode platform only", {{0, 3, ascii}}, 0},
        {"(3,10) only", {{kWindows, kUnicodeFull, ascii}}, 0},
        {"format 6 only", {{kWindows, kUnicodeBmp, BuildCmapFormat6(0x41, {7})}}, 0},
        {"no records", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CmapFontData font(BuildCmapTable(c.records));
        const LW32GetGlyphIndices glyphs(&font);
        EXPECT_EQ(glyphs.IsLoaded(), c.glyphOfA != 0);
        EXPECT_EQ(glyphs.GlyphOfCode(u'A'), c.glyphOfA);
    }
}

TEST(GlyphIndices, DamagedTablesLeaveTheObjectEmpty)
{
    const std::vector<uint8_t> table = SampleTable();
    constexpr size_t kSubtable = 12; // after the header and one record
    const size_t subtableLength = table.size() - kSubtable;
    struct Case
    {
        const char* what;
        size_t keep;    // bytes of the table served
        size_t patchAt; // 0: no patch
        uint16_t patchTo;
    };
    const Case cases[] = {
        {"no record count", 3, 0, 0},
        {"record cut short", 10, 0, 0},
        {"subtable header cut short", kSubtable + 10, 0, 0},
        {"subtable cut short", table.size() - 1, 0, 0},
        {"record points beyond the table", table.size(), 8, 0x7FFF},
        {"length below the header", table.size(), kSubtable + 2, 10},
        {"length too short for the segments", table.size(), kSubtable + 2, 16 + 8 * 4 - 2},
        {"segment count beyond the length", table.size(), kSubtable + 6, 2 * 1000},
        {"length beyond the table", table.size(), kSubtable + 2, static_cast<uint16_t>(subtableLength + 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes(table.begin(), table.begin() + static_cast<ptrdiff_t>(c.keep));
        if (c.patchAt)
            SetBigEndian16(bytes, c.patchAt, c.patchTo);
        const CmapFontData font(bytes);
        const LW32GetGlyphIndices glyphs(&font);
        EXPECT_FALSE(glyphs.IsLoaded());
        EXPECT_EQ(glyphs.GlyphOfCode(u'A'), 0);
        uint8_t flag = 0x55;
        EXPECT_FALSE(glyphs.GetPresence(&flag, 0));
        EXPECT_EQ(flag, 0x55);
    }
}

TEST(GlyphIndices, GlyphArrayReadsStayInsideTheSubtable)
{
    // The range-offset segment's last entries lie beyond a shortened subtable: they answer 0,
    // the entries still inside answer as before.
    std::vector<uint8_t> subtable = BuildCmapFormat4(SampleSegments());
    subtable.resize(subtable.size() - 4);
    SetBigEndian16(subtable, 2, static_cast<uint32_t>(subtable.size()));
    const CmapFontData font(BuildCmapTable({{kWindows, kUnicodeBmp, subtable}}));
    const LW32GetGlyphIndices glyphs(&font);
    ASSERT_TRUE(glyphs.IsLoaded());
    EXPECT_EQ(glyphs.GlyphOfCode(0xA2), 102);
    EXPECT_EQ(glyphs.GlyphOfCode(0xA3), 0);
    EXPECT_EQ(glyphs.GlyphOfCode(0xA4), 0);
    EXPECT_EQ(glyphs.GlyphOfCode(u'A'), u'A' - 29);
}

TEST(GlyphIndices, NoFontLoadsNothing)
{
    const LW32GetGlyphIndices glyphs(nullptr);
    EXPECT_FALSE(glyphs.IsLoaded());
    EXPECT_EQ(glyphs.GlyphOfChar('A'), 0);
}

TEST(GlyphIndices, CharactersGoThroughWindows1252)
{
    const CmapFontData font(SampleTable());
    const LW32GetGlyphIndices glyphs(&font);
    EXPECT_EQ(glyphs.GlyphOfChar('A'), u'A' - 29);
    EXPECT_EQ(glyphs.GlyphOfChar(0x80), 500); // the euro sign
    EXPECT_EQ(glyphs.GlyphOfChar(0xA0), 100);
    EXPECT_EQ(glyphs.GlyphOfChar(0), 0);
}

TEST(GlyphIndices, GetPresenceWritesExactlyLastCodePlusOneFlags)
{
    const CmapFontData font(SampleTable());
    const LW32GetGlyphIndices glyphs(&font);
    constexpr uint8_t kGuard = 0xEE;
    for (const int lastCode : {0, 0x41, 255}) {
        SCOPED_TRACE(lastCode);
        std::array<uint8_t, 300> flags;
        flags.fill(kGuard);
        ASSERT_TRUE(glyphs.GetPresence(flags.data(), static_cast<uint8_t>(lastCode)));
        for (int code = 0; code <= lastCode; ++code)
            EXPECT_EQ(flags[code], glyphs.GlyphOfChar(static_cast<uint8_t>(code)) != 0 ? 1 : 0) << code;
        for (size_t i = static_cast<size_t>(lastCode) + 1; i < flags.size(); ++i)
            ASSERT_EQ(flags[i], kGuard) << i;
    }
    std::array<uint8_t, 256> flags{};
    ASSERT_TRUE(glyphs.GetPresence(flags.data(), 255));
    EXPECT_EQ(flags[0x1F], 0);
    EXPECT_EQ(flags[0x20], 1);
    EXPECT_EQ(flags[0x7F], 0);
    EXPECT_EQ(flags[0x80], 1);
    EXPECT_EQ(flags[0xA1], 0);
    EXPECT_EQ(flags[0xA2], 1);
}

TEST(GlyphIndices, InstalledFontThroughADrawingContext)
{
    FontSpec spec;
    spec.height = 16;
    const std::unique_ptr<FontFace> font = FontFace::Create(spec);
    ASSERT_TRUE(font);
    RasterSurface surface;
    surface.SelectFont(font.get());
    const LW32GetGlyphIndices glyphs(&surface);
    ASSERT_TRUE(glyphs.IsLoaded());
    std::array<uint8_t, 256> flags{};
    ASSERT_TRUE(glyphs.GetPresence(flags.data(), 255));
    for (const int present : {0x41, 0x7A, 0x30, 0x20, 0x80, 0xE9, 0xFF})
        EXPECT_EQ(flags[present], 1) << present;
    for (const int absent : {0, 0x0A, 0x81, 0x8D})
        EXPECT_EQ(flags[absent], 0) << absent;
}

} // namespace

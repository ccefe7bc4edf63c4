#include "conversion/color_lookup_tables.h"

#include "foundation/archives/crc32.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ColorLookupTables, Anchors)
{
    // Normalisation turns black into white.
    EXPECT_EQ(ColorLookupTable(0, 0, 0, true), 0);
    EXPECT_EQ(ColorLookupTable(255, 0, 0, true), 4);
    EXPECT_EQ(ColorLookupTable(255, 0, 0, false), 4);
    // Hue then brightness: dark red (grid 136) is nearest to level 2 (127).
    EXPECT_EQ(ColorLookupTable(128, 0, 0, true), 4);
    EXPECT_EQ(ColorLookupTable(128, 0, 0, false), 36);
    EXPECT_EQ(ColorLookupTable2(0, 0, 0), 0);
    // White equals entries 1 and 231: the first wins.
    EXPECT_EQ(ColorLookupTable2(255, 255, 255), 1);
    EXPECT_EQ(ColorLookupTable3(255, 0, 0), 0);
    EXPECT_EQ(ColorLookupTable3(0, 0, 255), 40);
    // The grey test looks at the grid colour: (100,120,100) lies on grid (107,123,107).
    EXPECT_EQ(ColorLookupTable3(100, 100, 100), 56);
    EXPECT_NE(ColorLookupTable3(100, 120, 100), 56);
    EXPECT_EQ(ColorLookupTable3(0, 0, 0), 56);
}

TEST(ColorLookupTables, ComponentsOutsideTheByteRangeAreClamped)
{
    EXPECT_EQ(ColorLookupTable(-1, INT_MIN, -300, false), ColorLookupTable(0, 0, 0, false));
    EXPECT_EQ(ColorLookupTable(INT_MAX, 256, -1, true), ColorLookupTable(255, 255, 0, true));
    EXPECT_EQ(ColorLookupTable2(INT_MIN, INT_MAX, 0), ColorLookupTable2(0, 255, 0));
    EXPECT_EQ(ColorLookupTable3(-9, 999, -9), ColorLookupTable3(0, 255, 0));
}

// The built tables, pinned: any change to the distance, the palettes or the grids shows here.
TEST(ColorLookupTables, BuiltTablesArePinned)
{
    const uint32_t expected[] = {0x441c193eu, 0x4ad7b0c7u, 0xd2912398u, 0x66caeed4u};
    const int32_t limits[] = {16, 64, 256, 64};
    for (int32_t which = 0; which < 4; ++which) {
        int32_t size = 0;
        const uint8_t* bytes = ColorLookupTableBytes(which, size);
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(size, which < 2 ? 4096 : 32768);
        for (int32_t i = 0; i < size; ++i) {
            ASSERT_LT(bytes[i], limits[which]) << "table " << which << " index " << i;
        }
        EXPECT_EQ(Crc32(bytes, size), expected[which])
            << "table " << which << " crc 0x" << std::hex << Crc32(bytes, size);
    }
}

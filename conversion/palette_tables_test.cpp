#include "conversion/internal/palette_tables.h"

#include "foundation/archives/crc32.h"

#include <gtest/gtest.h>

namespace {

template <typename T> uint32_t Checksum(const T& table)
{
    return Crc32(&table, static_cast<std::ptrdiff_t>(sizeof table));
}

} // namespace

TEST(PaletteTables, SpotValues)
{
    const PaletteTables& t = GetPaletteTables();
    EXPECT_EQ(t.Colors()[1], 0x008000);
    EXPECT_EQ(t.Colors()[41], 0xc06060); // the role colour replaces the first fixed colour
    EXPECT_EQ(t.Colors()[49], 0x101010);
    EXPECT_EQ(t.Colors()[PaletteTables::CubeEntry(4, 2, 0)], 0xff8000);
    EXPECT_EQ(t.Colors()[200], 0xc8c8c8);
    EXPECT_EQ(t.ScaledColors(), t.Colors());
    EXPECT_EQ(t.Level(), 256);
    EXPECT_EQ(t.Quantise3()[191], 1);
    EXPECT_EQ(t.Quantise3()[192], 2);
    EXPECT_EQ(t.Quantise5()[255], 4);
    EXPECT_EQ(t.Cube()[1][2][3], 64 + 25 + 10 + 3);
    EXPECT_EQ(t.GreyToIndex()[247], 63);
    EXPECT_EQ(t.GreyToIndex()[248], 15);
    EXPECT_EQ(t.IndexMap()[4], 12);
    EXPECT_EQ(t.IndexMap()[12], 4);
    EXPECT_EQ(t.IndexMap()[PaletteTables::CubeEntry(0, 3, 4)], PaletteTables::CubeEntry(2, 0, 1));
    EXPECT_EQ(t.IndexMap()[48], 56);
    EXPECT_EQ(t.IndexMap()[56], 15);
    EXPECT_EQ(t.IndexMap()[57], 48);
    EXPECT_EQ(t.ColorRoles()[69], (std::array<int32_t, 4>{15, 0, 15, 19}));
    EXPECT_EQ(t.Flag(), 0);
}

TEST(PaletteTables, TablesArePinned)
{
    const PaletteTables& t = GetPaletteTables();
    const uint32_t sums[] = {Checksum(t.Colors()),    Checksum(t.Quantise3()),   Checksum(t.Quantise5()),
                             Checksum(t.Cube()),      Checksum(t.GreyToIndex()), Checksum(t.IndexMap()),
                             Checksum(t.ColorRoles())};
    const uint32_t expected[] = {0x09c3fc03u, 0xcfa2cef3u, 0x2f31a459u, 0xf5b2afacu,
                                 0xc7ad4df4u, 0x4ec3e1cau, 0x8dd4da3bu};
    for (std::size_t i = 0; i < std::size(sums); ++i) {
        EXPECT_EQ(sums[i], expected[i]) << "table " << i << " crc 0x" << std::hex << sums[i];
    }
}

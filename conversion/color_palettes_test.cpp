#include "conversion/color_palettes.h"

#include <gtest/gtest.h>

namespace {

struct Spot
{
    int32_t position, value, r, g, b;
};

template <std::size_t N>
void ExpectSpots(const std::array<PaletteEntry, N>& palette, std::initializer_list<Spot> spots)
{
    for (const Spot& s : spots) {
        const PaletteEntry& e = palette[static_cast<std::size_t>(s.position)];
        EXPECT_EQ(e.value, s.value) << s.position;
        EXPECT_EQ(e.red, s.r) << s.position;
        EXPECT_EQ(e.green, s.g) << s.position;
        EXPECT_EQ(e.blue, s.b) << s.position;
    }
}

} // namespace

TEST(ColorPalettes, FirstPaletteLevelsOfSixteenHues)
{
    ExpectSpots(Palette1(), {{0, 0, 255, 255, 255},
                             {1, 1, 255, 128, 128},
                             {21, 21, 191, 96, 0},
                             {36, 36, 127, 0, 0},
                             {63, 63, 63, 0, 32}});
}

TEST(ColorPalettes, SecondPaletteRingsShadesAndGreys)
{
    ExpectSpots(Palette2(), {{0, 0, 0, 0, 0},           {7, 7, 255, 0, 255},       {8, 8, 255, 128, 128},
                             {9, 9, 255, 140, 128},     {19, 19, 255, 255, 128},   {73, 73, 255, 128, 140},
                             {74, 74, 255, 0, 0},       {75, 75, 255, 23, 0},      {140, 140, 128, 0, 0},
                             {141, 141, 128, 12, 0},    {205, 205, 128, 0, 12},    {206, 206, 255, 192, 192},
                             {209, 209, 64, 0, 0},      {213, 213, 64, 64, 0},     {229, 229, 64, 0, 64},
                             {230, 230, 255, 96, 96},   {231, 231, 255, 255, 255}, {232, 232, 245, 245, 245},
                             {243, 243, 128, 128, 128}, {254, 254, 11, 11, 11},    {255, 255, 0, 0, 0}});
}

TEST(ColorPalettes, ThirdPaletteBlackMapsToWhite)
{
    ExpectSpots(Palette3(), {{0, 0, 255, 0, 0},
                             {16, 16, 255, 255, 0},
                             {17, 17, 224, 255, 0},
                             {24, 24, 0, 255, 0},
                             {31, 31, 0, 255, 224},
                             {35, 35, 10, 96, 255},
                             {40, 40, 0, 0, 255},
                             {48, 48, 255, 0, 255},
                             {55, 55, 255, 224, 255},
                             {56, 56, 255, 255, 255},
                             {57, 57, 255, 224, 224},
                             {63, 63, 255, 32, 32},
                             {64, 56, 0, 0, 0}});
}

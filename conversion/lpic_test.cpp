#include "conversion/lpic.h"

#include "conversion/color_palettes.h"

#include <gtest/gtest.h>

namespace {

LPic ThreeColours()
{
    LPic pic;
    const int32_t colours[3][3] = {{10, 5, 0}, {255, 0, 0}, {200, 100, 100}};
    for (const auto& c : colours) {
        LPicEntry e;
        e.color.Set(c[0], c[1], c[2]);
        pic.Append(e);
    }
    return pic;
}

} // namespace

TEST(LPic, HeaderValuesStartAsDefinedAndTravelWithCopies)
{
    LPic pic = ThreeColours();
    EXPECT_EQ(pic.header[1], -1);
    EXPECT_EQ(pic.headerReal, -1.0);
    pic.header[0] = 7;
    pic.headerReal = 2.5;
    const LPic copy(pic, 16);
    EXPECT_EQ(copy.header[0], 7);
    EXPECT_EQ(copy.headerReal, 2.5);
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(copy[1].color.red, 255);
    pic.Assign(pic);
    EXPECT_EQ(pic.GetCount(), 3);
    LPic shorter;
    shorter.Assign(pic);
    EXPECT_EQ(shorter.GetCount(), 3);
}

TEST(LPic, ColourOperationsOnEveryEntry)
{
    LPic pic = ThreeColours();
    EXPECT_EQ(pic.ApplyColorOp(10), 3);
    EXPECT_EQ(pic[0].color.red, 255);
    EXPECT_EQ(pic[0].color.blue, 255);
    EXPECT_EQ(pic[1].color.green, 0);

    pic.MapColorsPalette1(true, true);
    EXPECT_EQ(pic[1].color.index, 4);
    EXPECT_EQ(pic[0].color.index, 0);

    pic.SetWhite();
    for (int32_t i = 0; i < pic.GetCount(); ++i) {
        EXPECT_EQ(pic[i].color.green, 255);
        EXPECT_EQ(pic[i].color.index, 0);
    }
    LPicColor c;
    c.Set(1, 2, 3);
    c.index = 9;
    EXPECT_EQ(pic.SetColor(c), 3);
    EXPECT_EQ(pic[2].color.index, 9);
}

TEST(LPicColor, SetClampsAndWhitenComparesSigned)
{
    LPicColor c;
    c.index = 5;
    c.Set(-4, 300, 128);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 255);
    EXPECT_EQ(c.blue, 128);
    EXPECT_EQ(c.index, 0);
    c.index = 3;
    c.WhitenIfDark(-1);
    EXPECT_EQ(c.red, 0);
    c.Set(0, 0, 0);
    c.index = 3;
    c.WhitenIfDark(0);
    EXPECT_EQ(c.red, 255);
    EXPECT_EQ(c.index, 3);
}

TEST(LPicColor, HsvMappingBlendsAndDarkens)
{
    // (200,100,100): hue 0, saturation 127, value 200; pure hue maps to red (index 4).
    LPicColor c;
    c.Set(200, 100, 100);
    c.MapPalette1Hsv(true, true, true);
    EXPECT_EQ(c.index, 4);
    // Saturate: 255 -> (255*127 + 65025 - 255*127)/256 = 254, 0 -> 127; then brightness x*200/256.
    EXPECT_EQ(c.red, 254 * 200 / 256);
    EXPECT_EQ(c.green, 127 * 200 / 256);
    EXPECT_EQ(c.blue, 127 * 200 / 256);

    c.Set(200, 100, 100);
    c.MapPalette1Hsv(false, true, true);
    EXPECT_EQ(c.red, 200);

    c.Set(90, 90, 90);
    c.MapPalette1Hsv(true, false, false);
    EXPECT_EQ(c.index, 0);
    c.Set(90, 90, 90);
    c.MapPalette3Hsv(true, false, false);
    EXPECT_EQ(c.index, kPalette3White);
    EXPECT_EQ(c.red, 255);

    c.Set(0, 0, 255);
    c.MapPalette3Hsv(true, false, false);
    EXPECT_EQ(c.index, 40);
    EXPECT_EQ(c.blue, 255);
    c.Set(255, 255, 255);
    c.MapPalette2(true);
    EXPECT_EQ(c.index, 1);
}

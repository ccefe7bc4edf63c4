#include "platform/dialog_units.h"

#include <gtest/gtest.h>

TEST(DialogUnitsTest, TheDialogFontHasTheBaseUnitsOfTheOriginalDialogFont)
{
    ASSERT_NE(DialogFont(), nullptr);
    EXPECT_EQ(DialogFont()->FaceName(), "DejaVu Sans");
    const DialogBaseUnits base = DialogFontBaseUnits();
    EXPECT_EQ(base.x, 7);
    EXPECT_EQ(base.y, 13);
}

TEST(DialogUnitsTest, MulDivRoundsHalfAwayFromZeroAndSaturates)
{
    struct Case
    {
        int32_t a, b, c, expected;
    };
    const Case cases[] = {
        {199, 7, 4, 348},
        {2, 7, 4, 4},
        {-2, 7, 4, -4},
        {1, 7, 4, 2},
        {290, 13, 8, 471},
        {-3, 13, 8, -5},
        {3, -13, 8, -5},
        {5, 5, 0, 0},
        {INT32_MAX, 4, 2, INT32_MAX},
        {INT32_MIN, 4, 2, INT32_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " x " << c.b << " / " << c.c;
}

TEST(DialogUnitsTest, TemplateRectanglesConvertCornerByCorner)
{
    const RasterRect stack = ConvertDialogToPixels({0, 0, 199, 290}, {7, 13});
    EXPECT_EQ(stack.right, 348);
    EXPECT_EQ(stack.bottom, 471);
    const RasterRect line = ConvertDialogToPixels({0, 0, 199, 1}, {7, 13});
    EXPECT_EQ(line.bottom, 2);
    const RasterRect offset = ConvertDialogToPixels({3, 5, 10, 9}, {7, 13});
    EXPECT_EQ(offset.left, 5);
    EXPECT_EQ(offset.top, 8);
    EXPECT_EQ(offset.right, 18);
    EXPECT_EQ(offset.bottom, 15);
}

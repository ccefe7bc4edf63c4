#include "controls/control_painter.h"
#include "platform/dialog_units.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr RgbColour kInk = MakeRgb(255, 0, 0);
constexpr RgbColour kOther = MakeRgb(0, 0, 255);

RgbColour PixelAt(RasterBitmap& bitmap, int32_t x, int32_t y)
{
    const uint8_t* p = bitmap.PixelAt(x, y);
    return MakeRgb(p[2], p[1], p[0]);
}

// The bitmap as rows of '#' (the ink) and '.' (anything else).
std::string Picture(RasterBitmap& bitmap)
{
    std::string rows;
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            rows += PixelAt(bitmap, x, y) == kInk ? '#' : '.';
        rows += '\n';
    }
    return rows;
}

struct Canvas
{
    explicit Canvas(int32_t width = 5, int32_t height = 5)
        : bitmap(RasterBitmap::Create(width, height)), painter(*bitmap, DialogFont())
    {
    }
    std::unique_ptr<RasterBitmap> bitmap;
    ControlPainter painter;
};

} // namespace

TEST(ControlPainterTest, LinesLeaveOutTheirLastPixel)
{
    struct Case
    {
        RasterPoint from, to;
        const char* picture;
    };
    const Case cases[] = {
        {{0, 1}, {4, 1}, ".....\n####.\n.....\n.....\n.....\n"},
        {{1, 4}, {1, 0}, ".....\n.#...\n.#...\n.#...\n.#...\n"},
        {{0, 0}, {3, 3}, "#....\n.#...\n..#..\n.....\n.....\n"},
        {{2, 2}, {2, 2}, ".....\n.....\n.....\n.....\n.....\n"},
    };
    for (const Case& c : cases) {
        Canvas canvas;
        canvas.painter.Line(c.from.x, c.from.y, c.to.x, c.to.y, kInk);
        EXPECT_EQ(Picture(*canvas.bitmap), c.picture);
    }
}

TEST(ControlPainterTest, APolylineLeavesOutOnlyItsFinalPoint)
{
    Canvas canvas;
    const RasterPoint tick[] = {{0, 2}, {2, 4}, {4, 0}};
    canvas.painter.Polyline(tick, 3, kInk);
    EXPECT_EQ(PixelAt(*canvas.bitmap, 0, 2), kInk);
    EXPECT_EQ(PixelAt(*canvas.bitmap, 1, 3), kInk);
    EXPECT_EQ(PixelAt(*canvas.bitmap, 2, 4), kInk); // the joint is drawn
    EXPECT_NE(PixelAt(*canvas.bitmap, 4, 0), kInk); // the end is not
}

TEST(ControlPainterTest, FramesAndEdgesLieInsideTheRectangle)
{
    Canvas frame;
    frame.painter.FrameRect({1, 1, 4, 4}, kInk);
    EXPECT_EQ(Picture(*frame.bitmap), ".....\n.###.\n.#.#.\n.###.\n.....\n");

    Canvas edge;
    edge.painter.Edge({0, 0, 4, 4}, kOther, kInk);
    // Bottom and right (corners included) in the second colour.
    EXPECT_EQ(Picture(*edge.bitmap), "...#.\n...#.\n...#.\n####.\n.....\n");
    EXPECT_EQ(PixelAt(*edge.bitmap, 0, 0), kOther);
    EXPECT_EQ(PixelAt(*edge.bitmap, 0, 2), kOther);
}

TEST(ControlPainterTest, TheFocusRectangleIsDotted)
{
    Canvas canvas(6, 5);
    canvas.painter.FocusRect({0, 0, 6, 5}, kInk);
    EXPECT_EQ(Picture(*canvas.bitmap), "#.#.#.\n.....#\n#.....\n.....#\n#.#.#.\n");
}

TEST(ControlPainterTest, HalftoneAlternatesTheTwoColours)
{
    Canvas canvas(3, 2);
    canvas.painter.HalftoneFill({0, 0, 3, 2}, kInk, kOther);
    EXPECT_EQ(Picture(*canvas.bitmap), "#.#\n.#.\n");
    EXPECT_EQ(PixelAt(*canvas.bitmap, 1, 0), kOther);
}

TEST(ControlPainterTest, EllipsisTextStaysInsideItsRectangle)
{
    Canvas canvas(120, 20);
    const RasterRect box{10, 2, 60, 18};
    canvas.painter.TextEndEllipsis(box, u"A caption much too long for its header", kInk);
    bool inside = false;
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 120; ++x) {
            const bool ink = PixelAt(*canvas.bitmap, x, y) != kRgbBlack;
            const bool within = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            EXPECT_TRUE(!ink || within) << x << "," << y;
            inside = inside || ink;
        }
    EXPECT_TRUE(inside);
}

TEST(ControlPainterTest, PrefixMarksUnderlineOneCharacter)
{
    struct Case
    {
        std::u16string marked;
        std::u16string text;
        int32_t underlined;
    };
    const Case cases[] = {
        {u"&Abort", u"Abort", 0}, {u"Sa&ve", u"Save", 2}, {u"A && B", u"A & B", -1},
        {u"end&", u"end&", -1},   {u"", u"", -1},         {u"&a&b", u"ab", 0},
    };
    for (const Case& c : cases) {
        const PrefixText parsed = ParsePrefixText(c.marked);
        EXPECT_EQ(parsed.text, c.text);
        EXPECT_EQ(parsed.underlined, c.underlined);
    }
}

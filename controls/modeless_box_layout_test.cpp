#include "controls/modeless_box_layout.h"

#include <gtest/gtest.h>

namespace {

constexpr DialogBaseUnits kBase{8, 16}; // 2 pixels a unit across and down

} // namespace

TEST(ModelessBoxLayout, CancelIndexFromTheLabels)
{
    const struct
    {
        ModelessBoxLabels labels;
        int32_t cancel;
    } cases[] = {
        {{"&Abort", "", ""}, 0},
        {{"Yes", "No", ""}, -1},
        {{"Retry", "c&ancel", ""}, 1},
        {{"Cancel", "Abort", ""}, 0},
        {{"OK", "", ""}, 0},
        {{"&ok", "", ""}, 0},
        {{"OK", "More", ""}, -1},
        {{"OK", "&Cancel", ""}, 1},
        {{"One", "Two", "ABORT"}, 2},
        {{"", "", ""}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModelessBoxCancelIndex(c.labels), c.cancel) << c.labels[0] << "/" << c.labels[1];
}

TEST(ModelessBoxLayout, TemplateByTheLabelsAndGapsRefused)
{
    EXPECT_EQ(ModelessBoxTemplateFor({"a", "b", "c"}).id, 2146);
    EXPECT_EQ(ModelessBoxTemplateFor({"a", "b", ""}).id, 2138);
    EXPECT_EQ(ModelessBoxTemplateFor({"a", "", ""}).id, 2142);
    EXPECT_EQ(ModelessBoxTemplateFor({"", "", ""}).id, 2200);
    EXPECT_EQ(ModelessBoxTemplateFor({"", "", ""}).buttonCount, 0);
    EXPECT_TRUE(ModelessBoxLabelsValid({"a", "b", "c"}));
    EXPECT_FALSE(ModelessBoxLabelsValid({"a", "", "c"}));
    EXPECT_FALSE(ModelessBoxLabelsValid({"", "b", ""}));
}

// Template 2142 at 2 pixels a unit: dialog 128 x 116, text item (78, 14) 36 x 44, button 1 at
// (14, 74) 100 x 28.
TEST(ModelessBoxLayout, GrowsAroundTheText)
{
    const ModelessBoxTemplate& box = ModelessBoxTemplateFor({"&Abort", "", ""});
    const struct
    {
        const char* what;
        int32_t width, height;
        RasterRect dialog, text, button;
    } cases[] = {
        {"smaller: centred", 20, 10, {0, 0, 128, 116}, {78, 31, 114, 41}, {14, 74, 114, 102}},
        {"wider", 57, 44, {0, 0, 149, 116}, {78, 14, 135, 58}, {24, 74, 124, 102}},
        {"taller", 36, 84, {0, 0, 128, 156}, {78, 14, 114, 98}, {14, 114, 114, 142}},
        {"both", 100, 60, {0, 0, 192, 132}, {78, 14, 178, 74}, {46, 90, 146, 118}},
    };
    for (const auto& c : cases) {
        const ModelessBoxLayout layout = FitModelessBox(box, c.width, c.height, kBase);
        const auto same = [](const RasterRect& a, const RasterRect& b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        };
        EXPECT_TRUE(same(layout.dialog, c.dialog)) << c.what << " dialog " << layout.dialog.right << "x"
                                                   << layout.dialog.bottom;
        EXPECT_TRUE(same(layout.text, c.text)) << c.what << " text " << layout.text.left << "," << layout.text.top
                                               << "," << layout.text.right << "," << layout.text.bottom;
        EXPECT_TRUE(same(layout.buttons[0], c.button)) << c.what << " button " << layout.buttons[0].left << ","
                                                       << layout.buttons[0].top;
        EXPECT_EQ(layout.buttonCount, 1);
    }
}

TEST(ModelessBoxLayout, MeasuresLinesAtTheTextsOwnBreaks)
{
    int32_t oneWidth = 0;
    int32_t oneHeight = 0;
    MeasureModelessBoxText("Creating Fog data, please wait...", oneWidth, oneHeight);
    ASSERT_GT(oneWidth, 0);
    int32_t width = 0;
    int32_t height = 0;
    MeasureModelessBoxText("Creating Fog data, please wait...\r\nx\ny", width, height);
    EXPECT_EQ(width, oneWidth);
    EXPECT_EQ(height, 3 * oneHeight);
}

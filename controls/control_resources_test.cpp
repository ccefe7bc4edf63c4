#include "controls/control_resources.h"

#include "controls/dialog_template.h"
#include "platform/glyph_palette.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ControlResourcesTest, TemplatesStringAndCursorOfTheToolkit)
{
    EXPECT_EQ(FindDialogTemplate(kTemplatePanelStack), nullptr) << "nothing until installed";
    ScopedResources scope(ControlResourceTables());
    struct Expected
    {
        int32_t id;
        ControlWindowKind kind;
        int32_t width;
        int32_t height;
    };
    for (const Expected& e : {Expected{2006, ControlWindowKind::kPanelStack, 199, 290},
                              Expected{2134, ControlWindowKind::kPanel, 186, 95},
                              Expected{2149, ControlWindowKind::kDialog, 200, 279}}) {
        const DialogTemplate* dialog = FindDialogTemplate(e.id);
        ASSERT_NE(dialog, nullptr) << e.id;
        EXPECT_EQ(dialog->kind, e.kind);
        EXPECT_EQ(dialog->widthUnits, e.width);
        EXPECT_EQ(dialog->heightUnits, e.height);
    }
    const DialogItem* line = FindDialogItem(*FindDialogTemplate(2149), 2152);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->kind, DialogItemKind::kSeparator);
    EXPECT_EQ(line->place.width, 199);
    EXPECT_EQ(FindDialogItem(*FindDialogTemplate(2149), kNoItemId), nullptr);
    EXPECT_STREQ(FindStringResource(2132), "This is a test string");

    const PictureResource* cursor = FindPictureResource(ResourceKind::Cursor, kCursorDragScroll);
    ASSERT_NE(cursor, nullptr);
    ASSERT_FALSE(cursor->glyph.empty());
    const int32_t width = static_cast<int32_t>(std::strlen(cursor->glyph[0]));
    for (const char* row : cursor->glyph) {
        EXPECT_EQ(static_cast<int32_t>(std::strlen(row)), width);
        for (const char* letter = row; *letter; ++letter)
            EXPECT_TRUE(*letter == ' ' || GlyphColour(*letter)) << row;
    }
    EXPECT_LT(cursor->hotSpotX, width);
    EXPECT_LT(cursor->hotSpotY, static_cast<int32_t>(cursor->glyph.size()));
}

TEST(ControlResourcesTest, ItemsBecomeWindowsOfTheirKind)
{
    const DialogItem edit{7, DialogItemKind::kEdit, {60, 5, 40, 12}, "", true};
    const ControlWindowSpec field = DialogItemWindowSpec(edit);
    EXPECT_EQ(field.kind, ControlWindowKind::kEdit);
    EXPECT_TRUE(field.readOnly);
    EXPECT_TRUE(field.tabStop);
    EXPECT_EQ(field.rect.left, 105);
    EXPECT_EQ(field.rect.right, 175);
    const DialogItem spin{8, DialogItemKind::kSpin, {100, 5, 8, 12}, ""};
    EXPECT_FALSE(DialogItemWindowSpec(spin).tabStop) << "Tab passes spins by";
    const DialogItem label{kNoItemId, DialogItemKind::kLabel, {20, 7, 1, 8}, "Line Width:"};
    const ControlWindowSpec text = DialogItemWindowSpec(label);
    EXPECT_EQ(text.kind, ControlWindowKind::kLabel);
    EXPECT_GT(text.rect.right - text.rect.left, 7) << "a label is at least as wide as its text";
}

} // namespace

// What the preview does differently inside the control: it opens no file of the user's choice, keeps
// the clipboard out of the page, leaves the wheel to the page and reports a failed show only to the
// control.
#include "platform/clipboard_memory.h"
#include "platform/deliverable_kind.h"
#include "platform/test_support/message_box_fake.h"
#include "platform/virtual_keys.h"
#include "preview/preview_command_ids.h"
#include "preview/test_support/playback_harness.h"
#include "preview/test_support/sound_preview_fixture.h"

#include <string>

namespace {

constexpr int32_t kRate = 48000;
constexpr int32_t kPastedWidth = 3;
constexpr int32_t kOtherWidth = 5;

class ControlBuildTest : public SoundPreviewTest
{
  protected:
    ControlBuildTest() : SoundPreviewTest(kRate) { ProcessMemoryClipboard().Empty(); }
    ~ControlBuildTest() override
    {
        SetDeliverableKind(before_);
        ProcessMemoryClipboard().Empty();
    }

    void SetUp() override
    {
        SoundPreviewTest::SetUp();
        SetDeliverableKind(DeliverableKind::Control);
    }

    // The width of the picture the clipboard holds; 0 for none.
    static int32_t ClipboardPictureWidth()
    {
        HImageRef picture;
        if (HImage::FromClipboard(picture, "any", true, false).Failed() || picture.IsEmpty())
            return 0;
        return picture->Width();
    }

    const DeliverableKind before_ = CurrentDeliverableKind();
    FakeMessageBox boxes_;
};

TEST_F(ControlBuildTest, OpenKeysAndCommandAreTakenButShowNoFileDialog)
{
    const std::string show = Show("a.zyl", 1.0, false);
    ASSERT_TRUE(preview_.OpenPath(show.c_str(), false));
    struct Case
    {
        int32_t key;
        uint32_t modifiers;
    };
    for (const Case& c : {Case{'O', kUiCtrl}, Case{vk::kInsert, 0}, Case{vk::kInsert, kUiCtrl}}) {
        SCOPED_TRACE(c.key);
        ui_.fileDialogAnswers.push_back(UiFileDialogResult{{show}});
        EXPECT_TRUE(preview_.HandleKey({c.key, c.modifiers})) << "the key reaches nothing else";
        ui_.fileDialogAnswers.clear();
    }
    EXPECT_TRUE(preview_.OnCmdMsg(preview_command::kOpen, UiCommandCode::Execute, nullptr));
    EXPECT_FALSE(preview_.OpenFileDialog(true));
    EXPECT_TRUE(ui_.fileDialogs.empty());
    EXPECT_EQ(preview_.ShowCount(), 1);
    EXPECT_FALSE(preview_.OpenDialogActive());
}

TEST_F(ControlBuildTest, CutCopyAndPasteAreTakenAndLeaveBackgroundAndClipboardAlone)
{
    SetDeliverableKind(DeliverableKind::Player);
    ASSERT_FALSE(HImage::Create("pasted", kPastedWidth, 2, true, false)->ToClipboard().Failed());
    ASSERT_TRUE(preview_.PasteImage());
    SetDeliverableKind(DeliverableKind::Control);
    ASSERT_FALSE(HImage::Create("other", kOtherWidth, 2, true, false)->ToClipboard().Failed());

    const auto expectUntouched = [this] {
        EXPECT_EQ(ClipboardPictureWidth(), kOtherWidth);
        ASSERT_TRUE(preview_.HasBackgroundPicture(0));
        HImageRef background = preview_.pictures_[0].Decode();
        ASSERT_FALSE(background.IsEmpty());
        EXPECT_EQ(background->Width(), kPastedWidth);
    };
    struct Case
    {
        int32_t key; // with Ctrl
        int32_t command;
    };
    for (const Case& c : {Case{'C', preview_command::kCopy}, Case{'X', preview_command::kCut},
                          Case{'V', preview_command::kPaste}}) {
        SCOPED_TRACE(c.command);
        EXPECT_TRUE(preview_.HandleKey({c.key, kUiCtrl}));
        expectUntouched();
        EXPECT_TRUE(preview_.OnCmdMsg(c.command, UiCommandCode::Execute, nullptr));
        expectUntouched();
    }
    EXPECT_FALSE(preview_.CopyImage());
    EXPECT_FALSE(preview_.CutImage());
    EXPECT_FALSE(preview_.PasteImage());
}

TEST_F(ControlBuildTest, TheWheelGoesOnToThePageUntouched)
{
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_graphics_size_x = 1;
        p.o_graphics_size_y = 0.5f;
    });
    EXPECT_FALSE(preview_.HandleMouseWheel(0, 120, {320, 240}));
    UiMouseEvent event;
    event.at = {320, 240};
    EXPECT_FALSE(preview_.OnMouseWheel(120, event)) << "the window's default handling gets it";
    EXPECT_FLOAT_EQ(preview_.LivePars().o_graphics_size_x, 1);
    EXPECT_FLOAT_EQ(preview_.LivePars().o_graphics_size_y, 0.5f);
}

TEST_F(ControlBuildTest, AFailedOpenShowsNoBoxNowOrLater)
{
    const std::string good = Show("a.zyl", 1.0, false);
    const std::string broken = MakeBrokenShow(folder_, "b.zyl");
    preview_.OpenPath(broken.c_str(), false);
    EXPECT_FALSE(preview_.HasOpenShow());
    ASSERT_TRUE(preview_.AddShow(good.c_str(), XAString(), -1, nullptr, true));
    ASSERT_TRUE(preview_.AddShow(broken.c_str(), XAString(), -1, nullptr, true));
    // Past the end of the first show, where the playback step itself reaches the broken one.
    Tick(220);
    EXPECT_EQ(ui_.RunPosted(), 0);
    EXPECT_TRUE(boxes_.shown.empty());
}

} // namespace

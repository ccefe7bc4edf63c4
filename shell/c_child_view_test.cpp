#include "shell/c_child_view.h"

#include "platform/clipboard_memory.h"
#include "platform/deliverable_kind.h"
#include "preview/test_support/preview_test_fixture.h"
#include "shell/command_ids.h"

namespace {

using ChildViewTest = PreviewTest;
using namespace command_id;

LBeamvista* MakeTestPreview(XABlock& block)
{
    return block.NewObject<TestPreview>();
}

UiCommandUpdate Query(CChildView& view, int32_t id)
{
    UiCommandUpdate update;
    EXPECT_TRUE(view.OnCmdMsg(id, UiCommandCode::Update, &update)) << id;
    return update;
}

TEST_F(ChildViewTest, CreateMakesAChildPreviewFillingTheView)
{
    CChildView view("Zyl Player");
    ASSERT_TRUE(view.Create(view_, {}));
    ASSERT_NE(view.ChildPreview(), nullptr);
    EXPECT_EQ(Window()->RectInParent(), kViewRect);
    view.OnSize(800, 600);
    EXPECT_EQ(Window()->RectInParent(), (UiRect{0, 0, 800, 600}));
    ASSERT_TRUE(view.SetFullScreen(true));
    EXPECT_EQ(view.ChildPreview(), nullptr) << "in its own full screen the preview is no child";
    EXPECT_TRUE(view.IsFullScreen());
}

TEST_F(ChildViewTest, SecondViewStillBuildsItsOwnPreview)
{
    CChildView first("Zyl Player");
    CChildView second("Zyl Player");
    ASSERT_TRUE(first.Create(view_, {}));
    ASSERT_TRUE(second.Create(view_, {}));
    EXPECT_NE(first.Preview(), second.Preview());
    EXPECT_NE(second.Preview(), nullptr);
}

TEST_F(ChildViewTest, WindowlessPreviewLeavesAViewThatIgnoresCommands)
{
    ui_.failNextWindow = true;
    CChildView view("Zyl Player");
    EXPECT_TRUE(view.Create(view_, {}));
    EXPECT_EQ(view.Preview(), nullptr);
    EXPECT_FALSE(Query(view, kInfos).enabled);
    EXPECT_TRUE(view.OnCmdMsg(kInfos, UiCommandCode::Execute, nullptr));
}

TEST_F(ChildViewTest, UpdateRulesFollowTheShowCount)
{
    CChildView view("Zyl Player", &MakeTestPreview);
    ASSERT_TRUE(view.Create(view_, {}));
    auto& preview = dynamic_cast<TestPreview&>(*view.Preview());
    struct Case
    {
        std::initializer_list<const char*> shows;
        bool withShows;
        bool withTwo;
    };
    const Case cases[] = {{{}, false, false}, {{"a.zyl"}, true, false}, {{"a.zyl", "b.zyl"}, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shows.size());
        preview.OpenShows(c.shows, 0);
        for (int32_t id : {kClose, kCloseAll, kPlayPause, kMute, kBeginning, kEnd, kForward, kBackward,
                           kFastForward, kFastBackward, kNextFrame, kPreviousFrame})
            EXPECT_EQ(Query(view, id).enabled, c.withShows) << id;
        EXPECT_EQ(Query(view, kNextFile).enabled, c.withTwo);
        EXPECT_EQ(Query(view, kPreviousFile).enabled, c.withTwo);
        for (int32_t id : {kOpen, kExit, kCopy, kPaste, kProperties, kResetFile, kResetGeneric, kSize320x240})
            EXPECT_TRUE(Query(view, id).enabled) << id;
        EXPECT_FALSE(Query(view, kCut).enabled) << "no background picture";
    }
}

TEST_F(ChildViewTest, InfoCommandsToggleAndCheck)
{
    CChildView view("Zyl Player");
    ASSERT_TRUE(view.Create(view_, {}));
    EXPECT_FALSE(Query(view, kInfos).checked);
    EXPECT_TRUE(Query(view, kDisplayTimecode).checked);
    view.OnCmdMsg(kInfos, UiCommandCode::Execute, nullptr);
    view.OnCmdMsg(kDisplayTimecode, UiCommandCode::Execute, nullptr);
    EXPECT_TRUE(Query(view, kInfos).checked);
    EXPECT_FALSE(Query(view, kDisplayTimecode).checked);
    UiCommandUpdate unknown;
    EXPECT_FALSE(view.OnCmdMsg(kFullScreen, UiCommandCode::Update, &unknown)) << "the frame's command";
}

TEST_F(ChildViewTest, SizeCommandsResizeTheFrame)
{
    CChildView view("Zyl Player");
    ASSERT_TRUE(view.Create(view_, {}));
    view.OnCmdMsg(kSize1024x768, UiCommandCode::Execute, nullptr);
    EXPECT_EQ(ui_.WindowSizeOf(frame_), (UiSize{1024 + kFrameChrome.width, 768 + kFrameChrome.height}));
}

TEST_F(ChildViewTest, InTheControlOpenCutCopyAndPasteDoNothing)
{
    CChildView view("Zyl Player ActiveX", &MakeTestPreview);
    ASSERT_TRUE(view.Create(view_, {}));
    auto& preview = dynamic_cast<TestPreview&>(*view.Preview());
    ProcessMemoryClipboard().Empty();
    ASSERT_FALSE(HImage::Create("pasted", 3, 2, true, false)->ToClipboard().Failed());
    ASSERT_TRUE(view.OnCmdMsg(kPaste, UiCommandCode::Execute, nullptr));
    ASSERT_TRUE(preview.HasBackgroundPicture(0)) << "the player pastes";
    ASSERT_FALSE(HImage::Create("other", 5, 2, true, false)->ToClipboard().Failed());

    const DeliverableKind before = CurrentDeliverableKind();
    SetDeliverableKind(DeliverableKind::Control);
    for (const int32_t id : {kOpen, kCut, kCopy, kPaste})
        EXPECT_TRUE(view.OnCmdMsg(id, UiCommandCode::Execute, nullptr)) << id;
    SetDeliverableKind(before);

    EXPECT_TRUE(ui_.fileDialogs.empty());
    HImageRef held;
    ASSERT_FALSE(HImage::FromClipboard(held, "any", true, false).Failed());
    ASSERT_FALSE(held.IsEmpty());
    EXPECT_EQ(held->Width(), 5);
    HImageRef background = preview.pictures_[0].Decode();
    ASSERT_FALSE(background.IsEmpty());
    EXPECT_EQ(background->Width(), 3);
    ProcessMemoryClipboard().Empty();
}

} // namespace

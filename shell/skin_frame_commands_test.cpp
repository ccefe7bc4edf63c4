#include "shell/skin_frame_commands.h"

#include <gtest/gtest.h>

namespace {

using A = SkinFrameAction;

TEST(SkinFrameCommands, MenuAndContextCommands)
{
    struct Case
    {
        int32_t id;
        bool plain;
        bool previewFullScreen;
        A action;
    };
    const Case cases[] = {
        {kCmdAlwaysOnTop, false, false, A::kToggleTopmost}, // menu commands answer update queries too
        {kCmdFullScreen, true, true, A::kToggleFullScreen},
        {kCmdCaptionFrame, true, false, A::kCycleCaptionFrame},
        {kCmdPlaybackControl, true, false, A::kTogglePlaybackControls},
        {kContextFullScreen, true, false, A::kToggleFullScreen},
        {kContextFullScreen, false, false, A::kNone}, // context commands only as plain commands
        {kContextExit, true, false, A::kClose},
        {kContextCaptionFrame, true, false, A::kCycleCaptionFrame},
        {kContextPlaybackControl, true, false, A::kTogglePlaybackControls},
        {kContextAlwaysOnTop, true, false, A::kToggleTopmost},
        // In the preview's own full screen, Caption/Frame and Exit belong to the preview: its Exit
        // only leaves full screen instead of closing the program.
        {kContextCaptionFrame, true, true, A::kNone},
        {kContextExit, true, true, A::kNone},
        {42059, true, false, A::kNone}, // Play/Pause is the preview's
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameCommandAction(c.id, c.plain, c.previewFullScreen), c.action) << c.id;
    EXPECT_EQ(FrameCommandForPreviewCommand(kContextAbout), kCmdAbout);
    EXPECT_EQ(FrameCommandForPreviewCommand(kContextManual), kCmdManual);
    EXPECT_EQ(FrameCommandForPreviewCommand(42055), 42055);
}

TEST(SkinFrameCommands, KeysTakenBeforeThePreview)
{
    struct Case
    {
        int32_t key;
        bool alt, ctrl, maximized;
        A action;
    };
    const Case cases[] = {
        {13, true, false, false, A::kToggleFullScreen},
        {13, false, false, false, A::kNone},
        {27, false, false, true, A::kRestore},
        {27, false, false, false, A::kNone}, // Escape reaches the preview unless maximised
        {'E', false, false, false, A::kTogglePlaybackControls},
        {'M', false, true, false, A::kCycleCaptionFrame},
        {'M', false, false, false, A::kNone}, // plain M mutes in the preview
        {'T', false, true, false, A::kToggleTopmost},
        {'T', false, false, false, A::kNone},
        {' ', false, false, false, A::kNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameKeyAction(c.key, c.alt, c.ctrl, c.maximized), c.action) << c.key;
}

} // namespace

// The commands and keys the skinned frame takes for itself: frame styles, full screen, the
// playback strip, Always On Top and Exit, from the main menu, the preview's context menu and the
// keyboard. Whatever the frame declines goes on to the preview.
#pragma once

#include <cstdint>

// Main menu commands of the frame and the application.
inline constexpr int32_t kCmdAbout = 32768;
inline constexpr int32_t kCmdAlwaysOnTop = 32772;
inline constexpr int32_t kCmdFullScreen = 32777;
inline constexpr int32_t kCmdCaptionFrame = 32792;
inline constexpr int32_t kCmdPlaybackControl = 32803;
inline constexpr int32_t kCmdManual = 32804;
// The preview's context-menu commands that reach the frame.
inline constexpr int32_t kContextFullScreen = 42054;
inline constexpr int32_t kContextExit = 42062;
inline constexpr int32_t kContextCaptionFrame = 42063;
inline constexpr int32_t kContextPlaybackControl = 42068;
inline constexpr int32_t kContextAbout = 42069;
inline constexpr int32_t kContextAlwaysOnTop = 42080;
inline constexpr int32_t kContextManual = 42084;

enum class SkinFrameAction {
    kNone, // not the frame's: declined
    kToggleTopmost,
    kToggleFullScreen,
    kCycleCaptionFrame,
    kTogglePlaybackControls,
    kClose,
    kRestore, // a maximised frame back to normal, frame mode 0
};

// The preview's context commands that the frame answers with its own menu commands: About and
// Manual; any other id comes back unchanged.
int32_t FrameCommandForPreviewCommand(int32_t id);

// What a command does in the frame. Context commands count only as plain commands (not update
// queries); in the preview's own full screen the frame leaves Caption/Frame and Exit to it, whose
// Exit then only leaves full screen.
SkinFrameAction FrameCommandAction(int32_t id, bool plainCommand, bool previewFullScreen);

// What a key does in the frame before the preview sees it; kNone leaves it to the preview.
SkinFrameAction FrameKeyAction(int32_t character, bool alt, bool ctrl, bool maximized);

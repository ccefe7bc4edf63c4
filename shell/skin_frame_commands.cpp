#include "shell/skin_frame_commands.h"

namespace {

constexpr int32_t kKeyEnter = 13;
constexpr int32_t kKeyEscape = 27;
constexpr int32_t kKeyE = 'E';
constexpr int32_t kKeyM = 'M';
constexpr int32_t kKeyT = 'T';

SkinFrameAction ContextCommandAction(int32_t id, bool previewFullScreen)
{
    switch (id) {
    case kContextFullScreen:
        return SkinFrameAction::kToggleFullScreen;
    case kContextExit:
        return previewFullScreen ? SkinFrameAction::kNone : SkinFrameAction::kClose;
    case kContextCaptionFrame:
        return previewFullScreen ? SkinFrameAction::kNone : SkinFrameAction::kCycleCaptionFrame;
    case kContextPlaybackControl:
        return SkinFrameAction::kTogglePlaybackControls;
    case kContextAlwaysOnTop:
        return SkinFrameAction::kToggleTopmost;
    default:
        return SkinFrameAction::kNone;
    }
}

} // namespace

int32_t FrameCommandForPreviewCommand(int32_t id)
{
    if (id == kContextAbout)
        return kCmdAbout;
    if (id == kContextManual)
        return kCmdManual;
    return id;
}

SkinFrameAction FrameCommandAction(int32_t id, bool plainCommand, bool previewFullScreen)
{
    switch (id) {
    case kCmdAlwaysOnTop:
        return SkinFrameAction::kToggleTopmost;
    case kCmdFullScreen:
        return SkinFrameAction::kToggleFullScreen;
    case kCmdCaptionFrame:
        return SkinFrameAction::kCycleCaptionFrame;
    case kCmdPlaybackControl:
        return SkinFrameAction::kTogglePlaybackControls;
    default:
        return plainCommand ? ContextCommandAction(id, previewFullScreen) : SkinFrameAction::kNone;
    }
}

SkinFrameAction FrameKeyAction(int32_t character, bool alt, bool ctrl, bool maximized)
{
    switch (character) {
    case kKeyEnter:
        return alt ? SkinFrameAction::kToggleFullScreen : SkinFrameAction::kNone;
    case kKeyEscape:
        return maximized ? SkinFrameAction::kRestore : SkinFrameAction::kNone;
    case kKeyE:
        return SkinFrameAction::kTogglePlaybackControls;
    case kKeyM:
        return ctrl ? SkinFrameAction::kCycleCaptionFrame : SkinFrameAction::kNone;
    case kKeyT:
        return ctrl ? SkinFrameAction::kToggleTopmost : SkinFrameAction::kNone;
    default:
        return SkinFrameAction::kNone;
    }
}

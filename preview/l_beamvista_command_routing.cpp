// The preview's command routing: the playback bar and the host are offered each command first;
// the preview carries out its own commands; everything else goes back to the caller's routing.
#include "preview/l_beamvista.h"

#include "params/beamvista_pars.h"
#include "preview/preview_command_ids.h"

bool LBeamvista::OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update)
{
    if (status_.OfferCommand(static_cast<uint32_t>(id), static_cast<int32_t>(code), nullptr,
                             code == UiCommandCode::Update ? update : nullptr))
        return true;
    return code == UiCommandCode::Execute && RunPreviewCommand(id);
}

bool LBeamvista::RunPreviewCommand(int32_t id)
{
    using namespace preview_command;
    switch (id) {
    case kProperties:
        ShowParameterDialog();
        return true;
    case kResetProperties:
        ResetParameters(true, kBeamvistaFileGroups);
        return true;
    case kClose:
        CloseCurrentEntry();
        return true;
    case kFullScreen:
        ToggleFullScreen();
        return true;
    case kCopy:
        CopyImage();
        return true;
    case kOpen:
        OpenFileDialog(false);
        return true;
    case kCloseAll:
        CloseAllCommand();
        return true;
    case kInfos:
        SetShowInfo(!ShowInfo());
        return true;
    case kPlayPause:
        TogglePlayPause();
        return true;
    case kPreviousFile:
        StepFile(false);
        return true;
    case kNextFile:
        StepFile(true);
        return true;
    case kExit:
        if (fullScreen_) {
            SetFullScreen(false);
            return true;
        }
        // A top-level preview hides itself; the host still gets the command.
        if (HasWindow() && window_->Kind() != NativeWindowKind::Child)
            window_->Show(false);
        return false;
    case kCaptionFrame:
        ToggleCaptionFrame();
        return true;
    case kCut:
        CutImage();
        return true;
    case kPaste:
        PasteImage();
        return true;
    case kPlaybackControl:
        ShowPlaybackBar();
        return true;
    case kMute:
        SetMute(!IsMuted());
        return true;
    case kBeginning:
        Navigate(LShowPlayback::kNavigateBeginning);
        return true;
    case kEnd:
        Navigate(LShowPlayback::kNavigateEnd);
        return true;
    case kForward:
        Navigate(LShowPlayback::kNavigateForward | LShowPlayback::kNavigateFast);
        return true;
    case kBackward:
        Navigate(LShowPlayback::kNavigateBackward | LShowPlayback::kNavigateFast);
        return true;
    case kStop:
        Stop();
        return true;
    case kDisplayPcFps:
        SetShowPcFps(!ShowPcFps());
        return true;
    case kDisplayLaserFps:
        SetShowLaserFps(!ShowLaserFps());
        return true;
    case kDisplayTimecode:
        SetShowTimecode(!ShowTimecode());
        return true;
    case kClear:
        OnClear();
        return true;
    default:
        return false;
    }
}

#include "activex/wx/wx_control_player.h"

#include "preview/l_beamvista.h"
#include "shell/wx/c_skin_frame.h"
#include "shell/wx/wx_child_view.h"

WxControlPlayer::WxControlPlayer(CSkinFrame& frame) : frame_(frame)
{
}

LBeamvista* WxControlPlayer::Preview() const
{
    return frame_.View() != nullptr ? frame_.View()->View().Preview() : nullptr;
}

bool WxControlPlayer::Play()
{
    return Preview() != nullptr && Preview()->Play();
}

bool WxControlPlayer::Pause()
{
    return Preview() != nullptr && Preview()->Pause();
}

bool WxControlPlayer::Stop()
{
    return Preview() != nullptr && Preview()->Stop();
}

bool WxControlPlayer::IsPaused() const
{
    return Preview() != nullptr && Preview()->IsPaused();
}

bool WxControlPlayer::SetMute(bool on)
{
    return Preview() != nullptr && Preview()->SetMute(on);
}

bool WxControlPlayer::IsMuted() const
{
    return Preview() != nullptr && Preview()->IsMuted();
}

bool WxControlPlayer::SeekFraction(float fraction)
{
    return Preview() != nullptr && Preview()->SeekFraction(fraction);
}

void WxControlPlayer::CloseAll(bool dropPictures)
{
    if (Preview() != nullptr) {
        Preview()->CloseAll(dropPictures);
    }
}

bool WxControlPlayer::HasPreviewWindow() const
{
    return Preview() != nullptr && Preview()->HasWindow();
}

void WxControlPlayer::ShowContextMenu()
{
    if (Preview() != nullptr) {
        Preview()->ShowContextMenu();
    }
}

float WxControlPlayer::PositionFraction() const
{
    return frame_.Model().Position();
}

bool WxControlPlayer::IsFrameShown() const
{
    const SkinFrameState& state = frame_.Model().State();
    return state.skin || state.skinMin;
}

void WxControlPlayer::SetSkinLayout(bool skin, bool skinMin)
{
    frame_.SetSkinLayout(skin, skinMin);
}

bool WxControlPlayer::IsFullScreen() const
{
    return frame_.IsFullScreen();
}

void WxControlPlayer::SetFullScreen(bool on, bool ctrlHeld)
{
    frame_.SetFullScreen(on, ctrlHeld);
}

bool WxControlPlayer::OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                                     bool final)
{
    return Preview() != nullptr && Preview()->OpenFromMemory(name, data, size, threshold, final);
}

bool WxControlPlayer::FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                                   bool final)
{
    return Preview() != nullptr && Preview()->FeedMoreData(name, data, size, threshold, final);
}

int64_t WxControlPlayer::GetPlayTimeUs()
{
    return Preview() != nullptr ? Preview()->GetPlayTimeUs() : -1;
}

int64_t WxControlPlayer::GetBufferedTimeUs()
{
    return Preview() != nullptr ? Preview()->GetBufferedTimeUs() : -1;
}

void WxControlPlayer::SetStatusText(const XAString& text)
{
    if (Preview() != nullptr) {
        Preview()->SetStatusText(text);
    }
}

bool WxControlPlayer::SeekToTime(int64_t time, bool keepPaused)
{
    return Preview() != nullptr && Preview()->SeekToTime(time, keepPaused);
}

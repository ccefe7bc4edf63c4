#include "activex/wx/wx_control_player.h"

#include "preview/l_beamvista.h"
#include "preview/preview_command_ids.h"
#include "shell/wx/wx_child_view.h"

namespace {

bool IsControlCommand(uint32_t id)
{
    switch (static_cast<int32_t>(id)) {
    case preview_command::kClose:
    case preview_command::kCloseAll:
    case preview_command::kAbout:
    case preview_command::kStopLoading:
    case preview_command::kReload:
        return true;
    default:
        return false;
    }
}

} // namespace

WxControlPlayer::WxControlPlayer(WxChildView& view, std::function<bool(int32_t)> onCommand)
    : view_(view), onCommand_(std::move(onCommand))
{
    if (LBeamvista* preview = Preview()) {
        preview->SetStatusCallback(&relay_);
    }
}

WxControlPlayer::~WxControlPlayer()
{
    if (LBeamvista* preview = Preview()) {
        preview->SetStatusCallback(nullptr);
    }
}

LBeamvista* WxControlPlayer::Preview() const
{
    return view_.View().Preview();
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

bool WxControlPlayer::IsFullScreen() const
{
    return Preview() != nullptr && Preview()->IsFullScreen();
}

void WxControlPlayer::SetFullScreen(bool on, bool)
{
    if (Preview() != nullptr) {
        Preview()->SetFullScreen(on);
    }
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

int WxControlPlayer::StatusRelay::OnPreviewCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo)
{
    // Update queries and notifications stay with the preview; plain commands the control owns
    // go to it.
    if (code != 0 || handlerInfo != nullptr || !IsControlCommand(id)) {
        return 0;
    }
    return player_.onCommand_(static_cast<int32_t>(id)) ? 1 : 0;
}

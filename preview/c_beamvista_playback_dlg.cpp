#include "preview/c_beamvista_playback_dlg.h"

#include "foundation/tasks/sys_clock.h"

#include <utility>

namespace {

constexpr int64_t kMicrosecondsPerMillisecond = 1000;

} // namespace

CBeamvistaPlaybackDlg::~CBeamvistaPlaybackDlg()
{
    if (PlaybackBarWindow* window = std::exchange(window_, nullptr))
        window->Dispose();
}

std::shared_ptr<CBeamvistaPlaybackDlg> CBeamvistaPlaybackDlg::Create(UiWindowId parent)
{
    PlaybackBarFactory* factory = CurrentPlaybackBarFactory();
    if (!factory)
        return nullptr;
    auto bar = std::make_shared<CBeamvistaPlaybackDlg>();
    bar->window_ = factory->Create(parent, bar->model_.SliderValue(), bar.get());
    if (!bar->window_)
        return nullptr;
    return bar;
}

int64_t CBeamvistaPlaybackDlg::NowMs()
{
    return GetSysTimeUs() / kMicrosecondsPerMillisecond;
}

void CBeamvistaPlaybackDlg::ShowOnTop()
{
    if (window_)
        window_->ShowOnTop();
}

void CBeamvistaPlaybackDlg::SetFileName(const char* title)
{
    if (window_)
        window_->SetCaption(title);
}

void CBeamvistaPlaybackDlg::SetPlayState(int32_t state, bool moreThanOneShow, bool opened)
{
    UpdateButtons(state, moreThanOneShow, opened, false);
}

void CBeamvistaPlaybackDlg::UpdateButtons(int32_t state, bool moreThanOneShow, bool opened, bool force)
{
    const int32_t slider = model_.SliderValue();
    const std::optional<PlaybackBarEnables> enables = model_.UpdateButtons(state, moreThanOneShow, opened, force);
    if (!window_ || !enables)
        return;
    window_->SetEnables(*enables);
    // States without a show put the thumb at the start.
    if (model_.SliderValue() != slider)
        window_->SetSliderValue(model_.SliderValue());
}

void CBeamvistaPlaybackDlg::SetPosition(float progress, float)
{
    const std::optional<int32_t> value = model_.SetPosition(progress);
    if (window_ && value)
        window_->SetSliderValue(*value);
}

void CBeamvistaPlaybackDlg::OnBarButtonPressed(PlaybackBarButton button)
{
    model_.OnPressed(button, NowMs());
}

void CBeamvistaPlaybackDlg::OnBarButtonClicked(PlaybackBarButton button)
{
    model_.OnClicked(button);
}

void CBeamvistaPlaybackDlg::OnBarButtonReleased(PlaybackBarButton button)
{
    model_.OnReleased(button);
}

void CBeamvistaPlaybackDlg::OnBarSliderMoved(int32_t position)
{
    model_.OnSliderMoved(position);
}

void CBeamvistaPlaybackDlg::OnBarTimer()
{
    if (window_)
        model_.OnTimer(NowMs(), window_->IsShownPressed(PlaybackBarButton::kBack),
                       window_->IsShownPressed(PlaybackBarButton::kForward));
}

void CBeamvistaPlaybackDlg::OnBarWindowDestroyed()
{
    window_ = nullptr;
}

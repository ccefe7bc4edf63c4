#include "preview/playback_bar_model.h"

#include <algorithm>

namespace {

constexpr int32_t kStateNoShow = 1;
constexpr int32_t kStateStopped = 2;
constexpr int32_t kStatePlaying = 3;
constexpr int32_t kStatePaused = 4;
// Values no report gives: the next report always moves the thumb.
constexpr float kNoPosition = -1;
constexpr int32_t kNoSliderValue = -2;

int32_t Index(PlaybackBarButton button)
{
    return static_cast<int32_t>(button);
}

} // namespace

std::optional<int32_t> PlaybackBarModel::SetPosition(float fraction)
{
    if (fraction == lastPosition_)
        return std::nullopt;
    lastPosition_ = fraction;
    const auto value = static_cast<int32_t>(std::clamp(fraction * kPlaybackSliderRange + 0.5f, 0.0f,
                                                       static_cast<float>(kPlaybackSliderRange)));
    if (value == lastSliderValue_)
        return std::nullopt;
    lastSliderValue_ = value;
    return value;
}

std::optional<PlaybackBarEnables> PlaybackBarModel::UpdateButtons(int32_t state, bool moreThanOneShow,
                                                                  bool opened, bool force)
{
    if (state == lastState_ && moreThanOneShow == lastMoreThanOneShow_ && opened == lastOpened_ && !force)
        return std::nullopt;
    lastState_ = state;
    lastMoreThanOneShow_ = moreThanOneShow;
    lastOpened_ = opened;
    PlaybackBarEnables enables;
    auto set = [&enables](PlaybackBarButton button, bool on) { enables.buttons[Index(button)] = on; };
    switch (state) {
    case kStateNoShow:
    case kStateStopped:
        SetPosition(0);
        set(PlaybackBarButton::kPlay, state != kStateNoShow);
        return enables;
    case kStatePlaying:
    case kStatePaused:
        set(PlaybackBarButton::kPlay, state != kStatePlaying);
        set(PlaybackBarButton::kStop, true);
        set(PlaybackBarButton::kBack, opened);
        set(PlaybackBarButton::kForward, opened);
        set(PlaybackBarButton::kPrev, moreThanOneShow);
        set(PlaybackBarButton::kNext, moreThanOneShow);
        enables.slider = opened;
        return enables;
    default:
        return std::nullopt;
    }
}

void PlaybackBarModel::OnSliderMoved(int32_t p)
{
    if (!playback_)
        return;
    lastPosition_ = kNoPosition;
    lastSliderValue_ = kNoSliderValue;
    playback_->SeekFraction(static_cast<float>(p) / kPlaybackSliderRange);
}

bool PlaybackBarModel::Repeats(PlaybackBarButton button)
{
    return button == PlaybackBarButton::kBack || button == PlaybackBarButton::kForward;
}

void PlaybackBarModel::Step(PlaybackBarButton button)
{
    if (!playback_)
        return;
    switch (button) {
    case PlaybackBarButton::kPlay:
        playback_->Play();
        break;
    case PlaybackBarButton::kStop:
        playback_->Stop();
        break;
    case PlaybackBarButton::kBack:
        playback_->Backward();
        break;
    case PlaybackBarButton::kForward:
        playback_->Forward();
        break;
    case PlaybackBarButton::kPrev:
        playback_->PreviousFile();
        break;
    case PlaybackBarButton::kNext:
        playback_->NextFile();
        break;
    }
}

void PlaybackBarModel::OnPressed(PlaybackBarButton button, int64_t nowMs)
{
    if (!Repeats(button))
        return;
    holds_[Index(button)] = {true, nowMs};
    Step(button);
}

void PlaybackBarModel::OnClicked(PlaybackBarButton button)
{
    if (Repeats(button) && holds_[Index(button)].pressed)
        return;
    Step(button);
}

void PlaybackBarModel::OnReleased(PlaybackBarButton button)
{
    holds_[Index(button)].pressed = false;
}

void PlaybackBarModel::RepeatIfHeld(PlaybackBarButton button, int64_t nowMs, bool shownPressed)
{
    const Hold& hold = holds_[Index(button)];
    if (hold.pressed && shownPressed && nowMs - hold.pressedAt >= kRepeatDelayMs)
        Step(button);
}

void PlaybackBarModel::OnTimer(int64_t nowMs, bool backShownPressed, bool forwardShownPressed)
{
    RepeatIfHeld(PlaybackBarButton::kBack, nowMs, backShownPressed);
    RepeatIfHeld(PlaybackBarButton::kForward, nowMs, forwardShownPressed);
}

// The playback bar's decisions, apart from its window: where the slider's thumb goes for a
// reported position, which buttons a play state enables, what a slider move asks of the preview,
// and how Back and Forward step while they are held.
#pragma once

#include "preview/l_beamvista_playback_callback.h"

#include <array>
#include <cstdint>
#include <optional>

enum class PlaybackBarButton : int32_t { kPlay, kStop, kBack, kForward, kPrev, kNext };
inline constexpr int32_t kPlaybackBarButtonCount = 6;

// The slider's range: a position p stands for p / 1024 of the show.
inline constexpr int32_t kPlaybackSliderRange = 1024;

struct PlaybackBarEnables
{
    std::array<bool, kPlaybackBarButtonCount> buttons{};
    bool slider = false;

    bool Button(PlaybackBarButton button) const { return buttons[static_cast<int32_t>(button)]; }
};

class PlaybackBarModel
{
  public:
    // The timer's period, and how long Back or Forward must be held before its ticks repeat them,
    // so that a short click steps once however the ticks fall.
    static constexpr int64_t kRepeatPeriodMs = 100;
    static constexpr int64_t kRepeatDelayMs = 150;

    // Not owned; null until the preview sets it, and nothing is asked of it then.
    void SetPlayback(LBeamvistaPlaybackCallback* playback) { playback_ = playback; }
    LBeamvistaPlaybackCallback* Playback() const { return playback_; }

    // The slider value to show for a reported position; none when the thumb stays.
    std::optional<int32_t> SetPosition(float fraction);
    // The enables for a play state (1 to 4); none when nothing changes. A repeated state changes
    // nothing unless forced.
    std::optional<PlaybackBarEnables> UpdateButtons(int32_t state, bool moreThanOneShow, bool opened, bool force);
    int32_t SliderValue() const { return lastSliderValue_; }

    // The user moved the slider to p (0..1024): the preview seeks there, and the next report
    // moves the thumb whatever it says.
    void OnSliderMoved(int32_t p);

    // A mouse press on a button: Back and Forward step at once.
    void OnPressed(PlaybackBarButton button, int64_t nowMs);
    // The button's click (the mouse released over it, or the keyboard): a press that already
    // stepped steps no more.
    void OnClicked(PlaybackBarButton button);
    // After the click that ends a mouse press, or the release of one that ends elsewhere.
    void OnReleased(PlaybackBarButton button);
    // The 100 ms timer: Back and Forward step again while they are shown pressed.
    void OnTimer(int64_t nowMs, bool backShownPressed, bool forwardShownPressed);

  private:
    struct Hold
    {
        bool pressed = false;
        int64_t pressedAt = 0;
    };
    static bool Repeats(PlaybackBarButton button);
    void Step(PlaybackBarButton button);
    void RepeatIfHeld(PlaybackBarButton button, int64_t nowMs, bool shownPressed);

    LBeamvistaPlaybackCallback* playback_ = nullptr;
    int32_t lastState_ = 0;
    bool lastOpened_ = false;
    bool lastMoreThanOneShow_ = false;
    float lastPosition_ = 0;
    int32_t lastSliderValue_ = 0;
    std::array<Hold, kPlaybackBarButtonCount> holds_{};
};

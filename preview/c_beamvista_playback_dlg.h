// CBeamvistaPlaybackDlg: the playback bar that the Playback Control command opens. It shows the
// preview's play state and position, which it hears as a status callback, and sends its buttons
// and slider to the preview's playback interface. Its window comes from the playback bar factory;
// closing the window only hides it.
#pragma once

#include "preview/l_beamvista_status_callback.h"
#include "preview/playback_bar_model.h"
#include "preview/playback_bar_window.h"

#include <memory>

class CBeamvistaPlaybackDlg final : public LBeamvistaStatusCallback, public PlaybackBarSink
{
  public:
    CBeamvistaPlaybackDlg() = default;
    ~CBeamvistaPlaybackDlg() override;
    CBeamvistaPlaybackDlg(const CBeamvistaPlaybackDlg&) = delete;
    CBeamvistaPlaybackDlg& operator=(const CBeamvistaPlaybackDlg&) = delete;

    // A bar with its window over parent, hidden; null when the window cannot be made.
    static std::shared_ptr<CBeamvistaPlaybackDlg> Create(UiWindowId parent);

    void SetPlayback(LBeamvistaPlaybackCallback* playback) { model_.SetPlayback(playback); }
    bool HasWindow() const { return window_ != nullptr; }
    void ShowOnTop();
    // The slider value shown.
    int32_t SliderValue() const { return model_.SliderValue(); }

    // LBeamvistaStatusCallback
    void SetFileName(const char* title) override;
    void SetPlayState(int32_t state, bool moreThanOneShow, bool opened) override;
    void SetPosition(float progress, float loaded) override;
    void UpdateButtons(int32_t state, bool moreThanOneShow, bool opened, bool force);

    // PlaybackBarSink
    void OnBarButtonPressed(PlaybackBarButton button) override;
    void OnBarButtonClicked(PlaybackBarButton button) override;
    void OnBarButtonReleased(PlaybackBarButton button) override;
    void OnBarSliderMoved(int32_t position) override;
    void OnBarTimer() override;
    void OnBarWindowDestroyed() override;

  private:
    static int64_t NowMs();

    PlaybackBarModel model_;
    PlaybackBarWindow* window_ = nullptr;
};

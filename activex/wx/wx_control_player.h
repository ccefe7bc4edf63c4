// The player inside the control's window: the view with its preview, filling the window. The
// skinned frame is not yet able to live as a child window, so the view stands in its place and
// the frame's layout calls (Frame, the playback strip) change nothing yet.
#pragma once

#include "activex/control_player.h"
#include "preview/l_beamvista_status_callback.h"

#include <functional>

class LBeamvista;
class WxChildView;
class wxWindow;

class WxControlPlayer final : public ControlPlayer
{
  public:
    // Commands the preview offers and the control takes (Close, Close All, About, Stop Loading,
    // Reload) go to onCommand.
    WxControlPlayer(WxChildView& view, std::function<bool(int32_t)> onCommand);
    ~WxControlPlayer() override;

    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    bool IsPaused() const override;
    bool SetMute(bool on) override;
    bool IsMuted() const override;
    bool SeekFraction(float fraction) override;
    float PositionFraction() const override { return position_; }
    void CloseAll(bool dropPictures) override;
    bool HasPreviewWindow() const override;
    void ShowContextMenu() override;
    bool IsFrameShown() const override { return false; }
    void SetSkinLayout(bool, bool) override {}
    bool IsFullScreen() const override;
    void SetFullScreen(bool on, bool ctrlHeld) override;
    bool OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                        bool final) override;
    bool FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                      bool final) override;
    int64_t GetPlayTimeUs() override;
    int64_t GetBufferedTimeUs() override;
    bool SeekToTime(int64_t time, bool keepPaused) override;
    void SetStatusText(const XAString& text) override;

  private:
    // What the preview reports: its position, and the commands it offers its host first.
    class StatusRelay final : public LBeamvistaStatusCallback
    {
      public:
        explicit StatusRelay(WxControlPlayer& player) : player_(player) {}
        int OnPreviewCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo) override;
        void SetPosition(float progress, float loaded) override { player_.position_ = progress; }

      private:
        WxControlPlayer& player_;
    };

    LBeamvista* Preview() const;

    WxChildView& view_;
    std::function<bool(int32_t)> onCommand_;
    float position_ = 0;
    StatusRelay relay_{*this};
};

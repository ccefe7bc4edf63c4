// The player inside the control's window: the skinned frame as a child filling the window, with
// its view and preview. The frame's commands that neither the view, the frame nor the module
// handle go on to the control, the frame's parent.
#pragma once

#include "activex/control_player.h"

class CSkinFrame;
class LBeamvista;

class WxControlPlayer final : public ControlPlayer
{
  public:
    // The frame outlives the player (the player goes first when the window goes).
    explicit WxControlPlayer(CSkinFrame& frame);

    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    bool IsPaused() const override;
    bool SetMute(bool on) override;
    bool IsMuted() const override;
    bool SeekFraction(float fraction) override;
    float PositionFraction() const override;
    void CloseAll(bool dropPictures) override;
    bool HasPreviewWindow() const override;
    void ShowContextMenu() override;
    bool IsFrameShown() const override;
    void SetSkinLayout(bool skin, bool skinMin) override;
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
    LBeamvista* Preview() const;

    CSkinFrame& frame_;
};

// What the control asks of the player it shows: the preview inside the player frame. The window
// side implements it over the frame and its preview; tests implement it with a recorder.
//
// Contract: the control calls it on the GUI thread only while the player exists; the player
// outlives no call. The engine operations of the control build (OpenFromMemory to SetStatusText)
// are used by the download side; every argument means what it means to LBeamvista.
#pragma once

#include "foundation/strings/xa_string.h"

#include <cstdint>

class ControlPlayer
{
  public:
    virtual ~ControlPlayer() = default;

    // Playback.
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    virtual bool Stop() = 0;
    virtual bool IsPaused() const = 0;
    virtual bool SetMute(bool on) = 0;
    virtual bool IsMuted() const = 0;
    virtual bool SeekFraction(float fraction) = 0;
    // The position last reported by the preview, 0..1.
    virtual float PositionFraction() const = 0;
    virtual void CloseAll(bool dropPictures) = 0;
    // Whether the preview's window exists (its context menu can be shown).
    virtual bool HasPreviewWindow() const = 0;
    virtual void ShowContextMenu() = 0;

    // The frame around the preview.
    // True when the frame shows the skin or the thin playback strip.
    virtual bool IsFrameShown() const = 0;
    virtual void SetSkinLayout(bool skin, bool skinMin) = 0;
    virtual bool IsFullScreen() const = 0;
    virtual void SetFullScreen(bool on, bool ctrlHeld) = 0;

    // The engine operations of the control build.
    virtual bool OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                                bool final) = 0;
    virtual bool FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                              bool final) = 0;
    // -1 when no show is open.
    virtual int64_t GetPlayTimeUs() = 0;
    // -1 when unknown.
    virtual int64_t GetBufferedTimeUs() = 0;
    virtual bool SeekToTime(int64_t time, bool keepPaused) = 0;
    virtual void SetStatusText(const XAString& text) = 0;
};

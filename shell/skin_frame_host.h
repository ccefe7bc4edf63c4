// What the skinned frame's model asks of its window and of the preview it plays with. The window
// layer implements it over the toolkit; tests implement it with a recorder.
#pragma once

#include "platform/raster_bitmap.h"

#include <cstdint>

class SkinFrameHost
{
  public:
    virtual ~SkinFrameHost() = default;

    // The preview; without one every playback call does nothing and returns false.
    virtual bool HasPreview() const = 0;
    virtual bool IsPreviewPaused() const = 0;
    virtual bool PausePreview() = 0;
    virtual bool PlayPreview() = 0;
    virtual void SeekPreview(float fraction) = 0;
    virtual void ShowPreviewContextMenu() = 0;
    virtual void OpenPreviewFileDialog() = 0;
    virtual void PreviousFile() = 0;
    virtual void StopPreview() = 0;
    virtual void TogglePlayPause() = 0;
    virtual void NextFile() = 0;
    virtual void ToggleMute() = 0;

    // The window.
    virtual bool IsWindowEnabled() const = 0;
    // The pointer's client position when it is over this window.
    virtual bool PointerInWindow(int32_t& x, int32_t& y) const = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // Asks once for a notice when the pointer leaves the window.
    virtual void TrackMouseLeave() = 0;
    virtual void Repaint(const RasterRect& rect) = 0;
    virtual void Minimize() = 0;
    virtual void ToggleMaximize() = 0;
    virtual void PostClose() = 0;
    // The hovered element's tooltip changed (null: none).
    virtual void SetTooltip(const char* text) = 0;
};

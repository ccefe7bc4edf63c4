#pragma once
// What the show list and playback ask of the preview that owns them: the window, the show's
// pictures and settings, the title, redraws, status and the failure box. Each hook does nothing
// until the preview gives it a body.

#include "foundation/strings/xa_string.h"

#include <cstdint>

class LShowPlaybackHost
{
  public:
    // Shows are added only to a preview that has its window.
    virtual bool HasWindow() { return true; }
    // A show was opened: its pictures, the title, a redraw, the show's own settings, the status.
    virtual void OnShowOpened() {}
    // Before the show's stream closes: its pictures go.
    virtual void OnShowClosing() {}
    // After it closed: its settings are dropped, the title changes.
    virtual void OnShowClosed() {}
    virtual void UpdateTitle() {}
    virtual void Redraw() {}
    virtual void NotifyStatus(uint32_t bits) {}
    virtual void DeliverStatus() {}
    // "OpenZyl failed!" with the path, a blank line and the stream's error text.
    virtual void ReportOpenFailure(const XAString& text) {}
    // Posted frames of the renderer are dropped (Close All).
    virtual void DropPostedFrames() {}
    // The frame sequence is emptied after collected paths were opened.
    virtual void ClearFrameSequence() {}
    virtual bool LoadSettingsFile(const XAString& path) { return true; }
    // Into the first free background slot; false stops the remaining paths.
    virtual bool LoadBackgroundImage(const XAString& path) { return true; }

  protected:
    ~LShowPlaybackHost() = default;
};

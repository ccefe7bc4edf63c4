#pragma once
// The preview as host of its show list and playback: titles, redraws, status, the show's own
// settings, parameter files, background pictures, the failure box and the frames it was given to
// draw go to the preview. The hooks of concerns not yet built keep the host's defaults.

#include "preview/show_playback_host.h"

class LBeamvista;

class LBeamvistaShowHost final : public LShowPlaybackHost
{
  public:
    explicit LBeamvistaShowHost(LBeamvista& preview) : preview_(preview) {}

    bool HasWindow() override;
    void OnShowOpened() override;
    void OnShowClosing() override;
    void OnShowClosed() override;
    void UpdateTitle() override;
    void Redraw() override;
    void NotifyStatus(uint32_t bits) override;
    void DeliverStatus() override;
    bool LoadSettingsFile(const XAString& path) override;
    bool LoadBackgroundImage(const XAString& path) override;
    // One box per chain of failures; one raised by the playback step waits until the paint ends.
    void ReportOpenFailure(const XAString& text) override;
    void DropPostedFrames() override;
    void ClearFrameSequence() override;

  private:
    LBeamvista& preview_;
};

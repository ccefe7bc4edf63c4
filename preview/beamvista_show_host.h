#pragma once
// The preview as host of its show list and playback: titles, redraws, status and the failure box
// go to the preview. The hooks of concerns not yet built keep the host's defaults.

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
    // One box per chain of failures; one raised by the playback step waits until the paint ends.
    void ReportOpenFailure(const XAString& text) override;

  private:
    LBeamvista& preview_;
};

#pragma once
// A skin frame host with no preview and no window behind it: every request is refused or
// ignored, so the frame model and composer can run alone in tests and benchmarks.

#include "shell/skin_frame_host.h"

class IdleSkinFrameHost : public SkinFrameHost
{
  public:
    bool HasPreview() const override { return false; }
    bool IsPreviewPaused() const override { return false; }
    bool PausePreview() override { return false; }
    bool PlayPreview() override { return false; }
    void SeekPreview(float) override {}
    void ShowPreviewContextMenu() override {}
    void OpenPreviewFileDialog() override {}
    void PreviousFile() override {}
    void StopPreview() override {}
    void TogglePlayPause() override {}
    void NextFile() override {}
    void ToggleMute() override {}
    bool IsWindowEnabled() const override { return true; }
    bool PointerInWindow(int32_t&, int32_t&) const override { return false; }
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void TrackMouseLeave() override {}
    void Repaint(const RasterRect&) override {}
    void Minimize() override {}
    void ToggleMaximize() override {}
    void PostClose() override {}
    void SetTooltip(const char*) override {}
};

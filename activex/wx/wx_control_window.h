// The control's window in the container's window, and the port through which the control asks
// things of it. The toolkit owns the window; the port only points at it and learns of its end,
// after which it touches it never again.
#pragma once

#include "activex/control_window.h"

#include <memory>

class WxControlSurface;

class WxControlWindow final : public ControlWindow
{
  public:
    WxControlWindow(void* parent, ControlWindowEvents& events);
    ~WxControlWindow() override;

    bool Exists() const override { return surface_ != nullptr; }
    bool IsVisible() const override;
    void Show(bool show) override;
    void SetRect(const ComRect& rect) override;
    void Invalidate() override;
    void StartTimer(uint32_t milliseconds) override;
    void KillTimer() override;
    bool CtrlHeld() const override;
    ControlPlayer* CreatePlayer() override;
    void ShowFallbackMenu() override;
    void ShowAboutBox() override;
    void ShowPropertyFrame() override;
    void Destroy() override;

    // The surface went (also with its parent).
    void OnSurfaceDestroyed() { surface_ = nullptr; }

  private:
    WxControlSurface* surface_ = nullptr;
};

// Makes the window of a control; installed as the control window maker.
std::unique_ptr<ControlWindow> MakeWxControlWindow(void* parent, ControlWindowEvents& events);
// The property page's text shown inside a property frame's page area.
bool ShowWxPropPage(void* parent, const ComRect* rect, const char* text);

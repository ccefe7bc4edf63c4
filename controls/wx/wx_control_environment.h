// The control environment on the desktop: timers that belong to their window, the cursor hidden
// by a count, the pointer read from and warped by the X server, the live Ctrl key, and GTK's
// double-click settings.
#pragma once

#include "controls/control_environment.h"

#include <cstdint>

class WxControlEnvironment : public ControlEnvironment
{
  public:
    bool SetTimer(ControlWindow& window, uint32_t id, uint32_t periodMs) override;
    void KillTimer(ControlWindow& window, uint32_t id) override;
    void ShowCursor(bool show) override;
    bool GetCursorPos(RasterPoint& position) override;
    void SetCursorPos(const RasterPoint& position) override;
    bool IsCtrlDown() override;
    uint32_t DoubleClickTimeMs() override;
    RasterPoint DoubleClickDistance() override;

  private:
    int32_t hideCount_ = 0;
};

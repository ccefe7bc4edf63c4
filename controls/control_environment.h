// What the controls need of the desktop beyond their own windows: window timers, the counted
// cursor hide and the pointer's position (read from the display server, never from an event,
// since motion queued before a warp arrives after it), warping it, the live state of Ctrl, and
// the double-click time and distance.
//
// GUI thread only. Without an environment put in place (tests put theirs), the windows' own
// timers and the current UiEnvironment answer.
#pragma once

#include "controls/raster_point.h"

#include <cstdint>

class ControlWindow;

class ControlEnvironment
{
  public:
    virtual ~ControlEnvironment() = default;

    // A periodic timer whose ticks reach the window's sink as OnTimer(id); setting an id again
    // restarts it. False when it cannot be set.
    virtual bool SetTimer(ControlWindow& window, uint32_t id, uint32_t periodMs) = 0;
    virtual void KillTimer(ControlWindow& window, uint32_t id) = 0;
    // Counted: each hide needs one show.
    virtual void ShowCursor(bool show) = 0;
    // In screen pixels; false when it cannot be read.
    virtual bool GetCursorPos(RasterPoint& position) = 0;
    virtual void SetCursorPos(const RasterPoint& position) = 0;
    virtual bool IsCtrlDown() = 0;
    virtual uint32_t DoubleClickTimeMs() = 0;
    // How far (in pixels, each way) a second click may lie from the first.
    virtual RasterPoint DoubleClickDistance() = 0;
};

ControlEnvironment& CurrentControlEnvironment();
// Puts `environment` in place (null: the headless one) and returns the one before (null for the
// headless one); the caller keeps it alive meanwhile.
ControlEnvironment* SetControlEnvironment(ControlEnvironment* environment);

class ScopedControlEnvironment
{
  public:
    explicit ScopedControlEnvironment(ControlEnvironment& environment)
        : previous_(SetControlEnvironment(&environment))
    {
    }
    ~ScopedControlEnvironment() { SetControlEnvironment(previous_); }
    ScopedControlEnvironment(const ScopedControlEnvironment&) = delete;
    ScopedControlEnvironment& operator=(const ScopedControlEnvironment&) = delete;

  private:
    ControlEnvironment* previous_;
};

// What the control asks of its window. The toolkit side (activex/wx) implements it; tests
// implement it with a recorder.
//
// Contract: the control's window is made hidden by Create and shown by the verbs; the window side
// reports its events to the control (ControlWindowEvents) on the GUI thread. Once the window is
// destroyed (also by its parent) the port answers Exists() false and touches it never again.
#pragma once

#include "platform/com/ole_object.h"

#include <cstdint>
#include <memory>

class ControlPlayer;

class ControlWindow
{
  public:
    virtual ~ControlWindow() = default;

    virtual bool Exists() const = 0;
    virtual bool IsVisible() const = 0;
    virtual void Show(bool show) = 0;
    virtual void SetRect(const ComRect& rect) = 0;
    virtual void Invalidate() = 0;
    // Timer 1 of the window, every milliseconds.
    virtual void StartTimer(uint32_t milliseconds) = 0;
    virtual void KillTimer() = 0;
    virtual bool CtrlHeld() const = 0;
    // Makes the player frame as a child filling the window, with its preview; null when that
    // failed. The window keeps it; it goes with the window.
    virtual ControlPlayer* CreatePlayer() = 0;
    // The small menu shown while there is no player: About.
    virtual void ShowFallbackMenu() = 0;
    virtual void ShowAboutBox() = 0;
    // The property frame over the control's property page.
    virtual void ShowPropertyFrame() = 0;
    virtual void Destroy() = 0;
};

// What the window tells the control.
class ControlWindowEvents
{
  public:
    virtual ~ControlWindowEvents() = default;

    // After the window exists (WM_CREATE).
    virtual void OnWindowCreated() = 0;
    // The window was shown or hidden (WM_SHOWWINDOW).
    virtual void OnWindowShown(bool shown) = 0;
    virtual void OnWindowTimer() = 0;
    // Right button down or a left double click.
    virtual void OnContextMenuRequest() = 0;
    // A command from a menu the control showed or that its player passed on; true when handled.
    virtual bool OnCommand(int32_t id) = 0;
    // The window is going: the download closes, the player goes.
    virtual void OnWindowDestroyed() = 0;
};

// Makes the window of a control inside parent (the container's wxWindow*), hidden; null when
// it cannot be made. The events' owner outlives the window's reports.
using ControlWindowMaker = std::unique_ptr<ControlWindow> (*)(void* parent, ControlWindowEvents& events);

// Installed by the deliverable; without one a control has no window (in-place activation fails).
ControlWindowMaker CurrentControlWindowMaker();
ControlWindowMaker SetControlWindowMaker(ControlWindowMaker maker);

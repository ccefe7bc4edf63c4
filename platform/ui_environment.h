// UiEnvironment: the services of the window system that toolkit-free code asks for: window
// timers, the mouse cursor, capture, the live key state, focus, monitors and their work areas,
// display modes, file dialogs, work posted to run after the current event, popup menus, and the
// native windows themselves. The message box and the clipboard stay services of their own
// (platform/message_box.h, platform/clipboard.h).
//
// Contract:
// - GUI thread only, every operation.
// - Timers are named by their target and an id; setting a running one again restarts it with the
//   new period. They fire on the GUI thread, also inside modal loops (dialogs, menus), never
//   inside the target's own OnTimer of the same timer, and never after KillTimer or after the
//   target was unregistered by killing all its timers.
// - ShowCursor counts like the system's: the cursor is visible while the count is >= 0; it
//   returns the new count.
// - Key state and pointer position are read from the display server at the time of the call.
// - Monitors: at least one (the primary, first). Work areas exclude panels and docks.
// - Display modes: ChangeDisplayMode sets a width x height mode on one monitor (colour depth is
//   not changeable and ignored); false, with the reason in error, when the monitor offers no such
//   mode. RestoreDisplayMode puts the monitor's mode of before back; the backend also restores
//   every changed mode at exit.
// - RunFileDialog is modal; a cancel answers false. Without a display it answers false. A save
//   dialog never asks whether to replace a file: the caller knows the name it will write.
// - PostAfterCurrentEvent runs the task once, after the event being handled now has finished,
//   never inside it (boxes and re-creations asked for inside a paint run so).
// - TrackPopupMenu is modal and answers the chosen command id, 0 for none.
// The current environment is process-wide: the headless default (no display: no windows, timers
// never fire, one 1024 x 768 monitor, dialogs cancelled) until a backend is installed.
#pragma once

#include "platform/native_window.h"
#include "platform/ui_geometry.h"
#include "platform/ui_menu.h"
#include "platform/ui_window_id.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CError;

// Receives the ticks of the timers set for it.
class UiTimerTarget
{
  public:
    virtual ~UiTimerTarget() = default;
    virtual void OnTimer(uint32_t id) = 0;
};

struct UiMonitor
{
    UiRect rect;
    UiRect workArea;
    bool primary = false;
};

struct UiFileDialogRequest
{
    bool save = false;
    bool multiple = false;
    std::string title;
    // Pairs as the system wrote them: "Shows (*.zyl)|*.zyl|All files (*.*)|*.*".
    std::string filter;
    int32_t filterIndex = 0;
    std::string folder;
    std::string fileName;
    UiWindowId owner;
};

struct UiFileDialogResult
{
    std::vector<std::string> paths;
    int32_t filterIndex = 0;
};

class UiEnvironment
{
  public:
    virtual ~UiEnvironment() = default;

    // Windows.
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowSpec& spec,
                                                             NativeWindowSink& sink, CError& error) = 0;
    // The client rectangle (0, 0, width, height) of any window; empty for none.
    virtual UiRect ClientRectOf(UiWindowId window) = 0;
    // The window's outer rectangle on the screen; empty for none.
    virtual UiRect ScreenRectOf(UiWindowId window) = 0;
    // The top-level window a window belongs to (itself when it is one).
    virtual UiWindowId TopLevelOf(UiWindowId window) = 0;
    // Outer size of a top-level window, and changing it without moving or activating it.
    virtual UiSize WindowSizeOf(UiWindowId window) = 0;
    virtual bool ResizeWindow(UiWindowId window, UiSize size) = 0;
    virtual bool IsTopMost(UiWindowId window) = 0;
    virtual bool SetTopMost(UiWindowId window, bool topMost) = 0;

    // Timers.
    virtual uint32_t SetTimer(UiTimerTarget& target, uint32_t id, int32_t periodMs) = 0;
    virtual bool KillTimer(UiTimerTarget& target, uint32_t id) = 0;

    // Cursor, capture, keys, focus.
    virtual int32_t ShowCursor(bool show) = 0;
    virtual bool GetCursorPos(UiPoint& screenPoint) = 0;
    virtual bool SetCursorPos(UiPoint screenPoint) = 0;
    virtual void SetCapture(UiWindowId window) = 0;
    virtual void ReleaseCapture() = 0;
    virtual UiWindowId Capture() = 0;
    // The key (a VK_* code, mouse buttons included) is held down now.
    virtual bool IsKeyDown(int32_t virtualKey) = 0;
    virtual int32_t DoubleClickTimeMs() = 0;
    virtual UiSize DoubleClickSize() = 0;
    virtual UiWindowId FocusWindow() = 0;
    virtual void SetFocus(UiWindowId window) = 0;
    virtual UiWindowId WindowAt(UiPoint screenPoint) = 0;

    // Monitors and display modes.
    virtual std::vector<UiMonitor> Monitors() = 0;
    virtual bool ChangeDisplayMode(int32_t monitor, UiSize size, CError& error) = 0;
    virtual bool RestoreDisplayMode(int32_t monitor) = 0;

    // Dialogs, menus, posted work.
    virtual bool RunFileDialog(const UiFileDialogRequest& request, UiFileDialogResult& result) = 0;
    virtual int32_t TrackPopupMenu(const UiMenu& menu, UiPoint screenPoint, UiWindowId owner) = 0;
    virtual void PostAfterCurrentEvent(std::function<void()> task) = 0;
};

// The monitor (index into Monitors()) that holds most of the rectangle, the nearest one when none
// does; 0 for an empty list.
int32_t MonitorNearest(const std::vector<UiMonitor>& monitors, const UiRect& rect);

UiEnvironment& CurrentUiEnvironment();
// Puts `environment` in place (null: the headless default) and returns the one it replaces (null
// for the default). The caller keeps `environment` alive while it is in place.
UiEnvironment* SetUiEnvironment(UiEnvironment* environment);

// Puts an environment in place for the scope's life, then the previous one back.
class ScopedUiEnvironment
{
  public:
    explicit ScopedUiEnvironment(UiEnvironment& environment) : previous_(SetUiEnvironment(&environment)) {}
    ~ScopedUiEnvironment() { SetUiEnvironment(previous_); }
    ScopedUiEnvironment(const ScopedUiEnvironment&) = delete;
    ScopedUiEnvironment& operator=(const ScopedUiEnvironment&) = delete;

  private:
    UiEnvironment* previous_;
};

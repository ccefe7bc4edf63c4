// WxUiEnvironment: the UiEnvironment of a program with a wxWidgets (GTK 3, X11) event loop. It
// needs a running wxApp; the program installs it once the toolkit started and removes it before
// the toolkit ends.
#pragma once

#include "platform/ui_environment.h"
#include "platform/wx/display_modes_xrandr.h"

#include <map>
#include <memory>
#include <utility>

class wxTimer;

class WxUiEnvironment final : public UiEnvironment
{
  public:
    WxUiEnvironment();
    ~WxUiEnvironment() override;

    std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowSpec& spec, NativeWindowSink& sink,
                                                     CError& error) override;
    UiRect ClientRectOf(UiWindowId window) override;
    UiRect ScreenRectOf(UiWindowId window) override;
    UiWindowId TopLevelOf(UiWindowId window) override;
    UiSize WindowSizeOf(UiWindowId window) override;
    bool ResizeWindow(UiWindowId window, UiSize size) override;
    bool IsTopMost(UiWindowId window) override;
    bool SetTopMost(UiWindowId window, bool topMost) override;

    uint32_t SetTimer(UiTimerTarget& target, uint32_t id, int32_t periodMs) override;
    bool KillTimer(UiTimerTarget& target, uint32_t id) override;

    int32_t ShowCursor(bool show) override;
    bool GetCursorPos(UiPoint& screenPoint) override;
    bool SetCursorPos(UiPoint screenPoint) override;
    void SetCapture(UiWindowId window) override;
    void ReleaseCapture() override;
    UiWindowId Capture() override;
    bool IsKeyDown(int32_t virtualKey) override;
    int32_t DoubleClickTimeMs() override;
    UiSize DoubleClickSize() override;
    UiWindowId FocusWindow() override;
    void SetFocus(UiWindowId window) override;
    UiWindowId WindowAt(UiPoint screenPoint) override;

    std::vector<UiMonitor> Monitors() override;
    bool ChangeDisplayMode(int32_t monitor, UiSize size, CError& error) override;
    bool RestoreDisplayMode(int32_t monitor) override;

    bool RunFileDialog(const UiFileDialogRequest& request, UiFileDialogResult& result) override;
    int32_t TrackPopupMenu(const UiMenu& menu, UiPoint screenPoint, UiWindowId owner) override;
    void PostAfterCurrentEvent(std::function<void()> task) override;

  private:
    std::map<std::pair<UiTimerTarget*, uint32_t>, std::unique_ptr<wxTimer>> timers_;
    int32_t cursorCount_ = 0;
    XrandrDisplayModes displayModes_;
    // The monitors' rectangles before any mode change, so a restore finds the monitor again.
    std::map<int32_t, UiRect> modeChangedMonitors_;
};

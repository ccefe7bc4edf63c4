// A UiEnvironment for tests without a display. It puts itself in place while it lives. Windows are
// FakeNativeWindows; other windows (a host's parent, a frame) are registered by the test with
// their client rectangles. Timers run only when the test fires them; the cursor count, pointer,
// keys, focus, capture, monitors and display modes are plain state the test sets and reads;
// dialogs and menus answer from queues; posted work waits until the test runs it.
#pragma once

#include "platform/test_support/fake_native_window.h"
#include "platform/ui_environment.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <utility>

class FakeUiEnvironment final : public UiEnvironment
{
  public:
    FakeUiEnvironment();
    ~FakeUiEnvironment() override;

    // A window the test stands in for (a view, a frame); topLevel null makes it top-level.
    UiWindowId AddWindow(UiRect clientRect, UiWindowId topLevel = {}, UiSize chrome = {});
    void SetClientRect(UiWindowId window, UiRect clientRect);
    // Windows made by it must go before it does.
    // The native windows made so far and still existing, oldest first.
    std::vector<FakeNativeWindow*> LiveWindows() const;
    FakeNativeWindow* LastWindow() const;
    int windowsCreated = 0;
    // The next CreateNativeWindow fails.
    bool failNextWindow = false;
    // Windows whose spec this answers true for get no GL surface.
    std::function<bool(const NativeWindowSpec&)> refuseGl;
    // Makes the GL surfaces of new windows (gl tests hand in an offscreen one); null: fakes.
    std::function<std::unique_ptr<GlSurface>(FakeNativeWindow&)> surfaceMaker;

    std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowSpec& spec, NativeWindowSink& sink,
                                                     CError& error) override;
    UiRect ClientRectOf(UiWindowId window) override;
    UiRect ScreenRectOf(UiWindowId window) override;
    UiWindowId TopLevelOf(UiWindowId window) override;
    UiSize WindowSizeOf(UiWindowId window) override;
    bool ResizeWindow(UiWindowId window, UiSize size) override;
    bool IsTopMost(UiWindowId window) override;
    bool SetTopMost(UiWindowId window, bool topMost) override;

    // Timers.
    uint32_t SetTimer(UiTimerTarget& target, uint32_t id, int32_t periodMs) override;
    bool KillTimer(UiTimerTarget& target, uint32_t id) override;
    bool TimerRunning(const UiTimerTarget& target, uint32_t id) const;
    int32_t TimerPeriod(const UiTimerTarget& target, uint32_t id) const;
    // One tick of a running timer; false when it does not run.
    bool FireTimer(UiTimerTarget& target, uint32_t id);

    int32_t ShowCursor(bool show) override { return cursorCount += show ? 1 : -1; }
    bool GetCursorPos(UiPoint& screenPoint) override;
    bool SetCursorPos(UiPoint screenPoint) override;
    void SetCapture(UiWindowId window) override { capture = window; }
    void ReleaseCapture() override { capture = {}; }
    UiWindowId Capture() override { return capture; }
    bool IsKeyDown(int32_t virtualKey) override { return keysDown.contains(virtualKey); }
    int32_t DoubleClickTimeMs() override { return doubleClickMs; }
    UiSize DoubleClickSize() override { return doubleClickSize; }
    UiWindowId FocusWindow() override { return focus; }
    void SetFocus(UiWindowId window) override { focus = window; }
    UiWindowId WindowAt(UiPoint) override { return windowUnderCursor; }

    std::vector<UiMonitor> Monitors() override { return monitors; }
    bool ChangeDisplayMode(int32_t monitor, UiSize size, CError& error) override;
    bool RestoreDisplayMode(int32_t monitor) override;

    bool RunFileDialog(const UiFileDialogRequest& request, UiFileDialogResult& result) override;
    int32_t TrackPopupMenu(const UiMenu& menu, UiPoint screenPoint, UiWindowId owner) override;
    void PostAfterCurrentEvent(std::function<void()> task) override { posted.push_back(std::move(task)); }
    // Runs what was posted, also what that posts; the number of tasks run.
    int RunPosted();

    int32_t cursorCount = 0;
    bool cursorReadable = true;
    UiPoint cursor;
    UiWindowId capture;
    std::set<int32_t> keysDown;
    int32_t doubleClickMs = 500;
    UiSize doubleClickSize{4, 4};
    UiWindowId focus;
    UiWindowId windowUnderCursor;
    std::set<UiWindowId> topMost;

    std::vector<UiMonitor> monitors;
    // The modes each monitor offers; a change to any other size fails.
    std::vector<UiSize> displayModes;
    struct ModeChange
    {
        int32_t monitor;
        UiSize size;
    };
    std::vector<ModeChange> modeChanges;
    int modeRestores = 0;

    std::deque<std::optional<UiFileDialogResult>> fileDialogAnswers;
    std::vector<UiFileDialogRequest> fileDialogs;
    // Runs while a file dialog is up, as timers and paints do inside the real one.
    std::function<void()> whileFileDialogRuns;
    std::deque<int32_t> menuAnswers;
    std::vector<UiMenu> menusShown;
    std::deque<std::function<void()>> posted;

  private:
    friend class FakeNativeWindow;
    struct OtherWindow
    {
        UiRect clientRect;
        UiWindowId topLevel;
        // What the frame adds around the client area (title bar, menu bar, borders).
        UiSize chrome;
    };
    void Forget(FakeNativeWindow* window);

    UiEnvironment* previous_;
    std::vector<FakeNativeWindow*> windows_;
    std::map<UiWindowId, OtherWindow> others_;
    std::deque<OtherWindow> otherStorage_;
    std::map<std::pair<const UiTimerTarget*, uint32_t>, int32_t> timers_;
};

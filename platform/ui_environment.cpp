#include "platform/ui_environment.h"

#include "foundation/errors/c_error.h"

#include <algorithm>
#include <atomic>
#include <climits>

namespace {

constexpr UiRect kHeadlessScreen{0, 0, 1024, 768};

// No display: no windows can be made, timers never fire, dialogs are cancelled.
class HeadlessUiEnvironment final : public UiEnvironment
{
  public:
    std::unique_ptr<NativeWindow> CreateNativeWindow(const NativeWindowSpec&, NativeWindowSink&,
                                                     CError& error) override
    {
        error.SetError("No display: windows cannot be created.", 0);
        return nullptr;
    }
    UiRect ClientRectOf(UiWindowId) override { return {}; }
    UiRect ScreenRectOf(UiWindowId) override { return {}; }
    UiWindowId TopLevelOf(UiWindowId window) override { return window; }
    UiSize WindowSizeOf(UiWindowId) override { return {}; }
    bool ResizeWindow(UiWindowId, UiSize) override { return false; }
    bool IsTopMost(UiWindowId) override { return false; }
    bool SetTopMost(UiWindowId, bool) override { return false; }
    uint32_t SetTimer(UiTimerTarget&, uint32_t id, int32_t) override { return id; }
    bool KillTimer(UiTimerTarget&, uint32_t) override { return true; }
    int32_t ShowCursor(bool show) override { return cursorCount_ += show ? 1 : -1; }
    bool GetCursorPos(UiPoint&) override { return false; }
    bool SetCursorPos(UiPoint) override { return false; }
    void SetCapture(UiWindowId) override {}
    void ReleaseCapture() override {}
    UiWindowId Capture() override { return {}; }
    bool IsKeyDown(int32_t) override { return false; }
    int32_t DoubleClickTimeMs() override { return kDoubleClickMs; }
    UiSize DoubleClickSize() override { return {4, 4}; }
    UiWindowId FocusWindow() override { return {}; }
    void SetFocus(UiWindowId) override {}
    UiWindowId WindowAt(UiPoint) override { return {}; }
    std::vector<UiMonitor> Monitors() override { return {{kHeadlessScreen, kHeadlessScreen, true}}; }
    bool ChangeDisplayMode(int32_t, UiSize, CError& error) override
    {
        error.SetError("No display: display modes cannot be changed.", 0);
        return false;
    }
    bool RestoreDisplayMode(int32_t) override { return true; }
    bool RunFileDialog(const UiFileDialogRequest&, UiFileDialogResult&) override { return false; }
    int32_t TrackPopupMenu(const UiMenu&, UiPoint, UiWindowId) override { return 0; }
    void PostAfterCurrentEvent(std::function<void()>) override {}

  private:
    static constexpr int32_t kDoubleClickMs = 500;
    int32_t cursorCount_ = 0;
};

constinit std::atomic<UiEnvironment*> replacement{nullptr};

int64_t OverlapArea(const UiRect& a, const UiRect& b)
{
    const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

int64_t DistanceSquared(const UiRect& monitor, const UiRect& rect)
{
    const auto axis = [](int64_t lo, int64_t hi, int64_t from, int64_t to) -> int64_t {
        if (to <= lo)
            return lo - to;
        return from >= hi ? from - hi : 0;
    };
    const int64_t dx = axis(monitor.left, monitor.right, rect.left, rect.right);
    const int64_t dy = axis(monitor.top, monitor.bottom, rect.top, rect.bottom);
    return dx * dx + dy * dy;
}

} // namespace

int32_t MonitorNearest(const std::vector<UiMonitor>& monitors, const UiRect& rect)
{
    int32_t best = 0;
    int64_t bestArea = -1;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const int64_t area = OverlapArea(monitors[i].rect, rect);
        const int64_t distance = DistanceSquared(monitors[i].rect, rect);
        if (area > bestArea || (area == 0 && bestArea == 0 && distance < bestDistance)) {
            best = static_cast<int32_t>(i);
            bestArea = area;
            bestDistance = distance;
        }
    }
    return best;
}

UiEnvironment& CurrentUiEnvironment()
{
    static HeadlessUiEnvironment* headless = new HeadlessUiEnvironment;
    UiEnvironment* environment = replacement.load(std::memory_order_acquire);
    return environment != nullptr ? *environment : *headless;
}

UiEnvironment* SetUiEnvironment(UiEnvironment* environment)
{
    return replacement.exchange(environment, std::memory_order_acq_rel);
}

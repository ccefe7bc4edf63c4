#include "controls/control_environment.h"

#include "controls/control_window.h"
#include "platform/ui_environment.h"

#include <utility>

namespace {

// The desktop's key code of either Ctrl key.
constexpr int32_t kVirtualKeyControl = 0x11;

// The window system's services as the UI environment gives them; timers are the windows' own.
class DesktopControlEnvironment final : public ControlEnvironment
{
  public:
    bool SetTimer(ControlWindow& window, uint32_t id, uint32_t periodMs) override
    {
        return window.StartTimer(id, periodMs);
    }
    void KillTimer(ControlWindow& window, uint32_t id) override { window.StopTimer(id); }
    void ShowCursor(bool show) override { CurrentUiEnvironment().ShowCursor(show); }
    bool GetCursorPos(RasterPoint& position) override
    {
        UiPoint point;
        if (!CurrentUiEnvironment().GetCursorPos(point))
            return false;
        position = {point.x, point.y};
        return true;
    }
    void SetCursorPos(const RasterPoint& position) override
    {
        CurrentUiEnvironment().SetCursorPos({position.x, position.y});
    }
    bool IsCtrlDown() override { return CurrentUiEnvironment().IsKeyDown(kVirtualKeyControl); }
    uint32_t DoubleClickTimeMs() override
    {
        return static_cast<uint32_t>(CurrentUiEnvironment().DoubleClickTimeMs());
    }
    RasterPoint DoubleClickDistance() override
    {
        const UiSize size = CurrentUiEnvironment().DoubleClickSize();
        return {size.width, size.height};
    }
};

DesktopControlEnvironment g_desktop;
ControlEnvironment* g_current = nullptr;

} // namespace

ControlEnvironment& CurrentControlEnvironment()
{
    return g_current ? *g_current : g_desktop;
}

ControlEnvironment* SetControlEnvironment(ControlEnvironment* environment)
{
    return std::exchange(g_current, environment);
}

#include "controls/control_environment.h"

#include <utility>

namespace {

constexpr uint32_t kUsualDoubleClickMs = 500;
constexpr RasterPoint kUsualDoubleClickDistance{4, 4};

class HeadlessControlEnvironment final : public ControlEnvironment
{
  public:
    bool SetTimer(ControlWindow&, uint32_t, uint32_t) override { return false; }
    void KillTimer(ControlWindow&, uint32_t) override {}
    void ShowCursor(bool) override {}
    bool GetCursorPos(RasterPoint& position) override
    {
        position = {};
        return true;
    }
    void SetCursorPos(const RasterPoint&) override {}
    bool IsCtrlDown() override { return false; }
    uint32_t DoubleClickTimeMs() override { return kUsualDoubleClickMs; }
    RasterPoint DoubleClickDistance() override { return kUsualDoubleClickDistance; }
};

HeadlessControlEnvironment g_headless;
ControlEnvironment* g_current = nullptr;

} // namespace

ControlEnvironment& CurrentControlEnvironment()
{
    return g_current ? *g_current : g_headless;
}

ControlEnvironment* SetControlEnvironment(ControlEnvironment* environment)
{
    return std::exchange(g_current, environment);
}

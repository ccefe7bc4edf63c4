// A control environment for tests: timers that fire when the test says so, a pointer the test
// moves (warps are recorded), the cursor's hide count, Ctrl as the test sets it.
#pragma once

#include "controls/control_environment.h"
#include "controls/control_window.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class FakeControlEnvironment final : public ControlEnvironment
{
  public:
    FakeControlEnvironment() : scope_(*this) {}

    bool SetTimer(ControlWindow& window, uint32_t id, uint32_t periodMs) override
    {
        timers[{&window, id}] = periodMs;
        return true;
    }
    void KillTimer(ControlWindow& window, uint32_t id) override { timers.erase({&window, id}); }
    void ShowCursor(bool show) override { hideCount += show ? -1 : 1; }
    bool GetCursorPos(RasterPoint& position) override
    {
        position = pointer;
        return true;
    }
    void SetCursorPos(const RasterPoint& position) override
    {
        pointer = position;
        warps.push_back(position);
    }
    bool IsCtrlDown() override { return ctrl; }
    uint32_t DoubleClickTimeMs() override { return doubleClickMs; }
    RasterPoint DoubleClickDistance() override { return doubleClickDistance; }

    // One tick of every running timer of the window.
    void Tick(ControlWindow& window)
    {
        std::vector<uint32_t> ids;
        for (const auto& [key, period] : timers)
            if (key.first == &window)
                ids.push_back(key.second);
        for (uint32_t id : ids)
            if (window.Sink())
                window.Sink()->OnTimer(id);
    }
    bool HasTimer(ControlWindow& window, uint32_t id) const { return timers.count({&window, id}) != 0; }

    std::map<std::pair<ControlWindow*, uint32_t>, uint32_t> timers;
    RasterPoint pointer;
    std::vector<RasterPoint> warps;
    int32_t hideCount = 0;
    bool ctrl = false;
    uint32_t doubleClickMs = 400;
    RasterPoint doubleClickDistance{4, 4};

  private:
    ScopedControlEnvironment scope_;
};

// What the control tests share: the toolkit's resources, fake windows and environment, a clock the test
// moves, a registry of their own for the handlers, a log of what the controls sent, and a panel (an LDialog
// in a top-level window) to put controls on.
#pragma once

#include "controls/control_resources.h"
#include "controls/l_dialog.h"
#include "controls/test_support/control_environment_fake.h"
#include "controls/test_support/control_window_fake.h"
#include "controls/test_support/recording_handler_test_util.h"
#include "foundation/tasks/test_support/fake_time_source.h"
#include "foundation/tasks/time_source.h"
#include "messaging/registry_node.h"

class ControlTestFixture
{
  public:
    ControlTestFixture() : time_(CurrentTimeSource().MonotonicUs())
    {
        top = windows.CreateTopLevel({100, 50, 700, 650});
        panel.Create(kTemplateEmptyPanel, top);
    }

    static FakeControlWindow& Fake(const LWindowObject& object)
    {
        return *static_cast<FakeControlWindow*>(object.Window());
    }

    static MouseEvent Mouse(MouseButton button, int32_t x, int32_t y, bool doubleClick = false,
                            bool ctrl = false)
    {
        MouseEvent event;
        event.button = button;
        event.x = x;
        event.y = y;
        event.doubleClick = doubleClick;
        event.ctrl = ctrl;
        return event;
    }

    static void Press(LWindowObject& control, MouseButton button, int32_t x, int32_t y,
                      bool doubleClick = false)
    {
        control.OnMouseDown(Mouse(button, x, y, doubleClick));
    }
    static void Release(LWindowObject& control, MouseButton button, int32_t x, int32_t y)
    {
        control.OnMouseUp(Mouse(button, x, y));
    }
    static void Click(LWindowObject& control, MouseButton button = MouseButton::kLeft, int32_t x = 2,
                      int32_t y = 2, bool doubleClick = false)
    {
        Press(control, button, x, y, doubleClick);
        Release(control, button, x, y);
    }

    // The pointer (held by the environment in screen pixels) at a client point of the control.
    void PointerAt(const LWindowObject& control, int32_t x, int32_t y)
    {
        environment.pointer = control.Window()->ClientToScreen(x, y);
    }
    // A move to a client point, the pointer and the event agreeing.
    void MoveTo(LWindowObject& control, int32_t x, int32_t y, bool ctrl = false)
    {
        PointerAt(control, x, y);
        control.OnMouseMove(Mouse(MouseButton::kNone, x, y, false, ctrl));
    }

    void AdvanceCs(int64_t centiseconds) { time_.AdvanceUs(static_cast<uint64_t>(centiseconds) * 10000); }

    ScopedResources resources{ControlResourceTables()};
    FakeControlWindowFactory windows;
    FakeControlEnvironment environment;
    LMsgRegistryNode registry{XAString()};
    SentLog sent;
    FakeControlWindow* top = nullptr;
    LDialog panel;

  private:
    FakeTimeSource time_;
};

// An integer value that one click (100 units) moves by 1, marked with a default or not.
inline LValueInt IntValue(int32_t value, int32_t minimum, int32_t maximum, bool defaultMarked = true)
{
    return LValueInt(value, minimum, maximum, 0.01, 0, defaultMarked, true);
}

#include "controls/l_spin.h"

#include "controls/control_codes.h"
#include "controls/control_environment.h"
#include "controls/control_painter.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_dialog.h"
#include "controls/pointer_warp.h"
#include "controls/spin_drawing.h"
#include "controls/step_accumulator.h"
#include "foundation/tasks/sys_clock.h"

#include <cstdlib>

LSpin::LSpin() : value_([this] { Refresh(); })
{
}

LSpin::~LSpin()
{
    StopRepeat();
}

void LSpin::Bind(const XAString& name, LMsgRegistryNode* context)
{
    value_.Attach(name, context);
    Refresh();
}

void LSpin::Refresh()
{
    ApplyEnabled(value_.IsEnabled());
}

void LSpin::DrawItem(ControlPainter& painter, const DrawItemState& state)
{
    DrawSpin(painter, painter.Bounds(), upperPressed_, lowerPressed_, state.disabled);
}

void LSpin::Step(int64_t units, uint32_t phase, bool ctrl)
{
    AddStepUnits(accumulator_, units);
    value_.Ref().SendPair(ControlCode(static_cast<ControlPhase>(phase), kSourceSpin, Fine(ctrl)), pairFirst_,
                          accumulator_, LValue::kItemValue);
}

void LSpin::StartRepeat(bool ctrl)
{
    if (repeating_ || dragging_ || !Window())
        return;
    repeatStart_ = GetSysTimeCs();
    repeating_ = true;
    timerSet_ = CurrentControlEnvironment().SetTimer(*Window(), kRepeatTimerId, kRepeatPeriodMs);
    Step(upperPressed_ ? kStepUnitsPerClick : -kStepUnitsPerClick, kPhaseOpen, ctrl);
}

void LSpin::StopRepeat()
{
    if (timerSet_ && Window())
        CurrentControlEnvironment().KillTimer(*Window(), kRepeatTimerId);
    timerSet_ = false;
    repeating_ = false;
}

void LSpin::StartDrag()
{
    if (dragging_ || repeating_ || !Window())
        return;
    BeginDragCursor();
    RasterPoint pointer{0, pressY_};
    PointerInClient(*Window(), pointer);
    lastDragY_ = pointer.y;
}

bool LSpin::OnMouseDown(const MouseEvent& event)
{
    if (event.button == MouseButton::kRight) {
        Release(event.ctrl);
        return true;
    }
    if (!held_.Press(event.button))
        return false;
    if (!Window())
        return true;
    Window()->SetFocus();
    Window()->CaptureMouse();
    if (upperPressed_ || lowerPressed_ || repeating_ || dragging_)
        return true;
    pressY_ = event.y;
    const int32_t height = Window()->ClientRect().bottom;
    if (event.y < height / 2 - 1) {
        upperPressed_ = true;
        Window()->Invalidate();
        StartRepeat(event.ctrl);
    } else if (event.y >= height / 2 + 1) {
        lowerPressed_ = true;
        Window()->Invalidate();
        StartRepeat(event.ctrl);
    } else {
        upperPressed_ = true;
        lowerPressed_ = true;
        Window()->Invalidate();
        StartDrag();
    }
    return true;
}

bool LSpin::OnMouseMove(const MouseEvent& event)
{
    if (!Window())
        return true;
    if (dragging_) {
        RasterPoint pointer;
        if (!PointerInClient(*Window(), pointer) || pointer.y == lastDragY_)
            return true;
        Step((int64_t{lastDragY_} - pointer.y) * kStepUnitsPerPixel, kPhaseContinue, event.ctrl);
        if (!Window())
            return true;
        WarpPointerTo(*Window(), Centre());
        lastDragY_ = Centre().y;
    } else if (repeating_ && std::abs(event.y - pressY_) >= kDragFromRepeatPixels) {
        // The drag continues the gesture that the first step opened: no end, no new start.
        upperPressed_ = true;
        lowerPressed_ = true;
        Window()->Invalidate();
        StopRepeat();
        StartDrag();
    }
    return true;
}

void LSpin::Release(bool ctrl)
{
    upperPressed_ = false;
    lowerPressed_ = false;
    if (Window())
        Window()->Invalidate();
    if (repeating_) {
        StopRepeat();
        Step(0, kPhaseEnd, ctrl);
    }
    if (dragging_) {
        EndDragCursor();
        Step(0, kPhaseEnd, ctrl);
    }
    FinishRelease();
}

bool LSpin::OnKeyDown(int32_t key, bool ctrl)
{
    if (key == 'D' && ctrl && value_.HasDefault()) {
        value_.Ref().SendReset(kCodeResetToDefault, LValue::kItemValue);
        return true;
    }
    if (key == kKeyEscape)
        Release(ctrl);
    return false;
}

void LSpin::OnTimer(uint32_t id)
{
    if (id != kRepeatTimerId || !repeating_)
        return;
    if (GetSysTimeCs() - repeatStart_ > kRepeatDelayCs)
        Step(upperPressed_ ? kStepUnitsPerClick : -kStepUnitsPerClick, kPhaseContinue,
             CurrentControlEnvironment().IsCtrlDown());
}

void LSpin::OnPaint(ControlPainter& painter)
{
    if (Window())
        DrawItem(painter, {upperPressed_ || lowerPressed_, Window()->HasFocus(), !Window()->IsEnabled()});
}

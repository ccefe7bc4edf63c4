#include "controls/l_spin_xy.h"

#include "controls/control_codes.h"
#include "controls/control_environment.h"
#include "controls/control_painter.h"
#include "controls/l_dialog.h"
#include "controls/pointer_warp.h"
#include "controls/spin_drawing.h"
#include "controls/step_accumulator.h"
#include "messaging/value_modify_msg_tx.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr uint32_t kTransactionCode = 0x10400;

// An integer value answers only as an integer.
double NumberOf(const LValue& value, bool isReal)
{
    return isReal ? value.GetDouble(LValue::kItemValue) : value.GetInt(LValue::kItemValue);
}

} // namespace

int32_t LinkedInteger(int32_t value, double ratio)
{
    const double product = std::round(value * ratio);
    if (!(product >= std::numeric_limits<int32_t>::min()))
        return std::isnan(product) ? 0 : std::numeric_limits<int32_t>::min();
    if (product > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(product);
}

LSpinXY::LSpinXY(int32_t mode) : mode_(mode), x_([this] { Refresh(); }), y_([this] { Refresh(); })
{
}

LSpinXY::~LSpinXY() = default;

void LSpinXY::Bind(const XAString& xName, const XAString& yName, LMsgRegistryNode* context)
{
    x_.Attach(xName, context);
    y_.Attach(yName, context);
    Refresh();
}

void LSpinXY::RepaintAndBind(int32_t mode, const XAString& xName, const XAString& yName,
                             LMsgRegistryNode* context)
{
    mode_ = mode;
    if (Window())
        Window()->Invalidate();
    Bind(xName, yName, context);
}

void LSpinXY::Refresh()
{
    ApplyEnabled(x_.IsEnabled() && y_.IsEnabled());
}

bool LSpinXY::IsDoubleClick(const MouseEvent& event) const
{
    if (event.button != MouseButton::kLeft || !hasPreviousPress_)
        return false;
    ControlEnvironment& environment = CurrentControlEnvironment();
    const RasterPoint distance = environment.DoubleClickDistance();
    return event.timeMs - previousPressTime_ <= environment.DoubleClickTimeMs() &&
           std::abs(event.x - previousPress_.x) <= distance.x &&
           std::abs(event.y - previousPress_.y) <= distance.y;
}

void LSpinXY::ResetBoth()
{
    x_.Ref().SendReset(kCodeResetToDefault, LValue::kItemValue);
    y_.Ref().SendReset(kCodeResetToDefault, LValue::kItemValue);
}

void LSpinXY::StartDrag()
{
    if (dragging_ || !Window())
        return;
    BeginDragCursor();
    lastDrag_ = previousPress_;
    PointerInClient(*Window(), lastDrag_);
    linked_ = false;
    if (mode_ != 1)
        return;
    const int32_t xType = x_.Value().ItemType(LValue::kItemValue);
    const int32_t yType = y_.Value().ItemType(LValue::kItemValue);
    if (xType != yType || (xType != kItemTypeInteger && xType != kItemTypeReal))
        return;
    linked_ = true;
    linkedDoubles_ = xType == kItemTypeReal;
    const double x = NumberOf(x_.Value(), linkedDoubles_);
    const double y = NumberOf(y_.Value(), linkedDoubles_);
    if (std::fabs(y) > std::fabs(x)) {
        xLeads_ = false;
        ratio_ = x / y;
    } else {
        xLeads_ = true;
        ratio_ = x != 0 ? y / x : 1.0;
    }
}

void LSpinXY::SendMovement(int64_t dx, int64_t dy, uint32_t phase, bool ctrl)
{
    const uint32_t code = ControlCode(static_cast<ControlPhase>(phase), kSourceSpin, Fine(ctrl));
    const bool always = phase != kPhaseContinue;
    AddStepUnits(xAccumulator_, dx);
    AddStepUnits(yAccumulator_, dy);
    LValueModifyMsgTx group(kTransactionCode);
    if (always || dx != 0)
        x_.Ref().SendPair(code, pairFirst_, xAccumulator_, LValue::kItemValue);
    if (always || dy != 0)
        y_.Ref().SendPair(code, pairFirst_, yAccumulator_, LValue::kItemValue);
}

void LSpinXY::SetFollower()
{
    LBoundReference& leader = xLeads_ ? x_ : y_;
    LBoundReference& follower = xLeads_ ? y_ : x_;
    const uint32_t code = ControlCode(kPhaseContinue, kSourceSpin);
    if (linkedDoubles_)
        follower.Ref().SendDouble(code, leader.Value().GetDouble(LValue::kItemValue) * ratio_,
                                  LValue::kItemValue);
    else
        follower.Ref().SendInt(code, LinkedInteger(leader.Value().GetInt(LValue::kItemValue), ratio_),
                               LValue::kItemValue);
}

bool LSpinXY::OnMouseDown(const MouseEvent& event)
{
    if (event.button == MouseButton::kRight) {
        Release(event.ctrl);
        ResetBoth();
        return true;
    }
    if (event.doubleClick) {
        ResetBoth();
        return true;
    }
    if (!held_.Press(event.button))
        return false;
    if (!Window())
        return true;
    Window()->SetFocus();
    Window()->CaptureMouse();
    if (pressed_ || dragging_)
        return true;
    if (IsDoubleClick(event)) {
        ResetBoth();
        return true;
    }
    previousPress_ = {event.x, event.y};
    previousPressTime_ = event.timeMs;
    hasPreviousPress_ = true;
    pressed_ = true;
    Window()->Invalidate();
    StartDrag();
    return true;
}

bool LSpinXY::OnMouseMove(const MouseEvent& event)
{
    RasterPoint pointer;
    if (!dragging_ || !Window() || !PointerInClient(*Window(), pointer))
        return true;
    const int64_t dx = (int64_t{pointer.x} - lastDrag_.x) * kStepUnitsPerPixel;
    const int64_t dy = (int64_t{lastDrag_.y} - pointer.y) * kStepUnitsPerPixel;
    if (!linked_) {
        SendMovement(dx, dy, kPhaseContinue, event.ctrl);
    } else {
        LValueModifyMsgTx group(kTransactionCode);
        SendMovement(xLeads_ ? dy : 0, xLeads_ ? 0 : dy, kPhaseContinue, event.ctrl);
        SetFollower();
    }
    if ((dx != 0 || dy != 0) && Window()) {
        WarpPointerTo(*Window(), Centre());
        lastDrag_ = Centre();
    }
    return true;
}

void LSpinXY::Release(bool ctrl)
{
    pressed_ = false;
    if (Window())
        Window()->Invalidate();
    if (dragging_) {
        EndDragCursor();
        SendMovement(0, 0, kPhaseEnd, ctrl);
    }
    FinishRelease();
}

bool LSpinXY::OnKeyDown(int32_t key, bool ctrl)
{
    if (key == 'D') {
        if (!ctrl || !x_.HasDefault() || !y_.HasDefault())
            return false;
        ResetBoth();
        return true;
    }
    if (key == kKeyEscape)
        Release(ctrl);
    return false;
}

void LSpinXY::OnPaint(ControlPainter& painter)
{
    if (Window())
        DrawSpinXY(painter, painter.Bounds(), mode_, dragging_, !Window()->IsEnabled());
}

#include "controls/l_edit.h"

#include "controls/control_codes.h"
#include "controls/control_environment.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_dialog.h"
#include "controls/pointer_warp.h"
#include "controls/step_accumulator.h"
#include "foundation/tasks/sys_clock.h"

#include <cstdlib>

namespace {

constexpr int32_t kFocusCode = 1;
constexpr uint32_t kCodeTextFirst = ControlCode(kPhaseOpen, kSourceText);
constexpr uint32_t kCodeTextMore = ControlCode(kPhaseContinue, kSourceText);
constexpr uint32_t kCodeTextCommit = ControlCode(kPhaseEnd, kSourceText);

} // namespace

LEdit::LEdit() : value_([this] { Refresh(); })
{
}

LEdit::~LEdit()
{
    if (dragging_)
        CurrentControlEnvironment().ShowCursor(true);
}

bool LEdit::Create(const RasterRect& rect, ControlWindow* parent)
{
    ControlWindowSpec spec;
    spec.kind = ControlWindowKind::kEdit;
    spec.rect = rect;
    spec.tabStop = true;
    return CreateWindow(parent, spec);
}

void LEdit::Bind(const XAString& name, LMsgRegistryNode* context)
{
    value_.Attach(name, context);
    ShowValue();
}

void LEdit::Refresh()
{
    if (refreshAllowed_) {
        ShowValue();
        return;
    }
    SetAtDefault(value_.IsAtDefault());
    if (Window())
        Window()->Update();
}

void LEdit::SetAtDefault(bool atDefault)
{
    if (atDefault == atDefault_)
        return;
    atDefault_ = atDefault;
    if (!Window())
        return;
    Window()->SetColours(!atDefault_, ControlColour(kRoleTextOffDefault), ControlColour(kRoleBackOffDefault));
    Window()->Invalidate();
}

void LEdit::WriteText(const XAString& text)
{
    if (!Window())
        return;
    liveUpdates_ = false;
    Window()->SetText(text.CStr());
    if (Window()->HasFocus()) {
        Window()->SelectAll();
        Window()->ScrollCaret();
    }
    liveUpdates_ = true;
}

void LEdit::ApplyEnabled(bool enabled)
{
    if (enabled) {
        disablePending_ = false;
        if (Window())
            Window()->Enable(true);
    } else if (dragging_) {
        disablePending_ = true;
    } else {
        disablePending_ = false;
        if (Window())
            Window()->Enable(false);
    }
}

void LEdit::SendText(uint32_t code)
{
    if (!Window())
        return;
    value_.Ref().SendString(code, XAString(Window()->Text().c_str()), LValue::kItemValue);
}

void LEdit::Commit()
{
    SendText(kCodeTextCommit);
    changePending_ = false;
    ShowValue();
    if (!Window())
        return;
    lastCommitted_ = Window()->Text().c_str();
    Window()->SelectAll();
    Window()->ScrollCaret();
}

void LEdit::Step(int64_t units, uint32_t code)
{
    AddStepUnits(accumulator_, units);
    value_.Ref().SendPair(code, pairFirst_, accumulator_, LValue::kItemValue);
}

void LEdit::OnTextChanged()
{
    if (!liveUpdates_)
        return;
    const uint32_t code = changePending_ ? kCodeTextMore : kCodeTextFirst;
    changePending_ = true;
    refreshAllowed_ = false;
    SendText(code);
    refreshAllowed_ = true;
}

bool LEdit::OnKeyDown(int32_t key, bool ctrl)
{
    switch (key) {
    case kKeyReturn:
        Commit();
        return true;
    case kKeyEscape:
        if (dragging_) {
            EndDrag();
            return true;
        }
        WriteText(lastCommitted_);
        if (changePending_)
            Commit();
        if (Window()) {
            Window()->SelectAll();
            Window()->ScrollCaret();
        }
        return true;
    case kKeyPageUp:
    case kKeyPageDown:
        if (value_.IsNumeric())
            Step(key == kKeyPageUp ? kStepUnitsPerClick : -kStepUnitsPerClick,
                 kCodeTextCommit | (ctrl ? kControlCodeFine : 0));
        return true;
    case 'D':
        if (!ctrl || !value_.HasDefault())
            return false;
        value_.Ref().SendReset(kCodeResetToDefault, LValue::kItemValue);
        return true;
    default:
        return false;
    }
}

void LEdit::OnSetFocus()
{
    if (!Window())
        return;
    lastCommitted_ = Window()->Text().c_str();
    if (LDialog* panel = ParentDialog()) {
        panel->EnsureVisible(ScreenRect());
        panel->OnControlFocus(kFocusCode, Window());
    }
}

void LEdit::OnKillFocus()
{
    OnCaptureLost();
    if (LDialog* panel = ParentDialog())
        panel->OnControlKillFocus(kFocusCode);
    if (changePending_)
        Commit();
}

bool LEdit::OnMouseDown(const MouseEvent& event)
{
    if (event.button == MouseButton::kRight) {
        held_.Clear();
        EndMouseGesture();
        return false;
    }
    if (!held_.Press(event.button))
        return false;
    if (!Window())
        return false;
    Window()->SetFocus();
    Window()->CaptureMouse();
    if (!dragging_) {
        press_ = {event.x, event.y};
        anchor_ = press_;
        anchorTime_ = GetSysTimeCs();
    }
    return false;
}

bool LEdit::OnMouseUp(const MouseEvent& event)
{
    if (!held_.Release(event.button))
        return false;
    if (held_.Any())
        return true;
    const bool wasDragging = dragging_;
    EndMouseGesture();
    return wasDragging;
}

bool LEdit::OnMouseMove(const MouseEvent& event)
{
    if (dragging_) {
        DragMove(event.ctrl);
        return true;
    }
    if (!held_.Any())
        return false;
    if (std::abs(event.y - anchor_.y) > kDragStartPixels) {
        StartDrag(event.ctrl);
        return true;
    }
    const int64_t now = GetSysTimeCs();
    if (now - anchorTime_ > kAnchorCentiseconds) {
        anchor_ = {event.x, event.y};
        anchorTime_ = now;
    }
    return false;
}

void LEdit::OnCaptureLost()
{
    if (!held_.Any())
        return;
    held_.Clear();
    EndMouseGesture();
}

void LEdit::OnShow(bool shown)
{
    if (!shown)
        OnCaptureLost();
}

void LEdit::OnWindowDestroyed()
{
    if (dragging_) {
        dragging_ = false;
        CurrentControlEnvironment().ShowCursor(true);
    }
    held_.Clear();
    LWindowObject::OnWindowDestroyed();
}

void LEdit::StartDrag(bool ctrl)
{
    if (!Window())
        return;
    Window()->SelectAll();
    Window()->ScrollCaret();
    CurrentControlEnvironment().ShowCursor(false);
    RasterPoint pointer = press_;
    PointerInClient(*Window(), pointer);
    lastDragY_ = pointer.y;
    dragging_ = true;
    if (value_.IsNumeric())
        Step(0, ControlCode(kPhaseOpen, kSourceSpin, Fine(ctrl)));
}

void LEdit::DragMove(bool ctrl)
{
    RasterPoint pointer;
    if (!Window() || !PointerInClient(*Window(), pointer) || pointer.y == lastDragY_)
        return;
    if (value_.IsNumeric())
        Step((int64_t{lastDragY_} - pointer.y) * kStepUnitsPerPixel,
             ControlCode(kPhaseContinue, kSourceSpin, Fine(ctrl)));
    if (!Window())
        return;
    WarpPointerTo(*Window(), press_);
    lastDragY_ = press_.y;
}

void LEdit::EndDrag()
{
    if (!dragging_)
        return;
    if (Window())
        WarpPointerTo(*Window(), press_);
    CurrentControlEnvironment().ShowCursor(true);
    dragging_ = false;
    if (value_.IsNumeric())
        Step(0, ControlCode(kPhaseEnd, kSourceSpin, Fine(CurrentControlEnvironment().IsCtrlDown())));
}

void LEdit::EndMouseGesture()
{
    EndDrag();
    if (!Window())
        return;
    Window()->ReleaseMouse();
    if (disablePending_) {
        disablePending_ = false;
        Window()->Enable(false);
    }
}

void LEditString::ShowValue()
{
    SetAtDefault(BoundValue().IsAtDefault());
    XAString text;
    if (BoundValue().Value().GetTextA(text, LValue::kItemValue)) {
        WriteText(text);
        RememberCommitted(text);
    }
    ApplyEnabled(BoundValue().IsEnabled());
    if (Window())
        Window()->Update();
}

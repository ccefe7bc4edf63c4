#include "controls/l_drag_button.h"

#include "controls/control_environment.h"
#include "controls/l_dialog.h"
#include "controls/pointer_warp.h"

LDragButton::~LDragButton()
{
    if (dragging_)
        CurrentControlEnvironment().ShowCursor(true);
}

bool LDragButton::Create(const RasterRect& rect, ControlWindow* parent)
{
    return CreateOwnerDrawn("", rect, parent, false);
}

bool LDragButton::OnMouseUp(const MouseEvent& event)
{
    if (!held_.Release(event.button))
        return false;
    if (!held_.Any())
        Release(event.ctrl);
    return true;
}

void LDragButton::OnSetFocus()
{
    if (LDialog* panel = ParentDialog())
        panel->OnControlFocus(0, Window());
}

void LDragButton::OnKillFocus()
{
    DropGesture();
    if (LDialog* panel = ParentDialog())
        panel->OnControlKillFocus(0);
}

void LDragButton::OnCaptureLost()
{
    DropGesture();
}

void LDragButton::OnShow(bool shown)
{
    if (!shown)
        DropGesture();
}

void LDragButton::OnWindowDestroyed()
{
    ForgetWindowState();
    if (dragging_) {
        dragging_ = false;
        CurrentControlEnvironment().ShowCursor(true);
    }
    held_.Clear();
    LWindowObject::OnWindowDestroyed();
}

RasterPoint LDragButton::Centre() const
{
    const RasterRect client = Window() ? Window()->ClientRect() : RasterRect{};
    return {client.right / 2, client.bottom / 2};
}

void LDragButton::ApplyEnabled(bool enabled)
{
    if (!Window())
        return;
    if (enabled) {
        disablePending_ = false;
        Window()->Enable(true);
    } else if (GestureRunning()) {
        disablePending_ = true;
    } else {
        Window()->Enable(false);
    }
    Window()->Update();
}

void LDragButton::BeginDragCursor()
{
    CurrentControlEnvironment().ShowCursor(false);
    dragging_ = true;
}

void LDragButton::EndDragCursor()
{
    if (Window())
        WarpPointerTo(*Window(), Centre());
    CurrentControlEnvironment().ShowCursor(true);
    dragging_ = false;
}

void LDragButton::FinishRelease()
{
    if (!Window())
        return;
    if (disablePending_) {
        disablePending_ = false;
        Window()->Enable(false);
    }
    Window()->ReleaseMouse();
}

void LDragButton::DropGesture()
{
    if (!held_.Any())
        return;
    held_.Clear();
    Release(CurrentControlEnvironment().IsCtrlDown());
}

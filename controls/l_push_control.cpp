#include "controls/l_push_control.h"

void LPushControl::OnPaint(ControlPainter& painter)
{
    if (Window())
        DrawItem(painter, {push_.ShowsPressed(), Window()->HasFocus(), !Window()->IsEnabled()});
}

bool LPushControl::OnMouseDown(const MouseEvent& event)
{
    if (Window() && (!event.doubleClick || DoubleClickPresses()))
        push_.Press(*Window(), event);
    return true;
}

bool LPushControl::OnMouseUp(const MouseEvent& event)
{
    if (Window() && push_.Release(*Window(), event))
        OnClicked();
    return true;
}

bool LPushControl::OnMouseMove(const MouseEvent& event)
{
    if (Window())
        push_.Move(*Window(), event);
    return true;
}

bool LPushControl::OnKeyDown(int32_t key, bool ctrl)
{
    if (key != kKeySpace)
        return false;
    OnClicked();
    return true;
}

void LPushControl::OnKillFocus()
{
    if (!Window())
        return;
    push_.Cancel(*Window());
    Window()->Invalidate();
}

void LPushControl::OnCaptureLost()
{
    if (Window())
        push_.Cancel(*Window());
}

void LPushControl::OnShow(bool shown)
{
    if (!shown && Window())
        push_.Cancel(*Window());
}

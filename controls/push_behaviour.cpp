#include "controls/push_behaviour.h"

namespace {

bool Contains(const RasterRect& rect, int32_t x, int32_t y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

} // namespace

bool PushBehaviour::IsPushButton(MouseButton button)
{
    return button == MouseButton::kLeft || button == MouseButton::kMiddle;
}

void PushBehaviour::Press(ControlWindow& window, const MouseEvent& event)
{
    if (!IsPushButton(event.button) || !window.IsEnabled())
        return;
    window.SetFocus();
    window.CaptureMouse();
    pressing_ = true;
    inside_ = false;
    SetInside(window, true);
}

void PushBehaviour::Move(ControlWindow& window, const MouseEvent& event)
{
    if (pressing_)
        SetInside(window, Contains(window.ClientRect(), event.x, event.y));
}

bool PushBehaviour::Release(ControlWindow& window, const MouseEvent& event)
{
    if (!pressing_ || !IsPushButton(event.button))
        return false;
    const bool click = Contains(window.ClientRect(), event.x, event.y);
    Cancel(window);
    return click;
}

void PushBehaviour::Cancel(ControlWindow& window)
{
    if (!pressing_)
        return;
    pressing_ = false;
    inside_ = false;
    window.ReleaseMouse();
    window.Invalidate();
}

void PushBehaviour::SetInside(ControlWindow& window, bool inside)
{
    if (inside_ == inside)
        return;
    inside_ = inside;
    window.Invalidate();
}

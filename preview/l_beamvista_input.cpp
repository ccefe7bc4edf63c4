// Keyboard and mouse of the preview: the key table and the gestures work over the preview's
// operations (LBeamvistaInputHost); these members hand them the window's events.
#include "platform/deliverable_kind.h"
#include "preview/key_table.h"
#include "preview/l_beamvista.h"

bool LBeamvista::HandleKey(const UiKeyEvent& key)
{
    if (IsSystemKey(key.modifiers))
        return HandleSysKeyDown(key.virtualKey, key.modifiers);
    return HandleKeyDown(key.virtualKey, key.modifiers);
}

bool LBeamvista::HandleKeyDown(int32_t virtualKey, uint32_t modifiers)
{
    return RunKeyDown(inputHost_, virtualKey, modifiers);
}

bool LBeamvista::HandleSysKeyDown(int32_t virtualKey, uint32_t modifiers)
{
    return RunSysKeyDown(inputHost_, virtualKey, modifiers);
}

bool LBeamvista::HandleMouseWheel(uint32_t modifiers, int32_t rotation, UiPoint screenPoint)
{
    // The control leaves the wheel to the page around it.
    if (CurrentDeliverableKind() == DeliverableKind::Control || !HasWindow())
        return false;
    const UiRect screen = CurrentUiEnvironment().ScreenRectOf(window_->Id());
    return gestures_.OnWheel(rotation, modifiers, {screenPoint.x - screen.left, screenPoint.y - screen.top});
}

bool LBeamvista::OnKeyDown(const UiKeyEvent& key)
{
    return HandleKey(key);
}

void LBeamvista::OnMouseButton(uint32_t button, bool down, bool doubleClick, const UiMouseEvent& event)
{
    if (doubleClick)
        gestures_.OnDoubleClick(button, event);
    else if (down)
        gestures_.OnButtonDown(button, event);
    else
        gestures_.OnButtonUp(button, event);
}

void LBeamvista::OnMouseMove(const UiMouseEvent& event)
{
    gestures_.OnMove(event);
}

bool LBeamvista::OnMouseWheel(int32_t rotation, const UiMouseEvent& event)
{
    if (!HasWindow())
        return false;
    const UiRect screen = CurrentUiEnvironment().ScreenRectOf(window_->Id());
    return HandleMouseWheel(event.modifiers, rotation, {event.at.x + screen.left, event.at.y + screen.top});
}

void LBeamvista::OnCaptureLost()
{
    gestures_.OnCaptureLost();
}

void LBeamvista::OnFocus(bool gained)
{
    if (gained) {
        if (fullScreen_ && focusListener_ != nullptr) {
            focusNotified_ = true;
            focusListener_->OnPreviewFocusGained(1);
        }
        return;
    }
    WakeCursor();
    NotifyFocusLost();
}

FrameHit LBeamvista::OnFrameHitTest(FrameHit standard)
{
    const bool captionless =
        HasWindow() && window_->Kind() != NativeWindowKind::Child && !window_->HasCaption();
    return standard == FrameHit::kTop && captionless ? FrameHit::kCaption : standard;
}

void LBeamvista::NotifyFocusLost()
{
    if (!focusNotified_)
        return;
    focusNotified_ = false;
    if (focusListener_ != nullptr)
        focusListener_->OnPreviewFocusLost(1);
}

void LBeamvista::ToggleInfoLines(uint32_t modifiers)
{
    if ((modifiers & kUiAlt) != 0)
        showLaserFps_ = !showLaserFps_;
    if ((modifiers & kUiCtrl) != 0)
        showPcFps_ = !showPcFps_;
    if ((modifiers & kUiShift) != 0)
        showTimecode_ = !showTimecode_;
    showInfo_ = (modifiers & (kUiAlt | kUiCtrl | kUiShift)) != 0 || !showInfo_;
    sizeShownAt_ = NowCs();
    Redraw();
}

// The mouse cursor of a full-screen preview hides itself two seconds after the mouse last moved,
// while the preview has the focus and the pointer is over it, and never while a dialog is busy.
#include "preview/l_beamvista.h"

namespace {

constexpr int32_t kCursorHideAfterCs = 200;

} // namespace

void LBeamvista::WakeCursor()
{
    if (cursorHidden_) {
        CurrentUiEnvironment().ShowCursor(true);
        cursorHidden_ = false;
    }
    cursorHideAt_ = NowCs() + kCursorHideAfterCs;
    StartTimer();
}

void LBeamvista::CheckCursorHide()
{
    if (modalCount_ > 0) {
        WakeCursor();
        return;
    }
    if (cursorHidden_ || !fullScreen_ || !HasWindow())
        return;
    // Centiseconds wrap: the deadline has passed when the distance to it is not negative.
    if (static_cast<int32_t>(static_cast<uint32_t>(NowCs()) - static_cast<uint32_t>(cursorHideAt_)) < 0)
        return;
    UiEnvironment& environment = CurrentUiEnvironment();
    UiPoint pointer;
    if (!environment.GetCursorPos(pointer))
        return;
    const UiWindowId self = window_->Id();
    if (environment.FocusWindow() != self || environment.WindowAt(pointer) != self)
        return;
    environment.ShowCursor(false);
    cursorHidden_ = true;
}

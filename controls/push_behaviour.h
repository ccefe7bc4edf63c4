// The push gesture of the owner-drawn buttons, as the desktop's buttons have it: a press with
// the left or middle button captures the mouse and shows the control pressed while the pointer
// is inside it; releasing inside clicks, releasing outside or losing the capture does not.
#pragma once

#include "controls/control_window.h"
#include "controls/control_window_sink.h"

class PushBehaviour
{
  public:
    // Takes the focus and the capture and starts pressing.
    void Press(ControlWindow& window, const MouseEvent& event);
    // Follows the pointer in and out of the control.
    void Move(ControlWindow& window, const MouseEvent& event);
    // True when the release completes a click.
    bool Release(ControlWindow& window, const MouseEvent& event);
    // Ends a press without a click (capture or focus lost, hidden).
    void Cancel(ControlWindow& window);

    bool IsPressing() const { return pressing_; }
    bool ShowsPressed() const { return pressing_ && inside_; }

  private:
    static bool IsPushButton(MouseButton button);
    void SetInside(ControlWindow& window, bool inside);

    bool pressing_ = false;
    bool inside_ = false;
};

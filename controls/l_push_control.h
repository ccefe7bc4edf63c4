// LPushControl: the base of the owner-drawn buttons (check box, button, panel header): the push
// gesture with the left or middle button, Space to click when focused, painting through
// DrawItem with the state the gesture and the window give.
#pragma once

#include "controls/draw_item_state.h"
#include "controls/l_window_object.h"
#include "controls/push_behaviour.h"

class ControlPainter;

class LPushControl : public LWindowObject
{
  public:
    virtual void DrawItem(ControlPainter& painter, const DrawItemState& state) = 0;
    virtual void OnClicked() = 0;

    void OnPaint(ControlPainter& painter) override;
    bool OnMouseDown(const MouseEvent& event) override;
    bool OnMouseUp(const MouseEvent& event) override;
    bool OnMouseMove(const MouseEvent& event) override;
    bool OnKeyDown(int32_t key, bool ctrl) override;
    void OnKillFocus() override;
    void OnCaptureLost() override;
    void OnShow(bool shown) override;

  protected:
    // Whether the second press of a double click presses again (buttons) or is ignored, as the
    // desktop reported it as a double click instead (check boxes).
    virtual bool DoubleClickPresses() const { return true; }
    bool ShowsPressed() const { return push_.ShowsPressed(); }

  private:
    PushBehaviour push_;
};

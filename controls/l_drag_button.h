// LDragButton: what the two spin controls share. An owner-drawn button that takes the focus
// only by a click; its gesture runs while the left or middle button is held (the middle one
// asks for the fine step), hides the pointer while it drags, and ends exactly once: on release,
// Escape, a right click, a lost capture or focus, hiding or destruction. A refresh that disables
// it during a gesture waits for that end.
#pragma once

#include "controls/held_buttons.h"
#include "controls/l_window_object.h"
#include "controls/raster_point.h"

class LDragButton : public LWindowObject
{
  public:
    ~LDragButton() override;

    bool Create(const RasterRect& rect, ControlWindow* parent);
    bool IsDragging() const { return dragging_; }

    bool OnMouseUp(const MouseEvent& event) override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    void OnCaptureLost() override;
    void OnShow(bool shown) override;
    void OnWindowDestroyed() override;

  protected:
    // Ends the running gesture: its end messages, then FinishRelease.
    virtual void Release(bool ctrl) = 0;
    virtual bool GestureRunning() const { return dragging_; }
    // The window goes: what hangs on it (a timer) goes first.
    virtual void ForgetWindowState() {}

    RasterPoint Centre() const;
    bool Fine(bool ctrl) const { return held_.Middle() || ctrl; }
    // Enables the button, or disables it now or (during a gesture) once the gesture ends.
    void ApplyEnabled(bool enabled);
    void BeginDragCursor();
    // Puts the pointer back at the centre and shows it.
    void EndDragCursor();
    // A pending disable, then the capture goes.
    void FinishRelease();

    HeldButtons held_;
    bool dragging_ = false;

  private:
    // The buttons let go without a release of their own.
    void DropGesture();

    bool disablePending_ = false;
};

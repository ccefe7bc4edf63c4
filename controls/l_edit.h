// LEdit: an edit field bound to a parameter by name. Typing sends the whole text live (the first
// change opens the gesture, Enter or leaving the field commits it, Escape puts back the text the
// field had when it got the focus); Page Up and Page Down step a number by one click; a quick
// vertical drag changes it continuously with the pointer hidden and held in place; Ctrl+D puts
// the default back. Off its default the field is tinted. LEditString writes the value as text.
#pragma once

#include "controls/held_buttons.h"
#include "controls/l_bound_reference.h"
#include "controls/l_window_object.h"
#include "controls/raster_point.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

class LMsgRegistryNode;

class LEdit : public LWindowObject
{
  public:
    // A drag starts after more than this many pixels up or down from the anchor...
    static constexpr int32_t kDragStartPixels = 10;
    // ...moved within this many centiseconds; a slower movement moves the anchor along.
    static constexpr int32_t kAnchorCentiseconds = 20;

    LEdit();
    ~LEdit() override;

    bool Create(const RasterRect& rect, ControlWindow* parent);
    void Bind(const XAString& name, LMsgRegistryNode* context);
    // Writes the bound value into the field.
    virtual void ShowValue() = 0;
    // A completed change: the value is shown unless this field sent it while typing.
    void Refresh();

    bool ShowsDefault() const { return atDefault_; }
    LValueHandler* BoundHandler() { return value_.Handler(); }
    bool IsDragging() const { return dragging_; }
    bool IsChangePending() const { return changePending_; }

    void OnTextChanged() override;
    bool OnKeyDown(int32_t key, bool ctrl) override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    bool OnMouseDown(const MouseEvent& event) override;
    bool OnMouseUp(const MouseEvent& event) override;
    bool OnMouseMove(const MouseEvent& event) override;
    void OnCaptureLost() override;
    void OnShow(bool shown) override;
    void OnWindowDestroyed() override;

  protected:
    LBoundReference& BoundValue() { return value_; }
    // Records whether the value is at its default and tints the field when not.
    void SetAtDefault(bool atDefault);
    // The program's own write: no live change follows; the whole text is selected while focused.
    void WriteText(const XAString& text);
    // Enables the field, or disables it at once or (during a drag) once the mouse is released.
    void ApplyEnabled(bool enabled);
    void RememberCommitted(const XAString& text) { lastCommitted_ = text; }

  private:
    void SendText(uint32_t code);
    void Commit();
    void Step(int64_t units, uint32_t code);
    void StartDrag(bool ctrl);
    void DragMove(bool ctrl);
    void EndDrag();
    // Both buttons up: the drag ends, the capture goes, a pending disable happens.
    void EndMouseGesture();
    bool Fine(bool ctrl) const { return held_.Middle() || ctrl; }

    LBoundReference value_;
    bool disablePending_ = false;
    bool refreshAllowed_ = true;
    bool liveUpdates_ = true;
    bool changePending_ = false;
    XAString lastCommitted_;
    int32_t pairFirst_ = 0;
    int32_t accumulator_ = 0;
    HeldButtons held_;
    RasterPoint press_;
    RasterPoint anchor_;
    int64_t anchorTime_ = 0;
    bool dragging_ = false;
    int32_t lastDragY_ = 0;
    bool atDefault_ = true;
};

class LEditString : public LEdit
{
  public:
    ~LEditString() override = default;
    void ShowValue() override;
};

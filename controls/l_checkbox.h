// LCheckbox: an owner-drawn check box bound to a parameter by name. A click advances the value
// (0, 1, ... maximum, then the minimum again), Ctrl+D puts it back to its default; the box is
// tinted while the value differs from its default, and a third state (2) draws a grey tick.
#pragma once

#include "controls/l_bound_reference.h"
#include "controls/l_push_control.h"

#include <cstdint>
#include <string>

class ControlPainter;
class LMsgRegistryNode;

class LCheckbox : public LPushControl
{
  public:
    static constexpr int32_t kBoxSize = 13;
    static constexpr int32_t kLabelOffset = 15;

    LCheckbox();
    ~LCheckbox() override = default;

    // The box as a child of the parent with the caption.
    bool Create(const std::string& caption, const RasterRect& rect, ControlWindow* parent);
    void Bind(const XAString& name, LMsgRegistryNode* context);
    void Refresh();

    int32_t ShownValue() const { return shownValue_; }
    LValueHandler* BoundHandler() { return value_.Handler(); }
    bool ShowsDefault() const { return atDefault_; }
    void DrawItem(ControlPainter& painter, const DrawItemState& state) override;
    // Advances the value.
    void OnClicked() override;

    bool OnKeyDown(int32_t key, bool ctrl) override;
    void OnSetFocus() override;
    void OnKillFocus() override;

  protected:
    bool DoubleClickPresses() const override { return false; }

  private:
    LBoundReference value_;
    int32_t shownValue_ = 0;
    bool atDefault_ = true;
};

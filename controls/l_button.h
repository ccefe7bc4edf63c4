// LButton: an owner-drawn push button bound to a parameter by name. A plain button advances the
// value at each click; a toggle button (a check-box style in its template) sets 1 when shown
// off and 0 when shown on, and shows itself sunk in while on.
#pragma once

#include "controls/l_bound_reference.h"
#include "controls/l_push_control.h"

#include <cstdint>
#include <string>

class LMsgRegistryNode;

class LButton : public LPushControl
{
  public:
    LButton();
    ~LButton() override = default;

    bool Create(const std::string& caption, const RasterRect& rect, ControlWindow* parent, bool toggle);
    // As a template item whose style says whether it toggles.
    void SetToggle(bool toggle) { toggle_ = toggle; }
    void Bind(const XAString& name, LMsgRegistryNode* context);
    void Refresh();

    bool ShownOn() const { return shownOn_; }
    LValueHandler* BoundHandler() { return value_.Handler(); }
    void DrawItem(ControlPainter& painter, const DrawItemState& state) override;
    void OnClicked() override;
    void OnSetFocus() override;

  private:
    LBoundReference value_;
    bool toggle_ = false;
    bool shownOn_ = false;
};

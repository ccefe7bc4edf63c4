// LCaptionButton: the header button of a panel in the panel stack. A click collapses or expands
// its panel ("-" marks an expanded one, "+" a collapsed one), lays the stack out again and
// brings the header, with the panel when expanded, into view.
#pragma once

#include "controls/l_push_control.h"

#include <cstdint>
#include <string>

class ControlPainter;
class LDialogManager;

class LCaptionButton : public LPushControl
{
  public:
    LCaptionButton() = default;
    ~LCaptionButton() override = default;

    // The header as a child of the stack; the first header of a stack starts a tab group.
    bool Create(const std::string& text, LDialogManager* parent, bool expanded, bool group);
    bool IsExpanded() const { return expanded_; }
    void SetExtraHeight(int32_t pixels) { extraHeight_ = pixels; }
    LDialogManager* Owner() const { return owner_; }

    void DrawItem(ControlPainter& painter, const DrawItemState& state) override;
    void OnClicked() override;

    void OnSetFocus() override;
    void OnKillFocus() override;

  private:
    LDialogManager* owner_ = nullptr;
    bool expanded_ = true;
    int32_t extraHeight_ = 0;
};

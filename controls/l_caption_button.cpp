#include "controls/l_caption_button.h"

#include "controls/control_painter.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_dialog_manager.h"

namespace {

constexpr int32_t kSignLeft = 7;
constexpr int32_t kSignRight = 14;
constexpr int32_t kSignStemX = 10;

} // namespace

bool LCaptionButton::Create(const std::string& text, LDialogManager* parent, bool expanded, bool group)
{
    owner_ = nullptr;
    expanded_ = expanded;
    if (!parent || !CreateOwnerDrawn(text, {}, parent->Window(), true))
        return false;
    owner_ = parent;
    return true;
}

void LCaptionButton::DrawItem(ControlPainter& painter, const DrawItemState& state)
{
    const RasterRect item = painter.Bounds();
    const RgbColour pen = ControlColour(state.selected ? kRoleCaptionPenPressed : kRoleCaptionPen);
    const RgbColour otherPen = ControlColour(state.selected ? kRoleCaptionPen : kRoleCaptionPenPressed);
    painter.FillRect(item, ControlColour(kRoleCaptionFill));
    painter.FrameRect(item, pen);
    const RasterPoint leftTop[] = {
        {item.left, item.bottom - 1}, {item.left, item.top}, {item.right, item.top}};
    painter.Polyline(leftTop, 3, otherPen);

    const RgbColour ink = ControlColour(kRoleCaptionText);
    const int32_t middle = (item.top + item.bottom) / 2;
    painter.Line(item.left + kSignLeft, middle, item.left + kSignRight, middle, ink);
    if (!expanded_)
        painter.Line(item.left + kSignStemX, middle - 3, item.left + kSignStemX, middle + 4, ink);

    const RasterRect textRect{item.left + 17, item.top + 1, item.right - 7, item.bottom - 1};
    const std::u16string text = WindowText16();
    if (!text.empty()) {
        const int32_t shift = state.selected ? 1 : 0;
        painter.TextEndEllipsis({textRect.left + 4 + shift, textRect.top + shift, textRect.right - 3 + shift,
                                 textRect.bottom + shift},
                                text, ink);
    }
    if (state.focus)
        painter.FocusRect({textRect.left + 1, textRect.top + 1, textRect.right - 1, textRect.bottom - 1},
                          ink);
}

void LCaptionButton::OnClicked()
{
    if (!owner_)
        return;
    expanded_ = !expanded_;
    if (Window())
        Window()->Invalidate();
    owner_->UpdateLayout();
    if (!Window())
        return;
    RasterRect visible = ScreenRect();
    if (expanded_)
        visible.bottom += extraHeight_;
    owner_->EnsureVisible(visible);
}

void LCaptionButton::OnSetFocus()
{
    if (!Window())
        return;
    Window()->Invalidate();
    if (owner_) {
        owner_->EnsureVisible(ScreenRect());
        owner_->OnControlFocus(0, Window());
    }
}

void LCaptionButton::OnKillFocus()
{
    LPushControl::OnKillFocus();
    if (owner_)
        owner_->OnControlKillFocus(0);
}

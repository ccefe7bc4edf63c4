#include "controls/l_button.h"

#include "controls/control_codes.h"
#include "controls/control_painter.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_dialog.h"

LButton::LButton() : value_([this] { Refresh(); })
{
}

bool LButton::Create(const std::string& caption, const RasterRect& rect, ControlWindow* parent, bool toggle)
{
    toggle_ = toggle;
    return CreateOwnerDrawn(caption, rect, parent, true);
}

void LButton::Bind(const XAString& name, LMsgRegistryNode* context)
{
    value_.Attach(name, context);
    Refresh();
}

void LButton::Refresh()
{
    int32_t value = 0;
    const bool read = value_.Value().GetInt(value, LValue::kItemValue);
    if (read)
        shownOn_ = value != 0;
    if (!Window())
        return;
    if (read)
        Window()->Invalidate();
    Window()->Enable(value_.IsEnabled());
    Window()->Update();
}

void LButton::DrawItem(ControlPainter& painter, const DrawItemState& state)
{
    const RasterRect item = painter.Bounds();
    const bool sunken = state.selected || (toggle_ && shownOn_);
    const RgbColour light = ControlColour(kRoleHighlight);
    const RgbColour dark = ControlColour(kRoleShadow);
    painter.Edge(item, sunken ? dark : light, sunken ? light : dark);
    const RasterRect inner{item.left + 1, item.top + 1, item.right - 1, item.bottom - 1};
    if (toggle_ && shownOn_)
        painter.HalftoneFill(inner, ControlColour(kRoleButtonFace), ControlColour(kRoleHighlight));
    else
        painter.FillRect(inner, ControlColour(kRoleButtonFace));

    const PrefixText text = ParsePrefixText(WindowText16());
    if (!text.text.empty()) {
        const TextExtent extent = painter.MeasureText(text.text);
        const int32_t shift = state.selected ? 1 : 0;
        const int32_t x = inner.left + (inner.right - inner.left - extent.width) / 2 + shift;
        const int32_t y = inner.top + (inner.bottom - inner.top - extent.height) / 2 + shift;
        if (state.disabled) {
            DrawPrefixText(painter, x + 1, y + 1, text, ControlColour(kRoleHighlight));
            DrawPrefixText(painter, x, y, text, ControlColour(kRoleShadow));
        } else {
            DrawPrefixText(painter, x, y, text, ControlColour(kRoleButtonText));
        }
    }
    if (state.focus)
        painter.FocusRect({inner.left + 2, inner.top + 2, inner.right - 2, inner.bottom - 2},
                          ControlColour(kRoleButtonText));
}

void LButton::OnClicked()
{
    if (toggle_)
        value_.Ref().SendInt(kCodeClick, shownOn_ ? 0 : 1, LValue::kItemValue);
    else
        value_.Ref().SendStepUp(kCodeClick, LValue::kItemValue);
}

void LButton::OnSetFocus()
{
    if (!Window())
        return;
    Window()->Invalidate();
    if (LDialog* panel = ParentDialog())
        panel->EnsureVisible(ScreenRect());
}

#include "controls/l_checkbox.h"

#include "controls/control_codes.h"
#include "controls/control_painter.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_dialog.h"

namespace {

constexpr int32_t kTickPolylines = 3;

} // namespace

LCheckbox::LCheckbox() : value_([this] { Refresh(); })
{
}

bool LCheckbox::Create(const std::string& caption, const RasterRect& rect, ControlWindow* parent)
{
    return CreateOwnerDrawn(caption, rect, parent, true);
}

void LCheckbox::Bind(const XAString& name, LMsgRegistryNode* context)
{
    value_.Attach(name, context);
    Refresh();
}

void LCheckbox::Refresh()
{
    const bool atDefault = value_.IsAtDefault();
    const bool changed = atDefault != atDefault_;
    atDefault_ = atDefault;
    int32_t value = 0;
    const bool read = value_.Value().GetInt(value, LValue::kItemValue);
    if (read)
        shownValue_ = value;
    if (!Window())
        return;
    if (changed || read)
        Window()->Invalidate();
    Window()->Enable(value_.IsEnabled());
    Window()->Update();
}

void LCheckbox::DrawItem(ControlPainter& painter, const DrawItemState& state)
{
    const RasterRect item = painter.Bounds();
    painter.FillRect(item, ControlColour(kRoleButtonFace));
    const bool third = shownValue_ == 2;

    const int32_t boxTop = item.top + (item.bottom - item.top - kBoxSize) / 2;
    RasterRect box{item.left, boxTop, item.left + kBoxSize, boxTop + kBoxSize};
    painter.Edge(box, ControlColour(kRoleShadow), ControlColour(kRoleHighlight));
    box = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    painter.Edge(box, ControlColour(kRoleDarkShadow), ControlColour(kRoleLight));
    box = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    int32_t fill = kRoleButtonFace;
    if (!state.selected && !state.disabled)
        fill = third ? kRoleHighlight : atDefault_ ? kRoleBoxAtDefault : kRoleBackOffDefault;
    else if (!state.selected)
        fill = (atDefault_ || third) ? kRoleButtonFace : kRoleBackOffDefault;
    painter.FillRect(box, ControlColour(fill));

    if (shownValue_ != 0) {
        const int32_t tickRole = (state.disabled || third) ? kRoleShadow
                                 : atDefault_              ? kRoleTickAtDefault
                                                           : kRoleTextOffDefault;
        const int32_t x = box.left;
        const int32_t y = box.top;
        for (int32_t i = 0; i < kTickPolylines; ++i) {
            const RasterPoint tick[] = {{x + 1, y + 3 + i}, {x + 3, y + 5 + i}, {x + 8, y + i}};
            painter.Polyline(tick, 3, ControlColour(tickRole));
        }
    }

    const std::u16string text = WindowText16();
    const TextExtent extent = painter.MeasureText(text);
    const int32_t labelX = item.left + kLabelOffset + painter.MeasureText(u" ").width;
    const int32_t labelY = item.top + (item.bottom - item.top - extent.height) / 2;
    if (!state.disabled) {
        painter.Text(labelX, labelY, text, ControlColour(kRoleButtonText));
    } else {
        painter.Text(labelX + 1, labelY + 1, text, ControlColour(kRoleHighlight));
        painter.Text(labelX, labelY, text, ControlColour(kRoleShadow));
    }
    if (state.focus) {
        const RasterRect focus{std::max(labelX - 1, item.left), std::max(labelY - 1, item.top),
                               std::min(labelX + extent.width + 1, item.right),
                               std::min(labelY + extent.height + 2, item.bottom)};
        painter.FocusRect(focus, ControlColour(kRoleButtonText));
    }
}

void LCheckbox::OnClicked()
{
    value_.Ref().SendStepUp(kCodeClick, LValue::kItemValue);
}

bool LCheckbox::OnKeyDown(int32_t key, bool ctrl)
{
    if (LPushControl::OnKeyDown(key, ctrl))
        return true;
    if (key == 'D' && ctrl && value_.HasDefault()) {
        value_.Ref().SendReset(kCodeResetToDefault, LValue::kItemValue);
        return true;
    }
    return false;
}

void LCheckbox::OnSetFocus()
{
    if (!Window())
        return;
    Window()->Invalidate();
    if (LDialog* panel = ParentDialog()) {
        panel->EnsureVisible(ScreenRect());
        panel->OnControlFocus(0, Window());
    }
}

void LCheckbox::OnKillFocus()
{
    LPushControl::OnKillFocus();
    if (LDialog* panel = ParentDialog())
        panel->OnControlKillFocus(0);
}

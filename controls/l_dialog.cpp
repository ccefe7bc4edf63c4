#include "controls/l_dialog.h"

#include "controls/control_environment.h"
#include "controls/control_resources.h"
#include "controls/dialog_template.h"

bool LDialog::Create(int32_t templateId, ControlWindow* parent)
{
    const DialogTemplate* dialog = FindDialogTemplate(templateId);
    if (!dialog)
        return false;
    owner_ = parent ? dynamic_cast<LDialog*>(parent->Sink()) : nullptr;
    ControlWindowSpec spec;
    spec.kind = dialog->kind;
    spec.rect = DialogUnitsToPixels({0, 0, dialog->widthUnits, dialog->heightUnits});
    spec.text = dialog->title;
    if (!CreateWindow(parent, spec))
        return false;
    if (!CreateItems(*dialog) || !OnInitDialog()) {
        DestroyWindow();
        return false;
    }
    return true;
}

bool LDialog::CreateItems(const DialogTemplate& dialog)
{
    items_.clear();
    for (const DialogItem& item : dialog.items) {
        ControlWindow* window = CreateControlWindow(Window(), DialogItemWindowSpec(item), nullptr);
        if (!window)
            return false;
        items_.push_back({item.id, window});
    }
    return true;
}

ControlWindow* LDialog::GetDlgItem(int32_t id) const
{
    if (!Window() || id == kNoItemId)
        return nullptr;
    for (const Item& item : items_)
        if (item.id == id)
            return item.window;
    return nullptr;
}

bool LDialog::AttachItem(int32_t id, LWindowObject& control)
{
    ControlWindow* window = GetDlgItem(id);
    if (!window || window->Sink())
        return false;
    control.Attach(window);
    window->Invalidate();
    return true;
}

bool LDialog::Create(const std::string& caption, ControlWindow* parent)
{
    if (!Create(kTemplateEmptyPanel, parent))
        return false;
    Window()->SetText(caption);
    return true;
}

void LDialog::EnsureVisible(const RasterRect& screenRect)
{
    if (owner_)
        owner_->EnsureVisible(screenRect);
}

void LDialog::OnControlFocus(int32_t code, ControlWindow* control)
{
    if (owner_)
        owner_->OnControlFocus(code, control);
}

void LDialog::OnControlKillFocus(int32_t code)
{
    if (owner_)
        owner_->OnControlKillFocus(code);
}

void LDialog::ScrollBy(int32_t dy)
{
    if (owner_)
        owner_->ScrollBy(dy);
}

void LDialog::BeginDragScroll()
{
    RasterPoint position;
    if (dragging_ || !Window() || !CurrentControlEnvironment().GetCursorPos(position))
        return;
    last_ = position;
    dragging_ = true;
    Window()->CaptureMouse();
    Window()->SetDragCursor(true);
}

void LDialog::DragScroll()
{
    RasterPoint position;
    if (!dragging_ || !CurrentControlEnvironment().GetCursorPos(position))
        return;
    ScrollBy(last_.y - position.y);
    last_ = position;
}

void LDialog::EndDragScroll()
{
    if (held_.Any() || !dragging_)
        return;
    dragging_ = false;
    if (Window()) {
        Window()->ReleaseMouse();
        Window()->SetDragCursor(false);
    }
}

void LDialog::CancelDragScroll()
{
    held_.Clear();
    EndDragScroll();
}

bool LDialog::OnMouseDown(const MouseEvent& event)
{
    if (held_.Press(event.button))
        BeginDragScroll();
    else if (event.button == MouseButton::kRight)
        CancelDragScroll();
    return false;
}

bool LDialog::OnMouseUp(const MouseEvent& event)
{
    if (held_.Release(event.button))
        EndDragScroll();
    return false;
}

bool LDialog::OnMouseMove(const MouseEvent&)
{
    DragScroll();
    return false;
}

void LDialog::OnCaptureLost()
{
    CancelDragScroll();
}

void LDialog::OnKillFocus()
{
    CancelDragScroll();
}

void LDialog::OnShow(bool shown)
{
    if (!shown)
        CancelDragScroll();
}

void LDialog::OnWindowDestroyed()
{
    // The capture and the cursor went with the window.
    held_.Clear();
    dragging_ = false;
    items_.clear();
    LWindowObject::OnWindowDestroyed();
}

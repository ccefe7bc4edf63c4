#include "controls/l_window_object.h"

#include "controls/l_dialog.h"
#include "foundation/strings/char_tables.h"

LWindowObject::~LWindowObject()
{
    DestroyWindow();
}

void LWindowObject::Attach(ControlWindow* window)
{
    DestroyWindow();
    window_ = window;
    if (window_)
        window_->SetSink(this);
}

void LWindowObject::DestroyWindow()
{
    ControlWindow* window = window_;
    if (!window)
        return;
    window->SetSink(nullptr);
    OnWindowDestroyed();
    window->Destroy();
}

LDialog* LWindowObject::ParentDialog() const
{
    ControlWindow* parent = window_ ? window_->Parent() : nullptr;
    return parent ? dynamic_cast<LDialog*>(parent->Sink()) : nullptr;
}

void LWindowObject::OnMouseWheel(int32_t rotation)
{
    if (LDialog* panel = ParentDialog())
        panel->OnMouseWheel(rotation);
}

bool LWindowObject::CreateWindow(ControlWindow* parent, const ControlWindowSpec& spec)
{
    DestroyWindow();
    window_ = CreateControlWindow(parent, spec, this);
    return window_ != nullptr;
}

bool LWindowObject::CreateOwnerDrawn(const std::string& caption, const RasterRect& rect,
                                     ControlWindow* parent, bool tabStop)
{
    ControlWindowSpec spec;
    spec.kind = ControlWindowKind::kOwnerDrawn;
    spec.rect = rect;
    spec.text = caption;
    spec.tabStop = tabStop;
    return CreateWindow(parent, spec);
}

std::u16string LWindowObject::WindowText16() const
{
    if (!window_)
        return {};
    const XWString text = Str8To16(window_->Text().c_str(), u'?');
    return std::u16string(text.View());
}

RasterRect LWindowObject::ScreenRect() const
{
    if (!window_)
        return {};
    const RasterRect client = window_->ClientRect();
    const RasterPoint origin = window_->ClientToScreen(0, 0);
    return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

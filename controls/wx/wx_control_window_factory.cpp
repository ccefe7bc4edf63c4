#include "controls/wx/wx_control_window_factory.h"

#include "controls/control_strings.h"
#include "controls/wx/wx_control_window.h"
#include "controls/wx/wx_glyph.h"
#include "platform/resources.h"

#include <wx/statline.h>
#include <wx/toolbar.h>

namespace {

constexpr int kToolGlyphWidth = 16;
constexpr int kToolGlyphHeight = 15;

// The kinds that need nothing of their own beyond the common events.
template <class Widget> class WxPlainWindow final : public WxControlWindowBase, public Widget
{
  public:
    template <class... Args>
    WxPlainWindow(ControlWindow* parentWindow, ControlWindowSink* sink, Args&&... args)
        : WxControlWindowBase(*this, parentWindow, sink), Widget(std::forward<Args>(args)...)
    {
        BindCommonEvents();
    }
};

// The host's window behind an id (its handle is the wx window).
wxWindow* WxOfOwner(UiWindowId owner)
{
    return static_cast<wxWindow*>(const_cast<void*>(owner.Handle()));
}

wxPoint PositionOf(const ControlWindowSpec& spec)
{
    return {spec.rect.left, spec.rect.top};
}

wxSize SizeOf(const ControlWindowSpec& spec)
{
    return {spec.rect.right - spec.rect.left, spec.rect.bottom - spec.rect.top};
}

} // namespace

ControlWindow* WxControlWindowFactory::Create(ControlWindow* parent, const ControlWindowSpec& spec,
                                              ControlWindowSink* sink)
{
    wxWindow* wxParent = parent ? WxControlWindowBase::WxOf(parent) : nullptr;
    if (parent && !wxParent)
        return nullptr;
    switch (spec.kind) {
    case ControlWindowKind::kOwnerDrawn:
        return wxParent ? new WxOwnerDrawnWindow(wxParent, parent, spec, sink) : nullptr;
    case ControlWindowKind::kEdit:
        return wxParent ? new WxEditWindow(wxParent, parent, spec, sink) : nullptr;
    case ControlWindowKind::kLabel:
        return wxParent ? new WxLabelWindow(wxParent, parent, spec, sink) : nullptr;
    case ControlWindowKind::kPanel:
    case ControlWindowKind::kPanelStack:
        return wxParent ? new WxPanelWindow(wxParent, parent, spec, sink) : nullptr;
    case ControlWindowKind::kDialog:
        // Over the parent control, else over the host's window, else over nothing.
        return new WxDialogWindow(wxParent ? wxParent : WxOfOwner(spec.owner), parent, spec, sink);
    case ControlWindowKind::kSeparator:
        return wxParent ? new WxPlainWindow<wxStaticLine>(parent, sink, wxParent, wxID_ANY, PositionOf(spec),
                                                          SizeOf(spec), wxLI_HORIZONTAL)
                        : nullptr;
    case ControlWindowKind::kToolbar: {
        const ToolbarResource* tools = FindToolbarResource(spec.resourceId);
        if (!wxParent || !tools)
            return nullptr;
        auto* bar = new WxPlainWindow<wxToolBar>(parent, sink, wxParent, wxID_ANY, wxDefaultPosition,
                                                 wxDefaultSize, wxTB_FLAT | wxTB_HORIZONTAL);
        bar->SetToolBitmapSize(wxSize(kToolGlyphWidth, kToolGlyphHeight));
        for (const ToolbarButton& button : tools->buttons) {
            std::string tip;
            ToolTipText(button.command, tip);
            bar->AddTool(button.command, wxString(), wxBitmap(GlyphImage(button.glyph)),
                         wxString::FromUTF8(tip));
        }
        bar->Realize();
        // GTK gives a toolbar its height only when asked; the dialog lays out by it.
        bar->SetSize(bar->GetBestSize());
        return bar;
    }
    }
    return nullptr;
}

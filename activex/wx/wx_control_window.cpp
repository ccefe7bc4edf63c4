#include "activex/wx/wx_control_window.h"

#include "activex/c_zyl_player_active_x_ctrl.h"
#include "activex/c_zyl_player_active_x_prop_page.h"
#include "activex/control_context_menu.h"
#include "activex/control_identity.h"
#include "activex/wx/wx_control_player.h"
#include "activex/wx/wx_control_services.h"
#include "platform/com/class_factory.h"
#include "platform/wx/menu_wx.h"
#include "shell/command_ids.h"
#include "shell/wx/c_skin_frame.h"
#include "shell/wx/l_kw_preview_about.h"
#include "shell/wx/wx_child_view.h"

#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <algorithm>
#include <map>
#include <optional>

namespace {

constexpr int kTimerId = 1;
constexpr char kPropertyFrameCaption[] = "Zyl Player ActiveX Control Properties";

} // namespace

// The end of the frame's command chain in the control: after the view, the frame and the module
// (which handles none), the control, the frame's parent. It also answers that it has About.
class ControlCommands final : public UiCommandTarget
{
  public:
    explicit ControlCommands(ControlWindowEvents& events) : events_(events) {}
    bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) override
    {
        if (code == UiCommandCode::Execute) {
            return events_.OnCommand(id);
        }
        return id == command_id::kAbout;
    }

  private:
    ControlWindowEvents& events_;
};

// The toolkit's window of a control: black with the download's status lines while no player
// covers it; mouse requests for the menu and its timer go to the control.
class WxControlSurface final : public wxWindow
{
  public:
    WxControlSurface(wxWindow* parent, WxControlWindow& port, ControlWindowEvents& events)
        : port_(&port), events_(events), timer_(this, kTimerId)
    {
        // Made hidden: the verbs show it.
        Hide();
        Create(parent, wxID_ANY, wxDefaultPosition, parent->GetClientSize(), wxWANTS_CHARS);
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &WxControlSurface::OnPaint, this);
        Bind(wxEVT_SIZE, &WxControlSurface::OnSize, this);
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) { events_.OnWindowTimer(); });
        Bind(wxEVT_RIGHT_DOWN, &WxControlSurface::OnMenuRequest, this);
        Bind(wxEVT_LEFT_DCLICK, &WxControlSurface::OnMenuRequest, this);
        Bind(wxEVT_DESTROY, &WxControlSurface::OnDestroy, this);
    }
    ~WxControlSurface() override { player_.reset(); }

    void Detach() { port_ = nullptr; }
    wxTimer& Timer() { return timer_; }

    ControlPlayer* CreatePlayer()
    {
        if (player_) {
            return player_.get();
        }
        // The control plays what its Url names: the host's own command line is not opened.
        auto* frame = new CSkinFrame(commands_, kControlApplicationName);
        if (!frame->CreateAsChild(this, {}) || frame->View() == nullptr || frame->View()->View().Preview() == nullptr) {
            frame->Destroy();
            return nullptr;
        }
        // The control build's frame starts without the skin, with the thin playback strip, and
        // its keys (full screen, frame modes) are not offered to it: the control's module sets no
        // main window for the view to find the frame by.
        frame->SetSkinLayout(false, true);
        frame->View()->SetKeyFilter({});
        frame_ = frame;
        player_ = std::make_unique<WxControlPlayer>(*frame);
        Refresh();
        return player_.get();
    }

    // The first popup of the control's menu resource, at the pointer; its commands go to the
    // control.
    void ShowFallbackMenu()
    {
        const std::optional<UiMenu> items = ControlFallbackMenu();
        if (!items) {
            return;
        }
        wxMenu menu;
        std::map<int, int32_t> commands;
        AppendMenuItems(menu, items->items, commands);
        const int chosen = GetPopupMenuSelectionFromUser(menu);
        if (const auto command = commands.find(chosen); command != commands.end()) {
            events_.OnCommand(command->second);
        }
    }

  private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        if (frame_ != nullptr) {
            return;
        }
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        auto* control = dynamic_cast<CZylPlayerActiveXCtrl*>(&events_);
        if (control == nullptr || control->ReadyState() == CZylPlayerActiveXCtrl::kReadyStateComplete) {
            return;
        }
        const wxString first = wxString::FromUTF8(control->ShowName().CStr());
        const wxString second = wxString::FromUTF8(control->StatusText().CStr());
        if (first.empty() || second.empty()) {
            return;
        }
        dc.SetTextForeground(*wxWHITE);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const wxSize size = GetClientSize();
        const wxSize firstSize = dc.GetTextExtent(first);
        const wxSize secondSize = dc.GetTextExtent(second);
        const int top = std::max(0, (size.y - firstSize.y - secondSize.y) / 2);
        dc.DrawText(first, std::max(0, (size.x - firstSize.x) / 2), top);
        dc.DrawText(second, std::max(0, (size.x - secondSize.x) / 2), top + firstSize.y);
    }
    void OnSize(wxSizeEvent& event)
    {
        if (frame_ != nullptr) {
            frame_->SetSize(0, 0, GetClientSize().x, GetClientSize().y);
        }
        event.Skip();
    }
    void OnMenuRequest(wxMouseEvent& event)
    {
        events_.OnContextMenuRequest();
        event.Skip();
    }
    void OnDestroy(wxWindowDestroyEvent& event)
    {
        if (event.GetEventObject() == this) {
            timer_.Stop();
            player_.reset();
            frame_ = nullptr;
            if (port_ != nullptr) {
                port_->OnSurfaceDestroyed();
                port_ = nullptr;
                events_.OnWindowDestroyed();
            }
        }
        event.Skip();
    }

    WxControlWindow* port_;
    ControlWindowEvents& events_;
    wxTimer timer_;
    ControlCommands commands_{events_};
    CSkinFrame* frame_ = nullptr;
    std::unique_ptr<WxControlPlayer> player_;
};

WxControlWindow::WxControlWindow(void* parent, ControlWindowEvents& events)
    : surface_(new WxControlSurface(static_cast<wxWindow*>(parent), *this, events))
{
}

WxControlWindow::~WxControlWindow()
{
    if (surface_ != nullptr) {
        surface_->Detach();
    }
}

bool WxControlWindow::IsVisible() const
{
    return surface_ != nullptr && surface_->IsShown();
}

void WxControlWindow::Show(bool show)
{
    if (surface_ != nullptr) {
        surface_->Show(show);
    }
}

void WxControlWindow::SetRect(const ComRect& rect)
{
    if (surface_ != nullptr) {
        surface_->SetSize(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
}

void WxControlWindow::Invalidate()
{
    if (surface_ != nullptr) {
        surface_->Refresh();
    }
}

void WxControlWindow::StartTimer(uint32_t milliseconds)
{
    if (surface_ != nullptr) {
        surface_->Timer().Start(static_cast<int>(milliseconds));
    }
}

void WxControlWindow::KillTimer()
{
    if (surface_ != nullptr) {
        surface_->Timer().Stop();
    }
}

bool WxControlWindow::CtrlHeld() const
{
    return wxGetKeyState(WXK_CONTROL);
}

ControlPlayer* WxControlWindow::CreatePlayer()
{
    return surface_ != nullptr ? surface_->CreatePlayer() : nullptr;
}

void WxControlWindow::ShowFallbackMenu()
{
    if (surface_ != nullptr) {
        surface_->ShowFallbackMenu();
    }
}

void WxControlWindow::ShowAboutBox()
{
    LKWPreviewAbout::RunModal(surface_ != nullptr ? wxGetTopLevelParent(surface_) : nullptr);
}

void WxControlWindow::ShowPropertyFrame()
{
    // A property frame of one page, as the container's frame would show it.
    wxDialog frame(surface_ != nullptr ? wxGetTopLevelParent(surface_) : nullptr, wxID_ANY, kPropertyFrameCaption);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* page = new wxPanel(&frame);
    sizer->Add(page, 1, wxEXPAND | wxALL, 8);
    sizer->Add(frame.CreateButtonSizer(wxOK), 0, wxEXPAND | wxALL, 8);
    frame.SetSizer(sizer);
    CZylPlayerActiveXPropPage* pageObject = new CZylPlayerActiveXPropPage;
    pageObject->AddRef();
    PropertyPageInfo info;
    pageObject->GetPageInfo(&info);
    page->SetMinSize(wxSize(info.width, info.height));
    pageObject->Activate(page, ComRect{0, 0, info.width, info.height});
    frame.Fit();
    frame.ShowModal();
    pageObject->Deactivate();
    pageObject->Release();
}

void WxControlWindow::Destroy()
{
    // The surface's end reports back to this port and to the control.
    if (surface_ != nullptr) {
        surface_->Destroy();
    }
}

std::unique_ptr<ControlWindow> MakeWxControlWindow(void* parent, ControlWindowEvents& events)
{
    if (parent == nullptr) {
        return nullptr;
    }
    EnsureWxControlServices();
    return std::make_unique<WxControlWindow>(parent, events);
}

bool ShowWxPropPage(void* parent, const ComRect* rect, const char* text)
{
    auto* page = static_cast<wxWindow*>(parent);
    page->DestroyChildren();
    if (rect == nullptr) {
        return true;
    }
    auto* label = new wxStaticText(page, wxID_ANY, wxString::FromUTF8(text), wxPoint(rect->left, rect->top));
    label->Wrap(rect->right - rect->left);
    return true;
}

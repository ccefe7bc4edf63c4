#include "controls/wx/wx_control_window.h"

#include "controls/control_painter.h"
#include "controls/control_resources.h"
#include "controls/wx/wx_field_style.h"
#include "controls/wx/wx_glyph.h"
#include "platform/dialog_units.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int kActivationSettleMs = 150;

MouseButton ButtonOf(const wxMouseEvent& event)
{
    if (event.LeftDown() || event.LeftUp() || event.LeftDClick())
        return MouseButton::kLeft;
    if (event.MiddleDown() || event.MiddleUp() || event.MiddleDClick())
        return MouseButton::kMiddle;
    if (event.RightDown() || event.RightUp() || event.RightDClick())
        return MouseButton::kRight;
    return MouseButton::kNone;
}

// A timer that calls back, so that no window class has to be its owner.
class CallbackTimer final : public wxTimer
{
  public:
    explicit CallbackTimer(std::function<void()> callback) : callback_(std::move(callback)) {}
    void Notify() override { callback_(); }

  private:
    std::function<void()> callback_;
};

wxRect ToWx(const RasterRect& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void ShowPainted(wxWindow& window, ControlWindowSink* sink)
{
    wxPaintDC dc(&window);
    const wxSize size = window.GetClientSize();
    if (size.x <= 0 || size.y <= 0 || !sink)
        return;
    std::unique_ptr<RasterBitmap> bitmap = RasterBitmap::Create(size.x, size.y);
    if (!bitmap)
        return;
    ControlPainter painter(*bitmap, DialogFont());
    sink->OnPaint(painter);
    wxImage image(size.x, size.y, false);
    unsigned char* rgb = image.GetData();
    for (int32_t y = 0; y < size.y; ++y) {
        const uint8_t* row = bitmap->PixelAt(0, y);
        for (int32_t x = 0; x < size.x; ++x, rgb += 3, row += 4) {
            rgb[0] = row[2];
            rgb[1] = row[1];
            rgb[2] = row[0];
        }
    }
    dc.DrawBitmap(wxBitmap(image), 0, 0);
}

} // namespace

wxFont DialogWxFont()
{
    wxFont font(wxFontInfo(8.25).FaceName("DejaVu Sans"));
    return font;
}

int32_t ControlKeyFromWx(int wxKey)
{
    switch (wxKey) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return kKeyReturn;
    case WXK_ESCAPE:
        return kKeyEscape;
    case WXK_SPACE:
        return kKeySpace;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        return kKeyPageUp;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        return kKeyPageDown;
    case WXK_TAB:
        return kKeyTab;
    default:
        if (wxKey >= 'A' && wxKey <= 'Z')
            return wxKey;
        if (wxKey >= 'a' && wxKey <= 'z')
            return wxKey - 'a' + 'A';
        return -1;
    }
}

WxControlWindowBase::WxControlWindowBase(wxWindow& self, ControlWindow* parent, ControlWindowSink* sink)
    : self_(self), parent_(parent), sink_(sink)
{
}

WxControlWindowBase::~WxControlWindowBase() = default;

wxWindow* WxControlWindowBase::WxOf(ControlWindow* window)
{
    auto* base = dynamic_cast<WxControlWindowBase*>(window);
    return base ? &base->self_ : nullptr;
}

void WxControlWindowBase::Destroy()
{
    timers_.clear();
    self_.Destroy();
}

RasterRect WxControlWindowBase::Rect() const
{
    const wxRect rect = self_.GetRect();
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

RasterRect WxControlWindowBase::ClientRect() const
{
    const wxSize size = self_.GetClientSize();
    return {0, 0, size.x, size.y};
}

RasterPoint WxControlWindowBase::ClientToScreen(int32_t x, int32_t y) const
{
    const wxPoint point = self_.ClientToScreen(wxPoint(x, y));
    return {point.x, point.y};
}

void WxControlWindowBase::Move(const RasterRect& rect, bool repaint)
{
    self_.SetSize(ToWx(rect));
    if (repaint)
        self_.Refresh(false);
}

void WxControlWindowBase::Show(bool show)
{
    self_.Show(show);
}

bool WxControlWindowBase::IsShown() const
{
    return self_.IsShown();
}

void WxControlWindowBase::Invalidate()
{
    self_.Refresh(false);
}

void WxControlWindowBase::Update()
{
    self_.Update();
}

void WxControlWindowBase::Enable(bool enable)
{
    self_.Enable(enable);
}

bool WxControlWindowBase::IsEnabled() const
{
    return self_.IsThisEnabled();
}

void WxControlWindowBase::SetFocus()
{
    self_.SetFocus();
}

bool WxControlWindowBase::HasFocus() const
{
    return self_.HasFocus();
}

void WxControlWindowBase::CaptureMouse()
{
    if (!self_.HasCapture())
        self_.CaptureMouse();
}

void WxControlWindowBase::ReleaseMouse()
{
    if (self_.HasCapture())
        self_.ReleaseMouse();
}

bool WxControlWindowBase::HasCapture() const
{
    return self_.HasCapture();
}

std::string WxControlWindowBase::Text() const
{
    return self_.GetLabel().utf8_string();
}

void WxControlWindowBase::SetText(const std::string& text)
{
    self_.SetLabel(wxString::FromUTF8(text));
}

int32_t WxControlWindowBase::FontHeight() const
{
    return DialogFontSpec().height;
}

void WxControlWindowBase::SetDragCursor(bool on)
{
    self_.SetCursor(on ? ResourceCursor(kCursorDragScroll, wxCURSOR_HAND) : wxNullCursor);
}

void WxControlWindowBase::MoveAfterInTabOrder(ControlWindow& previous)
{
    if (wxWindow* other = WxOf(&previous))
        self_.MoveAfterInTabOrder(other);
}

bool WxControlWindowBase::StartTimer(uint32_t id, uint32_t periodMs)
{
    auto timer = std::make_unique<CallbackTimer>([this, id] {
        if (sink_)
            sink_->OnTimer(id);
    });
    if (!timer->Start(static_cast<int>(periodMs)))
        return false;
    timers_[id] = std::move(timer);
    return true;
}

void WxControlWindowBase::StopTimer(uint32_t id)
{
    timers_.erase(id);
}

void WxControlWindowBase::BindCommonEvents()
{
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP,
          wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_DCLICK, wxEVT_MOTION})
        self_.Bind(type, &WxControlWindowBase::OnMouse, this);
    self_.Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) {
        if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || !sink_) {
            event.Skip();
            return;
        }
        sink_->OnMouseWheel(event.GetWheelRotation());
    });
    self_.Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        if (sink_)
            sink_->OnSetFocus();
    });
    self_.Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        if (sink_)
            sink_->OnKillFocus();
    });
    self_.Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        if (sink_)
            sink_->OnCaptureLost();
    });
    self_.Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (sink_)
            sink_->OnSize();
    });
    self_.Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (sink_ && event.GetEventObject() == &self_)
            sink_->OnShow(event.IsShown());
    });
    self_.Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        event.Skip();
        if (event.GetEventObject() != &self_)
            return;
        timers_.clear();
        if (ControlWindowSink* sink = std::exchange(sink_, nullptr))
            sink->OnWindowDestroyed();
    });
}

void WxControlWindowBase::BindKeyEvents()
{
    self_.Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        const int32_t key = ControlKeyFromWx(event.GetKeyCode());
        if (key < 0 || !sink_ || !sink_->OnKeyDown(key, event.ControlDown()))
            event.Skip();
    });
}

void WxControlWindowBase::OnMouse(wxMouseEvent& event)
{
    if (!sink_) {
        event.Skip();
        return;
    }
    MouseEvent mouse;
    mouse.button = ButtonOf(event);
    mouse.x = event.GetX();
    mouse.y = event.GetY();
    mouse.doubleClick = event.ButtonDClick();
    mouse.ctrl = event.ControlDown();
    mouse.timeMs = static_cast<uint32_t>(event.GetTimestamp());
    bool taken = false;
    if (event.Moving() || event.Dragging())
        taken = sink_->OnMouseMove(mouse);
    else if (event.ButtonDown() || event.ButtonDClick())
        taken = sink_->OnMouseDown(mouse);
    else if (event.ButtonUp())
        taken = sink_->OnMouseUp(mouse);
    // A native control sees every release, also of a press whose drag it did not see: GTK's text
    // field keeps the pointer until its own press ends.
    if (!taken || event.ButtonUp())
        event.Skip();
}

WxOwnerDrawnWindow::WxOwnerDrawnWindow(wxWindow* parent, ControlWindow* parentWindow,
                                       const ControlWindowSpec& spec, ControlWindowSink* sink)
    : WxControlWindowBase(*this, parentWindow, sink), tabStop_(spec.tabStop)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxWindow::Create(parent, wxID_ANY, ToWx(spec.rect).GetPosition(), ToWx(spec.rect).GetSize(),
                     wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    SetLabel(wxString::FromUTF8(spec.text));
    Bind(wxEVT_PAINT, &WxOwnerDrawnWindow::OnPaint, this);
    BindCommonEvents();
    BindKeyEvents();
    if (!spec.visible)
        wxWindow::Show(false);
}

void WxOwnerDrawnWindow::OnPaint(wxPaintEvent&)
{
    ShowPainted(*this, Sink());
}

WxEditWindow::WxEditWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                           ControlWindowSink* sink)
    : WxControlWindowBase(*this, parentWindow, sink)
{
    wxTextCtrl::Create(parent, wxID_ANY, wxString::FromUTF8(spec.text), ToWx(spec.rect).GetPosition(),
                       ToWx(spec.rect).GetSize(), spec.readOnly ? wxTE_READONLY : 0);
    SetFont(DialogWxFont());
    ApplyFieldStyle(*this);
    SetSize(ToWx(spec.rect));
    BindCommonEvents();
    BindKeyEvents();
    Bind(wxEVT_TEXT, &WxEditWindow::OnTextEvent, this);
    // Enter and Escape belong to the field, before the dialog sees them.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        const int32_t key = ControlKeyFromWx(event.GetKeyCode());
        if ((key == kKeyReturn || key == kKeyEscape) && Sink() && Sink()->OnKeyDown(key, event.ControlDown()))
            return;
        event.Skip();
    });
    if (!spec.visible)
        wxTextCtrl::Show(false);
}

std::string WxEditWindow::Text() const
{
    return GetValue().utf8_string();
}

void WxEditWindow::SetText(const std::string& text)
{
    ChangeValue(wxString::FromUTF8(text));
}

void WxEditWindow::SelectAll()
{
    SetSelection(-1, -1);
}

void WxEditWindow::ScrollCaret()
{
    ShowPosition(GetInsertionPoint());
}

void WxEditWindow::SetColours(bool custom, RgbColour text, RgbColour background)
{
    auto colour = [](RgbColour c) { return wxColour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
    SetForegroundColour(custom ? colour(text) : wxNullColour);
    SetBackgroundColour(custom ? colour(background) : wxNullColour);
    Refresh();
}

void WxEditWindow::OnTextEvent(wxCommandEvent&)
{
    if (changeQueued_)
        return;
    changeQueued_ = true;
    CallAfter([this] {
        changeQueued_ = false;
        if (Sink())
            Sink()->OnTextChanged();
    });
}

WxLabelWindow::WxLabelWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                             ControlWindowSink* sink)
    : WxControlWindowBase(*this, parentWindow, sink)
{
    wxStaticText::Create(parent, wxID_ANY, wxString::FromUTF8(spec.text), ToWx(spec.rect).GetPosition(),
                         ToWx(spec.rect).GetSize(), wxST_NO_AUTORESIZE | wxALIGN_LEFT);
    SetFont(DialogWxFont());
    // Vertically centred in its rectangle: the text's own height, moved down by half the rest.
    const int textHeight = GetBestSize().y;
    const wxRect rect = ToWx(spec.rect);
    SetSize(rect.x, rect.y + std::max(0, (rect.height - textHeight) / 2), rect.width,
            std::min(rect.height, textHeight));
    BindCommonEvents();
}

WxPanelWindow::WxPanelWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                             ControlWindowSink* sink)
    : WxControlWindowBase(*this, parentWindow, sink)
{
    wxPanel::Create(parent, wxID_ANY, ToWx(spec.rect).GetPosition(), ToWx(spec.rect).GetSize(),
                    wxTAB_TRAVERSAL | wxFULL_REPAINT_ON_RESIZE);
    SetFont(DialogWxFont());
    if (spec.kind == ControlWindowKind::kPanelStack) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        scrollBar_ = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
        for (const wxEventTypeTag<wxScrollEvent>& type :
             {wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN,
              wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM,
              wxEVT_SCROLL_CHANGED})
            scrollBar_->Bind(type, &WxPanelWindow::OnScrollEvent, this);
        Bind(wxEVT_PAINT, &WxPanelWindow::OnPaint, this);
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
            PlaceScrollBar();
            event.Skip();
        });
        PlaceScrollBar();
    }
    BindCommonEvents();
    BindKeyEvents();
    if (!spec.visible)
        wxPanel::Show(false);
}

RasterRect WxPanelWindow::ClientRect() const
{
    RasterRect client = WxControlWindowBase::ClientRect();
    client.right = std::max(client.right - ScrollBarWidth(), 0);
    return client;
}

int32_t WxPanelWindow::ScrollBarWidth() const
{
    return scrollBar_ ? scrollBar_->GetSize().x : 0;
}

void WxPanelWindow::PlaceScrollBar()
{
    if (!scrollBar_)
        return;
    const wxSize client = GetClientSize();
    const int width = scrollBar_->GetBestSize().x;
    scrollBar_->SetSize(client.x - width, 0, width, client.y);
}

void WxPanelWindow::ScrollChildren(int32_t dy)
{
    for (wxWindow* child : GetChildren())
        if (child != scrollBar_)
            child->Move(child->GetPosition() + wxPoint(0, dy));
    Refresh(false);
}

void WxPanelWindow::SetScrollBar(int32_t maximum, int32_t page, int32_t position)
{
    if (!scrollBar_)
        return;
    scrollBar_->SetScrollbar(position, page, maximum + 1, page);
    scrollBar_->Enable(maximum + 1 > page);
    scrollBar_->Show();
}

void WxPanelWindow::OnPaint(wxPaintEvent&)
{
    ShowPainted(*this, Sink());
}

void WxPanelWindow::OnScrollEvent(wxScrollEvent& event)
{
    trackPosition_ = event.GetPosition();
    const wxEventType type = event.GetEventType();
    ScrollCode code = ScrollCode::kEndScroll;
    if (type == wxEVT_SCROLL_LINEUP)
        code = ScrollCode::kLineUp;
    else if (type == wxEVT_SCROLL_LINEDOWN)
        code = ScrollCode::kLineDown;
    else if (type == wxEVT_SCROLL_PAGEUP)
        code = ScrollCode::kPageUp;
    else if (type == wxEVT_SCROLL_PAGEDOWN)
        code = ScrollCode::kPageDown;
    else if (type == wxEVT_SCROLL_THUMBTRACK)
        code = ScrollCode::kThumbTrack;
    else if (type == wxEVT_SCROLL_THUMBRELEASE)
        code = ScrollCode::kThumbPosition;
    else if (type == wxEVT_SCROLL_TOP)
        code = ScrollCode::kTop;
    else if (type == wxEVT_SCROLL_BOTTOM)
        code = ScrollCode::kBottom;
    if (Sink())
        Sink()->OnScroll(code);
}

WxDialogWindow::WxDialogWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                               ControlWindowSink* sink)
    : WxControlWindowBase(*this, parentWindow, sink)
{
    wxDialog::Create(parent, wxID_ANY, wxString::FromUTF8(spec.text), wxDefaultPosition, wxDefaultSize,
                     wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxMINIMIZE_BOX);
    SetFont(DialogWxFont());
    SetClientSize(spec.rect.right - spec.rect.left, spec.rect.bottom - spec.rect.top);
    CentreOnParent();
    BindCommonEvents();
    Bind(wxEVT_CHAR_HOOK, &WxDialogWindow::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &WxDialogWindow::OnClose, this);
    Bind(wxEVT_ACTIVATE, &WxDialogWindow::OnActivate, this);
    // The tools of its toolbar.
    Bind(wxEVT_TOOL, [this](wxCommandEvent& event) {
        if (Sink())
            Sink()->OnCommand(event.GetId());
    });
    activationEnd_ = std::make_unique<CallbackTimer>([this] {
        if (Sink())
            Sink()->OnActivate(false);
    });
}

void WxDialogWindow::SetSizeLimits(int32_t clientWidth, int32_t minHeight)
{
    const wxSize frame = GetSize() - GetClientSize();
    SetMinClientSize(wxSize(clientWidth, std::max(minHeight - frame.y, 1)));
    SetMaxClientSize(wxSize(clientWidth, -1));
    SetClientSize(clientWidth, std::max(GetClientSize().y, minHeight - frame.y));
}

void WxDialogWindow::Restore()
{
    if (IsIconized())
        Iconize(false);
}

void WxDialogWindow::Raise()
{
    wxDialog::Raise();
}

void WxDialogWindow::OnCharHook(wxKeyEvent& event)
{
    const int32_t key = ControlKeyFromWx(event.GetKeyCode());
    if ((key == kKeyReturn || key == kKeyEscape) && Sink() && Sink()->OnKeyDown(key, event.ControlDown()))
        return;
    event.Skip();
}

void WxDialogWindow::OnClose(wxCloseEvent& event)
{
    if (!event.CanVeto() || !Sink()) {
        event.Skip();
        return;
    }
    event.Veto();
    Sink()->OnCloseRequest();
}

void WxDialogWindow::OnActivate(wxActivateEvent& event)
{
    event.Skip();
    if (!event.GetActive() || !Sink())
        return;
    Sink()->OnActivate(true);
    // GTK may move the focus a little after the activation: the stack stays still until then.
    activationEnd_->StartOnce(kActivationSettleMs);
}

#include "shell/wx/wx_child_view.h"

#include "platform/wx/virtual_keys_wx.h"
#include "preview/l_beamvista.h"

#include <wx/cursor.h>
#include <wx/dcclient.h>

WxChildView::WxChildView(wxWindow* parent, const std::string& applicationName)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE),
      view_(applicationName)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    // A window without a cursor of its own shows its parent's: the frame's sizing arrows, last set
    // at its border, would stay over the view and the preview inside it.
    SetCursor(wxCursor(wxCURSOR_ARROW));
    Bind(wxEVT_PAINT, &WxChildView::OnPaint, this);
    Bind(wxEVT_SIZE, &WxChildView::OnSize, this);
    Bind(wxEVT_KEY_DOWN, &WxChildView::OnKeyDown, this);
    Bind(wxEVT_CHAR, &WxChildView::OnChar, this);
    Bind(wxEVT_MOUSEWHEEL, &WxChildView::OnMouseWheel, this);
    Bind(wxEVT_DESTROY, &WxChildView::OnDestroy, this);
}

void WxChildView::Bootstrap(const std::vector<std::string>& startupPaths)
{
    view_.Create(UiWindowId(static_cast<wxWindow*>(this)), startupPaths);
}

void WxChildView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (view_.ChildPreview() != nullptr)
        return;
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
}

void WxChildView::OnSize(wxSizeEvent& event)
{
    const wxSize size = GetClientSize();
    view_.OnSize(size.x, size.y);
    event.Skip();
}

void WxChildView::OnKeyDown(wxKeyEvent& event)
{
    const UiKeyEvent key = KeyEventFromWx(event);
    if (key.virtualKey != 0 && keyFilter_ && keyFilter_(key))
        return;
    if (key.virtualKey != 0 && view_.OnKeyDown(key))
        return;
    event.Skip();
}

void WxChildView::OnChar(wxKeyEvent& event)
{
    if (event.AltDown() && view_.SwallowsSystemChar(static_cast<int32_t>(event.GetUnicodeKey())))
        return;
    event.Skip();
}

void WxChildView::OnMouseWheel(wxMouseEvent& event)
{
    const wxPoint screen = ClientToScreen(event.GetPosition());
    const bool vertical = event.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL;
    if (!vertical ||
        !view_.OnMouseWheel(event.GetWheelRotation(), ModifiersFromWx(event), {screen.x, screen.y}))
        event.Skip();
}

void WxChildView::OnDestroy(wxWindowDestroyEvent& event)
{
    if (event.GetEventObject() == this)
        view_.OnDestroy();
    event.Skip();
}

#include "platform/wx/message_box_wx.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

namespace {

long StyleOf(MessageBoxIcon icon, MessageBoxButtons buttons)
{
    long style = 0;
    switch (buttons) {
    case MessageBoxButtons::Ok:
        style |= wxOK;
        break;
    case MessageBoxButtons::YesNo:
        style |= wxYES_NO;
        break;
    case MessageBoxButtons::YesNoCancel:
        style |= wxYES_NO | wxCANCEL;
        break;
    }
    switch (icon) {
    case MessageBoxIcon::None:
        style |= wxICON_NONE;
        break;
    case MessageBoxIcon::Information:
        style |= wxICON_INFORMATION;
        break;
    case MessageBoxIcon::Warning:
        style |= wxICON_WARNING;
        break;
    case MessageBoxIcon::Error:
        style |= wxICON_ERROR;
        break;
    case MessageBoxIcon::Question:
        style |= wxICON_QUESTION;
        break;
    }
    return style;
}

// Lines may end in "\r" alone, which GTK would not break.
wxString LinesOf(const char* text)
{
    wxString lines = wxString::FromUTF8(text != nullptr ? text : "");
    lines.Replace("\r\n", "\n");
    lines.Replace("\r", "\n");
    return lines;
}

// Compares addresses only: an owner named before a box posted for later may be gone by now.
bool IsAmong(const wxWindow* window, const wxWindowList& windows)
{
    for (wxWindowList::compatibility_iterator node = windows.GetFirst(); node; node = node->GetNext()) {
        if (node->GetData() == window || IsAmong(window, node->GetData()->GetChildren()))
            return true;
    }
    return false;
}

wxWindow* AppTopWindow()
{
    return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
}

// The owner's top-level window, so that the box stacks over it (a full-screen window
// included) instead of raising the application's main window over it.
wxWindow* TopLevelOwner(UiWindowId owner)
{
    const auto* window = static_cast<const wxWindow*>(owner.Handle());
    if (window == nullptr || !IsAmong(window, wxTopLevelWindows))
        return AppTopWindow();
    wxWindow* top = wxGetTopLevelParent(const_cast<wxWindow*>(window));
    return top != nullptr && top->IsShown() && !top->IsBeingDeleted() ? top : AppTopWindow();
}

MessageBoxAnswer ShowModal(wxWindow* parent, const char* text, const char* title, MessageBoxIcon icon,
                           MessageBoxButtons buttons)
{
    wxMessageDialog dialog(parent, LinesOf(text), wxString::FromUTF8(title != nullptr ? title : ""),
                           StyleOf(icon, buttons));
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return MessageBoxAnswer::Yes;
    case wxID_NO:
        return MessageBoxAnswer::No;
    case wxID_CANCEL:
        return MessageBoxAnswer::Cancel;
    default:
        return MessageBoxAnswer::Ok;
    }
}

} // namespace

MessageBoxAnswer WxMessageBox::Show(const char* text, const char* title, MessageBoxIcon icon,
                                    MessageBoxButtons buttons)
{
    return ShowModal(AppTopWindow(), text, title, icon, buttons);
}

MessageBoxAnswer WxMessageBox::ShowOwnedBy(UiWindowId owner, const char* text, const char* title,
                                           MessageBoxIcon icon, MessageBoxButtons buttons)
{
    return ShowModal(TopLevelOwner(owner), text, title, icon, buttons);
}

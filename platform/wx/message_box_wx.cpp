#include "platform/wx/message_box_wx.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

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

} // namespace

MessageBoxAnswer WxMessageBox::Show(const char* text, const char* title, MessageBoxIcon icon,
                                    MessageBoxButtons buttons)
{
    wxWindow* parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
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

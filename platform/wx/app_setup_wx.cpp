#include "platform/wx/app_setup_wx.h"

#include <glib-unix.h>
#include <wx/app.h>
#include <wx/window.h>

#include <csignal>
#include <cstdio>

namespace {

gboolean CloseOnSignal(gpointer)
{
    if (wxWindow* top = wxTheApp->GetTopWindow())
        top->Close();
    else
        wxTheApp->ExitMainLoop();
    // The toolkit deletes closed frames when it is idle; outside its own events it must be told.
    wxWakeUpIdle();
    return G_SOURCE_CONTINUE;
}

void ReportAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message)
{
    std::fprintf(stderr, "%s(%d): check \"%s\" failed in %s(): %s\n", file.utf8_str().data(), line,
                 condition.utf8_str().data(), function.utf8_str().data(), message.utf8_str().data());
}

} // namespace

void ReportToolkitChecksOnStderr()
{
    wxSetAssertHandler(ReportAssert);
}

void CloseTopWindowOnSignals()
{
    g_unix_signal_add(SIGTERM, CloseOnSignal, nullptr);
    g_unix_signal_add(SIGINT, CloseOnSignal, nullptr);
}

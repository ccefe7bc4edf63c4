// The owner of a box: the box is transient for the owner's top-level window (so that it stacks
// over that window, a full-screen one included), and for the application's main window when it
// has no owner or the owner is gone.
#include "platform/wx/message_box_wx.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <cstring>

namespace {

constexpr const char* kTitle = "owned box";

// What the box's modal loop showed: whom the box was transient for. The box is then closed.
struct SeenBox
{
    bool seen = false;
    GtkWindow* transientFor = nullptr;
};

gboolean CloseTheBox(gpointer data)
{
    auto* seen = static_cast<SeenBox*>(data);
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr; item = item->next) {
        GtkWindow* window = GTK_WINDOW(item->data);
        const char* title = gtk_window_get_title(window);
        if (GTK_IS_DIALOG(window) && gtk_widget_get_visible(GTK_WIDGET(window)) && title != nullptr &&
            std::strcmp(title, kTitle) == 0) {
            seen->seen = true;
            seen->transientFor = gtk_window_get_transient_for(window);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        }
    }
    g_list_free(windows);
    return seen->seen ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

TEST(WxMessageBoxTest, AnOwnedBoxIsTransientForItsOwnersTopLevelWindow)
{
    if (wxTheApp == nullptr)
        GTEST_SKIP() << "no display";
    auto* main = new wxFrame(nullptr, wxID_ANY, "main");
    auto* other = new wxFrame(main, wxID_ANY, "other");
    auto* child = new wxPanel(other);
    main->Show();
    other->Show();
    wxWindow* previousTop = wxTheApp->GetTopWindow();
    wxTheApp->SetTopWindow(main);
    const int notAWindow = 0;
    struct Case
    {
        const char* what;
        UiWindowId owner;
        wxWindow* expected;
    };
    const Case cases[] = {
        {"a child of another frame", UiWindowId(child), other},
        {"that frame itself", UiWindowId(other), other},
        {"no owner", UiWindowId(), main},
        {"an owner that is gone", UiWindowId(&notAWindow), main},
    };
    WxMessageBox boxes;
    for (const Case& c : cases) {
        SeenBox seen;
        const guint source = g_timeout_add(20, CloseTheBox, &seen);
        EXPECT_EQ(boxes.ShowOwnedBy(c.owner, "text", kTitle, MessageBoxIcon::Error, MessageBoxButtons::Ok),
                  MessageBoxAnswer::Ok)
            << c.what;
        if (!seen.seen)
            g_source_remove(source);
        ASSERT_TRUE(seen.seen) << c.what;
        EXPECT_EQ(seen.transientFor, GTK_WINDOW(c.expected->GetHandle())) << c.what;
    }
    wxTheApp->SetTopWindow(previousTop);
    main->Destroy();
    wxTheApp->ProcessPendingEvents();
}

} // namespace

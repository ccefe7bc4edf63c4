#include "controls/wx/wx_field_style.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace {

constexpr const char* kFieldClass = "zyl-field";
constexpr const char* kFieldCss = "entry.zyl-field { min-height: 0; padding: 1px 2px; }";

void InstallProviderOnce()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kFieldCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

} // namespace

void ApplyFieldStyle(wxWindow& field)
{
    auto* widget = static_cast<GtkWidget*>(field.GetHandle());
    if (!widget)
        return;
    InstallProviderOnce();
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), kFieldClass);
}

#include "platform/wx/button_state_wx.h"

#include <gtk/gtk.h>
#include <wx/window.h>

bool IsShownPressed(const wxWindow& button)
{
    GtkWidget* widget = button.GetHandle();
    return widget != nullptr && (gtk_widget_get_state_flags(widget) & GTK_STATE_FLAG_ACTIVE) != 0;
}

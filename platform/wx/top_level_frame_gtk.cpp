#include "platform/wx/top_level_frame_gtk.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>

namespace {

GtkWindow* RealisedWindow(wxTopLevelWindow& window)
{
    GtkWidget* widget = window.GetHandle();
    if (widget == nullptr || !GTK_IS_WINDOW(widget) || !gtk_widget_get_realized(widget))
        return nullptr;
    return GTK_WINDOW(widget);
}

GdkWindowEdge GdkEdge(WindowEdge edge)
{
    switch (edge) {
    case WindowEdge::kLeft:
        return GDK_WINDOW_EDGE_WEST;
    case WindowEdge::kRight:
        return GDK_WINDOW_EDGE_EAST;
    case WindowEdge::kTop:
        return GDK_WINDOW_EDGE_NORTH;
    case WindowEdge::kBottom:
        return GDK_WINDOW_EDGE_SOUTH;
    case WindowEdge::kTopLeft:
        return GDK_WINDOW_EDGE_NORTH_WEST;
    case WindowEdge::kTopRight:
        return GDK_WINDOW_EDGE_NORTH_EAST;
    case WindowEdge::kBottomLeft:
        return GDK_WINDOW_EDGE_SOUTH_WEST;
    case WindowEdge::kBottomRight:
        break;
    }
    return GDK_WINDOW_EDGE_SOUTH_EAST;
}

} // namespace

bool BeginWindowMoveDrag(wxTopLevelWindow& window, int32_t button, int32_t screenX, int32_t screenY, uint32_t time)
{
    GtkWindow* gtkWindow = RealisedWindow(window);
    if (gtkWindow == nullptr)
        return false;
    gtk_window_begin_move_drag(gtkWindow, button, screenX, screenY, time);
    return true;
}

bool BeginWindowResizeDrag(wxTopLevelWindow& window, WindowEdge edge, int32_t button, int32_t screenX,
                           int32_t screenY, uint32_t time)
{
    GtkWindow* gtkWindow = RealisedWindow(window);
    if (gtkWindow == nullptr)
        return false;
    gtk_window_begin_resize_drag(gtkWindow, GdkEdge(edge), button, screenX, screenY, time);
    return true;
}

void SetWindowDecorated(wxTopLevelWindow& window, bool decorated)
{
    GtkWidget* widget = window.GetHandle();
    if (widget != nullptr && GTK_IS_WINDOW(widget))
        gtk_window_set_decorated(GTK_WINDOW(widget), decorated);
}

void ClearWindowShape(wxTopLevelWindow& window)
{
    GtkWidget* widget = window.GetHandle();
    if (widget != nullptr)
        gtk_widget_shape_combine_region(widget, nullptr);
}

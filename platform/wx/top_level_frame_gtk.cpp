#include "platform/wx/top_level_frame_gtk.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace {

GtkWindow* RealisedWindow(wxTopLevelWindow& window)
{
    GtkWidget* widget = window.GetHandle();
    if (widget == nullptr || !GTK_IS_WINDOW(widget) || !gtk_widget_get_realized(widget))
        return nullptr;
    return GTK_WINDOW(widget);
}

GdkWindowEdge GdkEdge(FrameHit hit)
{
    switch (hit) {
    case FrameHit::kLeft:
        return GDK_WINDOW_EDGE_WEST;
    case FrameHit::kRight:
        return GDK_WINDOW_EDGE_EAST;
    case FrameHit::kTop:
        return GDK_WINDOW_EDGE_NORTH;
    case FrameHit::kBottom:
        return GDK_WINDOW_EDGE_SOUTH;
    case FrameHit::kTopLeft:
        return GDK_WINDOW_EDGE_NORTH_WEST;
    case FrameHit::kTopRight:
        return GDK_WINDOW_EDGE_NORTH_EAST;
    case FrameHit::kBottomLeft:
        return GDK_WINDOW_EDGE_SOUTH_WEST;
    default:
        break;
    }
    return GDK_WINDOW_EDGE_SOUTH_EAST;
}

wxStockCursor EdgeCursor(FrameHit hit)
{
    switch (hit) {
    case FrameHit::kLeft:
    case FrameHit::kRight:
        return wxCURSOR_SIZEWE;
    case FrameHit::kTop:
    case FrameHit::kBottom:
        return wxCURSOR_SIZENS;
    default:
        return wxCURSOR_ARROW;
    }
}

bool CornerCursor(FrameHit hit, GdkCursorType& cursor)
{
    switch (hit) {
    case FrameHit::kTopLeft:
        cursor = GDK_TOP_LEFT_CORNER;
        return true;
    case FrameHit::kTopRight:
        cursor = GDK_TOP_RIGHT_CORNER;
        return true;
    case FrameHit::kBottomLeft:
        cursor = GDK_BOTTOM_LEFT_CORNER;
        return true;
    case FrameHit::kBottomRight:
        cursor = GDK_BOTTOM_RIGHT_CORNER;
        return true;
    default:
        return false;
    }
}

} // namespace

bool BeginWindowFrameDrag(wxTopLevelWindow& window, FrameHit hit, int32_t button, int32_t screenX,
                          int32_t screenY, uint32_t time)
{
    GtkWindow* gtkWindow = RealisedWindow(window);
    if (gtkWindow == nullptr || hit == FrameHit::kClient)
        return false;
    if (hit == FrameHit::kCaption)
        gtk_window_begin_move_drag(gtkWindow, button, screenX, screenY, time);
    else
        gtk_window_begin_resize_drag(gtkWindow, GdkEdge(hit), button, screenX, screenY, time);
    return true;
}

void SetFrameHitCursor(wxWindow& window, FrameHit hit)
{
    GdkCursorType corner = GDK_LEFT_PTR;
    if (!CornerCursor(hit, corner)) {
        window.SetCursor(wxCursor(EdgeCursor(hit)));
        return;
    }
    // The toolkit's own diagonal cursors are the four-way move cross under GTK, which would tell
    // the user the corner moves the window: the window system's corner shapes are set directly,
    // and the toolkit's cursor is dropped so that its next one is set again.
    window.SetCursor(wxNullCursor);
    GdkWindow* drawing = window.GTKGetDrawingWindow();
    if (drawing == nullptr)
        return;
    GdkCursor* cursor = gdk_cursor_new_for_display(gdk_window_get_display(drawing), corner);
    gdk_window_set_cursor(drawing, cursor);
    if (cursor != nullptr)
        g_object_unref(cursor);
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

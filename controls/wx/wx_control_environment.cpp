#include "controls/wx/wx_control_environment.h"

#include "controls/wx/wx_control_window.h"

#include <gtk/gtk.h>
#include <wx/cursor.h>
#include <wx/utils.h>

namespace {

int GtkSetting(const char* name, int fallback)
{
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return fallback;
    int value = fallback;
    g_object_get(settings, name, &value, nullptr);
    return value;
}

} // namespace

bool WxControlEnvironment::SetTimer(ControlWindow& window, uint32_t id, uint32_t periodMs)
{
    auto* host = dynamic_cast<WxTimerHost*>(&window);
    return host && host->StartTimer(id, periodMs);
}

void WxControlEnvironment::KillTimer(ControlWindow& window, uint32_t id)
{
    if (auto* host = dynamic_cast<WxTimerHost*>(&window))
        host->StopTimer(id);
}

void WxControlEnvironment::ShowCursor(bool show)
{
    const bool hiddenBefore = hideCount_ > 0;
    hideCount_ += show ? -1 : 1;
    const bool hidden = hideCount_ > 0;
    if (hidden != hiddenBefore)
        wxSetCursor(hidden ? wxCursor(wxCURSOR_BLANK) : wxNullCursor);
}

bool WxControlEnvironment::GetCursorPos(RasterPoint& position)
{
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!pointer)
        return false;
    gint x = 0;
    gint y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    position = {x, y};
    return true;
}

void WxControlEnvironment::SetCursorPos(const RasterPoint& position)
{
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!pointer)
        return;
    gdk_device_warp(pointer, gdk_display_get_default_screen(display), position.x, position.y);
    gdk_display_flush(display);
}

bool WxControlEnvironment::IsCtrlDown()
{
    return wxGetKeyState(WXK_CONTROL);
}

uint32_t WxControlEnvironment::DoubleClickTimeMs()
{
    return static_cast<uint32_t>(GtkSetting("gtk-double-click-time", 400));
}

RasterPoint WxControlEnvironment::DoubleClickDistance()
{
    const int distance = GtkSetting("gtk-double-click-distance", 5);
    return {distance, distance};
}

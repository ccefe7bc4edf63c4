#include "platform/wx/ui_environment_wx.h"

#include "foundation/errors/c_error.h"
#include "platform/wx/menu_wx.h"
#include "platform/wx/native_window_wx.h"
#include "platform/wx/virtual_keys_wx.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <algorithm>
#include <map>

namespace {

constexpr int32_t kVkLeftButton = 0x01;
constexpr int32_t kVkRightButton = 0x02;
constexpr int32_t kVkMiddleButton = 0x04;

wxWindow* WindowOf(UiWindowId id)
{
    return static_cast<wxWindow*>(const_cast<void*>(id.Handle()));
}

UiWindowId IdOf(wxWindow* window)
{
    return UiWindowId(window);
}

UiRect FromWx(const wxRect& r)
{
    return UiRect::FromSize(r.x, r.y, r.width, r.height);
}

// A window timer: each tick goes to its target, on the GUI thread, also inside modal loops.
class TargetTimer final : public wxTimer
{
  public:
    TargetTimer(UiTimerTarget& target, uint32_t id) : target_(target), id_(id) {}
    void Notify() override { target_.OnTimer(id_); }

  private:
    UiTimerTarget& target_;
    uint32_t id_;
};

// "Shows (*.zyl)|*.zyl|..." has the toolkit's own form already, apart from a trailing "||".
wxString WildcardOf(const std::string& filter)
{
    wxString wildcard = wxString::FromUTF8(filter);
    while (wildcard.EndsWith("|"))
        wildcard.RemoveLast();
    return wildcard;
}

} // namespace

WxUiEnvironment::WxUiEnvironment() = default;

WxUiEnvironment::~WxUiEnvironment()
{
    for (auto& [key, timer] : timers_)
        timer->Stop();
    displayModes_.RestoreAll();
}

std::unique_ptr<NativeWindow> WxUiEnvironment::CreateNativeWindow(const NativeWindowSpec& spec,
                                                                  NativeWindowSink& sink, CError& error)
{
    return WxNativeWindow::Create(spec, sink, error);
}

UiRect WxUiEnvironment::ClientRectOf(UiWindowId id)
{
    wxWindow* window = WindowOf(id);
    if (window == nullptr)
        return {};
    const wxSize size = window->GetClientSize();
    return {0, 0, size.x, size.y};
}

UiRect WxUiEnvironment::ScreenRectOf(UiWindowId id)
{
    wxWindow* window = WindowOf(id);
    return window != nullptr ? FromWx(window->GetScreenRect()) : UiRect{};
}

UiWindowId WxUiEnvironment::TopLevelOf(UiWindowId id)
{
    wxWindow* window = WindowOf(id);
    return window != nullptr ? IdOf(wxGetTopLevelParent(window)) : UiWindowId();
}

UiSize WxUiEnvironment::WindowSizeOf(UiWindowId id)
{
    wxWindow* window = WindowOf(id);
    if (window == nullptr)
        return {};
    const wxSize size = window->GetSize();
    return {size.x, size.y};
}

bool WxUiEnvironment::ResizeWindow(UiWindowId id, UiSize size)
{
    wxWindow* window = WindowOf(id);
    if (window == nullptr)
        return false;
    window->SetSize(size.width, size.height);
    return true;
}

bool WxUiEnvironment::IsTopMost(UiWindowId id)
{
    wxWindow* window = WindowOf(id);
    return window != nullptr && window->HasFlag(wxSTAY_ON_TOP);
}

bool WxUiEnvironment::SetTopMost(UiWindowId id, bool topMost)
{
    auto* window = dynamic_cast<wxTopLevelWindow*>(WindowOf(id));
    if (window == nullptr)
        return false;
    long style = window->GetWindowStyleFlag();
    style = topMost ? (style | wxSTAY_ON_TOP) : (style & ~wxSTAY_ON_TOP);
    window->SetWindowStyleFlag(style);
    return true;
}

uint32_t WxUiEnvironment::SetTimer(UiTimerTarget& target, uint32_t id, int32_t periodMs)
{
    auto& timer = timers_[{&target, id}];
    if (!timer)
        timer = std::make_unique<TargetTimer>(target, id);
    return timer->Start(periodMs) ? id : 0;
}

bool WxUiEnvironment::KillTimer(UiTimerTarget& target, uint32_t id)
{
    const auto it = timers_.find({&target, id});
    if (it == timers_.end())
        return false;
    // Stopped, not deleted: a target may kill its timer from inside that timer's tick.
    const bool running = it->second->IsRunning();
    it->second->Stop();
    return running;
}

int32_t WxUiEnvironment::ShowCursor(bool show)
{
    const bool wasVisible = cursorCount_ >= 0;
    cursorCount_ += show ? 1 : -1;
    const bool visible = cursorCount_ >= 0;
    if (visible != wasVisible)
        wxSetCursor(visible ? wxNullCursor : wxCursor(wxCURSOR_BLANK));
    return cursorCount_;
}

bool WxUiEnvironment::GetCursorPos(UiPoint& screenPoint)
{
    const wxPoint position = wxGetMousePosition();
    screenPoint = {position.x, position.y};
    return true;
}

bool WxUiEnvironment::SetCursorPos(UiPoint screenPoint)
{
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr)
        return false;
    GdkSeat* seat = gdk_display_get_default_seat(display);
    GdkDevice* pointer = seat != nullptr ? gdk_seat_get_pointer(seat) : nullptr;
    if (pointer == nullptr)
        return false;
    gdk_device_warp(pointer, gdk_display_get_default_screen(display), screenPoint.x, screenPoint.y);
    // The next reading of the position goes to the server: the warp must be there first.
    gdk_display_flush(display);
    return true;
}

void WxUiEnvironment::SetCapture(UiWindowId id)
{
    wxWindow* window = WindowOf(id);
    if (window != nullptr && !window->HasCapture())
        window->CaptureMouse();
}

void WxUiEnvironment::ReleaseCapture()
{
    if (wxWindow* window = wxWindow::GetCapture())
        window->ReleaseMouse();
}

UiWindowId WxUiEnvironment::Capture()
{
    return IdOf(wxWindow::GetCapture());
}

bool WxUiEnvironment::IsKeyDown(int32_t virtualKey)
{
    const wxMouseState mouse = wxGetMouseState();
    switch (virtualKey) {
    case kVkLeftButton:
        return mouse.LeftIsDown();
    case kVkRightButton:
        return mouse.RightIsDown();
    case kVkMiddleButton:
        return mouse.MiddleIsDown();
    default:
        break;
    }
    const int key = WxKeyFromVirtualKey(virtualKey);
    return key != WXK_NONE && wxGetKeyState(static_cast<wxKeyCode>(key));
}

int32_t WxUiEnvironment::DoubleClickTimeMs()
{
    GtkSettings* settings = gtk_settings_get_default();
    gint ms = 400;
    if (settings != nullptr)
        g_object_get(settings, "gtk-double-click-time", &ms, nullptr);
    return ms;
}

UiSize WxUiEnvironment::DoubleClickSize()
{
    return {wxSystemSettings::GetMetric(wxSYS_DCLICK_X), wxSystemSettings::GetMetric(wxSYS_DCLICK_Y)};
}

UiWindowId WxUiEnvironment::FocusWindow()
{
    return IdOf(wxWindow::FindFocus());
}

void WxUiEnvironment::SetFocus(UiWindowId id)
{
    if (wxWindow* window = WindowOf(id))
        window->SetFocus();
}

UiWindowId WxUiEnvironment::WindowAt(UiPoint screenPoint)
{
    return IdOf(wxFindWindowAtPoint(wxPoint(screenPoint.x, screenPoint.y)));
}

std::vector<UiMonitor> WxUiEnvironment::Monitors()
{
    std::vector<UiMonitor> monitors;
    const unsigned count = wxDisplay::GetCount();
    for (unsigned i = 0; i < count; ++i) {
        const wxDisplay display(i);
        monitors.push_back(
            {FromWx(display.GetGeometry()), FromWx(display.GetClientArea()), display.IsPrimary()});
    }
    // The primary monitor comes first, as the system lists it.
    std::stable_partition(monitors.begin(), monitors.end(), [](const UiMonitor& m) { return m.primary; });
    return monitors;
}

bool WxUiEnvironment::ChangeDisplayMode(int32_t monitor, UiSize size, CError& error)
{
    const std::vector<UiMonitor> monitors = Monitors();
    if (monitor < 0 || monitor >= static_cast<int32_t>(monitors.size())) {
        error.SetError("No such monitor.", 0);
        return false;
    }
    if (!displayModes_.Change(monitors[monitor].rect, size, error))
        return false;
    modeChangedMonitors_[monitor] = monitors[monitor].rect;
    return true;
}

bool WxUiEnvironment::RestoreDisplayMode(int32_t monitor)
{
    const auto it = modeChangedMonitors_.find(monitor);
    if (it == modeChangedMonitors_.end())
        return false;
    const bool restored = displayModes_.Restore(it->second);
    modeChangedMonitors_.erase(it);
    return restored;
}

bool WxUiEnvironment::RunFileDialog(const UiFileDialogRequest& request, UiFileDialogResult& result)
{
    // A save dialog asks nothing about existing files: the caller asks about the name it will write.
    long style = request.save ? wxFD_SAVE : wxFD_OPEN;
    if (request.multiple)
        style |= wxFD_MULTIPLE;
    // Without a title of the caller's the dialog takes the system's own, as the chooser has none.
    const std::string title = !request.title.empty() ? request.title : request.save ? "Save As" : "Open";
    wxFileDialog dialog(WindowOf(request.owner), wxString::FromUTF8(title),
                        wxString::FromUTF8(request.folder), wxString::FromUTF8(request.fileName),
                        WildcardOf(request.filter), style);
    dialog.SetFilterIndex(request.filterIndex);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    wxArrayString paths;
    if (request.multiple)
        dialog.GetPaths(paths);
    else
        paths.Add(dialog.GetPath());
    result.paths.clear();
    for (const wxString& path : paths)
        result.paths.emplace_back(path.utf8_string());
    result.filterIndex = dialog.GetFilterIndex();
    return true;
}

int32_t WxUiEnvironment::TrackPopupMenu(const UiMenu& menu, UiPoint screenPoint, UiWindowId owner)
{
    wxWindow* window = WindowOf(owner);
    if (window == nullptr)
        return 0;
    wxMenu popup;
    std::map<int, int32_t> commands;
    AppendMenuItems(popup, menu.items, commands);
    const int chosen = window->GetPopupMenuSelectionFromUser(
        popup, window->ScreenToClient(wxPoint(screenPoint.x, screenPoint.y)));
    const auto command = commands.find(chosen);
    return command != commands.end() ? command->second : 0;
}

void WxUiEnvironment::PostAfterCurrentEvent(std::function<void()> task)
{
    wxTheApp->CallAfter(std::move(task));
}

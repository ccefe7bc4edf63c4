#include "platform/wx/display_modes_xrandr.h"

#include "foundation/errors/c_error.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <gdk/gdkx.h>

#include <vector>

namespace {

Display* X11Display()
{
    GdkDisplay* display = gdk_display_get_default();
    return display != nullptr && GDK_IS_X11_DISPLAY(display) ? gdk_x11_display_get_xdisplay(display) : nullptr;
}

// Screen resources for the time of one operation.
class ScreenResources
{
  public:
    explicit ScreenResources(Display* display)
        : display_(display), resources_(XRRGetScreenResources(display, DefaultRootWindow(display)))
    {
    }
    ~ScreenResources()
    {
        if (resources_ != nullptr)
            XRRFreeScreenResources(resources_);
    }
    XRRScreenResources* get() const { return resources_; }

  private:
    Display* display_;
    XRRScreenResources* resources_;
};

// The CRTC showing a picture at the rectangle's top-left corner.
RRCrtc CrtcAt(Display* display, XRRScreenResources* resources, const UiRect& rect, RRMode& mode, Rotation& rotation,
              std::vector<RROutput>& outputs)
{
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (info == nullptr)
            continue;
        const bool match = info->mode != None && info->x == rect.left && info->y == rect.top;
        if (match) {
            mode = info->mode;
            rotation = info->rotation;
            outputs.assign(info->outputs, info->outputs + info->noutput);
        }
        XRRFreeCrtcInfo(info);
        if (match)
            return resources->crtcs[i];
    }
    return None;
}

bool SetCrtcMode(Display* display, XRRScreenResources* resources, RRCrtc crtc, const UiRect& at, RRMode mode,
                 Rotation rotation, std::vector<RROutput>& outputs)
{
    const Status status = XRRSetCrtcConfig(display, resources, crtc, CurrentTime, at.left, at.top, mode, rotation,
                                           outputs.data(), static_cast<int>(outputs.size()));
    XSync(display, False);
    return status == RRSetConfigSuccess;
}

} // namespace

XrandrDisplayModes::~XrandrDisplayModes()
{
    RestoreAll();
}

bool XrandrDisplayModes::Change(const UiRect& monitorRect, UiSize size, CError& error)
{
    Display* display = X11Display();
    int eventBase = 0;
    int errorBase = 0;
    if (display == nullptr || !XRRQueryExtension(display, &eventBase, &errorBase)) {
        error.SetError("The display has no XRandR extension.", 0);
        return false;
    }
    ScreenResources resources(display);
    if (resources.get() == nullptr) {
        error.SetError("XRandR reports no screen resources.", 0);
        return false;
    }
    RRMode current = None;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
    const RRCrtc crtc = CrtcAt(display, resources.get(), monitorRect, current, rotation, outputs);
    if (crtc == None) {
        error.SetError("XRandR shows no monitor at that place.", 0);
        return false;
    }
    for (int i = 0; i < resources.get()->nmode; ++i) {
        const XRRModeInfo& mode = resources.get()->modes[i];
        if (static_cast<int32_t>(mode.width) != size.width || static_cast<int32_t>(mode.height) != size.height)
            continue;
        if (!SetCrtcMode(display, resources.get(), crtc, monitorRect, mode.id, rotation, outputs))
            continue;
        const auto key = std::make_pair(monitorRect.left, monitorRect.top);
        if (!saved_.contains(key))
            saved_[key] = {crtc, current, UiRect::FromSize(monitorRect.left, monitorRect.top, size.width, size.height)};
        return true;
    }
    error.SetError(XAString::Format("The monitor offers no %d x %d mode.", size.width, size.height), 0);
    return false;
}

bool XrandrDisplayModes::RestoreSaved(const Saved& saved)
{
    Display* display = X11Display();
    if (display == nullptr)
        return false;
    ScreenResources resources(display);
    if (resources.get() == nullptr)
        return false;
    RRMode current = None;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
    if (CrtcAt(display, resources.get(), saved.changedTo, current, rotation, outputs) != saved.crtc)
        return false;
    return SetCrtcMode(display, resources.get(), saved.crtc, saved.changedTo, saved.mode, rotation, outputs);
}

bool XrandrDisplayModes::Restore(const UiRect& monitorRect)
{
    const auto it = saved_.find({monitorRect.left, monitorRect.top});
    if (it == saved_.end())
        return false;
    const bool restored = RestoreSaved(it->second);
    saved_.erase(it);
    return restored;
}

void XrandrDisplayModes::RestoreAll()
{
    for (const auto& [key, saved] : saved_)
        RestoreSaved(saved);
    saved_.clear();
}

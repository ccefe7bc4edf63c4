// Display modes through XRandR: a width x height mode of one monitor's CRTC (colour depth is not
// changeable on X11). Each monitor's first mode is remembered and put back on restore and when the
// object goes.
#pragma once

#include "platform/ui_geometry.h"

#include <cstdint>
#include <map>
#include <string>

class CError;

class XrandrDisplayModes
{
  public:
    XrandrDisplayModes() = default;
    ~XrandrDisplayModes();
    XrandrDisplayModes(const XrandrDisplayModes&) = delete;
    XrandrDisplayModes& operator=(const XrandrDisplayModes&) = delete;

    // monitorRect: the monitor's rectangle on the screen, which names its CRTC.
    bool Change(const UiRect& monitorRect, UiSize size, CError& error);
    bool Restore(const UiRect& monitorRect);
    void RestoreAll();

  private:
    struct Saved
    {
        unsigned long crtc;
        unsigned long mode;
        UiRect changedTo;
    };
    bool RestoreSaved(const Saved& saved);

    // Keyed by the monitor's rectangle before any change.
    std::map<std::pair<int32_t, int32_t>, Saved> saved_;
};

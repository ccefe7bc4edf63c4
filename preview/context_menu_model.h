// The preview's context menu: menu resource 2195 (one popup holding the items), and how it is
// prepared before it is shown: check marks, greyed items, items removed, separators tidied.
#pragma once

#include "platform/ui_menu.h"

#include <cstdint>

inline constexpr int32_t kPreviewContextMenuId = 2195;

// Menu resource 2195.
const UiMenu& PreviewContextMenuResource();

// What the preparation looks at.
struct ContextMenuState
{
    bool fullScreen = false;
    bool topMost = false;
    bool showInfo = false;
    bool showPcFps = false;
    bool showLaserFps = false;
    bool showTimecode = false;
    bool muted = false;
    bool showOpen = false;
    int32_t showCount = 0;
    bool hasBackgroundImage = false;
    bool dspSelectionEnabled = false;
    bool postedFrameCurrent = false;
    // The plug-in offers fewer commands, and keeps Reload and Stop Loading for its download.
    bool controlBuild = false;
};

void UpdateContextMenuModel(UiMenu& menu, const ContextMenuState& state);

// The menu the control shows itself while it has no player to show one: the first popup of its
// menu resource, its About item named after the control.
#pragma once

#include "platform/ui_menu.h"

#include <cstdint>
#include <optional>

inline constexpr int32_t kControlMenuId = 144;
inline constexpr const char* kControlAboutItem = "&About Zyl Player ActiveX";

// Empty when the resource is not installed or holds no popup.
std::optional<UiMenu> ControlFallbackMenu();

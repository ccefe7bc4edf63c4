// What an input event of a native window carries: the modifier keys held when it happened (read
// from the event itself, not from the live key state, which may have moved on), the mouse buttons
// held, and the display server's time stamp.
#pragma once

#include "platform/ui_geometry.h"

#include <cstdint>

// Modifier bits.
inline constexpr uint32_t kUiShift = 1;
inline constexpr uint32_t kUiCtrl = 2;
inline constexpr uint32_t kUiAlt = 4;

// Mouse button bits.
inline constexpr uint32_t kUiLeftButton = 1;
inline constexpr uint32_t kUiMiddleButton = 2;
inline constexpr uint32_t kUiRightButton = 4;

struct UiKeyEvent
{
    // A VK_* code (platform/virtual_keys.h).
    int32_t virtualKey = 0;
    uint32_t modifiers = 0;
};

struct UiMouseEvent
{
    // Client coordinates of the window that got the event.
    UiPoint at;
    uint32_t modifiers = 0;
    // The buttons held as the event happened (a press counts its own button, a release not).
    uint32_t buttons = 0;
    // Milliseconds of the display server's clock; it wraps around.
    uint32_t timeMs = 0;
};

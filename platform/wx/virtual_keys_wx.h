// The system's virtual-key codes (VK_*) that the preview's key tables use, from and to wxWidgets'
// key codes, and the input events of platform/ui_input.h made from wxWidgets' events.
#pragma once

#include "platform/ui_input.h"

#include <cstdint>

class wxKeyEvent;
class wxKeyboardState;
class wxMouseEvent;

// 0 for a key without a virtual-key code.
int32_t VirtualKeyFromWx(int wxKeyCode);
// WXK_NONE for a code without a wxWidgets key.
int WxKeyFromVirtualKey(int32_t virtualKey);

uint32_t ModifiersFromWx(const wxKeyboardState& state);
// The key's code (0 for none) and the modifiers of the event.
UiKeyEvent KeyEventFromWx(const wxKeyEvent& event);
UiMouseEvent MouseEventFromWx(const wxMouseEvent& event);

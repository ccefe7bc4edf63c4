// The system's virtual-key codes (VK_*) that the preview's key tables use, from and to wxWidgets'
// key codes.
#pragma once

#include <cstdint>

// 0 for a key without a virtual-key code.
int32_t VirtualKeyFromWx(int wxKeyCode);
// WXK_NONE for a code without a wxWidgets key.
int WxKeyFromVirtualKey(int32_t virtualKey);

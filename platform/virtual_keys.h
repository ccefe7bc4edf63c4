// The system's virtual-key codes (VK_*) that the key tables name. Letters and digits are their
// upper-case ASCII codes.
#pragma once

#include <cstdint>

namespace vk {

inline constexpr int32_t kReturn = 0x0D;
inline constexpr int32_t kControl = 0x11;
inline constexpr int32_t kEscape = 0x1B;
inline constexpr int32_t kSpace = 0x20;
inline constexpr int32_t kPageUp = 0x21;
inline constexpr int32_t kPageDown = 0x22;
inline constexpr int32_t kEnd = 0x23;
inline constexpr int32_t kHome = 0x24;
inline constexpr int32_t kLeft = 0x25;
inline constexpr int32_t kUp = 0x26;
inline constexpr int32_t kRight = 0x27;
inline constexpr int32_t kDown = 0x28;
inline constexpr int32_t kInsert = 0x2D;
inline constexpr int32_t kDelete = 0x2E;
inline constexpr int32_t kF1 = 0x70;
inline constexpr int32_t kF2 = 0x71;
inline constexpr int32_t kF3 = 0x72;
inline constexpr int32_t kF4 = 0x73;
inline constexpr int32_t kF5 = 0x74;
inline constexpr int32_t kF6 = 0x75;
inline constexpr int32_t kF7 = 0x76;
inline constexpr int32_t kF8 = 0x77;

} // namespace vk

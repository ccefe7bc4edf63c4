#pragma once
// Time arithmetic of the playback: show times are 64-bit microseconds that may come from hostile
// files, so products saturate instead of overflowing.

#include <cstdint>

// a × b ÷ c rounded towards minus infinity, saturated to the 64-bit range; c > 0.
int64_t MulDivFloor(int64_t a, int64_t b, int64_t c);
// The reference tick of the clocks: the low 32 bits of the system's microsecond clock.
uint32_t PlaybackTick();

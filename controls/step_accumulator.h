// The 16.16 step accumulator that a spin, a drag or a page key hands to the value handler: a
// step of d units adds d x 0x10000, and the handler writes back what it did not use. The sum is
// taken in 64 bits and held to the 32-bit range, so a long movement (thousands of pixels on a
// tall screen) saturates instead of wrapping round and stepping backwards.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

inline constexpr int64_t kStepUnitsPerClick = 100; // one spin click or page key
inline constexpr int64_t kStepUnitsPerPixel = 10;  // a drag

inline void AddStepUnits(int32_t& accumulator, int64_t units)
{
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
    // Units beyond this can only saturate; clamping first keeps the product inside 64 bits.
    const int64_t bounded = std::clamp<int64_t>(units, -(int64_t{1} << 32), int64_t{1} << 32);
    const int64_t sum = int64_t{accumulator} + bounded * 0x10000;
    accumulator = static_cast<int32_t>(std::clamp(sum, kLow, kHigh));
}

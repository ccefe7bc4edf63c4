#pragma once
// 64-bit sums and differences of values that come from files: held at the ends of the range
// instead of wrapping, which would be undefined.

#include <cstdint>
#include <limits>

inline int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

inline int64_t SaturatingSub(int64_t a, int64_t b)
{
    int64_t difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference))
        return difference;
    return b < 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

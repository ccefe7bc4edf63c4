#include "messaging/internal/value_real_convert.h"

#include <cmath>
#include <limits>

int32_t RealToInt32(double value)
{
    constexpr double kLowest = std::numeric_limits<int32_t>::min();
    constexpr double kHighest = std::numeric_limits<int32_t>::max();
    if (!(value >= kLowest)) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value >= kHighest) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(std::trunc(value));
}

int32_t LimitToInt32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

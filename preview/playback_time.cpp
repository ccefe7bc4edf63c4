#include "preview/playback_time.h"

#include "foundation/tasks/sys_clock.h"

#include <limits>

int64_t MulDivFloor(int64_t a, int64_t b, int64_t c)
{
    const __int128 product = static_cast<__int128>(a) * b;
    __int128 quotient = product / c;
    if ((product % c != 0) && (product < 0))
        --quotient;
    if (quotient > std::numeric_limits<int64_t>::max())
        return std::numeric_limits<int64_t>::max();
    if (quotient < std::numeric_limits<int64_t>::min())
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(quotient);
}

uint32_t PlaybackTick()
{
    return static_cast<uint32_t>(GetSysTimeUs());
}

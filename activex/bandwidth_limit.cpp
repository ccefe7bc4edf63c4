#include "activex/bandwidth_limit.h"

#include <algorithm>

namespace {

// Bits per second to bytes per centisecond: 8 bits a byte, 100 centiseconds a second.
constexpr int64_t kBitCentisecondsPerByteSecond = 800;
constexpr int64_t kMaxElapsedCs = (int64_t{1} << 31) - 1;

} // namespace

int64_t BandwidthLimit::Elapsed(int32_t nowCs) const
{
    // The centisecond clock wraps like the system's did: the difference is taken modulo 2^32.
    const int64_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(nowCs) - static_cast<uint32_t>(startCs_));
    return std::clamp<int64_t>(elapsed, 0, kMaxElapsedCs);
}

void BandwidthLimit::SetBitsPerSecond(int32_t bps, int32_t nowCs)
{
    if (bps > 0 && throttle_) {
        // The allowance so far, elapsed x old rate, is the same amount at the new rate after
        // elapsed x old / new centiseconds; kept within the clock's range.
        const int64_t moved = std::min(Elapsed(nowCs) * bitsPerSecond_ / bps, kMaxElapsedCs);
        startCs_ = static_cast<int32_t>(static_cast<uint32_t>(nowCs) - static_cast<uint32_t>(moved));
    }
    throttle_ = bps > 0;
    bitsPerSecond_ = bps;
}

int64_t BandwidthLimit::Allowed(int32_t nowCs, int64_t size) const
{
    const int64_t elapsed = std::max<int64_t>(Elapsed(nowCs), 1);
    const int64_t allowed = elapsed * bitsPerSecond_ / kBitCentisecondsPerByteSecond;
    return std::clamp<int64_t>(allowed, 0, std::max<int64_t>(size, 0));
}

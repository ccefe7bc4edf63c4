#include "foundation/text/random.h"

#include <atomic>
#include <bit>

namespace {

constexpr uint32_t kIncrement = 9699689;
constexpr uint32_t kMultiplier = 223092871;
constexpr int kRotation = 13;
constexpr uint32_t kValueMask = 0x7FFFFFFF;
constexpr int kStateShift = 32;

int32_t Step(uint32_t& x, uint32_t& k)
{
    k += kIncrement;
    x = std::rotl(x, kRotation) * kMultiplier + k;
    return static_cast<int32_t>(x & kValueMask);
}

// x in the high half, k in the low half, so that threads step the shared state one at a time.
constinit std::atomic<uint64_t> processState{0};

} // namespace

int32_t Random()
{
    uint64_t before = processState.load(std::memory_order_relaxed);
    for (;;) {
        auto x = static_cast<uint32_t>(before >> kStateShift);
        auto k = static_cast<uint32_t>(before);
        const int32_t value = Step(x, k);
        const uint64_t after = (uint64_t{x} << kStateShift) | k;
        if (processState.compare_exchange_weak(before, after, std::memory_order_relaxed)) {
            return value;
        }
    }
}

int32_t RandomMod(int32_t n, uint32_t& x, uint32_t& k)
{
    const int32_t value = Step(x, k);
    return n > 0 ? value % n : 0;
}

void RandomSeed(uint32_t seed, uint32_t& x, uint32_t& k)
{
    x = seed;
    k = 0;
}

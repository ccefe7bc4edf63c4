#include "l_time_ramp.h"

#include <limits>

namespace {

constexpr int64_t kInvalid = -1;
constexpr int64_t kRateOne = 65536;

// Keeps a show time that has run for millions of years from wrapping to "invalid".
int64_t AddSaturated(int64_t value, int64_t delta)
{
    int64_t sum = 0;
    if (__builtin_add_overflow(value, delta, &sum)) {
        return delta > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    }
    return sum;
}

} // namespace

void LTimeRamp::Reset()
{
    value = kInvalid;
    rate = 0;
    referenceTime = 0;
}

void LTimeRamp::Set(int64_t newValue, int32_t newRate, uint32_t newReferenceTime)
{
    value = newValue;
    rate = newRate;
    referenceTime = newReferenceTime;
}

int64_t LTimeRamp::ValueAt(uint32_t t) const
{
    const auto elapsed = static_cast<int32_t>(t - referenceTime);
    if (value < 0 || elapsed == 0) {
        return value;
    }
    // Integer division truncates toward zero, also for negative products.
    return AddSaturated(value, int64_t{elapsed} * rate / kRateOne);
}

void LTimeRamp::Advance(uint32_t t)
{
    if (value < 0 || t == referenceTime) {
        return;
    }
    value = ValueAt(t);
    referenceTime = t;
}

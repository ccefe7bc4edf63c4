#include "show/l_time_ramp.h"

#include "foundation/strings/saturating_int.h"

namespace {

constexpr int64_t kInvalid = -1;
constexpr int64_t kRateOne = 65536;

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
    // Integer division truncates toward zero, also for negative products. Saturating keeps a show
    // time that has run for millions of years from wrapping to "invalid".
    return SaturatingAdd(value, int64_t{elapsed} * rate / kRateOne);
}

void LTimeRamp::Advance(uint32_t t)
{
    if (value < 0 || t == referenceTime) {
        return;
    }
    value = ValueAt(t);
    referenceTime = t;
}

#pragma once
// LTimeRamp: a 64-bit show time in microseconds that runs linearly with the system clock at a
// 16.16 fixed-point rate (0x10000 real time, 0 paused, negative backwards). Its reference times
// are the low 32 bits of GetSysTimeUs; differences between two of them wrap, so a ramp must be
// advanced well within 2^31 µs (about 35.8 minutes).

#include <cstdint>

class LTimeRamp
{
  public:
    static constexpr int32_t kRealTime = 0x10000;

    LTimeRamp() { Reset(); }

    // Invalid (no time yet), paused, reference time 0.
    void Reset();
    void Set(int64_t value, int32_t rate, uint32_t referenceTime);

    // The value at system time t; an invalid (negative) value is returned unchanged.
    int64_t ValueAt(uint32_t t) const;
    // Moves the reference to t. Each step truncates its own quotient, so many small steps may
    // lag one large step by up to 1 µs per step at rates that are not multiples of 0x10000.
    void Advance(uint32_t t);

    bool IsValid() const { return value >= 0; }

    int64_t value;
    int32_t rate;
    uint32_t referenceTime;
};

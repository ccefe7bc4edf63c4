#pragma once
// Where the microsecond clock and the sleeps get their time. The system's source reads
// CLOCK_MONOTONIC and sleeps the calling thread; tests put a fake in its place.
// Mandatory: both operations; neither can fail. Any thread reads the clock and sleeps; the source
// is set (SetTimeSource, ScopedTimeSource) while no other thread uses it.

#include <cstdint>

#include "platform/scoped_service.h"

class LTimeSource
{
  public:
    virtual ~LTimeSource() = default;
    // A monotonic count of microseconds; only differences between readings matter, and they are
    // taken modulo 2^64, so a source may wrap.
    virtual uint64_t MonotonicUs() = 0;
    // Blocks the calling thread for ms milliseconds (ms > 0).
    virtual void SleepMs(int32_t ms) = 0;
};

LTimeSource& CurrentTimeSource();
// Puts `source` in place (null: the system's source again) and returns the one it replaces
// (null for the system's). The caller keeps `source` alive while it is in place.
LTimeSource* SetTimeSource(LTimeSource* source);
using ScopedTimeSource = ScopedService<LTimeSource, SetTimeSource>;

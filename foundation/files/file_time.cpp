#include "foundation/files/file_time.h"

namespace {

// 100-nanosecond intervals between 1 January 1601 and 1 January 1970.
constexpr uint64_t kUnixEpoch = 116444736000000000ULL;
constexpr uint64_t kUnitsPerSecond = 10000000ULL;
constexpr uint64_t kNanosecondsPerUnit = 100;

} // namespace

uint64_t FileTimeFromTimespec(const timespec& t)
{
    return kUnixEpoch + static_cast<uint64_t>(t.tv_sec) * kUnitsPerSecond +
           static_cast<uint64_t>(t.tv_nsec) / kNanosecondsPerUnit;
}

uint64_t FileTimeNow()
{
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    return FileTimeFromTimespec(now);
}

FileTimeRecord FileTimeRecordOf(const timespec& t)
{
    const uint64_t units = FileTimeFromTimespec(t);
    return {static_cast<int32_t>(units >> 32), static_cast<uint32_t>(units), GetTimezoneOffset()};
}

#include "foundation/text/calendar_date.h"

#include <cmath>
#include <ctime>

namespace {

constexpr int64_t kDaysPer400Years = 146097;
constexpr int64_t kDaysPer4Years = 1461;
constexpr int32_t kPackedBaseYear = 1990;
constexpr double kSecondsPerFileTimeUnit = 1e-7;
// Further than any file time can reach; keeps day counts well inside 32 bits.
constexpr double kMaxDays = 1e9;
constexpr double kSecondsPerDay = 86400;
constexpr int32_t kSecondsPerTimeUnit = 2;

} // namespace

CalendarDate DateFromDayNumber(int32_t dayNumber)
{
    if (dayNumber <= 0) {
        return {};
    }
    const int64_t a = 4 * static_cast<int64_t>(dayNumber) + 128179;
    int64_t b = a % kDaysPer400Years / 4 * 4 + 3;
    int64_t year = b / kDaysPer4Years + a / kDaysPer400Years * 100;
    b = b % kDaysPer4Years / 4 * 5 + 2;
    int64_t month = b / 153;
    const int64_t day = b % 153 / 5 + 1;
    if (month > 9) {
        month -= 9;
        ++year;
    } else {
        month += 3;
    }
    year -= 4800;
    if (year <= 0) {
        --year;
    }
    return {static_cast<int32_t>(day), static_cast<int32_t>(month), static_cast<int32_t>(year)};
}

uint16_t PackDate(int32_t dayNumber)
{
    if (dayNumber <= 0) {
        return 0;
    }
    const CalendarDate date = DateFromDayNumber(dayNumber);
    const uint32_t years = static_cast<uint32_t>(date.year - kPackedBaseYear) & 0x7F;
    return static_cast<uint16_t>((date.day & 0x1F) | (date.month & 0xF) << 5 | years << 9);
}

double GetTimezoneOffset()
{
    static const double offset = [] {
        tzset();
        return static_cast<double>(timezone);
    }();
    return offset;
}

void FileTimeToDayTime(const FileTimeRecord& fileTime, uint16_t& packedDate, int32_t& timeOfDay)
{
    const double units = static_cast<double>(fileTime.high) * 4294967296.0 + fileTime.low;
    const double seconds = units * kSecondsPerFileTimeUnit - fileTime.offset;
    const double days = std::trunc(seconds / kSecondsPerDay);
    if (!(std::fabs(days) < kMaxDays)) {
        packedDate = 0;
        timeOfDay = 0;
        return;
    }
    packedDate = PackDate(kDayNumber1601 + static_cast<int32_t>(days));
    timeOfDay = static_cast<int32_t>(std::fmod(seconds, kSecondsPerDay)) / kSecondsPerTimeUnit;
}

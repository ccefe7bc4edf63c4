#pragma once

// Calendar day numbers (Julian day numbers of Gregorian dates), the packed 16-bit date of the
// file layer and the conversion of a file time into that date and a time of day.

#include <cstdint>

struct CalendarDate
{
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0; // 1 BC is -1; there is no year 0
};

// A file time as the file layer records it: 100-nanosecond units since 1 January 1601 (UTC),
// split in two words, and the offset in seconds subtracted to get local time.
struct FileTimeRecord
{
    int32_t high = 0;
    uint32_t low = 0;
    double offset = 0;
};

// The day number of a date, or 0 when the date is invalid (year 0, before 25 November 4714 BC,
// month outside 1..12, day outside 1..31; a day past the month's end counts on into the next).
constexpr int32_t DayNumberFromDate(int32_t day, int32_t month, int32_t year)
{
    constexpr int32_t kFirstYear = -4714;
    constexpr int32_t kFirstMonth = 11;
    constexpr int32_t kFirstDay = 25;
    if (year == 0 || year < kFirstYear || month < 1 || month > 12 || day < 1 || day > 31) {
        return 0;
    }
    if (year == kFirstYear && (month < kFirstMonth || (month == kFirstMonth && day < kFirstDay))) {
        return 0;
    }
    const int64_t astronomicalYear = year < 0 ? year + 1 : year;
    const bool afterFebruary = month > 2;
    const int64_t y = astronomicalYear + (afterFebruary ? 4800 : 4799);
    const int64_t m = afterFebruary ? month : month + 12;
    const int64_t dayNumber =
        (153 * m - 457) / 5 + day + (y % 100) * 1461 / 4 + (y / 100) * 146097 / 4 - 32045;
    return dayNumber > INT32_MAX ? 0 : static_cast<int32_t>(dayNumber);
}

constexpr int32_t kDayNumber1970 = DayNumberFromDate(1, 1, 1970);
constexpr int32_t kDayNumber1601 = DayNumberFromDate(1, 1, 1601);

// The date of a day number; all three fields 0 for a day number <= 0.
CalendarDate DateFromDayNumber(int32_t dayNumber);

// day | month << 5 | (year - 1990) << 9, each cut to its bits; 0 for a day number <= 0.
uint16_t PackDate(int32_t dayNumber);

// The local time zone's offset in seconds west of UTC (standard time), read once.
double GetTimezoneOffset();

// The packed date and the time of day in 2-second units (0..43199) of a file time, shifted by
// its offset. A time that is not a finite number, or lies beyond any file time, gives 0 and 0.
void FileTimeToDayTime(const FileTimeRecord& fileTime, uint16_t& packedDate, int32_t& timeOfDay);

#include "foundation/text/calendar_date.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(CalendarDateTest, DayNumbers)
{
    struct Case
    {
        int32_t day;
        int32_t month;
        int32_t year;
        int32_t dayNumber;
    };
    const Case cases[] = {
        {1, 1, 1970, 2440588},  {1, 1, 1601, 2305814}, {1, 1, 2000, 2451545}, {29, 2, 2000, 2451604},
        {31, 2, 2001, 2451972}, // counts on into March: 3 March 2001
        {3, 3, 2001, 2451972},  {25, 11, -4714, 1},    {31, 12, -1, 1721425}, {1, 1, 1, 1721426},
        {24, 11, -4714, 0},     {1, 10, -4714, 0},     {1, 1, -4715, 0},      {1, 1, 0, 0},
        {1, 0, 2000, 0},        {1, 13, 2000, 0},      {0, 1, 2000, 0},       {32, 1, 2000, 0},
        {1, 1, 6000000, 0}, // beyond 32-bit day numbers
        {31, 12, INT32_MAX, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayNumberFromDate(c.day, c.month, c.year), c.dayNumber)
            << c.day << "." << c.month << "." << c.year;
    }
    static_assert(kDayNumber1970 == 2440588 && kDayNumber1601 == 2305814);
}

TEST(CalendarDateTest, DatesFromDayNumbers)
{
    struct Case
    {
        int32_t dayNumber;
        CalendarDate date;
    };
    const Case cases[] = {
        {2451545, {1, 1, 2000}}, {2440588, {1, 1, 1970}}, {1721426, {1, 1, 1}}, {1721425, {31, 12, -1}},
        {1, {25, 11, -4714}},    {0, {0, 0, 0}},          {-5, {0, 0, 0}},      {INT32_MIN, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const CalendarDate date = DateFromDayNumber(c.dayNumber);
        EXPECT_EQ(date.day, c.date.day) << c.dayNumber;
        EXPECT_EQ(date.month, c.date.month) << c.dayNumber;
        EXPECT_EQ(date.year, c.date.year) << c.dayNumber;
    }
}

TEST(CalendarDateTest, DayNumbersRoundTrip)
{
    for (int32_t dayNumber = 1; dayNumber < 3000000; dayNumber += 97) {
        const CalendarDate date = DateFromDayNumber(dayNumber);
        ASSERT_EQ(DayNumberFromDate(date.day, date.month, date.year), dayNumber);
    }
    const CalendarDate last = DateFromDayNumber(INT32_MAX);
    EXPECT_EQ(DayNumberFromDate(last.day, last.month, last.year), INT32_MAX);
}

TEST(CalendarDateTest, PackedDates)
{
    EXPECT_EQ(PackDate(DayNumberFromDate(1, 1, 1990)), 1 | 1 << 5);
    EXPECT_EQ(PackDate(DayNumberFromDate(15, 6, 2005)), 15 | 6 << 5 | 15 << 9);
    EXPECT_EQ(PackDate(DayNumberFromDate(31, 12, 2117)), 31 | 12 << 5 | 127 << 9);
    EXPECT_EQ(PackDate(DayNumberFromDate(1, 1, 2118)), 1 | 1 << 5); // the years wrap in 7 bits
    EXPECT_EQ(PackDate(0), 0);
    EXPECT_EQ(PackDate(-3), 0);
}

namespace {

// 15 June 2005 13:45:30 UTC in 100-nanosecond units since 1601.
constexpr uint64_t kFileTime20050615 = (1118843130ull + 11644473600ull) * 10000000ull;

FileTimeRecord Record(uint64_t fileTime, double offset)
{
    return {static_cast<int32_t>(fileTime >> 32), static_cast<uint32_t>(fileTime), offset};
}

} // namespace

TEST(CalendarDateTest, FileTimes)
{
    struct Case
    {
        FileTimeRecord record;
        uint16_t packedDate;
        int32_t timeOfDay;
    };
    const uint16_t june15 = 15 | 6 << 5 | 15 << 9;
    const uint16_t june16 = 16 | 6 << 5 | 15 << 9;
    const Case cases[] = {
        {Record(kFileTime20050615, 0), june15, (13 * 3600 + 45 * 60 + 30) / 2},
        {Record(kFileTime20050615 + 10000000, 0), june15, (13 * 3600 + 45 * 60 + 31) / 2},
        {Record(kFileTime20050615, 3600), june15, (12 * 3600 + 45 * 60 + 30) / 2},
        {Record(kFileTime20050615, -11 * 3600), june16, (45 * 60 + 30) / 2},
        {Record(kFileTime20050615, std::nan("")), 0, 0},
        {Record(kFileTime20050615, 1e300), 0, 0},
    };
    for (const Case& c : cases) {
        uint16_t packedDate = 1;
        int32_t timeOfDay = -1;
        FileTimeToDayTime(c.record, packedDate, timeOfDay);
        EXPECT_EQ(packedDate, c.packedDate) << c.record.offset;
        EXPECT_EQ(timeOfDay, c.timeOfDay) << c.record.offset;
    }
}

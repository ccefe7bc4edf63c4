#include "foundation/text/timecode.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <thread>

TEST(TimecodeTest, Texts)
{
    struct Case
    {
        int32_t frames;
        const char* text;
    };
    const Case cases[] = {
        {0, " 0:00:00,00"},        {25, " 0:00:01,00"},
        {24, " 0:00:00,24"},       {1500, " 0:01:00,00"},
        {90000, " 1:00:00,00"},    {899999, " 9:59:59,24"},
        {900000, "10:00:00,00"},   {8999999, "99:59:59,24"},
        {9000000, "100:00:00,00"}, {INT32_MAX, "23860:55:45,22"},
        {-1, "--:--:--,--"},       {INT32_MIN, "--:--:--,--"},
    };
    for (const Case& c : cases) {
        char buffer[kTimecodeTextSize];
        FormatTimecode(c.frames, buffer);
        EXPECT_STREQ(buffer, c.text) << c.frames;
        EXPECT_STREQ(TimecodeText(c.frames), c.text) << c.frames;
    }
}

TEST(TimecodeTest, EachThreadHasItsOwnText)
{
    const char* mine = TimecodeText(25);
    std::string otherText;
    const char* other = nullptr;
    std::thread([&] {
        other = TimecodeText(90000);
        otherText = other;
    }).join();
    EXPECT_NE(mine, other);
    EXPECT_STREQ(mine, " 0:00:01,00");
    EXPECT_EQ(otherText, " 1:00:00,00");
}

#include "messaging/value_real_format.h"

#include <gtest/gtest.h>

TEST(ValueRealFormatTest, FixedExponentAndBorrowedDigits)
{
    struct Case
    {
        double value;
        int32_t intDigits;
        int32_t fracDigits;
        int32_t width;
        const char* text;
    };
    const Case cases[] = {
        {1.5, 1, 4, 0, " 1.5000"},
        {-0.5, 1, 4, 0, "-0.5000"},
        // Three integer digits are taken from the fraction digits; the total length stays.
        {123.456, 1, 4, 0, " 123.46"},
        {9.99999995, 1, 4, 0, " 10.000"},
        // Five missing digits, four fraction digits: no room, the exponent form.
        {123456.7, 1, 4, 0, " 1.2345E+005"},
        {3e9, 1, 4, 0, " 3.0000E+009"},
        {-3e9, 6, 2, 12, "-3.00E+009"},
        // With a width nothing is borrowed.
        {123456.7, 1, 4, 12, " 123456.7000"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(FormatValueReal(c.value, c.intDigits, c.fracDigits, c.width).CStr(), c.text) << c.value;
    }
}

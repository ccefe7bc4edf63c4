#include "foundation/strings/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Writes into a buffer twice the size any writer may use and checks that nothing lands beyond
// that size.
class NumberText
{
  public:
    template <class Writer> std::string operator()(Writer write)
    {
        std::memset(buffer_, 'Z', sizeof buffer_);
        write(buffer_);
        const size_t length = strnlen(buffer_, sizeof buffer_);
        EXPECT_LE(length, static_cast<size_t>(kMaxNumberText));
        EXPECT_EQ(std::string(buffer_ + kNumberTextSize, kNumberTextSize), std::string(kNumberTextSize, 'Z'))
            << "written beyond kNumberTextSize";
        return std::string(buffer_, length);
    }

  private:
    char buffer_[kNumberTextSize * 2];
};

} // namespace

TEST(NumberTextTest, IntRight)
{
    struct Case
    {
        int32_t value;
        int32_t width;
        const char* text;
    };
    const Case cases[] = {
        {-5, 4, "  -5"},
        {12345, 3, "345"},
        {12345, 5, "12345"},
        {0, 1, "0"},
        {-5, 2, "-5"},
        {-5, 1, "5"}, // no place for the sign
        {-1234, 3, "234"},
        {INT32_MIN, 11, "-2147483648"},
        {INT32_MIN, 12, " -2147483648"},
        {INT32_MIN, 10, "2147483648"},
        {INT32_MAX, 10, "2147483647"},
        {7, 0, ""},
        {7, -3, ""},
    };
    NumberText text;
    for (const Case& c : cases) {
        EXPECT_EQ(text([&](char* b) { FmtIntRight(b, c.value, c.width); }), c.text)
            << c.value << " in " << c.width;
    }
    const std::string wide = text([](char* b) { FmtIntRight(b, 42, 100000); });
    EXPECT_EQ(wide, std::string(253, ' ') + "42");
}

TEST(NumberTextTest, Hex)
{
    struct Case
    {
        uint32_t value;
        int32_t digits;
        const char* text;
    };
    const Case cases[] = {
        {0xAB, 4, "00AB"},     {0xDEADBEEF, 8, "DEADBEEF"},
        {0x12345678, 2, "78"}, {0x1, 12, "00000001"},
        {0x5, 0, ""},          {0x5, -1, ""},
    };
    NumberText text;
    for (const Case& c : cases) {
        EXPECT_EQ(text([&](char* b) { FmtHex(b, c.value, c.digits); }), c.text) << c.value;
    }
}

TEST(NumberTextTest, Fixed)
{
    struct Case
    {
        double value;
        int32_t intDigits;
        int32_t fracDigits;
        int32_t width;
        const char* floatText;
        const char* doubleText;
    };
    const Case cases[] = {
        {3.14159, 1, 2, 0, " 3.14", " 3.14"},
        {-0.5, 1, 1, 0, "-0.5", "-0.5"},
        {-0.5, 0, 1, 0, "-0.5", "-0.5"}, // the sign of a zero integer part still gets its place
        {-0.04, 1, 1, 0, "-0.0", "-0.0"},
        {2.5, 3, 0, 0, "   3", "   3"}, // halves round away from zero
        {-2.5, 1, 0, 0, "-3", "-3"},
        {123.456, 1, 2, 0, "23.46", "23.46"}, // only the lowest integer digits fit
        {0.125, 1, 12, 0, " 0.125000000", " 0.125000000000"},
        {7, -4, 0, 0, "7", "7"},
        // Fitted into a width: the fraction takes the room the integer part leaves.
        {9.97, 0, 2, 4, " 9.97", " 9.97"},
        {9.97, 0, 2, 3, " 10", " 10"}, // rounding added a digit, so the fraction went
        {99.96, 0, 2, 5, " 99.96", " 99.96"},
        {-3.14159, 7, 3, 5, "-3.14", "-3.14"},
        {1234.5, 0, 3, 3, " 1235", " 1235"},
        // No value is out of range: large magnitudes keep their digits, others get a word.
        {3e9, 10, 0, 0, " 3000000000", " 3000000000"},
        {-2147483648.0, 10, 1, 0, "-2147483648.0", "-2147483648.0"},
        {1e12, 13, 2, 0, "  999999995904.00", " 1000000000000.00"},
        {kNaN, 3, 2, 0, " NaN", " NaN"},
        {kInf, 0, 2, 0, "Inf", "Inf"},
        {-kInf, 0, 0, 6, "  -Inf", "  -Inf"},
    };
    NumberText text;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.value << " " << c.intDigits << " " << c.fracDigits << " " << c.width);
        EXPECT_EQ(text([&](char* b) {
                      FmtFloatFixed(b, static_cast<float>(c.value), c.intDigits, c.fracDigits, c.width);
                  }),
                  c.floatText);
        EXPECT_EQ(text([&](char* b) { FmtDoubleFixed(b, c.value, c.intDigits, c.fracDigits, c.width); }),
                  c.doubleText);
    }
}

TEST(NumberTextTest, DoubleFixedWritesLongFractionsInGroups)
{
    NumberText text;
    EXPECT_EQ(text([](char* b) { FmtDoubleFixed(b, 1.0 / 3, 1, 12, 0); }), " 0.333333333333");
    EXPECT_EQ(text([](char* b) { FmtDoubleFixed(b, 0.5, 1, 19, 0); }), " 0.5000000000000000000");
    // More fraction digits than each form holds are cut to 9 and 19.
    EXPECT_EQ(text([](char* b) { FmtFloatFixed(b, 0.5f, 1, 30, 0); }), " 0.500000000");
    EXPECT_EQ(text([](char* b) { FmtDoubleFixed(b, 0.5, 1, 30, 0); }), " 0.5000000000000000000");
}

TEST(NumberTextTest, FixedNeverExceeds255Characters)
{
    NumberText text;
    EXPECT_EQ(text([](char* b) { FmtDoubleFixed(b, 1.5, 100000, 19, 0); }).size(), 255u);
    EXPECT_EQ(text([](char* b) { FmtDoubleFixed(b, 1e300, 0, 5, 100000); }).size(), 255u);
    EXPECT_EQ(text([](char* b) { FmtDoubleFixed(b, -kInf, 0, 0, 100000); }).size(), 255u);
}

TEST(NumberTextTest, Exponent)
{
    struct Case
    {
        double value;
        int32_t fracDigits;
        const char* floatText;
        const char* doubleText;
    };
    const Case cases[] = {
        {0, 5, " 0.00000E+00", " 0.00000E+000"},
        {12345.678, 3, " 1.234E+04", " 1.234E+004"}, // digits are cut, after the fixed rounding offset
        {-0.00123, 2, "-1.23E-03", "-1.23E-003"},
        {1e7, 0, " 1.00000E+07", " 1.00000000000000E+007"}, // out of range: all digits
        {0.5, 15, "-", " 5.00000000000000E-001"},           // float: 15 is out of range
        {9.9999999, 5, " 1.00000E+01", " 9.99999E+000"},
        {kNaN, 3, " NaN", " NaN"},
        {-kInf, 3, "-Inf", "-Inf"},
    };
    NumberText text;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " " << c.fracDigits);
        if (std::strcmp(c.floatText, "-") != 0) {
            EXPECT_EQ(text([&](char* b) { FmtFloatExp(b, static_cast<float>(c.value), c.fracDigits); }),
                      c.floatText);
        }
        EXPECT_EQ(text([&](char* b) { FmtDoubleExp(b, c.value, c.fracDigits); }), c.doubleText);
    }
    EXPECT_EQ(text([](char* b) { FmtFloatExp(b, 0.5f, 6); }), " 5.00000E-01");
    EXPECT_EQ(text([](char* b) { FmtDoubleExp(b, 1.0 / 3, 14); }), " 3.33333333333333E-001");
    EXPECT_EQ(text([](char* b) { FmtDoubleExp(b, 1.7976931348623157e308, 14); }), " 1.79769313486232E+308");
    EXPECT_EQ(text([](char* b) { FmtDoubleExp(b, 4.9406564584124654e-324, 3); }), " 4.940E-324");
    EXPECT_EQ(text([](char* b) { FmtFloatExp(b, 1.4e-45f, 3); }), " 1.401E-45");
}

TEST(NumberTextTest, ExponentStartsWithANonZeroDigitJustBelowPowersOfTen)
{
    // log2(x) * log10(2) can come out one too high just below a power of ten.
    NumberText text;
    for (int32_t exponent = -300; exponent <= 300; ++exponent) {
        const double below = std::nextafter(std::pow(10.0L, exponent), 0.0);
        const std::string written = text([&](char* b) { FmtDoubleExp(b, static_cast<double>(below), 14); });
        ASSERT_NE(written[1], '0') << written;
    }
}

TEST(NumberTextTest, General)
{
    struct Case
    {
        double value;
        const char* floatText;
        const char* doubleText;
    };
    const Case cases[] = {
        {0, "0.0", "0.0"},
        {-0.0, "0.0", "0.0"},
        {2.5, "2.5", "2.5"},
        {-0.5, "-0.5", "-0.5"},
        {100, "100.0", "100.0"},
        {1.0 / 3, "0.333333", "0.333333333333333"},
        {123456, "123456.0", "123456.0"},
        {0.001, "0.001", "0.001"},
        {1e7, " 1.00000E+07", "10000000.0"},
        {1e6, " 1.00000E+06", "1000000.0"},
        {0.000999, " 9.99000E-04", " 9.99000000000000E-004"},
        {123456789, " 1.23457E+08", "123456789.0"},
        {1e9, " 1.00000E+09", " 1.00000000000000E+009"},
        {-999.9999, "-1000.0", "-999.9999"}, // a rounding carry keeps the sign
        {-999.9999999999999, "-1000.0", "-1000.0"},
        {kNaN, "NaN", "NaN"},
        {kInf, "Inf", "Inf"},
        {-kInf, "-Inf", "-Inf"},
    };
    NumberText text;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(text([&](char* b) { FmtFloatGeneral(b, static_cast<float>(c.value)); }), c.floatText);
        EXPECT_EQ(text([&](char* b) { FmtDoubleGeneral(b, c.value); }), c.doubleText);
    }
}

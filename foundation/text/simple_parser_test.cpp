#include "foundation/text/simple_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ErrorOf(const LSimpleParser& parser)
{
    return parser.GetError().ErrorText().CStr();
}

struct IntCase
{
    const char* text;
    int32_t min;
    int32_t max;
    bool ok;
    int32_t value;
    int32_t column; // where the parser stands afterwards
    const char* error;
};

} // namespace

TEST(SimpleParserTest, Integers)
{
    const IntCase cases[] = {
        {"42", INT32_MIN, INT32_MAX, true, 42, 2, ""},
        {"+7x", INT32_MIN, INT32_MAX, true, 7, 2, ""},
        {"-2147483648", INT32_MIN, INT32_MAX, true, INT32_MIN, 11, ""},
        {"3000000000", INT32_MIN, INT32_MAX, false, INT32_MAX, 10,
         "At line 0, col 10: Value not in range [-2147483648, 2147483647]!"},
        {"-2147483649", INT32_MIN, INT32_MAX, false, INT32_MIN, 11,
         "At line 0, col 11: Value not in range [-2147483648, 2147483647]!"},
        // The magnitude overflows 32 bits before the signed range applies; the tenth digit is read.
        {"99999999999", INT32_MIN, INT32_MAX, false, INT32_MAX, 10,
         "At line 0, col 10: Value not in range [0, 4294967295]!"},
        {"4294967296", INT32_MIN, INT32_MAX, false, INT32_MAX, 10,
         "At line 0, col 10: Value not in range [0, 4294967295]!"},
        {"x", INT32_MIN, INT32_MAX, false, 0, 0, "At line 0, col 0: Integer value expected!"},
        {"-", INT32_MIN, INT32_MAX, false, 0, 1, "At line 0, col 1: Integer value expected!"},
        {"", INT32_MIN, INT32_MAX, false, 0, 0, "At line 0, col 0: Integer value expected!"},
        {"11", 0, 10, false, 10, 2, "At line 0, col 2: Value not in range [0, 10]!"},
        {"-3", 0, 10, false, 0, 2, "At line 0, col 2: Value not in range [0, 10]!"},
        {"-6", -10, -5, true, -6, 2, ""},
        {"-4", -10, -5, false, -5, 2, "At line 0, col 2: Value not in range [-10, -5]!"},
        {"4", -10, -5, false, -5, 1, "At line 0, col 1: Value not in range [-10, -5]!"},
        // A negative zero is no way around a positive minimum.
        {"-0", 5, 10, false, 5, 2, "At line 0, col 2: Value not in range [5, 10]!"},
        {"-0", 0, 10, true, 0, 2, ""},
    };
    for (const IntCase& c : cases) {
        LSimpleParser parser(c.text);
        int32_t value = -99;
        EXPECT_EQ(parser.ReadIntRange(value, c.min, c.max), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(parser.Column(), c.column) << c.text;
        EXPECT_EQ(ErrorOf(parser), c.error) << c.text;
    }
}

TEST(SimpleParserTest, Unsigned)
{
    struct Case
    {
        const char* text;
        uint32_t min;
        uint32_t max;
        bool ok;
        uint32_t value;
        int32_t column;
        const char* error;
    };
    const Case cases[] = {
        {"4294967295", 0, UINT32_MAX, true, UINT32_MAX, 10, ""},
        {"+12", 0, UINT32_MAX, true, 12, 3, ""},
        {"-12 ", 1, 100, false, 0, 3, "At line 0, col 3: Value not in range [1, 100]!"},
        {"+x", 0, 100, false, 0, 0, "At line 0, col 0: Integer value expected!"},
        {"3", 5, 9, false, 5, 1, "At line 0, col 1: Value not in range [5, 9]!"},
        {"123", 0, 50, false, 50, 3, "At line 0, col 3: Value not in range [0, 50]!"},
        {"1234", 0, 50, false, 50, 3, "At line 0, col 3: Value not in range [0, 50]!"},
    };
    for (const Case& c : cases) {
        LSimpleParser parser(c.text);
        uint32_t value = 99;
        EXPECT_EQ(parser.ReadUnsignedRange(value, c.min, c.max), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(parser.Column(), c.column) << c.text;
        EXPECT_EQ(ErrorOf(parser), c.error) << c.text;
    }
}

TEST(SimpleParserTest, Reals)
{
    struct Case
    {
        const char* text;
        bool comma;
        bool ok;
        double value;
        int32_t column;
        const char* error;
    };
    const Case cases[] = {
        {"1.5", false, true, 1.5, 3, ""},
        {"1,5", true, true, 1.5, 3, ""},
        {"1,5", false, true, 1.0, 1, ""},
        {".5", false, true, 0.5, 2, ""},
        {"-.25", false, true, -0.25, 4, ""},
        {"2.", false, true, 2.0, 2, ""},
        {"1e3", false, true, 1000.0, 3, ""},
        {"-2.5E-2", false, true, -0.025, 7, ""},
        {"1e+308", false, true, 1e308, 6, ""},
        {".", false, false, 0.0, 0, "At line 0, col 0: Decimal digit expected !"},
        {"-x", false, false, 0.0, 1, "At line 0, col 1: Decimal digit expected !"},
        {",5", false, false, 0.0, 0, "At line 0, col 0: Decimal digit expected !"},
        {"1e", false, false, 0.0, 2, "At line 0, col 2: Exponent syntax error!"},
        {"1e-", false, false, 0.0, 3, "At line 0, col 3: Exponent syntax error!"},
        {"1e1000", false, false, 0.0, 5, "At line 0, col 5: Exponent overflow!"},
        {"1e309", false, false, 1e308, 5,
         "At line 0, col 5: Value not in range [-1.00000000000000E+308, 1.00000000000000E+308]!"},
        {"-1e400", false, false, -1e308, 6,
         "At line 0, col 6: Value not in range [-1.00000000000000E+308, 1.00000000000000E+308]!"},
    };
    for (const Case& c : cases) {
        LSimpleParser parser(c.text);
        parser.SetCommaFlag(c.comma);
        double value = -99;
        EXPECT_EQ(parser.ReadDouble(value), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        EXPECT_EQ(parser.Column(), c.column) << c.text;
        EXPECT_EQ(ErrorOf(parser), c.error) << c.text;
    }
}

TEST(SimpleParserTest, RealRangeIsWrittenByTheFormatter)
{
    LSimpleParser parser("7.5");
    double value = 0;
    EXPECT_FALSE(parser.ReadDoubleRange(value, 0.5, 2.25));
    EXPECT_EQ(value, 2.25);
    EXPECT_EQ(ErrorOf(parser), "At line 0, col 3: Value not in range [0.5, 2.25]!");
}

TEST(SimpleParserTest, ExpectEndAfterBlanks)
{
    LSimpleParser parser("12 \tx");
    int32_t value = 0;
    EXPECT_TRUE(parser.ReadInt(value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(parser.SkipBlanks());
    EXPECT_FALSE(parser.SkipBlanks());
    EXPECT_FALSE(parser.ExpectEnd());
    EXPECT_EQ(ErrorOf(parser), "At line 0, col 4: Nothing else expected!");

    LSimpleParser done("42");
    EXPECT_TRUE(done.ReadInt(value));
    EXPECT_TRUE(done.ExpectEnd());
    EXPECT_FALSE(done.GetError().Failed());
    EXPECT_EQ(done.GetError().State(), CError::kStateOk);
}

TEST(SimpleParserTest, FirstErrorStaysAndReadingGoesOn)
{
    LSimpleParser parser("3000000000 3000000000");
    int32_t value = 0;
    EXPECT_FALSE(parser.ReadIntRange(value, 0, 50));
    EXPECT_EQ(value, 50);
    parser.SkipBlanks();
    EXPECT_FALSE(parser.ReadInt(value));
    EXPECT_EQ(value, INT32_MAX); // still set after the first error
    EXPECT_FALSE(parser.RecordError("Something else"));
    EXPECT_EQ(ErrorOf(parser), "At line 0, col 10: Value not in range [0, 50]!");
}

TEST(SimpleParserTest, NullTextIsEmpty)
{
    LSimpleParser parser(nullptr);
    EXPECT_FALSE(parser.SkipBlanks());
    EXPECT_TRUE(parser.ExpectEnd());
    double value = 1;
    EXPECT_FALSE(parser.ReadDouble(value));
    EXPECT_EQ(ErrorOf(parser), "At line 0, col 0: Decimal digit expected !");
}

#include "foundation/strings/text_formatter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>
#include <string>

#include "foundation/strings/xa_string.h"

namespace {

const std::string kMark(1, kFormatCutMark);

// The formatted text; the buffer is poisoned beyond its 256 bytes to catch overruns.
class Formatted
{
  public:
    template <class... Args>
    std::string Fresh(CheckedFormat<std::type_identity_t<Args>...> format, const Args&... args)
    {
        return After("", format, args...);
    }

    template <class... Args>
    std::string After(const std::string& start, CheckedFormat<std::type_identity_t<Args>...> format,
                      const Args&... args)
    {
        std::memset(buffer_, 'Z', sizeof buffer_);
        std::memcpy(buffer_, start.c_str(), start.size() + 1);
        const auto items = MakeFormatArgs(args...);
        FormatCoreV(format.Text(), buffer_, FormatArgs(items.data(), sizeof...(Args)));
        EXPECT_EQ(std::string(buffer_ + kFormatBufferSize, kFormatBufferSize),
                  std::string(kFormatBufferSize, 'Z'))
            << "written beyond the buffer";
        return std::string(buffer_, strnlen(buffer_, kFormatBufferSize));
    }

  private:
    char buffer_[kFormatBufferSize * 2];
};

} // namespace

TEST(TextFormatterTest, PlainTextAndLiteralConversions)
{
    Formatted f;
    EXPECT_EQ(f.Fresh("plain text"), "plain text");
    EXPECT_EQ(f.Fresh("100%%"), "100%");
    EXPECT_EQ(f.Fresh("%q%d", 7), "q7"); // %q consumes no argument
    EXPECT_EQ(f.Fresh("%5d"), "5d");     // no width digits in this dialect
    EXPECT_EQ(f.Fresh("%.0^q"), "q");    // flags before a plain character are dropped
    EXPECT_EQ(f.Fresh("%D|%S", 12, "up"), "12|up");
    EXPECT_EQ(f.Fresh("end%"), "end");
    EXPECT_EQ(f.Fresh("end%.^"), "end");
}

TEST(TextFormatterTest, TextFields)
{
    struct Case
    {
        std::string expected;
        std::string actual;
    };
    Formatted f;
    const char* const none = nullptr;
    const Case cases[] = {
        {"", f.Fresh("%s", none)},
        {"|  a b  |", f.Fresh("|%s|", "  a b  ")},
        {"|a b|", f.Fresh("|%n|", "  a b  ")},
        {"||", f.Fresh("|%n|", "    ")},
        // %l: leading blanks skipped, cut at the width, blanks up to it.
        {"abcd", f.Fresh("%l", "abcdefghij", 4)},
        {"abc" + kMark, f.Fresh("%.l", "abcdefghij", 4)},
        {"abcd", f.Fresh("%.l", "abcd", 4)},
        {"ab  |", f.Fresh("%l|", "  ab", 4)},
        {"a   |", f.Fresh("%l|", "a", 4)},
        {"|", f.Fresh("%.l|", "abc", 0)},
        {"   |", f.Fresh("%l|", none, 3)},
        // %r: trimmed, right-aligned; a longer text keeps its first characters.
        {"   abc", f.Fresh("%r", "abc", 6)},
        {"   abc", f.Fresh("%r", " abc  ", 6)},
        {"abc", f.Fresh("%r", "abcdefgh", 3)},
        {"ab" + kMark, f.Fresh("%.r", "abcdefgh", 3)},
        {"abc", f.Fresh("%.r", "abc", 3)},
        // %c: the smaller half of the blanks first.
        {" abc  ", f.Fresh("%c", "abc", 6)},
        {" abcd  ", f.Fresh("%c", " abcd ", 7)},
        {"abc" + kMark, f.Fresh("%.c", "abcdefgh", 4)},
        {"abcd", f.Fresh("%c", "abcdefgh", 4)},
        // %m: at most w characters, leading blanks kept, no fill.
        {"  ab", f.Fresh("%m", "  abcdef", 4)},
        {"  a" + kMark, f.Fresh("%.m", "  abcdef", 4)},
        {"ab|", f.Fresh("%.m|", "ab", 4)},
        // Negative widths count as 0.
        {"|", f.Fresh("%l%r%c%m|", "a", -1, "b", -2, "c", -3, "d", INT_MIN)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(TextFormatterTest, Integers)
{
    struct Case
    {
        std::string expected;
        std::string actual;
    };
    Formatted f;
    const Case cases[] = {
        {"A", f.Fresh("%x", 0x141)},
        {"0", f.Fresh("%d", 0)},
        {"-2147483648", f.Fresh("%d", INT_MIN)},
        {"-1", f.Fresh("%d", 0xFFFFFFFFu)}, // arguments are 32-bit words
        {"  -5", f.Fresh("%i", -5, 4)},
        {"00-5", f.Fresh("%0i", -5, 4)},
        {"0042", f.Fresh("%0i", 42, 4)},
        {"345", f.Fresh("%i", 12345, 3)},
        {"|", f.Fresh("%i|", 7, -2)},
        {"999", f.Fresh("%k", 999)},
        {"1,000", f.Fresh("%k", 1000)},
        {"-1,234", f.Fresh("%k", -1234)},
        {"0", f.Fresh("%k", 0)},
        {"1,234,567", f.Fresh("%k", 1234567)},
        {"-2,147,483,648", f.Fresh("%k", INT_MIN)},
        {"000000FF", f.Fresh("%h", 255)},
        {"FFFFFFFF", f.Fresh("%H", -1)},
        {"FF", f.Fresh("%p", 255, 2)},
        {"F", f.Fresh("%p", 255, 0)},
        {"000000FF", f.Fresh("%p", 255, 12)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(TextFormatterTest, Reals)
{
    struct Case
    {
        std::string expected;
        std::string actual;
    };
    Formatted f;
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"3.14", f.Fresh("%f", 3.14159, 1, 2)},
        {"-0.5", f.Fresh("%f", -0.5, 1, 1)},
        {"10", f.Fresh("%.f", 9.97, 0, 2, 3)},
        {"9.97", f.Fresh("%.f", 9.97, 0, 2, 4)},
        {"999999995904.00", f.Fresh("%f", 1e12, 13, 2)}, // single precision first
        {"1000000000000.00", f.Fresh("%^f", 1e12, 13, 2)},
        {"Inf", f.Fresh("%f", 1e300, 1, 1)}, // beyond single precision
        {"1.23457E+04", f.Fresh("%e", 12345.678)},
        {"1.23E+04", f.Fresh("%.e", 12345.678, 2)},
        {"-5.00000E-01", f.Fresh("%e", -0.5)},
        {"3.33333333333333E-001", f.Fresh("%^e", 1.0 / 3)},
        {"3.33E-001", f.Fresh("%.^e", 1.0 / 3, 2)},
        {"2.5", f.Fresh("%u", 2.5)},
        {"0.1", f.Fresh("%^u", 0.1)},
        {"0.333333", f.Fresh("%u", 1.0 / 3)},
        {"0.333333333333333", f.Fresh("%^u", 1.0 / 3)},
        {"3.14", f.Fresh("%.u", 3.14159, 4)},
        {"3.14159265", f.Fresh("%.^u", 3.14159265, 10)},
        {"3.14159", f.Fresh("%.u", 3.14159, 0)},
        {"1.00000E+12", f.Fresh("%.u", 1e12, 4)},
        {"50000000000.00", f.Fresh("%.^u", 5e10, 14)},
        {"-Inf", f.Fresh("%^u", -inf)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(TextFormatterTest, StopsAt255Characters)
{
    Formatted f;
    const std::string start250(250, 'a');
    EXPECT_EQ(f.After(start250, "0123456789"), start250 + "01234");
    EXPECT_EQ(f.After(start250, "%s", "0123456789"), start250 + "01234");
    // The room runs out in the middle of a conversion: the rest of the format is ignored.
    EXPECT_EQ(f.After(std::string(253, 'a'), "%k%s", 1234567, "never"), std::string(253, 'a') + "1,");
    const std::string full(255, 'b');
    EXPECT_EQ(f.After(full, "more"), full);
    EXPECT_EQ(f.Fresh("%s", std::string(300, 'c').c_str()), std::string(255, 'c'));
}

TEST(TextFormatterTest, WidthsAreClampedToTheRoomLeft)
{
    Formatted f;
    const std::string start(250, 'a');
    EXPECT_EQ(f.After(start, "%i", 12345, 10), start + "12345");
    EXPECT_EQ(f.After(start, "%r", "xyz", 1000000), start + "  xyz");
    EXPECT_EQ(f.After(start, "%.l", "abcdefgh", 1000000), start + "abcd" + kMark);
    EXPECT_EQ(f.Fresh("%i", 7, INT_MAX), std::string(254, ' ') + "7");
    EXPECT_EQ(f.Fresh("%^f", 1.5, INT_MAX, INT_MAX), "1.5000000000000000000");
    EXPECT_EQ(f.Fresh("%.^f", 1.5, INT_MAX, INT_MAX, INT_MAX), "1.5000000000000000000");
}

TEST(TextFormatterTest, TrimmedTextsBlanksCountAgainstTheRoom)
{
    Formatted f;
    const std::string start(250, 'a');
    // "ab" and three blanks use the last five places; the blanks are taken back, the room is not.
    EXPECT_EQ(f.After(start, "%n|", "ab   "), start + "ab");
    EXPECT_EQ(f.After(start, "%n|", "ab  "), start + "ab|");
}

TEST(TextFormatterTest, AppendsAndIgnoresNulls)
{
    char buffer[kFormatBufferSize] = "ab";
    const auto items = MakeFormatArgs(5);
    FormatCoreV("%d", buffer, FormatArgs(items.data(), 1));
    EXPECT_STREQ(buffer, "ab5");
    FormatCoreV(nullptr, buffer, FormatArgs(items.data(), 1));
    EXPECT_STREQ(buffer, "ab5");
    FormatCoreV("%d", nullptr, FormatArgs(items.data(), 1));
    FormatStringV(nullptr, buffer, {});
    EXPECT_STREQ(buffer, "");
    FormatString("%s=%d", buffer, "x", 3);
    EXPECT_STREQ(buffer, "x=3");

    char unterminated[kFormatBufferSize];
    std::memset(unterminated, 'q', sizeof unterminated);
    FormatCoreV("x", unterminated, {});
    EXPECT_EQ(std::string(unterminated, sizeof unterminated), std::string(kFormatBufferSize, 'q'));
}

TEST(TextFormatterTest, RuntimeFormatsReadMissingOrMismatchedArgumentsAsZero)
{
    char buffer[kFormatBufferSize];
    FormatString(RuntimeFormat("%d|%s|%f|%l|"), buffer);
    EXPECT_STREQ(buffer, "0||0||");
    FormatString(RuntimeFormat("%d|%s|%^u"), buffer, "text", 5, "x");
    EXPECT_STREQ(buffer, "0||0.0");
    FormatString(RuntimeFormat("%d %d"), buffer, 1, 2, 3);
    EXPECT_STREQ(buffer, "1 2");
}

template <class... Args> constexpr FormatCheck Check(const char* format)
{
    constexpr FormatArgKind kinds[] = {FormatArgKindOf<Args>()..., FormatArgKind::Integer};
    return CheckFormatArguments(format, kinds, sizeof...(Args));
}

TEST(TextFormatterTest, FormatsAreCheckedAgainstArguments)
{
    static_assert(Check<const char*, int, int>("%s %i") == FormatCheck::Match);
    static_assert(Check<XAString, unsigned char>("%.l %% %q") == FormatCheck::Match);
    static_assert(Check<double, int, int>("%f") == FormatCheck::Match);
    static_assert(Check<double, int, int, int>("%.F") == FormatCheck::Match);
    static_assert(Check<float, int>("%.^e") == FormatCheck::Match);
    static_assert(Check<double>("%^u") == FormatCheck::Match);
    static_assert(Check<const char*>("%s %d") == FormatCheck::TooFewArguments);
    static_assert(Check<double, int, int>("%.f") == FormatCheck::TooFewArguments);
    static_assert(Check<const char*, int>("%s") == FormatCheck::TooManyArguments);
    static_assert(Check<double, int>("%e") == FormatCheck::TooManyArguments);
    static_assert(Check<const char*>("%d") == FormatCheck::WrongArgumentType);
    static_assert(Check<int>("%u") == FormatCheck::WrongArgumentType);
    static_assert(FormatArgumentType<uint32_t> && FormatArgumentType<char> && FormatArgumentType<XAString>);
    static_assert(!FormatArgumentType<int64_t> && !FormatArgumentType<bool> &&
                  !FormatArgumentType<long double>);
}

TEST(TextFormatterTest, XAStringFormat)
{
    const XAString name("value");
    EXPECT_STREQ(XAString::Format("%s=%k", name, 1234).CStr(), "value=1,234");
    EXPECT_TRUE(XAString::Format("").IsEmpty());
    const XAString longText = XAString::Format("%l", "", 1000);
    EXPECT_EQ(longText.Length(), 255);
    EXPECT_EQ(longText.Block().Count(), 256);
}

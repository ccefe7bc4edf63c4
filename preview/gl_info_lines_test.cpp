#include "preview/gl_info_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GlInfoLinesTest, NamesFillLinesOfAtMostTheWidth)
{
    // 39 + 1 + 40 = 80 fits; one more character does not.
    const std::string a(39, 'a');
    const std::string b(40, 'b');
    const std::string c(41, 'c');
    EXPECT_EQ(std::string(PackExtensionLines((a + " " + b).c_str()).CStr()), a + " " + b);
    EXPECT_EQ(std::string(PackExtensionLines((a + " " + c).c_str()).CStr()), a + "\r" + c);
}

TEST(GlInfoLinesTest, LongerNameStandsOnALineOfItsOwn)
{
    const std::string longName(90, 'x');
    EXPECT_EQ(std::string(PackExtensionLines(("GL_a " + longName + " GL_b").c_str()).CStr()),
              "GL_a\r" + longName + "\rGL_b");
}

TEST(GlInfoLinesTest, EmptyAndRepeatedBlanks)
{
    EXPECT_TRUE(PackExtensionLines(nullptr).IsEmpty());
    EXPECT_TRUE(PackExtensionLines("").IsEmpty());
    EXPECT_EQ(std::string(PackExtensionLines("GL_a  GL_b ").CStr()), "GL_a GL_b");
}

} // namespace

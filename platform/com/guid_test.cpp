#include "platform/com/guid.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID kSample{0x0123ABCD, 0x4567, 0x89EF, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}};

TEST(GuidTest, RegistryFormIsBracedUpperCase)
{
    EXPECT_EQ(FormatGuid(kSample), "{0123ABCD-4567-89EF-FEDC-BA9876543210}");
    EXPECT_EQ(FormatGuid(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidTest, ParsesEitherCaseWithOrWithoutBraces)
{
    for (const char* text : {"{0123ABCD-4567-89EF-FEDC-BA9876543210}", "0123abcd-4567-89ef-fedc-ba9876543210",
                             "{0123abcd-4567-89EF-fedc-BA9876543210}"}) {
        SCOPED_TRACE(text);
        const std::optional<GUID> guid = ParseGuid(text);
        ASSERT_TRUE(guid);
        EXPECT_EQ(*guid, kSample);
    }
}

TEST(GuidTest, RefusesMalformedTexts)
{
    for (const char* text : {"", "{}", "{0123ABCD-4567-89EF-FEDC-BA9876543210", "0123ABCD-4567-89EF-FEDCBA9876543210",
                             "{0123ABCD-4567-89EF-FEDC-BA987654321G}", "{0123ABCD+4567-89EF-FEDC-BA9876543210}",
                             "{0123ABCD-4567-89EF-FEDC-BA9876543210}x"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseGuid(text));
    }
}

} // namespace

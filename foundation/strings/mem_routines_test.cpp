#include "foundation/strings/internal/mem_routines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

TEST(MemRoutinesTest, MemMoveHandlesOverlapBothWays)
{
    struct Case
    {
        int source, destination, count;
        const char* expected;
    } cases[] = {
        {0, 3, 9, "abcabcdefghimnop"}, // destination inside the source: backward copy
        {3, 0, 9, "defghijkljklmnop"}, // destination before the source: forward copy
        {0, 9, 5, "abcdefghiabcdeop"}, // apart
        {2, 2, 7, "abcdefghijklmnop"}, {0, 5, 0, "abcdefghijklmnop"}, {0, 5, -4, "abcdefghijklmnop"},
    };
    for (const Case& c : cases) {
        char buffer[] = "abcdefghijklmnop";
        MemMove(buffer + c.source, c.count, buffer + c.destination);
        EXPECT_STREQ(buffer, c.expected) << c.source << "->" << c.destination << " x" << c.count;
    }
}

TEST(MemRoutinesTest, MemSetUsesTheLowByte)
{
    char buffer[] = "0123456789";
    MemSet(0x141, 7, buffer + 1);
    EXPECT_STREQ(buffer, "0AAAAAAA89");
    MemSet('x', 0, buffer);
    MemSet('x', -3, buffer);
    EXPECT_STREQ(buffer, "0AAAAAAA89");
}

TEST(MemRoutinesTest, MemCompareAndStrLen)
{
    EXPECT_TRUE(MemCompare("abcd", 4, "abcd"));
    EXPECT_FALSE(MemCompare("abcd", 4, "abce"));
    EXPECT_TRUE(MemCompare("abcd", 3, "abce"));
    EXPECT_TRUE(MemCompare("a", 0, "b"));
    EXPECT_EQ(StrLen(nullptr), 0);
    EXPECT_EQ(StrLen(""), 0);
    EXPECT_EQ(StrLen("four"), 4);
}

TEST(MemRoutinesTest, AllocRoundedGivesUsableBlocks)
{
    for (std::size_t size : {0u, 1u, 3u, 4u, 5u, 1023u}) {
        void* block = AllocRounded(size);
        ASSERT_NE(block, nullptr);
        std::memset(block, 0xAB, (size + 3) / 4 * 4);
        std::free(block);
    }
    EXPECT_EQ(AllocRounded(SIZE_MAX), nullptr);
}

TEST(MemRoutinesTest, RestoreOnExitWritesTheSavedValueBack)
{
    bool busy = false;
    {
        XARestoreOnExit guard(&busy, false);
        busy = true;
    }
    EXPECT_FALSE(busy);

    alignas(std::string) unsigned char slot[sizeof(std::string)];
    std::string* text = PlacementNew<std::string>(slot, "placed");
    EXPECT_EQ(static_cast<void*>(text), static_cast<void*>(slot));
    EXPECT_EQ(*text, "placed");
    text->~basic_string();
}

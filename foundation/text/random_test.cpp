#include "foundation/text/random.h"

#include <gtest/gtest.h>

namespace {

TEST(Random, ProcessGeneratorStartsFromZeroState)
{
    for (int32_t expected : {9699689, 743320656, 1240104826}) {
        EXPECT_EQ(Random(), expected);
    }
}

TEST(Random, CallerHeldGeneratorMatchesTheProcessOne)
{
    uint32_t x = 0;
    uint32_t k = 0;
    RandomSeed(0, x, k);
    EXPECT_EQ(RandomMod(0x7FFFFFFF, x, k), 9699689);
    EXPECT_EQ(RandomMod(1000, x, k), 743320656 % 1000);
}

TEST(Random, SeedRepeatsTheSequenceAndModStaysInRange)
{
    uint32_t x = 0;
    uint32_t k = 0;
    RandomSeed(0xC0FFEE, x, k);
    int32_t first[16];
    for (int32_t& value : first) {
        value = RandomMod(1000, x, k);
        EXPECT_GE(value, 0);
        EXPECT_LT(value, 1000);
    }
    RandomSeed(0xC0FFEE, x, k);
    for (int32_t value : first) {
        EXPECT_EQ(RandomMod(1000, x, k), value);
    }
    EXPECT_EQ(RandomMod(0, x, k), 0);
    EXPECT_EQ(RandomMod(-5, x, k), 0);
}

} // namespace

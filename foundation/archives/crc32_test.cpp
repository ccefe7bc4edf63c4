#include "foundation/archives/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

TEST(Crc32Test, KnownAnswers)
{
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("", 0), 0u);
    EXPECT_EQ(Crc32("abc", -1), 0u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    EXPECT_EQ(Crc32("a", 1), 0xE8B7BE43u);
}

TEST(Crc32Test, MatchesZlibOnRandomData)
{
    std::mt19937 random(12345);
    std::vector<unsigned char> bytes(70000);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(random());
    for (std::size_t n : {1u, 2u, 7u, 8u, 255u, 4096u, 70000u}) {
        const uLong expected = crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(n));
        EXPECT_EQ(Crc32(bytes.data(), static_cast<std::ptrdiff_t>(n)), expected) << n;
    }
}

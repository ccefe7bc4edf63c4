#include "conversion/internal/published_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

TEST(PublishedTable, BuiltOnceAndKept)
{
    PublishedTable table;
    int32_t builds = 0;
    auto entry = [&builds](int32_t i) {
        builds += i == 0;
        return static_cast<uint8_t>(3 * i);
    };
    const uint8_t* first = table.Get(16, entry);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first[5], 15);
    EXPECT_EQ(table.Get(16, entry), first);
    EXPECT_EQ(builds, 1);
}

// Both threads fill a table of their own before either publishes: one table wins, both get it,
// and the loser's copy is freed (the leak checker would report it otherwise).
TEST(PublishedTable, TwoThreadsBuildingOneTableShareTheWinner)
{
    PublishedTable table;
    std::latch bothBuilding(2);
    std::atomic<int32_t> builds{0};
    auto entry = [&](int32_t i) {
        if (i == 0) {
            ++builds;
            bothBuilding.arrive_and_wait();
        }
        return static_cast<uint8_t>(i);
    };
    const uint8_t* results[2] = {};
    std::thread a([&] { results[0] = table.Get(4096, entry); });
    std::thread b([&] { results[1] = table.Get(4096, entry); });
    a.join();
    b.join();
    EXPECT_EQ(builds.load(), 2);
    ASSERT_NE(results[0], nullptr);
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0][4095], 255);
}

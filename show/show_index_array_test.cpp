#include "show/show_index_array.h"

#include "foundation/archives/archive_xstring.h"
#include "show/test_support/show_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using show_test::Body;

ShowIndexArray Entries(std::initializer_list<ShowIndexEntry> entries)
{
    ShowIndexArray array;
    for (const ShowIndexEntry& e : entries)
        array.Append(e.position, e.time);
    return array;
}

TEST(ShowIndexArray, FindByTimeGivesTheLastEntryAtOrBeforeTheTime)
{
    ShowIndexArray array = Entries({{10, 100}, {20, 200}, {30, 200}, {40, 400}});
    struct Case
    {
        int64_t time;
        int32_t entry;
    };
    // In order, backwards and jumping: the cursor walk and the bisection agree.
    const Case cases[] = {
        {99, ShowIndexArray::kNone}, {100, 0}, {199, 0}, {200, 2}, {399, 2}, {400, 3}, {1000, 3}, {150, 0},
        {50, ShowIndexArray::kNone}, {400, 3}, {200, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(array.FindByTime(c.time), c.entry) << c.time;
    EXPECT_EQ(ShowIndexArray().FindByTime(0), ShowIndexArray::kNone);
}

TEST(ShowIndexArray, LongJumpsFallBackToBisection)
{
    ShowIndexArray array;
    for (int32_t i = 0; i < 1000; ++i)
        array.Append(i * 8, int64_t{i} * 1000);
    for (int64_t t : {0, 999999, 500500, 3000, 2000, 998000, 1000, 0, 7000, 6999})
        EXPECT_EQ(array.FindByTime(t), static_cast<int32_t>(t / 1000)) << t;
    EXPECT_EQ(array.FindByPosition(4000), 500);
    EXPECT_EQ(array.FindByPosition(4007), 500);
    EXPECT_EQ(array.FindByPosition(-1), ShowIndexArray::kNone);
}

TEST(ShowIndexArray, RemoveKeepsTheCursorUsable)
{
    ShowIndexArray array = Entries({{0, 0}, {1, 10}, {2, 20}, {3, 30}});
    EXPECT_EQ(array.FindByTime(30), 3);
    EXPECT_TRUE(array.Remove(3));
    EXPECT_EQ(array.FindByTime(30), 2);
    EXPECT_TRUE(array.Remove(1));
    EXPECT_EQ(array.Count(), 2);
    EXPECT_EQ(array.FindByTime(15), 0);
    EXPECT_EQ(array[1].time, 20);
    EXPECT_FALSE(array.Remove(2));
    EXPECT_FALSE(array.Remove(-1));
}

// Each visit sees the entry's index and the last entry kept before it; what it drops goes in one
// pass, and after a stop the rest stays.
TEST(ShowIndexArray, FilterDropsInOnePassAndKeepsTheRestAfterAStop)
{
    using Pass = ShowIndexArray::Pass;
    struct Case
    {
        const char* what;
        std::vector<Pass> passes; // one per entry visited
        std::vector<int64_t> times;
        std::vector<int64_t> lastKeptSeen; // -1: none
    };
    const Pass k = Pass::kKeep, d = Pass::kDrop, s = Pass::kStop;
    const Case cases[] = {
        {"keep all", {k, k, k, k, k}, {0, 10, 20, 30, 40}, {-1, 0, 10, 20, 30}},
        {"drop every other", {k, d, k, d, k}, {0, 20, 40}, {-1, 0, 0, 20, 20}},
        {"drop all", {d, d, d, d, d}, {}, {-1, -1, -1, -1, -1}},
        {"stop after a drop", {k, d, s}, {0, 20, 30, 40}, {-1, 0, 0}},
        {"stop at once", {s}, {0, 10, 20, 30, 40}, {-1}},
    };
    for (const Case& c : cases) {
        ShowIndexArray array = Entries({{0, 0}, {1, 10}, {2, 20}, {3, 30}, {4, 40}});
        EXPECT_EQ(array.FindByTime(40), 4);
        std::vector<int64_t> lastKeptSeen;
        array.Filter([&](int32_t i, const ShowIndexEntry* lastKept) {
            EXPECT_EQ(array[i].time, 10 * i) << c.what << ": the entry visited is as it was";
            lastKeptSeen.push_back(lastKept ? lastKept->time : -1);
            return c.passes[static_cast<size_t>(i)];
        });
        EXPECT_EQ(lastKeptSeen, c.lastKeptSeen) << c.what;
        std::vector<int64_t> times;
        for (int32_t i = 0; i < array.Count(); ++i) {
            times.push_back(array[i].time);
            EXPECT_EQ(array[i].position, array[i].time / 10) << c.what;
        }
        EXPECT_EQ(times, c.times) << c.what;
        int32_t atOrBefore35 = ShowIndexArray::kNone;
        for (size_t i = 0; i < c.times.size(); ++i)
            if (c.times[i] <= 35)
                atOrBefore35 = static_cast<int32_t>(i);
        EXPECT_EQ(array.FindByTime(35), atOrBefore35) << c.what << ": the cursor is usable";
    }
}

TEST(ShowIndexArray, ShiftPositionsIsAllOrNothing)
{
    ShowIndexArray array = Entries({{100, 0}, {150, 1}});
    EXPECT_FALSE(array.ShiftPositions(50, 0, 200));
    EXPECT_EQ(array[1].position, 150);
    EXPECT_TRUE(array.ShiftPositions(-100, 0, 51));
    EXPECT_EQ(array[0].position, 0);
    EXPECT_EQ(array[1].position, 50);
}

TEST(ShowIndexArray, CompactFormStoresTruncatedQuotients)
{
    const ShowIndexArray array = Entries({{7, -1500}, {8, 1234567}});
    const XAString bytes = Body([&](LArchiveBase& a) { array.WriteCompact(a, 1000); });
    const uint8_t expected[] = {2, 0, 0, 0, 7, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 8, 0, 0, 0x04, 0xD2};
    ASSERT_EQ(bytes.Length(), static_cast<int32_t>(sizeof expected));
    EXPECT_EQ(0, std::memcmp(bytes.CStr(), expected, sizeof expected));

    LArchiveXString reader;
    reader.OpenRead(bytes, -1);
    ShowIndexArray back;
    back.ReadCompact(reader, 1000, bytes.Length());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back[0].time, -1000);
    EXPECT_EQ(back[1].time, 1234000);
    EXPECT_EQ(back[1].position, 8);
}

TEST(ShowIndexArray, LongFormRoundTripsAndNegativeCountsReadAsEmpty)
{
    const ShowIndexArray array = Entries({{42, int64_t{1} << 40}});
    const XAString bytes = Body([&](LArchiveBase& a) { array.WriteLong(a); });
    const uint8_t expected[] = {1, 0, 0, 0, 42, 0, 0, 1, 0, 0, 0, 0, 0};
    ASSERT_EQ(bytes.Length(), static_cast<int32_t>(sizeof expected));
    EXPECT_EQ(0, std::memcmp(bytes.CStr(), expected, sizeof expected));

    const XAString negative = Body([](LArchiveBase& a) { a.WriteCount(-5); });
    LArchiveXString reader;
    reader.OpenRead(negative, -1);
    ShowIndexArray back = Entries({{1, 1}});
    back.ReadLong(reader, negative.Length());
    EXPECT_TRUE(back.IsEmpty());
    EXPECT_FALSE(reader.HasError());
}

TEST(ShowIndexArray, CountsBeyondTheIndexEndAreRefusedBeforeAllocating)
{
    const XAString bytes = Body([](LArchiveBase& a) {
        a.WriteCount(0x7FFFFFF0);
        a.WriteI32(0);
    });
    LArchiveXString reader;
    reader.OpenRead(bytes, -1);
    ShowIndexArray array;
    array.ReadLong(reader, 1 << 30);
    EXPECT_TRUE(reader.HasError());
    EXPECT_TRUE(array.IsEmpty());

    // Two entries fit the bytes but not the limit.
    const XAString two = Body([](LArchiveBase& a) {
        a.WriteCount(2);
        for (int i = 0; i < 4; ++i)
            a.WriteI32(i);
    });
    LArchiveXString limited;
    limited.OpenRead(two, -1);
    array.ReadCompact(limited, 1, 9);
    EXPECT_TRUE(limited.HasError());
}

} // namespace

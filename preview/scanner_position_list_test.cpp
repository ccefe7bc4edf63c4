#include "preview/scanner_position_list.h"

#include <gtest/gtest.h>

namespace {

TEST(ScannerPositionList, PositionsWithinAThousandthShareAnEntry)
{
    ScannerPositionList list;
    EXPECT_EQ(list.Register(0.5f, 0.5f), 0);
    EXPECT_EQ(list.Register(0.5009f, 0.4991f), 0);
    EXPECT_EQ(list.Register(0.5f, 0.5015f), 1);
    EXPECT_EQ(list.Register(0.502f, 0.5f), 2);
    EXPECT_EQ(list.Count(), 3);
}

TEST(ScannerPositionList, TheThirtyThirdDistinctPositionIsNotTracked)
{
    ScannerPositionList list;
    for (int32_t i = 0; i < ScannerPositionList::kCapacity; ++i) {
        ASSERT_EQ(list.Register(float(i) * 0.01f, 0.0f), i);
        list.Track(i, 1.0f, 0.0f, 0.0f);
    }
    EXPECT_EQ(list.Register(1.0f, 1.0f), -1);
    EXPECT_EQ(list.Register(0.31f, 0.0f), 31); // a known one still matches
    list.Track(-1, 1.0f, 1.0f, 1.0f);          // untracked: nothing happens
    EXPECT_EQ(list.Count(), ScannerPositionList::kCapacity);
}

TEST(ScannerPositionList, AnUnlitEntryKeepsItsCoordinates)
{
    ScannerPositionList list;
    EXPECT_EQ(list.Register(0.0f, 0.0f), 0);
    EXPECT_EQ(list.Register(0.5f, 0.0f), 1);
    EXPECT_EQ(list[0].x, 0.0f);
    EXPECT_FALSE(list[0].used);
}

TEST(ScannerPositionList, TrackingKeepsTheBrightestOfEachComponent)
{
    ScannerPositionList list;
    const int32_t index = list.Register(0.0f, 0.0f);
    list.Track(index, 0.2f, 0.9f, 0.0f);
    list.Track(index, 0.7f, 0.1f, 0.3f);
    EXPECT_TRUE(list[index].used);
    EXPECT_FLOAT_EQ(list[index].maxRed, 0.7f);
    EXPECT_FLOAT_EQ(list[index].maxGreen, 0.9f);
    EXPECT_FLOAT_EQ(list[index].maxBlue, 0.3f);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

} // namespace

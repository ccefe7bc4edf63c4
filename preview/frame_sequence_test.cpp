#include "preview/frame_sequence.h"

#include <gtest/gtest.h>

namespace {

LFrameSequence SequenceOf(int32_t count)
{
    LFrameSequence sequence;
    for (int32_t i = 0; i < count; ++i) {
        LPic points;
        points.SetCount(i + 1);
        sequence.Append(points);
    }
    return sequence;
}

TEST(FrameSequenceTest, StepsWrapAtBothEnds)
{
    struct Case
    {
        int32_t from;
        int32_t items;
        int32_t to;
    };
    for (const Case c : {Case{0, 1, 1}, Case{0, 2, 2}, Case{2, 1, 0}, Case{0, 7, 1}, Case{0, -1, 2},
                         Case{1, -4, 0}, Case{0, -300000001, 2}, Case{1, 0, 1}}) {
        SCOPED_TRACE(testing::Message() << c.from << " by " << c.items);
        LFrameSequence sequence = SequenceOf(3);
        sequence.Step(c.from);
        sequence.Step(c.items);
        EXPECT_EQ(sequence.Cursor(), c.to);
    }
}

TEST(FrameSequenceTest, ClearingPutsTheCursorAndTheDeadlineBackAndAnEmptyListDoesNotStep)
{
    LFrameSequence sequence = SequenceOf(3);
    sequence.Step(2);
    sequence.SetDeadlineCs(1234);
    sequence.Clear();
    EXPECT_TRUE(sequence.IsEmpty());
    EXPECT_EQ(sequence.Cursor(), 0);
    EXPECT_EQ(sequence.DeadlineCs(), 0);
    sequence.Step(5);
    EXPECT_EQ(sequence.Cursor(), 0);
}

} // namespace

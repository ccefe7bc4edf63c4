#include "show/frame.h"
#include "show/test_support/frame_test_commands.h"
#include "conversion/lpic.h"

#include <gtest/gtest.h>

using namespace frame_test;

namespace {

LPicEntry Point(double x, double y, uint32_t color, bool blank, int32_t attribute = 0)
{
    LPicEntry e;
    e.x = x;
    e.y = y;
    e.color.red = int32_t(color >> 16);
    e.color.green = int32_t(color >> 8 & 0xFF);
    e.color.blue = int32_t(color & 0xFF);
    e.color.index = attribute;
    e.blank = blank ? 1 : 0;
    return e;
}

LPic Points(std::initializer_list<LPicEntry> entries, int repeatLast = 0)
{
    LPic pic;
    for (const LPicEntry& e : entries)
        pic.Append(e);
    for (int i = 0; i < repeatLast; ++i)
        pic.Append(*std::prev(entries.end()));
    return pic;
}

// The words after Time and Header.
Words Body(const LFrame& frame)
{
    Words all = FrameWords(frame);
    return Words(all.begin() + 6, all.end());
}

const uint32_t kRed = 0xFF0000;
const uint32_t kGreen = 0x00FF00;
const int32_t kQuarter = 8191; // trunc(0.25 x 32767)

} // namespace

TEST(FrameBuilder, NoPointsGiveAnEmptyFrame)
{
    LFrame frame;
    frame.count = 7;
    frame.BuildFromPoints(LPic(), 4800, 30000.0f, 0, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(frame.count, 0);
}

TEST(FrameBuilder, TimeAndHeaderWords)
{
    LFrame frame;
    frame.BuildFromPoints(Points({Point(0, 0, 0, true)}), 4800, 30000.0f, 7, 0.0f, 0.0f, 2, 5);
    const Words words = FrameWords(frame);
    ASSERT_GE(words.size(), 6u);
    // 4,800 µs is the tick count 100; 30,000 points per second the rate word 0xF0000.
    EXPECT_EQ(Words(words.begin(), words.begin() + 6), Join({Time(100), Header(0, 0, 0xF0000, 2, 5, 7)}));
}

struct HeaderCase
{
    const char* name;
    int64_t time;
    float rate;
    int32_t colorDelay;
    float openTime;
    float closeTime;
    Words expected;
};

TEST(FrameBuilder, HeaderClampsAndShutterCodes)
{
    const HeaderCase cases[] = {
        {"slow rate", 0, 999.0f, 0, 0.0f, 0.0f, Join({Time(0), Header(0, 0, 32768, 0, 0, 0)})},
        {"fast rate", 0, 300000.0f, 0, 0.0f, 0.0f, Join({Time(0), Header(0, 0, 8385331, 0, 0, 0)})},
        {"open immediate", 0, 30000.0f, 0, 0.0f, 1.0f, Join({Time(0), Header(3, 255, 0xF0000, 0, 0, 0)})},
        {"open 0.02 s", 0, 30000.0f, 0, 0.02f, 0.0f, Join({Time(0), Header(255, 199, 0xF0000, 0, 0, 0)})},
        {"too short", 0, 30000.0f, 0, 0.01f, 0.015f, Join({Time(0), Header(0, 0, 0xF0000, 0, 0, 0)})},
        {"long ramp", 0, 30000.0f, 0, 100.0f, 0.0f, Join({Time(0), Header(255, 3, 0xF0000, 0, 0, 0)})},
        {"colour delay", 0, 30000.0f, 300, 0.0f, 0.0f, Join({Time(0), Header(0, 0, 0xF0000, 0, 0, 255)})},
        {"negative delay", 0, 30000.0f, -4, 0.0f, 0.0f, Join({Time(0), Header(0, 0, 0xF0000, 0, 0, 0)})},
        {"part tick", 47, 30000.0f, 0, 0.0f, 0.0f, Join({Time(0), Header(0, 0, 0xF0000, 0, 0, 0)})},
        {"long time", int64_t(1) << 40, 30000.0f, 0, 0.0f, 0.0f,
         Join({Time((int64_t(1) << 40) / 48), Header(0, 0, 0xF0000, 0, 0, 0)})},
    };
    for (const HeaderCase& c : cases) {
        LFrame frame;
        frame.BuildFromPoints(Points({Point(0, 0, 0, true)}), c.time, c.rate, c.colorDelay, c.openTime,
                              c.closeTime, 0, 0);
        const Words words = FrameWords(frame);
        EXPECT_EQ(Words(words.begin(), words.begin() + 6), c.expected) << c.name;
    }
}

TEST(FrameBuilder, IdenticalPointsFoldIntoOneRepeat)
{
    LFrame frame;
    frame.BuildFromPoints(Points({Point(0.25, 0.25, 0, true)}, 3), 0, 30000.0f, 0, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(Body(frame), Join({Move(kQuarter, kQuarter), Repeat(3)}));
}

TEST(FrameBuilder, RepeatsHoldAtMost255Points)
{
    LFrame frame;
    frame.BuildFromPoints(Points({Point(0.25, 0.25, 0, true)}, 300), 0, 30000.0f, 0, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(Body(frame), Join({Move(kQuarter, kQuarter), Repeat(255), Repeat(45)}));
}

TEST(FrameBuilder, ColourChangeWithoutMovementIsAnAttrThatCounts)
{
    // The first point is always dark; the segment to point k takes entry k-1's colour.
    LFrame frame;
    frame.BuildFromPoints(Points({Point(0, 0, kRed, false, 5)}, 3), 0, 30000.0f, 0, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(Body(frame), Join({Attr(1, 5, true, kRed), Attr(3, 5, false, kRed)}));
}

TEST(FrameBuilder, SegmentsTakeTheColourOfTheirStart)
{
    LFrame frame;
    frame.BuildFromPoints(Points({Point(0.5, -0.5, kRed, false, 0x45), Point(-1.5, 1.0, kGreen, false),
                                  Point(-1.5, 1.0, kGreen, true), Point(0.0, 0.0, kGreen, true)}),
                          0, 30000.0f, 0, 0.0f, 0.0f, 0, 0);
    // Attributes keep their low 6 bits; coordinates are clamped to the full deflection.
    EXPECT_EQ(Body(frame),
              Join({MoveAttr(16383, -16383, 5, true, kRed), MoveAttr(-32767, 32767, 5, false, kRed),
                    Attr(1, 0, false, kGreen), MoveAttr(0, 0, 0, true, kGreen)}));
}

TEST(FrameBuilder, RampRequestsFollowThePointsCommand)
{
    LPicEntry on = Point(0.25, 0.25, kRed, false);
    on.rampOn = 1;
    LPicEntry off = Point(0.25, 0.25, kRed, false);
    off.rampOff = 1;
    LFrame frame;
    frame.BuildFromPoints(Points({on, on, off, off}), 0, 30000.0f, 0, 0.0f, 1.0f, 0, 0);
    // A point after a Ramp word is not folded into a count before it, which would move it
    // ahead of the shutter change.
    EXPECT_EQ(Body(frame), Join({MoveAttr(kQuarter, kQuarter, 0, true, kRed), Ramp(true),
                                 Attr(2, 0, false, kRed), Ramp(false), Repeat(1)}));

    // Without shutter times there is no ramp control at all.
    frame.BuildFromPoints(Points({on, off}), 0, 30000.0f, 0, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(Body(frame), Join({MoveAttr(kQuarter, kQuarter, 0, true, kRed), Attr(1, 0, false, kRed)}));
}

TEST(FrameBuilder, StopsAfterThePointThatPassesTheLimit)
{
    LPic pic;
    for (int i = 0; i < 10000; ++i) {
        LPicEntry e = Point(i % 2 ? 0.5 : -0.5, 0.0, i % 2 ? kRed : kGreen, false);
        e.rampOn = i % 2;
        e.rampOff = 1 - i % 2;
        pic.Append(e);
    }
    auto frame = std::make_unique<LFrame>();
    frame->BuildFromPoints(pic, 0, 30000.0f, 0, 0.1f, 0.1f, 0, 0);
    EXPECT_GT(frame->count, LFrame::kBuildLimit);
    EXPECT_LE(frame->count, LFrame::kBuildLimit + 4);
    EXPECT_EQ(FrameOpcode(frame->words[frame->count - 1]), kOpRamp);
}

#include "show/frame.h"
#include "show/test_support/frame_test_commands.h"

#include <gtest/gtest.h>

using namespace frame_test;

namespace {
const uint32_t k10000 = RateWord(10000); // 100 µs per point
} // namespace

TEST(FrameStats, EmptyFrameGivesACleanRecord)
{
    LFrameStats stats;
    stats.channelMask = 3;
    stats.averageSpeed = 9;
    auto frame = MakeFrame({});
    frame->GetStats(stats);
    EXPECT_EQ(stats.channelMask, 0u);
    EXPECT_EQ(stats.timeSeen, 0);
    EXPECT_EQ(stats.averageSpeed, 1.0f);
}

TEST(FrameStats, TimesMasksAndPointsAtTheirRates)
{
    auto frame =
        MakeFrame(Join({Time(1000), Header(0, 0, k10000, 3, 9, 0), Repeat(100), Image(1, 0, 0, 0, 10),
                        Select(40, 33), Move(1, 1), Header(0, 0, RateWord(500), 1, 0, 0), Repeat(3)}));
    LFrameStats stats;
    frame->GetStats(stats);
    EXPECT_EQ(stats.channelMask, 1u << 3 | 1u << 8 | 1u << 1);
    EXPECT_EQ(stats.subChannelMask, 1u << 9 | 1u << 1 | 1u << 0);
    EXPECT_EQ(stats.timeSeen, 1);
    EXPECT_EQ(stats.firstTime, 48000);
    // 100 points at 10,000/s, the image's 480 µs, one more point, then 3 at the floor of 1,000/s.
    EXPECT_EQ(stats.lastTime, 48000 + 480 + 10100 + 3000);
    EXPECT_EQ(stats.averageSpeed, 1.0f);
}

TEST(FrameStats, TimeCommandsRestartTheCount)
{
    auto frame = MakeFrame(
        Join({Repeat(50), Header(0, 0, k10000, 0, 0, 0), Time(10), HeaderTime(0, 0, k10000, 0, 0, 0, 20),
              Attr(7, 0, false, 0), Time(int64_t(1) << 47)}));
    LFrameStats stats;
    frame->GetStats(stats);
    EXPECT_EQ(stats.firstTime, 480);
    EXPECT_EQ(stats.lastTime, (int64_t(1) << 47) * 48);

    // Without any time stamp the points still count from 0.
    frame = MakeFrame(Join({Header(0, 0, k10000, 0, 0, 0), Repeat(5)}));
    frame->GetStats(stats);
    EXPECT_EQ(stats.timeSeen, 0);
    EXPECT_EQ(stats.lastTime, 500);
}

TEST(FrameStats, ACommandCutShortByTheCountIsNotRead)
{
    Words words = Join({Time(1), Image(1, 0, 0, 0, 1000)});
    auto frame = MakeFrame(words);
    frame->count -= 1;
    LFrameStats stats;
    frame->GetStats(stats);
    EXPECT_EQ(stats.lastTime, 48);

    // A stored count beyond the capacity reads only the frame's own words.
    frame->count = LFrame::kCapacity + 100;
    frame->GetStats(stats);
    EXPECT_EQ(stats.timeSeen, 1);
}

TEST(FrameImageEntries, CarryTheirChannelAndFields)
{
    auto frame =
        MakeFrame(Join({Image(7, 1, 2, 0x010203, 1), Select(1, 2), Image(-5, 100, -200, 0x102030, 10),
                        Header(0, 0, k10000, 3, 4, 0), Image(9, 0, 0, 0, 0)}));
    LFrameImageEntry entries[4];
    ASSERT_EQ(frame->GetImageEntries(entries, 4), 3);
    EXPECT_EQ(entries[0].channel, 0);
    EXPECT_EQ(entries[0].red, 1);
    EXPECT_EQ(entries[1].channel, 1);
    EXPECT_EQ(entries[1].subChannel, 2);
    EXPECT_EQ(entries[1].red, 0x10);
    EXPECT_EQ(entries[1].green, 0x20);
    EXPECT_EQ(entries[1].blue, 0x30);
    EXPECT_EQ(entries[1].imageId, -5);
    EXPECT_EQ(entries[1].x, 100);
    EXPECT_EQ(entries[1].y, -200);
    EXPECT_EQ(entries[1].duration, 480);
    EXPECT_EQ(entries[2].channel, 3);
    EXPECT_EQ(entries[2].subChannel, 4);

    EXPECT_EQ(frame->GetImageEntries(entries, 2), 2);
    EXPECT_EQ(frame->GetImageEntries(entries, 0), 0);
    EXPECT_EQ(frame->GetImageEntries(nullptr, 4), 0);
}

TEST(FrameEquals, IgnoresTimeStampsAndUnusedBits)
{
    const Words base =
        Join({Time(5), HeaderTime(1, 2, k10000, 3, 4, 5, 6), Move(10, -10), Image(1, 2, 3, 4, 5)});
    auto a = MakeFrame(base);

    struct Change
    {
        const char* name;
        int word;
        uint32_t bits;
        bool equal;
    };
    const Change changes[] = {
        {"time high", 1, 0x7, true},        {"time low", 2, 0x100, true},
        {"header time", 6, 0xFF, true},     {"header time low", 7, 1, true},
        {"unused bits", 9, 1u << 30, true}, {"header rate", 4, 1, false},
        {"move y", 9, 1 << 8, false},       {"opcode", 8, 1, false},
        {"image duration", 14, 1, false},
    };
    for (const Change& c : changes) {
        Words changed = base;
        changed[c.word] ^= c.bits;
        EXPECT_EQ(a->Equals(*MakeFrame(changed)), c.equal) << c.name;
    }
    Words longer = base;
    longer.push_back(0);
    EXPECT_FALSE(a->Equals(*MakeFrame(longer)));
}

TEST(FrameEquals, ComparesALastCommandCutShort)
{
    Words a = Join({Move(1, 2), Image(1, 2, 3, 4, 5)});
    Words b = a;
    a.resize(5);
    b.resize(5);
    EXPECT_TRUE(MakeFrame(a)->Equals(*MakeFrame(b)));
    b[4] ^= 1 << 8;
    EXPECT_FALSE(MakeFrame(a)->Equals(*MakeFrame(b)));
}

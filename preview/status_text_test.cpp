#include "preview/status_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

StatusFacts Show()
{
    StatusFacts f;
    f.timecodeLine = true;
    f.time = 3600000000; // 1:00:00,00
    f.name = "demo.zyl";
    f.entries = 1;
    return f;
}

std::string Text(const StatusFacts& f, const char* before = "")
{
    XAString text(before);
    AppendStatusText(text, f);
    return text.CStr();
}

} // namespace

TEST(StatusText, Lines)
{
    StatusFacts f = Show();
    EXPECT_EQ(Text(f), "1:00:00,00  demo.zyl");
    EXPECT_EQ(Text(f, "Loading"), "Loading\r1:00:00,00  demo.zyl");
    f.entries = 2;
    f.entry = 1;
    EXPECT_EQ(Text(f), "1:00:00,00  demo.zyl (2 of 2)");
    f.paused = true;
    f.muted = true;
    EXPECT_EQ(Text(f), "1:00:00,00  demo.zyl (2 of 2) PAUSED");
    f.paused = false;
    EXPECT_EQ(Text(f), "1:00:00,00  demo.zyl (2 of 2) MUTED");

    StatusFacts sound = Show();
    sound.hasSound = true;
    sound.soundLine = true;
    sound.rate = 22050;
    sound.channels = 2;
    sound.bitrate = 128000;
    EXPECT_EQ(Text(sound), "1:00:00,00  demo.zyl\r22050 Stereo 128 Kbit");
    sound.channels = 1;
    sound.timecodeLine = false;
    EXPECT_EQ(Text(sound), "22050 Mono 128 Kbit");

    StatusFacts load = Show();
    load.loadLine = true;
    load.showBytes = 1234567;
    EXPECT_EQ(Text(load), "1:00:00,00  demo.zyl  1,234,567");
    load.soundOutput = true;
    load.queuedSoundBytes = 38400;
    EXPECT_EQ(Text(load), "1:00:00,00  demo.zyl  1,234,567 38,400");
}

TEST(StatusText, TimesPastTheTimecodeSaturate)
{
    EXPECT_EQ(TimecodeFrames(40000), 1);
    EXPECT_EQ(TimecodeFrames(INT64_MAX), INT32_MAX);
    EXPECT_EQ(TimecodeFrames(INT64_MIN), INT32_MIN);
}

TEST(ExportName, TimecodeWithoutBlanksAndSeparators)
{
    EXPECT_STREQ(ExportNameOf("demo", 0).CStr(), "demo-0.00.00.00");
    EXPECT_STREQ(ExportNameOf("demo", 3723000000 + 40000).CStr(), "demo-1.02.03.01");
}

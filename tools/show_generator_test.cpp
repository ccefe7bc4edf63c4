#include "tools/show_generator.h"

#include "foundation/archives/archive_file.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"
#include "show/ogg_vorbis_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class ShowGeneratorTest : public ::testing::Test
{
  protected:
    ShowGeneratorTest()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zylgenXXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    ~ShowGeneratorTest() override { std::filesystem::remove_all(folder_); }

    std::string Generate(const char* name, const ShowGeneratorOptions& options)
    {
        const std::string path = (std::filesystem::path(folder_) / name).string();
        const CError error = GenerateShow(path.c_str(), options);
        EXPECT_FALSE(error.Failed()) << error.ErrorText().CStr();
        return path;
    }

    static ShowGeneratorOptions Small(ShowForm form)
    {
        ShowGeneratorOptions options;
        options.durationUs = 1000000;
        options.pointsPerFrame = 40;
        options.form = form;
        return options;
    }

    std::string folder_;
};

TEST_F(ShowGeneratorTest, EachFormIsWhatItSays)
{
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.Open(Generate("raw.zyl", Small(ShowForm::kRaw)).c_str()));
    EXPECT_LT(stream.DataStart(), stream.IndexPosition());
    EXPECT_FALSE(stream.Codec().HasTables());
    EXPECT_EQ(stream.StreamChannelCount(), 10);
    EXPECT_EQ(stream.FirstTime(), 3600000000);

    ASSERT_TRUE(stream.Open(Generate("streamable.zyl", Small(ShowForm::kStreamable)).c_str()));
    EXPECT_GE(stream.DataStart(), stream.IndexPosition());
    EXPECT_FALSE(stream.Codec().HasTables());

    ASSERT_TRUE(stream.Open(Generate("coded.zyl", Small(ShowForm::kCoded)).c_str()));
    EXPECT_GE(stream.DataStart(), stream.IndexPosition());
    EXPECT_TRUE(stream.Codec().HasTables());
    EXPECT_EQ(stream.StreamChannelCount(), 10);
    EXPECT_EQ(stream.UserData(1), "Generated show, seed 1");

    EXPECT_FALSE(stream.Open(Generate("aborted.zyl", Small(ShowForm::kAborted)).c_str()));
    EXPECT_EQ(stream.GetError().ErrorText(), "Invalid Zyl file!");

    const XAString truncated =
        LoadFileToString(Generate("truncated.zyl", Small(ShowForm::kTruncated)).c_str());
    const XAString whole = LoadFileToString((std::filesystem::path(folder_) / "coded.zyl").c_str());
    EXPECT_EQ(truncated.Length(), whole.Length() / 2);
    int32_t needed = 0;
    if (stream.OpenMemory(truncated, -1, &needed, false))
        EXPECT_TRUE(stream.IsIncomplete());
    else
        EXPECT_GT(needed, truncated.Length());
}

TEST_F(ShowGeneratorTest, TheSameSeedGivesTheSameShow)
{
    ShowGeneratorOptions options = Small(ShowForm::kCoded);
    options.sound = true;
    options.bitmaps = 1;
    const XAString first = LoadFileToString(Generate("a.zyl", options).c_str());
    const XAString second = LoadFileToString(Generate("b.zyl", options).c_str());
    options.seed = 2;
    const XAString other = LoadFileToString(Generate("c.zyl", options).c_str());
    EXPECT_GT(first.Length(), 0);
    EXPECT_TRUE(first == second);
    EXPECT_FALSE(first == other);
}

TEST_F(ShowGeneratorTest, SoundAndPicturesAreReadable)
{
    ShowGeneratorOptions options = Small(ShowForm::kCoded);
    options.durationUs = 3000000;
    options.sound = true;
    options.bitmaps = 2;
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.Open(Generate("sound.zyl", options).c_str()));
    ASSERT_EQ(stream.BitmapCount(), 2);
    LLaserPreviewBitmap picture = stream.Bitmap(1);
    EXPECT_FALSE(picture.Decode().IsEmpty());

    ASSERT_GT(stream.TotalSoundBytes(), 0);
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&stream));
    EXPECT_NEAR(static_cast<double>(decoder.Duration()), 3000000.0, 50000.0);
    decoder.Close();

    // Frames of every pattern carry points, and channels go dark now and then.
    int32_t nils = 0;
    auto frame = std::make_unique<LFrame>();
    for (int32_t c = 0; c < stream.StreamChannelCount(); ++c) {
        const ShowIndexArray& index = stream.ChannelIndex(c);
        for (int32_t i = 0; i < index.Count(); ++i) {
            ASSERT_TRUE(stream.ReadFrame(c, index[i].time, *frame));
            nils += frame->count == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(nils, stream.StreamChannelCount());
}

TEST_F(ShowGeneratorTest, AStillCircleLiesOnRadiusOneHalfInGreenEveryFrame)
{
    ShowGeneratorOptions options = Small(ShowForm::kCoded);
    options.servers = 1;
    options.channelsPerServer = 1;
    options.blankingPeriodS = 0;
    options.pointsPerFrame = 100;
    options.stillCircle = true;
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.Open(Generate("circle.zyl", options).c_str()));
    ASSERT_EQ(stream.StreamChannelCount(), 1);
    const ShowIndexArray& index = stream.ChannelIndex(0);
    ASSERT_GT(index.Count(), 2);
    auto frame = std::make_unique<LFrame>();
    std::vector<LFrameOutPoint> points(4096);
    for (int32_t i : {0, index.Count() / 2}) {
        ASSERT_TRUE(stream.ReadFrame(0, index[i].time, *frame));
        const int32_t n =
            frame->Render(points.data(), 4096, nullptr, false, false, 1.0f, 0.0f, 1.0f, 1.0f, 1);
        int32_t lit = 0;
        for (int32_t k = 0; k < n; ++k) {
            const LFrameOutPoint& p = points[size_t(k)];
            if (p.blank)
                continue;
            ++lit;
            EXPECT_NEAR(std::hypot(p.x / 32768.0, p.y / 32768.0), 0.5, 0.001);
            EXPECT_EQ(p.red + p.blue, 0);
            EXPECT_EQ(p.green, 255);
        }
        EXPECT_GE(lit, 90);
    }
    // Output parameters at their defaults, so the circle is where the preview's defaults put it.
    const LChanOutParsTable* table = stream.OutputParameters(0);
    ASSERT_TRUE(table);
    EXPECT_TRUE(table->entries[0].records[0] == LChanOutPars(true));
}

TEST_F(ShowGeneratorTest, OptionsOutsideTheirRangesAreRefused)
{
    ShowGeneratorOptions tooWide = Small(ShowForm::kRaw);
    tooWide.servers = 5;
    tooWide.channelsPerServer = 8;
    ShowGeneratorOptions noTime = Small(ShowForm::kRaw);
    noTime.durationUs = 0;
    ShowGeneratorOptions tooManyPictures = Small(ShowForm::kRaw);
    tooManyPictures.bitmaps = 5;
    ShowGeneratorOptions beyondBest = Small(ShowForm::kCoded);
    beyondBest.quality = 101;
    for (const ShowGeneratorOptions& options : {tooWide, noTime, tooManyPictures, beyondBest}) {
        const std::string path = (std::filesystem::path(folder_) / "bad.zyl").string();
        EXPECT_EQ(GenerateShow(path.c_str(), options).ErrorText(), "Invalid show generator options!");
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

} // namespace

namespace {

TEST_F(ShowGeneratorTest, NumberedFramesAndCountingRawSoundRecordedAfterThem)
{
    ShowGeneratorOptions options = Small(ShowForm::kStreamable);
    options.servers = 1;
    options.channelsPerServer = 2;
    options.numbered = true;
    options.sound = options.rawSound = options.soundAfterFrames = true;
    options.soundRate = 8000;
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.Open(Generate("numbered.zyl", options).c_str()));

    // Sample frame k holds k + 1 as one little-endian 32-bit value; 1 s at 8,000 Hz.
    EXPECT_EQ(stream.TotalSoundBytes(), 8000 * 4);
    unsigned char bytes[8] = {};
    ASSERT_EQ(stream.ReadSound(4 * 299, bytes, 8), 8);
    const unsigned char expected[8] = {44, 1, 0, 0, 45, 1, 0, 0};
    EXPECT_TRUE(std::equal(bytes, bytes + 8, expected));

    // Frame n of each channel at first + n x 10 ms (in whole 48 µs steps), starting at X = n.
    for (int32_t channel = 0; channel < 2; ++channel) {
        for (const int32_t n : {0, 1, 37, 99}) {
            LFrame frame;
            ASSERT_TRUE(stream.ReadFrame(channel, stream.FirstTime() + n * 10000 + 48, frame));
            LFrameStats stats;
            frame.GetStats(stats);
            EXPECT_EQ(stats.firstTime, (stream.FirstTime() + n * 10000) / 48 * 48);
            std::vector<LFrameOutPoint> points(64);
            ASSERT_GT(frame.Render(points.data(), 64, nullptr, false, false, 1.0f, 1.0f, 1.0f, 1.0f, 1), 0);
            EXPECT_EQ(points[0].x, n);
        }
    }
    // The sound comes after every frame in the file (the closing NIL entry follows when the
    // recording closes).
    const ShowIndexArray& frames = stream.ChannelIndex(0);
    ASSERT_EQ(frames.Count(), 101);
    EXPECT_GT(stream.SoundIndex()[0].position, frames[99].position);
}

TEST_F(ShowGeneratorTest, RawSoundIsRefusedWhereTheConverterWouldDecodeIt)
{
    ShowGeneratorOptions options = Small(ShowForm::kCoded);
    options.sound = options.rawSound = true;
    EXPECT_TRUE(GenerateShow((folder_ + "/coded.zyl").c_str(), options).Failed());
}

} // namespace

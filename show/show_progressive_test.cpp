// A streamable show read while it arrives: opened at every prefix length, and followed with
// ContinueFromMemory as the buffer grows.

#include "show/laser_preview_stream.h"

#include "tools/show_generator.h"
#include "show/test_support/show_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using namespace show_test;
using Words = std::vector<uint32_t>;

class ProgressiveShow : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        TempFolder folder;
        const std::string path = folder.File("progressive.zyl");
        ShowGeneratorOptions options;
        options.seed = 7;
        options.durationUs = 4000000;
        options.pointsPerFrame = 30;
        options.servers = 3;
        options.channelsPerServer = 4;
        options.sound = true;
        ASSERT_FALSE(GenerateShow(path.c_str(), options).Failed());
        bytes_ = new XAString(ReadFileBytes(path));

        LLaserPreviewStream stream;
        ASSERT_TRUE(stream.OpenMemory(*bytes_, -1, nullptr, true));
        ASSERT_GE(stream.DataStart(), stream.IndexPosition());
        frames_ = new std::map<std::pair<int32_t, int64_t>, Words>;
        auto frame = std::make_unique<LFrame>();
        for (int32_t c = 0; c < stream.StreamChannelCount(); ++c) {
            const ShowIndexArray& index = stream.ChannelIndex(c);
            for (int32_t i = 0; i < index.Count(); ++i) {
                ASSERT_TRUE(stream.ReadFrame(c, index[i].time, *frame));
                (*frames_)[{c, index[i].time}] = frame_test::FrameWords(*frame);
            }
        }
        sound_ = new std::vector<char>(static_cast<size_t>(stream.TotalSoundBytes()));
        ASSERT_EQ(stream.ReadSound(0, sound_->data(), stream.TotalSoundBytes()), stream.TotalSoundBytes());
    }

    static void TearDownTestSuite()
    {
        delete bytes_;
        delete frames_;
        delete sound_;
    }

    // Every frame of the reference that the stream says is there reads the same; returns how many.
    static int32_t CheckAvailableFrames(LLaserPreviewStream& stream, int64_t from)
    {
        const int64_t limit = stream.AvailableTimeLimit();
        int32_t checked = 0;
        auto frame = std::make_unique<LFrame>();
        for (const auto& [key, words] : *frames_) {
            if (key.second < from || (stream.IsIncomplete() && key.second >= limit))
                continue;
            EXPECT_TRUE(stream.ReadFrame(key.first, key.second, *frame)) << key.first << " " << key.second;
            EXPECT_EQ(frame_test::FrameWords(*frame), words) << key.first << " " << key.second;
            ++checked;
        }
        return checked;
    }

    static XAString* bytes_;
    static std::map<std::pair<int32_t, int64_t>, Words>* frames_;
    static std::vector<char>* sound_;
};

XAString* ProgressiveShow::bytes_ = nullptr;
std::map<std::pair<int32_t, int64_t>, Words>* ProgressiveShow::frames_ = nullptr;
std::vector<char>* ProgressiveShow::sound_ = nullptr;

TEST_F(ProgressiveShow, EveryPrefixNeedsMoreOrOpens)
{
    // Every length through the prefix and the enciphering layer's header; then a stride, since
    // every open past the index reads its tables.
    constexpr int32_t kDenseUpTo = 1024;
    constexpr int32_t kStride = 97;
    constexpr int32_t kStrideOnceOpen = 997;
    constexpr int32_t kFramesCheckedEvery = 4096;
    int32_t framesCheckedAt = -kFramesCheckedEvery;
    int32_t firstOpen = -1;
    for (int32_t length = 0; length <= bytes_->Length();) {
        LLaserPreviewStream stream;
        int32_t needed = -1;
        const bool opened = stream.OpenMemory(*bytes_, length, &needed, false);
        if (!opened) {
            ASSERT_GT(needed, length);
            ASSERT_FALSE(stream.GetError().Failed()) << length;
            ASSERT_EQ(firstOpen, -1) << "a longer prefix failed after a shorter one opened: " << length;
        } else {
            if (firstOpen < 0)
                firstOpen = length;
            ASSERT_EQ(stream.IsIncomplete(), length < bytes_->Length());
            if (length - framesCheckedAt >= kFramesCheckedEvery || length == bytes_->Length()) {
                CheckAvailableFrames(stream, INT64_MIN);
                framesCheckedAt = length;
            }
        }
        if (length == bytes_->Length())
            break;
        const int32_t step = length < kDenseUpTo ? 1 : (firstOpen < 0 ? kStride : kStrideOnceOpen);
        length = std::min(length + step, bytes_->Length());
    }
    EXPECT_GT(firstOpen, 0);
    EXPECT_LT(firstOpen, bytes_->Length() / 2);
}

TEST(ProgressiveSmallShow, EveryPrefixLengthNeedsMoreOrOpens)
{
    // Nine channels and a little mono sound, small enough to open at every single length.
    TempFolder folder;
    const std::string path = folder.File("small.zyl");
    ShowGeneratorOptions options;
    options.seed = 11;
    options.durationUs = 400000;
    options.pointsPerFrame = 8;
    options.servers = 3;
    options.channelsPerServer = 3;
    options.sound = true;
    options.soundRate = 8000;
    options.soundChannels = 1;
    ASSERT_FALSE(GenerateShow(path.c_str(), options).Failed());
    const XAString bytes = ReadFileBytes(path);
    int32_t firstOpen = -1;
    LLaserPreviewStream stream;
    for (int32_t length = 0; length <= bytes.Length(); ++length) {
        int32_t needed = -1;
        if (stream.OpenMemory(bytes, length, &needed, false)) {
            if (firstOpen < 0)
                firstOpen = length;
            ASSERT_EQ(stream.IsIncomplete(), length < bytes.Length()) << length;
            continue;
        }
        ASSERT_EQ(firstOpen, -1) << "a longer prefix failed after a shorter one opened: " << length;
        ASSERT_GT(needed, length);
        ASSERT_FALSE(stream.GetError().Failed()) << length;
    }
    EXPECT_GT(firstOpen, 0);
}

TEST_F(ProgressiveShow, ContinueFromMemoryFollowsTheGrowingBuffer)
{
    constexpr int32_t kStep = 997;
    LLaserPreviewStream stream;
    int32_t length = 0;
    int32_t needed = 0;
    while (!stream.OpenMemory(*bytes_, length, &needed, false)) {
        ASSERT_GT(needed, length);
        length = needed;
    }
    std::vector<char> sound;
    int64_t checkedUpTo = INT64_MIN;
    int32_t checked = 0;
    int32_t waits = 0;
    const auto readSound = [&] {
        char buffer[4096];
        for (;;) {
            const int64_t n = stream.AudioRead(buffer, 1, sizeof buffer);
            ASSERT_GE(n, 0);
            if (n == 0) {
                ++waits;
                return;
            }
            sound.insert(sound.end(), buffer, buffer + n);
        }
    };
    for (;;) {
        readSound();
        checked += CheckAvailableFrames(stream, checkedUpTo);
        if (stream.IsIncomplete())
            checkedUpTo = stream.AvailableTimeLimit();
        if (length == bytes_->Length())
            break;
        length = std::min(length + kStep, bytes_->Length());
        const bool final = length == bytes_->Length();
        ASSERT_TRUE(stream.ContinueFromMemory(*bytes_, length, final)) << length;
    }
    EXPECT_EQ(stream.AvailableTimeLimit(), 0);
    EXPECT_FLOAT_EQ(stream.LoadedFraction(), 1.0f);
    EXPECT_EQ(checked, static_cast<int32_t>(frames_->size()));
    EXPECT_EQ(sound, *sound_);
    EXPECT_GT(waits, 1);
    // A shrinking buffer is no continuation.
    EXPECT_FALSE(stream.ContinueFromMemory(*bytes_, length - 1, false));
}

TEST_F(ProgressiveShow, SoundWaitsForItsChunk)
{
    LLaserPreviewStream stream;
    int32_t length = 0;
    int32_t needed = 0;
    while (!stream.OpenMemory(*bytes_, length, &needed, false))
        length = needed;
    ASSERT_TRUE(stream.IsIncomplete());
    ASSERT_GE(stream.SoundIndex().Count(), 2);
    std::vector<char> sound(sound_->size());
    int64_t at = 0;
    for (int64_t n; (n = stream.AudioRead(sound.data() + at, 1, sound.size() - at)) > 0;)
        at += n;
    // A pause, not the end: errno stays clear.
    EXPECT_LT(at, stream.TotalSoundBytes());
    errno = EINVAL;
    EXPECT_EQ(stream.AudioRead(sound.data() + at, 1, sound.size() - at), 0);
    EXPECT_EQ(errno, 0);
    ASSERT_TRUE(stream.ContinueFromMemory(*bytes_, -1, true));
    EXPECT_EQ(stream.AvailableSoundBytes(), stream.TotalSoundBytes());
    for (int64_t n; (n = stream.AudioRead(sound.data() + at, 1, sound.size() - at)) > 0;)
        at += n;
    EXPECT_EQ(sound, *sound_);
}

} // namespace

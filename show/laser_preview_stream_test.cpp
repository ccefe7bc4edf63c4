#include "show/laser_preview_stream.h"

#include "show/ogg_vorbis_stream.h"
#include "show/show_file_converter.h"
#include "show/test_support/show_test_support.h"
#include "tools/show_generator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

using namespace show_test;

constexpr int64_t kSecond = 1000000;

bool OpenBytes(LLaserPreviewStream& stream, const XAString& bytes)
{
    return stream.OpenMemory(bytes, -1, nullptr, true);
}

XAString Concat(std::initializer_list<XAString> parts)
{
    XAString all;
    for (const XAString& p : parts)
        all += p;
    return all;
}

TEST(LaserPreviewStream, EmptyRecordingIsHeaderAndAOneByteIndex)
{
    const XAString file = RecordShow([](LLaserPreviewStream&) {});
    const uint8_t prefix[8] = {'Z', 'Y', 'L', 0, 2, 0, 0, 0};
    ASSERT_EQ(file.Length(), 64 + 32 + 48);
    EXPECT_EQ(0, std::memcmp(file.CStr(), prefix, sizeof prefix));
    for (int i = 8; i < 64; ++i)
        EXPECT_EQ(file.CStr()[i], 0) << i;

    const uint8_t body[] = {0, 0,    0,    42,   0, 0, 0, 0,  0xD6, 0x93, 0xA4, 0,  0, 0, 0,
                            0, 0xD6, 0x93, 0xA4, 0, 1, 0, 0,  0,    0,    42,   0,  0, 0, 43,
                            0, 0,    0,    42,   0, 0, 0, 42, 0,    0,    0,    43, 0};
    const XAString plain = DecipherBody(file);
    ASSERT_EQ(plain.Length(), static_cast<int32_t>(sizeof body));
    EXPECT_EQ(0, std::memcmp(plain.CStr(), body, sizeof body));

    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    EXPECT_EQ(stream.FirstTime(), kHour);
    EXPECT_EQ(stream.IndexEnd(), 43);
    EXPECT_EQ(stream.StreamChannelCount(), 0);
    EXPECT_EQ(stream.AvailableTimeUs(), -1);
}

TEST(LaserPreviewStream, ARecordingOfOneFrameAndSomeSoundIsLaidOutAsExpected)
{
    const auto frame = frame_test::MakeFrame({0x11223344, 0xA0B0C0D0});
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        s.WriteFrame(1, 2, 0x01020304, frame.get(), 0, 0);
        s.AddSound(0, "xyz", 3);
    });
    // clang-format off
    const uint8_t body[] = {
        0, 0, 0, 59,                                  // index position
        0, 0, 0, 0, 0xD6, 0x93, 0xA4, 0,              // first time: the start time, as the frame
        0, 0, 0, 0, 0xD6, 0x93, 0xA4, 0,              // was written with a time of its own
        1, 0,                                         // version 1, oldest reader 0
        0, 0, 0, 42, 0, 0, 0, 99,                     // body start, index end
        0, 0, 0, 42, 0, 0, 0, 59, 0, 0, 0, 99,        // data start, data end, file end
        2, 2, 0x11, 0x22, 0x33, 0x44, 0xA0, 0xB0, 0xC0, 0xD0, // plain frame at 42
        1, 0, 3, 'x', 'y', 'z',                       // sound chunk at 52, offset 0
        3,                                            // closing NIL at 58
        3, 1, 0, 2,                                   // frame index: server 1, stream channel 0, last a NIL
        0, 0, 0, 42, 0, 0, 0, 0, 1, 2, 3, 4,          //   the frame
        0, 0, 0, 58, 0, 0, 0, 0, 1, 3, 0x89, 0xA4,    //   the NIL, 100,000 us later
        1, 3, 1, 0, 0, 0, 52, 0, 0, 0, 0,             // sound index: 3 bytes, one chunk at offset 0
        0};                                           // end of the index
    // clang-format on
    const XAString plain = DecipherBody(file);
    ASSERT_EQ(plain.Length(), static_cast<int32_t>(sizeof body));
    for (int32_t i = 0; i < plain.Length(); ++i)
        EXPECT_EQ(static_cast<uint8_t>(plain.CStr()[i]), body[i]) << "byte " << i;
}

TEST(LaserPreviewStream, RecordingMapsControllerChannelsToStreamChannels)
{
    const auto a = PointsFrame(1);
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        EXPECT_TRUE(s.WriteFrame(3, 5, kHour + 10 * kSecond, a.get(), 0, 0));
        EXPECT_TRUE(s.WriteFrame(1, 0, kHour + 10 * kSecond, a.get(), 0, 0));
        EXPECT_TRUE(s.WriteFrame(3, 5, kHour + 11 * kSecond, a.get(), 0, 0));
        EXPECT_EQ(s.LookupChannel(3, 5), 0);
        EXPECT_EQ(s.LookupChannel(1, 0), 1);
        // More than 2 s back: a new take, mapped afresh.
        EXPECT_TRUE(s.WriteFrame(3, 5, kHour + 8900000, a.get(), 0, 0));
        EXPECT_EQ(s.LookupChannel(3, 5), 2);
        EXPECT_EQ(s.LookupChannel(1, 0), LLaserPreviewStream::kNoChannel);
        EXPECT_EQ(s.LookupChannel(32, 0), LLaserPreviewStream::kNoChannel);
        EXPECT_EQ(s.LookupChannel(0, 8), LLaserPreviewStream::kNoChannel);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    EXPECT_EQ(stream.StreamChannelCount(), 3);
    EXPECT_EQ(stream.ChannelServer(0), 3);
    EXPECT_EQ(stream.ChannelServer(1), 1);
    EXPECT_EQ(stream.ChannelServer(2), 3);
    EXPECT_EQ(stream.ChannelIndex(0).Count(), 3); // two frames and the closing NIL
}

TEST(LaserPreviewStream, RecordingRefusesWhatItCannotStore)
{
    const auto a = PointsFrame(1);
    LFrame empty;
    RecordShow([&](LLaserPreviewStream& s) {
        // A NIL before any frame of the pair is dropped, and reported as done.
        EXPECT_TRUE(s.WriteFrame(0, 0, kHour, &empty, 0, 0));
        EXPECT_EQ(s.LookupChannel(0, 0), LLaserPreviewStream::kNoChannel);
        EXPECT_TRUE(s.WriteFrame(0, 0, kHour + kSecond, a.get(), 0, 0));
        // A NIL not after the last entry is dropped.
        EXPECT_TRUE(s.WriteFrame(0, 0, kHour + kSecond, nullptr, 0, 0));
        EXPECT_EQ(s.ChannelIndex(0).Count(), 1);
        EXPECT_FALSE(s.WriteFrame(32, 0, kHour, a.get(), 0, 0));
        EXPECT_FALSE(s.WriteFrame(0, 8, kHour, a.get(), 0, 0));
        for (int32_t pair = 1; pair < 32; ++pair)
            EXPECT_TRUE(s.WriteFrame(pair / 8, pair % 8, kHour + kSecond, a.get(), 0, 0));
        EXPECT_FALSE(s.WriteFrame(31, 7, kHour + kSecond, a.get(), 0, 0));
        EXPECT_FALSE(s.SetUserData(4, "x"));
    });
}

TEST(LaserPreviewStream, TwoFramesAtOneTimeLeaveOneEntryForTheSecond)
{
    const auto first = PointsFrame(11);
    const auto second = PointsFrame(22);
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, kHour, first.get(), 0, 0);
        s.WriteFrame(0, 0, kHour, second.get(), 0, 0);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    ASSERT_EQ(stream.ChannelIndex(0).Count(), 2);
    EXPECT_GT(stream.ChannelIndex(0)[0].position, stream.BodyStart());
    LFrame frame;
    ASSERT_TRUE(stream.ReadFrame(0, kHour, frame));
    EXPECT_EQ(MarkOf(frame), 22);
}

TEST(LaserPreviewStream, SkippedFramesFollowSequenceNumbers)
{
    struct Case
    {
        std::vector<int32_t> sequence;
        int32_t skipped;
    };
    const Case cases[] = {{{7, 10}, 2}, {{10, 10}, 0}, {{65535, 1}, 1}, {{5, 0, 9}, 0}, {{1, 2, 3}, 0}};
    const auto a = PointsFrame(1);
    for (const Case& c : cases) {
        RecordShow([&](LLaserPreviewStream& s) {
            int64_t t = kHour;
            for (int32_t n : c.sequence)
                s.WriteFrame(0, 0, t += 1000, a.get(), 0, n);
            EXPECT_EQ(s.SkippedFrames(), c.skipped) << c.sequence.front();
        });
    }
}

TEST(LaserPreviewStream, ReadFrameGivesTheFrameInForce)
{
    const auto a = PointsFrame(11);
    const auto b = PointsFrame(22);
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, kHour + 1 * kSecond, a.get(), 0, 0);
        s.WriteFrame(0, 0, kHour + 2 * kSecond, nullptr, 0, 0);
        s.WriteFrame(0, 0, kHour + 3 * kSecond, b.get(), 0, 0);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    struct Case
    {
        int32_t channel;
        int64_t time;
        bool found;
        int32_t mark;
    };
    const Case cases[] = {{0, kHour + kSecond - 1, false, 0},
                          {0, kHour + kSecond, true, 11},
                          {0, kHour + 1500000, true, 11},
                          {0, kHour + 2 * kSecond, true, -1},
                          {0, kHour + 2500000, true, -1},
                          {0, kHour + 3 * kSecond, true, 22},
                          {1, kHour + 3 * kSecond, false, 0},
                          {32, kHour, false, 0},
                          {-1, kHour, false, 0}};
    for (const Case& c : cases) {
        LFrame frame;
        frame.count = 12345;
        EXPECT_EQ(stream.ReadFrame(c.channel, c.time, frame), c.found) << c.channel << " " << c.time;
        if (c.found)
            EXPECT_EQ(MarkOf(frame), c.mark) << c.time;
        else
            EXPECT_EQ(frame.count, 12345);
    }
}

TEST(LaserPreviewStream, ClosingEndsEachChannelWithANil)
{
    const auto a = PointsFrame(1);
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, 1000, a.get(), 0, 0);
        s.WriteFrame(0, 1, 1000, a.get(), 0, 0);
        s.WriteFrame(0, 2, 1000, a.get(), 0, 0);
        s.WriteFrame(0, 2, 5000000, a.get(), 0, 0);
        s.WriteFrame(0, 1, 6000000, nullptr, 0, 0);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    const ShowIndexArray& two = stream.ChannelIndex(2);
    ASSERT_EQ(two.Count(), 3);
    EXPECT_EQ(two.Last().time, 5100000);
    EXPECT_TRUE(stream.ChannelEndsWithNil(2));
    LFrame frame;
    EXPECT_TRUE(stream.ReadFrame(2, 5100000, frame));
    EXPECT_EQ(frame.count, 0);
    // A channel that already ends with a NIL gets no second one.
    EXPECT_EQ(stream.ChannelIndex(1).Count(), 2);
    EXPECT_EQ(stream.ChannelIndex(1).Last().time, 6000000);
}

TEST(LaserPreviewStream, FramesWithoutTimeRunOnTheRecordingClock)
{
    FakeClock clock;
    const auto untimed = PointsFrame(1);
    const auto timed = TimedFrame(2, kHour + 48 * 1000);
    RecordShow(
        [&](LLaserPreviewStream& s) {
            clock.now = 1000000;
            EXPECT_TRUE(s.AddFrame(0, 0, untimed.get(), 0, 0));
            clock.now += 40000;
            EXPECT_TRUE(s.AddFrame(0, 0, untimed.get(), 0, 0));
            ASSERT_EQ(s.ChannelIndex(0).Count(), 2);
            EXPECT_EQ(s.ChannelIndex(0)[0].time, kHour);
            EXPECT_EQ(s.ChannelIndex(0)[1].time, kHour + 40000);

            // A timed frame sets the clock to its last time (after its points).
            EXPECT_TRUE(s.AddFrame(0, 1, timed.get(), 0, 0));
            EXPECT_EQ(s.ChannelIndex(1)[0].time, kHour + 48000);
            LFrameStats stats;
            timed->GetStats(stats);
            clock.now += 20000;
            EXPECT_TRUE(s.AddFrame(0, 0, untimed.get(), 0, 0));
            EXPECT_EQ(s.ChannelIndex(0)[2].time, stats.lastTime + 20000);
            EXPECT_EQ(s.FirstTime(), kHour);
            EXPECT_EQ(s.LastTime(), stats.lastTime + 20000);
        },
        &clock);
}

TEST(LaserPreviewStream, SoundIsStoredInChunksAndReadAcrossThem)
{
    std::vector<char> sound(20000);
    for (size_t i = 0; i < sound.size(); ++i)
        sound[i] = static_cast<char>(i * 7 + i / 256);
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        EXPECT_TRUE(s.AddSound(0, sound.data(), static_cast<int32_t>(sound.size())));
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    ASSERT_EQ(stream.SoundIndex().Count(), 3);
    EXPECT_EQ(stream.SoundIndex()[0].time, 0);
    EXPECT_EQ(stream.SoundIndex()[1].time, 8192);
    EXPECT_EQ(stream.SoundIndex()[2].time, 16384);
    EXPECT_EQ(stream.TotalSoundBytes(), 20000);

    std::vector<char> back(sound.size() + 10);
    const int64_t sizes[] = {8192, 8192, 3616, 0};
    size_t at = 0;
    for (int64_t expected : sizes) {
        const int64_t n = stream.AudioRead(back.data() + at, 1, back.size() - at);
        EXPECT_EQ(n, expected);
        at += static_cast<size_t>(std::max<int64_t>(n, 0));
    }
    EXPECT_EQ(0, std::memcmp(back.data(), sound.data(), sound.size()));

    // Items of four bytes across a chunk boundary.
    EXPECT_EQ(stream.AudioSeek(8188, 0), 0);
    int32_t item[3] = {};
    EXPECT_EQ(stream.AudioRead(item, 4, 3), 1);
    EXPECT_EQ(stream.AudioTell(), 8192);
    EXPECT_EQ(stream.AudioRead(item, 4, 0), 0);

    // The converter's copy reads at offsets of its own, leaving the decoder's where it was.
    char copy[50];
    EXPECT_EQ(stream.ReadSound(8170, copy, sizeof copy), static_cast<int32_t>(sizeof copy));
    EXPECT_EQ(0, std::memcmp(copy, sound.data() + 8170, sizeof copy));
    EXPECT_EQ(stream.AudioTell(), 8192);
    EXPECT_EQ(stream.ReadSound(19990, copy, sizeof copy), 10);
    EXPECT_EQ(stream.AudioTell(), 8192);

    // An item that straddles a boundary is gathered from both chunks, not cut.
    EXPECT_EQ(stream.AudioSeek(16382, 0), 0);
    EXPECT_EQ(stream.AudioRead(item, 4, 3), 3);
    EXPECT_EQ(0, std::memcmp(item, sound.data() + 16382, sizeof item));
    EXPECT_EQ(stream.AudioTell(), 16394);
    // Bytes of an item that the sound cannot complete stay unread.
    EXPECT_EQ(stream.AudioSeek(19998, 0), 0);
    EXPECT_EQ(stream.AudioRead(item, 4, 1), 0);
    EXPECT_EQ(stream.AudioTell(), 19998);
}

// A recording of plain frames on two channels and three sound chunks, written to disk.
std::string RecordedShowWithSound(const TempFolder& folder, std::vector<char>& sound)
{
    sound.resize(20000);
    for (size_t i = 0; i < sound.size(); ++i)
        sound[i] = static_cast<char>(i * 13 + i / 100);
    const std::string path = folder.File("recorded.zyl");
    EXPECT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 40; ++i) {
            s.WriteFrame(0, i % 2, kHour + i * 20000, PointsFrame(i, 3 + i % 7, 0).get(), 0, 0);
            if (i % 15 == 0)
                s.AddSound(i / 15 * 8192, sound.data() + i / 15 * 8192,
                           std::min<int32_t>(8192, static_cast<int32_t>(sound.size()) - i / 15 * 8192));
        }
    }));
    return path;
}

// Every byte after the file's prefix becomes junk, in place.
void SpoilTheBody(const std::string& path)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const auto size = static_cast<std::streamoff>(std::filesystem::file_size(path));
    constexpr std::streamoff kPrefix = LArchiveCrypt::kPrefixBytes;
    file.seekp(kPrefix);
    const std::vector<char> junk(static_cast<size_t>(size - kPrefix), 0x5A);
    file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
}

TEST(LaserPreviewStream, AHeldShowReadsEveryRecordFromItsPlainBytes)
{
    // Once held, frames and sound come from memory: the file can be spoilt beneath the stream
    // and every record still reads as it was. A budget too small for the show holds nothing,
    // and the reads go to the file.
    struct Case
    {
        int64_t mostBytes;
        bool held;
    };
    const Case cases[] = {{int64_t{1} << 30, true}, {100, false}};
    for (const Case& c : cases) {
        TempFolder folder;
        std::vector<char> sound;
        const std::string path = RecordedShowWithSound(folder, sound);
        LLaserPreviewStream reference;
        ASSERT_TRUE(OpenBytes(reference, ReadFileBytes(path)));
        LLaserPreviewStream stream;
        ASSERT_TRUE(stream.Open(path.c_str()));
        EXPECT_EQ(stream.HoldPlainData(c.mostBytes), c.held);
        SpoilTheBody(path);

        int32_t same = 0;
        int32_t records = 0;
        auto expected = std::make_unique<LFrame>();
        auto frame = std::make_unique<LFrame>();
        for (int32_t channel = 0; channel < reference.StreamChannelCount(); ++channel) {
            const ShowIndexArray& index = reference.ChannelIndex(channel);
            for (int32_t i = 0; i < index.Count(); ++i, ++records) {
                ASSERT_TRUE(reference.ReadFrameRecord(index[i].position, *expected));
                frame->count = -1;
                const bool read = stream.ReadFrameRecord(index[i].position, *frame);
                same += read && frame->count == expected->count &&
                        std::equal(frame->words, frame->words + frame->count, expected->words);
            }
        }
        std::vector<char> back(sound.size());
        const int32_t n = stream.ReadSound(0, back.data(), static_cast<int32_t>(back.size()));
        const bool soundSame = n == static_cast<int32_t>(sound.size()) && back == sound;
        EXPECT_GT(records, 40);
        if (c.held) {
            EXPECT_EQ(same, records);
            EXPECT_TRUE(soundSame);
            EXPECT_FALSE(stream.GetError().Failed());
        } else {
            EXPECT_LT(same, records);
            EXPECT_FALSE(soundSame);
        }
    }
}

TEST(LaserPreviewStream, AudioSeekKeepsTheOffsetInsideTheAvailableSound)
{
    std::vector<char> sound(20000, 'a');
    const XAString file = RecordShow(
        [&](LLaserPreviewStream& s) { s.AddSound(0, sound.data(), static_cast<int32_t>(sound.size())); });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    struct Case
    {
        int32_t offset;
        int32_t whence;
        int32_t result;
        int64_t tell;
    };
    const Case cases[] = {{-5, 0, -1, 0},    {0, 2, 0, 20000},    {100, 2, -1, 20000}, {-100, 1, 0, 19900},
                          {5, 7, -1, 19900}, {300, 1, -1, 20000}, {123, 0, 0, 123}};
    for (const Case& c : cases) {
        EXPECT_EQ(stream.AudioSeek(c.offset, c.whence), c.result) << c.offset << " " << c.whence;
        EXPECT_EQ(stream.AudioTell(), c.tell);
    }
    EXPECT_EQ(stream.AudioClose(), 0);
    EXPECT_EQ(stream.AudioTell(), 0);
}

// A hand-made show: header, the given data records, then the index records.
XAString HandMadeShow(const XAString& data, const XAString& index)
{
    const int32_t indexPosition = kHeaderBytes + data.Length();
    const int32_t end = indexPosition + index.Length();
    const XAString header = Body([&](LArchiveBase& a) {
        WriteHeader(a, indexPosition, kHour, kHour + kSecond, kHeaderBytes, end, kHeaderBytes, indexPosition,
                    end);
    });
    return EncipheredShow(Concat({header, data, index}));
}

TEST(LaserPreviewStream, PlainFrameOfMoreWordsThanAFrameHoldsIsCut)
{
    constexpr int32_t kAnnounced = 30000;
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(kAnnounced);
        for (int32_t i = 0; i < kAnnounced; ++i)
            a.WriteI32(i);
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(2);
        a.WriteI32(-7);
        a.WriteI32(8);
    });
    const int32_t second = kHeaderBytes + 1 + 3 + kAnnounced * 4;
    const XAString index = Body([&](LArchiveBase& a) {
        a.WriteCount(ShowFile::kIndexFramesLong);
        a.WriteCount(0);
        a.WriteCount(0);
        a.WriteCount(2);
        a.WriteI32(kHeaderBytes);
        a.WriteI64(kHour);
        a.WriteI32(second);
        a.WriteI64(kHour + 1000);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, HandMadeShow(data, index)));
    auto frame = std::make_unique<LFrame>();
    ASSERT_TRUE(stream.ReadFrame(0, kHour, *frame));
    EXPECT_EQ(frame->count, LFrame::kCapacity);
    EXPECT_EQ(frame->words[LFrame::kCapacity - 1], static_cast<uint32_t>(LFrame::kCapacity - 1));
    ASSERT_TRUE(stream.ReadFrame(0, kHour + 1000, *frame));
    ASSERT_EQ(frame->count, 2);
    EXPECT_EQ(frame->words[0], static_cast<uint32_t>(-7));
    EXPECT_EQ(frame->words[1], 8u);
}

TEST(LaserPreviewStream, HostileRecordsFailWithoutHarm)
{
    // A negative word count reads as an empty frame; a count far beyond the body fails.
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(-3);
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(0x7FFFFFFF);
    });
    const XAString index = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kIndexFramesLong);
        a.WriteCount(0);
        a.WriteCount(0);
        a.WriteCount(3);
        a.WriteI32(kHeaderBytes);
        a.WriteI64(kHour);
        a.WriteI32(kHeaderBytes + 6);
        a.WriteI64(kHour + 1000);
        a.WriteI32(-8);
        a.WriteI64(kHour + 2000);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, HandMadeShow(data, index)));
    LFrame frame;
    EXPECT_TRUE(stream.ReadFrame(0, kHour, frame));
    EXPECT_EQ(frame.count, 0);
    // A negative position is refused before it reaches the layer.
    EXPECT_FALSE(stream.ReadFrame(0, kHour + 2000, frame));
    EXPECT_FALSE(stream.GetError().Failed());
    EXPECT_FALSE(stream.ReadFrame(0, kHour + 1000, frame));
    EXPECT_TRUE(stream.GetError().Failed());
    // The error stays until the show is opened again.
    EXPECT_FALSE(stream.ReadFrame(0, kHour, frame));
}

TEST(LaserPreviewStream, AHeldShowFailsWhereTheCipherFailsAndKeepsItsError)
{
    // Records that run past the show's end, read from held plain bytes and through the cipher:
    // the same frames, the same failures, the same error kept until the show is opened again.
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(1);
        a.WriteI32(0x1234);
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(0x7FFFFFFF);
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(3);
    });
    const XAString show =
        HandMadeShow(data, Body([](LArchiveBase& a) { a.WriteCount(ShowFile::kIndexEnd); }));
    struct Read
    {
        bool read = false;
        int32_t count = 0;
        XAString error;
    };
    std::vector<Read> reads[2];
    for (const bool hold : {false, true}) {
        LLaserPreviewStream stream;
        ASSERT_TRUE(OpenBytes(stream, show));
        if (hold) {
            ASSERT_TRUE(stream.HoldPlainData(int64_t{1} << 30));
        }
        for (const int32_t position : {kHeaderBytes, kHeaderBytes + 12, kHeaderBytes + 6, kHeaderBytes}) {
            LFrame frame;
            frame.count = -1;
            Read r;
            r.read = stream.ReadFrameRecord(position, frame);
            r.count = frame.count;
            r.error = stream.GetError().ErrorText();
            reads[hold].push_back(r);
        }
    }
    ASSERT_EQ(reads[0].size(), reads[1].size());
    EXPECT_TRUE(reads[0][0].read);
    EXPECT_EQ(reads[0][0].count, 1);
    EXPECT_FALSE(reads[0][1].read);
    EXPECT_FALSE(reads[0][3].read);
    for (size_t i = 0; i < reads[0].size(); ++i) {
        EXPECT_EQ(reads[1][i].read, reads[0][i].read) << i;
        EXPECT_EQ(reads[1][i].count, reads[0][i].count) << i;
        EXPECT_STREQ(reads[1][i].error.CStr(), reads[0][i].error.CStr()) << i;
    }
}

TEST(LaserPreviewStream, CountedBlocksLongerThanTheFileFail)
{
    constexpr int32_t kHuge = 0x7FFFFFF0;
    // User data declaring more bytes than the index holds.
    const XAString userData = HandMadeShow(XAString(), Body([](LArchiveBase& a) {
                                               a.WriteCount(ShowFile::kIndexUserData);
                                               a.WriteCount(0);
                                               a.WriteCount(kHuge);
                                               a.WriteCount(ShowFile::kIndexEnd);
                                           }));
    LLaserPreviewStream stream;
    EXPECT_FALSE(OpenBytes(stream, userData));
    EXPECT_TRUE(stream.GetError().Failed());

    // The prefix's string, which a reader skips.
    const XAString prefix = Body([](LArchiveBase& a) {
        a.WriteBlock(ShowFile::kMagic, sizeof ShowFile::kMagic);
        a.WriteVersion(ShowFile::kPrefixVersion, 0);
        a.WriteCount(kHuge);
        a.WriteI64(0);
    });
    EXPECT_FALSE(OpenBytes(stream, prefix));
    EXPECT_TRUE(stream.GetError().Failed());

    // A sound chunk declaring more bytes than the file has.
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordSound);
        a.WriteCount(0);
        a.WriteCount(kHuge);
        a.WriteBlock("abc", 3);
    });
    const XAString sound = HandMadeShow(data, Body([](LArchiveBase& a) {
                                            a.WriteCount(ShowFile::kIndexSound);
                                            a.WriteCount(100);
                                            a.WriteCount(1);
                                            a.WriteI32(kHeaderBytes);
                                            a.WriteI32(0);
                                            a.WriteCount(ShowFile::kIndexEnd);
                                        }));
    ASSERT_TRUE(OpenBytes(stream, sound));
    char buffer[16];
    EXPECT_EQ(stream.AudioRead(buffer, 1, sizeof buffer), -1);
    EXPECT_TRUE(stream.GetError().Failed());
}

TEST(LaserPreviewStream, SoundHolesFailInsteadOfLooping)
{
    // The index says a chunk at offset 0 of 100 bytes; the record holds 10 bytes at offset 50.
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordSound);
        a.WriteCount(50);
        a.WriteCounted("0123456789", 10);
        a.WriteCount(ShowFile::kRecordSound);
        a.WriteCount(0);
        a.WriteCounted("abcdefghij", 10);
    });
    const XAString index = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kIndexSound);
        a.WriteCount(100);
        a.WriteCount(2);
        a.WriteI32(kHeaderBytes + 13);
        a.WriteI32(0);
        a.WriteI32(kHeaderBytes);
        a.WriteI32(50);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, HandMadeShow(data, index)));
    char buffer[100];
    EXPECT_EQ(stream.AudioRead(buffer, 1, 100), 10);
    EXPECT_EQ(0, std::memcmp(buffer, "abcdefghij", 10));
    // Offsets 10..49 and 60..99 are in no chunk, though the index says otherwise.
    EXPECT_EQ(stream.AudioRead(buffer, 1, 100), -1);
    EXPECT_EQ(stream.AudioSeek(50, 0), 0);
    EXPECT_EQ(stream.AudioRead(buffer, 1, 100), 10);
    EXPECT_EQ(stream.AudioRead(buffer, 1, 100), -1);
}

TEST(LaserPreviewStream, AChunkLongerThanTheSoundIsReadOnlyToTheSoundsEnd)
{
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordSound);
        a.WriteCount(0);
        a.WriteCounted("abcdefghij", 10);
    });
    const XAString index = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kIndexSound);
        a.WriteCount(8);
        a.WriteCount(1);
        a.WriteI32(kHeaderBytes);
        a.WriteI32(0);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, HandMadeShow(data, index)));
    char buffer[100];
    EXPECT_EQ(stream.AudioRead(buffer, 1, 100), 8);
    EXPECT_EQ(stream.AudioTell(), 8);
    EXPECT_EQ(stream.AudioRead(buffer, 1, 100), 0);
    EXPECT_EQ(stream.AudioSeek(-1, 2), 0);
    EXPECT_EQ(stream.AudioRead(buffer, 3, 5), 0);
    EXPECT_EQ(stream.AudioTell(), 7);
}

TEST(LaserPreviewStream, IndexRecordsOutsideTheirRangesAreReadAndDropped)
{
    const LChanOutParsPair pair(true);
    const XAString index = Body([&](LArchiveBase& a) {
        const int32_t keys[][3] = {{0, 4, 0}, {0, 0, 16}, {32, 0, 0}, {1, 1, 2}};
        for (const auto& key : keys) {
            a.WriteCount(ShowFile::kIndexOutputPars);
            for (int32_t k : key)
                a.WriteCount(k);
            pair.Write(a, true);
        }
        a.WriteCount(ShowFile::kIndexFramesCompactNil);
        a.WriteCount(40);
        a.WriteCount(0);
        a.WriteCount(1);
        a.WriteI32(kHeaderBytes);
        a.WriteI32(5);
        a.WriteCount(ShowFile::kIndexUserData);
        a.WriteCount(4);
        a.WriteCounted("skipped", 7);
        a.WriteCount(ShowFile::kIndexUserData);
        a.WriteCount(3);
        a.WriteCounted("kept", 4);
        a.WriteCount(ShowFile::kIndexIgnoredPair);
        a.WriteCount(1000);
        a.WriteCount(-1);
        a.WriteCount(ShowFile::kIndexOpaqueValue);
        a.WriteI32(-77);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, HandMadeShow(XAString(), index)));
    EXPECT_EQ(stream.OutputParameters(0), nullptr);
    EXPECT_EQ(stream.OutputParameters(1) != nullptr, true);
    const LLaserPreviewStream::PresenceBlock& presence = *stream.OutputPresence(1);
    for (int32_t i = 0; i < 64; ++i)
        EXPECT_EQ(presence[i], i == 1 * 16 + 2 ? 1 : 0) << i;
    EXPECT_EQ(stream.StreamChannelCount(), 0);
    EXPECT_TRUE(stream.UserData(0).IsEmpty());
    EXPECT_EQ(stream.UserData(3), "kept");
    EXPECT_EQ(stream.OpaqueValue(), -77);
}

// A show of one empty frame record and one frame index per tag, on stream channels 0, 1, ...
XAString ShowWithFrameIndexTags(std::initializer_list<int32_t> tags)
{
    const XAString data = Body([](LArchiveBase& a) {
        a.WriteCount(ShowFile::kRecordPlainFrame);
        a.WriteCount(0);
    });
    const XAString index = Body([&](LArchiveBase& a) {
        int32_t channel = 0;
        for (const int32_t tag : tags) {
            a.WriteCount(tag);
            a.WriteCount(0);
            a.WriteCount(channel++);
            a.WriteCount(1);
            a.WriteI32(kHeaderBytes);
            if (tag == ShowFile::kIndexFramesLong || tag == ShowFile::kIndexFramesLongNil)
                a.WriteI64(kHour);
            else
                a.WriteI32(static_cast<int32_t>(kHour / ShowFile::kCompactFrameScale));
        }
        a.WriteCount(ShowFile::kIndexEnd);
    });
    return HandMadeShow(data, index);
}

TEST(LaserPreviewStream, TheNilFlagOfFrameIndexesKeepsOneSense)
{
    // Tags 2 and 6 say the channel's last entry is a frame, 3 and 7 that it is a NIL entry.
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, ShowWithFrameIndexTags({2, 3, 6, 7})));
    const bool nil[] = {false, true, false, true};
    for (int32_t c = 0; c < 4; ++c)
        EXPECT_EQ(stream.ChannelEndsWithNil(c), nil[c]) << c;

    // A show made streamable writes back the tags it read.
    TempFolder folder;
    const std::string path = folder.File("flags.zyl");
    const XAString file = ShowWithFrameIndexTags({2, 3});
    {
        LArchiveFile out(path.c_str(), kArchiveFileCreate, true);
        out.WriteBlock(file.CStr(), file.Length());
    }
    ASSERT_FALSE(
        MakeShowStreamable(nullptr, 0, 1, path.c_str(), nullptr, [] { return kStartValue; }).Failed());
    const XAString plain = DecipherBody(ReadFileBytes(path));
    ASSERT_GT(plain.Length(), kHeaderBytes + 16);
    EXPECT_EQ(plain.CStr()[kHeaderBytes], ShowFile::kIndexFramesLong);
    EXPECT_EQ(plain.CStr()[kHeaderBytes + 16], ShowFile::kIndexFramesLongNil);
}

TEST(LaserPreviewStream, BitmapsAreNumberedOverTheFilledSlots)
{
    const LLaserPreviewBitmap bitmap = TestBitmap("back.bmp", 10);
    ASSERT_FALSE(bitmap.FileBytes().IsEmpty());
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        EXPECT_TRUE(s.AddBitmap(bitmap, 2));
        EXPECT_FALSE(s.AddBitmap(bitmap, 4));
        EXPECT_TRUE(s.AddBitmap(bitmap, -1));
        EXPECT_TRUE(s.AddBitmap(bitmap, -1));
        EXPECT_TRUE(s.AddBitmap(bitmap, -1));
        EXPECT_FALSE(s.AddBitmap(bitmap, -1));
    });
    const XAString single = RecordShow([&](LLaserPreviewStream& s) { EXPECT_TRUE(s.AddBitmap(bitmap, 2)); });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    EXPECT_EQ(stream.BitmapCount(), 4);
    ASSERT_TRUE(OpenBytes(stream, single));
    EXPECT_EQ(stream.BitmapCount(), 1);
    EXPECT_EQ(stream.Bitmap(0).FileBytes(), bitmap.FileBytes());
    EXPECT_EQ(stream.Bitmap(0).Name(), "back.bmp");
    EXPECT_TRUE(stream.Bitmap(1).FileBytes().IsEmpty());
}

TEST(LaserPreviewStream, APrefixOfVersionOneHasNoHeaderPartTwo)
{
    const XAString body = Body([](LArchiveBase& a) {
        a.WriteI32(20);
        a.WriteI64(kHour);
        a.WriteI64(kHour);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.OpenMemory(EncipheredShow(body, 1), -1, nullptr, false));
    EXPECT_EQ(stream.FileEnd(), 0);
    EXPECT_EQ(stream.AvailableBytes(), 0);
    EXPECT_EQ(stream.IndexEnd(), 21);
}

// The times are the file's to choose: a show that claims the whole 64-bit range and is still
// arriving gets a loaded share in range, not an overflow.
TEST(LaserPreviewStream, ExtremeTimesGiveALoadedShareInRange)
{
    const XAString body = Body([](LArchiveBase& a) {
        WriteHeader(a, kHeaderBytes, INT64_MIN, INT64_MAX, kHeaderBytes, 0, kHeaderBytes, kHeaderBytes,
                    0x7FFF0000);
        a.WriteCount(2); // a frame index: server 0, channel 0, one entry
        a.WriteCount(0);
        a.WriteCount(0);
        a.WriteCount(1);
        a.WriteI32(kHeaderBytes);
        a.WriteI64(INT64_MAX - 1);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    LLaserPreviewStream stream;
    stream.OpenMemory(EncipheredShow(body), -1, nullptr, false);
    EXPECT_GE(stream.LoadedFraction(), 0.0f);
    EXPECT_LE(stream.LoadedFraction(), 1.0f);
}

TEST(LaserPreviewStream, BrokenHeadersAreRefused)
{
    struct Case
    {
        const char* what;
        int32_t indexPosition;
        int32_t indexEnd;
        int32_t fileEnd;
        const char* error;
    };
    const Case cases[] = {
        {"negative index position", -8, 43, 43, "Invalid Zyl file!"},
        {"index end beyond any file", 42, 0x7FFFFFF0, 0x7FFFFFF0, "Invalid Zyl file!"},
        {"negative file end", 42, 43, -1, "Invalid Zyl file!"},
        {"index ends before it starts", 42, 30, 43, "Invalid Zyl file!"},
    };
    for (const Case& c : cases) {
        const XAString body = Body([&](LArchiveBase& a) {
            WriteHeader(a, c.indexPosition, kHour, kHour, 42, c.indexEnd, 42, 42, c.fileEnd);
            a.WriteCount(ShowFile::kIndexEnd);
            // Past the 256 bytes below which any failed progressive open asks for 256.
            const char filler[ShowFile::kNeededMargin] = {};
            a.WriteBlock(filler, sizeof filler);
        });
        LLaserPreviewStream stream;
        EXPECT_FALSE(stream.OpenMemory(EncipheredShow(body), -1, nullptr, false)) << c.what;
        EXPECT_EQ(stream.GetError().ErrorText(), c.error) << c.what;
        EXPECT_FALSE(stream.IsOpen());
        // Opening progressively, they are errors too, not a wait for bytes that never come.
        int32_t needed = -1;
        EXPECT_FALSE(stream.OpenMemory(EncipheredShow(body), -1, &needed, false)) << c.what;
        EXPECT_EQ(stream.GetError().ErrorText(), c.error) << c.what;
        EXPECT_EQ(needed, 0) << c.what;
    }

    LLaserPreviewStream stream;
    XAString wrong =
        EncipheredShow(Body([](LArchiveBase& a) { WriteHeader(a, 42, 0, 0, 42, 43, 42, 42, 43); }));
    wrong = Concat({XAString("ZYX"), wrong.Sub(3, wrong.Length())});
    EXPECT_FALSE(OpenBytes(stream, wrong));
    EXPECT_EQ(stream.GetError().ErrorText(), "Invalid Zyl file!");

    // An unknown index tag hides the rest of the index: the show is refused with the file's error,
    // not with an empty one.
    const XAString unknown = Body([](LArchiveBase& a) {
        WriteHeader(a, 42, kHour, kHour, 42, 44, 42, 42, 44);
        a.WriteCount(77);
        a.WriteCount(ShowFile::kIndexEnd);
    });
    EXPECT_FALSE(OpenBytes(stream, EncipheredShow(unknown)));
    EXPECT_EQ(stream.GetError().ErrorText(), "Invalid Zyl file!");
}

TEST(LaserPreviewStream, OpenMemoryTellsHowManyBytesItNeeds)
{
    const auto a = PointsFrame(1, 200);
    const XAString file = RecordShow([&](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 20; ++i)
            s.WriteFrame(0, 0, kHour + i * 40000, a.get(), 0, 0);
    });
    LLaserPreviewStream stream;
    ASSERT_TRUE(OpenBytes(stream, file));
    const int32_t indexEnd = stream.IndexEnd();

    int32_t needed = -1;
    EXPECT_FALSE(stream.OpenMemory(file, 100, &needed, false));
    EXPECT_EQ(needed, 256);
    EXPECT_FALSE(stream.GetError().Failed());

    // Header there, index (at the end of a recording) not yet.
    EXPECT_FALSE(stream.OpenMemory(file, file.Length() - 20, &needed, false));
    EXPECT_EQ(needed, indexEnd + 256);
    EXPECT_GT(needed, file.Length() - 20);
    EXPECT_FALSE(stream.GetError().Failed());

    // Without the out-value the short body is an error.
    EXPECT_FALSE(stream.OpenMemory(file, file.Length() - 20, nullptr, false));
    EXPECT_EQ(stream.GetError().ErrorText(), "File too short!");
}

} // namespace

namespace {

TEST(LaserPreviewStream, AShowStartingAtTimeZeroIsReadOnlyAsFarAsItHasArrived)
{
    // The available-time limit of a partly loaded show can be 0 itself; it still limits.
    TempFolder folder;
    const std::string path = folder.File("zero.zyl");
    ASSERT_TRUE(RecordShowFile(path, [](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 3; ++i) {
            const auto frame = PointsFrame(i + 1, 300);
            s.WriteFrame(0, 0, i * kSecond, frame.get(), 0, 0);
        }
    }));
    ASSERT_FALSE(
        MakeShowStreamable(nullptr, 0, 1, path.c_str(), nullptr, [] { return kStartValue; }).Failed());
    const XAString file = ReadFileBytes(path);
    constexpr int32_t kStep = 16;
    bool sawLimitZero = false;
    for (int32_t length = 0; length < file.Length(); length += kStep) {
        LLaserPreviewStream stream;
        int32_t needed = 0;
        if (!stream.OpenMemory(file, length, &needed, false))
            continue;
        ASSERT_TRUE(stream.IsIncomplete());
        sawLimitZero |= stream.AvailableTimeLimit() == 0;
        for (const int64_t time : {int64_t{0}, kSecond / 2, kSecond, 2 * kSecond}) {
            LFrame frame;
            if (stream.ReadFrame(0, time, frame)) {
                EXPECT_LT(time, stream.AvailableTimeLimit()) << length;
                EXPECT_EQ(MarkOf(frame), static_cast<int32_t>(time / kSecond) + 1) << length;
            }
            EXPECT_FALSE(stream.GetError().Failed()) << length << " " << time;
        }
        EXPECT_EQ(stream.AvailableTimeUs(), stream.AvailableTimeLimit());
    }
    EXPECT_TRUE(sawLimitZero);
}

} // namespace

namespace {

TEST(LaserPreviewStream, AShowWithSoundOpensOnceItsFirstChunkIsThere)
{
    TempFolder folder;
    const std::string path = folder.File("sound.zyl");
    const std::vector<char> sound(1000, 's');
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        const auto frame = PointsFrame(1, 300);
        s.WriteFrame(0, 0, kHour, frame.get(), 0, 0);
        s.AddSound(0, sound.data(), static_cast<int32_t>(sound.size()));
    }));
    ASSERT_FALSE(
        MakeShowStreamable(nullptr, 0, 1, path.c_str(), nullptr, [] { return kStartValue; }).Failed());
    const XAString file = ReadFileBytes(path);
    LLaserPreviewStream whole;
    ASSERT_TRUE(OpenBytes(whole, file));
    ASSERT_EQ(whole.SoundIndex().Count(), 1);
    // The record end as far as the index tells it: its position plus the chunk's length.
    const int32_t chunkReady = whole.SoundIndex()[0].position + 1000 + 64;
    const int32_t indexNeeded = whole.IndexEnd() + 256;

    bool askedForTheChunk = false;
    bool opened = false;
    for (int32_t length = 256; length <= file.Length() && !opened; length += 8) {
        LLaserPreviewStream stream;
        int32_t needed = 0;
        opened = stream.OpenMemory(file, length, &needed, false);
        if (opened) {
            EXPECT_GE(stream.AvailableBytes() == 0 ? file.Length() : stream.AvailableBytes(), chunkReady);
        } else if (needed != indexNeeded) {
            EXPECT_EQ(needed, chunkReady + 256) << length;
            askedForTheChunk = true;
        }
    }
    EXPECT_TRUE(opened);
    EXPECT_TRUE(askedForTheChunk);
}

} // namespace

namespace {

TEST(LaserPreviewStream, TheLoadedFractionIsExactForShowsLongerThanHalfAnHour)
{
    // A streamable show of two hours: frames at 0, 1 and 2 hours after its first time.
    constexpr int32_t kWords = 1000;
    constexpr int32_t kRecordBytes = 1 + 3 + kWords * 4;
    constexpr int32_t kIndexBytes = 4 + 3 * 12 + 1;
    constexpr int32_t kDataStart = kHeaderBytes + kIndexBytes;
    constexpr int32_t kDataEnd = kDataStart + 3 * kRecordBytes;
    const XAString body = Body([](LArchiveBase& a) {
        WriteHeader(a, kHeaderBytes, kHour, 3 * kHour, kHeaderBytes, kDataStart, kDataStart, kDataEnd,
                    kDataEnd);
        a.WriteCount(ShowFile::kIndexFramesLong);
        a.WriteCount(0);
        a.WriteCount(0);
        a.WriteCount(3);
        for (int32_t k = 0; k < 3; ++k) {
            a.WriteI32(kDataStart + k * kRecordBytes);
            a.WriteI64((k + 1) * kHour);
        }
        a.WriteCount(ShowFile::kIndexEnd);
        for (int32_t k = 0; k < 3; ++k) {
            a.WriteCount(ShowFile::kRecordPlainFrame);
            a.WriteCount(kWords);
            for (int32_t i = 0; i < kWords; ++i)
                a.WriteI32(k);
        }
    });
    const XAString file = EncipheredShow(body);
    bool sawHalf = false;
    for (int32_t length = 256; length < file.Length(); length += 64) {
        LLaserPreviewStream stream;
        int32_t needed = 0;
        if (!stream.OpenMemory(file, length, &needed, false))
            continue;
        const int32_t size = stream.AvailableBytes();
        if (size >= kDataStart + kRecordBytes && size < kDataStart + 2 * kRecordBytes) {
            EXPECT_EQ(stream.AvailableTimeLimit(), 2 * kHour);
            EXPECT_FLOAT_EQ(stream.LoadedFraction(), 0.5f);
            sawHalf = true;
        }
    }
    EXPECT_TRUE(sawHalf);
}

} // namespace

namespace {

// A converted show with sound (index in front, coded frames), whole and as a failed copy left
// it: cut at 70 % of its bytes.
struct CutShow
{
    static constexpr int32_t kFrames = 200;
    static constexpr int64_t kStep = 40000;
    TempFolder folder;
    std::string whole = folder.File("whole.zyl");
    std::string cut = folder.File("cut.zyl");

    CutShow()
    {
        ShowGeneratorOptions options;
        options.servers = 1;
        options.channelsPerServer = 1;
        options.durationUs = kFrames * kStep;
        options.pointsPerFrame = 40;
        options.sound = true;
        options.soundChannels = 1;
        options.soundRate = 11025;
        EXPECT_FALSE(GenerateShow(whole.c_str(), options).Failed());
        options.form = ShowForm::kTruncated;
        options.truncateBytes = static_cast<int32_t>(std::filesystem::file_size(whole) * 7 / 10);
        EXPECT_FALSE(GenerateShow(cut.c_str(), options).Failed());
    }
};

TEST(LaserPreviewStream, AShowCutShortOnDiskPlaysEverythingItHoldsAndSeeksBack)
{
    CutShow show;
    LLaserPreviewStream whole;
    ASSERT_TRUE(whole.Open(show.whole.c_str()));
    LLaserPreviewStream cut;
    ASSERT_TRUE(cut.Open(show.cut.c_str()));
    ASSERT_TRUE(cut.IsIncomplete());

    // Frames come back as the whole show has them up to the cut, and fail after it; the sound
    // decoder reads between them, as the player does.
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&cut)) << decoder.GetError().ErrorText().CStr();
    auto expected = std::make_unique<LFrame>();
    auto frame = std::make_unique<LFrame>();
    std::vector<char> pcm(4096);
    bool changed = false;
    int32_t readable = 0;
    int32_t failedAfter = 0;
    for (int32_t i = 0; i < CutShow::kFrames; ++i) {
        const int64_t time = kHour + i * CutShow::kStep;
        ASSERT_TRUE(whole.ReadFrame(0, time, *expected));
        if (cut.ReadFrame(0, time, *frame)) {
            EXPECT_EQ(failedAfter, 0) << "frame " << i << " read after a failed one";
            EXPECT_EQ(frame->count, expected->count);
            EXPECT_EQ(frame->words[1], expected->words[1]);
            ++readable;
        } else {
            ++failedAfter;
        }
        decoder.Read(pcm.data(), static_cast<int32_t>(pcm.size()), changed);
    }
    // Every frame whose record ends before the cut (the next record starts there at the latest).
    const ShowIndexArray& index = cut.ChannelIndex(0);
    int32_t held = 0;
    while (held + 1 < index.Count() && index[held + 1].position <= cut.AvailableBytes())
        ++held;
    EXPECT_GT(held, CutShow::kFrames / 5);
    EXPECT_GE(readable, held);
    EXPECT_GT(failedAfter, 0);
    EXPECT_FALSE(cut.GetError().Failed());

    // Seeking back plays again, sound included.
    ASSERT_TRUE(cut.ReadFrame(0, kHour, *frame));
    ASSERT_TRUE(whole.ReadFrame(0, kHour, *expected));
    EXPECT_EQ(frame->words[1], expected->words[1]);
    ASSERT_TRUE(decoder.SeekPcm(0));
    EXPECT_GT(decoder.Read(pcm.data(), static_cast<int32_t>(pcm.size()), changed), 0);
}

} // namespace

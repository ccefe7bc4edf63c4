#include "show/show_file_converter.h"

#include "show/test_support/memory_ogg_source.h"
#include "tools/ogg_vorbis_encoder.h"
#include "show/ogg_vorbis_stream.h"
#include "show/test_support/show_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

using namespace show_test;

constexpr int64_t kSecond = 1000000;

ShowConvertOptions Options(const std::string& input)
{
    ShowConvertOptions options;
    options.inputPath = input.c_str();
    options.startValue = [] { return kStartValue; };
    return options;
}

int32_t FilesIn(const TempFolder& folder)
{
    int32_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++n;
    return n;
}

class ShowFileConverterTest : public ::testing::Test
{
  protected:
    void Open(const std::string& path)
    {
        ASSERT_TRUE(stream_.Open(path.c_str())) << stream_.GetError().ErrorText().CStr();
    }

    int32_t MarkAt(int32_t channel, int64_t time)
    {
        LFrame frame;
        return stream_.ReadFrame(channel, time, frame) ? MarkOf(frame) : -2;
    }

    TempFolder folder_;
    LLaserPreviewStream stream_;
};

TEST_F(ShowFileConverterTest, RepeatedFramesAreDroppedAndTheKeptOneLasts)
{
    const std::string path = folder_.File("show.zyl");
    const auto same = PointsFrame(5);
    const auto other = PointsFrame(6);
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 10; ++i)
            s.WriteFrame(0, 0, kHour + i * 40000, same.get(), 0, 0);
        s.WriteFrame(0, 0, kHour + 400000, other.get(), 0, 0);
    }));
    ASSERT_FALSE(ShowFileConverter(Options(path)).Failed());
    Open(path);
    const ShowIndexArray& index = stream_.ChannelIndex(0);
    ASSERT_EQ(index.Count(), 3); // the first frame, the other one and the closing NIL
    EXPECT_EQ(index[0].time, kHour);
    EXPECT_EQ(index[1].time, kHour + 400000);
    EXPECT_EQ(MarkAt(0, kHour + 360000), 5);
    EXPECT_EQ(MarkAt(0, kHour + 400000), 6);
    EXPECT_TRUE(stream_.Codec().HasTables());
    EXPECT_GE(stream_.DataStart(), stream_.IndexPosition());
}

TEST_F(ShowFileConverterTest, ATinyShowConvertsToTheseBytes)
{
    // Uncoded, so that every byte follows from the layout: a repeated frame is dropped, frames
    // go in time order (equal times by input position), the index moves in front of the data.
    const std::string path = folder_.File("tiny.zyl");
    const auto a = frame_test::MakeFrame({0x11});
    const auto b = frame_test::MakeFrame({0x22, 0x33});
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, kHour, a.get(), 0, 0);
        s.WriteFrame(0, 1, kHour, b.get(), 0, 0);
        s.WriteFrame(0, 0, kHour + 40000, a.get(), 0, 0);
    }));
    ShowConvertOptions options = Options(path);
    options.compress = false;
    ASSERT_FALSE(ShowFileConverter(options).Failed());
    const XAString file = ReadFileBytes(path);
    const uint8_t prefix[] = {'Z', 'Y', 'L', 0, 2, 0, 0, 0};
    ASSERT_GT(file.Length(), static_cast<int32_t>(sizeof prefix));
    EXPECT_EQ(0, std::memcmp(file.CStr(), prefix, sizeof prefix));
    // clang-format off
    const uint8_t body[] = {
        0, 0, 0, 42,                                  // index position: right after the header
        0, 0, 0, 0, 0xD6, 0x93, 0xA4, 0,              // first and last time, as in the input
        0, 0, 0, 0, 0xD6, 0x93, 0xA4, 0,
        1, 0,                                         // version 1, oldest reader 0
        0, 0, 0, 42, 0, 0, 0, 99,                     // body start, index end
        0, 0, 0, 99, 0, 0, 0, 117, 0, 0, 0, 117,      // data start, data end, file end
        3, 0, 0, 2,                                   // stream channel 0 (server 0), last a NIL
        0, 0, 0, 99, 0, 0, 0, 0, 0xD6, 0x93, 0xA4, 0, //   a
        0, 0, 0, 116, 0, 0, 0, 0, 0xD6, 0x95, 0xC6, 0xE0, // its NIL, 100,000 us after the repeat
        3, 0, 1, 2,                                   // stream channel 1
        0, 0, 0, 105, 0, 0, 0, 0, 0xD6, 0x93, 0xA4, 0, //  b
        0, 0, 0, 115, 0, 0, 0, 0, 0xD6, 0x95, 0x2A, 0xA0, // its NIL
        0,                                            // end of the index
        2, 1, 0, 0, 0, 0x11,                          // a at 99
        2, 2, 0, 0, 0, 0x22, 0, 0, 0, 0x33,           // b at 105 (same time, later in the input)
        3,                                            // channel 1's NIL at 115 comes first
        3};                                           // channel 0's NIL at 116
    // clang-format on
    const XAString plain = DecipherBody(file);
    ASSERT_EQ(plain.Length(), static_cast<int32_t>(sizeof body));
    for (int32_t i = 0; i < plain.Length(); ++i)
        EXPECT_EQ(static_cast<uint8_t>(plain.CStr()[i]), body[i]) << "byte " << i;
}

TEST_F(ShowFileConverterTest, FrameRatePassKeepsFirstAndLast)
{
    struct Case
    {
        float limit;
        int64_t spacing;
    };
    const Case cases[] = {{20.0f, 50000}, {0.1f, 10 * kSecond}, {0.0f, 10 * kSecond}};
    for (const Case& c : cases) {
        const std::string path = folder_.File("fps.zyl");
        ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
            for (int32_t i = 0; i <= 2000; ++i) {
                const auto frame = PointsFrame(i % 1000 + 1);
                s.WriteFrame(0, 0, kHour + i * 10000, frame.get(), 0, 0);
            }
        }));
        ShowConvertOptions options = Options(path);
        options.reduceFrameRate = true;
        options.frameRateLimit = c.limit;
        options.removeDuplicates = false;
        ASSERT_FALSE(ShowFileConverter(options).Failed());
        Open(path);
        const ShowIndexArray& index = stream_.ChannelIndex(0);
        // The closing NIL came after the thinning.
        ASSERT_GE(index.Count(), 3);
        EXPECT_EQ(index[0].time, kHour);
        EXPECT_EQ(index[index.Count() - 2].time, kHour + 20 * kSecond);
        for (int32_t i = 1; i + 2 < index.Count(); ++i)
            EXPECT_GE(index[i + 1].time - index[i - 1].time, c.spacing) << c.limit << " at " << i;
        const int64_t expected = 20 * kSecond / c.spacing;
        EXPECT_NEAR(index.Count() - 2, expected, expected / 2 + 2) << c.limit;
        stream_.Close();
    }
}

// Frame times are the file's to choose: frames at both ends of the 64-bit range are recorded,
// thinned and closed without the spacing or the closing NIL overflowing. (The streamable index
// keeps times in a compact form that cannot hold such times exactly.)
TEST_F(ShowFileConverterTest, FramesAtTheEndsOfTimeConvert)
{
    const int64_t times[] = {INT64_MIN + 1, -1, INT64_MAX - 1};
    const std::string path = folder_.File("ends.zyl");
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 3; ++i) {
            const auto frame = PointsFrame(i + 1);
            s.WriteFrame(0, 0, times[i], frame.get(), 0, 0);
        }
    }));
    ShowConvertOptions options = Options(path);
    options.reduceFrameRate = true;
    options.frameRateLimit = 20.0f;
    ASSERT_FALSE(ShowFileConverter(options).Failed());
    Open(path);
    EXPECT_EQ(stream_.ChannelIndex(0).Count(), 4) << "three frames and the closing NIL";
}

TEST_F(ShowFileConverterTest, CodedInputKeepsItsWidthsWithoutCompress)
{
    const std::string path = folder_.File("coded.zyl");
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 20; ++i) {
            const auto frame = PointsFrame(100 + i * 300, 50);
            s.WriteFrame(0, 0, kHour + i * 40000, frame.get(), 0, 0);
        }
    }));
    ShowConvertOptions first = Options(path);
    first.quality = 60;
    ASSERT_FALSE(ShowFileConverter(first).Failed());
    ShowConvertOptions again = Options(path);
    again.compress = false;
    again.removeDuplicates = false;
    ASSERT_FALSE(ShowFileConverter(again).Failed());
    Open(path);
    EXPECT_TRUE(stream_.Codec().HasTables());
    EXPECT_EQ(stream_.Codec().XYBits(), 8);
    EXPECT_EQ(stream_.ChannelIndex(0).Count(), 21);
    LFrame frame;
    EXPECT_TRUE(stream_.ReadFrame(0, kHour + 19 * 40000, frame));
    EXPECT_GT(frame.count, 0);
}

TEST_F(ShowFileConverterTest, UncodedConversionWritesPlainFramesInTimeOrder)
{
    const std::string path = folder_.File("order.zyl");
    const auto a = PointsFrame(1);
    const auto b = PointsFrame(2);
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, kHour, a.get(), 0, 0);
        s.WriteFrame(0, 1, kHour, b.get(), 0, 0);
        s.WriteFrame(0, 1, kHour + kSecond, a.get(), 0, 0);
        s.WriteFrame(0, 0, kHour + kSecond, b.get(), 0, 0);
        // Arriving late: earlier in time, later in the file.
        s.WriteFrame(0, 2, kHour + 500000, a.get(), 0, 0);
    }));
    ShowConvertOptions options = Options(path);
    options.compress = false;
    options.removeDuplicates = false;
    ASSERT_FALSE(ShowFileConverter(options).Failed());
    Open(path);
    EXPECT_FALSE(stream_.Codec().HasTables());
    const ShowIndexArray& zero = stream_.ChannelIndex(0);
    const ShowIndexArray& one = stream_.ChannelIndex(1);
    const ShowIndexArray& two = stream_.ChannelIndex(2);
    // Equal times go in the order of the input's file positions, and time comes first.
    EXPECT_LT(zero[0].position, one[0].position);
    EXPECT_LT(one[0].position, two[0].position);
    EXPECT_LT(two[0].position, one[1].position);
    EXPECT_LT(one[1].position, zero[1].position);
    EXPECT_EQ(MarkAt(0, kHour + kSecond), 2);
    EXPECT_EQ(MarkAt(1, kHour + kSecond), 1);
    EXPECT_EQ(MarkAt(2, kHour + 500000), 1);
}

TEST_F(ShowFileConverterTest, MoreThanEightStreamChannelsSurvive)
{
    const std::string path = folder_.File("wide.zyl");
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        for (int32_t pair = 0; pair < 20; ++pair) {
            const auto frame = PointsFrame(pair + 1, 4, pair % 4, pair / 4);
            s.WriteFrame(pair / 8, pair % 8, kHour + pair * 1000, frame.get(), 0, 0);
        }
    }));
    ASSERT_FALSE(ShowFileConverter(Options(path)).Failed());
    Open(path);
    ASSERT_EQ(stream_.StreamChannelCount(), 20);
    for (int32_t c = 0; c < 20; ++c) {
        EXPECT_EQ(stream_.ChannelServer(c), c / 8);
        EXPECT_EQ(MarkAt(c, kHour + c * 1000), c + 1);
    }
}

TEST_F(ShowFileConverterTest, OnlyTheOutputChannelsInUseKeepTheirParameters)
{
    const std::string path = folder_.File("pars.zyl");
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        LChanOutParsPair pair(true);
        pair.records[0].sizeX = 0.25f;
        s.StoreParameterRecord(2, 1, 3, pair);
        const auto frame = PointsFrame(9, 4, 1, 3);
        s.WriteFrame(2, 0, kHour, frame.get(), 0, 0);
        s.AddBitmap(TestBitmap("b.bmp", 0), 1);
        s.SetUserData(0, "settings");
        s.SetUserData(2, "old");
    }));
    ShowConvertOptions options = Options(path);
    options.userDataSlots = 4;
    options.newUserData[1] = "new";
    options.deleteUserData[2] = true;
    options.bitmapsToAdd.push_back(TestBitmap("c.bmp", 50));
    ASSERT_FALSE(ShowFileConverter(options).Failed());
    Open(path);
    const LLaserPreviewStream::PresenceBlock* presence = stream_.OutputPresence(2);
    ASSERT_NE(presence, nullptr);
    for (int32_t i = 0; i < 64; ++i)
        EXPECT_EQ((*presence)[i], i == 1 * 16 + 3 ? 1 : 0) << i;
    EXPECT_EQ(stream_.OutputParameters(2)->Entry(1, 3).records[0].sizeX, 0.25f);
    EXPECT_EQ(stream_.BitmapCount(), 2);
    EXPECT_EQ(stream_.Bitmap(0).Name(), "b.bmp");
    EXPECT_EQ(stream_.Bitmap(1).Name(), "c.bmp");
    EXPECT_EQ(stream_.UserData(0), "settings");
    EXPECT_EQ(stream_.UserData(1), "new");
    EXPECT_TRUE(stream_.UserData(2).IsEmpty());
}

// Play time of the first bytes of an Ogg Vorbis stream.
int64_t PlayTimeOf(const std::vector<uint8_t>& sound, int64_t bytes)
{
    MemoryOggSource source(std::vector<uint8_t>(sound.begin(), sound.begin() + bytes));
    source.SetSeekable(false);
    LOggVorbisStream decoder;
    if (!decoder.Open(&source))
        return 0;
    std::vector<char> pcm(65536);
    bool changed = false;
    while (decoder.Read(pcm.data(), static_cast<int32_t>(pcm.size()), changed) > 0) {
    }
    return decoder.TellTime();
}

TEST_F(ShowFileConverterTest, SoundRunsAboutFiveSecondsAheadOfTheFrames)
{
    constexpr int32_t kRate = 22050;
    const std::vector<uint8_t> sound = EncodeOggVorbis(2, kRate, 30 * kRate, Tones({440.0, 660.0}, kRate));
    const std::string path = folder_.File("sound.zyl");
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        s.AddSound(0, sound.data(), static_cast<int32_t>(sound.size()));
        for (int32_t i = 0; i <= 25; ++i) {
            const auto frame = PointsFrame(i + 1);
            s.WriteFrame(0, 0, kHour + i * kSecond, frame.get(), 0, 0);
        }
        s.SetTimes(kHour, kHour + 25 * kSecond);
    }));
    ASSERT_FALSE(ShowFileConverter(Options(path)).Failed());
    Open(path);
    ASSERT_EQ(stream_.TotalSoundBytes(), static_cast<int32_t>(sound.size()));
    std::vector<uint8_t> back(sound.size());
    ASSERT_EQ(stream_.ReadSound(0, back.data(), static_cast<int32_t>(back.size())),
              static_cast<int32_t>(back.size()));
    EXPECT_EQ(back, sound);

    const ShowIndexArray& frames = stream_.ChannelIndex(0);
    const ShowIndexArray& chunks = stream_.SoundIndex();
    for (int32_t second : {2, 10, 18}) {
        const int32_t framePosition = frames[second].position;
        int64_t before = 0;
        for (int32_t i = 0; i < chunks.Count() && chunks[i].position < framePosition; ++i)
            before =
                std::min<int64_t>(chunks[i].time + ShowFile::kSoundChunkBytes, stream_.TotalSoundBytes());
        const int64_t ahead = PlayTimeOf(sound, before) - second * kSecond;
        EXPECT_GE(ahead, 4 * kSecond) << second;
        EXPECT_LE(ahead, 8 * kSecond) << second;
    }
}

TEST_F(ShowFileConverterTest, SoundCanBeReplacedOrRemoved)
{
    constexpr int32_t kRate = 8000;
    const std::vector<uint8_t> sound = EncodeOggVorbis(1, kRate, 2 * kRate, Tones({300.0}, kRate));
    const std::string soundPath = folder_.File("new.ogg");
    std::ofstream(soundPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(sound.data()), static_cast<std::streamsize>(sound.size()));
    const std::string path = folder_.File("replace.zyl");
    const auto frame = PointsFrame(1);
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        s.AddSound(0, "not sound at all", 16);
        s.WriteFrame(0, 0, kHour, frame.get(), 0, 0);
    }));
    ShowConvertOptions options = Options(path);
    options.changeSound = true;
    options.newSoundFile = soundPath.c_str();
    ASSERT_FALSE(ShowFileConverter(options).Failed());
    Open(path);
    EXPECT_EQ(stream_.TotalSoundBytes(), static_cast<int32_t>(sound.size()));
    stream_.Close();

    options.newSoundFile = XAString();
    ASSERT_FALSE(ShowFileConverter(options).Failed());
    Open(path);
    EXPECT_EQ(stream_.TotalSoundBytes(), 0);
    EXPECT_EQ(FilesIn(folder_), 2);
}

TEST_F(ShowFileConverterTest, FailuresLeaveTheOutputAsItWas)
{
    const std::string output = folder_.File("out.zyl");
    std::ofstream(output) << "precious";
    const std::string input = folder_.File("in.zyl");

    // A broken-off recording has no index.
    FakeClock clock;
    {
        LLaserPreviewStream recording;
        MakeDeterministic(recording, &clock);
        ASSERT_TRUE(recording.Create(input.c_str()));
        const auto frame = PointsFrame(1);
        recording.OnFrame(0, 0, frame.get(), 0, 0);
        recording.Close(true);
    }
    ShowConvertOptions options = Options(input);
    options.outputPath = output.c_str();
    const CError broken = ShowFileConverter(options);
    EXPECT_EQ(broken.ErrorText(), "Invalid Zyl file!");

    // A frame record that cannot be read fails the conversion half-way.
    ASSERT_TRUE(RecordShowFile(input, [&](LLaserPreviewStream& s) {
        const auto frame = PointsFrame(1);
        s.WriteFrame(0, 0, kHour, frame.get(), 0, 0);
        s.ShiftAllPositions(1 << 20, 0, INT32_MAX); // the record lies beyond the file
    }));
    const CError unreadable = ShowFileConverter(options);
    EXPECT_EQ(unreadable.ErrorText(), XAString::Format("Error while creating '%s'!", output.c_str()));
    EXPECT_EQ(ReadFileBytes(output), "precious");
    EXPECT_EQ(FilesIn(folder_), 2);

    options.inputPath = folder_.File("missing.zyl").c_str();
    EXPECT_TRUE(ShowFileConverter(options).Failed());
    EXPECT_EQ(ReadFileBytes(output), "precious");

    // An output that did not exist is not created by a failed conversion.
    options.inputPath = input.c_str();
    options.outputPath = folder_.File("new.zyl").c_str();
    EXPECT_TRUE(ShowFileConverter(options).Failed());
    EXPECT_FALSE(std::filesystem::exists(folder_.File("new.zyl")));
    EXPECT_EQ(FilesIn(folder_), 2);
}

TEST_F(ShowFileConverterTest, MakeShowStreamableLeavesAStreamableShowAlone)
{
    const std::string path = folder_.File("s.zyl");
    const auto frame = PointsFrame(3);
    ASSERT_TRUE(RecordShowFile(path, [&](LLaserPreviewStream& s) {
        for (int32_t i = 0; i < 5; ++i)
            s.WriteFrame(0, 0, kHour + i * kSecond, frame.get(), 0, 0);
        s.AddSound(0, "0123456789", 10);
    }));
    const XAString raw = ReadFileBytes(path);
    ASSERT_FALSE(
        MakeShowStreamable(nullptr, 0, 1, path.c_str(), nullptr, [] { return kStartValue; }).Failed());
    const XAString streamable = ReadFileBytes(path);
    EXPECT_EQ(streamable.Length(), raw.Length());
    ASSERT_FALSE(MakeShowStreamable(nullptr, 0, 1, path.c_str(), nullptr).Failed());
    EXPECT_EQ(ReadFileBytes(path), streamable);

    Open(path);
    EXPECT_EQ(stream_.IndexPosition(), stream_.BodyStart());
    EXPECT_EQ(stream_.DataStart(), stream_.IndexEnd());
    EXPECT_EQ(MarkAt(0, kHour + 4 * kSecond), 3);
    char sound[10];
    EXPECT_EQ(stream_.ReadSound(0, sound, 10), 10);
    EXPECT_EQ(0, std::memcmp(sound, "0123456789", 10));
}

class AbortingProgress : public LShowConvertProgress
{
  public:
    bool OnConvertProgress(const char* text, float fraction) override
    {
        texts.push_back(text);
        return texts.size() < 3;
    }
    std::vector<std::string> texts;
};

TEST_F(ShowFileConverterTest, AReceiverCanAbort)
{
    const std::string path = folder_.File("a.zyl");
    const auto frame = PointsFrame(3);
    ASSERT_TRUE(
        RecordShowFile(path, [&](LLaserPreviewStream& s) { s.WriteFrame(0, 0, kHour, frame.get(), 0, 0); }));
    const XAString before = ReadFileBytes(path);
    AbortingProgress progress;
    ShowConvertOptions options = Options(path);
    options.progress = &progress;
    EXPECT_EQ(ShowFileConverter(options).ErrorText(), "Aborted by user!");
    ASSERT_EQ(progress.texts.size(), 3u);
    EXPECT_EQ(progress.texts[0], "Compressing...");
    EXPECT_EQ(ReadFileBytes(path), before);
}

} // namespace

// Closing a recording converts it only when its recorder gave the conversion.
TEST_F(ShowFileConverterTest, ARecordingIsConvertedWhenClosedOnlyWithItsRecordersConversion)
{
    for (const bool convert : {false, true}) {
        const std::string path = folder_.File(convert ? "converted.zyl" : "recorded.zyl");
        FakeClock clock;
        LLaserPreviewStream recording;
        MakeDeterministic(recording, &clock);
        ASSERT_TRUE(recording.Create(path.c_str()));
        if (convert)
            recording.SetCloseConversion(ConvertRecording);
        const auto frame = PointsFrame(3);
        recording.WriteFrame(0, 0, kHour, frame.get(), 0, 0);
        ASSERT_TRUE(recording.Close(false)) << recording.GetError().ErrorText().CStr();
        Open(path);
        EXPECT_EQ(stream_.Codec().HasTables(), convert);
        EXPECT_EQ(stream_.DataStart() >= stream_.IndexPosition(), convert);
        EXPECT_EQ(MarkAt(0, kHour), 3);
        stream_.Close();
    }
}

#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/bit_archive.h"
#include "show/frame.h"
#include "show/frame_codec.h"
#include "show/test_support/frame_test_commands.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace frame_test;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes TakeBytes(LArchiveXString& archive)
{
    const XAString text = archive.TakeString();
    return Bytes(text.View().begin(), text.View().end());
}

// "0101 1" -> bytes, most significant bit first, padded with zeros.
Bytes BitStringBytes(const std::string& bits)
{
    Bytes bytes;
    int n = 0;
    for (char c : bits) {
        if (c != '0' && c != '1')
            continue;
        if (n % 8 == 0)
            bytes.push_back(0);
        if (c == '1')
            bytes.back() |= uint8_t(0x80 >> (n % 8));
        ++n;
    }
    return bytes;
}

// The converter's two passes: count every frame, build the tables.
void Train(LFrameCodec& codec, int32_t quality, const std::vector<const LFrame*>& frames)
{
    codec.Reset();
    codec.SetQuality(quality);
    ASSERT_TRUE(codec.SetRanges());
    for (const LFrame* frame : frames)
        EXPECT_TRUE(frame->HuffEncode(codec, nullptr));
    ASSERT_TRUE(codec.BuildTables());
}

Bytes Encode(const LFrame& frame, LFrameCodec& codec)
{
    LArchiveXString archive;
    EXPECT_TRUE(archive.OpenWrite(1024));
    {
        LBitLArchive bits(&archive);
        EXPECT_TRUE(frame.HuffEncode(codec, &bits));
    }
    EXPECT_FALSE(archive.HasError());
    return TakeBytes(archive);
}

std::unique_ptr<LFrame> Decode(const Bytes& bytes, const LFrameCodec& codec)
{
    auto frame = std::make_unique<LFrame>();
    LArchiveXString archive;
    EXPECT_TRUE(archive.OpenReadMemory(bytes.data(), int32_t(bytes.size()), false));
    LBitLArchive bits(&archive);
    EXPECT_TRUE(frame->HuffDecode(codec, bits));
    return frame;
}

// Trains a codec on the frame alone and returns the frame decoded from its coding.
std::unique_ptr<LFrame> RoundTrip(const Words& words, int32_t quality = 100)
{
    const auto frame = MakeFrame(words);
    LFrameCodec codec;
    Train(codec, quality, {frame.get()});
    return Decode(Encode(*frame, codec), codec);
}

Words Body(const LFrame& frame)
{
    const Words all = FrameWords(frame);
    EXPECT_GE(all.size(), 3u);
    EXPECT_EQ(Words(all.begin(), all.begin() + 3), Time(0));
    return Words(all.begin() + 3, all.end());
}

} // namespace

TEST(FrameCodec, QualityTable)
{
    struct Case
    {
        int32_t quality, xy, color, rate, xyStep, rateStep, xyMin, xyMax;
    };
    const Case cases[] = {
        {0, 8, 4, 12, 256, 4096, -128, 127},    {60, 8, 4, 12, 256, 4096, -128, 127},
        {61, 9, 4, 12, 128, 4096, -256, 255},   {70, 9, 4, 12, 128, 4096, -256, 255},
        {80, 10, 5, 16, 64, 256, -512, 511},    {90, 12, 6, 16, 16, 256, -2048, 2047},
        {91, 16, 8, 16, 1, 256, -32768, 32767}, {100, 16, 8, 16, 1, 256, -32768, 32767},
    };
    for (const Case& c : cases) {
        LFrameCodec codec;
        codec.SetQuality(c.quality);
        EXPECT_EQ(codec.XYBits(), c.xy) << c.quality;
        EXPECT_EQ(codec.ColorBits(), c.color) << c.quality;
        EXPECT_EQ(codec.RateBits(), c.rate) << c.quality;
        EXPECT_EQ(codec.XYStep(), c.xyStep) << c.quality;
        EXPECT_EQ(codec.RateStep(), c.rateStep) << c.quality;
        EXPECT_EQ(codec.XYMin(), c.xyMin) << c.quality;
        EXPECT_EQ(codec.XYMax(), c.xyMax) << c.quality;
        LFrameCodec copy;
        copy.CopyWidths(codec);
        EXPECT_EQ(copy.XYStep(), c.xyStep);
    }
}

TEST(FrameCodec, ColourReduction)
{
    LFrameCodec codec;
    codec.SetQuality(60);
    EXPECT_EQ(codec.ExpandColor(codec.ColorSymbol(0xFF8010)), 0xF08010u);
    EXPECT_EQ(codec.ColorSymbol(0xFF8010), 0xF81u);
    codec.SetQuality(100);
    EXPECT_EQ(codec.ColorSymbol(0xFF8010), 0xFF8010u);
    EXPECT_EQ(Body(*RoundTrip(Attr(1, 0, false, 0xFF8010), 60)), Attr(1, 0, false, 0xF08010));
}

TEST(FrameCodec, KnownTablesAndFrame)
{
    const auto frame = MakeFrame(Move(100, -50));
    LFrameCodec codec;
    Train(codec, 100, {frame.get()});
    ASSERT_TRUE(codec.HasTables());

    // Flags 0x61 = "1", the count in no bits, X residual 100 = "1", Y residual -50 = "0", end "0".
    const Bytes coded = Encode(*frame, codec);
    EXPECT_EQ(coded, Bytes{0xC0});
    EXPECT_EQ(FrameWords(*Decode(coded, codec)), Join({Time(0), Move(100, -50)}));

    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenWrite(1024));
    codec.Write(archive);
    const std::string empty = "00000 ";
    const Bytes tables = BitStringBytes(
        // T0, flags: symbols 0 and 0x61 over 0..65535
        "00010 10 | 00000 00000 | 00000 | 10000 | 1111111111111111 | 00000000000000000000000000000011 |"
        "1 0 0000000000000000 0 0000000001100001 |"
        // T1, count: the single symbol 1 over 0..255
        "00001 1 | 00000 00000 | 00000 | 01000 | 11111111 | 00000000000000000000000000000001 | 0 00000001 |" +
        empty + empty +
        // T4, residuals: -50 and 100 over -65535..65535
        "00010 10 | 00000 00000 | 10001 10000000000000001 | 10001 | 11111111111111110 |"
        "00000000000000000000000000000011 | 1 0 01111111111001101 0 10000000001100011 |" +
        empty + empty + empty + empty + empty + empty);
    Bytes expected = {1, 0, 0, 16, 8, 16, 1};
    expected.insert(expected.end(), tables.begin(), tables.end());
    const Bytes block = TakeBytes(archive);
    EXPECT_EQ(block, expected);

    LFrameCodec read;
    LArchiveXString reader;
    ASSERT_TRUE(reader.OpenReadMemory(block.data(), int32_t(block.size()), false));
    read.Read(reader);
    EXPECT_FALSE(reader.HasError());
    ASSERT_TRUE(read.HasTables());
    EXPECT_EQ(FrameWords(*Decode(coded, read)), Join({Time(0), Move(100, -50)}));
}

TEST(FrameCodec, WithoutTablesOnlyTheFlagByteIsStored)
{
    LFrameCodec codec;
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenWrite(64));
    codec.Write(archive);
    const Bytes block = TakeBytes(archive);
    EXPECT_EQ(block, Bytes{0});
    LArchiveXString reader;
    ASSERT_TRUE(reader.OpenReadMemory(block.data(), 1, false));
    codec.Read(reader);
    EXPECT_FALSE(codec.HasTables());
    EXPECT_FALSE(reader.HasError());
}

TEST(FrameCodec, StoredWidthsMustComeFromTheQualityTable)
{
    for (const Bytes& widths : {Bytes{0, 4, 12}, Bytes{16, 9, 16}, Bytes{16, 8, 17}, Bytes{17, 8, 16}}) {
        const Bytes block = {1, 0, 0, widths[0], widths[1], widths[2], 1, 0, 0, 0, 0, 0, 0, 0, 0};
        LFrameCodec codec;
        LArchiveXString reader;
        ASSERT_TRUE(reader.OpenReadMemory(block.data(), int32_t(block.size()), false));
        codec.Read(reader);
        EXPECT_FALSE(codec.HasTables());
        EXPECT_EQ(reader.Status().ErrorText(), "Invalid frame codec widths!");
        EXPECT_EQ(codec.XYBits(), 16);
    }
}

TEST(FrameCodec, UnchangedValuesCodeOnlyTheCount)
{
    const auto frame = MakeFrame(Join({Attr(3, 5, false, 0x123456), Repeat(2), Repeat(200), Time(9)}));
    LFrameCodec codec;
    codec.SetRanges();
    frame->HuffEncode(codec, nullptr);
    EXPECT_EQ(codec.histograms[kTableFlags].Get(0x01), 2);
    EXPECT_EQ(codec.histograms[kTableFlags].Get(0x1B), 1); // count, blank changed to 0, attribute, colour
    EXPECT_EQ(codec.histograms[kTableFlags].Get(0), 1);
    EXPECT_EQ(codec.histograms[kTableFlags].Total(), 4);
    EXPECT_EQ(codec.histograms[kTableCount].Get(200), 1);
}

TEST(FrameCodec, DecodedCommands)
{
    struct Case
    {
        const char* name;
        int32_t quality;
        Words source;
        Words decoded;
    };
    const Case cases[] = {
        {"channel change is a Select", 100,
         Join({Header(1, 2, RateWord(20000), 3, 4, 5), Header(1, 2, RateWord(20000), 6, 7, 5)}),
         Join({Header(1, 2, RateWord(20000), 3, 4, 5), Select(6, 7)})},
        {"time stamps are dropped", 100, Join({Time(77), HeaderTime(1, 2, RateWord(20000), 3, 4, 5, 99)}),
         Header(1, 2, RateWord(20000), 3, 4, 5)},
        {"moves predict from the last change", 100,
         Join({Move(10, 0), Move(20, 0), Move(20, 0), Move(30, 0)}),
         Join({Move(10, 0), Move(20, 0), Repeat(1), Move(30, 0)})},
        {"a first Header at the starting values is kept", 100,
         Join({Header(0xFF, 0xFF, 0xF0000, 0, 0, 0), Move(1000, 1000), Repeat(3)}),
         Join({Header(0xFF, 0xFF, 0xF0000, 0, 0, 0), Move(1000, 1000), Repeat(3)})},
        {"a first rate below the rate step stays 0", 60, Header(0xFF, 0xFF, 100, 0, 0, 0),
         Header(0xFF, 0xFF, 0, 0, 0, 0)},
        {"coarse coordinates", 60, Move(-1, 32767), Move(0, 32512)},
        {"durations are held at 16 bits", 100, Image(3, 1, 2, 0x10, 70000), Image(3, 1, 2, 0x10, 65535)},
        {"ramps and attributes", 100,
         Join({Ramp(true), Attr(2, 7, false, 0x1), Ramp(false), MoveAttr(5, 5, 7, true, 0x1)}),
         Join({Ramp(true), Attr(2, 7, false, 0x1), Ramp(false), MoveAttr(5, 5, 7, true, 0x1)})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Body(*RoundTrip(c.source, c.quality)), c.decoded) << c.name;

    EXPECT_EQ(RoundTrip({})->count, 0);
}

TEST(FrameCodec, AttributesWithoutPointsReachTheNextPoints)
{
    // The decoder shows attributes only with points, so they wait for a command that has some.
    EXPECT_EQ(Body(*RoundTrip(Join({Move(1, 1), Attr(0, 3, false, 0xFF0000), Repeat(3)}))),
              Join({Move(1, 1), Attr(3, 3, false, 0xFF0000)}));
    EXPECT_EQ(Body(*RoundTrip(Join({Attr(0, 3, false, 0xFF0000), Ramp(true), Repeat(1)}))),
              Join({Ramp(true), Attr(1, 3, false, 0xFF0000)}));
}

TEST(FrameCodec, ImagesDoNotHideLaterChanges)
{
    // An Image moves the coded colour and position, but not the points shown.
    EXPECT_EQ(
        Body(*RoundTrip(
            Join({Attr(1, 0, false, 0xFF0000), Image(1, 20, 20, 0x0000FF, 1), Attr(1, 0, false, 0x0000FF)}))),
        Join({Attr(1, 0, false, 0xFF0000), Image(1, 20, 20, 0x0000FF, 1), Attr(1, 0, false, 0x0000FF)}));
    EXPECT_EQ(Body(*RoundTrip(Join({Move(10, 10), Image(1, 20, 20, 0, 1), Move(20, 20)}))),
              Join({Move(10, 10), Image(1, 20, 20, 0, 1), Move(20, 20)}));
}

TEST(FrameCodec, DecodingEndsWhenNothingAdvances)
{
    // A flags table whose only symbol costs no bits and writes no words.
    LFrameCodec codec;
    ASSERT_TRUE(codec.SetRanges());
    codec.histograms[kTableFlags].Add(0x0002);
    ASSERT_TRUE(codec.BuildTables());
    EXPECT_EQ(FrameWords(*Decode({}, codec)), Time(0));

    // One that writes words each time stops at the frame's limit.
    ASSERT_TRUE(codec.SetRanges());
    codec.histograms[kTableFlags].Add(0x0001);
    codec.histograms[kTableCount].Add(5);
    ASSERT_TRUE(codec.BuildTables());
    const auto frame = Decode({}, codec);
    EXPECT_GT(frame->count, LFrame::kBuildLimit);
    EXPECT_LE(frame->count, LFrame::kCapacity);
}

namespace {

int16_t RandomCoordinate(std::mt19937& random, int16_t last)
{
    if (random() % 3 == 0)
        return int16_t(random());
    return int16_t(std::clamp<int32_t>(last + int32_t(random() % 201) - 100, INT16_MIN, INT16_MAX));
}

Words RandomFrame(std::mt19937& random)
{
    Words words;
    int16_t x = 0, y = 0;
    const int commands = int(random() % 300);
    for (int i = 0; i < commands; ++i) {
        const uint32_t color = random() % 4 ? random() & 0xFFFFFF : 0xFF0000;
        switch (random() % 13) {
        case 0:
            words = Join({words, Repeat(random() % 256)});
            break;
        case 1:
        case 2:
            words =
                Join({words, Attr(random() % 4 ? random() % 256 : 0, random() % 64, random() % 2, color)});
            break;
        case 3:
        case 4:
            x = RandomCoordinate(random, x);
            y = RandomCoordinate(random, y);
            words = Join({words, Move(x, y)});
            break;
        case 5:
            x = RandomCoordinate(random, x);
            words = Join({words, MoveAttr(x, y, random() % 64, random() % 2, color)});
            break;
        case 6:
            words = Join({words, Ramp(random() % 2)});
            break;
        case 7:
            words = Join({words, Header(random() % 256, random() % 256, random() & 0xFFFFFF, random() % 4,
                                        random() % 16, random() % 256)});
            break;
        case 8:
            words = Join({words, HeaderTime(random() % 256, 255, RateWord(1000 + random() % 100000),
                                            random() % 4, random() % 16, random() % 8, random())});
            break;
        case 9:
            words = Join({words, Select(random() % 256, random() % 256)});
            break;
        case 10:
            words = Join({words, Time(random())});
            break;
        case 11:
            words = Join({words, Image(int16_t(random()), RandomCoordinate(random, x),
                                       RandomCoordinate(random, y), color, random() % 100000)});
            break;
        default:
            words = Join({words, Words{0x05, uint32_t(random()), uint32_t(random()), uint32_t(random()),
                                       uint32_t(random()), uint32_t(random())}}); // unknown
            break;
        }
    }
    return words;
}

bool ShowsPoints(const uint32_t* w)
{
    switch (FrameOpcode(w[0])) {
    case kOpRepeat:
    case kOpAttr:
        return FrameByte(w[0], 8) > 0;
    case kOpMove:
    case kOpMoveAttr:
        return true;
    default:
        return false;
    }
}

// The format cannot show an Attr without points before a Ramp's point: such attributes come
// with the next command that shows points.
void DelayPointlessAttributes(LFrame& frame)
{
    Words reordered;
    Words pending;
    WalkFrameCommands(frame.words, frame.count, [&](const uint32_t* w, int32_t length) {
        const bool pointless = FrameOpcode(w[0]) == kOpAttr && FrameByte(w[0], 8) == 0;
        Words& to = pointless ? pending : reordered;
        if (ShowsPoints(w)) {
            reordered.insert(reordered.end(), pending.begin(), pending.end());
            pending.clear();
        }
        to.insert(to.end(), w, w + length);
        return true;
    });
    reordered.insert(reordered.end(), pending.begin(), pending.end());
    std::copy(reordered.begin(), reordered.end(), frame.words);
}

// The source frame with every value cut to what the codec keeps.
std::unique_ptr<LFrame> Quantised(const LFrame& source, const LFrameCodec& codec)
{
    auto frame = std::make_unique<LFrame>(source);
    DelayPointlessAttributes(*frame);
    auto coordinate = [&](uint32_t& word) {
        const int32_t v = FrameInt16(word) / codec.XYStep() * codec.XYStep();
        word = (word & ~(0xFFFFu << 8)) | FrameInt16Field(v);
    };
    auto color = [&](uint32_t& word) { word = codec.ExpandColor(codec.ColorSymbol(word)); };
    for (int32_t i = 0; i < frame->count; i += FrameCommandLength(frame->words[i])) {
        uint32_t* w = frame->words + i;
        switch (FrameOpcode(w[0])) {
        case kOpAttr:
            color(w[1]);
            break;
        case kOpMoveAttr:
            color(w[2]);
            [[fallthrough]];
        case kOpMove:
            coordinate(w[0]);
            coordinate(w[1]);
            break;
        case kOpHeader:
        case kOpHeaderTime:
            w[1] = (w[1] & 0xFFFFFF) / codec.RateStep() * codec.RateStep();
            break;
        case kOpImage:
            coordinate(w[1]);
            coordinate(w[2]);
            color(w[3]);
            w[4] = std::min(w[4] & 0xFFFFFFu, 0xFFFFu);
            break;
        }
    }
    return frame;
}

std::vector<LFrameOutPoint> Points(const LFrame& frame)
{
    std::vector<LFrameOutPoint> points(80000);
    points.resize(size_t(frame.Render(points.data(), int32_t(points.size()), nullptr, true, true, 1.0f, 0.85f,
                                      1.05f, 1.11f, 1)));
    return points;
}

bool SamePoints(const std::vector<LFrameOutPoint>& a, const std::vector<LFrameOutPoint>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const LFrameOutPoint& p = a[i];
        const LFrameOutPoint& q = b[i];
        if (p.channel != q.channel || p.subChannel != q.subChannel || p.x != q.x || p.y != q.y ||
            p.blank != q.blank || p.red != q.red || p.green != q.green || p.blue != q.blue ||
            p.shutterRamp != q.shutterRamp || p.beamRamp != q.beamRamp || p.speed != q.speed) {
            ADD_FAILURE() << "point " << i;
            return false;
        }
    }
    return true;
}

} // namespace

TEST(FrameCodec, DecodedFramesShowWhatTheSourceShows)
{
    std::mt19937 random(11);
    for (int32_t quality : {60, 70, 80, 90, 100}) {
        for (int round = 0; round < 4; ++round) {
            std::vector<std::unique_ptr<LFrame>> frames;
            std::vector<const LFrame*> pointers;
            for (int i = 0; i < 3; ++i) {
                frames.push_back(MakeFrame(RandomFrame(random)));
                pointers.push_back(frames.back().get());
            }
            LFrameCodec codec;
            Train(codec, quality, pointers);
            std::vector<std::unique_ptr<LFrame>> decodedFrames;
            for (const LFrame* frame : pointers) {
                auto back = Decode(Encode(*frame, codec), codec);
                const LFrame* decoded = back.get();
                const auto expected = Quantised(*frame, codec);
                ASSERT_TRUE(SamePoints(Points(*decoded), Points(*expected))) << quality << " " << round;

                LFrameImageEntry a[1024], b[1024];
                const int32_t n = decoded->GetImageEntries(a, 1024);
                ASSERT_EQ(n, expected->GetImageEntries(b, 1024));
                for (int32_t k = 0; k < n; ++k) {
                    EXPECT_EQ(a[k].imageId, b[k].imageId);
                    EXPECT_EQ(a[k].x, b[k].x);
                    EXPECT_EQ(a[k].red, b[k].red);
                    EXPECT_EQ(a[k].duration, b[k].duration);
                    EXPECT_EQ(a[k].channel, b[k].channel);
                }

                decodedFrames.push_back(std::move(back));
            }
            // Decoded frames are the codec's canonical form: coding them again changes nothing.
            std::vector<const LFrame*> decodedPointers;
            for (const auto& frame : decodedFrames)
                decodedPointers.push_back(frame.get());
            LFrameCodec again;
            Train(again, quality, decodedPointers);
            for (const LFrame* frame : decodedPointers)
                EXPECT_TRUE(Decode(Encode(*frame, again), again)->Equals(*frame));
        }
    }
}

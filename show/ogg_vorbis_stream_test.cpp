#include "show/ogg_vorbis_stream.h"

#include "platform/test_support/sound_device_fake.h"
#include "show/sound_output.h"
#include "show/test_support/memory_ogg_source.h"
#include "show/test_support/show_test_support.h"
#include "tools/ogg_vorbis_encoder.h"

#include <ogg/ogg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr int32_t kChunk = 4096;

// Everything the decoder yields, in reads of chunk bytes.
std::vector<uint8_t> DecodeRest(LOggVorbisStream& decoder, int32_t chunk = kChunk)
{
    std::vector<uint8_t> pcm;
    std::vector<uint8_t> buffer(chunk);
    bool changed = false;
    for (int32_t n; (n = decoder.Read(buffer.data(), chunk, changed)) > 0;) {
        pcm.insert(pcm.end(), buffer.begin(), buffer.begin() + n);
    }
    return pcm;
}

int16_t SampleAt(const std::vector<uint8_t>& pcm, size_t index)
{
    return static_cast<int16_t>(pcm[2 * index] | pcm[2 * index + 1] << 8);
}

// Rises through zero per second of one channel: the frequency of a pure tone.
double Frequency(const std::vector<uint8_t>& pcm, int channels, int channel, int rate)
{
    const size_t frames = pcm.size() / 2 / channels;
    int rises = 0;
    for (size_t i = 1; i < frames; ++i) {
        rises +=
            SampleAt(pcm, (i - 1) * channels + channel) < 0 && SampleAt(pcm, i * channels + channel) >= 0;
    }
    return static_cast<double>(rises) * rate / static_cast<double>(frames);
}

std::vector<uint8_t> MonoSecond()
{
    return EncodeOggVorbis(1, 22050, 22050, Tones({440}, 22050));
}

// Twenty seconds make many pages: enough for data that arrives late, fails half-way or lies.
constexpr int64_t kLongFrames = 20 * 22050;
const std::vector<uint8_t>& LongMono()
{
    static const auto bytes = EncodeOggVorbis(1, 22050, kLongFrames, Tones({440}, 22050));
    return bytes;
}

// Rewrites every page through edit(page, index) and seals it with a fresh checksum.
std::vector<uint8_t> EditPages(const std::vector<uint8_t>& bytes,
                               const std::function<void(ogg_page&, int)>& edit)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* in = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::memcpy(in, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    std::vector<uint8_t> out;
    ogg_page page;
    for (int index = 0; ogg_sync_pageout(&sync, &page) == 1; ++index) {
        edit(page, index);
        ogg_page_checksum_set(&page);
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }
    ogg_sync_clear(&sync);
    return out;
}

// The encoder's stream with the first codeword length of its first codebook one shorter, so
// that the lengths no longer make a complete code. (The encoder's first book lists a 5-bit
// length per entry from bit 74 of the setup header's codebook bits on.)
std::vector<uint8_t> WithBrokenFirstCodebook(const std::vector<uint8_t>& bytes)
{
    constexpr size_t kPreambleBytes = 7; // type 5, "vorbis"
    constexpr int kFirstLengthBit = 74;
    bool done = false;
    return EditPages(bytes, [&](ogg_page& page, int) {
        static const char kSetup[] = "\x05vorbis";
        auto* body = page.body;
        auto* end = body + page.body_len;
        auto* setup = std::search(body, end, kSetup, kSetup + kPreambleBytes);
        if (done || setup == end)
            return;
        setup[kPreambleBytes + kFirstLengthBit / 8] ^= 1 << kFirstLengthBit % 8;
        done = true;
    });
}

std::vector<uint8_t> Chain(std::vector<uint8_t> first, const std::vector<uint8_t>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(OggVorbisStream, FreshDecoderHasDefaultsAndRefusesWork)
{
    LOggVorbisStream decoder;
    EXPECT_FALSE(decoder.IsOpen());
    EXPECT_EQ(decoder.Channels(), 2);
    EXPECT_EQ(decoder.Rate(), 44100);
    EXPECT_EQ(decoder.BytesPerFrame(), 4);
    EXPECT_EQ(decoder.Duration(), 0);
    EXPECT_TRUE(decoder.IsSeekable());
    uint8_t buffer[16];
    bool changed = true;
    EXPECT_EQ(decoder.Read(buffer, sizeof buffer, changed), -1);
    EXPECT_FALSE(changed);
    EXPECT_EQ(decoder.Read(buffer, 0, changed), 0);
    EXPECT_EQ(decoder.TellTime(), -1);
    EXPECT_FALSE(decoder.SeekPcm(0));
}

TEST(OggVorbisStream, MonoSecondDecodesToItsLengthAndTone)
{
    MemoryOggSource source(MonoSecond());
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&source));
    EXPECT_TRUE(decoder.IsSeekable());
    EXPECT_EQ(decoder.Channels(), 1);
    EXPECT_EQ(decoder.Rate(), 22050);
    EXPECT_EQ(decoder.BytesPerFrame(), 2);
    EXPECT_EQ(decoder.PcmTotal(), 22050);
    EXPECT_EQ(decoder.Duration(), 1'000'000);
    EXPECT_EQ(decoder.PcmBytes(), 44100);
    EXPECT_GT(decoder.RawTotal(), 0);
    EXPECT_LE(decoder.RawTotal(), static_cast<int64_t>(source.Bytes().size()));
    EXPECT_GT(decoder.NominalBitrate(), 0);
    EXPECT_EQ(decoder.TellTime(), 0);

    const auto pcm = DecodeRest(decoder);
    EXPECT_EQ(pcm.size(), 44100u);
    EXPECT_NEAR(Frequency(pcm, 1, 0, 22050), 440, 3);
    EXPECT_EQ(decoder.TellTime(), 1'000'000);

    decoder.Close();
    EXPECT_EQ(source.Closes(), 1);
    EXPECT_EQ(decoder.Channels(), 2);
    EXPECT_EQ(decoder.Duration(), 0);
}

TEST(OggVorbisStream, StereoKeepsItsChannelsApart)
{
    MemoryOggSource source(EncodeOggVorbis(2, 44100, 22050, Tones({500, 1200}, 44100)));
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&source));
    EXPECT_EQ(decoder.Channels(), 2);
    EXPECT_EQ(decoder.BytesPerFrame(), 4);
    EXPECT_EQ(decoder.Duration(), 500'000);
    const auto pcm = DecodeRest(decoder, 1000); // reads that end inside a frame's worth of room
    EXPECT_EQ(pcm.size(), 88200u);
    EXPECT_NEAR(Frequency(pcm, 2, 0, 44100), 500, 4);
    EXPECT_NEAR(Frequency(pcm, 2, 1, 44100), 1200, 4);
}

TEST(OggVorbisStream, LastReadIsShortThenNothing)
{
    MemoryOggSource source(EncodeOggVorbis(2, 44100, 22050, Tones({500, 1200}, 44100)));
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&source));
    ASSERT_TRUE(decoder.SeekPcm(22050 - 250));
    std::vector<uint8_t> buffer(kChunk);
    bool changed = true;
    EXPECT_EQ(decoder.Read(buffer.data(), kChunk, changed), 1000);
    EXPECT_FALSE(changed);
    EXPECT_EQ(decoder.Read(buffer.data(), kChunk, changed), 0);
}

TEST(OggVorbisStream, SeeksLandOnTheExactFrame)
{
    MemoryOggSource source(MonoSecond());
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&source));
    const auto whole = DecodeRest(decoder);
    ASSERT_EQ(whole.size(), 44100u);

    for (const int64_t frame : {11025, 0, 1, 22049, 4410, 22050}) {
        SCOPED_TRACE(frame);
        ASSERT_TRUE(decoder.SeekPcm(frame));
        EXPECT_EQ(decoder.TellTime(), frame * 1'000'000 / 22050);
        const auto rest = DecodeRest(decoder);
        ASSERT_EQ(rest.size(), whole.size() - 2 * frame);
        EXPECT_TRUE(std::equal(rest.begin(), rest.end(), whole.begin() + 2 * frame));
    }

    ASSERT_TRUE(decoder.SeekPcm(300));
    const int32_t seeks = source.Seeks();
    EXPECT_TRUE(decoder.SeekPcm(300)); // already there
    EXPECT_EQ(source.Seeks(), seeks);

    EXPECT_FALSE(decoder.SeekPcm(22051));
    EXPECT_FALSE(decoder.SeekPcm(-1));
}

TEST(OggVorbisStream, ShortReadsFromTheSourceDecodeTheSame)
{
    const auto bytes = MonoSecond();
    MemoryOggSource whole(bytes);
    MemoryOggSource trickle(bytes);
    trickle.SetMaxRead(7);
    LOggVorbisStream a;
    LOggVorbisStream b;
    ASSERT_TRUE(a.Open(&whole));
    ASSERT_TRUE(b.Open(&trickle));
    EXPECT_EQ(DecodeRest(a), DecodeRest(b));
}

TEST(OggVorbisStream, ASourceThatPausesIsReadOnLater)
{
    const auto& bytes = LongMono();
    MemoryOggSource reference(bytes);
    LOggVorbisStream full;
    ASSERT_TRUE(full.Open(&reference));
    const auto whole = DecodeRest(full);

    MemoryOggSource arriving(bytes);
    arriving.SetSeekable(false);
    arriving.SetAvailable(static_cast<int64_t>(bytes.size()) / 2);
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&arriving));
    // Not seekable: the totals are unknown, not negative.
    EXPECT_FALSE(decoder.IsSeekable());
    EXPECT_EQ(decoder.PcmTotal(), 0);
    EXPECT_EQ(decoder.Duration(), 0);
    EXPECT_EQ(decoder.PcmBytes(), 0);
    EXPECT_EQ(decoder.RawTotal(), 0);
    EXPECT_GE(decoder.Bitrate(), 0);

    auto pcm = DecodeRest(decoder);
    EXPECT_GT(pcm.size(), 0u);
    EXPECT_LT(pcm.size(), whole.size());
    EXPECT_TRUE(decoder.IsOpen());
    EXPECT_FALSE(decoder.SeekPcm(0));

    arriving.SetAvailable(static_cast<int64_t>(bytes.size()));
    const auto rest = DecodeRest(decoder);
    pcm.insert(pcm.end(), rest.begin(), rest.end());
    EXPECT_EQ(pcm, whole);
}

TEST(OggVorbisStream, ChainedStreamReportsTheNewFormat)
{
    auto bytes = EncodeOggVorbis(1, 22050, 4 * 22050, Tones({440}, 22050), 1);
    const auto second = EncodeOggVorbis(2, 44100, 22050, Tones({500, 1200}, 44100), 2);
    bytes.insert(bytes.end(), second.begin(), second.end());
    MemoryOggSource source(bytes);
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&source));
    EXPECT_EQ(decoder.Channels(), 1);
    EXPECT_EQ(decoder.PcmTotal(), 4 * 22050 + 22050);

    std::vector<uint8_t> buffer(200000);
    bool changed = false;
    int32_t total = 0;
    int32_t n = 0;
    while (!changed && (n = decoder.Read(buffer.data(), kChunk, changed)) > 0) {
        total += n;
    }
    ASSERT_TRUE(changed);
    EXPECT_GT(total, 4 * 22050 * 2);
    EXPECT_EQ(decoder.CurrentLink(), 1);
    EXPECT_EQ(decoder.Channels(), 2);
    EXPECT_EQ(decoder.Rate(), 44100);
    EXPECT_EQ(decoder.BytesPerFrame(), 4);
    total += static_cast<int32_t>(DecodeRest(decoder).size());
    EXPECT_EQ(total, 4 * 22050 * 2 + 22050 * 4);
}

class NothingSource : public LOggVorbisDataInterface
{
};

TEST(OggVorbisStream, NoSourceOrAnEmptyOneDoesNotOpen)
{
    LOggVorbisStream decoder;
    EXPECT_FALSE(decoder.Open(nullptr));
    NothingSource nothing;
    EXPECT_FALSE(decoder.Open(&nothing));
    MemoryOggSource empty({});
    EXPECT_FALSE(decoder.Open(&empty));
    EXPECT_FALSE(decoder.IsOpen());
    EXPECT_EQ(decoder.Channels(), 2);
}

TEST(OggVorbisStream, HostileBytesNeverCrash)
{
    const auto good = MonoSecond();
    std::mt19937 random(7);
    std::vector<std::vector<uint8_t>> inputs;
    for (const size_t size : {1u, 27u, 100u, 5000u}) {
        std::vector<uint8_t> noise(size);
        std::generate(noise.begin(), noise.end(), [&] { return static_cast<uint8_t>(random()); });
        inputs.push_back(noise);
    }
    for (const size_t cut :
         std::initializer_list<size_t>{10, 58, 200, 3000, good.size() / 2, good.size() - 1}) {
        inputs.emplace_back(good.begin(), good.begin() + std::min(cut, good.size()));
    }
    for (int i = 0; i < 40; ++i) {
        auto damaged = good;
        for (int j = 0; j < 8; ++j) {
            damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1 + random() % 255);
        }
        inputs.push_back(damaged);
    }
    for (const auto& bytes : inputs) {
        for (const bool seekable : {true, false}) {
            MemoryOggSource source(bytes);
            source.SetSeekable(seekable);
            LOggVorbisStream decoder;
            if (!decoder.Open(&source)) {
                continue;
            }
            EXPECT_GE(decoder.PcmTotal(), 0);
            EXPECT_GE(decoder.Duration(), 0);
            EXPECT_GE(decoder.PcmBytes(), 0);
            std::vector<uint8_t> buffer(kChunk);
            bool changed = false;
            int64_t total = 0;
            for (int reads = 0; reads < 1000; ++reads) {
                const int32_t n = decoder.Read(buffer.data(), kChunk, changed);
                if (n == 0) {
                    break;
                }
                total += std::max(n, 0);
            }
            EXPECT_LE(total, 44100 * 4);
            decoder.SeekPcm(11025);
            decoder.TellTime();
        }
    }
}

TEST(OggVorbisStream, ASourceThatFailsStopsTheDecoder)
{
    const auto& bytes = LongMono();
    MemoryOggSource failing(bytes);
    failing.FailFrom(0);
    MemoryOggSource late(bytes);
    late.SetSeekable(false);
    late.FailFrom(static_cast<int64_t>(bytes.size()) / 2);

    LOggVorbisStream decoder;
    EXPECT_FALSE(decoder.Open(&failing));
    ASSERT_TRUE(decoder.Open(&late));
    const auto pcm = DecodeRest(decoder);
    EXPECT_GT(pcm.size(), 0u);
    EXPECT_LT(pcm.size(), 2u * kLongFrames);
    std::vector<uint8_t> buffer(kChunk);
    bool changed = false;
    EXPECT_LE(decoder.Read(buffer.data(), kChunk, changed), 0);
}

TEST(OggVorbisStream, HostileHeaderValuesStayInRange)
{
    constexpr int kRateOffset = 12; // identification header: type, "vorbis", version, channels, rate
    constexpr int kGranuleOffset = 6;
    constexpr uint64_t kHugeGranule = 0x7ffffffffffffff0;
    struct Case
    {
        bool hostileRate;
        bool lastPageOnly; // else every audio page, each a little further
        uint64_t granule;
    };
    const Case cases[] = {
        {false, true, kHugeGranule},  {true, true, kHugeGranule}, {false, false, uint64_t{1} << 62},
        {false, false, kHugeGranule}, {true, false, 0},
    };
    int pages = 0;
    EditPages(LongMono(), [&](ogg_page&, int) { ++pages; });
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rate " << c.hostileRate << " last " << c.lastPageOnly);
        const auto hostile = EditPages(LongMono(), [&](ogg_page& page, int index) {
            if (index == 0 && c.hostileRate) {
                std::memset(page.body + kRateOffset, 0xff, 4);
            }
            if (c.granule != 0 && index >= 2 && (index == pages - 1 || !c.lastPageOnly)) {
                const uint64_t granule = c.granule + index;
                for (int i = 0; i < 8; ++i) {
                    page.header[kGranuleOffset + i] = static_cast<uint8_t>(granule >> (8 * i));
                }
            }
        });
        MemoryOggSource source(hostile);
        LOggVorbisStream decoder;
        ASSERT_TRUE(decoder.Open(&source));
        EXPECT_EQ(decoder.Rate(), c.hostileRate ? INT32_MAX : 22050);
        EXPECT_GE(decoder.Duration(), 0);
        EXPECT_GE(decoder.PcmBytes(), 0);
        if (c.lastPageOnly) {
            EXPECT_GT(decoder.PcmTotal(), int64_t{1} << 62);
            EXPECT_EQ(decoder.PcmBytes(), INT64_MAX);
            EXPECT_EQ(decoder.Duration() == INT64_MAX, !c.hostileRate);
        }
        DecodeRest(decoder);
        decoder.TellTime();

        // The output refuses what such a track declares.
        auto hardware = std::make_shared<FakeSoundHardware>();
        LW32DSnd sound(FakeSoundOpener(hardware));
        EXPECT_EQ(sound.Open(decoder.Rate(), decoder.Channels(), 16, nullptr), !c.hostileRate);
    }
}

} // namespace

namespace {

TEST(OggVorbisStream, ASetupHeaderTheLibraryCannotBuildTablesFromIsRefused)
{
    // Its tables half built, the library would divide by zero on the next read or seek.
    const auto broken = WithBrokenFirstCodebook(MonoSecond());
    for (const bool seekable : {true, false}) {
        SCOPED_TRACE(seekable ? "seekable" : "arriving");
        MemoryOggSource source(broken);
        source.SetSeekable(seekable);
        LOggVorbisStream decoder;
        EXPECT_FALSE(decoder.Open(&source));
        EXPECT_EQ(std::string(decoder.GetError().ErrorText().CStr()),
                  "Ogg Vorbis codebook 0 has codeword lengths that make no complete code!");
        std::vector<uint8_t> buffer(kChunk);
        bool changed = false;
        EXPECT_EQ(decoder.Read(buffer.data(), kChunk, changed), -1);
        EXPECT_FALSE(decoder.SeekPcm(0));
    }
}

TEST(OggVorbisStream, ALaterLinkThatCannotBeOpenedEndsTheStreamBeforeIt)
{
    const auto first = MonoSecond();
    const auto second = EncodeOggVorbis(2, 44100, 22050, Tones({500, 1200}, 44100), 2);
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        // A copy that stopped inside the second link's headers: the library used to fail the
        // whole open and lose memory on the way.
        {"cut in its headers", Chain(first, std::vector<uint8_t>(second.begin(), second.begin() + 200))},
        {"setup refused", Chain(first, WithBrokenFirstCodebook(second))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryOggSource source(c.bytes);
        LOggVorbisStream decoder;
        ASSERT_TRUE(decoder.Open(&source));
        EXPECT_EQ(decoder.PcmTotal(), 22050);
        EXPECT_EQ(DecodeRest(decoder).size(), 44100u);
        EXPECT_TRUE(decoder.SeekPcm(11025));
        EXPECT_EQ(DecodeRest(decoder).size(), 22050u);
    }
}

TEST(OggVorbisStream, AnArrivingStreamStopsAtALinkItRefuses)
{
    MemoryOggSource source(Chain(MonoSecond(), WithBrokenFirstCodebook(MonoSecond())));
    source.SetSeekable(false);
    LOggVorbisStream decoder;
    ASSERT_TRUE(decoder.Open(&source));
    EXPECT_EQ(DecodeRest(decoder).size(), 44100u);
    std::vector<uint8_t> buffer(kChunk);
    bool changed = false;
    // vorbisfile takes a failed read between links for the end of the stream.
    EXPECT_LE(decoder.Read(buffer.data(), kChunk, changed), 0);
    EXPECT_NE(std::string(decoder.GetError().ErrorText().CStr()).find("codebook 0"), std::string::npos);
}

} // namespace

namespace {

TEST(OggVorbisStream, AShowWhoseSoundTrackIsRefusedPlaysWithoutSound)
{
    const auto sound = WithBrokenFirstCodebook(MonoSecond());
    const auto frame = show_test::PointsFrame(7);
    const XAString file = show_test::RecordShow([&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, show_test::kHour, frame.get(), 0, 0);
        s.AddSound(0, sound.data(), static_cast<int32_t>(sound.size()));
    });
    LLaserPreviewStream show;
    ASSERT_TRUE(show.OpenMemory(file, -1, nullptr, true));
    LOggVorbisStream decoder;
    EXPECT_FALSE(decoder.Open(&show));
    EXPECT_TRUE(decoder.GetError().Failed());
    auto read = std::make_unique<LFrame>();
    ASSERT_TRUE(show.ReadFrame(0, show.FirstTime(), *read));
    EXPECT_EQ(read->count, frame->count);
}

} // namespace

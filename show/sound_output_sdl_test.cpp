// The sound output over SDL's own drivers: `disk` writes what the device plays to a file.
#include "show/sound_output.h"

#include "show/test_support/memory_ogg_source.h"
#include "tools/ogg_vorbis_encoder.h"
#include "show/ogg_vorbis_stream.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr auto kPatience = std::chrono::seconds(30);

TEST(SoundOutputSdl, WithoutASoundDeviceOpeningFailsCleanly)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    LW32DSnd sound;
    EXPECT_FALSE(sound.Open(44100, 2, 16, nullptr));
    EXPECT_FALSE(sound.IsCreated());
    EXPECT_FALSE(sound.CreateBuffer(44100, 2, 16, 0));
    int64_t played = 0;
    int64_t written = 0;
    EXPECT_FALSE(sound.GetCounters(played, written));
}

TEST(SoundOutputSdl, DeviceHearsTheDecodedTrackInOrder)
{
    constexpr int kRate = 44100;
    // A cosine starts loud, so the track is easy to find after the device's leading silence.
    const auto track = EncodeOggVorbis(2, kRate, kRate, [](int channel, int64_t frame) {
        return static_cast<float>(0.5 *
                                  std::cos(2 * std::numbers::pi * (300 + 200 * channel) * frame / kRate));
    });
    const auto file =
        std::filesystem::temp_directory_path() / ("zyl_sound_output_" + std::to_string(getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);

    std::vector<uint8_t> decoded;
    {
        MemoryOggSource source(track);
        LOggVorbisStream decoder;
        ASSERT_TRUE(decoder.Open(&source));
        LW32DSnd sound;
        ASSERT_TRUE(sound.Open(decoder.Rate(), decoder.Channels(), 16, nullptr));
        ASSERT_TRUE(sound.CreateBuffer(decoder.Rate(), decoder.Channels(), 16, 0));

        // 200 ms at a time, as the player pumps; all of it before playback starts, so that a
        // busy machine cannot make the device run dry half-way.
        std::vector<uint8_t> staging(sound.BlockAlign() * (decoder.Rate() / 5));
        bool changed = false;
        for (int32_t n;
             (n = decoder.Read(staging.data(), static_cast<int32_t>(staging.size()), changed)) > 0;) {
            ASSERT_EQ(sound.Write(staging.data(), n), n);
            decoded.insert(decoded.end(), staging.begin(), staging.begin() + n);
        }
        ASSERT_EQ(decoded.size(), 4u * kRate);
        ASSERT_TRUE(sound.Play(true));
        EXPECT_TRUE(sound.IsPlaying());

        // Played to the end: the output meets the end of what was written and restarts.
        int64_t played = 0;
        int64_t written = 0;
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (sound.Restarts() == 0 && std::chrono::steady_clock::now() < end) {
            ASSERT_TRUE(sound.GetCounters(played, written));
            EXPECT_LE(played, written);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_EQ(sound.Restarts(), 1);
        ASSERT_TRUE(sound.GetCounters(played, written));
        EXPECT_EQ(played, static_cast<int64_t>(decoded.size()));
        EXPECT_EQ(written, played);
        EXPECT_FALSE(sound.IsPlaying());
    }
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> heard{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(file);

    const auto nonzero = [](uint8_t b) { return b != 0; };
    const auto leading = std::find_if(decoded.begin(), decoded.end(), nonzero) - decoded.begin();
    const auto first = std::find_if(heard.begin(), heard.end(), nonzero) - heard.begin();
    ASSERT_GE(first, leading);
    const auto start = heard.begin() + (first - leading);
    ASSERT_GE(heard.end() - start, static_cast<std::ptrdiff_t>(decoded.size()));
    EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), start));
    EXPECT_TRUE(std::all_of(start + static_cast<std::ptrdiff_t>(decoded.size()), heard.end(),
                            [](uint8_t b) { return b == 0; }));
}

// Decodes the whole track as the player's decoder delivers it.
std::vector<uint8_t> DecodedTrack(const std::vector<uint8_t>& track)
{
    MemoryOggSource source(track);
    LOggVorbisStream decoder;
    std::vector<uint8_t> decoded;
    if (!decoder.Open(&source))
        return decoded;
    std::vector<uint8_t> staging(4096);
    bool changed = false;
    for (int32_t n; (n = decoder.Read(staging.data(), static_cast<int32_t>(staging.size()), changed)) > 0;)
        decoded.insert(decoded.end(), staging.begin(), staging.begin() + n);
    return decoded;
}

// Writes what the ring takes of the track from the written counter on, at most `chunk` bytes, the
// way the player pumps: the written counter is the stream position of the next byte.
void PumpTrack(LW32DSnd& sound, const std::vector<uint8_t>& decoded, int64_t chunk)
{
    int64_t played = 0;
    int64_t written = 0;
    ASSERT_TRUE(sound.GetCounters(played, written));
    const int64_t end = std::min<int64_t>(written + chunk, static_cast<int64_t>(decoded.size()));
    if (end > written)
        ASSERT_GE(sound.Write(decoded.data() + written, static_cast<int32_t>(end - written)), 0);
}

// A move while the ring plays: the device goes on with what it holds for the lead, then with the
// track from the new position plus the lead, with no silence in between and no underrun.
TEST(SoundOutputSdl, AMoveWhilePlayingSplicesTheTrackWithoutAGap)
{
    constexpr int kRate = 44100;
    constexpr int64_t kBytesPerSecond = 4 * kRate;
    // Noise never repeats, so the splice can only be found where it is.
    const auto track = EncodeOggVorbis(2, kRate, 2 * kRate, [](int channel, int64_t frame) {
        const uint32_t hash = static_cast<uint32_t>(frame * 2 + channel) * 2654435761u;
        return static_cast<float>((hash >> 8) % 20001) / 20000.0f - 0.5f;
    });
    const std::vector<uint8_t> decoded = DecodedTrack(track);
    ASSERT_EQ(decoded.size(), static_cast<size_t>(2 * kBytesPerSecond));
    const auto file =
        std::filesystem::temp_directory_path() / ("zyl_sound_move_" + std::to_string(getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    // About one device period a callback: the device plays in real time, as a sound card does.
    setenv("SDL_DISKAUDIODELAY", "23", 1);

    constexpr int64_t kMoveTo = kBytesPerSecond * 3 / 10;
    int64_t lead = 0;
    {
        LW32DSnd sound;
        ASSERT_TRUE(sound.Open(kRate, 2, 16, nullptr));
        ASSERT_TRUE(sound.CreateBuffer(kRate, 2, 16, 0));
        ASSERT_TRUE(sound.Play(true));
        const int64_t chunk = kBytesPerSecond / 5;
        int64_t played = 0;
        int64_t written = 0;
        const auto pumpUntilPlayed = [&](int64_t target) {
            const auto end = std::chrono::steady_clock::now() + kPatience;
            while (played < target && std::chrono::steady_clock::now() < end) {
                PumpTrack(sound, decoded, chunk);
                ASSERT_TRUE(sound.GetCounters(played, written));
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        };
        pumpUntilPlayed(kBytesPerSecond * 8 / 10);
        ASSERT_EQ(sound.Restarts(), 0);

        // Back to 0.3 s, and the write that follows lands behind the lead.
        ASSERT_TRUE(sound.Start(kMoveTo, false, false));
        ASSERT_TRUE(sound.GetCounters(played, written));
        // The device may have moved on since; the written counter stays where the move put it.
        lead = written - kMoveTo;
        ASSERT_GE(played, kMoveTo);
        ASSERT_LT(played, written);
        EXPECT_GE(lead, kRate / 5);
        const auto size = static_cast<int64_t>(decoded.size());
        pumpUntilPlayed(size - kBytesPerSecond / 4);
        EXPECT_EQ(sound.Restarts(), 0) << "the device ran dry before the end of the track";
        // Played to the end: the device meets the end of what was written and restarts there.
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (sound.Restarts() == 0 && std::chrono::steady_clock::now() < end) {
            ASSERT_TRUE(sound.GetCounters(played, written));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_EQ(sound.Restarts(), 1);
        ASSERT_TRUE(sound.GetCounters(played, written));
        EXPECT_EQ(played, size);
    }
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> heard{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(file);

    // The device starts with silence, then plays the track from its start.
    const auto first = std::find_if(heard.begin(), heard.end(), [](uint8_t b) { return b != 0; });
    const auto leading = std::find_if(decoded.begin(), decoded.end(), [](uint8_t b) { return b != 0; });
    ASSERT_GE(first - heard.begin(), leading - decoded.begin());
    const auto start = heard.begin() + ((first - heard.begin()) - (leading - decoded.begin()));
    // Whole sample frames of the track as heard before the move...
    size_t before = 0;
    while (start + before + 4 <= heard.end() && before + 4 <= decoded.size() &&
           std::equal(decoded.begin() + before, decoded.begin() + before + 4, start + before))
        before += 4;
    ASSERT_GT(before, static_cast<size_t>(kMoveTo + lead)) << "the move came before the track played";
    // ...then, unbroken, the track from the new position plus the lead to its end.
    const auto after = decoded.begin() + kMoveTo + lead;
    const auto rest = static_cast<std::ptrdiff_t>(decoded.end() - after);
    ASSERT_GE(heard.end() - (start + before), rest);
    EXPECT_TRUE(std::equal(after, decoded.end(), start + before)) << "a gap or a jump after the move";
}

} // namespace

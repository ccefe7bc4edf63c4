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

} // namespace

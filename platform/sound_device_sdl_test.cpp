#include "platform/sound_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr SoundFormat kCd{44100, 2, 16};
constexpr auto kPatience = std::chrono::seconds(20);

// SDL reads its driver choice from the environment when its audio starts.
void UseDriver(const char* driver)
{
    setenv("SDL_AUDIODRIVER", driver, 1);
}

// Polls until done() holds; false when SDL's thread never gets there.
template <typename Done> bool WaitFor(Done done)
{
    const auto end = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::vector<uint8_t> Pattern(int32_t length)
{
    std::vector<uint8_t> bytes(length);
    for (int32_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<uint8_t>(1 + i % 251); // never 0, the silence
    }
    return bytes;
}

TEST(SdlSoundDevice, WithoutADriverOpeningFails)
{
    UseDriver("no-such-driver");
    EXPECT_EQ(OpenSoundDevice(nullptr), nullptr);
    // SDL's own words reach the caller.
    EXPECT_NE(SdlSoundSystem().LastError().find("cannot start SDL audio: "), std::string::npos)
        << SdlSoundSystem().LastError();
}

TEST(SdlSoundDevice, WithoutAChosenDriverADeviceAlwaysOpens)
{
    // On a machine without sound SDL's dummy driver stands in, so a player keeps a sound clock.
    unsetenv("SDL_AUDIODRIVER");
    auto device = OpenSoundDevice(nullptr);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->SetFormat(kCd));
    EXPECT_NE(device->CreateBuffer(kCd, 44100 * 4), nullptr);
}

TEST(SdlSoundDevice, UnknownDeviceOrFormatIsRefused)
{
    UseDriver("dummy");
    auto device = OpenSoundDevice("no such device");
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(device->SetFormat(kCd));
    EXPECT_NE(device->LastError().find("cannot open the sound device \"no such device\": "), std::string::npos)
        << device->LastError();

    device = OpenSoundDevice(nullptr);
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(device->SetFormat({44100, 2, 24}));
    EXPECT_EQ(device->LastError(), "unsupported format: 44100 Hz, 2 channels, 24 bits");
    EXPECT_EQ(device->CreateBuffer(kCd, 1001), nullptr); // not whole frames
    EXPECT_EQ(device->CreateBuffer(kCd, 0), nullptr);
    // SDL's own buffer is some thousands of bytes at this rate: a ring that small would be lapped
    // within one callback.
    EXPECT_EQ(device->CreateBuffer(kCd, 1004), nullptr);
    EXPECT_NE(device->CreateBuffer(kCd, static_cast<int32_t>(kCd.BytesPerSecond())), nullptr);
}

TEST(SdlSoundDevice, DiskDriverReceivesTheRingInOrderThenSilence)
{
    const auto file =
        std::filesystem::temp_directory_path() / ("zyl_sound_device_" + std::to_string(getpid()) + ".raw");
    UseDriver("disk");
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);
    constexpr int32_t kRing = 40000;
    constexpr int32_t kSound = 30000;
    const auto sound = Pattern(kSound);
    {
        auto device = OpenSoundDevice(nullptr);
        ASSERT_NE(device, nullptr);
        ASSERT_TRUE(device->SetFormat(kCd));
        auto buffer = device->CreateBuffer(kCd, kRing);
        ASSERT_NE(buffer, nullptr);
        // Written across the end of the ring, played from where it starts.
        constexpr int32_t kStart = kRing - 1000;
        ASSERT_TRUE(buffer->WriteAt(kStart, sound.data(), kSound));
        ASSERT_TRUE(buffer->SetPosition(kStart));
        ASSERT_TRUE(buffer->Play(true));
        // On into a second lap: what was played has been silenced.
        int32_t play = kStart;
        int32_t write = 0;
        int64_t heard = 0;
        ASSERT_TRUE(WaitFor([&] {
            const int32_t last = play;
            buffer->GetCursors(play, write);
            heard += (play - last + kRing) % kRing;
            return heard > kRing + kRing / 2;
        }));
    }
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> heard{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(file);

    const auto first = std::find_if(heard.begin(), heard.end(), [](uint8_t b) { return b != 0; });
    ASSERT_GE(heard.end() - first, kSound);
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), first));
    EXPECT_TRUE(std::all_of(first + kSound, heard.end(), [](uint8_t b) { return b == 0; }));
}

} // namespace

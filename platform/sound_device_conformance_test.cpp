// The cases every sound backend must pass: the fake device of the tests and SDL audio on its
// dummy driver. A backend's traits open a device and let its hardware play a little.
#include "platform/sound_device.h"
#include "platform/test_support/sound_device_fake.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr SoundFormat kCd{44100, 2, 16};
// What SDL's buffer holds at this rate (1024 frames); the fake is given a buffer as large.
constexpr int32_t kDeviceBuffer = 4096;

struct FakeBackend
{
    std::shared_ptr<FakeSoundHardware> hardware = [] {
        auto hardware = std::make_shared<FakeSoundHardware>();
        hardware->writeLead = kDeviceBuffer;
        return hardware;
    }();
    FakeSoundSystem system{hardware};

    SoundSystem& System() { return system; }
    // The hardware plays 10 ms; false once it has played for long enough.
    bool Play(int32_t step)
    {
        hardware->Advance(kCd.BlockAlign() * 441);
        return step < 10000;
    }
};

struct SdlDummyBackend
{
    SdlDummyBackend() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    SoundSystem& System() { return SdlSoundSystem(); }
    bool Play(int32_t step)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return step < 10000; // 20 s: SDL's thread may be scheduled late on a loaded machine
    }
};

template <typename Backend> class SoundDeviceConformance : public testing::Test
{
  protected:
    std::unique_ptr<SoundDevice> OpenCd()
    {
        auto device = backend_.System().OpenDevice(nullptr);
        EXPECT_NE(device, nullptr) << backend_.System().LastError();
        if (device != nullptr) {
            EXPECT_TRUE(device->SetFormat(kCd)) << device->LastError();
        }
        return device;
    }

    // Lets the hardware play until done() holds; false when it never does.
    template <typename Done> bool PlayUntil(Done done)
    {
        for (int32_t step = 0; !done(); ++step) {
            if (!backend_.Play(step)) {
                return false;
            }
        }
        return true;
    }

    Backend backend_;
};

using Backends = testing::Types<FakeBackend, SdlDummyBackend>;
TYPED_TEST_SUITE(SoundDeviceConformance, Backends);

TYPED_TEST(SoundDeviceConformance, RefusesRingsOfPartialFramesAndRingsNoLargerThanItsBuffer)
{
    auto device = this->OpenCd();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->Format(), kCd);
    for (const int32_t size : {0, -4, 1001, kDeviceBuffer}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(device->CreateBuffer(kCd, size), nullptr);
        EXPECT_FALSE(device->LastError().empty());
    }
    auto buffer = device->CreateBuffer(kCd, kDeviceBuffer + kCd.BlockAlign());
    ASSERT_NE(buffer, nullptr) << device->LastError();
    // One ring per device.
    EXPECT_EQ(device->CreateBuffer(kCd, kDeviceBuffer * 2), nullptr);
    EXPECT_NE(device->LastError(), "");
}

TYPED_TEST(SoundDeviceConformance, ANewRingIsStoppedAtZeroAndRefusesOffsetsOutsideIt)
{
    auto device = this->OpenCd();
    ASSERT_NE(device, nullptr);
    constexpr int32_t kRing = 44100;
    auto buffer = device->CreateBuffer(kCd, kRing);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->Size(), kRing);

    int32_t play = -1;
    int32_t write = -1;
    SoundStatus status;
    ASSERT_TRUE(buffer->GetCursors(play, write));
    EXPECT_EQ(play, 0);
    EXPECT_EQ(write, 0);
    ASSERT_TRUE(buffer->GetStatus(status));
    EXPECT_FALSE(status.playing);
    EXPECT_FALSE(status.lost);

    const uint8_t bytes[8] = {};
    EXPECT_FALSE(buffer->WriteAt(kRing, bytes, 4));
    EXPECT_FALSE(buffer->WriteAt(-1, bytes, 4));
    EXPECT_FALSE(buffer->WriteAt(0, bytes, kRing + 1));
    EXPECT_TRUE(buffer->WriteAt(kRing - 4, bytes, 8)); // wraps
    EXPECT_FALSE(buffer->SetPosition(kRing));
    EXPECT_FALSE(buffer->SetPosition(-4));
    ASSERT_TRUE(buffer->SetPosition(kRing / 2));
    ASSERT_TRUE(buffer->GetCursors(play, write));
    EXPECT_EQ(play, kRing / 2);
    EXPECT_EQ(write, kRing / 2);
    EXPECT_TRUE(buffer->Clear());
}

TYPED_TEST(SoundDeviceConformance, CursorsRunWhilePlayingAndStopAtTheEndWithoutLooping)
{
    auto device = this->OpenCd();
    ASSERT_NE(device, nullptr);
    constexpr int32_t kRing = 44100; // 250 ms
    auto buffer = device->CreateBuffer(kCd, kRing);
    ASSERT_NE(buffer, nullptr);
    ASSERT_TRUE(buffer->SetPosition(kRing / 2));
    ASSERT_TRUE(buffer->Play(false));

    int32_t play = 0;
    int32_t write = 0;
    SoundStatus status;
    ASSERT_TRUE(this->PlayUntil([&] {
        EXPECT_TRUE(buffer->GetCursors(play, write));
        return play != kRing / 2;
    }));
    EXPECT_GT(play, kRing / 2);
    // The device holds what it took: the write cursor is ahead, by no more than its buffer.
    EXPECT_GE(write, play);
    EXPECT_LE(write - play, kDeviceBuffer);

    ASSERT_TRUE(this->PlayUntil([&] {
        EXPECT_TRUE(buffer->GetStatus(status));
        return !status.playing;
    }));
    ASSERT_TRUE(buffer->GetCursors(play, write));
    EXPECT_EQ(play, 0);
    EXPECT_EQ(write, 0);
}

TYPED_TEST(SoundDeviceConformance, StopAndRestoreLeaveTheRingStopped)
{
    auto device = this->OpenCd();
    ASSERT_NE(device, nullptr);
    auto buffer = device->CreateBuffer(kCd, 44100);
    ASSERT_NE(buffer, nullptr);
    SoundStatus status;
    ASSERT_TRUE(buffer->Play(true));
    ASSERT_TRUE(buffer->GetStatus(status));
    EXPECT_TRUE(status.playing);
    ASSERT_TRUE(buffer->Stop());
    ASSERT_TRUE(buffer->GetStatus(status));
    EXPECT_FALSE(status.playing);

    ASSERT_TRUE(buffer->SetPosition(400));
    ASSERT_TRUE(buffer->Play(true));
    ASSERT_TRUE(buffer->Restore());
    int32_t play = -1;
    int32_t write = -1;
    ASSERT_TRUE(buffer->GetCursors(play, write));
    EXPECT_EQ(play, 0);
    EXPECT_EQ(write, 0);
    ASSERT_TRUE(buffer->GetStatus(status));
    EXPECT_FALSE(status.playing);
}

TYPED_TEST(SoundDeviceConformance, ScopedSystemIsCurrentWhileItLives)
{
    SoundSystem& before = CurrentSoundSystem();
    {
        ScopedSoundSystem use(&this->backend_.System());
        EXPECT_EQ(&CurrentSoundSystem(), &this->backend_.System());
        auto device = OpenSoundDevice(nullptr);
        EXPECT_NE(device, nullptr);
    }
    EXPECT_EQ(&CurrentSoundSystem(), &before);
}

} // namespace

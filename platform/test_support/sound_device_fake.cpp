#include "platform/test_support/sound_device_fake.h"

#include <algorithm>
#include <cstring>

void FakeSoundHardware::Advance(int32_t bytes)
{
    MoveTo(static_cast<int32_t>((int64_t{playCursor} + bytes) % static_cast<int64_t>(ring.size())));
}

void FakeSoundHardware::MoveTo(int32_t offset)
{
    const auto size = static_cast<int32_t>(ring.size());
    playCursor = offset;
    writeCursor = (offset + (playing ? writeLead : 0)) % size;
}

namespace {

class FakeSoundBuffer final : public SoundBuffer
{
  public:
    explicit FakeSoundBuffer(std::shared_ptr<FakeSoundHardware> hardware) : hw_(std::move(hardware)) {}
    ~FakeSoundBuffer() override { hw_->ring.clear(); }

    int32_t Size() const override { return static_cast<int32_t>(hw_->ring.size()); }

    bool GetCursors(int32_t& play, int32_t& write) override
    {
        if (hw_->failCursors) {
            return false;
        }
        play = hw_->playCursor;
        write = hw_->writeCursor;
        return true;
    }

    bool WriteAt(int32_t offset, const void* bytes, int32_t length) override
    {
        if (offset < 0 || offset >= Size() || length < 0 || length > Size()) {
            return false;
        }
        const auto* in = static_cast<const uint8_t*>(bytes);
        const int32_t first = std::min(length, Size() - offset);
        std::memcpy(hw_->ring.data() + offset, in, first);
        std::memcpy(hw_->ring.data(), in + first, length - first);
        return true;
    }

    bool Clear() override
    {
        std::fill(hw_->ring.begin(), hw_->ring.end(), hw_->format.SilenceByte());
        return true;
    }

    bool Play(bool looping) override
    {
        ++hw_->playCalls;
        if (hw_->failPlay || hw_->lost) {
            return false;
        }
        hw_->playing = true;
        hw_->looping = looping;
        hw_->MoveTo(hw_->playCursor);
        return true;
    }

    bool Stop() override
    {
        hw_->playing = false;
        hw_->MoveTo(hw_->playCursor);
        return true;
    }

    bool GetStatus(SoundStatus& status) override
    {
        if (hw_->failStatus) {
            return false;
        }
        status.playing = hw_->playing;
        status.lost = hw_->lost;
        return true;
    }

    bool SetPosition(int32_t offset) override
    {
        if (offset < 0 || offset >= Size()) {
            return false;
        }
        hw_->MoveTo(offset);
        return true;
    }

    bool Restore() override
    {
        if (hw_->failRestore) {
            return false;
        }
        ++hw_->restores;
        hw_->lost = false;
        hw_->playing = false;
        hw_->MoveTo(0);
        return true;
    }

  private:
    std::shared_ptr<FakeSoundHardware> hw_;
};

class FakeSoundDevice final : public SoundDevice
{
  public:
    explicit FakeSoundDevice(std::shared_ptr<FakeSoundHardware> hardware) : hw_(std::move(hardware)) {}

    bool SetFormat(const SoundFormat& format) override
    {
        if (hw_->refuseFormat) {
            return false;
        }
        hw_->format = format;
        return true;
    }

    SoundFormat Format() const override { return hw_->format; }

    std::unique_ptr<SoundBuffer> CreateBuffer(const SoundFormat& format, int32_t size) override
    {
        if (!hw_->ring.empty() || size < 1 || hw_->refuseFormat) {
            return nullptr;
        }
        hw_->format = format;
        hw_->ring.assign(size, format.SilenceByte());
        hw_->playing = false;
        hw_->lost = false;
        hw_->MoveTo(0);
        return std::make_unique<FakeSoundBuffer>(hw_);
    }

  private:
    std::shared_ptr<FakeSoundHardware> hw_;
};

} // namespace

SoundDeviceOpener FakeSoundOpener(std::shared_ptr<FakeSoundHardware> hardware)
{
    return [hardware](const char* name) -> std::unique_ptr<SoundDevice> {
        if (!hardware->present) {
            return nullptr;
        }
        hardware->deviceName = name != nullptr ? name : "";
        return std::make_unique<FakeSoundDevice>(hardware);
    };
}

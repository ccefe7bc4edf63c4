#include "platform/test_support/sound_device_fake.h"

#include "platform/internal/sound_ring.h"

#include <algorithm>

namespace {

// The fake's clock stands still: the play cursor is exactly what was pulled less what is held.
constexpr int64_t kFakeNowUs = 0;

} // namespace

std::vector<uint8_t> FakeSoundHardware::Ring() const
{
    return ring_ != nullptr ? ring_->Bytes() : std::vector<uint8_t>{};
}

int32_t FakeSoundHardware::PlayCursor() const
{
    int32_t play = 0;
    int32_t write = 0;
    if (ring_ != nullptr) {
        ring_->Cursors(play, write, kFakeNowUs);
    }
    return play;
}

int32_t FakeSoundHardware::WriteCursor() const
{
    int32_t play = 0;
    int32_t write = 0;
    if (ring_ != nullptr) {
        ring_->Cursors(play, write, kFakeNowUs);
    }
    return write;
}

bool FakeSoundHardware::Playing() const
{
    return ring_ != nullptr && ring_->Playing();
}

std::vector<uint8_t> FakeSoundHardware::HeardBytes(int32_t count) const
{
    std::vector<uint8_t> bytes(held_.begin(), held_.begin() + std::min<size_t>(held_.size(), count));
    const std::vector<uint8_t> ring = Ring();
    for (size_t at = WriteCursor(); static_cast<int32_t>(bytes.size()) < count && !ring.empty(); ++at) {
        bytes.push_back(ring[at % ring.size()]);
    }
    return bytes;
}

void FakeSoundHardware::Advance(int32_t bytes)
{
    if (ring_ == nullptr || !ring_->Playing()) {
        return;
    }
    const auto heard = std::min<size_t>(held_.size(), std::max(0, bytes));
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(heard));
    Pull(bytes);
}

void FakeSoundHardware::Lose()
{
    lost = true;
    held_.clear();
    if (ring_ != nullptr) {
        ring_->Stop();
    }
}

void FakeSoundHardware::Attach(SoundRing* ring, bool looping)
{
    ring_ = ring;
    looping_ = looping;
    held_.clear();
    if (ring_ != nullptr) {
        ring_->SetDeviceBuffer(writeLead);
    }
}

void FakeSoundHardware::Fill()
{
    if (ring_ != nullptr && ring_->Playing()) {
        Pull(writeLead - static_cast<int32_t>(held_.size()));
    }
}

void FakeSoundHardware::Pull(int32_t bytes)
{
    if (bytes <= 0) {
        return;
    }
    // The ring learns the device's buffer when it pulls, as SDL's ring does when SDL opens.
    ring_->SetDeviceBuffer(writeLead);
    std::vector<uint8_t> stream(static_cast<size_t>(bytes));
    const bool wasPlaying = ring_->Playing();
    ring_->Feed(stream.data(), bytes, kFakeNowUs);
    held_.insert(held_.end(), stream.begin(), stream.end());
    while (static_cast<int32_t>(held_.size()) > writeLead) {
        held_.pop_front();
    }
    if (wasPlaying && !ring_->Playing()) {
        held_.clear(); // the ring ended: what the device held counts as heard
    }
}

namespace {

class FakeSoundBuffer final : public SoundBuffer
{
  public:
    FakeSoundBuffer(std::shared_ptr<FakeSoundHardware> hardware, const SoundFormat& format, int32_t size)
        : hw_(std::move(hardware)), ring_(format, size)
    {
        hw_->Attach(&ring_, false);
    }
    ~FakeSoundBuffer() override { hw_->Attach(nullptr, false); }

    int32_t Size() const override { return ring_.Size(); }

    bool GetCursors(int32_t& play, int32_t& write) override
    {
        if (hw_->failCursors) {
            return false;
        }
        ring_.Cursors(play, write, kFakeNowUs);
        return true;
    }

    bool WriteAt(int32_t offset, const void* bytes, int32_t length) override
    {
        return ring_.Write(offset, bytes, length);
    }

    bool Clear() override
    {
        ring_.Clear();
        return true;
    }

    bool Play(bool looping) override
    {
        ++hw_->playCalls;
        if (hw_->failPlay || hw_->lost) {
            return false;
        }
        ring_.Play(looping);
        hw_->Attach(&ring_, looping);
        hw_->Fill();
        return true;
    }

    bool Stop() override
    {
        ring_.Stop();
        hw_->DropHeld();
        return true;
    }

    bool GetStatus(SoundStatus& status) override
    {
        if (hw_->failStatus) {
            return false;
        }
        status.playing = ring_.Playing();
        status.lost = hw_->lost;
        return true;
    }

    bool SetPosition(int32_t offset) override
    {
        if (!ring_.SetPosition(offset)) {
            return false;
        }
        hw_->DropHeld();
        hw_->Fill();
        return true;
    }

    bool Restore() override
    {
        if (hw_->failRestore) {
            return false;
        }
        ++hw_->restores;
        hw_->lost = false;
        ring_.Stop();
        ring_.SetPosition(0);
        hw_->DropHeld();
        return true;
    }

  private:
    std::shared_ptr<FakeSoundHardware> hw_;
    SoundRing ring_;
};

class FakeSoundDevice final : public SoundDevice
{
  public:
    explicit FakeSoundDevice(std::shared_ptr<FakeSoundHardware> hardware) : hw_(std::move(hardware)) {}

    bool SetFormat(const SoundFormat& format) override
    {
        if (hw_->refuseFormat) {
            lastError_ = "the fake hardware refuses every format";
            return false;
        }
        hw_->format = format;
        return true;
    }

    SoundFormat Format() const override { return hw_->format; }

    std::unique_ptr<SoundBuffer> CreateBuffer(const SoundFormat& format, int32_t size) override
    {
        if (hw_->HasRing()) {
            lastError_ = "the device already plays a ring";
            return nullptr;
        }
        if (hw_->refuseFormat) {
            lastError_ = "the fake hardware refuses every format";
            return nullptr;
        }
        lastError_ = SoundRing::Refusal(format, size, hw_->writeLead);
        if (!lastError_.empty()) {
            return nullptr;
        }
        hw_->format = format;
        hw_->lost = false;
        return std::make_unique<FakeSoundBuffer>(hw_, format, size);
    }

    std::string LastError() const override { return lastError_; }

  private:
    std::shared_ptr<FakeSoundHardware> hw_;
    std::string lastError_;
};

} // namespace

std::unique_ptr<SoundDevice> FakeSoundSystem::OpenDevice(const char* name)
{
    if (!hw_->present) {
        lastError_ = "no fake hardware";
        return nullptr;
    }
    lastError_.clear();
    hw_->deviceName = name != nullptr ? name : "";
    return std::make_unique<FakeSoundDevice>(hw_);
}

SoundDeviceOpener FakeSoundOpener(std::shared_ptr<FakeSoundHardware> hardware)
{
    auto system = std::make_shared<FakeSoundSystem>(std::move(hardware));
    return [system](const char* name) { return system->OpenDevice(name); };
}

#include "platform/internal/sound_ring.h"

#include <algorithm>
#include <cstring>

std::string SoundRing::Refusal(const SoundFormat& format, int32_t size, int32_t deviceBuffer)
{
    const int32_t blockAlign = format.BlockAlign();
    if (blockAlign < 1) {
        return "the format has no sample frames";
    }
    if (size < 1 || size % blockAlign != 0) {
        return "a ring of " + std::to_string(size) + " bytes is not a whole number of " +
               std::to_string(blockAlign) + "-byte frames";
    }
    if (size <= deviceBuffer) {
        return "a ring of " + std::to_string(size) + " bytes is no larger than the device's buffer of " +
               std::to_string(deviceBuffer) + " bytes";
    }
    return {};
}

SoundRing::SoundRing(const SoundFormat& format, int32_t size)
    : bytes_(static_cast<size_t>(std::max(0, size)), format.SilenceByte()), silence_(format.SilenceByte())
{
    cursor_.SetFormat(format.BytesPerSecond(), format.BlockAlign());
}

void SoundRing::SetDeviceBuffer(int32_t bytes)
{
    std::lock_guard guard(lock_);
    deviceBuffer_ = bytes;
    cursor_.LimitHeld(deviceBuffer_);
}

void SoundRing::Feed(uint8_t* stream, int32_t length, int64_t nowUs)
{
    std::lock_guard guard(lock_);
    int32_t done = 0;
    bool ended = false;
    while (done < length && playing_) {
        const int32_t n = std::min(length - done, Size() - next_);
        std::memcpy(stream + done, bytes_.data() + next_, n);
        std::memset(bytes_.data() + next_, silence_, n);
        done += n;
        next_ += n;
        if (next_ == Size()) {
            next_ = 0;
            if (!looping_) {
                playing_ = false;
                ended = true;
            }
        }
    }
    if (done < length) {
        std::memset(stream + done, silence_, static_cast<size_t>(length - done));
    }
    if (done > 0) {
        cursor_.OnPull(done, std::min(deviceBuffer_, cursor_.Held() + done), nowUs);
    }
    if (ended) {
        cursor_.Settle();
    }
}

void SoundRing::Cursors(int32_t& play, int32_t& write, int64_t nowUs)
{
    std::lock_guard guard(lock_);
    const int64_t unheard = cursor_.Pulled() - cursor_.Heard(nowUs);
    play = static_cast<int32_t>(((next_ - unheard) % Size() + Size()) % Size());
    write = next_;
}

bool SoundRing::Write(int32_t offset, const void* bytes, int32_t length)
{
    if (offset < 0 || offset >= Size() || length < 0 || length > Size()) {
        return false;
    }
    const auto* in = static_cast<const uint8_t*>(bytes);
    std::lock_guard guard(lock_);
    const int32_t first = std::min(length, Size() - offset);
    std::memcpy(bytes_.data() + offset, in, first);
    std::memcpy(bytes_.data(), in + first, length - first);
    return true;
}

void SoundRing::Clear()
{
    std::lock_guard guard(lock_);
    std::fill(bytes_.begin(), bytes_.end(), silence_);
}

void SoundRing::Play(bool looping)
{
    std::lock_guard guard(lock_);
    playing_ = true;
    looping_ = looping;
}

void SoundRing::Stop()
{
    std::lock_guard guard(lock_);
    playing_ = false;
    cursor_.Settle();
}

bool SoundRing::Playing()
{
    std::lock_guard guard(lock_);
    return playing_;
}

bool SoundRing::SetPosition(int32_t offset)
{
    if (offset < 0 || offset >= Size()) {
        return false;
    }
    std::lock_guard guard(lock_);
    next_ = offset;
    cursor_.Settle();
    return true;
}

std::vector<uint8_t> SoundRing::Bytes()
{
    std::lock_guard guard(lock_);
    return bytes_;
}

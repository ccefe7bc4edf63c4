// SDL audio behind the sound device interface. SDL pulls sound through a callback on its own
// thread; the callback copies from the ring and silences what it took, so a caller that stalls
// is heard as silence rather than as the last lap played again. The play cursor trails what was
// handed to SDL by SDL's buffer, and moves on with the time since SDL's last callback, so that a
// clock read from it runs smoothly rather than in steps of one period; the write cursor is where
// the callback reads next.
// Where no sound device exists and the user chose no SDL driver, SDL's dummy driver takes its
// place, so that a player still has a sound clock to follow.
#include "platform/internal/pulled_play_cursor.h"
#include "platform/sound_device.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace {

// SDL's buffer holds about 20 ms: short enough for a close play cursor, long enough for a
// callback thread that is scheduled late.
constexpr int kPeriodsPerSecond = 50;
constexpr int kMinPeriodFrames = 256;
constexpr const char* kDummyDriver = "dummy";

int64_t NowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Once per process at most: a user's own choice of driver is never overridden.
bool SwitchToDummyDriver()
{
    if (std::getenv("SDL_AUDIODRIVER") != nullptr) {
        return false;
    }
    const char* current = SDL_GetCurrentAudioDriver();
    if (current != nullptr && std::strcmp(current, kDummyDriver) == 0) {
        return false;
    }
    const char* hint = SDL_GetHint(SDL_HINT_AUDIODRIVER);
    if (hint != nullptr && std::strcmp(hint, kDummyDriver) == 0) {
        return false;
    }
    SDL_SetHint(SDL_HINT_AUDIODRIVER, kDummyDriver);
    return true;
}

Uint16 PeriodFrames(int32_t rate)
{
    int frames = kMinPeriodFrames;
    while (frames < rate / kPeriodsPerSecond) {
        frames *= 2;
    }
    return static_cast<Uint16>(frames);
}

// The ring and its cursors; SDL's thread and the caller meet only here, under lock_.
class SdlRing
{
  public:
    SdlRing(int32_t size, const SoundFormat& format) : bytes_(size, format.SilenceByte()), silence_(format.SilenceByte())
    {
        cursor_.SetFormat(format.BytesPerSecond(), format.BlockAlign());
    }

    int32_t Size() const { return static_cast<int32_t>(bytes_.size()); }

    void SetDeviceBuffer(int32_t bytes)
    {
        std::lock_guard guard(lock_);
        deviceBuffer_ = bytes;
        cursor_.LimitHeld(deviceBuffer_);
    }

    // SDL's thread: hands the next bytes to the hardware and silences them in the ring.
    void Feed(uint8_t* stream, int32_t length)
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
            cursor_.OnPull(done, std::min(deviceBuffer_, cursor_.Held() + done), NowUs());
        }
        if (ended) {
            cursor_.Settle();
        }
    }

    void Cursors(int32_t& play, int32_t& write)
    {
        std::lock_guard guard(lock_);
        const int64_t unheard = cursor_.Pulled() - cursor_.Heard(NowUs());
        play = static_cast<int32_t>(((next_ - unheard) % Size() + Size()) % Size());
        write = next_;
    }

    void Write(int32_t offset, const uint8_t* bytes, int32_t length)
    {
        std::lock_guard guard(lock_);
        const int32_t first = std::min(length, Size() - offset);
        std::memcpy(bytes_.data() + offset, bytes, first);
        std::memcpy(bytes_.data(), bytes + first, length - first);
    }

    void Clear()
    {
        std::lock_guard guard(lock_);
        std::fill(bytes_.begin(), bytes_.end(), silence_);
    }

    void Play(bool looping)
    {
        std::lock_guard guard(lock_);
        playing_ = true;
        looping_ = looping;
    }

    // What SDL still holds plays out; it counts as heard.
    void Stop()
    {
        std::lock_guard guard(lock_);
        playing_ = false;
        cursor_.Settle();
    }

    bool Playing()
    {
        std::lock_guard guard(lock_);
        return playing_;
    }

    void SetPosition(int32_t offset)
    {
        std::lock_guard guard(lock_);
        next_ = offset;
        cursor_.Settle();
    }

  private:
    std::mutex lock_;
    std::vector<uint8_t> bytes_;
    const uint8_t silence_;
    int32_t deviceBuffer_ = 0; // bytes SDL takes per callback and holds until they are heard
    int32_t next_ = 0;         // ring offset of the next byte handed to SDL
    PulledPlayCursor cursor_;  // what SDL took and what of it was heard
    bool playing_ = false;
    bool looping_ = false;
};

class SdlSoundDevice final : public SoundDevice
{
  public:
    explicit SdlSoundDevice(const char* name)
    {
        if (name != nullptr) {
            name_ = name;
        }
    }

    ~SdlSoundDevice() override
    {
        CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool SetFormat(const SoundFormat& format) override { return OpenAudio(format); }
    SoundFormat Format() const override { return format_; }
    std::unique_ptr<SoundBuffer> CreateBuffer(const SoundFormat& format, int32_t size) override;

    // The buffer's ring, or null when the buffer goes; SDL's lock keeps the callback out meanwhile.
    void Attach(SdlRing* ring)
    {
        SDL_LockAudioDevice(id_);
        ring_ = ring;
        SDL_UnlockAudioDevice(id_);
        if (ring != nullptr) {
            ring->SetDeviceBuffer(deviceBuffer_);
        }
    }

    // SDL marks a device that was unplugged as stopped; ours never pause.
    bool IsLost() const { return id_ == 0 || SDL_GetAudioDeviceStatus(id_) == SDL_AUDIO_STOPPED; }

    bool Reopen() { return OpenAudio(format_); }

  private:
    static void SDLCALL Callback(void* self, Uint8* stream, int length)
    {
        SdlRing* ring = static_cast<SdlSoundDevice*>(self)->ring_;
        if (ring != nullptr) {
            ring->Feed(stream, length);
        } else {
            std::memset(stream, static_cast<SdlSoundDevice*>(self)->format_.SilenceByte(), length);
        }
    }

    bool OpenAudio(const SoundFormat& format)
    {
        CloseAudio();
        if ((format.bits != 8 && format.bits != 16) || format.rate < 1 || format.channels < 1 ||
            format.channels > UINT8_MAX) {
            return false;
        }
        format_ = format;
        SDL_AudioSpec want{};
        want.freq = format.rate;
        want.format = format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        want.channels = static_cast<Uint8>(format.channels);
        want.samples = PeriodFrames(format.rate);
        want.callback = Callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        // No changes allowed: SDL converts to whatever the hardware takes.
        id_ = SDL_OpenAudioDevice(name_ ? name_->c_str() : nullptr, 0, &want, &have, 0);
        if (id_ == 0 && !name_ && SwitchToDummyDriver()) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
                id_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
            }
        }
        if (id_ == 0) {
            return false;
        }
        deviceBuffer_ = static_cast<int32_t>(have.size);
        if (ring_ != nullptr) {
            ring_->SetDeviceBuffer(deviceBuffer_);
        }
        SDL_PauseAudioDevice(id_, 0);
        return true;
    }

    void CloseAudio()
    {
        if (id_ != 0) {
            SDL_CloseAudioDevice(id_);
            id_ = 0;
        }
    }

    std::optional<std::string> name_;
    SDL_AudioDeviceID id_ = 0;
    SoundFormat format_;
    int32_t deviceBuffer_ = 0;
    SdlRing* ring_ = nullptr; // read by SDL's thread under SDL's device lock
};

class SdlSoundBuffer final : public SoundBuffer
{
  public:
    SdlSoundBuffer(SdlSoundDevice& device, int32_t size, const SoundFormat& format)
        : device_(device), ring_(size, format)
    {
        device_.Attach(&ring_);
    }

    ~SdlSoundBuffer() override { device_.Attach(nullptr); }

    int32_t Size() const override { return ring_.Size(); }

    bool GetCursors(int32_t& play, int32_t& write) override
    {
        ring_.Cursors(play, write);
        return true;
    }

    bool WriteAt(int32_t offset, const void* bytes, int32_t length) override
    {
        if (offset < 0 || offset >= Size() || length < 0 || length > Size()) {
            return false;
        }
        ring_.Write(offset, static_cast<const uint8_t*>(bytes), length);
        return true;
    }

    bool Clear() override
    {
        ring_.Clear();
        return true;
    }

    bool Play(bool looping) override
    {
        if (device_.IsLost()) {
            return false;
        }
        ring_.Play(looping);
        return true;
    }

    bool Stop() override
    {
        ring_.Stop();
        return true;
    }

    bool GetStatus(SoundStatus& status) override
    {
        status.playing = ring_.Playing();
        status.lost = device_.IsLost();
        return true;
    }

    bool SetPosition(int32_t offset) override
    {
        if (offset < 0 || offset >= Size()) {
            return false;
        }
        ring_.SetPosition(offset);
        return true;
    }

    bool Restore() override
    {
        ring_.Stop();
        ring_.SetPosition(0);
        return device_.Reopen();
    }

  private:
    SdlSoundDevice& device_;
    SdlRing ring_;
};

std::unique_ptr<SoundBuffer> SdlSoundDevice::CreateBuffer(const SoundFormat& format, int32_t size)
{
    // One ring per device: SDL's callback feeds from one.
    if (ring_ != nullptr || format.BlockAlign() < 1 || size < 1 || size % format.BlockAlign() != 0) {
        return nullptr;
    }
    if ((id_ == 0 || !(format == format_)) && !OpenAudio(format)) {
        return nullptr;
    }
    // SDL holds a whole buffer of its own before it is heard: a ring no larger than that would
    // be lapped within one callback, and its play cursor would mean nothing.
    if (size <= deviceBuffer_) {
        return nullptr;
    }
    return std::make_unique<SdlSoundBuffer>(*this, size, format);
}

} // namespace

std::unique_ptr<SoundDevice> OpenSoundDevice(const char* name)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 && (!SwitchToDummyDriver() || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)) {
        return nullptr;
    }
    return std::make_unique<SdlSoundDevice>(name);
}

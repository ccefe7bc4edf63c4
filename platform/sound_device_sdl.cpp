// SDL audio behind the sound device interface. SDL pulls sound through a callback on its own
// thread, which feeds from the shared SoundRing. The play cursor trails what was handed to SDL
// by SDL's buffer, and moves on with the time since SDL's last callback, so that a clock read
// from it runs smoothly rather than in steps of one period; the write cursor is where the
// callback reads next.
// Where no sound device exists and the user chose no SDL driver, SDL's dummy driver takes its
// place, so that a player still has a sound clock to follow.
#include "platform/internal/sound_ring.h"
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

std::string SdlReason(const char* what)
{
    const char* reason = SDL_GetError();
    return std::string(what) + (reason != nullptr && *reason != '\0' ? std::string(": ") + reason : std::string());
}

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
    std::string LastError() const override { return lastError_; }

    // The buffer's ring, or null when the buffer goes; SDL's lock keeps the callback out meanwhile.
    void Attach(SoundRing* ring)
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
        SoundRing* ring = static_cast<SdlSoundDevice*>(self)->ring_;
        if (ring != nullptr) {
            ring->Feed(stream, length, NowUs());
        } else {
            std::memset(stream, static_cast<SdlSoundDevice*>(self)->format_.SilenceByte(), length);
        }
    }

    bool OpenAudio(const SoundFormat& format)
    {
        CloseAudio();
        if ((format.bits != 8 && format.bits != 16) || format.rate < 1 || format.channels < 1 ||
            format.channels > UINT8_MAX) {
            lastError_ = "unsupported format: " + std::to_string(format.rate) + " Hz, " +
                         std::to_string(format.channels) + " channels, " + std::to_string(format.bits) + " bits";
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
        if (id_ == 0) {
            lastError_ = SdlReason(name_ ? ("cannot open the sound device \"" + *name_ + "\"").c_str()
                                         : "cannot open the default sound device");
        }
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
    SoundRing* ring_ = nullptr; // read by SDL's thread under SDL's device lock
    std::string lastError_;
};

class SdlSoundBuffer final : public SoundBuffer
{
  public:
    SdlSoundBuffer(SdlSoundDevice& device, int32_t size, const SoundFormat& format)
        : device_(device), ring_(format, size)
    {
        device_.Attach(&ring_);
    }

    ~SdlSoundBuffer() override { device_.Attach(nullptr); }

    int32_t Size() const override { return ring_.Size(); }

    bool GetCursors(int32_t& play, int32_t& write) override
    {
        ring_.Cursors(play, write, NowUs());
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

    bool SetPosition(int32_t offset) override { return ring_.SetPosition(offset); }

    bool Restore() override
    {
        ring_.Stop();
        ring_.SetPosition(0);
        return device_.Reopen();
    }

  private:
    SdlSoundDevice& device_;
    SoundRing ring_;
};

std::unique_ptr<SoundBuffer> SdlSoundDevice::CreateBuffer(const SoundFormat& format, int32_t size)
{
    // One ring per device: SDL's callback feeds from one.
    if (ring_ != nullptr) {
        lastError_ = "the device already plays a ring";
        return nullptr;
    }
    lastError_ = SoundRing::Refusal(format, size, 0);
    if (!lastError_.empty()) {
        return nullptr;
    }
    if ((id_ == 0 || !(format == format_)) && !OpenAudio(format)) {
        return nullptr;
    }
    // SDL holds a whole buffer of its own before it is heard.
    lastError_ = SoundRing::Refusal(format, size, deviceBuffer_);
    if (!lastError_.empty()) {
        return nullptr;
    }
    return std::make_unique<SdlSoundBuffer>(*this, size, format);
}

} // namespace

namespace {

class SdlAudio final : public SoundSystem
{
  public:
    std::unique_ptr<SoundDevice> OpenDevice(const char* name) override
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            lastError_ = SdlReason("cannot start SDL audio");
            if (!SwitchToDummyDriver() || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
                return nullptr;
            }
        }
        lastError_.clear();
        return std::make_unique<SdlSoundDevice>(name);
    }

    std::string LastError() const override { return lastError_; }

  private:
    std::string lastError_;
};

} // namespace

SoundSystem& SdlSoundSystem()
{
    static SdlAudio* system = new SdlAudio;
    return *system;
}

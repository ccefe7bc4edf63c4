// The sound output service: a device that plays one looping ring of PCM bytes and reports
// where in the ring it is.
//
// Contract:
// - Mandatory: SetFormat/Format, CreateBuffer, and on a buffer the cursors, writing, Clear, Play,
//   Stop, status and SetPosition. A failure answers false (or null) and leaves the backend's own
//   reason in LastError().
// - Optional: losing the hardware (SoundStatus::lost). A backend that cannot lose it never
//   reports it, and Restore then only stops the ring and puts its cursors at 0.
// - The caller guarantees: one thread (its own) uses a device and its buffers; a ring is a whole
//   number of sample frames and larger than the device's own buffer (a backend refuses other
//   sizes); a buffer is released before the device that made it.
// - Threads: a backend may run a thread of its own that feeds the hardware; that thread touches
//   only the ring (SoundRing), under the ring's own lock, never GlobalMutex.
// - The play cursor is the ring offset heard now. The write cursor is the first offset the
//   caller may still change: the bytes from the play cursor up to it are already committed
//   to the hardware. Both lie in [0, Size()).
// - What the device consumed is silenced in the ring: a caller that stops writing is heard as
//   silence, not as the last lap played again.
// - CurrentSoundSystem() opens the devices; SetSoundSystem() and ScopedSoundSystem put another
//   one in place, on the GUI thread, while no device is open.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/scoped_service.h"

struct SoundFormat
{
    int32_t rate = 0;     // sample frames per second
    int32_t channels = 0; // interleaved in each frame
    int32_t bits = 0;     // per sample: 8 (unsigned) or 16 (signed, little-endian)

    int32_t BlockAlign() const { return channels * (bits / 8); }
    int64_t BytesPerSecond() const { return int64_t{rate} * BlockAlign(); }
    // 8-bit samples are unsigned, so their silence is the middle value.
    uint8_t SilenceByte() const { return bits == 8 ? 0x80 : 0x00; }
    bool operator==(const SoundFormat&) const = default;
};

struct SoundStatus
{
    bool playing = false;
    bool lost = false; // the hardware went away; Restore before using the buffer again
};

// One looping ring of PCM bytes in the device's format.
class SoundBuffer
{
  public:
    virtual ~SoundBuffer() = default;

    virtual int32_t Size() const = 0;
    virtual bool GetCursors(int32_t& play, int32_t& write) = 0;
    // Copies length bytes (at most Size()) to the ring from offset on, wrapping at its end.
    virtual bool WriteAt(int32_t offset, const void* bytes, int32_t length) = 0;
    // Fills the whole ring with silence.
    virtual bool Clear() = 0;
    // Plays from the play cursor; without looping the buffer stops at its end.
    virtual bool Play(bool looping) = 0;
    virtual bool Stop() = 0;
    virtual bool GetStatus(SoundStatus& status) = 0;
    // Moves the play cursor (and the write cursor with it) to offset.
    virtual bool SetPosition(int32_t offset) = 0;
    // Takes the hardware back after a loss; the ring is stopped and its cursors at 0.
    virtual bool Restore() = 0;
};

class SoundDevice
{
  public:
    virtual ~SoundDevice() = default;

    // Asks the device to run in this format; Format() then tells the format in force.
    virtual bool SetFormat(const SoundFormat& format) = 0;
    virtual SoundFormat Format() const = 0;
    // A stopped, silent ring of size bytes, a multiple of the format's block align; null on failure.
    virtual std::unique_ptr<SoundBuffer> CreateBuffer(const SoundFormat& format, int32_t size) = 0;
    // Why the last call that failed failed, in the backend's words.
    virtual std::string LastError() const = 0;
};

// Opens the devices of one backend.
class SoundSystem
{
  public:
    virtual ~SoundSystem() = default;
    // The named device (null for the default one); null when there is none, and LastError() says why.
    virtual std::unique_ptr<SoundDevice> OpenDevice(const char* name) = 0;
    virtual std::string LastError() const = 0;
};

// The system in use, never null: SDL audio until another is set.
SoundSystem& CurrentSoundSystem();
// Puts system in place (null: SDL audio again) and returns the one it replaces (null for SDL's).
// The caller keeps system alive while it is in place.
SoundSystem* SetSoundSystem(SoundSystem* system);
using ScopedSoundSystem = ScopedService<SoundSystem, SetSoundSystem>;

// Opens the named device (null for the default one); null when there is none.
using SoundDeviceOpener = std::function<std::unique_ptr<SoundDevice>(const char* name)>;

// Opens the named device of the current system; the default opener of the sound output.
std::unique_ptr<SoundDevice> OpenSoundDevice(const char* name);

// The real backend: SDL audio, with the driver SDL chooses (SDL_AUDIODRIVER selects one).
SoundSystem& SdlSoundSystem();

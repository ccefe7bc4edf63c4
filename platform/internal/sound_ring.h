#pragma once
// The looping ring of PCM bytes behind a sound buffer, for devices that pull sound a period at a
// time and hold what they pulled until it is heard (SDL's audio callback does; so does the fake
// device of the tests, which runs this same code). The device's thread calls Feed; the owner of
// the buffer calls the rest. They meet only here, under the ring's own lock.
//
// Feed silences what it takes, so that a writer that stalls is heard as silence rather than as
// the last lap played again. The write cursor is where Feed reads next; the play cursor trails it
// by what the device holds and has not played yet (see PulledPlayCursor).

#include "platform/internal/pulled_play_cursor.h"
#include "platform/sound_device.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class SoundRing
{
  public:
    // Why a ring of size bytes cannot be made in format for a device that holds deviceBuffer
    // bytes at a time: not whole sample frames, or not larger than the device's buffer (it would
    // be lapped within one pull, and its play cursor would mean nothing). Empty when it can.
    static std::string Refusal(const SoundFormat& format, int32_t size, int32_t deviceBuffer);

    // A stopped, silent ring; the size is one that Refusal accepts.
    SoundRing(const SoundFormat& format, int32_t size);

    int32_t Size() const { return static_cast<int32_t>(bytes_.size()); }

    // The bytes the device pulls at a time and holds until they are heard.
    void SetDeviceBuffer(int32_t bytes);

    // The device's thread: copies the next length bytes to stream (silence once stopped or past
    // the end without looping) and silences them in the ring.
    void Feed(uint8_t* stream, int32_t length, int64_t nowUs);

    void Cursors(int32_t& play, int32_t& write, int64_t nowUs);
    // False when offset or length lie outside the ring.
    bool Write(int32_t offset, const void* bytes, int32_t length);
    void Clear();
    void Play(bool looping);
    // What the device still holds plays out; it counts as heard.
    void Stop();
    bool Playing();
    // Moves both cursors to offset; false when it lies outside the ring.
    bool SetPosition(int32_t offset);

    // A copy of the ring's bytes, for tests that look at what the device will pull.
    std::vector<uint8_t> Bytes();

  private:
    std::mutex lock_;
    std::vector<uint8_t> bytes_;
    const uint8_t silence_;
    int32_t deviceBuffer_ = 0;
    int32_t next_ = 0;        // ring offset of the next byte Feed hands out
    PulledPlayCursor cursor_; // what the device took and what of it was heard
    bool playing_ = false;
    bool looping_ = false;
};

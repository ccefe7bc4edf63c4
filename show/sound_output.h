// The streaming sound output: one looping ring on a sound device and two 64-bit byte counters,
// written (the stream position of the end of the data written) and played (the stream position
// heard now). The played counter is the player's sound clock. The caller pushes sound with Write
// on every timer tick; playback starts once 100 ms are buffered, and an underrun (the device has
// played everything written) restarts the ring empty, to start again at the threshold.
// One thread calls all operations.
#pragma once

#include "platform/sound_device.h"

#include <cstdint>
#include <memory>

class LW32DSnd
{
  public:
    // What a sound track may ask of the output; anything else is refused before a device is touched.
    static constexpr int32_t kMinRate = 8000;
    static constexpr int32_t kMaxRate = 192000;
    static constexpr int32_t kMaxChannels = 8;

    explicit LW32DSnd(SoundDeviceOpener opener = OpenSoundDevice);
    virtual ~LW32DSnd();

    LW32DSnd(const LW32DSnd&) = delete;
    LW32DSnd& operator=(const LW32DSnd&) = delete;

    // Opens the named device (null for the default one) and asks it for this format.
    bool Open(int32_t rate, int32_t channels, int32_t bits, const char* device);
    // Makes the ring; a size of 0 or less makes 5 s of sound, any other is raised to whole frames.
    bool CreateBuffer(int32_t rate, int32_t channels, int32_t bits, int32_t size);
    void Close();

    bool Play(bool looping);
    bool Stop();
    // Copies what fits; 0 when the ring is full, -1 on failure.
    int32_t Write(const void* bytes, int32_t length);
    // Continues from stream position. With clear or force the ring restarts there (force also
    // silences it); otherwise it keeps playing and the counters move, a lead apart: what the
    // device holds already plus a fifth of the rate in bytes.
    bool Start(int64_t position, bool clear, bool force);
    // Moves both counters by the same amount.
    bool AddPlayed(int64_t bytes);
    // Both -1 and false when the positions cannot be read.
    bool GetCounters(int64_t& played, int64_t& written);

    bool IsCreated() const { return created_; }
    bool HasBuffer() const { return buffer_ != nullptr; }
    const SoundFormat& PrimaryFormat() const { return primaryFormat_; }
    const SoundFormat& Format() const { return format_; }
    int32_t BlockAlign() const { return format_.BlockAlign(); }
    int32_t Rate() const { return format_.rate; }
    int32_t BytesPerFrame() const { return bytesPerFrame_; }
    int32_t BufferSize() const { return bufferSize_; }
    int32_t StartThreshold() const { return startThreshold_; }
    int32_t UnderrunLimit() const { return underrunLimit_; }
    int32_t Restarts() const { return restarts_; }
    bool IsPlaying() const { return playing_; }

  private:
    static constexpr int32_t kDefaultBytesPerFrame = 4;
    // The largest ring a device is asked for (256 MB less one byte).
    static constexpr int64_t kMaxBufferBytes = 0x0FFFFFFF;

    void ReleaseBuffer();
    int32_t RingDistance(int32_t from, int32_t to) const;
    int32_t LeadBytes() const;
    bool ReadPositions(int32_t* play, int32_t* write);
    bool Restart(bool clear, bool set, int64_t position);
    void StartRule();
    bool CheckStatus();

    SoundDeviceOpener opener_;
    std::unique_ptr<SoundDevice> device_;
    SoundFormat primaryFormat_;
    bool created_ = false;
    std::unique_ptr<SoundBuffer> buffer_;
    SoundFormat format_;
    int32_t bytesPerFrame_ = kDefaultBytesPerFrame;
    int32_t bufferSize_ = 0;
    int32_t startThreshold_ = 0;
    int32_t underrunLimit_ = 0;
    int32_t restarts_ = 0;
    bool playRequested_ = false;
    bool looping_ = false;
    bool playing_ = false;
    int64_t played_ = 0;
    int32_t lastPlayCursor_ = 0;
    int64_t written_ = 0;
    int32_t writeOffset_ = 0;
};

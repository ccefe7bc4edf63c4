#pragma once
// The sound side of the preview: the show's sound track, decoded into a staging buffer of 200 ms
// and pumped into one looping sound ring, and the audio clock read from the ring's play counter,
// which the picture follows. Start, stop, seek, pause, resume and mute position both the decoder
// and the ring. GUI thread only; nothing here allocates while pumping.

#include "show/l_time_ramp.h"
#include "show/sound_decoder.h"
#include "show/sound_output.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class LLaserPreviewStream;

class LAudioPump
{
  public:
    // The show time at which a track's first sample plays: recordings begin one hour in.
    static constexpr int64_t kTrackStartUs = 3600000000;
    // 200 ms of 16-bit stereo at 48,000 Hz.
    static constexpr int32_t kStagingBytes = 38400;

    using DecoderFactory = std::function<std::unique_ptr<LSoundDecoder>()>;

    explicit LAudioPump(SoundDeviceOpener opener = OpenSoundDevice, DecoderFactory decoders = MakeOggSoundDecoder);
    ~LAudioPump();
    LAudioPump(const LAudioPump&) = delete;
    LAudioPump& operator=(const LAudioPump&) = delete;

    // Opens sound for the stream's track at show time start (negative: without positioning).
    bool Start(LLaserPreviewStream& stream, int64_t start, bool paused, bool complete);
    void Stop();
    // Positions sound and audio clock at time, or with a negative time where the ring plays now.
    bool Seek(int64_t time, bool restart, bool silence);
    bool Pause(int64_t time);
    bool Resume(int64_t time);
    // True when the mute state changed.
    bool SetMute(bool on);
    // Keeps the ring filled; run on every playback step.
    void Pump();

    bool SeekDecoder(int64_t frame);
    int32_t ReadSoundData(uint8_t* buffer, int32_t length);

    // The playback's re-buffering hold: the pump writes silence while it lasts.
    void SetHold(bool hold) { hold_ = hold; }

    bool HasBuffer() const { return sound_.HasBuffer(); }
    bool IsMuted() const { return muted_; }
    bool IsPaused() const { return audioPaused_; }
    const LTimeRamp& AudioClock() const { return audioClock_; }
    int64_t AudioBase() const { return audioBase_; }
    int32_t StagingChunk() const { return stagingChunk_; }
    int64_t DecoderFrame() const { return decoderFrame_; }
    // The open track's format; 0 without one.
    int32_t TrackRate() const;
    int32_t TrackChannels() const;
    int32_t TrackBitrate() const;
    LW32DSnd& Output() { return sound_; }

  private:
    static constexpr int32_t kSeekPolls = 100;
    static constexpr int32_t kSeekPollCs = 1;

    int32_t BlockAlign() const { return sound_.BlockAlign(); }
    int64_t FrameAt(int64_t time) const;
    int64_t TimeOfFrame(int64_t frame) const;
    bool ReopenDecoder();
    bool SeekDecoderFailed();
    void WaitUntilPlayed(int64_t frame);
    int32_t Silence(uint8_t* buffer, int32_t length);

    DecoderFactory decoders_;
    std::unique_ptr<LSoundDecoder> decoder_;
    LLaserPreviewStream* stream_ = nullptr;
    LW32DSnd sound_;
    int64_t decoderFrame_ = 0;
    // An empty read while the show was still arriving: the decoder is sought to decoderFrame_
    // before it decodes again, so the sound does not trail by the stall.
    bool decoderBehind_ = false;
    bool soundComplete_ = true;
    std::array<uint8_t, kStagingBytes> staging_{};
    int32_t stagingFill_ = 0;
    int32_t stagingUsed_ = 0;
    int32_t stagingChunk_ = 0;
    LTimeRamp audioClock_;
    int64_t audioBase_ = kTrackStartUs;
    bool audioPaused_ = false;
    bool muted_ = false;
    bool hold_ = false;
};

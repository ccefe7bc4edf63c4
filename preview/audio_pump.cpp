#include "preview/audio_pump.h"

#include "show/laser_preview_stream.h"
#include "preview/playback_time.h"
#include "foundation/strings/saturating_int.h"
#include "foundation/tasks/sleep_wait.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kSampleBits = 16;
constexpr int64_t kMicrosecondsPerSecond = 1000000;
// The staging chunk holds a fifth of a second.
constexpr int32_t kChunksPerSecond = 5;

} // namespace

LAudioPump::LAudioPump(SoundDeviceOpener opener, DecoderFactory decoders)
    : decoders_(std::move(decoders)), sound_(std::move(opener))
{
}

LAudioPump::~LAudioPump()
{
    Stop();
}

int64_t LAudioPump::FrameAt(int64_t time) const
{
    return MulDivFloor(SaturatingSub(time, audioBase_), sound_.Rate(), kMicrosecondsPerSecond);
}

int64_t LAudioPump::TimeOfFrame(int64_t frame) const
{
    return SaturatingAdd(audioBase_, MulDivFloor(frame, kMicrosecondsPerSecond, sound_.Rate()));
}

bool LAudioPump::Start(LLaserPreviewStream& stream, int64_t start, bool paused, bool complete)
{
    Stop();
    soundComplete_ = complete;
    stream_ = &stream;
    decoder_ = decoders_();
    if (!decoder_ || !decoder_->Open(&stream)) {
        Stop();
        return false;
    }
    const int32_t rate = decoder_->Rate();
    const int32_t channels = decoder_->Channels();
    if (!sound_.Open(rate, channels, kSampleBits, nullptr) || !sound_.CreateBuffer(rate, channels, kSampleBits, 0) ||
        !sound_.Play(true)) {
        Stop();
        return false;
    }
    audioPaused_ = paused;
    // Whole sample frames: 7 channels do not divide the largest chunk.
    const int32_t blockAlign = BlockAlign();
    const int64_t chunk = std::min<int64_t>(int64_t{blockAlign} * (rate / kChunksPerSecond), kStagingBytes);
    stagingChunk_ = static_cast<int32_t>(chunk - chunk % blockAlign);
    if (start >= 0)
        Seek(start, false, false);
    return true;
}

void LAudioPump::Stop()
{
    sound_.Close();
    decoderFrame_ = 0;
    decoderBehind_ = false;
    if (decoder_)
        decoder_->Close();
    decoder_.reset();
    stream_ = nullptr;
    soundComplete_ = true;
    stagingFill_ = stagingUsed_ = stagingChunk_ = 0;
    audioClock_.Reset();
    audioBase_ = kTrackStartUs;
    audioPaused_ = false;
}

bool LAudioPump::Seek(int64_t time, bool restart, bool silence)
{
    if (!HasBuffer())
        return false;
    const int32_t blockAlign = BlockAlign();
    int64_t played = 0;
    int64_t written = 0;
    int64_t frame = 0;
    if (time < 0) {
        // Where the ring plays now; unknown, nothing moves.
        if (!sound_.GetCounters(played, written))
            return false;
        frame = MulDivFloor(played, 1, blockAlign);
    } else {
        frame = FrameAt(time);
    }
    const int64_t targetTime = TimeOfFrame(frame);
    if (!sound_.Start(MulDivFloor(frame, blockAlign, 1), restart, silence))
        return false;
    // The next bytes land at the written counter, a lead ahead of the play cursor when the ring
    // kept playing: the decoder delivers from there, so the sound stays with the picture.
    const int64_t decodeFrom = sound_.GetCounters(played, written) ? MulDivFloor(written, 1, blockAlign) : frame;
    const bool positioned = SeekDecoder(decodeFrom);
    stagingFill_ = stagingUsed_ = 0;
    if (positioned && frame >= 0)
        WaitUntilPlayed(frame);
    if (!muted_ && !restart) {
        // Real sound goes to the ring at once, even while paused.
        const bool paused = audioPaused_;
        audioPaused_ = false;
        Pump();
        audioPaused_ = paused;
    }
    if (audioPaused_)
        audioClock_.Set(targetTime, 0, PlaybackTick());
    return true;
}

void LAudioPump::WaitUntilPlayed(int64_t frame)
{
    const int64_t target = MulDivFloor(frame, BlockAlign(), 1);
    for (int32_t poll = 0; poll < kSeekPolls; ++poll) {
        int64_t played = 0;
        int64_t written = 0;
        if (!sound_.GetCounters(played, written) || played >= target)
            return;
        SleepCs(kSeekPollCs);
    }
}

bool LAudioPump::ReopenDecoder()
{
    decoder_->Close();
    return decoder_->Open(stream_);
}

// The decoder is at the track's start and cannot leave it: the ring starts again there, so that
// what it plays and what its counters say stay together. Shifting both counters back would
// leave the play counter a lead before the track and step the list back a show.
bool LAudioPump::SeekDecoderFailed()
{
    decoderFrame_ = 0;
    sound_.Start(0, true, false);
    return false;
}

bool LAudioPump::SeekDecoder(int64_t frame)
{
    if (!decoder_)
        return false;
    if (frame < 0) {
        if (!SeekDecoder(0))
            return false;
        // The frames before the track's start are made as silence.
        decoderFrame_ = frame;
        return true;
    }
    if (soundComplete_)
        frame = std::min(frame, decoder_->TotalFrames());
    if (decoder_->Seek(frame)) {
        decoderFrame_ = frame;
        decoderBehind_ = false;
        return true;
    }
    if (stream_ != nullptr && stream_->IsIncomplete()) {
        // The sound there has not arrived yet: silence until it has.
        decoderFrame_ = frame;
        decoderBehind_ = true;
        return true;
    }
    decoderFrame_ = 0;
    decoderBehind_ = false;
    if (!ReopenDecoder())
        return SeekDecoderFailed();
    frame = std::min(frame, decoder_->TotalFrames());
    if (frame == 0)
        return true;
    if (!decoder_->Seek(frame))
        return SeekDecoderFailed();
    decoderFrame_ = frame;
    return true;
}

int32_t LAudioPump::Silence(uint8_t* buffer, int32_t length)
{
    std::memset(buffer, 0, static_cast<size_t>(length));
    decoderFrame_ = SaturatingAdd(decoderFrame_, length / BlockAlign());
    return length;
}

int32_t LAudioPump::ReadSoundData(uint8_t* buffer, int32_t length)
{
    const int32_t blockAlign = BlockAlign();
    if (decoderFrame_ < 0)
        return Silence(buffer, static_cast<int32_t>(std::min<int64_t>(length, MulDivFloor(-decoderFrame_, blockAlign, 1))));
    if (decoderBehind_)
        SeekDecoder(decoderFrame_);
    const int32_t read = decoderBehind_ || !decoder_ ? 0 : decoder_->Read(buffer, length);
    if (read > 0) {
        decoderFrame_ = SaturatingAdd(decoderFrame_, read / blockAlign);
        return read;
    }
    if (stream_ != nullptr && stream_->IsIncomplete())
        decoderBehind_ = true;
    // The end of the track (or damaged data) becomes endless silence.
    return Silence(buffer, length);
}

void LAudioPump::Pump()
{
    if (!HasBuffer())
        return;
    int32_t writtenNow = 0;
    for (;;) {
        if (stagingFill_ < 1) {
            stagingUsed_ = 0;
            const bool quiet = audioPaused_ || hold_ || muted_;
            const int32_t read = quiet ? 0 : ReadSoundData(staging_.data(), stagingChunk_);
            if (read < 1) {
                std::memset(staging_.data(), 0, static_cast<size_t>(stagingChunk_));
                stagingFill_ = stagingChunk_;
            } else {
                stagingFill_ = read;
            }
        }
        const int32_t offered = stagingFill_ - stagingUsed_;
        const int32_t accepted = sound_.Write(staging_.data() + stagingUsed_, offered);
        if (accepted < 1)
            break;
        stagingUsed_ += accepted;
        if (stagingUsed_ >= stagingFill_)
            stagingFill_ = stagingUsed_ = 0;
        writtenNow += accepted;
        if (accepted < offered || writtenNow >= stagingChunk_)
            break;
    }
    int64_t played = 0;
    int64_t written = 0;
    // A failed read of the counters keeps the clock running as it was.
    if (!audioPaused_ && sound_.GetCounters(played, written))
        audioClock_.Set(TimeOfFrame(MulDivFloor(played, 1, BlockAlign())), LTimeRamp::kRealTime, PlaybackTick());
}

bool LAudioPump::Pause(int64_t time)
{
    if (!HasBuffer())
        return false;
    if (audioPaused_)
        return true;
    audioClock_.Set(time, 0, PlaybackTick());
    audioPaused_ = true;
    Seek(time, true, false);
    return true;
}

bool LAudioPump::Resume(int64_t time)
{
    if (!HasBuffer())
        return false;
    if (audioPaused_) {
        audioPaused_ = false;
        Seek(time, false, false);
    }
    return true;
}

bool LAudioPump::SetMute(bool on)
{
    if (muted_ == on)
        return false;
    muted_ = on;
    // Paused, the ring plays silence either way and resuming seeks to the pause point: a seek to
    // where the ring plays now would queue sound from past that point and move the clock there.
    if (!audioPaused_)
        Seek(-1, on, false);
    return true;
}

int32_t LAudioPump::TrackRate() const
{
    return decoder_ ? decoder_->Rate() : 0;
}

int32_t LAudioPump::TrackChannels() const
{
    return decoder_ ? decoder_->Channels() : 0;
}

int32_t LAudioPump::TrackBitrate() const
{
    return decoder_ ? decoder_->Bitrate() : 0;
}

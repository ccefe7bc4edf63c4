#include "show/sound_output.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int64_t kDefaultRingSeconds = 5;
constexpr int64_t kThresholdPerSecond = 10; // playback starts with 100 ms buffered
constexpr int32_t kLeadRateDivisor = 5;     // a moving start leads by a fifth of the rate in bytes
constexpr int32_t kUnderrunLimitPart = 10;  // an advance of 90 % of the ring or more is no advance

bool IsSupported(const SoundFormat& format)
{
    return format.rate >= LW32DSnd::kMinRate && format.rate <= LW32DSnd::kMaxRate && format.channels >= 1 &&
           format.channels <= LW32DSnd::kMaxChannels && (format.bits == 8 || format.bits == 16);
}

int64_t RoundUp(int64_t value, int64_t step)
{
    return (value + step - 1) / step * step;
}

} // namespace

LW32DSnd::LW32DSnd(SoundDeviceOpener opener) : opener_(std::move(opener))
{
}

LW32DSnd::~LW32DSnd()
{
    Close();
}

bool LW32DSnd::Open(int32_t rate, int32_t channels, int32_t bits, const char* device)
{
    Close();
    const SoundFormat format{rate, channels, bits};
    if (!IsSupported(format)) {
        return false;
    }
    device_ = opener_(device);
    if (device_ == nullptr || !device_->SetFormat(format)) {
        Close();
        return false;
    }
    primaryFormat_ = device_->Format();
    created_ = true;
    return true;
}

bool LW32DSnd::CreateBuffer(int32_t rate, int32_t channels, int32_t bits, int32_t size)
{
    if (device_ == nullptr) {
        return false;
    }
    ReleaseBuffer();
    const SoundFormat format{rate, channels, bits};
    if (!IsSupported(format)) {
        Close();
        return false;
    }
    const int64_t bytes =
        size > 0 ? RoundUp(size, format.BlockAlign()) : kDefaultRingSeconds * format.BytesPerSecond();
    if (bytes > kMaxBufferBytes) {
        Close();
        return false;
    }
    buffer_ = device_->CreateBuffer(format, static_cast<int32_t>(bytes));
    if (buffer_ == nullptr) {
        Close();
        return false;
    }
    format_ = format;
    bytesPerFrame_ = bits * channels / 8;
    bufferSize_ = static_cast<int32_t>(bytes);
    startThreshold_ = static_cast<int32_t>(std::min(format.BytesPerSecond() / kThresholdPerSecond, bytes));
    underrunLimit_ = bufferSize_ - bufferSize_ / kUnderrunLimitPart;
    if (!Restart(false, false, 0)) {
        Close();
        return false;
    }
    return true;
}

void LW32DSnd::ReleaseBuffer()
{
    if (buffer_ != nullptr && playing_) {
        buffer_->Stop();
    }
    buffer_.reset();
    format_ = SoundFormat{};
    bytesPerFrame_ = kDefaultBytesPerFrame;
    bufferSize_ = 0;
    startThreshold_ = 0;
    underrunLimit_ = 0;
    restarts_ = 0;
    playRequested_ = false;
    looping_ = false;
    playing_ = false;
    played_ = 0;
    lastPlayCursor_ = 0;
    written_ = 0;
    writeOffset_ = 0;
}

void LW32DSnd::Close()
{
    ReleaseBuffer();
    device_.reset();
    primaryFormat_ = SoundFormat{};
    created_ = false;
}

int32_t LW32DSnd::RingDistance(int32_t from, int32_t to) const
{
    const int32_t distance = (to - from) % bufferSize_;
    return distance < 0 ? distance + bufferSize_ : distance;
}

// A fifth of the rate counted in bytes, raised to whole sample frames: 50 ms of 16-bit stereo.
// The caller writes straight after a move, so the lead only has to cover that one write; what
// plays meanwhile is the ring's old content, which a longer lead would let the listener hear.
int32_t LW32DSnd::LeadBytes() const
{
    return static_cast<int32_t>(RoundUp(format_.rate / kLeadRateDivisor, BlockAlign()));
}

bool LW32DSnd::ReadPositions(int32_t* play, int32_t* write)
{
    int32_t realPlay = 0;
    int32_t realWrite = 0;
    if (!buffer_->GetCursors(realPlay, realWrite)) {
        return false;
    }
    const int32_t delta = RingDistance(lastPlayCursor_, realPlay);
    int32_t reportedPlay = realPlay;
    int32_t reportedWrite = realWrite;
    if (delta < underrunLimit_) {
        played_ += delta;
        lastPlayCursor_ = realPlay;
    } else {
        // A cursor that went back a little, or a caller that stayed away for most of a lap:
        // count no advance.
        const int32_t distance = RingDistance(realPlay, realWrite);
        reportedPlay = lastPlayCursor_;
        reportedWrite = (lastPlayCursor_ + std::max(0, delta + distance - bufferSize_)) % bufferSize_;
    }
    if (played_ + RingDistance(reportedPlay, reportedWrite) > written_) {
        // The device has taken everything written.
        ++restarts_;
        if (!Restart(false, false, 0)) {
            return false;
        }
        if ((play != nullptr || write != nullptr) && !buffer_->GetCursors(reportedPlay, reportedWrite)) {
            return false;
        }
    }
    if (play != nullptr) {
        *play = reportedPlay;
    }
    if (write != nullptr) {
        *write = reportedWrite;
    }
    return true;
}

bool LW32DSnd::Restart(bool clear, bool set, int64_t position)
{
    SoundStatus status;
    if (!buffer_->GetStatus(status)) {
        return false;
    }
    if (status.playing) {
        buffer_->Stop();
    }
    playing_ = false;
    if (set) {
        written_ = position;
    }
    played_ = written_;
    lastPlayCursor_ = 0;
    writeOffset_ = 0;
    const bool atStart = buffer_->SetPosition(0);
    if (status.lost) {
        if (!buffer_->Restore()) {
            return false;
        }
    } else if (!atStart) {
        return false;
    }
    if (clear) {
        buffer_->Clear();
    }
    StartRule();
    return true;
}

void LW32DSnd::StartRule()
{
    if (playRequested_ && !playing_ && written_ - played_ >= startThreshold_ && buffer_->Play(looping_)) {
        playing_ = true;
    }
}

bool LW32DSnd::CheckStatus()
{
    SoundStatus status;
    if (!buffer_->GetStatus(status)) {
        return false;
    }
    playing_ = status.playing;
    return !status.lost || Restart(false, false, 0);
}

bool LW32DSnd::Play(bool looping)
{
    if (buffer_ == nullptr) {
        return false;
    }
    if (looping != looping_) {
        Stop();
    }
    playRequested_ = true;
    looping_ = looping;
    if (!CheckStatus() || !ReadPositions(nullptr, nullptr)) {
        return false;
    }
    if (playing_ || written_ - played_ < startThreshold_) {
        return true;
    }
    if (!buffer_->Play(looping_)) {
        return false;
    }
    playing_ = true;
    return true;
}

bool LW32DSnd::Stop()
{
    if (buffer_ == nullptr) {
        return false;
    }
    playRequested_ = false;
    looping_ = false;
    if (buffer_->Stop()) {
        playing_ = false;
    }
    return true;
}

int32_t LW32DSnd::Write(const void* bytes, int32_t length)
{
    if (buffer_ == nullptr) {
        return -1;
    }
    if (length < 1 || bytes == nullptr || !CheckStatus()) {
        return 0;
    }
    int32_t play = 0;
    int32_t write = 0;
    if (!ReadPositions(&play, &write)) {
        return -1;
    }
    const int64_t free = bufferSize_ - RingDistance(play, write);
    const int64_t room = bufferSize_ - (written_ - played_);
    const auto count = static_cast<int32_t>(std::max<int64_t>(0, std::min({free, room, int64_t{length}})));
    if (count >= 1) {
        if (!buffer_->WriteAt(writeOffset_, bytes, count)) {
            return -1;
        }
        written_ += count;
        writeOffset_ = (writeOffset_ + count) % bufferSize_;
    }
    StartRule();
    return count;
}

bool LW32DSnd::Start(int64_t position, bool clear, bool force)
{
    if (buffer_ == nullptr) {
        return false;
    }
    int32_t play = 0;
    int32_t write = 0;
    if (clear || force || !ReadPositions(&play, &write)) {
        return Restart(force, true, position);
    }
    const int32_t lead = std::min(RingDistance(play, write) + LeadBytes(), bufferSize_ - BlockAlign());
    played_ = position;
    written_ = position + lead;
    writeOffset_ = (lastPlayCursor_ + lead) % bufferSize_;
    return true;
}

bool LW32DSnd::AddPlayed(int64_t bytes)
{
    if (buffer_ == nullptr) {
        return false;
    }
    played_ += bytes;
    written_ += bytes;
    return true;
}

bool LW32DSnd::GetCounters(int64_t& played, int64_t& written)
{
    if (buffer_ == nullptr || !ReadPositions(nullptr, nullptr)) {
        played = -1;
        written = -1;
        return false;
    }
    played = played_;
    written = written_;
    return true;
}

#include "show/ogg_vorbis_stream.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t kMicrosecondsPerSecond = 1'000'000;
constexpr int kLittleEndian = 0;
constexpr int kWordBytes = 2;
constexpr int kSigned = 1;
constexpr int kWholeStream = -1; // vorbisfile's link number for all links together
constexpr char kUnreadableText[] = "Ogg Vorbis sound track cannot be read (decoder error %d)!";

OggSetupGuard* Guard(void* guard)
{
    return static_cast<OggSetupGuard*>(guard);
}

size_t ReadSource(void* buffer, size_t size, size_t count, void* guard)
{
    const int64_t items = Guard(guard)->Read(buffer, size, count);
    // vorbisfile reads a result of -1 back through its signed byte count.
    return items < 0 ? static_cast<size_t>(-1) : std::min(static_cast<size_t>(items), count);
}

int SeekSource(void* guard, ogg_int64_t offset, int whence)
{
    return Guard(guard)->Seek(offset, whence);
}

int CloseSource(void* guard)
{
    return Guard(guard)->Close();
}

long TellSource(void* guard)
{
    return static_cast<long>(Guard(guard)->Tell());
}

constexpr ov_callbacks kSourceCallbacks = {ReadSource, SeekSource, CloseSource, TellSource};

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// frames x 1,000,000 / rate without overflowing: a hostile stream may declare any granule position.
int64_t FramesToMicroseconds(int64_t frames, int64_t rate)
{
    const int64_t seconds = frames / rate;
    if (seconds > std::numeric_limits<int64_t>::max() / kMicrosecondsPerSecond - 1) {
        return std::numeric_limits<int64_t>::max();
    }
    return seconds * kMicrosecondsPerSecond + frames % rate * kMicrosecondsPerSecond / rate;
}

int64_t SaturatingProduct(int64_t a, int64_t b)
{
    int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? std::numeric_limits<int64_t>::max() : product;
}

} // namespace

LOggVorbisStream::LOggVorbisStream() = default;

LOggVorbisStream::~LOggVorbisStream()
{
    LOggVorbisStream::Close();
}

void LOggVorbisStream::Close()
{
    if (open_) {
        ov_clear(decoder_.get());
    }
    decoder_.reset();
    guard_.reset();
    open_ = false;
    currentLink_ = 0;
    seekable_ = true;
    channels_ = kDefaultChannels;
    rate_ = kDefaultRate;
    bytesPerFrame_ = kDefaultChannels * kBytesPerSample;
    bitrate_ = 0;
    nominalBitrate_ = 0;
    rawTotal_ = 0;
    pcmTotal_ = 0;
    duration_ = 0;
    pcmBytes_ = 0;
}

bool LOggVorbisStream::Open(LOggVorbisDataInterface* source)
{
    Close();
    openError_ = CError();
    guard_ = std::make_unique<OggSetupGuard>(source);
    decoder_ = std::make_unique<OggVorbis_File>();
    // On failure vorbisfile has already cleared the decoder state.
    if (const int result = ov_open_callbacks(guard_.get(), decoder_.get(), nullptr, 0, kSourceCallbacks);
        result < 0) {
        openError_ = guard_->Refusal().Failed()
                         ? guard_->Refusal()
                         : CError::CErrorFromText(XAString::Format(kUnreadableText, result), result);
        Close();
        return false;
    }
    open_ = true;
    RefreshInfo();
    return true;
}

CError LOggVorbisStream::GetError() const
{
    return openError_.Failed() || guard_ == nullptr ? openError_ : guard_->Refusal();
}

void LOggVorbisStream::RefreshInfo()
{
    OggVorbis_File* decoder = decoder_.get();
    seekable_ = ov_seekable(decoder) != 0;
    if (const vorbis_info* info = ov_info(decoder, kWholeStream)) {
        channels_ = info->channels;
        rate_ = std::max(1, ClampToInt32(info->rate));
        nominalBitrate_ = ClampToInt32(info->bitrate_nominal);
    }
    bytesPerFrame_ = channels_ * kBytesPerSample;
    // Totals and bitrate are errors, not sizes, on a source that cannot seek: they are unknown.
    bitrate_ = std::max(0, ClampToInt32(ov_bitrate(decoder, kWholeStream)));
    rawTotal_ = std::max<int64_t>(0, ov_raw_total(decoder, kWholeStream));
    pcmTotal_ = std::max<int64_t>(0, ov_pcm_total(decoder, kWholeStream));
    duration_ = FramesToMicroseconds(pcmTotal_, rate_);
    pcmBytes_ = SaturatingProduct(bytesPerFrame_, pcmTotal_);
}

long LOggVorbisStream::Step(char* buffer, int32_t length, bool& changed)
{
    if (!open_) {
        return -1;
    }
    int link = 0;
    const long result = ov_read(decoder_.get(), buffer, length, kLittleEndian, kWordBytes, kSigned, &link);
    changed = false;
    if (result > 0 && link != currentLink_) {
        currentLink_ = link;
        RefreshInfo();
        changed = true;
    }
    return result;
}

int32_t LOggVorbisStream::Read(void* buffer, int32_t length, bool& changed)
{
    changed = false;
    if (length <= 0) {
        return 0;
    }
    auto* out = static_cast<char*>(buffer);
    long result = Step(out, length, changed);
    if (result < 0) {
        return static_cast<int32_t>(result);
    }
    int32_t total = 0;
    for (;;) {
        total += static_cast<int32_t>(result);
        if (total >= length || result <= 0 || changed) {
            return total;
        }
        result = Step(out + total, length - total, changed);
        if (result < 0) {
            return total;
        }
    }
}

bool LOggVorbisStream::SeekPcm(int64_t frame)
{
    if (!open_) {
        return false;
    }
    return ov_pcm_tell(decoder_.get()) == frame || ov_pcm_seek(decoder_.get(), frame) == 0;
}

int64_t LOggVorbisStream::TellTime()
{
    if (!open_) {
        return -1;
    }
    const int64_t frame = ov_pcm_tell(decoder_.get());
    return frame < 0 ? frame : FramesToMicroseconds(frame, rate_);
}

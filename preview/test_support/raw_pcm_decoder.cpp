#include "preview/test_support/raw_pcm_decoder.h"

namespace {

enum SeekOrigin : int32_t { kSeekSet = 0, kSeekEnd = 2 };

} // namespace

bool RawPcmDecoder::Open(LOggVorbisDataInterface* source)
{
    ++opens;
    if (failOpen || source == nullptr)
        return false;
    source_ = source;
    // The total as far as it is known: what has arrived of a show still loading.
    totalFrames_ = source_->AudioSeek(0, kSeekEnd) == 0 ? source_->AudioTell() / kBlockAlign : 0;
    return source_->AudioSeek(0, kSeekSet) == 0;
}

void RawPcmDecoder::Close()
{
    source_ = nullptr;
    totalFrames_ = 0;
}

int32_t RawPcmDecoder::Read(void* buffer, int32_t length)
{
    if (source_ == nullptr)
        return -1;
    const int64_t items = source_->AudioRead(buffer, kBlockAlign, static_cast<size_t>(length / kBlockAlign));
    return items < 0 ? -1 : static_cast<int32_t>(items * kBlockAlign);
}

bool RawPcmDecoder::Seek(int64_t frame)
{
    if (failSeeks > 0) {
        --failSeeks;
        return false;
    }
    if (source_ == nullptr || frame < 0 || frame > INT32_MAX / kBlockAlign)
        return false;
    return source_->AudioSeek(static_cast<int32_t>(frame * kBlockAlign), kSeekSet) == 0;
}

uint32_t RawFrameValue(const uint8_t* frame)
{
    return uint32_t{frame[0]} | uint32_t{frame[1]} << 8 | uint32_t{frame[2]} << 16 | uint32_t{frame[3]} << 24;
}

std::function<std::unique_ptr<LSoundDecoder>()> RawPcmDecoders(int32_t rate, std::function<void(RawPcmDecoder&)> made)
{
    return [rate, made]() -> std::unique_ptr<LSoundDecoder> {
        auto decoder = std::make_unique<RawPcmDecoder>(rate);
        if (made)
            made(*decoder);
        return decoder;
    };
}

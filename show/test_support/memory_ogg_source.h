// Test support: an in-memory Ogg Vorbis data source that can hold back bytes, read short, refuse
// to seek or fail.
#pragma once

#include "show/ogg_vorbis_data_interface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

// Serves bytes from memory as the show stream serves its sound chunks: reads stop at the bytes
// that have arrived, seeks are kept within them.
class MemoryOggSource : public LOggVorbisDataInterface
{
  public:
    explicit MemoryOggSource(std::vector<uint8_t> bytes)
        : bytes_(std::move(bytes)), available_(static_cast<int64_t>(bytes_.size()))
    {
    }

    std::vector<uint8_t>& Bytes() { return bytes_; }
    // Only the first count bytes have arrived.
    void SetAvailable(int64_t count) { available_ = std::min<int64_t>(count, bytes_.size()); }
    void SetSeekable(bool seekable) { seekable_ = seekable; }
    void SetMaxRead(int64_t bytes) { maxRead_ = bytes; }
    // Reads from this offset on fail.
    void FailFrom(int64_t offset) { failFrom_ = offset; }
    int32_t Seeks() const { return seeks_; }
    int32_t Closes() const { return closes_; }

    int64_t AudioRead(void* buffer, size_t size, size_t count) override
    {
        if (size == 0 || count == 0) {
            return 0;
        }
        if (offset_ >= failFrom_) {
            return -1;
        }
        const int64_t want = static_cast<int64_t>(std::min(count, SIZE_MAX / size) * size);
        const int64_t n = std::min({want, available_ - offset_, maxRead_, failFrom_ - offset_});
        if (n <= 0) {
            return 0;
        }
        std::memcpy(buffer, bytes_.data() + offset_, n);
        offset_ += n;
        return n / static_cast<int64_t>(size);
    }

    int32_t AudioSeek(int32_t offset, int32_t whence) override
    {
        if (!seekable_) {
            return -1;
        }
        ++seeks_;
        int64_t target = offset;
        if (whence == 1) {
            target += offset_;
        } else if (whence == 2) {
            target += available_;
        } else if (whence != 0) {
            return -1;
        }
        offset_ = std::clamp<int64_t>(target, 0, available_);
        return offset_ == target ? 0 : -1;
    }

    int32_t AudioClose() override
    {
        ++closes_;
        offset_ = 0;
        return 0;
    }

    int64_t AudioTell() override { return offset_; }

  private:
    std::vector<uint8_t> bytes_;
    int64_t available_;
    int64_t offset_ = 0;
    int64_t maxRead_ = INT64_MAX;
    int64_t failFrom_ = INT64_MAX;
    bool seekable_ = true;
    int32_t seeks_ = 0;
    int32_t closes_ = 0;
};

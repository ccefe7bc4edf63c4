// Test and benchmark support: Ogg Vorbis made in memory by the reference encoder, and an
// in-memory data source that can hold back bytes, read short, refuse to seek or fail.
#pragma once

#include "ogg_vorbis_data_interface.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

// One channel's sample (-1 .. 1) at a sample frame.
using SampleFunction = std::function<float(int channel, int64_t frame)>;

// A sine of frequency Hz per channel, at half scale.
inline SampleFunction Tones(std::vector<double> frequencies, int rate)
{
    return [frequencies = std::move(frequencies), rate](int channel, int64_t frame) {
        return static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * frequencies[channel] * frame / rate));
    };
}

class OggVorbisEncoder
{
  public:
    OggVorbisEncoder(int channels, int rate, float quality = 0.4f, int serial = 1) : channels_(channels)
    {
        vorbis_info_init(&info_);
        vorbis_encode_init_vbr(&info_, channels, rate, quality);
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, serial);
        ogg_packet header;
        ogg_packet comments;
        ogg_packet codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            Append(page);
        }
    }

    ~OggVorbisEncoder()
    {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }

    OggVorbisEncoder(const OggVorbisEncoder&) = delete;
    OggVorbisEncoder& operator=(const OggVorbisEncoder&) = delete;

    void Add(int64_t frames, const SampleFunction& sample)
    {
        constexpr int kChunk = 1024;
        for (int64_t done = 0; done < frames;) {
            const int n = static_cast<int>(std::min<int64_t>(kChunk, frames - done));
            float** buffer = vorbis_analysis_buffer(&dsp_, n);
            for (int c = 0; c < channels_; ++c) {
                for (int i = 0; i < n; ++i) {
                    buffer[c][i] = sample(c, added_ + i);
                }
            }
            vorbis_analysis_wrote(&dsp_, n);
            Drain();
            done += n;
            added_ += n;
        }
    }

    std::vector<uint8_t> Finish()
    {
        vorbis_analysis_wrote(&dsp_, 0);
        Drain();
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            Append(page);
        }
        return std::move(bytes_);
    }

  private:
    void Drain()
    {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                while (ogg_stream_pageout(&stream_, &page) != 0) {
                    Append(page);
                }
            }
        }
    }

    void Append(const ogg_page& page)
    {
        bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
        bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
    }

    int channels_;
    int64_t added_ = 0;
    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    std::vector<uint8_t> bytes_;
};

inline std::vector<uint8_t> EncodeOggVorbis(int channels, int rate, int64_t frames,
                                            const SampleFunction& sample, int serial = 1)
{
    OggVorbisEncoder encoder(channels, rate, 0.4f, serial);
    encoder.Add(frames, sample);
    return encoder.Finish();
}

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

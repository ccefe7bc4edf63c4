// Ogg Vorbis made in memory by the reference encoder: the show generator's sound tracks, and the
// sound that tests and benchmarks decode.
#pragma once

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <utility>
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

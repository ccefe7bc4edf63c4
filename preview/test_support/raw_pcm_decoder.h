#pragma once
// A decoder for tests: the show's sound bytes, read through the stream's audio data interface,
// are taken as raw 16-bit stereo PCM, so bytes that have not arrived are really missing. Shows
// made by the generator with raw sound hold k + 1 in sample frame k (as one 32-bit value over
// both channels), so a test reads back which frame it hears.

#include "show/sound_decoder.h"

#include <cstdint>
#include <functional>
#include <memory>

class RawPcmDecoder final : public LSoundDecoder
{
  public:
    static constexpr int32_t kChannels = 2;
    static constexpr int32_t kBlockAlign = 4;

    explicit RawPcmDecoder(int32_t rate) : rate_(rate) {}

    bool Open(LOggVorbisDataInterface* source) override;
    void Close() override;
    int32_t Channels() const override { return kChannels; }
    int32_t Rate() const override { return rate_; }
    int64_t TotalFrames() const override { return totalFrames_; }
    int32_t Read(void* buffer, int32_t length) override;
    bool Seek(int64_t frame) override;

    // Test switches: the next seeks fail; opening fails.
    int32_t failSeeks = 0;
    bool failOpen = false;
    int32_t opens = 0;

  private:
    int32_t rate_;
    LOggVorbisDataInterface* source_ = nullptr;
    int64_t totalFrames_ = 0;
};

// The frame number a sample frame of such a show holds (k + 1; 0 is silence).
uint32_t RawFrameValue(const uint8_t* frame);

// Makes RawPcmDecoders at rate; each one made is also reported to made, when given.
std::function<std::unique_ptr<LSoundDecoder>()> RawPcmDecoders(int32_t rate,
                                                              std::function<void(RawPcmDecoder&)> made = {});

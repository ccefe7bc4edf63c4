// Decodes a show's Ogg Vorbis sound track into interleaved signed 16-bit little-endian PCM.
// The bytes come from a data source; the decoding is vorbisfile's. No lock of its own: it runs on
// the caller's thread.
#pragma once

#include "foundation/errors/c_error.h"
#include "show/ogg_setup_guard.h"
#include "show/ogg_vorbis_data_interface.h"

#include <cstdint>
#include <memory>

struct OggVorbis_File;

class LOggVorbisStream
{
  public:
    LOggVorbisStream();
    virtual ~LOggVorbisStream();

    LOggVorbisStream(const LOggVorbisStream&) = delete;
    LOggVorbisStream& operator=(const LOggVorbisStream&) = delete;

    virtual void Close();

    // The source must outlive the decoder's use of it, up to Close. Its bytes reach the decoder
    // library through a guard that refuses setup headers the library cannot survive.
    bool Open(LOggVorbisDataInterface* source);
    // Why the last Open failed, or why a later link of the stream was refused; ok otherwise.
    CError GetError() const;
    // Fills up to length bytes; stops early at the end, on a pause in the data or when the
    // logical bitstream changed (changed is then set and the stream information is new).
    // 0 at the end or while the data is still arriving; negative on failure with nothing read.
    int32_t Read(void* buffer, int32_t length, bool& changed);
    bool SeekPcm(int64_t frame);
    // Microseconds of the next sample frame; negative when not open or on failure.
    int64_t TellTime();

    bool IsOpen() const { return open_; }
    int32_t CurrentLink() const { return currentLink_; }
    bool IsSeekable() const { return seekable_; }
    int32_t Channels() const { return channels_; }
    int32_t Rate() const { return rate_; }
    int32_t BytesPerFrame() const { return bytesPerFrame_; }
    int32_t Bitrate() const { return bitrate_; }
    int32_t NominalBitrate() const { return nominalBitrate_; }
    int64_t RawTotal() const { return rawTotal_; }
    // Sample frames; 0 while unknown (a source that cannot seek).
    int64_t PcmTotal() const { return pcmTotal_; }
    int64_t Duration() const { return duration_; }
    int64_t PcmBytes() const { return pcmBytes_; }

  private:
    static constexpr int32_t kDefaultChannels = 2;
    static constexpr int32_t kDefaultRate = 44100;
    static constexpr int32_t kBytesPerSample = 2;

    void RefreshInfo();
    long Step(char* buffer, int32_t length, bool& changed);

    std::unique_ptr<OggSetupGuard> guard_;
    std::unique_ptr<OggVorbis_File> decoder_;
    CError openError_;
    bool open_ = false;
    int32_t currentLink_ = 0;
    bool seekable_ = true;
    int32_t channels_ = kDefaultChannels;
    int32_t rate_ = kDefaultRate;
    int32_t bytesPerFrame_ = kDefaultChannels * kBytesPerSample;
    int32_t bitrate_ = 0;
    int32_t nominalBitrate_ = 0;
    int64_t rawTotal_ = 0;
    int64_t pcmTotal_ = 0;
    int64_t duration_ = 0;
    int64_t pcmBytes_ = 0;
};

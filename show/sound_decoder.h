#pragma once
// What the player asks of a sound track decoder: interleaved signed 16-bit PCM read from a data
// source (the show stream), and positioning by sample frame. LOggVorbisStream is the real one,
// behind MakeOggSoundDecoder; tests put decoders of their own in its place.

#include "show/ogg_vorbis_data_interface.h"

#include <cstdint>
#include <memory>

class LSoundDecoder
{
  public:
    virtual ~LSoundDecoder() = default;

    // The source must outlive the decoder's use of it, up to Close.
    virtual bool Open(LOggVorbisDataInterface* source) = 0;
    virtual void Close() = 0;
    virtual int32_t Channels() const = 0;
    virtual int32_t Rate() const = 0;
    // Bits per second of the whole track; 0 while unknown.
    virtual int32_t Bitrate() const { return 0; }
    // Sample frames of the whole track; 0 while unknown.
    virtual int64_t TotalFrames() const = 0;
    // Up to length bytes of whole sample frames; 0 at the end or while the data is still
    // arriving, negative on failure.
    virtual int32_t Read(void* buffer, int32_t length) = 0;
    virtual bool Seek(int64_t frame) = 0;
};

std::unique_ptr<LSoundDecoder> MakeOggSoundDecoder();

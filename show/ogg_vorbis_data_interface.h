// Where the Ogg Vorbis decoder gets its bytes: in practice the show stream, which serves the
// sound chunks of a show file, possibly while they are still arriving.
#pragma once

#include <cstddef>
#include <cstdint>

class LOggVorbisDataInterface
{
  public:
    // Up to count items of size bytes into buffer; the items read. 0 at the end, and also while
    // the data is still arriving, when errno must stay 0 so that the decoder sees a temporary end
    // rather than a failure. -1 on failure.
    virtual int64_t AudioRead(void* buffer, size_t size, size_t count);
    // whence: 0 from the start, 1 from the current offset, 2 from the end. 0, or -1 on failure.
    virtual int32_t AudioSeek(int32_t offset, int32_t whence);
    // 0 once closed.
    virtual int32_t AudioClose();
    // The current byte offset, -1 on failure.
    virtual int64_t AudioTell();

  protected:
    ~LOggVorbisDataInterface() = default;
};

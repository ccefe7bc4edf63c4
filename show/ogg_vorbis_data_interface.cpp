#include "show/ogg_vorbis_data_interface.h"

#include <cerrno>

// A source that serves nothing: reading fails, so the decoder never mistakes it for a stream
// that is still arriving.
int64_t LOggVorbisDataInterface::AudioRead(void* buffer, size_t size, size_t count)
{
    errno = EINVAL;
    return 0;
}

int32_t LOggVorbisDataInterface::AudioSeek(int32_t offset, int32_t whence)
{
    return -1;
}

int32_t LOggVorbisDataInterface::AudioClose()
{
    return -1;
}

int64_t LOggVorbisDataInterface::AudioTell()
{
    return -1;
}

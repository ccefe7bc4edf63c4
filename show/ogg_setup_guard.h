// Stands between a sound track's data source and the decoder library: every Ogg page passes
// through here whole before the library gets its last byte, and the setup header of every
// logical stream that begins (also in a chained or later link) is checked on the way. A stream
// whose setup header the library cannot survive is refused: reads fail from then on, and
// Refusal says why. A source that can seek is surveyed first, and the library is shown the
// stream only up to the first link it could not open (see ogg_link_survey.h).
#pragma once

#include "foundation/errors/c_error.h"
#include "show/ogg_vorbis_data_interface.h"

#include <ogg/ogg.h>

#include <cstdint>
#include <map>
#include <vector>

class OggSetupGuard
{
  public:
    // A null source gives nothing, as a data source that is missing.
    explicit OggSetupGuard(LOggVorbisDataInterface* source);
    ~OggSetupGuard();

    OggSetupGuard(const OggSetupGuard&) = delete;
    OggSetupGuard& operator=(const OggSetupGuard&) = delete;

    // The data source's operations, on the bytes as far as they have been checked.
    int64_t Read(void* buffer, size_t size, size_t count);
    int32_t Seek(int64_t offset, int32_t whence);
    int32_t Close();
    int64_t Tell();

    const CError& Refusal() const { return refusal_; }

  private:
    // A logical stream whose three header packets are still arriving.
    struct Headers
    {
        ogg_stream_state stream;
        int32_t packets = 0;
    };

    int64_t FetchMore();
    int64_t HeldBytes() const { return static_cast<int64_t>(held_.size() - heldStart_); }
    void InspectPage(ogg_page& page);
    void InspectPackets(Headers& headers);
    void Refuse(const CError& error);
    void Forget();

    LOggVorbisDataInterface* source_;
    ogg_sync_state sync_;
    // Bytes read from the source and not yet handed on; the first ready_ of them have been
    // checked (whole pages, or bytes that belong to no page).
    std::vector<uint8_t> held_;
    size_t heldStart_ = 0;
    size_t ready_ = 0;
    int64_t handedOffset_ = 0;
    int64_t viewEnd_ = INT64_MAX;
    std::map<int32_t, Headers> beginning_;
    CError refusal_;
};

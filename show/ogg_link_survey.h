// A straight reading of a seekable Ogg stream, page by page, before the decoder library opens
// it. The library finds the links of a chained stream by bisection, and when a later link turns
// out to be unusable (its headers cut short or refused, a page of no link, a serial number
// begun twice) it fails the whole open and loses memory on the way. The survey finds the first
// such place, so that the decoder can be shown the stream as ending there: everything before it
// plays, and the library never meets the broken link.
#pragma once

#include "foundation/errors/c_error.h"
#include "show/ogg_vorbis_data_interface.h"

#include <cstdint>

constexpr int64_t kNoOggCut = -1;

struct OggSurvey
{
    // The offset from which the stream is not to be shown, or kNoOggCut.
    int64_t cut = kNoOggCut;
    // Why, when the link there was refused by the setup header check.
    CError refusal;
};

// The source is read from its current offset to its end and put back at that offset; a source
// that cannot seek is left alone (no cut).
OggSurvey SurveyOggLinks(LOggVorbisDataInterface& source);

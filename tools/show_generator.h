#pragma once
// The show generator: makes demo and test shows through the project's own writers (the show
// stream's recorder and the converter). The same options and seed give the same show.

#include "foundation/errors/c_error.h"

#include <cstdint>

enum class ShowForm : int32_t {
    kRaw,        // as recorded: plain frames, index last
    kStreamable, // plain frames, index first
    kCoded,      // converted: coded frames, index first
    kAborted,    // a recording broken off: no index
    kTruncated,  // a coded show cut short, as a download still arriving
};

struct ShowGeneratorOptions
{
    uint32_t seed = 1;
    int32_t servers = 2;
    // Controller channels per server (1..8); servers x channels stream channels (at most 32).
    int32_t channelsPerServer = 5;
    int64_t startTimeUs = 3600000000;
    int64_t durationUs = 10000000;
    double framesPerSecond = 25.0;
    int32_t pointsPerFrame = 300;
    // Every channel draws MakeStillCirclePoints with default output parameters.
    bool stillCircle = false;
    // Every this many seconds each channel goes dark for a while (0: never).
    int32_t blankingPeriodS = 4;
    bool sound = false;
    int32_t soundRate = 22050;
    int32_t soundChannels = 2;
    // The sound track as raw 16-bit stereo whose sample frame k holds k + 1 (as one 32-bit
    // little-endian value over both channels), so a test can tell which frame it hears; only
    // in forms that are not converted (raw, streamable, aborted).
    bool rawSound = false;
    // The sound is recorded after all frames, so a show cut short has frames without sound.
    bool soundAfterFrames = false;
    // Numbered frames: frame n of every channel at the start + n x 10 ms, its first point at
    // laser X = n; no blanking.
    bool numbered = false;
    // Background pictures (0..4), written by the BMP writer.
    int32_t bitmaps = 0;
    bool userData = true;
    ShowForm form = ShowForm::kCoded;
    int32_t quality = 100;
    bool removeDuplicates = false;
    // kTruncated: the bytes kept (0: half the file).
    int32_t truncateBytes = 0;
};

CError GenerateShow(const char* path, const ShowGeneratorOptions& options);

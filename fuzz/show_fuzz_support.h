#pragma once
// Shared by the show fuzz targets: a show file around fuzz bytes taken as the deciphered body,
// and a walk over everything a player reads from an open show.

#include "show/test_support/enciphered_show_fixture.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace show_fuzz {

using show_fixture::kStartValue;
constexpr int32_t kMostSoundReads = 64;

// The plain prefix of a version-2 show, then the fuzz bytes through the enciphering layer.
inline XAString ShowAround(const uint8_t* body, size_t size)
{
    return show_fixture::EncipheredShow(body, static_cast<int32_t>(size));
}

// Frames at the edges and the middle of every channel, and the sound from the start.
inline void ReadEverything(LLaserPreviewStream& stream)
{
    auto frame = std::make_unique<LFrame>();
    for (int32_t c = 0; c < stream.StreamChannelCount(); ++c) {
        const ShowIndexArray& index = stream.ChannelIndex(c);
        if (index.IsEmpty())
            continue;
        const int64_t first = index.First().time;
        const int64_t last = index.Last().time;
        for (int64_t t : {first - 1, first, first / 2 + last / 2, last})
            stream.ReadFrame(c, t, *frame);
        if (frame->count < 0 || frame->count > LFrame::kCapacity)
            std::abort();
    }
    char buffer[4096];
    for (int32_t i = 0; i < kMostSoundReads && stream.AudioRead(buffer, 1, sizeof buffer) > 0; ++i) {
    }
    stream.AudioSeek(-1, 2);
    stream.AudioRead(buffer, 3, 5);
    if (stream.AudioTell() < 0 || stream.AudioTell() > stream.TotalSoundBytes())
        std::abort();
}

} // namespace show_fuzz

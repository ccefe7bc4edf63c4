#pragma once
// Shared by the show fuzz targets: a show file around fuzz bytes taken as the deciphered body,
// and a walk over everything a player reads from an open show.

#include "archive_crypt.h"
#include "archive_xstring.h"
#include "frame.h"
#include "laser_preview_stream.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace show_fuzz {

constexpr uint64_t kStartValue = 0x01D9A1B2C3D4E5F6;
constexpr int32_t kMostSoundReads = 64;

class CapturingArchive : public LArchiveXString
{
  public:
    CapturingArchive() { OpenWrite(0); }
    bool Close(bool flag = false) override
    {
        if (IsWriter())
            captured = TakeString();
        return LArchiveXString::Close(flag);
    }
    XAString captured;
};

// The plain prefix of a version-2 show, then the bytes through the enciphering layer.
inline XAString ShowAround(const uint8_t* body, size_t size)
{
    CapturingArchive raw;
    raw.WriteBlock(ShowFile::kMagic, sizeof ShowFile::kMagic);
    raw.WriteVersion(ShowFile::kPrefixVersion, 0);
    raw.WriteCount(0);
    raw.WriteCount(0);
    raw.Flush();
    LArchiveCrypt crypt;
    crypt.SetStartValueSource([] { return kStartValue; });
    crypt.Attach(raw, false);
    crypt.WriteBlock(body, static_cast<int32_t>(size));
    crypt.Close();
    return raw.captured;
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

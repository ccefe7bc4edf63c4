#include "show/frame.h"

#include "show/frame_commands.h"
#include "show/internal/frame_timeline.h"

#include <algorithm>
#include <cstring>

LFrame::LFrame(const LFrame& other)
{
    *this = other;
}

LFrame& LFrame::operator=(const LFrame& other)
{
    if (this != &other) {
        count = other.count;
        std::memcpy(words, other.words, sizeof(uint32_t) * static_cast<size_t>(other.ValidCount()));
    }
    return *this;
}

void LFrame::GetStats(LFrameStats& stats) const
{
    stats.Clear();
    if (ValidCount() == 0)
        return;
    LFrameTimeline timeline;
    WalkFrameCommands(words, ValidCount(), [&](const uint32_t* w, int32_t) {
        switch (FrameOpcode(w[0])) {
        case kOpRepeat:
        case kOpAttr:
            timeline.AddPoints(FrameByte(w[0], 8));
            break;
        case kOpMove:
        case kOpMoveAttr:
        case kOpRamp:
            timeline.AddPoints(1);
            break;
        case kOpHeader:
        case kOpHeaderTime:
            timeline.Header(w[1]);
            timeline.Channel(FrameByte(w[2], 8), FrameByte(w[2], 0));
            if (FrameOpcode(w[0]) == kOpHeaderTime)
                timeline.Time(w[3], w[4]);
            break;
        case kOpSelect:
            timeline.Channel(FrameByte(w[0], 16), FrameByte(w[0], 8));
            break;
        case kOpTime:
            timeline.Time(w[1], w[2]);
            break;
        case kOpImage:
            timeline.Image(w[4]);
            break;
        }
        return true;
    });
    timeline.Finish(stats, 1.0f);
}

int32_t LFrame::GetImageEntries(LFrameImageEntry* entries, int32_t capacity) const
{
    if (entries == nullptr || capacity <= 0)
        return 0;
    int32_t found = 0;
    uint8_t channel = 0;
    uint8_t subChannel = 0;
    WalkFrameCommands(words, ValidCount(), [&](const uint32_t* w, int32_t) {
        switch (FrameOpcode(w[0])) {
        case kOpHeader:
        case kOpHeaderTime:
            channel = static_cast<uint8_t>(FrameByte(w[2], 8));
            subChannel = static_cast<uint8_t>(FrameByte(w[2], 0));
            break;
        case kOpSelect:
            channel = static_cast<uint8_t>(FrameByte(w[0], 16));
            subChannel = static_cast<uint8_t>(FrameByte(w[0], 8));
            break;
        case kOpImage: {
            LFrameImageEntry& entry = entries[found++];
            entry.channel = channel;
            entry.subChannel = subChannel;
            entry.red = static_cast<uint8_t>(FrameByte(w[3], 16));
            entry.green = static_cast<uint8_t>(FrameByte(w[3], 8));
            entry.blue = static_cast<uint8_t>(FrameByte(w[3], 0));
            entry.imageId = FrameInt16(w[0]);
            entry.x = FrameInt16(w[1]);
            entry.y = FrameInt16(w[2]);
            entry.duration = static_cast<int32_t>(w[4] & kFrameWordBits) * kTimeTickMicroseconds;
            break;
        }
        }
        return found < capacity;
    });
    return found;
}

namespace {
// Time words are not compared: of a Time none, of a HeaderTime only words 1 and 2.
int32_t ComparedLength(uint32_t word0)
{
    switch (FrameOpcode(word0)) {
    case kOpTime:
        return 1;
    case kOpHeaderTime:
        return 3;
    default:
        return FrameCommandLength(word0);
    }
}

bool SameBits(uint32_t a, uint32_t b)
{
    return ((a ^ b) & kFrameWordBits) == 0;
}
} // namespace

bool LFrame::Equals(const LFrame& other) const
{
    if (count != other.count)
        return false;
    const int32_t n = ValidCount();
    for (int32_t i = 0; i < n; i += FrameCommandLength(words[i])) {
        // Equal first words mean equal opcodes and lengths; a last command cut short by the
        // count is compared as far as it goes.
        const int32_t end = std::min(n, i + ComparedLength(words[i]));
        for (int32_t j = i; j < end; ++j) {
            if (!SameBits(words[j], other.words[j]))
                return false;
        }
    }
    return true;
}

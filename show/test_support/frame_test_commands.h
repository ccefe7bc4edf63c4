#pragma once
// Command words written out by hand for the frame tests.

#include "show/frame.h"
#include "show/frame_commands.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace frame_test {

using Words = std::vector<uint32_t>;

inline Words Repeat(uint32_t n)
{
    return {kOpRepeat | n << 8};
}
inline Words Attr(uint32_t n, uint32_t attribute, bool blank, uint32_t color)
{
    return {kOpAttr | n << 8 | attribute << 16 | (blank ? kAttrBlankBit : 0), color};
}
inline Words Move(int32_t x, int32_t y)
{
    return {kOpMove | FrameInt16Field(x), FrameInt16Field(y)};
}
inline Words MoveAttr(int32_t x, int32_t y, uint32_t attribute, bool blank, uint32_t color)
{
    return {kOpMoveAttr | FrameInt16Field(x), attribute | (blank ? kBlankAttribute : 0) | FrameInt16Field(y),
            color};
}
inline Words Ramp(bool simulated)
{
    return {kOpRamp | (simulated ? kRampModeBit : 0)};
}
inline Words Header(uint32_t close, uint32_t open, uint32_t rateWord, uint32_t channel, uint32_t subChannel,
                    uint32_t colorDelay)
{
    return {kOpHeader | close << 8 | open << 16, rateWord, subChannel | channel << 8 | colorDelay << 16};
}
inline Words HeaderTime(uint32_t close, uint32_t open, uint32_t rateWord, uint32_t channel,
                        uint32_t subChannel, uint32_t colorDelay, uint64_t ticks)
{
    Words w = Header(close, open, rateWord, channel, subChannel, colorDelay);
    w[0] = (w[0] & ~kFrameOpcodeBits) | kOpHeaderTime;
    w.push_back(uint32_t(ticks >> 24) & kFrameWordBits);
    w.push_back(uint32_t(ticks) & kFrameWordBits);
    return w;
}
inline Words Select(uint32_t channel, uint32_t subChannel)
{
    return {kOpSelect | subChannel << 8 | channel << 16};
}
inline Words Time(uint64_t ticks)
{
    return {kOpTime, uint32_t(ticks >> 24) & kFrameWordBits, uint32_t(ticks) & kFrameWordBits};
}
inline Words Image(int32_t id, int32_t x, int32_t y, uint32_t color, uint32_t duration)
{
    return {kOpImage | FrameInt16Field(id), FrameInt16Field(x), FrameInt16Field(y), color, duration};
}

// The rate word of a scan rate in points per second.
inline uint32_t RateWord(double pointsPerSecond)
{
    return uint32_t(pointsPerSecond * kPointsPerSecondToRateWord);
}

inline Words Join(std::initializer_list<Words> commands)
{
    Words all;
    for (const Words& c : commands)
        all.insert(all.end(), c.begin(), c.end());
    return all;
}

inline std::unique_ptr<LFrame> MakeFrame(const Words& words)
{
    auto frame = std::make_unique<LFrame>();
    frame->count = int32_t(words.size());
    std::copy(words.begin(), words.end(), frame->words);
    return frame;
}

inline Words FrameWords(const LFrame& frame)
{
    return Words(frame.words, frame.words + frame.ValidCount());
}

} // namespace frame_test

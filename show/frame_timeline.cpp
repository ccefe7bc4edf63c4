#include "show/internal/frame_timeline.h"

#include "show/frame_commands.h"

namespace {
constexpr double kMicrosecondsPerSecond = 1000000.0;
constexpr uint32_t kMaskBits = 31;
} // namespace

void LFrameTimeline::AdvanceByPending()
{
    stats_.lastTime += static_cast<int64_t>(kMicrosecondsPerSecond / rate_ * static_cast<double>(pending_));
    pending_ = 0;
}

void LFrameTimeline::Header(uint32_t rateWord)
{
    if (pending_ > 0 && stats_.timeSeen)
        AdvanceByPending();
    rate_ = RateFromWord(rateWord);
}

void LFrameTimeline::Channel(uint32_t channel, uint32_t subChannel)
{
    stats_.channelMask |= 1u << (channel & kMaskBits);
    stats_.subChannelMask |= 1u << (subChannel & kMaskBits);
}

void LFrameTimeline::Time(uint32_t highWord, uint32_t lowWord)
{
    const int64_t time = FrameTimeMicroseconds(highWord, lowWord);
    if (!stats_.timeSeen) {
        stats_.firstTime = time;
        stats_.timeSeen = 1;
    }
    stats_.lastTime = time;
    pending_ = 0;
}

void LFrameTimeline::Image(uint32_t durationTicks)
{
    if (stats_.timeSeen)
        stats_.lastTime += static_cast<int64_t>(durationTicks & kFrameWordBits) * kTimeTickMicroseconds;
}

void LFrameTimeline::Finish(LFrameStats& stats, float averageSpeed)
{
    AdvanceByPending();
    stats = stats_;
    stats.averageSpeed = averageSpeed;
}

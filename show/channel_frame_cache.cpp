#include "show/channel_frame_cache.h"

#include "show/frame_commands.h"
#include "show/laser_preview_stream.h"

#include <algorithm>

namespace {
constexpr int32_t kMaxOversampling = 16;

// A capacity that renders the frame as the full capacity does, and that the render can go straight
// into: one more than the most points its commands give (each point once per oversampling step),
// so that the walk never stops early and the statistics cover every command.
int32_t SufficientCapacity(const LFrame& frame, const LFrameRenderSettings& settings, int32_t capacity)
{
    int64_t points = 0;
    WalkFrameCommands(frame.words, frame.ValidCount(), [&](const uint32_t* w, int32_t) {
        switch (FrameOpcode(w[0])) {
        case kOpRepeat:
        case kOpAttr:
            points += FrameByte(w[0], 8);
            break;
        case kOpMove:
        case kOpMoveAttr:
        case kOpRamp:
            ++points;
            break;
        }
        return true;
    });
    const int64_t steps = settings.simulate ? std::clamp(settings.oversampling, 1, kMaxOversampling) : 1;
    return static_cast<int32_t>(std::min<int64_t>(points * steps + 1, capacity));
}
} // namespace

LChannelFrameCache::LChannelFrameCache() = default;

const LFrame* LChannelFrameCache::Frame(LLaserPreviewStream& stream, int32_t channel, int64_t time)
{
    if (channel < 0 || channel >= ShowFile::kStreamChannels)
        return nullptr;
    Channel& c = channels_[channel];
    const int32_t position = stream.FrameRecordAt(channel, time);
    if (position == LLaserPreviewStream::kNoRecord) {
        DropChannel(c);
        return nullptr;
    }
    if (c.valid && c.position == position && c.openSerial == stream.OpenSerial())
        return c.frame.get();
    DropChannel(c);
    if (!c.frame)
        c.frame = std::make_unique<LFrame>();
    if (!stream.ReadFrameRecord(position, *c.frame))
        return nullptr;
    ++framesRead_;
    c.valid = true;
    c.position = position;
    c.openSerial = stream.OpenSerial();
    return c.frame.get();
}

std::span<const LFrameOutPoint>
LChannelFrameCache::Points(int32_t channel, const LFrameRenderSettings& settings, LFrameStats* stats)
{
    if (channel < 0 || channel >= ShowFile::kStreamChannels || !channels_[channel].valid) {
        if (stats)
            stats->Clear();
        return {};
    }
    Channel& c = channels_[channel];
    Render* render = FindRender(c, settings);
    if (!render) {
        RenderWaiting(settings);
        render = FindRender(c, settings);
    }
    render->lastUse = ++uses_;
    if (stats)
        *stats = render->stats;
    return {render->points.data(), static_cast<size_t>(render->count)};
}

void LChannelFrameCache::RenderWaiting(const LFrameRenderSettings& settings)
{
    std::array<LFrameRenderJob, ShowFile::kStreamChannels> jobs;
    std::array<Render*, ShowFile::kStreamChannels> renders;
    size_t waiting = 0;
    for (Channel& c : channels_) {
        if (!c.valid || FindRender(c, settings))
            continue;
        Render& render = RenderSlot(c, settings);
        const int32_t capacity = SufficientCapacity(*c.frame, settings, kRenderCapacity);
        if (render.points.size() < static_cast<size_t>(capacity))
            render.points.resize(static_cast<size_t>(capacity));
        render.lastUse = ++uses_;
        jobs[waiting] = LFrameRenderJob{c.frame.get(), render.points.data(), capacity, &render.stats, 0};
        renders[waiting++] = &render;
    }
    LFrame::RenderAll({jobs.data(), waiting}, settings);
    for (size_t i = 0; i < waiting; ++i) {
        renders[i]->count = jobs[i].count;
        renders[i]->settings = settings;
        renders[i]->valid = true;
        ++renders_;
    }
}

void LChannelFrameCache::Drop()
{
    for (Channel& c : channels_)
        DropChannel(c);
}

void LChannelFrameCache::DropChannel(Channel& channel)
{
    channel.valid = false;
    for (Render& render : channel.renders)
        render.valid = false;
}

LChannelFrameCache::Render* LChannelFrameCache::FindRender(Channel& channel, const LFrameRenderSettings& settings)
{
    for (Render& render : channel.renders) {
        if (render.valid && render.settings == settings)
            return &render;
    }
    return nullptr;
}

// The render kept for these settings, else the slot used longest ago, emptied.
LChannelFrameCache::Render& LChannelFrameCache::RenderSlot(Channel& channel,
                                                           const LFrameRenderSettings& settings)
{
    if (Render* kept = FindRender(channel, settings))
        return *kept;
    Render& oldest =
        *std::min_element(channel.renders.begin(), channel.renders.end(),
                          [](const Render& a, const Render& b) { return a.lastUse < b.lastUse; });
    oldest.valid = false;
    return oldest;
}

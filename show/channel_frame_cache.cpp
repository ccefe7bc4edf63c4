#include "show/channel_frame_cache.h"

#include "show/laser_preview_stream.h"

#include <algorithm>

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
        render.lastUse = ++uses_;
        // The points buffer grows to the frame's render as it is made, so no walk beforehand
        // has to count the frame's points.
        jobs[waiting] = LFrameRenderJob{c.frame.get(), nullptr, kRenderCapacity, &render.stats, 0, &render.points};
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

#include "preview/show_channel_drawing.h"

#include "preview/laser_frame_renderer.h"
#include "show/channel_frame_cache.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"
#include "show/show_file_format.h"

#include <algorithm>
#include <array>

void DrawShowChannels(LLaserPreviewStream& stream, int64_t time, LChannelFrameCache& frames,
                      LaserFrameRenderer& renderer, RenderBatchBuilder& out)
{
    // Every channel's frame first: the first render asked for then renders them all at once.
    std::array<const LFrame*, ShowFile::kStreamChannels> shown{};
    const int32_t channels = std::min(stream.StreamChannelCount(), ShowFile::kStreamChannels);
    for (int32_t channel = 0; channel < channels; ++channel)
        shown[channel] = frames.Frame(stream, channel, time);
    for (int32_t channel = 0; channel < channels; ++channel) {
        const LFrame* frame = shown[channel];
        if (frame == nullptr)
            continue;
        const FramePointSource points = [&](const LFrameRenderSettings& settings, LFrameStats& stats) {
            return frames.Points(channel, settings, &stats);
        };
        renderer.DrawLaserFrames(*frame, points, stream.OutputParameters(stream.ChannelServer(channel)), out);
    }
}

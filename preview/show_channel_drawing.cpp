#include "preview/show_channel_drawing.h"

#include "preview/laser_frame_renderer.h"
#include "show/channel_frame_cache.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"

void DrawShowChannels(LLaserPreviewStream& stream, int64_t time, LChannelFrameCache& frames,
                      LaserFrameRenderer& renderer, RenderBatchBuilder& out)
{
    for (int32_t channel = 0; channel < stream.StreamChannelCount(); ++channel) {
        const LFrame* frame = frames.Frame(stream, channel, time);
        if (frame == nullptr)
            continue;
        const FramePointSource points = [&](const LFrameRenderSettings& settings, LFrameStats& stats) {
            return frames.Points(channel, settings, &stats);
        };
        renderer.DrawLaserFrames(*frame, points, stream.OutputParameters(stream.ChannelServer(channel)), out);
    }
}

#include "preview/show_channel_drawing.h"

#include "preview/laser_frame_renderer.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"

void DrawShowChannels(LLaserPreviewStream& stream, int64_t time, LFrame& frame, LaserFrameRenderer& renderer,
                      RenderBatchBuilder& out)
{
    for (int32_t channel = 0; channel < stream.StreamChannelCount(); ++channel) {
        if (!stream.ReadFrame(channel, time, frame))
            continue;
        renderer.DrawLaserFrames(frame, stream.OutputParameters(stream.ChannelServer(channel)), out);
    }
}

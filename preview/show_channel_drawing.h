#pragma once
// Every stream channel of the open show at one show time, handed to the renderer with the output
// table of the channel's server (the default table when the show has none). Frames and their
// renders come from the cache, so a frame shown for several ticks is read and rendered once.

#include <cstdint>

class LChannelFrameCache;
class LLaserPreviewStream;
class LaserFrameRenderer;
class RenderBatchBuilder;

void DrawShowChannels(LLaserPreviewStream& stream, int64_t time, LChannelFrameCache& frames,
                      LaserFrameRenderer& renderer, RenderBatchBuilder& out);

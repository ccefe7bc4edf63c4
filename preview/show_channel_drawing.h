#pragma once
// Every stream channel of the open show at one show time, read and handed to the renderer with
// the output table of the channel's server (the default table when the show has none).

#include <cstdint>

class LFrame;
class LLaserPreviewStream;
class LaserFrameRenderer;
class RenderBatchBuilder;

// frame: scratch space for the reads.
void DrawShowChannels(LLaserPreviewStream& stream, int64_t time, LFrame& frame, LaserFrameRenderer& renderer,
                      RenderBatchBuilder& out);

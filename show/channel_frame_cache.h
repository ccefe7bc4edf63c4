#pragma once
// LChannelFrameCache: each stream channel's last frame, as the player asks for it on every tick.
// A frame lives for several ticks (four at 25 frames a second and 100 ticks), so each channel
// keeps the frame decoded from the record under the play clock, and the scanner simulation's
// output for it, and reads, decodes or simulates again only when the record or the simulation
// settings change. Nothing is allocated on a tick once every channel has seen its largest frame.

#include "show/frame.h"
#include "show/frame_records.h"
#include "show/show_file_format.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class LLaserPreviewStream;

class LChannelFrameCache
{
  public:
    // The preview's point buffer: the most points one render gives.
    static constexpr int32_t kRenderCapacity = 0x20000;
    // Renders kept per frame: the preview's beam pass and its graphics pass.
    static constexpr int32_t kRenderSlots = 2;

    LChannelFrameCache();
    LChannelFrameCache(const LChannelFrameCache&) = delete;
    LChannelFrameCache& operator=(const LChannelFrameCache&) = delete;

    // The frame in force on a stream channel at a time, as LLaserPreviewStream::ReadFrame gives
    // it; null where ReadFrame fails. Read again only when the record under the time changed.
    const LFrame* Frame(LLaserPreviewStream& stream, int32_t channel, int64_t time);

    // The output points of the channel's frame of the last Frame call, rendered with the
    // settings (LFrame::Render, capacity kRenderCapacity); empty when it has no frame. Rendered
    // again only when the frame or the settings changed. stats, when given, receives the
    // render's statistics. The points stay valid until the next Frame or Points call.
    // A tick asks every channel for its frame, then for its points with the same settings: a
    // missing render is made together with those of every other channel whose frame lacks one
    // for these settings, so that their scanner simulations run side by side.
    std::span<const LFrameOutPoint> Points(int32_t channel, const LFrameRenderSettings& settings,
                                           LFrameStats* stats = nullptr);

    // Forgets every kept frame and render: after a seek, or when a channel's output parameter
    // table changed.
    void Drop();

    // Records read and renders made since construction, for statistics.
    int64_t FramesRead() const { return framesRead_; }
    int64_t Renders() const { return renders_; }

  private:
    struct Render
    {
        bool valid = false;
        LFrameRenderSettings settings;
        std::vector<LFrameOutPoint> points; // grows to the largest render, never shrinks
        int32_t count = 0;
        LFrameStats stats;
        int64_t lastUse = 0;
    };

    struct Channel
    {
        bool valid = false; // frame holds the record below
        uint64_t openSerial = 0;
        int32_t position = 0;
        std::unique_ptr<LFrame> frame;
        std::array<Render, kRenderSlots> renders;
    };

    void DropChannel(Channel& channel);
    static Render* FindRender(Channel& channel, const LFrameRenderSettings& settings);
    Render& RenderSlot(Channel& channel, const LFrameRenderSettings& settings);
    void RenderWaiting(const LFrameRenderSettings& settings);

    std::array<Channel, ShowFile::kStreamChannels> channels_;
    int64_t uses_ = 0;
    int64_t framesRead_ = 0;
    int64_t renders_ = 0;
};

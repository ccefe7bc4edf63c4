#pragma once
// One laser frame: a program of 32-bit command words for one output channel (see
// frame_commands.h), with the builder that makes one from a point list and the whole-frame
// operations: statistics, image entries, comparison, rendering and Huffman coding.

#include "show/frame_records.h"

#include <cstdint>
#include <span>
#include <vector>

class LPic;
class LFrameCodec;
class LBitArchive;
class LBitArchiveBytes;
struct LFrameRenderJob;

class LFrame
{
  public:
    static constexpr int32_t kCapacity = 24576;
    // The builder and the decoder stop after the command that takes the count past this,
    // and no command adds more than 4 words.
    static constexpr int32_t kBuildLimit = 24560;

    LFrame() = default;
    LFrame(const LFrame& other);
    LFrame& operator=(const LFrame& other);

    void Init() { count = 0; }

    void BuildFromPoints(const LPic& points, int64_t time, float rate, int32_t colorDelay, float openTime,
                         float closeTime, int32_t channel, int32_t subChannel);

    void GetStats(LFrameStats& stats) const;
    int32_t GetImageEntries(LFrameImageEntry* entries, int32_t capacity) const;
    // Time stamps never make two frames differ.
    bool Equals(const LFrame& other) const;

    // Turns the commands into scanner steps; returns the points written (at most capacity).
    int32_t Render(LFrameOutPoint* points, int32_t capacity, LFrameStats* stats, bool simulate,
                   bool simulatePosition, float freqFactor, float colorDelayFactor, float springFactor,
                   float dampingFactor, int32_t oversampling) const;

    // Renders every job's frame as Render does with the settings, bit for bit; the scanner
    // simulations of several frames run side by side.
    static void RenderAll(std::span<LFrameRenderJob> jobs, const LFrameRenderSettings& settings);

    // With no writer, counts the frame's symbols into the codec's histograms.
    bool HuffEncode(LFrameCodec& codec, LBitArchive* bits) const;
    bool HuffDecode(const LFrameCodec& codec, LBitArchiveBytes& bits);

    // The words that commands may be read from: a stored count is not trusted.
    int32_t ValidCount() const { return count <= 0 ? 0 : (count > kCapacity ? kCapacity : count); }

    int32_t count = 0;
    uint32_t words[kCapacity];
};

// One frame of LFrame::RenderAll: the frame, where its points go, and what the render gives.
struct LFrameRenderJob
{
    const LFrame* frame = nullptr;
    LFrameOutPoint* points = nullptr;
    int32_t capacity = 0;
    LFrameStats* stats = nullptr; // optional
    int32_t count = 0;            // out: the points written
    // Optional: a buffer that grows while the render needs room, up to the capacity, so that a
    // caller need not find out first how many points the frame gives. points is then ignored on
    // entry and set to the buffer's data on return.
    std::vector<LFrameOutPoint>* growable = nullptr;
};

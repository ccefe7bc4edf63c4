// Frames handed to the preview as point lists instead of read from a show: how the frame builder
// turns one into a frame and how large its picture is, and how long the frame sequence holds
// each of its items.
#pragma once

#include <cstdint>

class LBeamvistaPars;
class LFrame;
class LPic;
struct LChanOutParsTable;

struct PointFrameLook
{
    // The picture rectangle is (-halfWidth, halfWidth, -halfHeight, halfHeight).
    float halfWidth = 1.0f;
    float halfHeight = 1.0f;
    float rate = 0.0f; // points per second
    int32_t colorDelay = 0;
    float openTime = 0.0f;
    float closeTime = 0.0f;
};

// Longest time an item of the sequence is held, whatever its points and the scan rate say.
inline constexpr int32_t kLongestSequenceHoldCs = 100;

// The sequence's items: the whole plane, at the preview's scan rate and builder parameters.
PointFrameLook SequenceFrameLook(const LBeamvistaPars& pars);

// How long an item of `points` points is held: the time its points take at the scan rate (never
// below 1,000 points a second) stretched by the hold factor, at most kLongestSequenceHoldCs.
int32_t SequenceItemHoldCs(const LBeamvistaPars& pars, int32_t points);

// The frame of the point list, built as a channel 0 frame at time 0.
void BuildPointFrame(LFrame& frame, const LPic& points, const PointFrameLook& look);

// The first cell of `table` takes the look's picture rectangle.
void SetPointFrameRectangle(LChanOutParsTable& table, const PointFrameLook& look);

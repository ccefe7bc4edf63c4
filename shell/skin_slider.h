// The frame's position slider: its track, the fill end and knob positions for fractions, the
// fraction under a point, and the three-slice bars that paint the track.
#pragma once

#include <cstdint>
#include <vector>

struct SkinSliderGeometry
{
    int32_t x0 = 0; // track start
    int32_t x1 = 0; // track end
    int32_t y = 0;  // top of the track and of the knob
    int32_t height = 0;
    int32_t knobWidth = 0;
    int32_t hitBottom = 0; // the track takes hits in [y, hitBottom)

    int32_t Length() const { return x1 - x0; }
    // How far the knob can travel; negative when the client is too narrow for it.
    int32_t Travel() const { return Length() - knobWidth; }
};

// The large skin's slider or the SkinMin strip's, in a client of that size.
SkinSliderGeometry SliderGeometry(bool large, int32_t clientWidth, int32_t clientHeight);

// x0 plus the fraction of the length (or of the knob's travel), rounded and held inside it;
// a track too short for its knob leaves everything at x0.
int32_t SliderFillEnd(const SkinSliderGeometry& slider, float fill);
int32_t SliderKnobX(const SkinSliderGeometry& slider, float position);
// The fraction of the knob's travel at x, not clamped; 0 when the knob cannot travel.
float SliderPositionAt(const SkinSliderGeometry& slider, int32_t x);
float ClampFraction(float fraction);
bool SliderTrackHit(const SkinSliderGeometry& slider, int32_t x, int32_t y);

// A bar image in the skin bitmap: full or empty, large or small.
struct SkinBarImage
{
    int32_t sourceX = 0;
    int32_t sourceY = 0; // negative: from the window picture's bottom
    int32_t sourceWidth = 0;
    int32_t capWidth = 0;
    int32_t height = 0;
};
SkinBarImage SliderBarImage(bool large, bool full);

// One piece of a bar on the client: the destination columns [x, x + width), where column c
// shows the source column sourceX + (c - originX) mod tileWidth.
struct SkinBarPiece
{
    int32_t x = 0;
    int32_t width = 0;
    int32_t originX = 0;
    int32_t sourceX = 0;
    int32_t tileWidth = 0;
};

// A bar laid over [start, start + length) and cut to [clipLeft, clipRight): left cap, middle,
// right cap; pieces of no width are left out.
std::vector<SkinBarPiece> SliderBarPieces(const SkinBarImage& bar, int32_t start, int32_t length,
                                          int32_t clipLeft, int32_t clipRight);

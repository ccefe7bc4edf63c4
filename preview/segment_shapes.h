#pragma once
// The two ways a laser segment is drawn: a GL line, or ("enhanced lines") a quad of a width
// given in scene units, optionally with the beam-profile texture across it and faded caps at
// its ends, because many drivers draw wide or smooth lines poorly.

#include "preview/fog_coordinates.h"
#include "preview/render_batch.h"

struct SegmentEnd
{
    float x, y, z;
    RenderColour colour;
};

struct WideSegmentStyle
{
    float widthStart = 0.0f;
    float widthEnd = 0.0f;
    // Stretches of the sideways offset along x and y.
    float widenX = 1.0f;
    float widenY = 1.0f;
    bool profile = false; // beam-profile texture coordinates
    bool startCap = false;
    bool endCap = false;
};

// With fog, every vertex carries its fog texture coordinates.
void EmitLineSegment(RenderBatchBuilder& out, const SegmentEnd& a, const SegmentEnd& b,
                     const FogCoordinates* fog);
void EmitWideSegment(RenderBatchBuilder& out, const SegmentEnd& a, const SegmentEnd& b,
                     const WideSegmentStyle& style, const FogCoordinates* fog);

// The sideways stretch that keeps a line's width when the graphics are scaled unevenly:
// |sizeX / sizeY| across the longer axis. False when the sizes leave it undefined.
bool SegmentWidening(float sizeX, float sizeY, WideSegmentStyle& style);

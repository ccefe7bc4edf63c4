#pragma once
// Where a beam dwells long enough to be seen as a bright beam through the haze: clusters of
// consecutive lit points within a small radius of the cluster's first point.

#include <cstdint>
#include <functional>
#include <span>

#include "show/frame_records.h"

struct DwellingBeam
{
    int32_t pointIndex; // the cluster's first point, in the run
    float r, g, b;      // the mean colour, components 0..1
};

// Calls found for each cluster of more than minimumCount points within radius (plane units)
// of its first point.
void FindDwellingBeams(std::span<const LFrameOutPoint> run, float radius, int32_t minimumCount,
                       const std::function<void(const DwellingBeam&)>& found);

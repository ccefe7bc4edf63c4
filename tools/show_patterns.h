#pragma once
// Point lists for generated shows: circles, spirals, scanning lines, static beams and scrolling
// text, each in cycling colours with blanked jumps, as a function of show time.

#include "conversion/lpic.h"

#include <cstdint>

enum class ShowPattern : int32_t { kCircle, kSpiral, kLines, kBeams, kText, kCount };

// The points of a pattern at t seconds into the show. variant shifts position, colour and
// phase, so that channels with the same pattern differ; points is the budget (at least 8).
void MakePatternPoints(ShowPattern pattern, double t, uint32_t variant, int32_t points, LPic& out);

// A green circle of radius 0.5 around the centre that never moves: the fixture whose place on
// the screen tests can compute.
void MakeStillCirclePoints(int32_t points, LPic& out);

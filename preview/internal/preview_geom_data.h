#pragma once
// The fixed data of the beam shapes.

#include <cstdint>
#include <span>

// Each shape: its first vertex (0 for a shape that draws nothing, else any other), then the
// vertices the beam walks to from the scanner.
std::span<const std::span<const uint8_t>> PreviewGeomBaseShapes();

struct PreviewGeomReplacement
{
    int32_t target;
    int32_t source;
};
std::span<const PreviewGeomReplacement> PreviewGeomKind1Replacements();

#pragma once
// The fixed beam shapes that a frame's image entries call up: a few vertices in plane units
// and polylines over them. Each polyline is a run of items (0xFF00 | vertex index) ended by 0;
// a first item of vertex 0 marks a shape that draws nothing, and the walk starts at the
// scanner.

#include <cstdint>
#include <span>
#include <vector>

struct PreviewGeomVertex
{
    float x, y;
};

class LPreviewGeom
{
  public:
    static constexpr int32_t kMaxVertices = 64;
    static constexpr uint16_t kItemMark = 0xff00;

    // Kind 2 holds the base shapes; kind 1 (every other kind) replaces some by others.
    explicit LPreviewGeom(int32_t kind);

    int32_t VertexCount() const { return int32_t(vertices_.size()); }
    const PreviewGeomVertex& Vertex(int32_t index) const { return vertices_[index]; }
    int32_t PolylineCount() const { return int32_t(polylines_.size()); }
    // The items of one polyline, its closing 0 included.
    std::span<const uint16_t> Polyline(int32_t index) const { return polylines_[index]; }

  private:
    std::vector<PreviewGeomVertex> vertices_;
    std::vector<std::vector<uint16_t>> polylines_;
};

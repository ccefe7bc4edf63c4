#include "preview/preview_geom.h"

#include "preview/internal/preview_geom_data.h"

namespace {
void AddVertices(std::vector<PreviewGeomVertex>& vertices)
{
    vertices.push_back({0.0f, 0.0f});
    vertices.push_back({0.0f, 0.5f});
    // A row below the screen's centre line, for fans downwards.
    for (int32_t i = 0; i <= 7; ++i)
        vertices.push_back({0.9f * (2.0f * float(i) / 7.0f - 1.0f), -1.0f});
    // Far out to both sides above, for the long sweeps.
    vertices.push_back({-3.0f, 1.5f});
    vertices.push_back({3.0f, 1.5f});
    // A row above, in groups of three.
    for (int32_t i = 2; i <= 21; ++i) {
        const float u = float((i % 3) + 6 * (i / 3) - 2) * 0.025f;
        vertices.push_back({1.5f * (2.0f * u - 1.0f), 1.5f});
    }
}
} // namespace

LPreviewGeom::LPreviewGeom(int32_t kind)
{
    AddVertices(vertices_);
    for (std::span<const uint8_t> shape : PreviewGeomBaseShapes()) {
        std::vector<uint16_t> items;
        for (uint8_t vertex : shape)
            items.push_back(uint16_t(kItemMark | vertex));
        items.push_back(0);
        polylines_.push_back(std::move(items));
    }
    if (kind == 2)
        return;
    for (const PreviewGeomReplacement& replacement : PreviewGeomKind1Replacements())
        polylines_[replacement.target] = polylines_[replacement.source];
}

#pragma once
// What the drawing passes hand to OpenGL: batches of one primitive kind and one texture kind,
// each vertex with the colour and texture coordinates current when it was given. The passes
// build them without GL, the way immediate mode would be driven, so they can be tested without
// a display and submitted in one call each.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

enum class GlPrimitive : uint8_t { Lines, Triangles, Quads };

// Vertices per primitive: 2, 3 or 4.
int32_t VerticesPerPrimitive(GlPrimitive primitive);

struct RenderVertex
{
    float x, y, z;
    float r, g, b;
    float s, t, p; // up to three texture coordinates; unused ones are 0
};

struct RenderBatch
{
    GlPrimitive primitive = GlPrimitive::Lines;
    int32_t textureKind = 0;
    std::vector<RenderVertex> vertices;
};

struct RenderColour
{
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

// Immediate-mode style recording: Begin a batch, set the current colour and texture
// coordinates, give vertices, End. A primitive with any non-finite number is dropped whole, so
// nothing undefined ever reaches the driver. The preview records a new set of batches on every
// tick: Clear keeps the batches and their vertex storage for the next set, so a tick that draws
// no more than an earlier one allocates nothing.
class RenderBatchBuilder
{
  public:
    void Begin(GlPrimitive primitive, int32_t textureKind);
    void Colour(const RenderColour& colour) { colour_ = colour; }
    void TexCoord(float s, float t, float p = 0.0f)
    {
        texCoord_[0] = s;
        texCoord_[1] = t;
        texCoord_[2] = p;
    }
    // Inline: the passes give millions of vertices a second.
    void Vertex(float x, float y, float z)
    {
        if (!open_)
            return;
        const RenderVertex v{x, y, z, colour_.r, colour_.g, colour_.b, texCoord_[0], texCoord_[1], texCoord_[2]};
        pendingBad_ = pendingBad_ || !AllFinite(v);
        Current().vertices.push_back(v);
        if (++pending_ == perPrimitive_)
            PrimitiveDone();
    }
    // Ends the batch; an empty one is not kept.
    void End();

    std::span<const RenderBatch> Batches() const { return {batches_.data(), used_}; }
    // The batches recorded, handed over; the next set starts with fresh storage.
    std::vector<RenderBatch> TakeBatches();
    // Forgets the batches recorded and a batch still open.
    void Clear()
    {
        used_ = 0;
        open_ = false;
        pending_ = 0;
        pendingBad_ = false;
    }

  private:
    RenderBatch& Current() { return batches_[used_]; }
    static bool AllFinite(const RenderVertex& v)
    {
        return std::isfinite(v.x) & std::isfinite(v.y) & std::isfinite(v.z) & std::isfinite(v.r) &
               std::isfinite(v.g) & std::isfinite(v.b) & std::isfinite(v.s) & std::isfinite(v.t) & std::isfinite(v.p);
    }
    // A primitive's last vertex given: dropped whole if any of its numbers is not finite.
    void PrimitiveDone();

    // The first used_ are the batches recorded; the ones behind them (and the open one, at used_)
    // keep the storage of earlier sets.
    std::vector<RenderBatch> batches_;
    size_t used_ = 0;
    bool open_ = false;
    int32_t perPrimitive_ = 2; // of the open batch
    RenderColour colour_;
    float texCoord_[3] = {};
    int32_t pending_ = 0; // vertices of the unfinished primitive
    bool pendingBad_ = false;
};

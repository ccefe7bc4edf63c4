#pragma once
// What the drawing passes hand to OpenGL: batches of one primitive kind and one texture kind,
// each vertex with the colour and texture coordinates current when it was given. The passes
// build them without GL, the way immediate mode would be driven, so they can be tested without
// a display and submitted in one call each.

#include <cstdint>
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
// nothing undefined ever reaches the driver.
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
    void Vertex(float x, float y, float z);
    // Ends the batch; an empty one is not kept.
    void End();

    const std::vector<RenderBatch>& Batches() const { return batches_; }
    std::vector<RenderBatch> TakeBatches();
    void Clear() { batches_.clear(); }

  private:
    std::vector<RenderBatch> batches_;
    RenderBatch current_;
    bool open_ = false;
    RenderColour colour_;
    float texCoord_[3] = {};
    int32_t pending_ = 0; // vertices of the unfinished primitive
    bool pendingBad_ = false;
};

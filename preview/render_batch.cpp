#include "preview/render_batch.h"

#include <cmath>

int32_t VerticesPerPrimitive(GlPrimitive primitive)
{
    switch (primitive) {
    case GlPrimitive::Lines:
        return 2;
    case GlPrimitive::Triangles:
        return 3;
    case GlPrimitive::Quads:
        return 4;
    }
    return 2;
}

void RenderBatchBuilder::Begin(GlPrimitive primitive, int32_t textureKind)
{
    if (open_)
        End();
    if (used_ == batches_.size())
        batches_.emplace_back();
    RenderBatch& batch = Current();
    batch.primitive = primitive;
    batch.textureKind = textureKind;
    batch.vertices.clear();
    open_ = true;
    perPrimitive_ = VerticesPerPrimitive(primitive);
    pending_ = 0;
    pendingBad_ = false;
}

void RenderBatchBuilder::PrimitiveDone()
{
    if (pendingBad_) {
        std::vector<RenderVertex>& vertices = Current().vertices;
        vertices.resize(vertices.size() - pending_);
    }
    pending_ = 0;
    pendingBad_ = false;
}

void RenderBatchBuilder::End()
{
    if (!open_)
        return;
    // An unfinished primitive is dropped, as GL would drop it.
    std::vector<RenderVertex>& vertices = Current().vertices;
    vertices.resize(vertices.size() - pending_);
    if (!vertices.empty())
        ++used_;
    open_ = false;
    pending_ = 0;
    pendingBad_ = false;
}

std::vector<RenderBatch> RenderBatchBuilder::TakeBatches()
{
    std::vector<RenderBatch> taken;
    taken.swap(batches_);
    taken.resize(used_);
    Clear();
    return taken;
}

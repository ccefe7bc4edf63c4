#include "preview/gl_batch_submission.h"

#include <GL/gl.h>

namespace {
GLenum ModeOf(GlPrimitive primitive)
{
    switch (primitive) {
    case GlPrimitive::Lines:
        return GL_LINES;
    case GlPrimitive::Triangles:
        return GL_TRIANGLES;
    case GlPrimitive::Quads:
        return GL_QUADS;
    }
    return GL_LINES;
}
} // namespace

void SubmitRenderBatches(std::span<const RenderBatch> batches, const BindTextureKind& bindTexture)
{
    if (batches.empty())
        return;
    constexpr GLsizei kStride = sizeof(RenderVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (const RenderBatch& batch : batches) {
        if (batch.vertices.empty())
            continue;
        bindTexture(batch.textureKind);
        const RenderVertex& first = batch.vertices.front();
        glVertexPointer(3, GL_FLOAT, kStride, &first.x);
        glColorPointer(3, GL_FLOAT, kStride, &first.r);
        glTexCoordPointer(3, GL_FLOAT, kStride, &first.s);
        glDrawArrays(ModeOf(batch.primitive), 0, GLsizei(batch.vertices.size()));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

#include "preview/render_batch.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(RenderBatchBuilder, VerticesTakeTheColourAndTextureCoordinatesCurrentForThem)
{
    RenderBatchBuilder out;
    out.Begin(GlPrimitive::Lines, 3);
    out.Colour({1.0f, 0.0f, 0.0f});
    out.TexCoord(0.5f, 0.25f, 0.125f);
    out.Vertex(1.0f, 2.0f, 3.0f);
    out.Colour({0.0f, 1.0f, 0.0f});
    out.Vertex(4.0f, 5.0f, 6.0f);
    out.End();
    ASSERT_EQ(out.Batches().size(), 1u);
    const RenderBatch& batch = out.Batches()[0];
    EXPECT_EQ(batch.textureKind, 3);
    ASSERT_EQ(batch.vertices.size(), 2u);
    EXPECT_EQ(batch.vertices[0].r, 1.0f);
    EXPECT_EQ(batch.vertices[1].g, 1.0f);
    EXPECT_EQ(batch.vertices[1].s, 0.5f);
    EXPECT_EQ(batch.vertices[1].p, 0.125f);
    EXPECT_EQ(batch.vertices[1].z, 6.0f);
}

TEST(RenderBatchBuilder, APrimitiveWithANonFiniteNumberIsDroppedWhole)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    RenderBatchBuilder out;
    out.Begin(GlPrimitive::Triangles, 0);
    for (int i = 0; i < 3; ++i)
        out.Vertex(float(i), 0.0f, 0.0f);
    out.Vertex(0.0f, 0.0f, 0.0f);
    out.Colour({nan, 0.0f, 0.0f});
    out.Vertex(1.0f, 0.0f, 0.0f);
    out.Colour({1.0f, 0.0f, 0.0f});
    out.Vertex(2.0f, 0.0f, 0.0f);
    out.TexCoord(std::numeric_limits<float>::infinity(), 0.0f);
    for (int i = 0; i < 3; ++i)
        out.Vertex(float(i), 1.0f, 0.0f);
    out.TexCoord(0.0f, 0.0f);
    for (int i = 0; i < 3; ++i)
        out.Vertex(float(i), 2.0f, 0.0f);
    out.End();
    ASSERT_EQ(out.Batches().size(), 1u);
    const std::vector<RenderVertex>& v = out.Batches()[0].vertices;
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v[0].y, 0.0f);
    EXPECT_EQ(v[3].y, 2.0f);
}

TEST(RenderBatchBuilder, AnUnfinishedPrimitiveAndAnEmptyBatchAreNotKept)
{
    RenderBatchBuilder out;
    out.Begin(GlPrimitive::Quads, 5);
    out.End();
    out.Begin(GlPrimitive::Quads, 5);
    for (int i = 0; i < 6; ++i)
        out.Vertex(float(i), 0.0f, 0.0f);
    out.End();
    ASSERT_EQ(out.Batches().size(), 1u);
    EXPECT_EQ(out.Batches()[0].vertices.size(), 4u);
}

// The preview records a set of batches on every tick: a tick must reuse the vertex storage of the
// ticks before it, not grow it again from nothing.
TEST(RenderBatchBuilder, ASetRecordedAfterClearReusesTheStorageOfTheSetBefore)
{
    constexpr int kVertices = 1000;
    const auto record = [](RenderBatchBuilder& out, int vertices, float y) {
        for (int kind : {1, 2}) {
            out.Begin(GlPrimitive::Lines, kind);
            for (int i = 0; i < vertices; ++i)
                out.Vertex(float(i), y, 0.0f);
            out.End();
        }
    };
    RenderBatchBuilder out;
    record(out, kVertices, 0.0f);
    ASSERT_EQ(out.Batches().size(), 2u);
    const RenderVertex* storage[] = {out.Batches()[0].vertices.data(), out.Batches()[1].vertices.data()};
    out.Clear();
    EXPECT_TRUE(out.Batches().empty());
    record(out, 2, 1.0f);
    ASSERT_EQ(out.Batches().size(), 2u);
    for (size_t b = 0; b < 2; ++b) {
        const RenderBatch& batch = out.Batches()[b];
        EXPECT_EQ(batch.vertices.data(), storage[b]) << "batch " << b;
        EXPECT_GE(batch.vertices.capacity(), size_t(kVertices)) << "batch " << b;
        EXPECT_EQ(batch.textureKind, int32_t(b + 1));
        ASSERT_EQ(batch.vertices.size(), 2u);
        EXPECT_EQ(batch.vertices.back().y, 1.0f);
    }
}

TEST(RenderBatchBuilder, ClearDropsABatchStillOpenAndTakeBatchesHandsOverOnlyTheRecordedOnes)
{
    RenderBatchBuilder out;
    out.Begin(GlPrimitive::Lines, 1);
    out.Vertex(0.0f, 0.0f, 0.0f);
    out.Vertex(1.0f, 0.0f, 0.0f);
    out.Clear();
    out.Vertex(2.0f, 0.0f, 0.0f);
    out.End();
    EXPECT_TRUE(out.Batches().empty());

    out.Begin(GlPrimitive::Lines, 7);
    out.Vertex(0.0f, 0.0f, 0.0f);
    out.Vertex(1.0f, 0.0f, 0.0f);
    out.End();
    const std::vector<RenderBatch> taken = out.TakeBatches();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].textureKind, 7);
    EXPECT_EQ(taken[0].vertices.size(), 2u);
    EXPECT_TRUE(out.Batches().empty());
}

} // namespace

#include "preview/preview_geom.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewGeom, VerticesFollowTheFixedLayout)
{
    const LPreviewGeom geom(2);
    ASSERT_EQ(geom.VertexCount(), 32);
    EXPECT_EQ(geom.Vertex(1).y, 0.5f);
    EXPECT_FLOAT_EQ(geom.Vertex(2).x, -0.9f);
    EXPECT_FLOAT_EQ(geom.Vertex(9).x, 0.9f);
    EXPECT_EQ(geom.Vertex(10).x, -3.0f);
    EXPECT_EQ(geom.Vertex(11).x, 3.0f);
    // i = 2: u = (2 + 0 - 2) x 0.025 = 0; i = 21: u = (0 + 42 - 2) x 0.025 = 1.
    EXPECT_FLOAT_EQ(geom.Vertex(12).x, -1.5f);
    EXPECT_FLOAT_EQ(geom.Vertex(31).x, 1.5f);
    EXPECT_EQ(geom.Vertex(31).y, 1.5f);
}

TEST(PreviewGeom, EveryPolylineIsMarkedEndsInZeroAndNamesOnlyExistingVertices)
{
    for (int32_t kind : {1, 2}) {
        const LPreviewGeom geom(kind);
        ASSERT_GT(geom.PolylineCount(), 0);
        for (int32_t i = 0; i < geom.PolylineCount(); ++i) {
            const std::span<const uint16_t> items = geom.Polyline(i);
            ASSERT_GE(items.size(), 2u);
            EXPECT_EQ(items.back(), 0);
            for (size_t k = 0; k + 1 < items.size(); ++k) {
                EXPECT_EQ(items[k] & 0xff00, LPreviewGeom::kItemMark) << kind << " " << i;
                EXPECT_LT(items[k] & 0xff, geom.VertexCount()) << kind << " " << i;
            }
        }
    }
}

TEST(PreviewGeom, TheFirstKindReplacesSomeShapesOfTheSecond)
{
    const LPreviewGeom first(1);
    const LPreviewGeom second(2);
    ASSERT_EQ(first.PolylineCount(), second.PolylineCount());
    int32_t differing = 0;
    for (int32_t i = 0; i < first.PolylineCount(); ++i) {
        const auto a = first.Polyline(i);
        const auto b = second.Polyline(i);
        differing += !std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    EXPECT_GT(differing, 0);
    EXPECT_LT(differing, first.PolylineCount());
}

} // namespace

#include "preview/picture_placement.h"

#include "preview/channel_geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr SceneView kLandscape{1.0f, 0.75f, 2.0f / 640.0f};
constexpr PictureSource kPicture{200, 100, 256, 128};

TEST(PicturePlacement, PositionTenIsFlushRightMinusTenFlushLeftZeroCentred)
{
    PictureValues small;
    small.sizeX = small.sizeY = 0.25f;
    for (float position : {10.0f, -10.0f, 0.0f}) {
        PictureValues values = small;
        values.positionX = position;
        values.positionY = position;
        const std::optional<PictureQuad> quad =
            PlacePicture(kLandscape, kPicture, 1.0f, 1.0f, values, nullptr);
        ASSERT_TRUE(quad);
        SCOPED_TRACE(position);
        if (position > 0) {
            EXPECT_FLOAT_EQ(quad->x1, kLandscape.halfWidth);
            EXPECT_FLOAT_EQ(quad->y1, kLandscape.halfHeight);
        } else if (position < 0) {
            EXPECT_FLOAT_EQ(quad->x0, -kLandscape.halfWidth);
            EXPECT_FLOAT_EQ(quad->y0, -kLandscape.halfHeight);
        } else {
            EXPECT_FLOAT_EQ(quad->x0, -quad->x1);
            EXPECT_FLOAT_EQ(quad->y0, -quad->y1);
        }
    }
}

TEST(PicturePlacement, AWidePictureFillsTheWidthAndKeepsItsShape)
{
    const std::optional<PictureQuad> quad =
        PlacePicture(kLandscape, kPicture, 1.0f, 1.0f, PictureValues{}, nullptr);
    ASSERT_TRUE(quad);
    EXPECT_FLOAT_EQ(quad->x1 - quad->x0, 2.0f);
    EXPECT_FLOAT_EQ(quad->y1 - quad->y0, 1.0f);
    EXPECT_FLOAT_EQ(quad->sMax, 200.0f / 256.0f);
    EXPECT_FLOAT_EQ(quad->tMax, 100.0f / 128.0f);
}

TEST(PicturePlacement, ATallPictureIsShrunkIntoTheHeight)
{
    const std::optional<PictureQuad> quad =
        PlacePicture(kLandscape, PictureSource{100, 200, 128, 256}, 1.0f, 1.0f, PictureValues{}, nullptr);
    ASSERT_TRUE(quad);
    EXPECT_FLOAT_EQ(quad->y1, kLandscape.halfHeight);
    EXPECT_FLOAT_EQ((quad->x1 - quad->x0) * 2.0f, quad->y1 - quad->y0);
}

TEST(PicturePlacement, TheSlotScalesMovesAndCombinesItsIntensity)
{
    PictureValues slot;
    slot.sizeX = 0.5f;
    slot.positionX = 10.0f;
    slot.intensity = 0.5f;
    PictureValues record;
    record.intensity = 0.8f;
    const std::optional<PictureQuad> quad = PlacePicture(kLandscape, kPicture, 1.0f, 1.0f, record, &slot);
    ASSERT_TRUE(quad);
    EXPECT_FLOAT_EQ(quad->x1, kLandscape.halfWidth);
    EXPECT_FLOAT_EQ(quad->x1 - quad->x0, 1.0f);
    EXPECT_FLOAT_EQ(quad->grey, 0.4f);
}

TEST(PicturePlacement, UndefinedSizesDrawNothing)
{
    EXPECT_FALSE(PlacePicture(kLandscape, kPicture, 0.0f, 0.0f, PictureValues{}, nullptr));
    EXPECT_FALSE(PlacePicture(kLandscape, kPicture, 0.0f, 1.0f, PictureValues{}, nullptr));
    EXPECT_FALSE(PlacePicture(kLandscape, PictureSource{0, 10, 1, 16}, 1.0f, 1.0f, PictureValues{}, nullptr));
}

} // namespace

#include "shell/skin_composer.h"

#include "shell/skin_layout.h"
#include "shell/test_support/idle_skin_frame_host.h"

#include "foundation/pictures/h_image.h"
#include "foundation/pictures/png_reader.h"
#include "platform/text_raster.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr RgbColour kMarker = MakeRgb(1, 2, 3);

// The committed skin bitmap, read once.
const HImageRef& SkinBitmap()
{
    static const HImageRef bitmap = [] {
        HImageRef image;
        LPngReader reader(false);
        const std::string path = ZYL_SOURCE_DIR "/apps/player/resources/skin_140.png";
        const CError error = reader.Read(path.c_str(), nullptr, image);
        EXPECT_FALSE(error.Failed()) << error.ErrorText().CStr();
        return image;
    }();
    return bitmap;
}


class SkinComposerTest : public ::testing::Test
{
  protected:
    SkinComposerTest() : model_(host_)
    {
        model_.State().hasWindow = true;
        ApplyFrameMode(model_.State(), 0);
        pixels_ = SkinBitmap()->LockPixels();
        picture_ = {static_cast<const uint8_t*>(pixels_.GetData()), SkinBitmap()->Width(), SkinBitmap()->Height(),
                    SkinBitmap()->Pitch()};
    }

    // A client of that size composed whole over a marker colour.
    std::unique_ptr<RasterBitmap> Compose(int32_t width, int32_t height, std::u16string_view text = {},
                                          const FontFace* font = nullptr)
    {
        model_.Layout(width, height);
        model_.SetPlayState(4, true, true, true);
        auto target = RasterBitmap::Create(width, height);
        target->FillRect({0, 0, width, height}, kMarker);
        ComposeSkin(*target, picture_, model_, {font, text}, SkinSystemColours{}, {0, 0, width, height});
        return target;
    }

    // The skin pixel (x, y) of the window picture, as the raster holds it.
    uint32_t Source(int32_t x, int32_t y) const
    {
        const uint8_t* p = picture_.bits + static_cast<size_t>(y) * picture_.stride + 4 * x;
        return p[0] | p[1] << 8 | p[2] << 16;
    }
    static uint32_t At(RasterBitmap& raster, int32_t x, int32_t y)
    {
        const uint8_t* p = raster.PixelAt(x, y);
        return p[0] | p[1] << 8 | p[2] << 16;
    }
    static uint32_t Marker() { return 3 | 2 << 8 | 1 << 16; }

    bool InElement(int32_t x, int32_t y) const
    {
        for (int32_t e = kSkinFirstElement; e <= kSkinLastElement; ++e) {
            const RasterRect r = model_.ElementRect(e);
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                return true;
        }
        return false;
    }

    IdleSkinFrameHost host_;
    SkinFrameModel model_;
    HMemRef pixels_;
    SkinPicture picture_;
};

// At the window picture's own size every piece lands where it was cut from: the composed client
// equals the picture outside the view and the elements.
TEST_F(SkinComposerTest, WindowPictureSizeGivesTheWindowPictureBack)
{
    ASSERT_FALSE(SkinBitmap().IsEmpty());
    auto client = Compose(640, 480);
    const RasterRect view = SkinViewRect(model_.State(), 640, 480);
    int32_t differing = 0, compared = 0;
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            const bool inView = x >= view.left && x < view.right && y >= view.top && y < view.bottom;
            if (inView || InElement(x, y))
                continue;
            ++compared;
            if (At(*client, x, y) != Source(x, y) && differing++ == 0)
                ADD_FAILURE() << "first difference at " << x << ", " << y;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(compared, 60000);
    // The view's area is left to the view.
    EXPECT_EQ(At(*client, 320, 240), Marker());
}

// Tiles repeat from each piece's own origin, also where they do not divide the piece, and
// negative places count from the far edges.
TEST_F(SkinComposerTest, PiecesTileAtOtherSizes)
{
    auto client = Compose(1000, 700);
    // The bottom panel's middle: 391-pixel tiles from x 224.
    for (int32_t x : {224, 614, 615, 616, 1000 - 26})
        EXPECT_EQ(At(*client, x, 700 - 5), Source(224 + (x - 224) % 391, 480 - 5)) << x;
    // The sides: 375-pixel tiles from y 40.
    for (int32_t y : {40, 414, 415, 500})
        EXPECT_EQ(At(*client, 5, y), Source(5, 40 + (y - 40) % 375)) << y;
    // The right end of the title and the bottom-right corner from the picture's right edge.
    EXPECT_EQ(At(*client, 1000 - 1, 20), Source(639, 20));
    EXPECT_EQ(At(*client, 1000 - 20, 700 - 3), Source(620, 477));
    // The empty bar's right cap ends at x1 = width - 17.
    EXPECT_EQ(At(*client, 1000 - 18, 700 - 30), Source(622, 450));
}

TEST_F(SkinComposerTest, SidesNeedAHeightOf106)
{
    auto low = Compose(640, 105);
    EXPECT_EQ(At(*low, 5, 40), Source(5, 480 - 65)); // no side: the bottom panel begins at 40
    auto high = Compose(640, 106);
    EXPECT_EQ(At(*high, 5, 40), Source(5, 40));
    EXPECT_EQ(At(*high, 5, 41), Source(5, 41 + 480 - 106)); // the bottom panel begins at 41
}

bool HasWhite(RasterBitmap& raster, int32_t right)
{
    for (int32_t y = 8; y < 30; ++y) {
        for (int32_t x = 62; x < right; ++x) {
            if ((raster.PixelAt(x, y)[0] & raster.PixelAt(x, y)[1] & raster.PixelAt(x, y)[2]) == 255)
                return true;
        }
    }
    return false;
}

// Below a width of 148 no text is drawn; from there on the title's right end still covers it
// until the window is wide enough.
TEST_F(SkinComposerTest, TitleTextNeedsTheWidth)
{
    const std::unique_ptr<FontFace> font = FontFace::Create(SkinTitleFontSpec());
    ASSERT_NE(font, nullptr);
    auto narrow = Compose(147, 300, u"Zyl", font.get());
    EXPECT_FALSE(HasWhite(*narrow, 147));
    EXPECT_EQ(At(*narrow, 60, 20), Source(553, 20)); // the right end begins at 60
    auto wide = Compose(300, 300, u"Zyl", font.get());
    EXPECT_TRUE(HasWhite(*wide, 300 - 87));
    // The text ends the title strip; the rest of the bar follows it.
    const int32_t textWidth = MeasureText(*font, u"Zyl").width;
    EXPECT_EQ(At(*wide, textWidth + 70, 2), Source(320, 2));
}

TEST_F(SkinComposerTest, SliderSpansAroundTheKnob)
{
    model_.Layout(640, 480);
    model_.SetPlayState(4, true, true, true);
    model_.SetPosition(0.5f, 0.75f);
    auto client = RasterBitmap::Create(640, 480);
    ComposeSkin(*client, picture_, model_, {}, SkinSystemColours{}, model_.SliderRect());
    const int32_t fillEnd = model_.FillEndX(), knob = model_.KnobX();
    ASSERT_EQ(fillEnd, 216 + 305);
    ASSERT_EQ(knob, 216 + 197);
    // Left of the knob the full bar (from y 370), under it the knob, right of the fill end the
    // empty bar; outside the slider nothing was painted.
    EXPECT_EQ(At(*client, 300, 450), Source(300, 390));
    EXPECT_EQ(At(*client, knob + 6, 450), Source(566 + 6, 484 + 20));
    EXPECT_EQ(At(*client, fillEnd - 1, 450), Source(622, 390)); // the full bar's right cap
    EXPECT_EQ(At(*client, fillEnd + 1, 450), Source(fillEnd + 1, 450));
    EXPECT_EQ(At(*client, 100, 100), 0u);
}

TEST_F(SkinComposerTest, StripWithClientEdgeLines)
{
    model_.State().skin = false;
    model_.State().skinMin = true;
    ApplyFrameMode(model_.State(), 0);
    SkinSystemColours colours;
    colours.activeBorder = MakeRgb(10, 20, 30);
    model_.Layout(300, 200);
    auto client = RasterBitmap::Create(300, 200);
    ComposeSkin(*client, picture_, model_, {}, colours, {0, 0, 300, 200});
    EXPECT_EQ(At(*client, 150, 200 - 33), 30u | 20u << 8 | 10u << 16);
    EXPECT_EQ(At(*client, 150, 200 - 29), Source(298 + (150 - 82) % 104, 480 - 152 + 3));
    EXPECT_EQ(At(*client, 150, 200 - 32), 160u | 160u << 8 | 160u << 16); // the 3-D rectangle's top
    EXPECT_EQ(At(*client, 150, 100), 0u);
}

} // namespace

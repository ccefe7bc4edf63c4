// The preview's textures and text on a real OpenGL context: what each kind holds once made, fog
// cubes computed once and cached, pictures placed against the edges, and text whose every pixel
// is the font raster's coverage at the snapped place.
#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"
#include "params/beamvista_registration.h"
#include "platform/font_face.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/fog_noise_missing.h"
#include "preview/fog_noise_store.h"
#include "preview/font_atlas.h"
#include "preview/test_support/preview_test_fixture.h"
#include "tools/show_generator.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class TexturesGlTest : public PreviewTest
{
  protected:
    void SetUp() override
    {
        RegisterBeamvistaParameters();
        std::string pattern = (fs::temp_directory_path() / "texgl_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        ProcessFogNoise().Reset({XAFsName((folder_ / "cache").c_str())});
        FogNoiseMissing = false;
        ui_.surfaceMaker = [](FakeNativeWindow& window) {
            CError error;
            const UiRect client = window.ClientRect();
            return CreateOffscreenGlSurface({client.Width(), client.Height(), true}, error);
        };
    }
    void TearDown() override
    {
        preview_.CloseWindow(true);
        ProcessFogNoise().Reset(FogNoiseFolders());
        FogNoiseMissing = false;
        std::error_code error;
        fs::remove_all(folder_, error);
        PreviewTest::TearDown();
    }
    void Open(int32_t width, int32_t height)
    {
        const UiRect rect{0, 0, width, height};
        ASSERT_TRUE(preview_.CreateAsChild(view_, &rect));
        ASSERT_TRUE(preview_.MakeCurrent());
    }
    // The alpha bytes of a 2-D texture kind as OpenGL holds them.
    std::vector<uint8_t> AlphaTexels(int32_t kind)
    {
        const TextureSlot& slot = preview_.Texture(kind);
        std::vector<uint8_t> texels(static_cast<size_t>(slot.width) * slot.height);
        glBindTexture(GL_TEXTURE_2D, slot.name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, texels.data());
        return texels;
    }
    std::array<int, 3> PixelAt(int32_t x, int32_t y)
    {
        std::array<uint8_t, 4> rgba{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return {rgba[0], rgba[1], rgba[2]};
    }
    void BlankScene(float grey)
    {
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -1);
    }

    fs::path folder_;
    TestPreview preview_;
};

TEST_F(TexturesGlTest, EveryKindIsMadeWithTheContext)
{
    Open(640, 480);
    const struct
    {
        int32_t kind, width, height, depth;
    } made[] = {{2, 32, 32, 1}, {3, 256, 256, 1}, {5, 512, 256, 1}};
    for (const auto& m : made) {
        const TextureSlot& slot = preview_.Texture(m.kind);
        EXPECT_TRUE(slot.ready) << m.kind;
        EXPECT_EQ(slot.target, static_cast<uint32_t>(GL_TEXTURE_2D)) << m.kind;
        EXPECT_EQ(slot.width, m.width) << m.kind;
        EXPECT_EQ(slot.height, m.height) << m.kind;
        EXPECT_EQ(slot.depth, m.depth) << m.kind;
    }
    EXPECT_TRUE(preview_.FontReady());
    EXPECT_FALSE(preview_.Texture(0).ready);
    EXPECT_FALSE(preview_.Texture(4).ready);
    EXPECT_EQ(preview_.Texture(4).name, 0u);
    EXPECT_FALSE(preview_.Texture(6).ready); // no show
    EXPECT_FALSE(preview_.BuildTexture(22));
    EXPECT_TRUE(preview_.FogTextureIs2d());

    // The beam profile's centre line is the whole cross-section, its corners nothing.
    const std::vector<uint8_t> profile = AlphaTexels(5);
    EXPECT_EQ(profile[128 * 512 + 256], 255);
    EXPECT_EQ(profile[0], 0);
    // No flat fog file is written.
    EXPECT_FALSE(fs::exists(folder_ / "cache"));
}

TEST_F(TexturesGlTest, FogStructureZeroIsUniformFog)
{
    Open(320, 240);
    ChangeParameters([](LBeamvistaPars& p) { p.o_fog_structure = 0; });
    ASSERT_TRUE(preview_.MakeCurrent());
    const std::vector<uint8_t> fog = AlphaTexels(3);
    ASSERT_EQ(fog.size(), 256u * 256u);
    for (uint8_t value : fog)
        ASSERT_EQ(value, 255);
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_fog_structure = 1;
        p.p0x91200 = 0;
        p.p0x91207 = 1;
    });
    ASSERT_TRUE(preview_.MakeCurrent());
    const std::vector<uint8_t> noise = AlphaTexels(3);
    // The raw noise: normalised, so both ends occur.
    EXPECT_EQ(*std::min_element(noise.begin(), noise.end()), 0);
    EXPECT_EQ(*std::max_element(noise.begin(), noise.end()), 255);
}

TEST_F(TexturesGlTest, AFogCubeIsComputedOnceAndCached)
{
    Open(320, 240);
    int boxes = 0;
    preview_.SetFogProgressFactory([&boxes]() -> std::unique_ptr<LPerlinNoiseCallback> {
        ++boxes;
        return nullptr;
    });
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_fog_3d = 1;
        p.p0x91215 = 1;
    });
    ASSERT_TRUE(preview_.MakeCurrent());
    const TextureSlot& fog = preview_.Texture(3);
    ASSERT_TRUE(fog.ready);
    EXPECT_EQ(fog.target, static_cast<uint32_t>(GL_TEXTURE_3D));
    EXPECT_EQ(fog.depth, 64);
    EXPECT_FALSE(preview_.FogTextureIs2d());
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(FogNoiseMissing);
    const fs::path file = folder_ / "cache" / "F64x64x64.dat";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 262154u);

    // A later build (another parameter of the fog) reads it from memory: no box.
    ChangeParameters([](LBeamvistaPars& p) { p.o_fog_structure = 0.5f; });
    EXPECT_TRUE(preview_.Texture(3).ready);
    EXPECT_EQ(boxes, 1);
}

TEST_F(TexturesGlTest, AnAbortedCubeLeavesFlatFogAndNoFile)
{
    Open(320, 240);
    struct Stop final : LPerlinNoiseCallback
    {
        bool Abort() override { return true; }
    };
    preview_.SetFogProgressFactory([] { return std::make_unique<Stop>(); });
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_fog_3d = 1;
        p.p0x91215 = 1;
    });
    // The failed build marked the noise missing; the paint after it took three-dimensional fog
    // off, and the rebuild made flat fog.
    EXPECT_TRUE(ProcessFogNoise().CubeUnavailable());
    EXPECT_FALSE(FogNoiseMissing);
    EXPECT_EQ(preview_.LivePars().o_fog_3d, 0);
    EXPECT_TRUE(preview_.Texture(3).ready);
    EXPECT_TRUE(preview_.FogTextureIs2d());
    // Asked again, the process builds flat fog at once and marks the noise missing again.
    ChangeParameters([](LBeamvistaPars& p) { p.o_fog_3d = 1; });
    EXPECT_EQ(preview_.LivePars().o_fog_3d, 0);
    EXPECT_TRUE(preview_.FogTextureIs2d());
    EXPECT_FALSE(fs::exists(folder_ / "cache" / "F64x64x64.dat"));
}

// A show fills all four of its picture slots: kinds 6..9 hold them; kinds 10..13 name pictures
// beyond the slots a show can have, so they never hold one.
TEST_F(TexturesGlTest, AShowsFourPicturesAreKindsSixToNineAndNothingMore)
{
    Open(320, 240);
    ShowGeneratorOptions options;
    options.servers = 1;
    options.channelsPerServer = 1;
    options.durationUs = 2000000;
    options.bitmaps = 4;
    const std::string show = (folder_ / "pictures.zyl").string();
    ASSERT_FALSE(GenerateShow(show.c_str(), options).Failed());
    ASSERT_TRUE(preview_.AddShow(show.c_str(), XAString(), -1, nullptr, true));
    ASSERT_TRUE(preview_.HasOpenShow());
    ASSERT_TRUE(preview_.MakeCurrent());
    for (int32_t kind = 6; kind <= 13; ++kind) {
        const bool picture = kind <= 9;
        EXPECT_EQ(preview_.Texture(kind).ready, picture) << kind;
        EXPECT_EQ(preview_.BuildTexture(kind), picture) << kind;
        EXPECT_EQ(preview_.Texture(kind).ready, picture) << kind;
        EXPECT_EQ(preview_.Texture(kind).contentWidth > 0, picture) << kind;
    }
}

// A user picture of one colour at positions 10, -10 and 0: flush with the right edge, the left
// edge, and centred.
TEST_F(TexturesGlTest, UserPicturesTouchTheEdges)
{
    Open(640, 480);
    // Nearest texels, so the picture's edge is not blended with the texture's padding.
    ChangeParameters([](LBeamvistaPars& p) {
        p.p0x10210 = 0;
        p.p0x10220 = 0;
        p.p0x10230 = 0;
    });
    HImageRef picture = HImage::Create("p", 40, 30, true, false);
    {
        HMemRef pixels = picture->LockPixels();
        auto* bytes = static_cast<uint8_t*>(pixels.GetData());
        for (int32_t i = 0; i < 40 * 30; ++i) {
            bytes[4 * i] = 0;
            bytes[4 * i + 1] = 0;
            bytes[4 * i + 2] = 200;
        }
    }
    const std::string path = (folder_ / "red.bmp").string();
    ASSERT_FALSE(picture->SaveBmp(path.c_str()).Failed());
    ASSERT_TRUE(preview_.LoadBackgroundImage(path.c_str(), 0, nullptr));
    ASSERT_TRUE(preview_.Texture(14).ready);
    EXPECT_EQ(preview_.Texture(14).width, 64);
    EXPECT_EQ(preview_.Texture(14).contentWidth, 40);

    const auto litColumns = [&](float position) {
        ChangeParameters([position](LBeamvistaPars& p) {
            p.o_bg0_pos_x = position;
            p.o_bg0_size_x = 0.25f;
            p.o_bg0_size_y = 0.25f;
        });
        EXPECT_TRUE(preview_.MakeCurrent());
        preview_.RenderScene();
        glFinish();
        std::vector<int> lit;
        for (int x = 0; x < 640; ++x)
            if (PixelAt(x, 240)[0] > 100)
                lit.push_back(x);
        return lit;
    };
    // The picture spans a quarter of the width (the fit takes the whole width at size 1).
    std::vector<int> lit = litColumns(10);
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.back(), 639);
    EXPECT_NEAR(lit.front(), 480, 1);
    EXPECT_EQ(PixelAt(639, 240), (std::array<int, 3>{200, 0, 0}));
    lit = litColumns(-10);
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.front(), 0);
    EXPECT_NEAR(lit.back(), 159, 1);
    lit = litColumns(0);
    ASSERT_FALSE(lit.empty());
    EXPECT_NEAR(lit.front(), 240, 1);
    EXPECT_NEAR(lit.back(), 399, 1);
}

// Text drawn at a pixel place: each pixel is the colour times the font raster's coverage of the
// glyph, at the place snapped to the pixel grid (odd sizes snap to the next pixel boundary).
TEST_F(TexturesGlTest, TextPixelsAreTheRastersCoverage)
{
    const std::unique_ptr<FontFace> font = OpenAtlasFont();
    ASSERT_TRUE(font);
    FontAtlas atlas;
    ASSERT_TRUE(BuildFontAtlas(*font, atlas));
    const AtlasGlyph& g = atlas.glyphs['W'];
    ASSERT_TRUE(g.present);
    const int32_t left = std::lround(g.plain[0] * atlas.side);
    const int32_t top = std::lround(g.plain[1] * atlas.side);

    for (const auto& [width, height] : {std::pair{640, 480}, std::pair{641, 481}}) {
        SCOPED_TRACE(width);
        preview_.CloseWindow(true);
        Open(width, height);
        ChangeParameters([](LBeamvistaPars& p) { p.p0x9008 = 0; });
        ASSERT_TRUE(preview_.MakeCurrent());
        BlankScene(0);
        preview_.DrawTextAt(10, 20, "W", 0xFFFFFF, true);
        glFinish();
        // Where the snapped start lands: odd sizes move it to the next pixel boundary.
        const int32_t column = 10 + width % 2;
        const int32_t topRow = height - 1 - (20 - height % 2); // from the bottom
        int64_t mismatches = 0;
        for (int32_t r = 0; r < g.height; ++r)
            for (int32_t c = 0; c < g.width; ++c) {
                const int coverage = atlas.alpha[static_cast<size_t>(top + r) * atlas.side + left + c];
                const auto [red, green, blue] = PixelAt(column + c, topRow - r);
                if (std::abs(red - coverage) > 1 || green != red || blue != red)
                    ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
        // Nothing beside it.
        EXPECT_EQ(PixelAt(column - 1, topRow), (std::array<int, 3>{0, 0, 0}));
    }
}

// With "0x9008" on the shadow pass draws the shadowed glyph in black one pixel left of and below
// the text: over grey the shadow darkens, then the text covers it.
TEST_F(TexturesGlTest, TheShadowLiesOnePixelLeftAndBelow)
{
    const std::unique_ptr<FontFace> font = OpenAtlasFont();
    FontAtlas atlas;
    ASSERT_TRUE(font && BuildFontAtlas(*font, atlas));
    const AtlasGlyph& g = atlas.glyphs['H'];
    const auto alphaAt = [&](const std::array<float, 4>& rect, int32_t c, int32_t r) {
        return static_cast<int>(
            atlas.alpha[static_cast<size_t>(std::lround(rect[1] * atlas.side) + r) * atlas.side +
                        std::lround(rect[0] * atlas.side) + c]);
    };
    Open(640, 480);
    ASSERT_EQ(preview_.LivePars().p0x9008, 1);
    ASSERT_TRUE(preview_.MakeCurrent());
    BlankScene(128.0f / 255.0f);
    preview_.DrawTextAt(10, 20, "H", 0xFFFFFF, true);
    glFinish();
    const int32_t topRow = 480 - 1 - 20;
    int64_t mismatches = 0;
    // The shadow quad is one pixel larger on every side but the top-right, starting one pixel left.
    for (int32_t r = 0; r < g.height + 2; ++r)
        for (int32_t c = 0; c < g.width + 2; ++c) {
            const int shadow = alphaAt(g.shadowed, c, r);
            const int text = c >= 1 && r >= 1 && c <= g.width && r <= g.height ? alphaAt(g.plain, c - 1, r - 1) : 0;
            const double under = 128.0 * (255 - shadow) / 255.0;
            const double expected = under * (255 - text) / 255.0 + text;
            const int x = 10 - 1 + c;
            const int y = topRow + 1 - r; // the quad's top row lies one pixel above the text's
            if (std::abs(PixelAt(x, y)[0] - expected) > 2.5)
                ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(preview_.MeasureText("HH", true).width, 2 * g.width + 4);
    ChangeParameters([](LBeamvistaPars& p) { p.p0x9008 = 0; });
    EXPECT_EQ(preview_.MeasureText("HH", true).width, 2 * g.width);
}

} // namespace

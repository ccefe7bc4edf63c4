// The background pictures: the user's picture slots behind everything, the open show's own
// pictures behind its frames, each placed by its record and, where they apply, by its background
// slot's parameters.
#include "preview/l_beamvista.h"

#include "preview/picture_placement.h"
#include "show/laser_preview_stream.h"

namespace {

constexpr int32_t kShowPictureKinds = 8;

PictureValues ValuesOf(const LLaserPreviewBitmap& record)
{
    const LLaserPreviewBitmap::Parameters& f = record.GetParameters();
    return {f[0], f[1], f[2], f[3], f[4]};
}

} // namespace

PictureValues LBeamvista::SlotValues(int32_t slot) const
{
    LBeamvistaPars& p = const_cast<LBeamvistaPars&>(livePars_);
    return {p.BgReal(kBgSizeX, slot), p.BgReal(kBgSizeY, slot), p.BgReal(kBgPosX, slot), p.BgReal(kBgPosY, slot),
            p.BgReal(kBgIntensity, slot)};
}

void LBeamvista::DrawPicture(int32_t kind, const LLaserPreviewBitmap& record, int32_t slot)
{
    const TextureSlot& texture = Texture(kind);
    if (!texture.ready)
        return;
    LBeamvistaPars& p = livePars_;
    const bool slotApplies = slot >= 0 && slot < kBeamvistaBackgroundCount && p.BgSwitch(slot) == 1;
    const PictureValues slotValues = slotApplies ? SlotValues(slot) : PictureValues{};
    const std::optional<PictureQuad> quad =
        PlacePicture(SceneView{aspectX_, aspectY_, pixelSize_},
                     PictureSource{texture.contentWidth, texture.contentHeight, texture.width, texture.height},
                     p.o_graphics_size_x, p.o_graphics_size_y, ValuesOf(record), slotApplies ? &slotValues : nullptr);
    if (!quad)
        return;
    batches_.Begin(GlPrimitive::Quads, kind);
    batches_.Colour(RenderColour{quad->grey, quad->grey, quad->grey});
    batches_.TexCoord(0, 0);
    batches_.Vertex(quad->x0, quad->y0, 0);
    batches_.TexCoord(quad->sMax, 0);
    batches_.Vertex(quad->x1, quad->y0, 0);
    batches_.TexCoord(quad->sMax, quad->tMax);
    batches_.Vertex(quad->x1, quad->y1, 0);
    batches_.TexCoord(0, quad->tMax);
    batches_.Vertex(quad->x0, quad->y1, 0);
    batches_.End();
}

void LBeamvista::DrawUserPictures()
{
    for (int32_t n = 0; n < kBeamvistaBackgroundCount; ++n) {
        if (livePars_.BgSwitch(n) == 1 && !livePars_.BgFilename(n).IsEmpty())
            DrawPicture(kUserPictureTexture + n, pictures_[static_cast<size_t>(n)], n);
    }
    SubmitBatches();
}

void LBeamvista::DrawShowPictures(const LLaserPreviewStream& stream)
{
    const int32_t count = std::min(stream.BitmapCount(), kBeamvistaBackgroundCount);
    for (int32_t n = 0; n < count && n < kShowPictureKinds; ++n) {
        // A slot switched off hides the show's picture; one switched on with a file of the
        // user's shows that instead.
        const int32_t slotSwitch = livePars_.BgSwitch(n);
        if (slotSwitch == 0 || (slotSwitch == 1 && !livePars_.BgFilename(n).IsEmpty()))
            continue;
        DrawPicture(kShowPictureTexture + n, stream.Bitmap(n), n);
    }
    SubmitBatches();
}

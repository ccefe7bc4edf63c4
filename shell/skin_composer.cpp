#include "shell/skin_composer.h"

#include "shell/skin_layout.h"
#include "shell/skin_slider.h"

#include "platform/text_raster.h"

#include <algorithm>
#include <cstring>

namespace {

// The title bar's pieces.
constexpr int32_t kTitleMinWidthForText = 148;
constexpr int32_t kTitleLeftWidth = 60;
constexpr int32_t kTitleHeight = 40;
constexpr int32_t kTitleStripHeight = 34;
constexpr int32_t kTitleTextTile = 260;
constexpr int32_t kTitleRestSource = 320;
constexpr int32_t kTitleRestTile = 233;
constexpr int32_t kTitleRightWidth = 87;
constexpr int32_t kTitleTextPadding = 10;
constexpr int32_t kTitleTextEnd = 70;
// The text is drawn twice: its shadow, then itself 2 pixels up and left.
constexpr int32_t kTitleShadowX = 64;
constexpr int32_t kTitleShadowY = 10;
constexpr int32_t kTitleTextX = 62;
constexpr int32_t kTitleTextY = 8;
// The sides.
constexpr int32_t kSideTop = 40;
constexpr int32_t kSideWidth = 14;
constexpr int32_t kSideTile = 375;
constexpr int32_t kSideHeightLess = 105;
constexpr int32_t kSidesMinHeight = 106;
// The bottom panel.
constexpr int32_t kPanelHeight = 65;
constexpr int32_t kPanelLeftWidth = 224;
constexpr int32_t kPanelMiddleHeight = 61;
constexpr int32_t kPanelMiddleTile = 391;
constexpr int32_t kPanelMiddleLess = 249;
constexpr int32_t kPanelCornerWidth = 25;
// The SkinMin strip.
constexpr int32_t kStripLeftWidth = 82;
constexpr int32_t kStripSourceX = 216;
constexpr int32_t kStripSourceY = -152;
constexpr int32_t kStripMiddleSource = 298;
constexpr int32_t kStripMiddleTile = 104;
constexpr int32_t kStripMiddleLess = 96;
constexpr int32_t kStripCornerSource = 402;
constexpr int32_t kStripCornerWidth = 14;
constexpr int32_t kStripEdgeLine = 2;

RasterRect Intersect(const RasterRect& a, const RasterRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RasterRect& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}

int32_t Modulo(int32_t value, int32_t divisor)
{
    const int32_t m = value % divisor;
    return m < 0 ? m + divisor : m;
}

class SkinPainter
{
  public:
    SkinPainter(RasterBitmap& target, const SkinPicture& picture, const SkinFrameModel& model, const RasterRect& clip)
        : target_(target), picture_(picture), model_(model),
          clip_(Intersect(clip, {0, 0, target.Width(), target.Height()}))
    {
    }

    int32_t Width() const { return target_.Width(); }
    int32_t Height() const { return target_.Height(); }
    bool Touches(const RasterRect& rect) const { return !IsEmpty(Intersect(rect, clip_)); }

    // The piece (x, y, width, height) tiled from the source with the given tile; negative
    // coordinates count from the client's or the window picture's far edges.
    void Tiled(int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX, int32_t sourceY, int32_t tileWidth,
               int32_t tileHeight)
    {
        x = ResolveSkinCoordinate(x, Width());
        y = ResolveSkinCoordinate(y, Height());
        TiledFrom({x, y, x + width, y + height}, x, y, sourceX, sourceY, tileWidth, tileHeight);
    }

    // Copies the piece's rectangle, where client pixel (c, r) shows source pixel
    // (sourceX + (c - originX) mod tileWidth, sourceY + (r - originY) mod tileHeight).
    void TiledFrom(const RasterRect& piece, int32_t originX, int32_t originY, int32_t sourceX, int32_t sourceY,
                   int32_t tileWidth, int32_t tileHeight)
    {
        sourceX = ResolveSkinCoordinate(sourceX, kSkinPictureWidth);
        sourceY = ResolveSkinCoordinate(sourceY, kSkinPictureHeight);
        const RasterRect visible = Intersect(piece, clip_);
        if (IsEmpty(visible) || tileWidth <= 0 || tileHeight <= 0)
            return;
        for (int32_t row = visible.top; row < visible.bottom; ++row) {
            const int32_t sourceRow = sourceY + Modulo(row - originY, tileHeight);
            if (sourceRow < 0 || sourceRow >= picture_.height)
                continue;
            int32_t column = visible.left;
            while (column < visible.right) {
                const int32_t inTile = Modulo(column - originX, tileWidth);
                const int32_t run = std::min(tileWidth - inTile, visible.right - column);
                CopyRun(column, row, sourceX + inTile, sourceRow, run);
                column += run;
            }
        }
    }

    void Element(int32_t element)
    {
        if (!model_.IsPlaced(element))
            return;
        const RasterRect rect = model_.ElementRect(element);
        const SkinImage& image = model_.Table().images[model_.ImageOf(element)];
        const int32_t sourceY = image.y + model_.PaintedState(element) * (image.height + kSkinStateGap);
        TiledFrom(rect, rect.left, rect.top, image.x, sourceY, image.width, image.height);
    }

    void Fill(const RasterRect& rect, RgbColour colour) { target_.FillRect(Intersect(rect, clip_), colour); }

  private:
    // Copies run source pixels of one row, cut to the skin bitmap.
    void CopyRun(int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t run)
    {
        if (sourceX < 0) {
            x -= sourceX;
            run += sourceX;
            sourceX = 0;
        }
        run = std::min(run, picture_.width - sourceX);
        if (run <= 0)
            return;
        const uint8_t* from = picture_.bits + static_cast<size_t>(sourceY) * picture_.stride +
                              static_cast<size_t>(sourceX) * RasterBitmap::kBytesPerPixel;
        std::memcpy(target_.PixelAt(x, y), from, static_cast<size_t>(run) * RasterBitmap::kBytesPerPixel);
    }

    RasterBitmap& target_;
    const SkinPicture& picture_;
    const SkinFrameModel& model_;
    const RasterRect clip_;
};

void PaintBar(SkinPainter& painter, const SkinSliderGeometry& slider, bool large, bool full, int32_t length,
              int32_t clipLeft, int32_t clipRight)
{
    const SkinBarImage bar = SliderBarImage(large, full);
    for (const SkinBarPiece& piece : SliderBarPieces(bar, slider.x0, length, clipLeft, clipRight)) {
        painter.TiledFrom({piece.x, slider.y, piece.x + piece.width, slider.y + bar.height}, piece.originX, slider.y,
                          piece.sourceX, bar.sourceY, piece.tileWidth, bar.height);
    }
}

// The track in spans round the knob: full bar left of the fill end, empty bar right of it.
void PaintSlider(SkinPainter& painter, const SkinFrameModel& model, bool large)
{
    const SkinSliderGeometry slider = model.Slider();
    if (!painter.Touches(model.SliderRect()))
        return;
    const int32_t knobX = model.KnobX();
    const int32_t fillEnd = model.FillEndX();
    const int32_t spans[2][2] = {{slider.x0, std::min(knobX, slider.x1)},
                                 {std::max(knobX + slider.knobWidth, slider.x0), slider.x1}};
    for (const auto& span : spans) {
        PaintBar(painter, slider, large, true, fillEnd - slider.x0, span[0], std::min(span[1], fillEnd));
        PaintBar(painter, slider, large, false, slider.Length(), std::max(span[0], fillEnd), span[1]);
    }
    painter.Element(kSkinSeek);
}

void PaintTitle(SkinPainter& painter, RasterBitmap& target, const SkinTitle& title)
{
    const int32_t width = painter.Width();
    painter.Tiled(0, 0, kTitleLeftWidth, kTitleHeight, 0, 0, kTitleLeftWidth, kTitleHeight);
    painter.Element(kSkinMenu);
    painter.Element(kSkinOpenFile);
    int32_t titleEnd = kTitleLeftWidth;
    if (width >= kTitleMinWidthForText) {
        const bool hasText = title.font != nullptr && !title.text.empty();
        const int32_t textWidth = hasText ? MeasureText(*title.font, title.text).width : 0;
        painter.Tiled(kTitleLeftWidth, 0, textWidth + kTitleTextPadding, kTitleStripHeight, kTitleLeftWidth, 0,
                      kTitleTextTile, kTitleStripHeight);
        if (hasText && painter.Touches({0, 0, width, kTitleHeight})) {
            DrawText(target, *title.font, kTitleShadowX, kTitleShadowY, title.text, kSkinTitleShadow);
            DrawText(target, *title.font, kTitleTextX, kTitleTextY, title.text, kRgbWhite);
        }
        titleEnd = textWidth + kTitleTextEnd;
    }
    painter.Tiled(titleEnd, 0, width - kTitleRightWidth - titleEnd, kTitleStripHeight, kTitleRestSource, 0,
                  kTitleRestTile, kTitleStripHeight);
    painter.Tiled(-kTitleRightWidth, 0, kTitleRightWidth, kTitleHeight, -kTitleRightWidth, 0, kTitleRightWidth,
                  kTitleHeight);
    painter.Element(kSkinMinimize);
    painter.Element(kSkinMaximize);
    painter.Element(kSkinClose);
}

void PaintLargeSkin(SkinPainter& painter, RasterBitmap& target, const SkinFrameModel& model, const SkinTitle& title)
{
    const int32_t width = painter.Width(), height = painter.Height();
    PaintTitle(painter, target, title);
    if (height >= kSidesMinHeight) {
        painter.Tiled(0, kSideTop, kSideWidth, height - kSideHeightLess, 0, kSideTop, kSideWidth, kSideTile);
        painter.Tiled(-kSideWidth, kSideTop, kSideWidth, height - kSideHeightLess, -kSideWidth, kSideTop, kSideWidth,
                      kSideTile);
    }
    painter.Tiled(0, -kPanelHeight, kPanelLeftWidth, kPanelHeight, 0, -kPanelHeight, kPanelLeftWidth, kPanelHeight);
    for (int32_t element : {kSkinPrevious, kSkinStop, kSkinPlay, kSkinNext, kSkinMute})
        painter.Element(element);
    painter.Tiled(kPanelLeftWidth, -kPanelMiddleHeight, width - kPanelMiddleLess, kPanelMiddleHeight, kPanelLeftWidth,
                  -kPanelMiddleHeight, kPanelMiddleTile, kPanelMiddleHeight);
    painter.Tiled(-kPanelCornerWidth, -kPanelHeight, kPanelCornerWidth, kPanelHeight, -kPanelCornerWidth,
                  -kPanelHeight, kPanelCornerWidth, kPanelHeight);
    PaintSlider(painter, model, true);
}

void PaintStrip(SkinPainter& painter, const SkinFrameModel& model, const SkinSystemColours& colours)
{
    const int32_t width = painter.Width(), height = painter.Height();
    painter.Tiled(0, -kPlaybackStripHeight, kStripLeftWidth, kPlaybackStripHeight, kStripSourceX, kStripSourceY,
                  kStripLeftWidth, kPlaybackStripHeight);
    for (int32_t element : {kSkinStop, kSkinPlay, kSkinMute})
        painter.Element(element);
    painter.Tiled(kStripLeftWidth, -kPlaybackStripHeight, width - kStripMiddleLess, kPlaybackStripHeight,
                  kStripMiddleSource, kStripSourceY, kStripMiddleTile, kPlaybackStripHeight);
    painter.Tiled(-kStripCornerWidth, -kPlaybackStripHeight, kStripCornerWidth, kPlaybackStripHeight,
                  kStripCornerSource, kStripSourceY, kStripCornerWidth, kPlaybackStripHeight);
    PaintSlider(painter, model, false);
    if (model.State().viewClientEdge) {
        const int32_t top = height - kPlaybackStripHeight;
        painter.Fill({0, top - kStripEdgeLine, width, top}, colours.activeBorder);
        painter.Fill({0, top, width, top + 1}, colours.buttonShadow);
        painter.Fill({0, top, 1, height}, colours.buttonShadow);
        painter.Fill({0, height - 1, width, height}, colours.buttonLight);
        painter.Fill({width - 1, top, width, height}, colours.buttonLight);
    }
}

} // namespace

FontSpec SkinTitleFontSpec()
{
    FontSpec spec;
    spec.faceName = "Arial";
    spec.height = 20;
    spec.weight = kFontWeightBold;
    spec.antialiased = true;
    return spec;
}

void ComposeSkin(RasterBitmap& target, const SkinPicture& picture, const SkinFrameModel& model, const SkinTitle& title,
                 const SkinSystemColours& colours, const RasterRect& clip)
{
    const SkinFrameState& state = model.State();
    if (!IsSkinDrawn(state) || picture.bits == nullptr)
        return;
    RasterRect area = clip;
    if (IsLargeSkin(state) && area.top < kTitleHeight) {
        // Text is blended over what lies below it, so the title is always painted whole.
        area = {0, 0, target.Width(), std::max(area.bottom, kTitleHeight)};
    }
    SkinPainter painter(target, picture, model, area);
    if (IsLargeSkin(state))
        PaintLargeSkin(painter, target, model, title);
    else
        PaintStrip(painter, model, colours);
}

#include "tools/skin_pictures.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

// The window picture: a skinned window of 640 x 480 whose pieces the frame copies; the view
// covers (14, 34) - (626, 419), so what lies under it is free for pieces no window shows.
constexpr int32_t kSkinWidth = 1024;
constexpr int32_t kSkinHeight = 768;
constexpr int32_t kWindowWidth = 640;
constexpr int32_t kWindowHeight = 480;
constexpr int32_t kCornerRadius = 13;
constexpr int32_t kViewLeft = 14;
constexpr int32_t kViewTop = 34;
constexpr int32_t kViewRight = 626;
constexpr int32_t kViewBottom = 419;
constexpr int32_t kTitleRows = 34;

// Element sheets: state s lies s x (height + 4) below state 0.
constexpr int32_t kLargeSheetY = 484;
constexpr int32_t kSmallSheetY = 664;
constexpr int32_t kLargeButton = 40;
constexpr int32_t kSmallButton = 20;
constexpr int32_t kStateCount = 4;
constexpr int32_t kKnobSheetX = 566;
constexpr int32_t kLargeKnobWidth = 13;
constexpr int32_t kSmallKnobWidth = 7;

// The slider's bars: large full and empty, small full and empty (inside the SkinMin strip).
constexpr int32_t kLargeBarX = 216;
constexpr int32_t kLargeBarWidth = 407;
constexpr int32_t kLargeFullBarY = 370;
constexpr int32_t kLargeEmptyBarY = 430;
constexpr int32_t kSmallBarX = 294;
constexpr int32_t kSmallBarWidth = 112;
constexpr int32_t kSmallFullBarY = 304;
constexpr int32_t kSmallEmptyBarY = 334;

// The SkinMin strip of an ordinary window 200 pixels wide.
constexpr int32_t kStripX = 216;
constexpr int32_t kStripY = 328;
constexpr int32_t kStripWidth = 200;
constexpr int32_t kStripHeight = 32;

constexpr SkinColour kBlack{0, 0, 0};
constexpr SkinColour kOutline{20, 26, 38};
constexpr SkinColour kPanel{74, 88, 116};
constexpr SkinColour kBevelLight{132, 148, 178};
constexpr SkinColour kBevelShadow{42, 50, 66};
constexpr SkinColour kBevelDeep{16, 18, 24};
constexpr SkinColour kTitleTop{170, 190, 228};
constexpr SkinColour kTitleBottom{90, 114, 164};
constexpr SkinColour kGroove{22, 26, 36};
constexpr SkinColour kGrooveLow{52, 60, 78};
constexpr SkinColour kBeamTop{150, 230, 255};
constexpr SkinColour kBeamBottom{24, 118, 214};

enum class Glyph { kPlay, kPause, kStop, kPrevious, kNext, kMute, kSoundOn, kMenu, kMinimize, kMaximize,
                   kRestore, kClose, kOpen };

struct ButtonLook
{
    SkinColour top;
    SkinColour bottom;
    SkinColour ring;
    SkinColour glyph;
    int32_t shift; // pixels the glyph moves right and down
};

constexpr std::array<ButtonLook, kStateCount> kLooks = {{
    {{214, 222, 238}, {126, 140, 170}, {22, 28, 42}, {28, 36, 56}, 0},     // normal
    {{242, 247, 255}, {150, 178, 226}, {24, 60, 130}, {16, 64, 160}, 0},   // hover
    {{110, 124, 156}, {178, 190, 214}, {16, 20, 30}, {16, 24, 40}, 1},     // pressed
    {{134, 140, 152}, {98, 104, 118}, {52, 58, 70}, {152, 158, 170}, 0},   // disabled
}};

// The title bar's colour in a row of the window (row 0 is the outline, row 33 its lower edge).
SkinColour TitleRow(int32_t row)
{
    if (row <= 0)
        return kOutline;
    if (row >= kTitleRows - 1)
        return kBevelDeep;
    return MixColour(kTitleTop, kTitleBottom, row - 1, kTitleRows - 3);
}

// Shapes in the units of a 40-pixel box at (x, y) drawn size pixels wide, in eighths.
class GlyphBox
{
  public:
    GlyphBox(int32_t x, int32_t y, int32_t size) : x_(x * kSubUnits), y_(y * kSubUnits), size_(size) {}

    int32_t X(int32_t v) const { return x_ + v * size_ * kSubUnits / kLargeButton; }
    int32_t Y(int32_t v) const { return y_ + v * size_ * kSubUnits / kLargeButton; }
    int32_t Length(int32_t v) const { return v * size_ * kSubUnits / kLargeButton; }

    SkinShape Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) const
    {
        return PolygonShape({X(left), Y(top), X(right), Y(top), X(right), Y(bottom), X(left), Y(bottom)});
    }
    SkinShape Frame(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t side, int32_t upper) const
    {
        return Subtract(Rect(left, top, right, bottom), Rect(left + side, top + upper, right - side, bottom - side));
    }
    SkinShape Triangle(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t cx, int32_t cy) const
    {
        return PolygonShape({X(ax), Y(ay), X(bx), Y(by), X(cx), Y(cy)});
    }
    SkinShape Line(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t width) const
    {
        return LineShape(X(ax), Y(ay), X(bx), Y(by), Length(width));
    }
    SkinShape Speaker() const
    {
        return PolygonShape({X(8), Y(16), X(13), Y(16), X(19), Y(10), X(19), Y(30), X(13), Y(24), X(8), Y(24)});
    }

  private:
    int32_t x_;
    int32_t y_;
    int32_t size_;
};

SkinShape GlyphShape(Glyph glyph, const GlyphBox& box)
{
    switch (glyph) {
    case Glyph::kPlay:
        return box.Triangle(15, 11, 15, 29, 30, 20);
    case Glyph::kPause:
        return Union(box.Rect(12, 12, 18, 28), box.Rect(22, 12, 28, 28));
    case Glyph::kStop:
        return box.Rect(13, 13, 27, 27);
    case Glyph::kPrevious:
        return Union(box.Rect(11, 12, 15, 28), box.Triangle(29, 12, 29, 28, 15, 20));
    case Glyph::kNext:
        return Union(box.Rect(25, 12, 29, 28), box.Triangle(11, 12, 11, 28, 25, 20));
    case Glyph::kMute:
        return Union(box.Speaker(), Union(box.Line(23, 15, 32, 25, 3), box.Line(23, 25, 32, 15, 3)));
    case Glyph::kSoundOn: {
        const SkinShape waves = Union(RingShape(box.X(19), box.Y(20), box.Length(6), box.Length(9)),
                                      RingShape(box.X(19), box.Y(20), box.Length(12), box.Length(15)));
        const int32_t right = box.X(22);
        return Union(box.Speaker(), [waves, right](int32_t x, int32_t y) { return x >= right && waves(x, y); });
    }
    case Glyph::kMenu:
        return Union(box.Rect(11, 11, 29, 15), Union(box.Rect(11, 18, 29, 22), box.Rect(11, 25, 29, 29)));
    case Glyph::kMinimize:
        return box.Rect(11, 25, 29, 29);
    case Glyph::kMaximize:
        return box.Frame(11, 11, 29, 29, 3, 5);
    case Glyph::kRestore:
        return Union(Subtract(box.Frame(15, 9, 31, 25, 3, 4), box.Rect(9, 15, 25, 31)), box.Frame(9, 15, 25, 31, 3, 4));
    case Glyph::kClose:
        return Union(box.Line(12, 12, 28, 28, 5), box.Line(12, 28, 28, 12, 5));
    case Glyph::kOpen:
        return Union(box.Triangle(20, 9, 31, 21, 9, 21), box.Rect(9, 25, 31, 30));
    }
    return [](int32_t, int32_t) { return false; };
}

// A round button of size x size at (x, y) over the given background, in one state.
void DrawButton(SkinCanvas& canvas, int32_t x, int32_t y, int32_t size, int32_t state, Glyph glyph,
                const SkinPaint& background)
{
    const ButtonLook& look = kLooks[state];
    canvas.FillShape(x, y, size, size, [](int32_t, int32_t) { return true; }, background);
    const int32_t cx = x * kSubUnits + size * kSubUnits / 2;
    const int32_t cy = y * kSubUnits + size * kSubUnits / 2;
    const int32_t radius = size * kSubUnits / 2;
    canvas.FillShape(x, y, size, size, EllipseShape(cx, cy, radius, radius), FlatPaint(look.ring));
    canvas.FillShape(x, y, size, size, EllipseShape(cx, cy, radius - kSubUnits, radius - kSubUnits),
                     VerticalPaint(y + 1, y + size - 2, look.top, look.bottom));
    const GlyphBox box(x + look.shift, y + look.shift, size);
    canvas.FillShape(x, y, size, size, GlyphShape(glyph, box), FlatPaint(look.glyph));
}

// The slider's knob: an upright ellipse with three grip lines.
void DrawKnob(SkinCanvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, int32_t state)
{
    const ButtonLook& look = kLooks[state];
    canvas.FillRect(x, y, width, height, kPanel);
    const int32_t cx = x * kSubUnits + width * kSubUnits / 2;
    const int32_t cy = y * kSubUnits + height * kSubUnits / 2;
    const int32_t rx = width * kSubUnits / 2;
    const int32_t ry = height * kSubUnits / 2;
    canvas.FillShape(x, y, width, height, EllipseShape(cx, cy, rx, ry), FlatPaint(look.ring));
    canvas.FillShape(x, y, width, height, EllipseShape(cx, cy, rx - kSubUnits, ry - kSubUnits),
                     VerticalPaint(y + 1, y + height - 2, look.top, look.bottom));
    const int32_t gripHalf = rx / 2;
    for (int32_t line = -1; line <= 1; ++line) {
        const int32_t gy = cy + line * height * kSubUnits / 10;
        canvas.FillShape(x, y, width, height, LineShape(cx - gripHalf, gy, cx + gripHalf, gy, kSubUnits),
                         FlatPaint(look.glyph));
    }
}

// A slider bar: a groove with round ends inside its caps, over the panel colour; full bars glow.
void DrawBar(SkinCanvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height, bool full)
{
    canvas.FillRect(x, y, width, height, kPanel);
    const int32_t groove = height * 3 / 10;
    const int32_t margin = height / 20;
    const int32_t top = y + (height - groove) / 2;
    const SkinShape shape = RoundRectShape((x + margin) * kSubUnits, top * kSubUnits, (x + width - margin) * kSubUnits,
                                           (top + groove) * kSubUnits, groove * kSubUnits / 2);
    const SkinPaint paint = full ? VerticalPaint(top, top + groove - 1, kBeamTop, kBeamBottom)
                                 : VerticalPaint(top, top + groove - 1, kGroove, kGrooveLow);
    canvas.FillShape(x, y, width, height, shape, paint);
}

struct ButtonSheet
{
    int32_t x;
    Glyph glyph;
    bool onTitle; // drawn over the title bar rather than the panel
};

constexpr std::array<ButtonSheet, 5> kLargeButtons = {{
    {92, Glyph::kStop, false},
    {136, Glyph::kPlay, false},
    {180, Glyph::kPause, false},
    {268, Glyph::kPrevious, false},
    {312, Glyph::kNext, false},
}};

constexpr std::array<ButtonSheet, 13> kSmallButtons = {{
    {28, Glyph::kMute, false},
    {52, Glyph::kSoundOn, false},
    {76, Glyph::kMenu, true},
    {100, Glyph::kMinimize, true},
    {124, Glyph::kMaximize, true},
    {148, Glyph::kRestore, true},
    {172, Glyph::kClose, true},
    {196, Glyph::kStop, false},
    {268, Glyph::kPrevious, false},
    {292, Glyph::kNext, false},
    {316, Glyph::kOpen, true},
    {340, Glyph::kPlay, false},
    {364, Glyph::kPause, false},
}};

// Title-bar buttons sit at row 7 of the title.
constexpr int32_t kTitleButtonRow = 7;

void DrawElementSheets(SkinCanvas& canvas)
{
    for (int32_t state = 0; state < kStateCount; ++state) {
        const int32_t largeY = kLargeSheetY + state * (kLargeButton + 4);
        for (const ButtonSheet& button : kLargeButtons)
            DrawButton(canvas, button.x, largeY, kLargeButton, state, button.glyph, FlatPaint(kPanel));
        DrawKnob(canvas, kKnobSheetX, largeY, kLargeKnobWidth, kLargeButton, state);

        const int32_t smallY = kSmallSheetY + state * (kSmallButton + 4);
        for (const ButtonSheet& button : kSmallButtons) {
            const SkinPaint background =
                button.onTitle ? [smallY](int32_t, int32_t y) { return TitleRow(y - smallY + kTitleButtonRow); }
                               : FlatPaint(kPanel);
            DrawButton(canvas, button.x, smallY, kSmallButton, state, button.glyph, background);
        }
        DrawKnob(canvas, kKnobSheetX, smallY, kSmallKnobWidth, kSmallButton, state);
    }
}

// The frame round the view: outline, title bar, sides and bottom panel, with a sunken edge
// round the view.
void DrawWindowFrame(SkinCanvas& canvas)
{
    const int32_t w = kWindowWidth, h = kWindowHeight;
    const int32_t r = kCornerRadius * kSubUnits;
    const SkinShape window = RoundRectShape(0, 0, w * kSubUnits, h * kSubUnits, r);
    const SkinShape inner =
        RoundRectShape(kSubUnits, kSubUnits, (w - 1) * kSubUnits, (h - 1) * kSubUnits, r - kSubUnits);
    canvas.FillShape(0, 0, w, h, window, FlatPaint(kOutline));
    canvas.FillShape(0, 0, w, h, inner, [](int32_t, int32_t y) { return y < kTitleRows ? TitleRow(y) : kPanel; });

    // Bevels: light along the left and top of the panel, dark towards the view.
    canvas.FillShape(0, kTitleRows, 2, h - kTitleRows, inner, FlatPaint(kBevelLight));
    canvas.FillRect(kViewLeft - 2, kViewTop, 1, kViewBottom - kViewTop, kBevelShadow);
    canvas.FillRect(kViewLeft - 1, kViewTop, 1, kViewBottom - kViewTop + 1, kBevelDeep);
    canvas.FillRect(kViewRight, kViewTop, 1, kViewBottom - kViewTop + 1, kBevelDeep);
    canvas.FillRect(kViewRight + 1, kViewTop, 1, kViewBottom - kViewTop, kBevelShadow);
    canvas.FillRect(kViewLeft - 1, kViewBottom, kViewRight - kViewLeft + 2, 1, kBevelDeep);
    canvas.FillRect(kViewLeft - 2, kViewBottom + 1, kViewRight - kViewLeft + 4, 1, kBevelLight);
    canvas.FillShape(w - 2, kTitleRows, 2, h - kTitleRows, inner, FlatPaint(kBevelShadow));
    canvas.FillShape(0, h - 3, w, 2, inner, FlatPaint(kBevelShadow));
    canvas.FillRect(kViewLeft, kViewTop, kViewRight - kViewLeft, kViewBottom - kViewTop, kBlack);
}

// An ordinary window's playback strip, 200 pixels wide, with its empty bar.
void DrawStrip(SkinCanvas& canvas)
{
    canvas.FillRect(kStripX, kStripY, kStripWidth, kStripHeight, kPanel);
    canvas.FillRect(kStripX, kStripY, kStripWidth, 1, kBevelLight);
    canvas.FillRect(kStripX, kStripY + kStripHeight - 2, kStripWidth, 1, kBevelShadow);
    canvas.FillRect(kStripX, kStripY + kStripHeight - 1, kStripWidth, 1, kOutline);
    DrawBar(canvas, kSmallBarX, kSmallEmptyBarY, kSmallBarWidth, kSmallButton, false);
}

struct PlacedElement
{
    int32_t sourceX;
    int32_t sourceY;
    int32_t size;
    int32_t x; // negative: from the window's right edge
    int32_t y; // negative: from the window's bottom edge
};

// The large skin's elements in their places, as a window at rest shows them.
constexpr std::array<PlacedElement, 10> kPlacedElements = {{
    {76, kSmallSheetY, kSmallButton, 15, 7},
    {316, kSmallSheetY, kSmallButton, 37, 7},
    {100, kSmallSheetY, kSmallButton, -80, 7},
    {124, kSmallSheetY, kSmallButton, -58, 7},
    {172, kSmallSheetY, kSmallButton, -36, 7},
    {268, kLargeSheetY, kLargeButton, 16, -50},
    {92, kLargeSheetY, kLargeButton, 57, -50},
    {136, kLargeSheetY, kLargeButton, 98, -50},
    {312, kLargeSheetY, kLargeButton, 139, -50},
    {28, kSmallSheetY, kSmallButton, 185, -31},
}};

void PlaceElements(SkinCanvas& canvas)
{
    for (const PlacedElement& e : kPlacedElements) {
        const int32_t x = e.x < 0 ? kWindowWidth + e.x : e.x;
        const int32_t y = e.y < 0 ? kWindowHeight + e.y : e.y;
        canvas.Copy(canvas, e.sourceX, e.sourceY, e.size, e.size, x, y);
    }
}

// A fan of coloured beams from a point near the bottom into a dark disc of the given size.
void DrawBeamFan(SkinCanvas& canvas, int32_t size)
{
    static constexpr std::array<SkinColour, 7> kBeams = {{
        {255, 60, 60}, {255, 160, 40}, {250, 240, 70}, {70, 240, 110}, {60, 220, 255}, {80, 120, 255}, {200, 90, 255},
    }};
    const int32_t s = size * kSubUnits;
    const SkinShape disc = EllipseShape(s / 2, s / 2, s / 2, s / 2);
    canvas.FillShape(0, 0, size, size, disc, VerticalPaint(0, size - 1, SkinColour{24, 30, 62}, SkinColour{6, 8, 18}));
    const int32_t sourceX = s / 2, sourceY = s * 13 / 16;
    const int32_t n = static_cast<int32_t>(kBeams.size());
    for (int32_t i = 0; i < n; ++i) {
        const int32_t endX = s / 8 + i * (s * 3 / 4) / (n - 1);
        const int32_t halfWidth = s / 40 + 1;
        const SkinShape beam =
            PolygonShape({sourceX, sourceY, endX - halfWidth, s / 8, endX + halfWidth, s / 8});
        canvas.FillShape(0, 0, size, size, [disc, beam](int32_t x, int32_t y) { return disc(x, y) && beam(x, y); },
                         FlatPaint(kBeams[i]));
    }
    const int32_t glow = s / 12;
    canvas.FillShape(0, 0, size, size, EllipseShape(sourceX, sourceY, glow, glow), FlatPaint(SkinColour{255, 255, 255}));
}

} // namespace

SkinCanvas DrawSkinBitmap()
{
    SkinCanvas canvas(kSkinWidth, kSkinHeight, kBlack);
    DrawElementSheets(canvas);
    DrawWindowFrame(canvas);
    DrawBar(canvas, kLargeBarX, kLargeEmptyBarY, kLargeBarWidth, kLargeButton, false);
    DrawBar(canvas, kLargeBarX, kLargeFullBarY, kLargeBarWidth, kLargeButton, true);
    DrawStrip(canvas);
    DrawBar(canvas, kSmallBarX, kSmallFullBarY, kSmallBarWidth, kSmallButton, true);
    PlaceElements(canvas);
    return canvas;
}

SkinCanvas DrawAboutLogo()
{
    constexpr int32_t kLogoSize = 96;
    SkinCanvas canvas(kLogoSize, kLogoSize, SkinColour{236, 236, 236});
    DrawBeamFan(canvas, kLogoSize);
    return canvas;
}

SkinCanvas DrawAboutMaker()
{
    constexpr int32_t kWidth = 96, kHeight = 48;
    SkinCanvas canvas(kWidth, kHeight, SkinColour{236, 236, 236});
    canvas.FillShape(0, 0, kWidth, kHeight,
                     RoundRectShape(0, 0, kWidth * kSubUnits, kHeight * kSubUnits, 8 * kSubUnits),
                     VerticalPaint(0, kHeight - 1, kTitleTop, kTitleBottom));
    // Two chevrons and a beam under them: the maker's mark.
    for (int32_t i = 0; i < 2; ++i) {
        const int32_t left = (18 + i * 30) * kSubUnits;
        const SkinShape chevron =
            Union(LineShape(left, 10 * kSubUnits, left + 14 * kSubUnits, 34 * kSubUnits, 6 * kSubUnits),
                  LineShape(left + 14 * kSubUnits, 34 * kSubUnits, left + 28 * kSubUnits, 10 * kSubUnits, 6 * kSubUnits));
        canvas.FillShape(0, 0, kWidth, kHeight, chevron, FlatPaint(SkinColour{255, 255, 255}));
    }
    canvas.FillShape(0, 0, kWidth, kHeight,
                     LineShape(12 * kSubUnits, 40 * kSubUnits, 84 * kSubUnits, 40 * kSubUnits, 2 * kSubUnits),
                     FlatPaint(kBeamBottom));
    return canvas;
}

SkinCanvas DrawProgramIcon()
{
    constexpr int32_t kIconSize = 32;
    SkinCanvas canvas(kIconSize, kIconSize, SkinColour{0, 0, 0, 0});
    DrawBeamFan(canvas, kIconSize);
    return canvas;
}

std::span<const SkinPictureFile> SkinPictureFiles()
{
    static constexpr SkinPictureFile kFiles[] = {
        {"skin_140.png", DrawSkinBitmap, false},
        {"about_2274.png", DrawAboutLogo, false},
        {"about_2275.png", DrawAboutMaker, false},
        {"icon_128.png", DrawProgramIcon, true},
    };
    return kFiles;
}

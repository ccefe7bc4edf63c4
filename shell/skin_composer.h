// Paints the skinned frame's client area into a 32-bit raster from the skin bitmap: title,
// sides and bottom panel of the large skin or the SkinMin strip, the elements in their painted
// states, and the slider. The view's area is left alone.
#pragma once

#include "shell/skin_frame_model.h"

#include "platform/font_face.h"
#include "platform/raster_bitmap.h"

#include <cstdint>
#include <string_view>

// The skin bitmap as the composer reads it: rows of 32-bit pixels (blue, green, red, unused).
struct SkinPicture
{
    const uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
};

// The title's look: "Arial" 20 pixels, bold, antialiased.
FontSpec SkinTitleFontSpec();
inline constexpr RgbColour kSkinTitleShadow = MakeRgb(66, 95, 154);

// The platform's colours for the lines round the SkinMin strip.
struct SkinSystemColours
{
    RgbColour activeBorder = MakeRgb(180, 180, 180);
    RgbColour buttonShadow = MakeRgb(160, 160, 160);
    RgbColour buttonLight = MakeRgb(227, 227, 227);
};

struct SkinTitle
{
    const FontFace* font = nullptr; // null: no title text
    std::u16string_view text;
};

// Paints what lies inside clip of a client as large as the target (the title bar always
// whole, as its text blends). The model's client size is the target's.
void ComposeSkin(RasterBitmap& target, const SkinPicture& picture, const SkinFrameModel& model, const SkinTitle& title,
                 const SkinSystemColours& colours, const RasterRect& clip);

#include "controls/wx/wx_glyph.h"

#include "platform/glyph_palette.h"
#include "platform/resources.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

wxImage GlyphImage(std::span<const char* const> rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = height > 0 ? static_cast<int>(std::strlen(rows[0])) : 0;
    wxImage image(std::max(width, 1), std::max(height, 1));
    image.SetAlpha();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width && rows[y][x] != 0; ++x) {
            const std::optional<uint32_t> colour = GlyphColour(rows[y][x]);
            const uint32_t rgb = colour.value_or(0);
            image.SetRGB(x, y, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
            image.SetAlpha(x, y, colour ? wxIMAGE_ALPHA_OPAQUE : wxIMAGE_ALPHA_TRANSPARENT);
        }
    }
    return image;
}

wxCursor ResourceCursor(int id, wxStockCursor fallback)
{
    const PictureResource* cursor = FindPictureResource(ResourceKind::Cursor, id);
    if (!cursor || cursor->glyph.empty())
        return wxCursor(fallback);
    wxImage image = GlyphImage(cursor->glyph);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, cursor->hotSpotX);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, cursor->hotSpotY);
    return wxCursor(image);
}

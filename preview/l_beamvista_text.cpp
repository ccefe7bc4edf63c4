// Text on the picture: the font atlas as texture kind 1, and text drawn as glyph quads in the
// screen plane, snapped to the pixel grid so that every glyph pixel is one texel.
#include "preview/l_beamvista.h"

#include "platform/font_face.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

namespace {

constexpr int32_t kExtraAdvance = 1;
constexpr float kSnapTolerance = 1e-3f;

struct TextVertex
{
    float x, y, s, t;
};

void AddQuad(std::vector<TextVertex>& out, float x0, float y0, float x1, float y1, const std::array<float, 4>& r)
{
    // The atlas's first row is the glyph's top: t grows downwards.
    const TextVertex lowerLeft{x0, y0, r[0], r[3]};
    const TextVertex lowerRight{x1, y0, r[2], r[3]};
    const TextVertex upperRight{x1, y1, r[2], r[1]};
    const TextVertex upperLeft{x0, y1, r[0], r[1]};
    out.insert(out.end(), {lowerLeft, lowerRight, upperRight, lowerLeft, upperRight, upperLeft});
}

void Submit(const std::vector<TextVertex>& vertices)
{
    if (vertices.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(TextVertex), &vertices.front().x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TextVertex), &vertices.front().s);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void SetColour(uint32_t colour)
{
    glColor4ub(static_cast<GLubyte>(colour & 0xff), static_cast<GLubyte>(colour >> 8 & 0xff),
               static_cast<GLubyte>(colour >> 16 & 0xff), 255);
}

} // namespace

bool LBeamvista::BuildFontTexture(TextureSlot& slot)
{
    fontAtlas_ = FontAtlas{};
    const std::unique_ptr<FontFace> font = OpenAtlasFont();
    FontAtlas atlas;
    if (!font || !BuildFontAtlas(*font, atlas))
        return false;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    while (glGetError() != GL_NO_ERROR) {
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, atlas.side, atlas.side, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 atlas.alpha.data());
    if (glGetError() != GL_NO_ERROR)
        return false;
    slot.width = slot.contentWidth = atlas.side;
    slot.height = slot.contentHeight = atlas.side;
    slot.depth = slot.contentDepth = 1;
    atlas.alpha.clear();
    fontAtlas_ = std::move(atlas);
    return true;
}

bool LBeamvista::FontReady() const
{
    return textures_[kFontTexture].ready && fontAtlas_.side > 0;
}

int32_t LBeamvista::LineHeight() const
{
    return FontReady() ? fontAtlas_.lineHeight : 0;
}

bool LBeamvista::ShadowDrawn(bool shadow) const
{
    return shadow && livePars_.p0x9008 != 0;
}

TextBlockSize LBeamvista::MeasureText(const XAString& text, bool shadow) const
{
    if (!FontReady())
        return {};
    return MeasureAtlasText(fontAtlas_, AtlasCodes(text.CStr()), ShadowDrawn(shadow));
}

void LBeamvista::DrawText(float x, float y, const XAString& text, uint32_t colour, bool shadow)
{
    if (!FontReady() || text.IsEmpty())
        return;
    const std::vector<uint8_t> codes = AtlasCodes(text.CStr());
    const float p = pixelSize_;
    // Up to the next pixel; positions that are whole pixels but for float noise stay.
    const float startX = std::ceil(x / p - kSnapTolerance) * p + halfPixelX_;
    const float startY = std::ceil(y / p - kSnapTolerance) * p + halfPixelY_;
    const bool shadowPass = ShadowDrawn(shadow);

    GLint source = GL_SRC_ALPHA;
    GLint destination = GL_ONE;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    BindTexture(kFontTexture);

    const auto layOut = [&](bool shadowed) {
        std::vector<TextVertex> quads;
        float penX = shadowed ? startX - p : startX;
        float penY = shadowed ? startY - p : startY;
        const float lineStart = penX;
        for (size_t i = 0; i < codes.size(); ++i) {
            const uint8_t code = codes[i];
            if (code == '\r' || code == '\n') {
                if (code == '\r' && i + 1 < codes.size() && codes[i + 1] == '\n')
                    ++i;
                penX = lineStart;
                penY -= static_cast<float>(fontAtlas_.lineHeight) * p;
                continue;
            }
            const AtlasGlyph& g = fontAtlas_.glyphs[code];
            if (!g.present)
                continue;
            const int32_t grow = shadowed ? 2 : 0;
            AddQuad(quads, penX, penY, penX + static_cast<float>(g.width + grow) * p,
                    penY + static_cast<float>(g.height + grow) * p, shadowed ? g.shadowed : g.plain);
            penX += static_cast<float>(g.width + (shadowPass ? kExtraAdvance : 0)) * p;
        }
        return quads;
    };
    if (shadowPass) {
        SetColour(0);
        Submit(layOut(true));
    }
    SetColour(colour);
    Submit(layOut(false));
    glBlendFunc(static_cast<GLenum>(source), static_cast<GLenum>(destination));
}

void LBeamvista::DrawTextAt(int32_t px, int32_t py, const XAString& text, uint32_t colour, bool shadow)
{
    const float p = pixelSize_;
    DrawText(-aspectX_ + static_cast<float>(px) * p,
             aspectY_ - static_cast<float>(py + LineHeight()) * p, text, colour, shadow);
}

void LBeamvista::DrawTextUp(int32_t px, int32_t py, const XAString& text, uint32_t colour, bool shadow)
{
    const float p = pixelSize_;
    const int32_t rise = (std::max(CountTextLines(text.CStr()), 1) - 1) * LineHeight();
    DrawText(-aspectX_ + static_cast<float>(px) * p, -aspectY_ + static_cast<float>(py + rise) * p, text, colour,
             shadow);
}

void LBeamvista::DrawTextRight(int32_t px, int32_t py, const XAString& text, uint32_t colour, bool shadow)
{
    const float p = pixelSize_;
    const TextBlockSize size = MeasureText(text, shadow);
    DrawText(aspectX_ - static_cast<float>(px + size.width) * p,
             -aspectY_ + static_cast<float>(py + size.height - LineHeight()) * p, text, colour, shadow);
}

#include "preview/picture_placement.h"

#include "preview/channel_geometry.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kEdgeAnchor = 5.0f;
constexpr float kFlushPosition = 10.0f;

// The centre along one axis: anchored to the low or high edge beyond +-5, else scaled.
float Centre(float position, float half, float edge, float anchorScale, float middleScale)
{
    if (position < -kEdgeAnchor)
        return half + (std::fabs(anchorScale) * (position + kFlushPosition) - edge);
    if (position > kEdgeAnchor)
        return edge + std::fabs(anchorScale) * (position - kFlushPosition) - half;
    return position * std::fabs(middleScale);
}
} // namespace

std::optional<PictureQuad> PlacePicture(const SceneView& view, const PictureSource& source,
                                        float graphicsSizeX, float graphicsSizeY, const PictureValues& record,
                                        const PictureValues* slot)
{
    const float w = float(source.contentWidth);
    const float h = float(source.contentHeight);
    if (!(w > 0.0f && h > 0.0f && source.textureWidth > 0 && source.textureHeight > 0))
        return std::nullopt;
    const float W = view.halfWidth;
    const float H = view.halfHeight;
    const float m = std::max(w, h);
    const float t = std::fabs(graphicsSizeX / graphicsSizeY);
    const float R = std::max(W, H);
    float e, u, A, B, jx, jy;
    if (t <= 1.0f) {
        e = W / w;
        u = e * h / t;
        A = e * m / t;
        B = e * m;
        jx = R;
        jy = R / t;
    } else {
        e = W / (w * t);
        u = e * h;
        A = e * m;
        B = e * m * t;
        jx = t * R;
        jy = R;
    }
    float lw = W;
    if (u > H) {
        const float k = H / u;
        A *= k;
        B *= k;
        lw = W * k;
        u = H;
    }
    PictureValues v = record;
    if (slot) {
        v.sizeX *= slot->sizeX;
        v.sizeY *= slot->sizeY;
        v.positionX += slot->positionX;
        v.positionY += slot->positionY;
        v.intensity = CombineIntensity(v.intensity, slot->intensity);
    }
    const float qx = v.sizeX * lw;
    const float qy = v.sizeY * u;
    const float cx = Centre(v.positionX, qx, W, jx, B);
    const float cy = Centre(v.positionY, qy, H, jy, A);
    const PictureQuad quad{cx - qx,
                           cy - qy,
                           cx + qx,
                           cy + qy,
                           w / float(source.textureWidth),
                           h / float(source.textureHeight),
                           v.intensity};
    for (float value : {quad.x0, quad.y0, quad.x1, quad.y1, quad.grey})
        if (!std::isfinite(value))
            return std::nullopt;
    return quad;
}

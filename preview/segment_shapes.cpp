#include "preview/segment_shapes.h"

#include <cmath>

namespace {
constexpr float kProfileAxis = 0.5f;
constexpr float kStartCapInner = 0.25f;
constexpr float kEndCapInner = 0.75f;

void Put(RenderBatchBuilder& out, float x, float y, float z, const RenderColour& colour,
         const FogCoordinates* fog)
{
    out.Colour(colour);
    if (fog) {
        const FogTexCoord tc = fog->At(x, y, z);
        out.TexCoord(tc.s, tc.t, tc.p);
    }
    out.Vertex(x, y, z);
}

struct Side
{
    float x, y;
};

// Half the width, sideways to the segment in the plane of the view.
Side SideOffset(const SegmentEnd& a, const SegmentEnd& b, float width, const WideSegmentStyle& style)
{
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0.0f) {
        dx /= length;
        dy /= length;
    } else {
        dx = 1.0f; // a point has no direction: any side will do
        dy = 0.0f;
    }
    const float half = width * 0.5f;
    return {-dy * half * style.widenX, dx * half * style.widenY};
}
} // namespace

void EmitLineSegment(RenderBatchBuilder& out, const SegmentEnd& a, const SegmentEnd& b,
                     const FogCoordinates* fog)
{
    Put(out, a.x, a.y, a.z, a.colour, fog);
    Put(out, b.x, b.y, b.z, b.colour, fog);
}

void EmitWideSegment(RenderBatchBuilder& out, const SegmentEnd& a, const SegmentEnd& b,
                     const WideSegmentStyle& style, const FogCoordinates* fog)
{
    const Side sa = SideOffset(a, b, style.widthStart, style);
    const Side sb = SideOffset(a, b, style.widthEnd, style);
    const FogCoordinates* quadFog = style.profile ? nullptr : fog;
    auto corner = [&](const SegmentEnd& end, const Side& side, float sign, float s) {
        if (style.profile)
            out.TexCoord(s, sign > 0.0f ? 1.0f : 0.0f);
        Put(out, end.x + side.x * sign, end.y + side.y * sign, end.z, end.colour, quadFog);
    };
    // Caps run half a width beyond the ends, along the segment.
    auto beyond = [](const SegmentEnd& end, const Side& side, float direction) {
        SegmentEnd moved = end;
        moved.x += side.y * direction;
        moved.y -= side.x * direction;
        return moved;
    };
    if (style.profile && style.startCap) {
        const SegmentEnd outer = beyond(a, sa, -1.0f);
        corner(outer, sa, 1.0f, 0.0f);
        corner(outer, sa, -1.0f, 0.0f);
        corner(a, sa, -1.0f, kStartCapInner);
        corner(a, sa, 1.0f, kStartCapInner);
    }
    corner(a, sa, 1.0f, kProfileAxis);
    corner(a, sa, -1.0f, kProfileAxis);
    corner(b, sb, -1.0f, kProfileAxis);
    corner(b, sb, 1.0f, kProfileAxis);
    if (style.profile && style.endCap) {
        const SegmentEnd outer = beyond(b, sb, 1.0f);
        corner(b, sb, 1.0f, kEndCapInner);
        corner(b, sb, -1.0f, kEndCapInner);
        corner(outer, sb, -1.0f, 1.0f);
        corner(outer, sb, 1.0f, 1.0f);
    }
}

bool SegmentWidening(float sizeX, float sizeY, WideSegmentStyle& style)
{
    const float ratio = std::fabs(sizeX / sizeY);
    if (!std::isfinite(ratio) || ratio == 0.0f)
        return false;
    style.widenX = ratio > 1.0f ? ratio : 1.0f;
    style.widenY = ratio < 1.0f ? 1.0f / ratio : 1.0f;
    return true;
}

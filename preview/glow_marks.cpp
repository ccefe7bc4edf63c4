#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "preview/texture_kind.h"

#include <algorithm>

namespace {
constexpr float kSmallestMark = 0.0001f;
constexpr float kVisibleColour = 0.001f;
constexpr int32_t kLayers = 2; // drawn twice, for a brighter core
} // namespace

void LaserFrameRenderer::DrawGlowMarks(RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    const float half = view_.pixelSize * p.p0x2003;
    if (!p.p0x9003 || !(half >= kSmallestMark))
        return;
    out.Begin(GlPrimitive::Triangles, kGlowTexture);
    for (int32_t i = 0; i < scanners_.Count(); ++i) {
        const ScannerPosition& at = scanners_[i];
        const float largest = std::max({at.maxRed, at.maxGreen, at.maxBlue});
        if (!(largest >= kVisibleColour))
            continue;
        // Weak components are raised, so a mark always glows whitish at its centre.
        const float floor = largest * 0.5f;
        out.Colour({std::max(at.maxRed, floor) * p.p0x2004, std::max(at.maxGreen, floor) * p.p0x2004,
                    std::max(at.maxBlue, floor) * p.p0x2004});
        const float x0 = at.x - half, x1 = at.x + half;
        const float y0 = at.y - half, y1 = at.y + half;
        for (int32_t layer = 0; layer < kLayers; ++layer) {
            for (const auto& [s, t] : {std::pair{0.0f, 0.0f},
                                       {1.0f, 0.0f},
                                       {1.0f, 1.0f},
                                       {0.0f, 0.0f},
                                       {1.0f, 1.0f},
                                       {0.0f, 1.0f}}) {
                out.TexCoord(s, t);
                out.Vertex(s == 0.0f ? x0 : x1, t == 0.0f ? y0 : y1, 0.0f);
            }
        }
    }
    out.End();
    scanners_.Clear();
}

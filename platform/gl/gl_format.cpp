#include "platform/gl/gl_format.h"

#include <cstdlib>

namespace {

bool HasBasicFlags(const GlFormatRequest& request, const GlFormatCandidate& c)
{
    return c.drawToWindow && c.openGl && c.rgba && (c.doubleBuffer || !request.doubleBuffer);
}

bool HasAllFlags(const GlFormatRequest& request, const GlFormatCandidate& c)
{
    return HasBasicFlags(request, c) && (c.generic || !request.forceGeneric);
}

int32_t BitSum(const GlFormatCandidate& c)
{
    return c.colourBits + c.alphaBits + c.accumBits + c.depthBits + c.stencilBits;
}

// What the display's own chooser answers: its first format with the basic flags.
int32_t FirstChoice(const GlFormatRequest& request, std::span<const GlFormatCandidate> candidates)
{
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (HasBasicFlags(request, candidates[i]))
            return static_cast<int32_t>(i);
    }
    return -1;
}

// The format with every requested flag nearest to the requested colour depth; ties go to the
// smaller bit sum, then to the lower index.
int32_t BestWithAllFlags(const GlFormatRequest& request, std::span<const GlFormatCandidate> candidates)
{
    int32_t best = -1;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const GlFormatCandidate& c = candidates[i];
        if (!HasAllFlags(request, c))
            continue;
        if (best < 0) {
            best = static_cast<int32_t>(i);
            continue;
        }
        const GlFormatCandidate& b = candidates[best];
        const int32_t distance = std::abs(c.colourBits - request.colourBits);
        const int32_t bestDistance = std::abs(b.colourBits - request.colourBits);
        if (distance < bestDistance || (distance == bestDistance && BitSum(c) < BitSum(b)))
            best = static_cast<int32_t>(i);
    }
    return best;
}

} // namespace

int32_t ChooseGlFormat(const GlFormatRequest& request, std::span<const GlFormatCandidate> candidates)
{
    const int32_t first = FirstChoice(request, candidates);
    if (first < 0 || HasAllFlags(request, candidates[first]))
        return first;
    const int32_t best = BestWithAllFlags(request, candidates);
    return best >= 0 ? best : first;
}

#include "platform/gl/generic_rendering.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {
constexpr std::array<std::string_view, 3> kSoftwareRasterisers{"llvmpipe", "softpipe", "swrast"};
} // namespace

bool IsSoftwareRenderer(std::string_view renderer)
{
    std::string lowered(renderer);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(kSoftwareRasterisers.begin(), kSoftwareRasterisers.end(),
                       [&](std::string_view name) { return lowered.find(name) != std::string::npos; });
}

bool RendersOffscreenForGeneric(bool forceGeneric, std::string_view windowRenderer)
{
    // A renderer that could not be read leaves the window as it is: its own context still draws.
    return forceGeneric && !windowRenderer.empty() && !IsSoftwareRenderer(windowRenderer);
}

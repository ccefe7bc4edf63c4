#include "preview/fog_density.h"

#include "params/beamvista_pars.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kUniformStructure = 0.001f;
constexpr float kFullStructure = 0.999f;
constexpr int32_t kFixedOne = 65536;

int32_t HoldToByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    return value >= 255.0f ? 255 : static_cast<int32_t>(value);
}

} // namespace

FogDensityMap MakeFogDensityMap(const LBeamvistaPars& p)
{
    FogDensityMap map{};
    std::array<int32_t, 256> t{};
    for (int32_t i = 0; i < 256; ++i)
        t[i] = i;
    if (p.p0x91200 != 0) {
        const float mix = p.o_fog_cloud_mix;
        for (int32_t i = 0; i < 256; ++i) {
            const float power = std::pow(p.p0x91206, static_cast<float>(std::max(0, i - p.p0x91205)));
            const int32_t cloud = 255 - HoldToByte(255.0f * power);
            t[i] = HoldToByte((1.0f - mix) * static_cast<float>(t[i]) + mix * static_cast<float>(cloud));
        }
    }
    for (int32_t& value : t)
        value = HoldToByte(static_cast<float>(value) * p.p0x91207);
    const float s = p.o_fog_structure;
    if (!(s > kUniformStructure)) {
        t.fill(255);
    } else if (s < kFullStructure) {
        const auto v = static_cast<int32_t>(s * kFixedOne);
        const int32_t u = 255 - v * 255 / kFixedOne;
        for (int32_t& value : t)
            value = std::clamp(u + v * value / kFixedOne, 0, 255);
    }
    std::copy(t.begin(), t.end(), map.begin());
    return map;
}

std::vector<uint8_t> FogTexels(const FogDensityMap& map, const uint8_t* noise, int64_t count)
{
    std::vector<uint8_t> texels(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i)
        texels[static_cast<size_t>(i)] = map[noise[i]];
    return texels;
}

#include "preview/beam_clusters.h"

#include "preview/channel_geometry.h"

#include <algorithm>

namespace {
struct Cluster
{
    bool open = false;
    int32_t first = 0;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    int32_t count = 0;
};

float SquaredDistance(const LFrameOutPoint& a, const LFrameOutPoint& b)
{
    const float dx = float(a.x - b.x) * kLaserCoordinateScale;
    const float dy = float(a.y - b.y) * kLaserCoordinateScale;
    return dx * dx + dy * dy;
}

void Close(Cluster& cluster, int32_t minimumCount, const std::function<void(const DwellingBeam&)>& found)
{
    if (cluster.open && cluster.count > minimumCount) {
        const float share = 1.0f / float(cluster.count);
        found({cluster.first, cluster.r * share, cluster.g * share, cluster.b * share});
    }
    cluster = Cluster{};
}
} // namespace

void FindDwellingBeams(std::span<const LFrameOutPoint> run, float radius, int32_t minimumCount,
                       const std::function<void(const DwellingBeam&)>& found)
{
    constexpr float kByte = 1.0f / 255.0f;
    const float radiusSquared = radius * radius;
    Cluster cluster;
    for (size_t i = 0; i < run.size(); ++i) {
        const LFrameOutPoint& point = run[i];
        if (cluster.open && SquaredDistance(point, run[size_t(cluster.first)]) > radiusSquared)
            Close(cluster, minimumCount, found);
        if (i + 1 == run.size())
            break;
        const LFrameOutPoint& next = run[i + 1];
        if (!(next.shutterRamp > 0.0f))
            continue;
        // The light seen at this point: its own as the beam leaves, the next one's as it arrives.
        const float leaving = point.beamRamp * kByte;
        const float arriving = next.shutterRamp * kByte;
        const float r = std::max(point.red * leaving, next.red * arriving);
        const float g = std::max(point.green * leaving, next.green * arriving);
        const float b = std::max(point.blue * leaving, next.blue * arriving);
        if (!(r > 0.0f || g > 0.0f || b > 0.0f))
            continue;
        if (!cluster.open) {
            cluster.open = true;
            cluster.first = int32_t(i);
        }
        cluster.r += r;
        cluster.g += g;
        cluster.b += b;
        ++cluster.count;
    }
    Close(cluster, minimumCount, found);
}

#include "preview/point_frame.h"

#include "params/beamvista_pars.h"
#include "show/chan_out_pars.h"
#include "show/frame.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPointsPerSecondUnit = 1000.0f; // the scan rate parameter counts thousands
constexpr float kSlowestHoldRate = 1000.0f;
constexpr float kCentisecondsPerSecond = 100.0f;

} // namespace

PointFrameLook SequenceFrameLook(const LBeamvistaPars& pars)
{
    PointFrameLook look;
    look.rate = pars.p0x11100 * kPointsPerSecondUnit;
    look.colorDelay = pars.p0x11270;
    look.openTime = pars.p0x11280;
    look.closeTime = pars.p0x11290;
    return look;
}

int32_t SequenceItemHoldCs(const LBeamvistaPars& pars, int32_t points)
{
    const float rate = std::max(kSlowestHoldRate, pars.p0x11100 * kPointsPerSecondUnit);
    const float hold =
        static_cast<float>(std::max(0, points)) * kCentisecondsPerSecond / (rate * pars.p0x11110);
    // A hold factor of 0 or a broken value would hold an item for ever: the limit holds then too.
    if (!(hold < static_cast<float>(kLongestSequenceHoldCs)))
        return kLongestSequenceHoldCs;
    return static_cast<int32_t>(hold);
}

void BuildPointFrame(LFrame& frame, const LPic& points, const PointFrameLook& look)
{
    frame.Init();
    frame.BuildFromPoints(points, 0, look.rate, look.colorDelay, look.openTime, look.closeTime, 0, 0);
}

void SetPointFrameRectangle(LChanOutParsTable& table, const PointFrameLook& look)
{
    LChanOutParsPair& cell = table.entries[0];
    cell.xMin = -look.halfWidth;
    cell.xMax = look.halfWidth;
    cell.yMin = -look.halfHeight;
    cell.yMax = look.halfHeight;
}

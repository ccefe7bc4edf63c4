// Building a frame from a point list: Time and Header, then one command per point, with
// unchanged points folded into the count of the last Repeat or Attr.
#include "show/frame.h"

#include "show/frame_commands.h"
#include "conversion/lpic.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kBuildMinRate = 1000.0f;
constexpr float kBuildMaxRate = 255900.0f;
constexpr int32_t kMaxColorDelay = 255;
// A shutter ramp of time t gets the code 3.984375 / t; shorter ramps than this code nothing.
constexpr double kShortestRampTime = 0.01556396484375;
constexpr double kRampCodeTimes = 3.984375;
constexpr int32_t kMinRampCode = 3;
constexpr uint32_t kImmediateRampCode = 255;
constexpr double kFullDeflection = 32767.0;

uint32_t ShutterCode(float time)
{
    if (!(time > kShortestRampTime))
        return 0;
    return static_cast<uint32_t>(std::clamp(std::trunc(kRampCodeTimes / time), double(kMinRampCode), 255.0));
}

int32_t Coordinate(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int32_t>(std::trunc(std::clamp(v, -1.0, 1.0) * kFullDeflection));
}

uint32_t ColorComponent(int32_t c)
{
    return static_cast<uint32_t>(std::clamp(c, 0, 255));
}

uint32_t Color(const LPicEntry& e)
{
    return ColorComponent(e.color.red) << 16 | ColorComponent(e.color.green) << 8 |
           ColorComponent(e.color.blue);
}

uint32_t AttributeValue(const LPicEntry& e, bool blank)
{
    return (static_cast<uint32_t>(e.color.index) & kAttributeBits) | (blank ? kBlankAttribute : 0);
}

class FrameWriter
{
  public:
    explicit FrameWriter(LFrame& frame) : frame_(frame) {}

    void Put(uint32_t word) { frame_.words[count_++] = word; }
    int32_t Count() const { return count_; }

    void Point(int32_t x, int32_t y, uint32_t attribute, uint32_t color)
    {
        const bool moved = x != x_ || y != y_;
        const bool restyled = attribute != attribute_ || color != color_;
        if (moved && restyled) {
            Put(kOpMoveAttr | FrameInt16Field(x));
            Put(attribute | FrameInt16Field(y));
            Put(color);
            openCount_ = -1;
        } else if (restyled) {
            openCount_ = count_;
            Put(kOpAttr | 1u << 8 | attribute << 16);
            Put(color);
        } else if (moved) {
            Put(kOpMove | FrameInt16Field(x));
            Put(FrameInt16Field(y));
            openCount_ = -1;
        } else {
            Repeat();
        }
        x_ = x;
        y_ = y;
        attribute_ = attribute;
        color_ = color;
    }

    void Ramp(bool off, bool on)
    {
        if (off && rampOn_)
            PutRamp(false);
        else if (on && !rampOn_)
            PutRamp(true);
    }

  private:
    // Later points must not join a count word written before the ramp, or they would be
    // shown before the shutter changes.
    void PutRamp(bool on)
    {
        Put(on ? kOpRamp | kRampModeBit : kOpRamp);
        rampOn_ = on;
        openCount_ = -1;
    }

    void Repeat()
    {
        if (openCount_ < 0) {
            openCount_ = count_;
            Put(kOpRepeat | 1u << 8);
            return;
        }
        uint32_t& word = frame_.words[openCount_];
        const uint32_t n = FrameByte(word, 8) + 1;
        word = (word & ~(0xFFu << 8)) | n << 8;
        if (n == kMaxPointCount)
            openCount_ = -1;
    }

    LFrame& frame_;
    int32_t count_ = 0;
    int32_t x_ = 0;
    int32_t y_ = 0;
    uint32_t attribute_ = kBlankAttribute;
    uint32_t color_ = 0;
    int32_t openCount_ = -1; // the Repeat or Attr that unchanged points extend
    bool rampOn_ = false;
};
} // namespace

void LFrame::BuildFromPoints(const LPic& points, int64_t time, float rate, int32_t colorDelay, float openTime,
                             float closeTime, int32_t channel, int32_t subChannel)
{
    count = 0;
    const int32_t n = points.GetCount();
    if (n <= 0)
        return;

    rate = rate > kBuildMaxRate ? kBuildMaxRate : (rate >= kBuildMinRate ? rate : kBuildMinRate);
    colorDelay = std::clamp(colorDelay, 0, kMaxColorDelay);
    uint32_t openCode = ShutterCode(openTime);
    uint32_t closeCode = ShutterCode(closeTime);
    const bool rampControl = openCode != 0 || closeCode != 0;
    if (rampControl) {
        openCode = openCode ? openCode : kImmediateRampCode;
        closeCode = closeCode ? closeCode : kImmediateRampCode;
    }
    const uint64_t ticks = static_cast<uint64_t>(time > 0 ? time / kTimeTickMicroseconds : time);

    FrameWriter out(*this);
    out.Put(kOpTime);
    out.Put(static_cast<uint32_t>(ticks >> 24) & kFrameWordBits);
    out.Put(static_cast<uint32_t>(ticks) & kFrameWordBits);
    out.Put(kOpHeader | closeCode << 8 | openCode << 16);
    out.Put(static_cast<uint32_t>(static_cast<double>(rate) * kPointsPerSecondToRateWord) & kFrameWordBits);
    out.Put((static_cast<uint32_t>(subChannel) & 0xFF) | (static_cast<uint32_t>(channel) & 0xFF) << 8 |
            static_cast<uint32_t>(colorDelay) << 16);

    for (int32_t k = 0; k < n; ++k) {
        const LPicEntry& entry = points[k];
        // A segment takes the colour given with the point where it starts; the beam is
        // always dark on the way to the first point.
        const LPicEntry& style = points[k == 0 ? 0 : k - 1];
        const bool blank = k == 0 || style.blank != 0;
        out.Point(Coordinate(entry.x), Coordinate(entry.y), AttributeValue(style, blank), Color(style));
        if (rampControl)
            out.Ramp(entry.rampOff != 0, entry.rampOn != 0);
        if (out.Count() > kBuildLimit)
            break;
    }
    count = out.Count();
}

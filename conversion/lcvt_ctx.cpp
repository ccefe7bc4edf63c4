#include "conversion/lcvt_ctx.h"

#include <new>

namespace {

constexpr int32_t kValueLimit = 46;
constexpr int32_t kPictureLimit = 47;
constexpr int32_t kAllWhite = 81;
constexpr int32_t kWhitenDark = 82;
constexpr int32_t kDarkLevel = 84;
constexpr int32_t kHueOnlyTable = 85;
constexpr int32_t kHueMapping = 86;
constexpr int32_t kWriteBack = 87;
constexpr int32_t kSecondPalette = 88;
constexpr int32_t kThirdPalette = 89;

} // namespace

LCvtCtx::LCvtCtx()
{
    Reset();
}

bool LCvtCtx::IsOn(int32_t parameter) const
{
    return *Switch(parameter) != 0;
}

void LCvtCtx::Reset()
{
    stopped_ = 0;
    progress.fill(0);
    firstText = XAString();
    ClearCounters();
}

void LCvtCtx::ClearCounters()
{
    counters.fill(0);
}

void LCvtCtx::CheckLimit(int32_t item, int32_t limitParameter)
{
    const int32_t limit = *Int(limitParameter);
    if (limit != 0 && item >= limit) {
        Stop();
    }
}

bool LCvtCtx::OnPicture(int32_t item, const LPic& picture)
{
    if (IsStopped()) {
        return true;
    }
    if (WantsPicture(item)) {
        if (item == kUntouchedPictureItem) {
            PictureSink(item, picture);
        } else {
            // A copy that cannot be made is reported, never handed on as an empty picture.
            try {
                LPic copy(picture, 0);
                ApplyColorOptions(copy);
                PictureSink(item, copy);
            } catch (const std::bad_alloc&) {
                status_.SetOutOfMemory();
            }
        }
    }
    CheckLimit(item, kPictureLimit);
    return false;
}

bool LCvtCtx::OnValue(int32_t item, const void* value)
{
    if (IsStopped()) {
        return true;
    }
    if (WantsValue(item)) {
        ValueSink(item, value);
    }
    CheckLimit(item, kValueLimit);
    return false;
}

bool LCvtCtx::OnImage(int32_t item, const void* /*source*/, bool /*form*/, int32_t /*argument*/)
{
    if (IsStopped()) {
        return true;
    }
    // Asked as for any value; no image conversion exists here, so its empty result never reaches
    // the sink.
    static_cast<void>(WantsValue(item));
    CheckLimit(item, kValueLimit);
    return false;
}

bool LCvtCtx::WantsPicture(int32_t /*item*/)
{
    return false;
}

bool LCvtCtx::WantsValue(int32_t /*item*/)
{
    return false;
}

void LCvtCtx::PictureSink(int32_t /*item*/, const LPic& /*picture*/)
{
}

void LCvtCtx::ValueSink(int32_t /*item*/, const void* /*value*/)
{
}

void LCvtCtx::Notify(const std::array<int32_t, kNotifyArguments>& /*arguments*/)
{
}

void LCvtCtx::ApplyColorOptions(LPic& picture) const
{
    if (IsOn(kAllWhite)) {
        picture.SetWhite();
    } else if (IsOn(kWhitenDark)) {
        picture.ApplyColorOp(*Int(kDarkLevel));
    }
    const bool writeBack = IsOn(kWriteBack);
    // The hue mapping switch doubles as its brightness flag.
    const bool hue = IsOn(kHueMapping);
    if (hue) {
        if (IsOn(kThirdPalette)) {
            picture.MapColorsPalette3Hsv(writeBack, hue, false);
        } else if (IsOn(kSecondPalette)) {
            picture.MapColorsPalette2(writeBack);
        } else {
            picture.MapColorsPalette1Hsv(writeBack, hue, false);
        }
    } else if (IsOn(kThirdPalette)) {
        picture.MapColorsPalette3(writeBack);
    } else if (IsOn(kSecondPalette)) {
        picture.MapColorsPalette2(writeBack);
    } else {
        picture.MapColorsPalette1(IsOn(kHueOnlyTable), false);
    }
}

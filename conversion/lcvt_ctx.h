#pragma once
// The context of one frame conversion: a full parameter record plus the run-time state. A
// converter hands it pictures, values and images by item number; the context asks whether it
// wants each item, applies the record's colour options to a copy of a picture, passes it to a
// sink, and stops itself once an item number reaches the record's limit. Derived contexts
// override the predicates and sinks; the base wants nothing.

#include "foundation/errors/c_error.h"
#include "conversion/lcvt_pars.h"
#include "conversion/lpic.h"
#include "foundation/strings/xa_string.h"

#include <array>
#include <cstdint>

class LCvtCtx : public LCvtPars
{
  public:
    // The item that is passed to the picture sink as it came, without colour options.
    static constexpr int32_t kUntouchedPictureItem = 3;
    static constexpr int32_t kNotifyArguments = 12;

    LCvtCtx();
    LCvtCtx(const LCvtCtx&) = delete;
    LCvtCtx& operator=(const LCvtCtx&) = delete;
    virtual ~LCvtCtx() = default;

    // Each returns true when the context was stopped on entry, false otherwise.
    virtual bool OnPicture(int32_t item, const LPic& picture);
    virtual bool OnValue(int32_t item, const void* value);
    // No image conversion exists here: the result is always empty and never reaches the sink.
    virtual bool OnImage(int32_t item, const void* source, bool form, int32_t argument);

    virtual bool WantsPicture(int32_t item);
    virtual bool WantsValue(int32_t item);
    virtual void PictureSink(int32_t item, const LPic& picture);
    virtual void ValueSink(int32_t item, const void* value);
    virtual void Notify(const std::array<int32_t, kNotifyArguments>& arguments);

    void Reset();
    void ClearCounters();
    // Colour options of the record: whitening first, then one palette mapping.
    void ApplyColorOptions(LPic& picture) const;

    bool IsStopped() const { return stopped_ != 0; }
    void Stop() { stopped_ = 1; }
    const CError& Status() const { return status_; }

    int32_t spare = 0;
    std::array<int32_t, 5> progress{};
    std::array<int32_t, 2> counters{};
    XAString firstText;
    XAString secondText;
    int32_t spareEnd = 0;

  private:
    void CheckLimit(int32_t item, int32_t limitParameter);
    bool IsOn(int32_t parameter) const;

    uint8_t stopped_ = 0;
    CError status_;
};

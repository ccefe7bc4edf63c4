#include "conversion/cvt_par_handler.h"

#include "conversion/cvt_par_table.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_string.h"

namespace {

constexpr double kFineStep = 0.0; // stored as a hundredth of the step
constexpr bool kDefaultMarking = false;
constexpr bool kEnabled = true;

std::unique_ptr<LValueHandler> MakeInt(const CvtParDef& def)
{
    return std::make_unique<LValueHandlerT<LValueInt>>(
        LValueInt(static_cast<int32_t>(def.defaultValue), static_cast<int32_t>(def.minimum),
                  static_cast<int32_t>(def.maximum), def.step, kFineStep, kDefaultMarking, kEnabled));
}

std::unique_ptr<LValueHandler> MakeReal(const CvtParDef& def)
{
    return std::make_unique<LValueHandlerT<LValueDoubleFmt1>>(
        LValueDoubleFmt1(def.defaultValue, def.minimum, def.maximum, def.step, kFineStep, def.format.before,
                         def.format.after, def.format.extra));
}

std::unique_ptr<LValueHandler> MakeText(const CvtParDef& def)
{
    return std::make_unique<LValueHandlerT<LValueString>>(
        LValueString(def.text, kCvtTextMaxLength, kDefaultMarking, kEnabled));
}

} // namespace

std::unique_ptr<LValueHandler> MakeCvtParHandler(int32_t n)
{
    const CvtParDef& def = CvtParDefinition(n);
    if (def.number == 0) {
        return nullptr;
    }
    switch (def.kind) {
    case CvtParKind::kSwitch:
    case CvtParKind::kInteger:
        return MakeInt(def);
    case CvtParKind::kReal:
        return MakeReal(def);
    case CvtParKind::kText:
        break;
    }
    return MakeText(def);
}

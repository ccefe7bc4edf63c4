#include "params/beamvista_parameter_objects.h"

#include <array>

#include "params/beamvista_param_table.h"
#include "params/beamvista_pars.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler_prerequisites.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_string.h"

namespace {

constexpr int32_t kTextMaximumLength = 255;
constexpr bool kDefaultMarking = false; // turned on for all of them by the registration
constexpr bool kEnabled = true;

template <BeamvistaStorage S> struct HandlerTraits;
template <> struct HandlerTraits<BeamvistaStorage::Byte>
{
    using Value = LValueInt;
};
template <> struct HandlerTraits<BeamvistaStorage::Int32>
{
    using Value = LValueInt;
};
template <> struct HandlerTraits<BeamvistaStorage::Float>
{
    using Value = LValueDoubleFmt1;
};
template <> struct HandlerTraits<BeamvistaStorage::Text>
{
    using Value = LValueString;
};

template <BeamvistaStorage S>
typename HandlerTraits<S>::Value MakeValue(double def, double min, double max, double step, int32_t intDigits,
                                           int32_t fracDigits, int32_t width)
{
    if constexpr (S == BeamvistaStorage::Float)
        return LValueDoubleFmt1(def, min, max, step, kBeamvistaFineStep, intDigits, fracDigits, width);
    else if constexpr (S == BeamvistaStorage::Text)
        return LValueString("", kTextMaximumLength, kDefaultMarking, kEnabled);
    else
        return LValueInt(static_cast<int32_t>(def), static_cast<int32_t>(min), static_cast<int32_t>(max),
                         step, kBeamvistaFineStep, kDefaultMarking, kEnabled);
}

template <BeamvistaStorage S> using HandlerFor = LValueHandlerT<typename HandlerTraits<S>::Value>;

// Made before the handlers, so that they are destroyed after them: the default record and what
// a handler uses while it lives and when it goes.
struct Prerequisites : ValueHandlerPrerequisites
{
    Prerequisites() { BeamvistaDefaultPars(); }
};

// One member per parameter, declared in table order: members are built in declaration order and
// destroyed in reverse.
struct Objects : Prerequisites
{
#define ZYL_BEAMVISTA_ROW(field, name, storage, def, min, max, step, intDigits, fracDigits, width, ...)  \
    HandlerFor<BeamvistaStorage::storage> field{                                                         \
        MakeValue<BeamvistaStorage::storage>(def, min, max, step, intDigits, fracDigits, width)};
#include "params/beamvista_param_list.inc"
#undef ZYL_BEAMVISTA_ROW

#define ZYL_BEAMVISTA_ROW(field, ...) &field,
    const std::array<LValueHandler*, kBeamvistaParamCount> inOrder = {{
#include "params/beamvista_param_list.inc"
    }};
#undef ZYL_BEAMVISTA_ROW
};

Objects& TheObjects()
{
    static Objects objects;
    return objects;
}

// The set is complete before the program's own code runs.
[[maybe_unused]] const Objects& kBuiltAtStart = TheObjects();

} // namespace

LValueHandler& BeamvistaParameterObject(int32_t row)
{
    return *TheObjects().inOrder[row];
}

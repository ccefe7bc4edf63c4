#pragma once
// The table of the 132 preview parameters, one row per parameter in the fixed order, with the
// record field that holds it. Everything that walks the parameters walks this table.

#include <cstdint>
#include <span>

#include "params/beamvista_pars.h"
#include "params/beamvista_storage.h"

inline constexpr int32_t kBeamvistaParamCount = 132;
// Every parameter's fine step: each value then takes a hundredth of its step.
inline constexpr double kBeamvistaFineStep = 0.0;
// Row of o_bg0; member k of background n is the row kBeamvistaFirstBackgroundRow + 8 n + k.
inline constexpr int32_t kBeamvistaFirstBackgroundRow = 40;

// The record field of a row: exactly one of the four member pointers is set, the one of the
// row's storage.
struct BeamvistaField
{
    uint8_t LBeamvistaPars::*byteField = nullptr;
    int32_t LBeamvistaPars::*intField = nullptr;
    float LBeamvistaPars::*floatField = nullptr;
    XAString LBeamvistaPars::*textField = nullptr;
};

struct BeamvistaParamDef
{
    const char* name;
    BeamvistaStorage storage;
    // For a text: default empty, minimum 0, maximum the maximum length, step 0.
    double defaultValue;
    double minimum;
    double maximum;
    double step;
    double fineStep;
    int32_t intDigits;
    int32_t fracDigits;
    int32_t width;
    BeamvistaBlock block;
    int32_t tag;
    BeamvistaField field;
};

// All 132 rows in table order.
std::span<const BeamvistaParamDef, kBeamvistaParamCount> BeamvistaParamTable();

// Calls f with the row's record member pointer, typed by the row's storage.
template <class F> decltype(auto) WithBeamvistaMember(const BeamvistaParamDef& def, F&& f)
{
    switch (def.storage) {
    case BeamvistaStorage::Byte:
        return f(def.field.byteField);
    case BeamvistaStorage::Int32:
        return f(def.field.intField);
    case BeamvistaStorage::Float:
        return f(def.field.floatField);
    case BeamvistaStorage::Text:
        break;
    }
    return f(def.field.textField);
}

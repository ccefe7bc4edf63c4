// Moving a record between the plain fields and the global parameter handlers.
#include "params/beamvista_pars.h"

#include "params/beamvista_param_table.h"
#include "params/beamvista_parameter_objects.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"

namespace {

constexpr uint32_t kRecordWriteFlags = LValueMsg::kFlagsRecordWrite;

void ReadFrom(LBeamvistaPars& pars, LValue& (*valueOf)(LValueHandler&))
{
    const auto table = BeamvistaParamTable();
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row) {
        const BeamvistaParamDef& def = table[row];
        const LValue& value = valueOf(BeamvistaParameterObject(row));
        switch (def.storage) {
        case BeamvistaStorage::Byte:
            pars.*def.field.byteField = value.GetInt(LValueModifyMsg::kItemValue) != 0 ? 1 : 0;
            break;
        case BeamvistaStorage::Int32:
            pars.*def.field.intField = value.GetInt(LValueModifyMsg::kItemValue);
            break;
        case BeamvistaStorage::Float:
            pars.*def.field.floatField = NarrowToFloat(value.GetDouble(LValueModifyMsg::kItemValue));
            break;
        case BeamvistaStorage::Text:
            pars.*def.field.textField = value.GetString(LValueModifyMsg::kItemValue);
            break;
        }
    }
}

LValue& OwnerValue(LValueHandler& handler)
{
    return *handler.GetOwnerValue();
}
LValue& CurrentValue(LValueHandler& handler)
{
    return *handler.GetCurrentValue();
}

// Sends one field to its handler as the given item; the result is not looked at, since the
// quiet flag clamps what is out of range and no send may stop the others.
void SendField(const LBeamvistaPars& pars, const BeamvistaParamDef& def, LValueHandler& handler, int32_t item)
{
    LValueModifyMsgToReceiver to(handler.AsReceiver());
    switch (def.storage) {
    case BeamvistaStorage::Byte:
        to.SendInt(kRecordWriteFlags, pars.*def.field.byteField != 0 ? 1 : 0, item);
        break;
    case BeamvistaStorage::Int32:
        to.SendInt(kRecordWriteFlags, pars.*def.field.intField, item);
        break;
    case BeamvistaStorage::Float:
        to.SendDouble(kRecordWriteFlags, pars.*def.field.floatField, item);
        break;
    case BeamvistaStorage::Text:
        to.SendString(kRecordWriteFlags, pars.*def.field.textField, item);
        break;
    }
}

} // namespace

void LBeamvistaPars::ReadFromParameters()
{
    ReadFrom(*this, OwnerValue);
}

void LBeamvistaPars::ReadNewFromParameters()
{
    ReadFrom(*this, CurrentValue);
}

void LBeamvistaPars::ApplyToParameters(uint32_t mask) const
{
    const LValueModifyMsgTx group(kRecordWriteFlags);
    const auto table = BeamvistaParamTable();
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row) {
        if (SelectsBlock(mask, table[row].block))
            SendField(*this, table[row], BeamvistaParameterObject(row), LValueModifyMsg::kItemValue);
    }
}

void LBeamvistaPars::MakeDefault() const
{
    if (this != &BeamvistaDefaultPars())
        BeamvistaDefaultPars() = *this;
    const LValueModifyMsgTx group(kRecordWriteFlags);
    const auto table = BeamvistaParamTable();
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row)
        SendField(*this, table[row], BeamvistaParameterObject(row), LValueModifyMsg::kItemDefault);
}

#include "params/beamvista_registration.h"

#include "params/beamvista_opengl_defaults.h"
#include "params/beamvista_param_table.h"
#include "params/internal/beamvista_parameter_key.h"
#include "params/beamvista_parameter_objects.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"

namespace {

bool& RegisteredFlag()
{
    static bool registered = false;
    return registered;
}

// Every preview parameter shows in the user interface whether it is at its default, and offers
// a reset to it.
void MarkDefaults()
{
    const LValueModifyMsgTx group(LValueMsg::kFlagsRecordWrite);
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row) {
        LValueModifyMsgToReceiver to(BeamvistaParameterObject(row).AsReceiver());
        to.SendBool(LValueMsg::kFlagsRecordWrite, true, LValueModifyMsg::kItemDefaultMark);
    }
}

} // namespace

bool BeamvistaParametersRegistered()
{
    return RegisteredFlag();
}

void RegisterBeamvistaParameters(LMsgRegistryNode* registry)
{
    if (RegisteredFlag())
        return;
    const auto table = BeamvistaParamTable();
    // A connection that fails leaves that parameter unnamed; the others go on.
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row)
        BeamvistaParameterObject(row).ConnectRegistry(BeamvistaParameterKey(table[row].name).CStr(),
                                                      registry);
    MarkDefaults();
    RegisteredFlag() = true;
    if (!BeamvistaRegistryBase().IsEmpty())
        ApplyBeamvistaOpenGlDefaults();
}

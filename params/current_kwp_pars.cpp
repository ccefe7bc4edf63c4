#include "params/current_kwp_pars.h"

#include "params/internal/beamvista_parameter_key.h"
#include "params/beamvista_parameter_objects.h"
#include "params/beamvista_registration.h"

LCurrentKWPPars& LCurrentKWPPars::Instance()
{
    // The handlers exist before it, so they are still there while it goes.
    BeamvistaParameterObject(0);
    static LCurrentKWPPars instance;
    return instance;
}

const LBeamvistaPars& LCurrentKWPPars::Get()
{
    LCurrentKWPPars& current = Instance();
    if (!current.bound_)
        current.Bind();
    return current.pars_;
}

void LCurrentKWPPars::Bind()
{
    RegisterBeamvistaParameters();
    registryRef_.Attach(static_cast<LMsgReceiverMS*>(this), BeamvistaParameterKey(""), nullptr);
    bound_ = true;
    pars_.ReadFromParameters();
}

bool LCurrentKWPPars::Receive(LMsg& msg)
{
    return LValueNotifyMsgDecoder::Receive(msg);
}

void LCurrentKWPPars::OnDone(LValueNotifyMsg& msg)
{
    OnParameterChangeDone(msg);
}

void LCurrentKWPPars::OnParameterChangeDone(LValueNotifyMsg& msg)
{
    pars_.ReadFromParameters();
}

#pragma once
// LCurrentKWPPars: keeps one LBeamvistaPars equal to the committed values of the preview
// parameter handlers, for code without a preview of its own (the dialog of the global defaults,
// the control). From its first use on it listens to the registry node of all preview parameters
// and refills its record after every completed change.

#include "params/beamvista_pars.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_from_ref.h"
#include "messaging/value_notify_msg_decoder.h"

class LCurrentKWPPars : public LMsgReceiverMS, public LValueNotifyMsgDecoder
{
  public:
    // The current set. The first call registers the parameters, connects to their node and
    // fills the record; the reference stays valid and follows every completed change.
    static const LBeamvistaPars& Get();

    // Hands notifications to the decoder part.
    bool Receive(LMsg& msg) override;
    // A completed change (kDone): the record is filled again from the handlers.
    void OnParameterChangeDone(LValueNotifyMsg& msg);

  protected:
    void OnDone(LValueNotifyMsg& msg) override;

  private:
    LCurrentKWPPars() = default;
    static LCurrentKWPPars& Instance();
    void Bind();

    bool bound_ = false;
    LMsgRegistryFromRef registryRef_;
    LBeamvistaPars pars_;
};

#pragma once
// LCvtParsDependencyChecker: keeps dependent conversion parameters in step with the ones they
// derive from. When a watched value is changed from a control (flag 0x8), it writes new values
// into the parameters that follow it, and it lets only one of the switches 16, 18 and 19 be on.
// Its references carry no names and nothing in the system binds them, so the process-wide
// checker never acts; binding them (Attach) is for tests.

#include "conversion/lcvt_pars.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_from_ref.h"
#include "messaging/value_handler_from_ref.h"
#include "messaging/value_notify_msg_decoder.h"

#include <cstdint>
#include <functional>

class LValueHandler;

class LCvtParsDependencyChecker : public LMsgReceiverMS, public LValueNotifyMsgDecoder
{
  public:
    // The handler of conversion parameter n (1 to 354).
    using ParameterLookup = std::function<LValueHandler&(int32_t n)>;

    // `reference` holds the defaults the rules derive from; both must outlive the checker.
    LCvtParsDependencyChecker(const LCvtPars& reference, ParameterLookup parameters);
    // The references go first, the exclusive-switch one before the watches, last watch first.
    ~LCvtParsDependencyChecker() override = default;

    // Every message goes to the notification decoder.
    bool Receive(LMsg& msg) override;
    // A value changed (notification kind kChanged).
    void OnValueNotify(LValueNotifyMsg& msg);

    LMsgReceiverInterface* AsReceiver() { return static_cast<LMsgReceiverMS*>(this); }

    // While false, notifications are ignored.
    bool Enabled = true;

  private:
    void OnChanged(LValueNotifyMsg& msg) override;

    void FollowThreshold(uint32_t flags);
    void FollowSpreadFirst(LValueHandler& changed, uint32_t flags);
    void FollowEntrySecond(uint32_t flags);
    void FollowEntryCount(uint32_t flags);
    void KeepOneSwitchOn(uint32_t flags);

    // A modify message of the target's kind to parameter n; the result is dropped.
    void Write(int32_t n, double value, uint32_t flags);

    const LCvtPars& reference_;
    ParameterLookup parameters_;

  public:
    // Declared last so that they go first, in the reverse of this order.
    LValueHandlerFromRef WatchRef1;
    LValueHandlerFromRef WatchRef2;
    LValueHandlerFromRef WatchRef3;
    LValueHandlerFromRef WatchRef4;
    LValueHandlerFromRef WatchRef5;
    LValueHandlerFromRef WatchRef6;
    LMsgRegistryFromRef ExclusiveSwitchRef;
};

#pragma once
// LValueHandler: the live object behind one parameter. It owns a typed value, is connected both
// ways to the registry node of the parameter's key, takes modify messages, runs each change in
// a value transaction on a working copy of its value, and tells its receivers of the change.
//
// Readers read the owner value, which holds the committed data. Inside a transaction the current
// value is the working copy holding the pending data, so that a receiver of the kind-0 change
// notification can compare the two.

#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/register_value_dependants_msg_encoder.h"
#include "messaging/value.h"
#include "messaging/value_context_msg.h"
#include "messaging/value_context_msg_decoder.h"
#include "messaging/value_modify_msg_decoder.h"
#include "messaging/value_notify_msg_encoder.h"

class LMsgRegistryNode;
class LValueTx;

class LValueHandler : public LMsgReceiverMS,
                      public LValueModifyMsgDecoder,
                      public LValueContextMsgDecoder,
                      public LMsgDistributor,
                      public LValueNotifyMsgEncoder,
                      public LRegisterValueDependantsMsgEncoder
{
  public:
    // The value is both owner and current value.
    explicit LValueHandler(LValue* value);
    // The distributor lets go of the receivers first, then the receiver part of its sources.
    ~LValueHandler() override = default;

    // Connects the handler both ways to the node of that name (found or created below the node
    // given, the registry root for null); true when both connections stand.
    bool ConnectRegistry(const char* name, LMsgRegistryNode* registry);

    // Offered to the modify decoder first, then to the context decoder.
    bool Receive(LMsg& msg) override;
    // Notifications and register-dependants messages go to all the handler's receivers.
    bool Send(LMsg& msg) override;

    // A working copy when the handler has none yet; false when it cannot be made.
    virtual bool EnsureWorkingCopy();
    virtual LValueTx& GetTransaction();
    virtual bool MakeWorkingCopy() = 0;
    // Copies the working copy into the owner value and drops it; false without one.
    virtual bool CommitWorkingCopy() = 0;
    // Drops the working copy; the owner value is current again.
    virtual bool DiscardWorkingCopy() = 0;

    LValue* GetOwnerValue() const { return ownerValue_; }
    LValue* GetCurrentValue() const { return currentValue_; }
    LMsgReceiverInterface* AsReceiver() { return static_cast<LMsgReceiverMS*>(this); }
    LMsgSourceInterface* AsSource() { return static_cast<LMsgDistributor*>(this); }

  protected:
    void SetCurrentValue(LValue* value) { currentValue_ = value; }

    // The modify decoder: a query finds this handler; every change runs in a transaction level.
    void Query(LValueModifyMsg& msg) override;
    bool Dispatch(LValueModifyMsg& msg) override;

    // The transaction's instructions.
    void OnChanged(LValueContextMsg& msg) override;
    void OnCommit(LValueContextMsg& msg) override;
    void OnRollBack(LValueContextMsg& msg) override;
    void OnRollBackDone(LValueContextMsg& msg) override;
    void OnCommitDone(LValueContextMsg& msg) override;

  private:
    LValue* ownerValue_;
    LValue* currentValue_;
};

#pragma once
// LValueTxInterface: the part of a value transaction that travels in messages. A changed
// handler's register-dependants message reaches the registry nodes of its key, which enrol the
// observers of every enclosing branch through it for the transaction's final notifications.

class LMsgReceiverInterface;

class LValueTxInterface
{
  public:
    // Enrols a receiver for the final notifications; false when the transaction refuses it
    // (not collecting, or the receiver is enrolled already).
    virtual bool AddNotifyReceiver(LMsgReceiverInterface* receiver) = 0;

  protected:
    ~LValueTxInterface() = default;
};

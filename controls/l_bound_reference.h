// What every parameter-bound control shares: the two-way reference by name to its value handler,
// the receiver through which the handler's notifications reach the control (it refreshes once
// per completed change), and the readings of the value that the controls ask for.
#pragma once

#include "foundation/strings/xa_string.h"
#include "messaging/msg_receiver.h"
#include "messaging/value.h"
#include "messaging/value_handler_bi_ref.h"
#include "messaging/value_notify_msg_decoder.h"

#include <functional>

class LMsgRegistryNode;

class LBoundReference : public LMsgReceiverInterface, public LValueNotifyMsgDecoder
{
  public:
    // `refresh` runs for every completed change.
    explicit LBoundReference(std::function<void()> refresh) : refresh_(std::move(refresh)) {}

    // Attaches to the handler of the name (relative to the context node; null: the registry
    // root), detaching from the one before.
    void Attach(const XAString& name, LMsgRegistryNode* context);

    bool Receive(LMsg& msg) override { return LValueNotifyMsgDecoder::Receive(msg); }
    void OnDone(LValueNotifyMsg& msg) override { refresh_(); }

    // The value as it stands now: the fallback handler's inert value for an unknown name.
    const LValue& Value();
    // Not marked with a default, or equal to it.
    bool IsAtDefault();
    bool HasDefault() { return Value().IsDefaultMarked(); }
    bool IsEnabled() { return Value().IsEnabled(); }
    // Integer or real.
    bool IsNumeric();
    LValueHandlerBiRef& Ref() { return ref_; }
    // The handler the name led to: the fallback handler for an unknown name.
    LValueHandler* Handler() { return ref_.GetHandler(); }

  private:
    std::function<void()> refresh_;
    LValueHandlerBiRef ref_;
};

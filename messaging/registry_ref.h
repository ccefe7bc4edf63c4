#pragma once
// LMsgRegistryRef: a reference to a registry node by name that connects lazily. It keeps the
// name, the registry to look it up in (null: the root) and whether it is connected; the three
// kinds (to, from and both ways) say what connecting means.

#include "messaging/msg_source_sr.h"
#include "foundation/strings/xa_string.h"

class LMsgRegistryNode;

class LMsgRegistryRef
{
  public:
    LMsgRegistryRef() = default;
    LMsgRegistryRef(const LMsgRegistryRef&) = delete;
    LMsgRegistryRef& operator=(const LMsgRegistryRef&) = delete;
    virtual ~LMsgRegistryRef() = default;

    virtual void Disconnect() = 0;
    virtual bool Connect() = 0;
    // Forgets the connected state; the next use connects again.
    virtual void Reset() { connected_ = false; }

    // Names the node to connect to and connects. The same name (in any letter case) and registry
    // while connected only connects again.
    bool Bind(const XAString& name, LMsgRegistryNode* registry);

    bool IsConnected() const noexcept { return connected_; }
    const XAString& Name() const noexcept { return name_; }
    // The registry the name is looked up in; never null.
    LMsgRegistryNode* Registry() const;

  protected:
    bool connected_ = false;

  private:
    XAString name_;
    LMsgRegistryNode* registry_ = nullptr;
};

// The source through which a reference reaches its node: losing its receiver resets the
// reference, so the next use connects again.
class LMsgRegistryRefSourceSR : public LMsgSourceSR
{
  public:
    explicit LMsgRegistryRefSourceSR(LMsgRegistryRef& owner) noexcept : owner_(owner) {}

    using LMsgSourceSR::Disconnect;
    bool Disconnect(LMsgReceiverInterface* receiver) override;

  private:
    LMsgRegistryRef& owner_;
};

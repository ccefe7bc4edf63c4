#pragma once
// LMsgRegistryNode: a named message node in the registry tree, through which senders and
// receivers find each other by a dotted key ("Beamvista.fog.speed") instead of by pointer. A node
// is a receiver and a distributor at once: whatever it receives it passes on to all its
// receivers, with itself recorded as sender.
//
// Nodes are made on demand by the first lookup of a key and live in counted blocks of their own.
// A node in use (with a child, a source or a receiver) holds a reference to its own block; when
// it loses its last use and nobody else holds its block, it goes, and so may its parents. Every
// public operation holds the block as well, so a node outlives the operation in which its last
// partner lets go of it (a receiver that disconnects while the node is sending to it).
//
// Key components compare through the system case fold; a key looked up from the root may start
// with one "."; an empty rest of the key names the node where the walk stands.

#include "foundation/strings/h_array.h"
#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/register_value_dependants_msg_decoder.h"
#include "foundation/strings/xa_block.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>
#include <utility>

class LMsgRegistryNode : public LMsgReceiverMS,
                         public LMsgDistributor,
                         public LRegisterValueDependantsMsgDecoder
{
  public:
    // A node of its own, outside any block: the root of a registry.
    explicit LMsgRegistryNode(const XAString& name);
    ~LMsgRegistryNode() override;

    // The node the key names, starting at `node` (null: the root), made with its missing parents
    // when it does not exist. `holder` gets a reference to the node's block, which keeps it alive
    // for the caller. Null when the key's first component does not name the start node or a node
    // cannot be made.
    static LMsgRegistryNode* Find(LMsgRegistryNode* node, const char* key, XABlock& holder);
    // Connects a receiver to the named node.
    static bool ConnectReceiver(LMsgRegistryNode* registry, const char* key, LMsgReceiverInterface* receiver,
                                int32_t priority);
    // Connects the named node as a receiver of the source.
    static bool ConnectToSource(LMsgRegistryNode* registry, const char* key, LMsgSourceInterface* source);
    // Both: the receiver to the node, then the node to the source; when the source refuses, the
    // first connection is undone.
    static bool ConnectBothWays(LMsgRegistryNode* registry, const char* key, LMsgReceiverInterface* receiver,
                                int32_t priority, LMsgSourceInterface* source);

    // A register-dependants message is taken here; any other message goes on to every receiver.
    // True.
    bool Receive(LMsg& msg) override;
    bool SourceConnected(LMsgSourceInterface* source) override;
    void SourceDisconnected(LMsgSourceInterface* source) override;
    bool Connect(LMsgReceiverInterface* receiver, int32_t priority) override;
    bool Disconnect(LMsgReceiverInterface* receiver) override;
    void DisconnectAll() override;
    bool Dispatch(LMsg& msg) override;
    bool Send(LMsg& msg) override;
    // Enrols every ancestor (not the node itself) in the message's transaction, up to the root or
    // the first refusal.
    void OnRegister(LRegisterValueDependantsMsg& msg) override;

    const XAString& Name() const noexcept { return name_; }
    LMsgRegistryNode* Parent() const noexcept { return parent_; }
    int32_t ChildCount() const noexcept { return children_.GetSize(); }
    LMsgRegistryNode* ChildAt(int32_t index) const noexcept { return children_[index]; }

  private:
    static constexpr int32_t kChildrenGrowBy = 4;

    // The key behind this node's name and one "."; null when the name does not match.
    const char* SkipName(const char* key) const noexcept;
    // The child the key's next component names, made when there is none; null when it cannot be.
    LMsgRegistryNode* ChildFor(const char* key, XABlock& holder);
    LMsgRegistryNode* NewChild(const char* key, XABlock& holder);
    void RemoveChild(LMsgRegistryNode* child);
    // A reference to the own block for the length of an operation (none for a registry root).
    XABlock Hold() const noexcept { return XABlock::Share(ownBlock_); }
    void UpdateKeepAlive();

    // Keeps the node alive while a message passes through it. A node in use holds its own block
    // already, so the pass only puts off dropping that hold to its end, instead of taking a
    // reference of its own: an interlocked operation on every message that a value change sends
    // through the registry. A node not in use is held for the pass.
    class Pass
    {
      public:
        explicit Pass(LMsgRegistryNode& node) noexcept;
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        // May destroy the node: the last thing a pass does.
        ~Pass();

      private:
        LMsgRegistryNode& node_;
        XABlock hold_;
    };

    XAString name_;
    LMsgRegistryNode* parent_ = nullptr;
    // The block this node lives in; null for a root.
    void* ownBlock_ = nullptr;
    XABlock keepAlive_;
    // Passes in progress; the keep-alive stays until the last one ends.
    int32_t passes_ = 0;
    // The node went out of use during a pass: the last one to end looks again.
    bool keepAliveDropPutOff_ = false;
    HArray<LMsgRegistryNode*> children_{kChildrenGrowBy};
};

// In line: every value change passes a few messages through its node.
inline LMsgRegistryNode::Pass::Pass(LMsgRegistryNode& node) noexcept : node_(node)
{
    if (!node.keepAlive_)
        hold_ = node.Hold();
    ++node.passes_;
}

inline LMsgRegistryNode::Pass::~Pass()
{
    if (--node_.passes_ == 0 && std::exchange(node_.keepAliveDropPutOff_, false))
        node_.UpdateKeepAlive();
}

// The registry: one root with an empty name, made on first use and never destroyed, so static
// handlers and references may use it until the process ends.
LMsgRegistryNode* LMsgRegistryRoot();

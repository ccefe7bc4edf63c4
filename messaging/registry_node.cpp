#include "messaging/registry_node.h"

#include "foundation/strings/never_destroyed.h"
#include "messaging/msg.h"
#include "messaging/register_value_dependants_msg.h"
#include "foundation/text/text_compare.h"
#include "messaging/value_tx_interface.h"

#include <cstring>
#include <utility>

namespace {

constexpr char kSeparator = '.';

LMsgRegistryNode* OrRoot(LMsgRegistryNode* registry)
{
    return registry ? registry : LMsgRegistryRoot();
}

// Length of the key's next component: its first character always belongs to it, whatever it is,
// and it runs up to the next separator or the end.
int32_t ComponentLength(const char* key)
{
    return 1 + static_cast<int32_t>(std::strcspn(key + 1, "."));
}

} // namespace

LMsgRegistryNode* LMsgRegistryRoot()
{
    static XNeverDestroyed<LMsgRegistryNode> root{XAString()};
    return &root.Get();
}

LMsgRegistryNode::LMsgRegistryNode(const XAString& name) : name_(name)
{
}

LMsgRegistryNode::~LMsgRegistryNode()
{
    if (parent_)
        parent_->RemoveChild(this);
    for (int32_t i = 0; i < children_.GetSize(); ++i)
        children_[i]->parent_ = nullptr;
}

LMsgRegistryNode* LMsgRegistryNode::Find(LMsgRegistryNode* node, const char* key, XABlock& holder)
{
    node = OrRoot(node);
    XABlock current = node->Hold();
    const char* rest = node->SkipName(key ? key : "");
    while (rest && *rest) {
        node = node->ChildFor(rest, current);
        rest = node ? node->SkipName(rest) : nullptr;
    }
    if (!rest) {
        holder.Clear();
        return nullptr;
    }
    holder = std::move(current);
    return node;
}

bool LMsgRegistryNode::ConnectReceiver(LMsgRegistryNode* registry, const char* key,
                                       LMsgReceiverInterface* receiver, int32_t priority)
{
    XABlock holder;
    LMsgRegistryNode* node = Find(registry, key, holder);
    return node && node->Connect(receiver, priority);
}

bool LMsgRegistryNode::ConnectToSource(LMsgRegistryNode* registry, const char* key,
                                       LMsgSourceInterface* source)
{
    XABlock holder;
    LMsgRegistryNode* node = Find(registry, key, holder);
    return node && source->Connect(node, 0);
}

bool LMsgRegistryNode::ConnectBothWays(LMsgRegistryNode* registry, const char* key,
                                       LMsgReceiverInterface* receiver, int32_t priority,
                                       LMsgSourceInterface* source)
{
    XABlock holder;
    LMsgRegistryNode* node = Find(registry, key, holder);
    if (!node || !node->Connect(receiver, priority))
        return false;
    if (source->Connect(node, 0))
        return true;
    node->Disconnect(receiver);
    return false;
}

// One pass for the whole way through: the node's own Send and Dispatch would each begin another.
bool LMsgRegistryNode::Receive(LMsg& msg)
{
    const Pass pass(*this);
    if (!LRegisterValueDependantsMsgDecoder::Receive(msg)) {
        LMsgSenderScope scope(msg, SenderID());
        LMsgDistributor::Dispatch(msg);
    }
    return true;
}

bool LMsgRegistryNode::SourceConnected(LMsgSourceInterface* source)
{
    const XABlock hold = Hold();
    const bool connected = LMsgReceiverMS::SourceConnected(source);
    UpdateKeepAlive();
    return connected;
}

void LMsgRegistryNode::SourceDisconnected(LMsgSourceInterface* source)
{
    const XABlock hold = Hold();
    LMsgReceiverMS::SourceDisconnected(source);
    UpdateKeepAlive();
}

bool LMsgRegistryNode::Connect(LMsgReceiverInterface* receiver, int32_t priority)
{
    const XABlock hold = Hold();
    const bool connected = LMsgDistributor::Connect(receiver, priority);
    UpdateKeepAlive();
    return connected;
}

bool LMsgRegistryNode::Disconnect(LMsgReceiverInterface* receiver)
{
    const XABlock hold = Hold();
    const bool disconnected = LMsgDistributor::Disconnect(receiver);
    UpdateKeepAlive();
    return disconnected;
}

void LMsgRegistryNode::DisconnectAll()
{
    const XABlock hold = Hold();
    LMsgDistributor::DisconnectAll();
    UpdateKeepAlive();
}

bool LMsgRegistryNode::Dispatch(LMsg& msg)
{
    const Pass pass(*this);
    return LMsgDistributor::Dispatch(msg);
}

bool LMsgRegistryNode::Send(LMsg& msg)
{
    const Pass pass(*this);
    return LMsgDistributor::Send(msg);
}

void LMsgRegistryNode::OnRegister(LRegisterValueDependantsMsg& msg)
{
    if (!msg.transaction)
        return;
    const Pass pass(*this);
    for (LMsgRegistryNode* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
        if (!msg.transaction->AddNotifyReceiver(ancestor))
            return;
    }
}

const char* LMsgRegistryNode::SkipName(const char* key) const noexcept
{
    const int32_t length = name_.Length();
    const char* name = name_.CStr();
    for (int32_t i = 0; i < length; ++i) {
        if (FoldChar(static_cast<unsigned char>(key[i])) != FoldChar(static_cast<unsigned char>(name[i])))
            return nullptr;
    }
    const char* rest = key + length;
    if (*rest == kSeparator)
        return rest + 1;
    return length == 0 || *rest == '\0' ? rest : nullptr;
}

LMsgRegistryNode* LMsgRegistryNode::ChildFor(const char* key, XABlock& holder)
{
    for (int32_t i = 0; i < children_.GetSize(); ++i) {
        LMsgRegistryNode* child = children_[i];
        if (child->SkipName(key)) {
            holder = child->Hold();
            return child;
        }
    }
    return NewChild(key, holder);
}

LMsgRegistryNode* LMsgRegistryNode::NewChild(const char* key, XABlock& holder)
{
    const int32_t length = ComponentLength(key);
    const XAString name(key, length);
    if (name.Length() != length)
        return nullptr;
    XABlock block;
    LMsgRegistryNode* child = block.NewObject<LMsgRegistryNode>(name);
    if (!child)
        return nullptr;
    child->ownBlock_ = block.Data();
    if (!children_.Append(child))
        return nullptr;
    child->parent_ = this;
    UpdateKeepAlive();
    holder = std::move(block);
    return child;
}

void LMsgRegistryNode::RemoveChild(LMsgRegistryNode* child)
{
    const XABlock hold = Hold();
    for (int32_t i = children_.GetSize(); i-- > 0;) {
        if (children_[i] == child) {
            children_.RemoveAt(children_.IterAt(i), 1);
            break;
        }
    }
    UpdateKeepAlive();
}

void LMsgRegistryNode::UpdateKeepAlive()
{
    if (!ownBlock_)
        return;
    const bool inUse = ChildCount() > 0 || SourceCount() > 0 || FirstReceiver();
    if (!inUse) {
        // Dropped when the last pass ends.
        keepAliveDropPutOff_ = passes_ > 0;
        if (passes_ == 0)
            keepAlive_.Clear();
    } else if (!keepAlive_) {
        keepAlive_ = XABlock::Share(ownBlock_);
    }
}


#include "messaging/registry_node.h"

#include "messaging/msg_distributor.h"
#include "messaging/register_value_dependants_msg.h"
#include "messaging/test_support/scripted_receiver.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_tx_interface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The names from the registry's root down to the node, joined by "/".
std::string PathOf(const LMsgRegistryNode* node)
{
    std::string path;
    for (; node && node->Parent(); node = node->Parent())
        path = node->Name().CStr() + (path.empty() ? "" : "/" + path);
    return path;
}

// Every node below `node`, depth first.
int CountBelow(const LMsgRegistryNode* node)
{
    int count = 0;
    for (int32_t i = 0; i < node->ChildCount(); ++i)
        count += 1 + CountBelow(node->ChildAt(i));
    return count;
}

// A message sent straight into a node, as a source would.
void SendTo(LMsgRegistryNode* node, LMsg& msg)
{
    LValueModifyMsgTo(node).Send(msg);
}

// Stands in for a value handler: a receiver and a distributor, connected both ways to its node.
class FakeHandler : public LMsgReceiverMS, public LMsgDistributor
{
  public:
    bool Receive(LMsg&) override
    {
        ++received;
        return true;
    }
    int received = 0;
};

struct LookupCase
{
    const char* key;
    const char* path;
};

TEST(RegistryFind, KeysNameTheirNodes)
{
    LMsgRegistryNode registry{XAString()};
    XABlock speedHolder;
    LMsgRegistryNode* speed = LMsgRegistryNode::Find(&registry, "Beamvista.fog.speed", speedHolder);
    ASSERT_NE(speed, nullptr);

    const LookupCase cases[] = {
        {"Beamvista.fog.speed", "Beamvista/fog/speed"},
        {"beamvista.FOG.speed", "Beamvista/fog/speed"},
        {".Beamvista", "Beamvista"},
        {"Beamvista.fog.", "Beamvista/fog"},
        {"", ""},
        {"Beamvistas", "Beamvistas"},
        {"a..b", "a/.b"},
        {"\x84x", "\x84x"},
        {"\x8EX", "\x84x"},
    };
    std::vector<XABlock> holders;
    for (const LookupCase& c : cases) {
        holders.emplace_back();
        LMsgRegistryNode* node = LMsgRegistryNode::Find(&registry, c.key, holders.back());
        ASSERT_NE(node, nullptr) << c.key;
        EXPECT_EQ(PathOf(node), c.path) << c.key;
        EXPECT_EQ(node == speed, std::string(c.path) == "Beamvista/fog/speed") << c.key;
    }
    EXPECT_EQ(LMsgRegistryNode::Find(&registry, nullptr, holders.back()), &registry);
    EXPECT_FALSE(holders.back());
}

TEST(RegistryFind, FromANodeTheKeyStartsWithItsName)
{
    LMsgRegistryNode registry{XAString()};
    XABlock fogHolder, holder;
    LMsgRegistryNode* fog = LMsgRegistryNode::Find(&registry, "Beamvista.fog", fogHolder);
    ASSERT_NE(fog, nullptr);
    EXPECT_EQ(PathOf(LMsgRegistryNode::Find(fog, "FOG.speed", holder)), "Beamvista/fog/speed");
    EXPECT_EQ(LMsgRegistryNode::Find(fog, "smoke.speed", holder), nullptr);
    EXPECT_FALSE(holder);
    EXPECT_EQ(LMsgRegistryNode::Find(fog, "fogs", holder), nullptr);
    EXPECT_EQ(LMsgRegistryNode::Find(fog, "fog", holder), fog);
    EXPECT_EQ(CountBelow(&registry), 2);
}

TEST(RegistryFind, UnusedNodesDisappearWithTheirHolder)
{
    LMsgRegistryNode registry{XAString()};
    {
        XABlock holder;
        ASSERT_NE(LMsgRegistryNode::Find(&registry, "Beamvista.fog.speed", holder), nullptr);
        EXPECT_EQ(CountBelow(&registry), 3);
    }
    EXPECT_EQ(CountBelow(&registry), 0);
}

TEST(RegistryFind, NullRegistryIsTheRoot)
{
    XABlock holder;
    EXPECT_EQ(LMsgRegistryNode::Find(nullptr, "", holder), LMsgRegistryRoot());
    EXPECT_EQ(LMsgRegistryRoot(), LMsgRegistryRoot());
    LMsgRegistryNode* node = LMsgRegistryNode::Find(nullptr, "RegistryFindTest.leaf", holder);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Parent()->Parent(), LMsgRegistryRoot());
    holder.Clear();
    EXPECT_EQ(LMsgRegistryNode::Find(LMsgRegistryRoot(), "", holder), LMsgRegistryRoot());
    for (int32_t i = 0; i < LMsgRegistryRoot()->ChildCount(); ++i)
        EXPECT_NE(LMsgRegistryRoot()->ChildAt(i)->Name(), "RegistryFindTest");
}

TEST(RegistryNode, PassesOnWhatItReceivesButNotWhatItsChildrenReceive)
{
    LMsgRegistryNode registry{XAString()};
    EventLog log;
    ScriptedReceiver observer("O", log);
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "Beamvista", &observer, 0));
    XABlock holder;
    LMsgRegistryNode* fog = LMsgRegistryNode::Find(&registry, "Beamvista.fog", holder);
    LMsgRegistryNode* beamvista = fog->Parent();
    std::vector<LMsgSourceID*> senders;
    observer.onReceive = [&](LMsg& msg) { senders.push_back(msg.Sender()); };

    LMsg msg;
    SendTo(fog, msg);
    EXPECT_TRUE(senders.empty());
    SendTo(beamvista, msg);
    EXPECT_EQ(senders, std::vector<LMsgSourceID*>{static_cast<LMsgSourceID*>(beamvista)});
    EXPECT_EQ(msg.Sender(), nullptr);
}

TEST(RegistryNode, ConnectingBothWaysAndDestroyingTheHandler)
{
    LMsgRegistryNode registry{XAString()};
    EventLog log;
    ScriptedReceiver observer("O", log);
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "a", &observer, 0));
    auto handler = std::make_unique<FakeHandler>();
    ASSERT_TRUE(LMsgRegistryNode::ConnectBothWays(&registry, "a.b.c", handler.get(), 0, handler.get()));
    EXPECT_EQ(CountBelow(&registry), 3);

    // What the handler distributes reaches its node, and what is sent to the node the handler.
    XABlock holder;
    LMsgRegistryNode* leaf = LMsgRegistryNode::Find(&registry, "a.b.c", holder);
    EXPECT_TRUE(leaf->IsConnected(handler.get()));
    EXPECT_TRUE(handler->IsConnected(leaf));
    holder.Clear();

    handler.reset();
    EXPECT_EQ(CountBelow(&registry), 1);
}

TEST(RegistryNode, RefusedSecondConnectionIsUndone)
{
    class RefusingSource : public LMsgDistributor
    {
      public:
        bool Connect(LMsgReceiverInterface*, int32_t) override { return false; }
    } source;
    LMsgRegistryNode registry{XAString()};
    EventLog log;
    ScriptedReceiver receiver("R", log);
    EXPECT_FALSE(LMsgRegistryNode::ConnectBothWays(&registry, "x.y", &receiver, 0, &source));
    EXPECT_EQ(log.Take(), "+R -R");
    EXPECT_EQ(CountBelow(&registry), 0);
}

TEST(RegistryNode, SurvivesItsLastReceiverLeavingDuringItsSend)
{
    LMsgRegistryNode registry{XAString()};
    EventLog log;
    ScriptedReceiver first("A", log), second("B", log);
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "a.b", &first, 0));
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "a.b", &second, 0));
    XABlock holder;
    LMsgRegistryNode* node = LMsgRegistryNode::Find(&registry, "a.b", holder);
    holder.Clear();
    first.onReceive = [&](LMsg&) {
        node->Disconnect(&first);
        node->Disconnect(&second);
    };
    log.Take();
    LMsg msg;
    SendTo(node, msg);
    EXPECT_EQ(log.Take(), "A -A -B");
    EXPECT_EQ(CountBelow(&registry), 0);
}

TEST(RegistryNode, DisconnectAllDuringItsSend)
{
    LMsgRegistryNode registry{XAString()};
    EventLog log;
    ScriptedReceiver first("A", log), second("B", log);
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "a", &first, 0));
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "a", &second, 0));
    XABlock holder;
    LMsgRegistryNode* node = LMsgRegistryNode::Find(&registry, "a", holder);
    holder.Clear();
    first.onReceive = [&](LMsg&) { node->DisconnectAll(); };
    LMsg msg;
    SendTo(node, msg);
    EXPECT_EQ(log.Take(), "+A +B A -B -A");
    EXPECT_EQ(CountBelow(&registry), 0);
}

// Records which nodes a register-dependants message enrols, refusing from a given one on.
class EnrolmentLog : public LValueTxInterface
{
  public:
    bool AddNotifyReceiver(LMsgReceiverInterface* receiver) override
    {
        auto* node = dynamic_cast<LMsgRegistryNode*>(receiver);
        asked.push_back(node ? PathOf(node) : "?");
        return asked.size() < refuseAt;
    }
    std::vector<std::string> asked;
    size_t refuseAt = 100;
};

TEST(RegistryNode, RegisterDependantsEnrolsEveryAncestor)
{
    LMsgRegistryNode registry{XAString()};
    EventLog log;
    ScriptedReceiver receiver("R", log);
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(&registry, "a.b.c", &receiver, 0));
    XABlock holder;
    LMsgRegistryNode* leaf = LMsgRegistryNode::Find(&registry, "a.b.c", holder);

    EnrolmentLog transaction;
    LRegisterValueDependantsMsg msg(&transaction);
    SendTo(leaf, msg);
    EXPECT_EQ(transaction.asked, (std::vector<std::string>{"a/b", "a", ""}));
    // The message itself goes no further.
    EXPECT_EQ(log.Take(), "+R");

    EnrolmentLog refusing;
    refusing.refuseAt = 2;
    LRegisterValueDependantsMsg refused(&refusing);
    SendTo(leaf, refused);
    EXPECT_EQ(refusing.asked, (std::vector<std::string>{"a/b", "a"}));
}

} // namespace

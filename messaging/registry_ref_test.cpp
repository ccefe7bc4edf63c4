// References by name: to, from and both ways.

#include "messaging/registry_ref.h"

#include "messaging/registry_bi_ref.h"
#include "messaging/registry_from_ref.h"
#include "messaging/registry_node.h"
#include "messaging/registry_to_ref.h"
#include "messaging/test_support/scripted_receiver.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

int CountBelow(const LMsgRegistryNode* node)
{
    int count = 0;
    for (int32_t i = 0; i < node->ChildCount(); ++i)
        count += 1 + CountBelow(node->ChildAt(i));
    return count;
}

// An owner that records the sender of everything it receives.
struct Owner
{
    EventLog log;
    ScriptedReceiver receiver{"O", log};
    std::vector<LMsgSourceID*> senders;

    Owner()
    {
        receiver.onReceive = [this](LMsg& msg) { senders.push_back(msg.Sender()); };
    }
};

class CountingFromRef : public LMsgRegistryFromRef
{
  public:
    void Disconnect() override
    {
        ++disconnects;
        LMsgRegistryFromRef::Disconnect();
    }
    int disconnects = 0;
};

LMsgSourceID* IdOf(LMsgRegistryFromRef& ref)
{
    return static_cast<LMsgSourceID*>(&ref);
}

TEST(RegistryRef, ToRefReachesTheOwnerOfAFromRef)
{
    LMsgRegistryNode registry{XAString()};
    Owner owner;
    LMsgRegistryFromRef from;
    EXPECT_TRUE(from.Attach(&owner.receiver, "Beamvista.fog", &registry));
    EXPECT_TRUE(from.IsConnected());

    LMsgRegistryToRef to;
    LMsg msg;
    to.Send(msg);
    EXPECT_TRUE(owner.senders.empty());

    EXPECT_TRUE(to.Bind("BEAMVISTA.Fog", &registry));
    to.Send(msg);
    EXPECT_EQ(owner.senders, std::vector<LMsgSourceID*>{IdOf(from)});
    EXPECT_EQ(msg.Sender(), nullptr);
    EXPECT_EQ(CountBelow(&registry), 2);

    to.Disconnect();
    EXPECT_FALSE(to.IsConnected());
    from.Attach(nullptr, "Beamvista.fog", &registry);
    to.Send(msg);
    EXPECT_EQ(owner.senders.size(), 1u);
}

TEST(RegistryRef, BindWithTheSameNameInOtherCaseChangesNothing)
{
    LMsgRegistryNode registry{XAString()};
    Owner owner;
    CountingFromRef from;
    ASSERT_TRUE(from.Attach(&owner.receiver, "Beamvista.fog.speed", &registry));
    const int disconnects = from.disconnects;
    EXPECT_TRUE(from.Bind("beamvista.FOG.SPEED", &registry));
    EXPECT_EQ(from.disconnects, disconnects);

    // Another registry or another name connects anew; the old node goes.
    LMsgRegistryNode other{XAString()};
    EXPECT_TRUE(from.Bind("beamvista.FOG.SPEED", &other));
    EXPECT_EQ(from.disconnects, disconnects + 1);
    EXPECT_EQ(CountBelow(&registry), 0);
    EXPECT_TRUE(from.Bind("Beamvista.smoke", &other));
    EXPECT_EQ(CountBelow(&other), 2);
}

TEST(RegistryRef, LosingItsNodeResetsTheReference)
{
    LMsgRegistryNode registry{XAString()};
    Owner owner;
    LMsgRegistryFromRef from;
    ASSERT_TRUE(from.Attach(&owner.receiver, "a", &registry));
    XABlock holder;
    LMsgRegistryNode::Find(&registry, "a", holder)->DisconnectAll();
    EXPECT_FALSE(from.IsConnected());
    EXPECT_TRUE(from.Connect());
    EXPECT_TRUE(from.IsConnected());
}

TEST(RegistryRef, BiRefSendsAndReceives)
{
    LMsgRegistryNode registry{XAString()};
    Owner biOwner, listener;
    LMsgRegistryBiRef bi;
    LMsgRegistryFromRef from;
    ASSERT_TRUE(bi.Attach(&biOwner.receiver, "Beamvista.fog", &registry));
    ASSERT_TRUE(from.Attach(&listener.receiver, "Beamvista.fog", &registry));

    LMsg msg;
    bi.Send(msg);
    EXPECT_EQ(listener.senders, std::vector<LMsgSourceID*>{IdOf(from)});
    // The node passes it to every receiver, the sending reference's own side included.
    EXPECT_EQ(biOwner.senders, std::vector<LMsgSourceID*>{IdOf(bi)});

    LMsgRegistryToRef to;
    ASSERT_TRUE(to.Bind("Beamvista.fog", &registry));
    to.Send(msg);
    EXPECT_EQ(biOwner.senders.size(), 2u);

    bi.Disconnect();
    EXPECT_FALSE(bi.IsConnected());
    to.Send(msg);
    EXPECT_EQ(biOwner.senders.size(), 2u);
    EXPECT_EQ(listener.senders.size(), 3u);
}

TEST(RegistryRef, DestroyedReferencesLeaveNoNodes)
{
    LMsgRegistryNode registry{XAString()};
    Owner owner;
    {
        LMsgRegistryToRef to;
        LMsgRegistryFromRef from;
        LMsgRegistryBiRef bi;
        ASSERT_TRUE(to.Bind("a.to", &registry));
        ASSERT_TRUE(from.Attach(&owner.receiver, "a.from", &registry));
        ASSERT_TRUE(bi.Attach(&owner.receiver, "a.bi", &registry));
        EXPECT_EQ(CountBelow(&registry), 4);
    }
    EXPECT_EQ(CountBelow(&registry), 0);
    EXPECT_EQ(owner.receiver.SourceCount(), 0);
}

TEST(RegistryRef, NullRegistryIsTheRoot)
{
    LMsgRegistryToRef to;
    ASSERT_TRUE(to.Bind("RegistryRefTest", nullptr));
    EXPECT_EQ(to.Registry(), LMsgRegistryRoot());
    const int before = CountBelow(LMsgRegistryRoot());
    to.Disconnect();
    EXPECT_EQ(CountBelow(LMsgRegistryRoot()), before - 1);
}

} // namespace

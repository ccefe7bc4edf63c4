#include "messaging/msg_source_sr.h"

#include "messaging/msg.h"
#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ss.h"
#include "messaging/test_support/scripted_receiver.h"

#include <gtest/gtest.h>

namespace {

class SingleSourceReceiver : public LMsgReceiverSS
{
  public:
    bool Receive(LMsg&) override
    {
        ++received;
        return answer;
    }
    int received = 0;
    bool answer = true;
};

TEST(SourceSR, ConnectReplacesTheHeldReceiver)
{
    EventLog log;
    ScriptedReceiver a("A", log), b("B", log);
    LMsgSourceSR source;
    EXPECT_TRUE(source.Connect(&a, 0));
    EXPECT_TRUE(source.Connect(&a, 7));
    EXPECT_EQ(log.Take(), "+A");
    EXPECT_TRUE(source.Connect(&b, 0));
    EXPECT_EQ(log.Take(), "-A +B");
    EXPECT_EQ(source.Receiver(), &b);
    EXPECT_EQ(a.SourceCount(), 0);
    EXPECT_EQ(b.SourceCount(), 1);
}

TEST(SourceSR, RefusalForgetsWithoutTelling)
{
    EventLog log;
    ScriptedReceiver a("A", log);
    a.refuse = true;
    LMsgSourceSR source;
    EXPECT_FALSE(source.Connect(&a, 0));
    EXPECT_EQ(log.Take(), "+A");
    EXPECT_EQ(source.Receiver(), nullptr);
}

TEST(SourceSR, DisconnectOnlyTheHeldReceiver)
{
    EventLog log;
    ScriptedReceiver a("A", log), b("B", log);
    LMsgSourceSR source;
    ASSERT_TRUE(source.Connect(&a, 0));
    log.Take();
    EXPECT_FALSE(source.Disconnect(&b));
    EXPECT_TRUE(source.Disconnect(&a));
    EXPECT_EQ(log.Take(), "-A");
    source.Disconnect();
    EXPECT_EQ(log.Take(), "");
}

TEST(SourceSR, DispatchAnswersWhatTheReceiverAnswers)
{
    SingleSourceReceiver receiver;
    LMsgSourceSR source;
    LMsg msg;
    EXPECT_FALSE(source.Send(msg));
    ASSERT_TRUE(source.Connect(&receiver, 0));
    EXPECT_TRUE(source.Send(msg));
    receiver.answer = false;
    EXPECT_FALSE(source.Send(msg));
    EXPECT_EQ(receiver.received, 2);
}

TEST(SourceSR, DestroyingEitherSideDisconnects)
{
    SingleSourceReceiver receiver;
    {
        LMsgSourceSR source;
        ASSERT_TRUE(source.Connect(&receiver, 0));
        EXPECT_EQ(receiver.Source(), &source);
    }
    EXPECT_EQ(receiver.Source(), nullptr);

    LMsgSourceSR source;
    {
        SingleSourceReceiver passing;
        ASSERT_TRUE(source.Connect(&passing, 0));
    }
    EXPECT_EQ(source.Receiver(), nullptr);
}

TEST(ReceiverSS, ConnectingToAnotherSourceLeavesTheFirst)
{
    SingleSourceReceiver receiver;
    LMsgDistributor s1;
    LMsgSourceSR s2;
    ASSERT_TRUE(s1.Connect(&receiver, 0));
    ASSERT_TRUE(s2.Connect(&receiver, 0));
    EXPECT_EQ(receiver.Source(), &s2);
    EXPECT_FALSE(s1.IsConnected(&receiver));

    receiver.Disconnect();
    EXPECT_EQ(receiver.Source(), nullptr);
    EXPECT_EQ(s2.Receiver(), nullptr);
}

} // namespace

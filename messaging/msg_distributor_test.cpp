#include "messaging/msg_distributor.h"

#include "messaging/msg.h"
#include "messaging/test_support/scripted_receiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Receivers A to E on one log; each test connects the ones it needs.
struct Harness
{
    EventLog log;
    std::map<char, std::unique_ptr<ScriptedReceiver>> receivers;
    LMsgDistributor distributor;

    Harness()
    {
        for (char name = 'A'; name <= 'E'; ++name)
            receivers[name] = std::make_unique<ScriptedReceiver>(std::string(1, name), log);
    }
    ScriptedReceiver* operator[](char name) { return receivers.at(name).get(); }

    void ConnectAll(const std::vector<std::pair<char, int32_t>>& connections)
    {
        for (const auto& [name, priority] : connections)
            EXPECT_TRUE(distributor.Connect((*this)[name], priority));
        log.Take();
    }
    // The receive calls of one send.
    std::string SendOne()
    {
        LMsg msg;
        distributor.Send(msg);
        return log.Take();
    }
    // The receive calls of one send, without the connection events.
    std::string CallsOfOneSend()
    {
        std::string calls;
        std::istringstream events(SendOne());
        for (std::string event; events >> event;) {
            if (event[0] != '+' && event[0] != '-')
                calls += event;
        }
        return calls;
    }
};

struct OrderCase
{
    const char* name;
    std::vector<std::pair<char, int32_t>> connections;
    const char* calls;
};

void PrintTo(const OrderCase& c, std::ostream* os)
{
    *os << c.name;
}

class DistributorOrder : public testing::TestWithParam<OrderCase>
{
};

TEST_P(DistributorOrder, CallsByPriorityThenConnectionOrder)
{
    Harness h;
    h.ConnectAll(GetParam().connections);
    EXPECT_EQ(h.CallsOfOneSend(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Cases, DistributorOrder,
                         testing::Values(OrderCase{"ConnectionOrder", {{'A', 0}, {'B', 0}, {'C', 0}}, "ABC"},
                                         OrderCase{
                                             "HigherPriorityFirst", {{'A', 0}, {'B', 0}, {'C', 5}}, "CAB"},
                                         OrderCase{"EqualPrioritiesKeepOrder",
                                                   {{'A', 5}, {'B', 0}, {'C', 5}, {'D', -3}, {'E', 0}},
                                                   "ACBED"},
                                         OrderCase{"Empty", {}, ""}),
                         [](const testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

// One receiver acts once while it is being called by a send.
struct Action
{
    enum Kind { kConnect, kDisconnect, kDisconnectAll, kSetDone };
    char actor;
    Kind kind;
    char target = 0;
    int32_t priority = 0;
};

struct ReentryCase
{
    const char* name;
    std::vector<std::pair<char, int32_t>> connections;
    Action action;
    const char* calls;
};

void PrintTo(const ReentryCase& c, std::ostream* os)
{
    *os << c.name;
}

class DistributorReentry : public testing::TestWithParam<ReentryCase>
{
};

TEST_P(DistributorReentry, SendInProgressFollowsTheIndexRules)
{
    const ReentryCase& c = GetParam();
    Harness h;
    h.ConnectAll(c.connections);
    bool acted = false;
    h[c.action.actor]->onReceive = [&](LMsg& msg) {
        if (std::exchange(acted, true))
            return;
        switch (c.action.kind) {
        case Action::kConnect:
            h.distributor.Connect(h[c.action.target], c.action.priority);
            break;
        case Action::kDisconnect:
            h.distributor.Disconnect(h[c.action.target]);
            break;
        case Action::kDisconnectAll:
            h.distributor.DisconnectAll();
            break;
        case Action::kSetDone:
            msg.SetDone();
            break;
        }
    };
    EXPECT_EQ(h.CallsOfOneSend(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistributorReentry,
    testing::Values(
        ReentryCase{"ConnectAtTheEndIsCalled",
                    {{'A', 0}, {'B', 0}, {'C', 0}},
                    {'A', Action::kConnect, 'D', 0},
                    "ABCD"},
        ReentryCase{"ConnectAheadIsNotCalled",
                    {{'A', 0}, {'B', 0}, {'C', 0}},
                    {'B', Action::kConnect, 'D', 5},
                    "ABC"},
        ReentryCase{"ConnectAtTheNextPositionIsNotCalled",
                    {{'A', 0}, {'B', -1}},
                    {'A', Action::kConnect, 'D', 0},
                    "AB"},
        ReentryCase{"ConnectBehindTheNextIsCalled",
                    {{'A', 0}, {'B', 0}, {'C', -1}},
                    {'A', Action::kConnect, 'D', 0},
                    "ABDC"},
        ReentryCase{"ConnectAfterTheLastCallIsNotCalled",
                    {{'A', 0}, {'B', 0}},
                    {'B', Action::kConnect, 'D', 0},
                    "AB"},
        ReentryCase{"ReconnectAheadIsNotCalled",
                    {{'A', 0}, {'B', 0}, {'C', 0}},
                    {'A', Action::kConnect, 'C', 5},
                    "AB"},
        ReentryCase{"ReconnectBehindIsCalledAgain",
                    {{'A', 5}, {'B', 5}, {'C', 0}},
                    {'A', Action::kConnect, 'A', -1},
                    "ABCA"},
        ReentryCase{"DisconnectALaterReceiver",
                    {{'A', 0}, {'B', 0}, {'C', 0}},
                    {'B', Action::kDisconnect, 'C'},
                    "AB"},
        ReentryCase{"DisconnectAnEarlierReceiver",
                    {{'A', 0}, {'B', 0}, {'C', 0}},
                    {'B', Action::kDisconnect, 'A'},
                    "ABC"},
        ReentryCase{
            "DisconnectItself", {{'A', 0}, {'B', 0}, {'C', 0}}, {'B', Action::kDisconnect, 'B'}, "ABC"},
        ReentryCase{"DisconnectAllStopsAfterTheCurrent",
                    {{'A', 0}, {'B', 0}, {'C', 0}},
                    {'B', Action::kDisconnectAll},
                    "AB"},
        ReentryCase{"DoneStopsTheSend", {{'A', 0}, {'B', 0}, {'C', 0}}, {'B', Action::kSetDone}, "AB"}),
    [](const testing::TestParamInfo<ReentryCase>& info) { return info.param.name; });

TEST(Distributor, MessageDoneBeforehandReachesTheFirstReceiverOnly)
{
    Harness h;
    h.ConnectAll({{'A', 0}, {'B', 0}});
    LMsg msg;
    msg.SetDone();
    h.distributor.Send(msg);
    EXPECT_EQ(h.log.Take(), "A");
}

TEST(Distributor, ConnectingAgain)
{
    Harness h;
    h.ConnectAll({{'A', 0}, {'B', 0}});
    EXPECT_TRUE(h.distributor.Connect(h['A'], 0));
    EXPECT_EQ(h.log.Take(), "");
    EXPECT_TRUE(h.distributor.Connect(h['A'], -1));
    EXPECT_EQ(h.log.Take(), "-A +A");
    EXPECT_EQ(h.CallsOfOneSend(), "BA");
    EXPECT_EQ(h['A']->SourceCount(), 1);
}

TEST(Distributor, RefusedReceiverIsDisconnectedAgain)
{
    Harness h;
    h['A']->refuse = true;
    EXPECT_FALSE(h.distributor.Connect(h['A'], 0));
    EXPECT_EQ(h.log.Take(), "+A -A");
    EXPECT_FALSE(h.distributor.IsConnected(h['A']));
    EXPECT_EQ(h.distributor.FirstReceiver(), nullptr);
}

TEST(Distributor, DisconnectingAnUnknownReceiverChangesNothing)
{
    Harness h;
    h.ConnectAll({{'A', 0}});
    EXPECT_FALSE(h.distributor.Disconnect(h['B']));
    EXPECT_FALSE(h.distributor.Connect(nullptr, 0));
    EXPECT_EQ(h.log.Take(), "");
    EXPECT_EQ(h.distributor.FirstReceiver(), h['A']);
}

TEST(Distributor, DisconnectAllLastFirstOnBothSides)
{
    Harness h;
    h.ConnectAll({{'A', 0}, {'B', 0}, {'C', 0}});
    h.distributor.DisconnectAll();
    EXPECT_EQ(h.log.Take(), "-C -B -A");
    EXPECT_EQ(h['A']->SourceCount(), 0);
    EXPECT_EQ(h.CallsOfOneSend(), "");
}

TEST(Distributor, NestedSendsOverTheSameList)
{
    Harness h;
    h.ConnectAll({{'A', 0}, {'B', 0}, {'C', 0}});
    bool nested = false;
    h['A']->onReceive = [&](LMsg&) {
        if (std::exchange(nested, true))
            return;
        LMsg inner;
        h.distributor.Send(inner);
    };
    EXPECT_EQ(h.CallsOfOneSend(), "AABCBC");

    // A change in the inner send moves the outer send's cursor as well.
    nested = false;
    h['B']->onReceive = [&](LMsg&) { h.distributor.Disconnect(h['C']); };
    EXPECT_EQ(h.CallsOfOneSend(), "AABB");
}

TEST(Distributor, SendRestoresTheSenderAlsoWhenNested)
{
    Harness h;
    LMsgDistributor second;
    h.ConnectAll({{'A', 0}});
    ASSERT_TRUE(second.Connect(h['B'], 0));
    std::vector<LMsgSourceID*> seen;
    h['A']->onReceive = [&](LMsg& msg) {
        seen.push_back(msg.Sender());
        second.Send(msg);
        seen.push_back(msg.Sender());
    };
    h['B']->onReceive = [&](LMsg& msg) { seen.push_back(msg.Sender()); };

    LMsg msg;
    LMsgDistributor outer;
    msg.SetSender(&outer);
    h.distributor.Send(msg);
    EXPECT_EQ(seen, (std::vector<LMsgSourceID*>{&h.distributor, &second, &h.distributor}));
    EXPECT_EQ(msg.Sender(), &outer);
}

TEST(Distributor, ExceptionLeavesSenderAndSendsConsistent)
{
    Harness h;
    h.ConnectAll({{'A', 0}, {'B', 0}});
    h['A']->onReceive = [](LMsg&) { throw std::runtime_error("receiver failed"); };
    LMsg msg;
    EXPECT_THROW(h.distributor.Send(msg), std::runtime_error);
    EXPECT_EQ(msg.Sender(), nullptr);
    h.log.Take();

    // No cursor of the abandoned send is left to be moved.
    h['A']->onReceive = nullptr;
    EXPECT_TRUE(h.distributor.Connect(h['C'], 9));
    EXPECT_TRUE(h.distributor.Disconnect(h['C']));
    EXPECT_EQ(h.CallsOfOneSend(), "AB");
}

TEST(Distributor, ReceiverDestroyedWhileConnected)
{
    Harness h;
    h.ConnectAll({{'A', 0}, {'B', 0}, {'C', 0}});
    h['A']->onReceive = [&](LMsg&) { h.receivers.erase('B'); };
    EXPECT_EQ(h.CallsOfOneSend(), "AC");
    EXPECT_EQ(h.CallsOfOneSend(), "AC");
}

TEST(Distributor, DestroyedDuringItsOwnSend)
{
    EventLog log;
    ScriptedReceiver a("A", log);
    ScriptedReceiver b("B", log);
    auto distributor = std::make_unique<LMsgDistributor>();
    ASSERT_TRUE(distributor->Connect(&a, 0));
    ASSERT_TRUE(distributor->Connect(&b, 0));
    log.Take();
    LMsgDistributor* raw = distributor.get();
    a.onReceive = [&](LMsg&) { distributor.reset(); };
    LMsg msg;
    raw->Send(msg);
    EXPECT_EQ(log.Take(), "A -B -A");
    EXPECT_EQ(a.SourceCount(), 0);
    EXPECT_EQ(b.SourceCount(), 0);
}

TEST(Distributor, ReceiverOfManySourcesLeavesThemAll)
{
    EventLog log;
    LMsgDistributor d1, d2, d3;
    auto receiver = std::make_unique<ScriptedReceiver>("A", log);
    for (LMsgDistributor* d : {&d1, &d2, &d3})
        ASSERT_TRUE(d->Connect(receiver.get(), 0));
    EXPECT_EQ(receiver->SourceCount(), 3);
    receiver.reset();
    for (LMsgDistributor* d : {&d1, &d2, &d3})
        EXPECT_EQ(d->FirstReceiver(), nullptr);
}

} // namespace

// Long lists find their receivers through an index: random connections, reconnections at
// other priorities and disconnections keep the same order and membership as a plain model, and
// a send in progress still follows the index rules (a receiver removed behind it is not called).
TEST(Distributor, LongListsKeepOrderAndMembershipLikeAPlainList)
{
    constexpr int kReceivers = 40;
    EventLog log;
    std::vector<std::unique_ptr<ScriptedReceiver>> receivers;
    for (int i = 0; i < kReceivers; ++i)
        receivers.push_back(std::make_unique<ScriptedReceiver>("r" + std::to_string(i), log));
    LMsgDistributor distributor;
    // The model: receiver numbers in calling order, with their priorities.
    std::vector<std::pair<int, int32_t>> model;
    std::mt19937 random(5);
    for (int step = 0; step < 3000; ++step) {
        const int who = static_cast<int>(random() % kReceivers);
        const auto found =
            std::find_if(model.begin(), model.end(), [&](const auto& e) { return e.first == who; });
        if (random() % 3 == 0) {
            EXPECT_EQ(distributor.Disconnect(receivers[who].get()), found != model.end()) << step;
            if (found != model.end())
                model.erase(found);
        } else {
            const int32_t priority = static_cast<int32_t>(random() % 4);
            ASSERT_TRUE(distributor.Connect(receivers[who].get(), priority)) << step;
            if (found == model.end() || found->second != priority) {
                if (found != model.end())
                    model.erase(found);
                const auto at = std::find_if(model.begin(), model.end(),
                                             [&](const auto& e) { return e.second < priority; });
                model.insert(at, {who, priority});
            }
        }
        for (int i = 0; i < kReceivers; ++i) {
            const bool inModel =
                std::any_of(model.begin(), model.end(), [&](const auto& e) { return e.first == i; });
            ASSERT_EQ(distributor.IsConnected(receivers[i].get()), inModel) << step << " " << i;
        }
    }
    std::string expected;
    for (const auto& e : model)
        expected += (expected.empty() ? "" : " ") + receivers[e.first]->name;
    log.Take();
    LMsg msg;
    distributor.Send(msg);
    EXPECT_EQ(log.Take(), expected);
    ASSERT_GT(model.size(), 8u);
    // The first receiver removes the last one while the send is under way.
    ScriptedReceiver* first = receivers[model.front().first].get();
    ScriptedReceiver* last = receivers[model.back().first].get();
    first->onReceive = [&](LMsg&) { distributor.Disconnect(last); };
    distributor.Send(msg);
    std::istringstream events(log.Take());
    bool lastCalled = false;
    for (std::string event; events >> event;)
        lastCalled |= event == last->name;
    EXPECT_FALSE(lastCalled);
    EXPECT_FALSE(distributor.IsConnected(last));
}

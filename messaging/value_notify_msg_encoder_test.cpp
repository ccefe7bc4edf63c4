// The notify, context and register-dependants senders, and a distributor that is an encoder.

#include "messaging/value_notify_msg_encoder.h"

#include "messaging/msg_distributor.h"
#include "messaging/msg_receiver_ss.h"
#include "messaging/register_value_dependants_msg.h"
#include "messaging/register_value_dependants_msg_encoder.h"
#include "messaging/value_context_msg.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_notify_msg.h"
#include "messaging/value_tx_interface.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Records what it receives and may answer with a result.
class Recorder : public LMsgReceiverSS
{
  public:
    struct Seen
    {
        int32_t kind;
        uint32_t flags;
        LValueHandler* handler;
        LValueTxInterface* transaction;
        LMsgSourceID* sender;
        int32_t state;
    };

    bool Receive(LMsg& msg) override
    {
        if (auto* notify = ExactMsgCast<LValueNotifyMsg>(msg))
            seen.push_back({notify->kind, notify->flags, notify->handler, nullptr, msg.Sender(),
                            notify->Result().State()});
        else if (auto* context = ExactMsgCast<LValueContextMsg>(msg))
            seen.push_back({context->kind, context->flags, nullptr, context->transaction, msg.Sender(),
                            context->Result().State()});
        else if (auto* registration = ExactMsgCast<LRegisterValueDependantsMsg>(msg))
            seen.push_back({-1, 0, nullptr, registration->transaction, msg.Sender(), 0});
        if (auto* valueMsg = dynamic_cast<LValueMsg*>(&msg); valueMsg && answer)
            answer(*valueMsg);
        return true;
    }

    std::vector<Seen> seen;
    std::function<void(LValueMsg&)> answer;
};

class Transaction : public LValueTxInterface
{
  public:
    bool AddNotifyReceiver(LMsgReceiverInterface*) override { return true; }
};

constexpr uint32_t kFlags = 0x1040C;

LValueHandler* SomeHandler(void* anything)
{
    return reinterpret_cast<LValueHandler*>(anything);
}

TEST(NotifyEncoder, ChangedCarriesItsResultBackDoneAndRolledBackDoNot)
{
    Recorder receiver;
    receiver.answer = [](LValueMsg& msg) { msg.SetError("refused", 4); };
    LValueNotifyMsgTo to(&receiver);
    LValueHandler* handler = SomeHandler(&receiver);

    LValueMsg cause(kFlags);
    to.SendRolledBack(handler, cause);
    to.SendDone(handler, cause);
    EXPECT_EQ(cause.Result().State(), CError::kStateOk);
    to.SendChanged(handler, cause);
    EXPECT_EQ(cause.Result().ErrorText(), "refused");
    EXPECT_EQ(cause.ErrorPos(), 4);
    EXPECT_TRUE(cause.IsDone());

    ASSERT_EQ(receiver.seen.size(), 3u);
    const int32_t kinds[] = {LValueNotifyMsg::kRolledBack, LValueNotifyMsg::kDone, LValueNotifyMsg::kChanged};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(receiver.seen[i].kind, kinds[i]);
        EXPECT_EQ(receiver.seen[i].flags, kFlags);
        EXPECT_EQ(receiver.seen[i].handler, handler);
    }
}

TEST(ContextEncoder, KindsFlagsAndTransaction)
{
    Recorder receiver;
    Transaction transaction;
    LValueContextMsgTo to(&receiver);
    LValueMsg cause(kFlags);
    cause.SetResult(MakeCErrorFromText("nested", 0), 2);
    LValueMsg changed(kFlags);
    receiver.answer = [](LValueMsg& msg) { msg.SetResult(CError::CErrorFromText("warned", 0), 1); };

    to.SendChanged(&transaction, changed);
    to.SendCommit();
    to.SendRollBack();
    to.SendRollBackDone(cause);
    to.SendCommitDone(cause);

    ASSERT_EQ(receiver.seen.size(), 5u);
    EXPECT_EQ(receiver.seen[0].transaction, &transaction);
    EXPECT_EQ(receiver.seen[0].flags, kFlags);
    for (int32_t kind = 0; kind <= LValueContextMsg::kLast; ++kind)
        EXPECT_EQ(receiver.seen[kind].kind, kind);
    for (int i : {1, 2}) {
        EXPECT_EQ(receiver.seen[i].flags, 0u);
        EXPECT_EQ(receiver.seen[i].transaction, nullptr);
    }
    for (int i : {3, 4}) {
        EXPECT_EQ(receiver.seen[i].flags, kFlags);
        EXPECT_EQ(receiver.seen[i].state, CError::kStateError);
    }
    // Only kind 0 carries its result back.
    EXPECT_TRUE(changed.Result().Failed());
    EXPECT_EQ(cause.Result().ErrorText(), "nested");
}

TEST(RegisterEncoder, SendsTheTransaction)
{
    Recorder receiver;
    Transaction transaction;
    LMsgDistributor distributor;
    ASSERT_TRUE(distributor.Connect(&receiver, 0));
    class Registration : public LRegisterValueDependantsMsgEncoder
    {
      public:
        explicit Registration(LMsgReceiverInterface* receiver) : receiver(receiver) {}
        bool Send(LMsg& msg) override { return receiver->Receive(msg); }
        LMsgReceiverInterface* receiver;
    } encoder(&receiver);
    EXPECT_TRUE(encoder.SendRegisterDependants(&transaction));
    ASSERT_EQ(receiver.seen.size(), 1u);
    EXPECT_EQ(receiver.seen[0].transaction, &transaction);
}

// A distributor and an encoder at once: one Send reaches every receiver, with the class
// recorded as sender.
class NotifyDistributor : public LMsgDistributor, public LValueNotifyMsgEncoder
{
  public:
    bool Send(LMsg& msg) override { return SendThroughSender(msg); }
};

TEST(NotifyEncoder, DistributorRoutesItsEncoderToAllReceivers)
{
    Recorder a, b;
    NotifyDistributor distributor;
    ASSERT_TRUE(distributor.Connect(&a, 0));
    ASSERT_TRUE(distributor.Connect(&b, 0));
    LValueMsg cause(kFlags);
    distributor.SendDone(nullptr, cause);
    for (Recorder* r : {&a, &b}) {
        ASSERT_EQ(r->seen.size(), 1u);
        EXPECT_EQ(r->seen[0].sender, static_cast<LMsgSourceID*>(&distributor));
        EXPECT_EQ(r->seen[0].kind, LValueNotifyMsg::kDone);
    }
}

} // namespace

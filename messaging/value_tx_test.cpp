#include "messaging/value_tx.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

#include "messaging/test_support/notify_recorder_test_util.h"
#include "messaging/registry_node.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_tx_guard.h"
#include "platform/test_support/message_box_fake.h"

namespace {

using IntHandler = LValueHandlerT<LValueInt>;
constexpr int32_t kValue = LValueModifyMsg::kItemValue;
constexpr uint32_t kRecord = LValueMsg::kFlagsRecordWrite;

// A parameter registered under a key, with a recorder on its handler.
struct Param
{
    Param(const char* key, NotifyLog& log, const char* name)
        : handler(LValueInt(0, 0, 10, 1, 0, false, true)), recorder(name, log)
    {
        handler.ConnectRegistry(key, nullptr);
        handler.AsSource()->Connect(&recorder, 0);
    }

    CError Set(int32_t value, uint32_t flags = 0)
    {
        return LValueModifyMsgTo(handler.AsReceiver()).SendInt(flags, value, kValue);
    }
    int32_t Committed() const { return handler.GetValue().GetInt(kValue); }
    int32_t Current() const { return handler.GetCurrentValue()->GetInt(kValue); }

    IntHandler handler;
    NotifyRecorder recorder;
};

// A handler whose working copy can never be made.
class NoCopyHandler : public IntHandler
{
  public:
    using IntHandler::IntHandler;
    bool MakeWorkingCopy() override { return false; }
};

// A recorder that also acts when told that a transaction is done.
class DoneRecorder : public NotifyRecorder
{
  public:
    using NotifyRecorder::NotifyRecorder;
    void OnDone(LValueNotifyMsg& msg) override
    {
        NotifyRecorder::OnDone(msg);
        if (onDone) {
            std::exchange(onDone, nullptr)();
        }
    }
    std::function<void()> onDone;
};

class ValueTxTest : public testing::Test
{
  protected:
    void TearDown() override { EXPECT_EQ(LValueTx::GetGlobal().GetState(), LValueTx::kIdle); }

    NotifyLog log;
};

} // namespace

TEST_F(ValueTxTest, SingleChangeCommitsAfterKindZero)
{
    Param a("Test.tx.single.a", log, "a");
    a.recorder.onChanged = [&](LValueNotifyMsg&) {
        // Old and new value side by side while the change is announced.
        EXPECT_EQ(a.Committed(), 0);
        EXPECT_EQ(a.Current(), 7);
        EXPECT_EQ(LValueTx::GetGlobal().GetState(), LValueTx::kCollecting);
    };
    EXPECT_FALSE(a.Set(7).Failed());
    EXPECT_EQ(log.Take(), "a:0 a:2");
    EXPECT_EQ(a.Committed(), 7);
    EXPECT_EQ(a.recorder.lastHandler, &a.handler);
}

TEST_F(ValueTxTest, RecordWriteNotifiesOnceAndCommitsTogether)
{
    Param a("Test.tx.record.a", log, "a");
    Param b("Test.tx.record.b", log, "b");
    NotifyRecorder branch("branch", log);
    ASSERT_TRUE(LMsgRegistryNode::ConnectReceiver(nullptr, "Test.tx.record", &branch, 0));
    {
        LValueModifyMsgTx group(kRecord);
        EXPECT_FALSE(a.Set(3, kRecord).Failed());
        EXPECT_FALSE(b.Set(30, kRecord).Failed()); // clamped quietly
        EXPECT_FALSE(a.Set(4, kRecord).Failed());
        EXPECT_EQ(a.Committed(), 0);
        EXPECT_EQ(log.Take(), "");
    }
    EXPECT_EQ(log.Take(), "a:0 b:0 branch:0 a:2 b:2 branch:2");
    EXPECT_EQ(a.Committed(), 4);
    EXPECT_EQ(b.Committed(), 10);
    EXPECT_EQ(branch.lastHandler, &LValueHandlerDummy::Get());
    LMsgRegistryRoot()->Disconnect(&branch);
}

TEST_F(ValueTxTest, ErrorInAGroupRollsEverythingBack)
{
    Param a("Test.tx.fail.a", log, "a");
    Param b("Test.tx.fail.b", log, "b");
    Param c("Test.tx.fail.c", log, "c");
    {
        LValueModifyMsgTx group(LValueMsg::kFlagReclamp);
        EXPECT_FALSE(a.Set(3, LValueMsg::kFlagReclamp).Failed());
        EXPECT_EQ(b.Set(30, LValueMsg::kFlagReclamp).ErrorText(),
                  "Value ($$c130$$c0) is not in range $$c1[0, 10]$$c0!");
        EXPECT_EQ(group.Result().ErrorText(), "Indirect Value ($$c130$$c0) is not in range $$c1[0, 10]$$c0!");
        EXPECT_EQ(group.ErrorPos(), -1);
        EXPECT_TRUE(group.IsDone());
        EXPECT_EQ(LValueTx::GetGlobal().GetState(), LValueTx::kFailed);
        // Later changes are refused, and say so.
        EXPECT_EQ(c.Set(5).ErrorText(), "Change refused: the transaction has failed!");
        EXPECT_EQ(c.Current(), 0);
    }
    EXPECT_EQ(log.Take(), "a:1 b:1");
    EXPECT_EQ(a.Committed(), 0);
    EXPECT_EQ(b.Committed(), 0);
    EXPECT_EQ(a.Current(), 0);
    EXPECT_EQ(c.Committed(), 0);
}

TEST_F(ValueTxTest, ObserverChangesAnotherValueInTheSameDelivery)
{
    Param a("Test.tx.dependent.a", log, "a");
    Param b("Test.tx.dependent.b", log, "b");
    a.recorder.onChanged = [&](LValueNotifyMsg&) {
        EXPECT_FALSE(b.Set(a.Current() + 1).Failed());
        EXPECT_EQ(b.Committed(), 0);
    };
    EXPECT_FALSE(a.Set(2).Failed());
    EXPECT_EQ(log.Take(), "a:0 b:0 a:2 b:2");
    EXPECT_EQ(a.Committed(), 2);
    EXPECT_EQ(b.Committed(), 3);
}

TEST_F(ValueTxTest, CycleOfDependentChangesEnds)
{
    Param x("Test.tx.cycle.x", log, "x");
    Param y("Test.tx.cycle.y", log, "y");
    int32_t rounds = 0;
    x.recorder.onChanged = [&](LValueNotifyMsg&) {
        ++rounds;
        y.Set(x.Current() + 1);
    };
    y.recorder.onChanged = [&](LValueNotifyMsg&) {
        ++rounds;
        x.Set(y.Current() + 1);
    };
    EXPECT_FALSE(x.Set(1).Failed());
    // X is told once: its second change joins the working copy it already has.
    EXPECT_EQ(log.Take(), "x:0 y:0 x:2 y:2");
    EXPECT_EQ(rounds, 2);
    EXPECT_EQ(x.Committed(), 3);
    EXPECT_EQ(y.Committed(), 2);
}

TEST_F(ValueTxTest, ErrorAnsweredByAReceiverFailsTheTransaction)
{
    Param a("Test.tx.veto.a", log, "a");
    Param b("Test.tx.veto.b", log, "b");
    a.recorder.onChanged = [](LValueNotifyMsg& msg) { msg.SetError("Not now!", -1); };
    CError result;
    {
        LValueModifyMsgTx group(0);
        b.Set(5);
        a.Set(5);
        result = group.Result();
    }
    EXPECT_EQ(result.State(), CError::kStateOk); // the veto came at the end
    EXPECT_EQ(log.Take(), "b:0 a:0 b:1 a:1");
    EXPECT_EQ(a.Committed(), 0);
    EXPECT_EQ(b.Committed(), 0);
}

TEST_F(ValueTxTest, NestedErrorOfAnObserversChangeIsIndirect)
{
    Param a("Test.tx.indirect.a", log, "a");
    Param b("Test.tx.indirect.b", log, "b");
    CError nested;
    a.recorder.onChanged = [&](LValueNotifyMsg&) { nested = b.Set(99); };
    EXPECT_EQ(a.Set(1).ErrorText(), "Indirect Value ($$c199$$c0) is not in range $$c1[0, 10]$$c0!");
    EXPECT_TRUE(nested.Failed());
    EXPECT_EQ(log.Take(), "a:0 a:1 b:1");
    EXPECT_EQ(a.Committed(), 0);
}

TEST_F(ValueTxTest, WarningsOfNestedChangesStayWarnings)
{
    Param a("Test.tx.warning.a", log, "a");
    LValueModifyMsgTx group(0);
    LValueModifyMsg change(0, LValueModifyMsg::kTypeInt, kValue);
    LValueTxGuard guard(&a.handler, change);
    ASSERT_TRUE(guard.Begin());
    EXPECT_TRUE(guard.IsFirst());
    CError warning;
    warning.SetWarning("Rounded", 3);
    change.SetResult(warning, 4);
    EXPECT_TRUE(guard.End());
    EXPECT_EQ(group.Result().State(), CError::kStateWarning);
    EXPECT_EQ(group.Result().WarningText(), "Indirect Rounded");
    EXPECT_EQ(group.Result().Code(), 0);
}

TEST_F(ValueTxTest, WorkingCopyThatCannotBeMadeFailsTheTransaction)
{
    Param a("Test.tx.nocopy.a", log, "a");
    NoCopyHandler broken(LValueInt(0, 0, 10, 1, 0, false, true));
    CError alone = LValueModifyMsgTo(broken.AsReceiver()).SendInt(0, 5, kValue);
    EXPECT_EQ(alone.ErrorText(), "Out of memory!");
    {
        LValueModifyMsgTx group(0);
        EXPECT_FALSE(a.Set(4).Failed());
        EXPECT_EQ(LValueModifyMsgTo(broken.AsReceiver()).SendInt(0, 5, kValue).ErrorText(), "Out of memory!");
        EXPECT_EQ(group.Result().ErrorText(), "Indirect Out of memory!");
    }
    EXPECT_EQ(log.Take(), "a:1");
    EXPECT_EQ(a.Committed(), 0);
    EXPECT_EQ(broken.GetValue().GetInt(kValue), 0);
}

TEST_F(ValueTxTest, NotifyReceiverEnrolsOnce)
{
    LValueTx& tx = LValueTx::GetGlobal();
    NotifyRecorder observer("observer", log);
    EXPECT_FALSE(tx.AddNotifyReceiver(&observer)); // nothing collecting
    {
        LValueModifyMsgTx group(0);
        EXPECT_TRUE(tx.AddNotifyReceiver(&observer));
        EXPECT_FALSE(tx.AddNotifyReceiver(&observer));
    }
    EXPECT_EQ(log.Take(), "observer:0 observer:2");
}

TEST_F(ValueTxTest, GuardEndsWhenLeftByAnException)
{
    Param a("Test.tx.throw.a", log, "a");
    try {
        LValueModifyMsgTx group(0);
        a.Set(6);
        throw std::runtime_error("away");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(log.Take(), "a:0 a:2");
    EXPECT_EQ(a.Committed(), 6);
}

TEST_F(ValueTxTest, EndWithoutBeginAndResetRollsBack)
{
    LValueTx tx;
    LValueModifyMsg msg(0, LValueModifyMsg::kTypeInt, kValue);
    EXPECT_FALSE(tx.End(nullptr, msg));
    IntHandler handler(LValueInt(0, 0, 10, 1, 0, false, true));
    bool first = false;
    ASSERT_TRUE(tx.Begin(&handler, msg, first));
    EXPECT_TRUE(first);
    ASSERT_TRUE(tx.Begin(&handler, msg, first));
    EXPECT_FALSE(first);
    EXPECT_EQ(tx.GetDepth(), 2);
    EXPECT_NE(handler.GetCurrentValue(), handler.GetOwnerValue());
    tx.Reset();
    EXPECT_EQ(handler.GetCurrentValue(), handler.GetOwnerValue());
    EXPECT_EQ(tx.GetState(), LValueTx::kIdle);
    EXPECT_EQ(tx.GetDepth(), 0);
}

TEST_F(ValueTxTest, AChangeOffTheGuiThreadIsReported)
{
    FakeMessageBox box;
    Param a("Test.tx.thread.a", log, "a");
    std::thread([&] { EXPECT_FALSE(a.Set(3).Failed()); }).join();
    ASSERT_FALSE(box.shown.empty());
    EXPECT_NE(box.shown[0].text.find("LValueTx::Begin"), std::string::npos) << box.shown[0].text;
    log.Take();
}

TEST_F(ValueTxTest, AReceiverToldTheOutcomeMayStartATransactionOfItsOwn)
{
    Param a("Test.tx.after.a", log, "a");
    Param b("Test.tx.after.b", log, "b");
    Param c("Test.tx.after.c", log, "c");
    DoneRecorder follower("follower", log);
    a.handler.AsSource()->Connect(&follower, 0);
    follower.onDone = [&] {
        EXPECT_EQ(LValueTx::GetGlobal().GetState(), LValueTx::kIdle);
        EXPECT_FALSE(c.Set(5).Failed());
    };
    {
        LValueModifyMsgTx group(0);
        a.Set(1);
        b.Set(2);
    }
    // The new transaction runs whole inside the first one's final notifications, which then go on
    // to the handlers it had not told yet.
    EXPECT_EQ(log.Take(), "a:0 follower:0 b:0 a:2 follower:2 c:0 c:2 b:2");
    EXPECT_EQ(a.Committed(), 1);
    EXPECT_EQ(b.Committed(), 2);
    EXPECT_EQ(c.Committed(), 5);
}

TEST_F(ValueTxTest, AHandlerDestroyedWithinATransactionLeavesIt)
{
    Param a("Test.tx.gone.a", log, "a");
    {
        LValueModifyMsgTx group(0);
        a.Set(1);
        auto gone = std::make_unique<Param>("Test.tx.gone.b", log, "b");
        gone->Set(2);
        EXPECT_EQ(gone->handler.SourceCount(), 2); // its node and the transaction
        gone.reset();
        a.Set(3);
    }
    EXPECT_EQ(log.Take(), "a:0 a:2");
    EXPECT_EQ(a.Committed(), 3);
    // Nothing of the transaction stays connected to the handler that remains.
    EXPECT_EQ(a.handler.SourceCount(), 1);
}

TEST_F(ValueTxTest, ObserversAreToldOnceEachInTheOrderTheyEnrolled)
{
    LValueTx& tx = LValueTx::GetGlobal();
    NotifyRecorder first("first", log);
    NotifyRecorder second("second", log);
    Param a("Test.tx.observers.a", log, "a");
    {
        LValueModifyMsgTx group(0);
        EXPECT_TRUE(tx.AddNotifyReceiver(&second));
        a.Set(1);
        EXPECT_TRUE(tx.AddNotifyReceiver(&first));
        EXPECT_FALSE(tx.AddNotifyReceiver(&second));
    }
    EXPECT_EQ(log.Take(), "a:0 second:0 first:0 a:2 second:2 first:2");
    EXPECT_EQ(first.SourceCount(), 0);
    EXPECT_EQ(second.SourceCount(), 0);
}

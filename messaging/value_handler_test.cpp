#include "messaging/value_handler.h"

#include <gtest/gtest.h>

#include "messaging/test_support/notify_recorder_test_util.h"
#include "messaging/registry_node.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler_bi_ref.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_handler_from_ref.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_handler_to_ref.h"
#include "messaging/value_int.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_string.h"
#include "messaging/value_tx.h"

namespace {

using IntHandler = LValueHandlerT<LValueInt>;
constexpr int32_t kValue = LValueModifyMsg::kItemValue;

LValueInt Range(int32_t value, int32_t minimum, int32_t maximum)
{
    return LValueInt(value, minimum, maximum, 1, 0, false, true);
}

} // namespace

TEST(ValueHandlerTest, ChangesWorkOnOneCopyUntilTheCommit)
{
    IntHandler handler(Range(1, 0, 10));
    LValueModifyMsgTo to(handler.AsReceiver());
    {
        LValueModifyMsgTx group(0);
        EXPECT_FALSE(to.SendInt(0, 4, kValue).Failed());
        EXPECT_NE(handler.GetCurrentValue(), handler.GetOwnerValue());
        int32_t first = 0;
        int32_t second = 2 * 65536;
        EXPECT_FALSE(to.SendPair(0, first, second, kValue).Failed());
        EXPECT_EQ(handler.GetCurrentValue()->GetInt(kValue), 6);
        EXPECT_EQ(handler.GetValue().GetInt(kValue), 1);
    }
    EXPECT_EQ(handler.GetCurrentValue(), handler.GetOwnerValue());
    EXPECT_EQ(handler.GetValue().GetInt(kValue), 6);
}

TEST(ValueHandlerTest, RangeErrorLeavesTheOwnerValue)
{
    IntHandler handler(Range(1, 0, 10));
    NotifyLog log;
    NotifyRecorder receiver("r", log);
    handler.AsSource()->Connect(&receiver, 0);
    const CError result = LValueModifyMsgTo(handler.AsReceiver()).SendInt(0, 11, kValue);
    EXPECT_EQ(result.ErrorText(), "Value ($$c111$$c0) is not in range $$c1[0, 10]$$c0!");
    EXPECT_EQ(handler.GetValue().GetInt(kValue), 1);
    EXPECT_EQ(handler.GetCurrentValue(), handler.GetOwnerValue());
    // The error stops the transaction before anyone hears of the change.
    EXPECT_EQ(log.Take(), "r:1");
}

TEST(ValueHandlerTest, QueriesAndOtherMessages)
{
    LValueHandlerT<LValueString> handler(LValueString("abc", 255, false, true));
    LValueModifyMsgTo to(handler.AsReceiver());
    EXPECT_EQ(to.QueryHandler(), &handler);
    LValueModifyMsg unknown(0, LValueModifyMsg::kTypeLast + 1, kValue);
    EXPECT_FALSE(handler.Receive(unknown));
    EXPECT_EQ(LValueTx::GetGlobal().GetState(), LValueTx::kIdle);
    EXPECT_FALSE(to.SendString(0, "xyz", kValue).Failed());
    EXPECT_EQ(handler.GetValue().GetString(kValue), "xyz");
}

TEST(ValueHandlerTest, DummyAnswersNothing)
{
    LValueHandlerDummy& dummy = LValueHandlerDummy::Get();
    EXPECT_EQ(&dummy, &LValueHandlerDummy::Get());
    LValueModifyMsgTo to(dummy.AsReceiver());
    EXPECT_EQ(to.QueryHandler(), nullptr);
    EXPECT_FALSE(to.SendInt(0, 5, kValue).Failed());
    LValue* value = dummy.GetOwnerValue();
    int32_t integer = 7;
    EXPECT_FALSE(value->GetInt(integer, kValue));
    EXPECT_EQ(integer, 0);
    EXPECT_EQ(value->GetString(kValue), "");
    EXPECT_EQ(value->ItemType(kValue), kItemTypeInteger);
    EXPECT_TRUE(value->IsEnabled());
    EXPECT_FALSE(dummy.EnsureWorkingCopy());
}

TEST(ValueHandlerTest, ToRefFindsTheHandlerByKey)
{
    LValueHandlerToRef ref;
    EXPECT_FALSE(ref.Bind("Test.handler.to", nullptr));
    EXPECT_FALSE(ref.SendInt(0, 3, kValue).Failed()); // goes nowhere
    EXPECT_EQ(ref.GetHandler(), &LValueHandlerDummy::Get());
    {
        IntHandler handler(Range(0, 0, 10));
        ASSERT_TRUE(handler.ConnectRegistry("test.HANDLER.to", nullptr));
        EXPECT_FALSE(ref.SendInt(0, 3, kValue).Failed());
        EXPECT_EQ(ref.KnownHandler(), &handler);
        EXPECT_EQ(handler.GetValue().GetInt(kValue), 3);
    }
    // The handler went: the reference forgot it.
    EXPECT_EQ(ref.KnownHandler(), nullptr);
    EXPECT_FALSE(ref.IsConnected());
}

TEST(ValueHandlerTest, BiRefFindsAHandlerRegisteredLater)
{
    NotifyLog log;
    NotifyRecorder control("control", log);
    LValueHandlerBiRef ref;
    EXPECT_FALSE(ref.Attach(&control, "Test.handler.bi", nullptr));
    EXPECT_EQ(ref.GetHandler(), &LValueHandlerDummy::Get());
    EXPECT_FALSE(ref.IsConnected());

    IntHandler handler(Range(0, 0, 10));
    ASSERT_TRUE(handler.ConnectRegistry("Test.handler.bi", nullptr));
    EXPECT_TRUE(ref.Connect());
    EXPECT_EQ(ref.GetHandler(), &handler);
    EXPECT_FALSE(ref.SendInt(0, 4, kValue).Failed());
    EXPECT_EQ(handler.GetValue().GetInt(kValue), 4);
    EXPECT_EQ(log.Take(), "control:0 control:2");
    EXPECT_EQ(control.lastSender, static_cast<LMsgSourceID*>(&ref));
    EXPECT_EQ(control.lastHandler, &handler);
}

TEST(ValueHandlerTest, FromRefHearsEveryKindWithItselfAsSender)
{
    NotifyLog log;
    NotifyRecorder follower("follower", log);
    IntHandler handler(Range(0, 0, 10));
    ASSERT_TRUE(handler.ConnectRegistry("Test.handler.from", nullptr));
    LValueHandlerFromRef ref;
    EXPECT_TRUE(ref.Attach(&follower, "Test.handler.from", nullptr));
    EXPECT_EQ(ref.KnownHandler(), &handler);

    LValueModifyMsgTo to(handler.AsReceiver());
    EXPECT_FALSE(to.SendInt(0, 5, kValue).Failed());
    EXPECT_EQ(log.Take(), "follower:0 follower:2");
    EXPECT_EQ(follower.lastSender, static_cast<LMsgSourceID*>(&ref));
    EXPECT_TRUE(to.SendInt(0, 50, kValue).Failed());
    EXPECT_EQ(log.Take(), "follower:1");
    EXPECT_EQ(follower.lastSender, static_cast<LMsgSourceID*>(&ref));
}

TEST(ValueHandlerTest, WorkingCopyKeepsEveryField)
{
    LValueHandlerT<LValueDoubleFmt1> handler(LValueDoubleFmt1(1.5, 0, 100, 1, 0, 3, 2, 0));
    ASSERT_TRUE(handler.EnsureWorkingCopy());
    const LValue* copy = handler.GetCurrentValue();
    ASSERT_NE(copy, handler.GetOwnerValue());
    EXPECT_EQ(copy->GetString(kValue), handler.GetValue().GetString(kValue));
    EXPECT_EQ(copy->GetDouble(LValueModifyMsg::kItemMaximum), 100.0);
    EXPECT_TRUE(handler.EnsureWorkingCopy());
    EXPECT_EQ(handler.GetCurrentValue(), copy);
    EXPECT_TRUE(handler.DiscardWorkingCopy());
    EXPECT_FALSE(handler.CommitWorkingCopy());
    EXPECT_EQ(handler.GetCurrentValue(), handler.GetOwnerValue());
}

// The four decoders: each takes its exact message class only and hands every kind or type to its
// operation.

#include "messaging/value_modify_msg_decoder.h"

#include "messaging/msg_receiver_ss.h"
#include "messaging/register_value_dependants_msg.h"
#include "messaging/register_value_dependants_msg_decoder.h"
#include "messaging/value_context_msg.h"
#include "messaging/value_context_msg_decoder.h"
#include "messaging/value_modify_msg.h"
#include "messaging/value_notify_msg.h"
#include "messaging/value_notify_msg_decoder.h"
#include "messaging/value_tx_interface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ModifyDecoder : public LMsgReceiverSS, public LValueModifyMsgDecoder
{
  public:
    bool Receive(LMsg& msg) override { return LValueModifyMsgDecoder::Receive(msg); }
    void Query(LValueModifyMsg&) override { called += "Query"; }
    void SetBool(LValueModifyMsg&) override { called += "SetBool"; }
    void SetInt(LValueModifyMsg&) override { called += "SetInt"; }
    void SetDouble(LValueModifyMsg&) override { called += "SetDouble"; }
    void SetString(LValueModifyMsg&) override { called += "SetString"; }
    void SetFromRange(LValueModifyMsg&) override { called += "SetFromRange"; }
    void StepBy(LValueModifyMsg&) override { called += "StepBy"; }
    void StepUp(LValueModifyMsg&) override { called += "StepUp"; }
    void Reset(LValueModifyMsg&) override { called += "Reset"; }
    std::string called;
};

class NotifyDecoder : public LMsgReceiverSS, public LValueNotifyMsgDecoder
{
  public:
    bool Receive(LMsg& msg) override { return LValueNotifyMsgDecoder::Receive(msg); }
    void OnChanged(LValueNotifyMsg&) override { called += "OnChanged"; }
    void OnRolledBack(LValueNotifyMsg&) override { called += "OnRolledBack"; }
    void OnDone(LValueNotifyMsg&) override { called += "OnDone"; }
    std::string called;
};

class ContextDecoder : public LMsgReceiverSS, public LValueContextMsgDecoder
{
  public:
    bool Receive(LMsg& msg) override { return LValueContextMsgDecoder::Receive(msg); }
    void OnChanged(LValueContextMsg&) override { called += "OnChanged"; }
    void OnCommit(LValueContextMsg&) override { called += "OnCommit"; }
    void OnRollBack(LValueContextMsg&) override { called += "OnRollBack"; }
    void OnRollBackDone(LValueContextMsg&) override { called += "OnRollBackDone"; }
    void OnCommitDone(LValueContextMsg&) override { called += "OnCommitDone"; }
    std::string called;
};

class RegisterDecoder : public LMsgReceiverSS, public LRegisterValueDependantsMsgDecoder
{
  public:
    bool Receive(LMsg& msg) override { return LRegisterValueDependantsMsgDecoder::Receive(msg); }
    void OnRegister(LRegisterValueDependantsMsg& msg) override { transaction = msg.transaction; }
    LValueTxInterface* transaction = nullptr;
};

// A message class derived from a decoder's own class, such as a transaction's group message.
class DerivedModifyMsg : public LValueModifyMsg
{
  public:
    DerivedModifyMsg() : LValueModifyMsg(0, kTypeInt, kItemValue) {}
};

struct DecodeCase
{
    int32_t typeOrKind;
    const char* called;
    bool answer;
};

TEST(ModifyDecoder, EachTypeGoesToItsOperation)
{
    const DecodeCase cases[] = {{0, "Query", true},     {1, "SetBool", true},   {2, "SetInt", true},
                                {3, "SetDouble", true}, {4, "SetString", true}, {5, "SetFromRange", true},
                                {6, "StepBy", true},    {7, "StepUp", true},    {8, "Reset", true},
                                {9, "", false},         {-1, "", false}};
    for (const DecodeCase& c : cases) {
        ModifyDecoder decoder;
        LValueModifyMsg msg(0, c.typeOrKind, LValueModifyMsg::kItemValue);
        EXPECT_EQ(decoder.Receive(msg), c.answer) << c.typeOrKind;
        EXPECT_EQ(decoder.called, c.called) << c.typeOrKind;
    }
}

TEST(NotifyDecoder, EachKindGoesToItsOperation)
{
    const DecodeCase cases[] = {{0, "OnChanged", true},
                                {1, "OnRolledBack", true},
                                {2, "OnDone", true},
                                {3, "", false},
                                {-1, "", false}};
    for (const DecodeCase& c : cases) {
        NotifyDecoder decoder;
        LValueNotifyMsg msg(LValueMsg(), c.typeOrKind, nullptr);
        EXPECT_EQ(decoder.Receive(msg), c.answer) << c.typeOrKind;
        EXPECT_EQ(decoder.called, c.called) << c.typeOrKind;
    }
}

TEST(ContextDecoder, EachKindGoesToItsOperation)
{
    const DecodeCase cases[] = {{0, "OnChanged", true},    {1, "OnCommit", true},
                                {2, "OnRollBack", true},   {3, "OnRollBackDone", true},
                                {4, "OnCommitDone", true}, {5, "", false}};
    for (const DecodeCase& c : cases) {
        ContextDecoder decoder;
        LValueContextMsg msg(c.typeOrKind);
        EXPECT_EQ(decoder.Receive(msg), c.answer) << c.typeOrKind;
        EXPECT_EQ(decoder.called, c.called) << c.typeOrKind;
    }
}

TEST(Decoders, TakeTheirExactClassOnly)
{
    ModifyDecoder modify;
    NotifyDecoder notify;
    ContextDecoder context;
    RegisterDecoder registration;
    LMsg plain;
    DerivedModifyMsg derived;
    LValueNotifyMsg notifyMsg(LValueMsg(), LValueNotifyMsg::kChanged, nullptr);
    LValueContextMsg contextMsg(LValueContextMsg::kCommit);
    LValueModifyMsg modifyMsg(0, LValueModifyMsg::kTypeInt, LValueModifyMsg::kItemValue);

    for (LMsg* msg : {&plain, static_cast<LMsg*>(&derived), static_cast<LMsg*>(&notifyMsg),
                      static_cast<LMsg*>(&contextMsg)})
        EXPECT_FALSE(modify.Receive(*msg));
    for (LMsg* msg : {&plain, static_cast<LMsg*>(&modifyMsg), static_cast<LMsg*>(&contextMsg)}) {
        EXPECT_FALSE(notify.Receive(*msg));
        EXPECT_FALSE(registration.Receive(*msg));
    }
    EXPECT_FALSE(context.Receive(notifyMsg));
    EXPECT_EQ(modify.called + notify.called + context.called, "");
}

TEST(RegisterDecoder, HandsOnTheTransaction)
{
    class Transaction : public LValueTxInterface
    {
      public:
        bool AddNotifyReceiver(LMsgReceiverInterface*) override { return true; }
    } transaction;
    RegisterDecoder decoder;
    LRegisterValueDependantsMsg msg(&transaction);
    EXPECT_TRUE(decoder.Receive(msg));
    EXPECT_EQ(decoder.transaction, &transaction);
}

} // namespace

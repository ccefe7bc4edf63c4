#include "messaging/value_modify_msg_encoder.h"

#include "messaging/msg_receiver_ss.h"
#include "messaging/msg_source.h"
#include "messaging/msg_source_sr.h"
#include "messaging/value_modify_msg.h"
#include "messaging/value_msg_to.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace {

// Keeps a copy of the last modify message it received and runs a script on the original.
class ModifyCapture : public LMsgReceiverSS
{
  public:
    bool Receive(LMsg& msg) override
    {
        auto* modify = ExactMsgCast<LValueModifyMsg>(msg);
        if (!modify)
            return false;
        sender = msg.Sender();
        if (answer)
            answer(*modify);
        last.emplace(*modify);
        return true;
    }

    std::optional<LValueModifyMsg> last;
    LMsgSourceID* sender = nullptr;
    std::function<void(LValueModifyMsg&)> answer;
};

struct PayloadCase
{
    const char* name;
    std::function<CError(LValueModifyMsgEncoder&)> send;
    uint32_t flags;
    int32_t type;
    int32_t item;
    int32_t intValue;
    double realValue;
    const char* text;
};

void PrintTo(const PayloadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ModifyPayload : public testing::TestWithParam<PayloadCase>
{
};

TEST_P(ModifyPayload, SenderSetsTypeItemFlagsAndPayload)
{
    const PayloadCase& c = GetParam();
    ModifyCapture receiver;
    LValueModifyMsgTo to(&receiver);
    c.send(to);
    ASSERT_TRUE(receiver.last);
    const LValueModifyMsg& msg = *receiver.last;
    EXPECT_EQ(msg.flags, c.flags);
    EXPECT_EQ(msg.type, c.type);
    EXPECT_EQ(msg.item, c.item);
    EXPECT_EQ(msg.intValue, c.intValue);
    EXPECT_THAT(msg.realValue, testing::NanSensitiveDoubleEq(c.realValue));
    EXPECT_EQ(msg.stringA, c.text);
    EXPECT_EQ(msg.handler, nullptr);
}

using M = LValueModifyMsg;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, ModifyPayload,
    testing::Values(PayloadCase{"BoolTrue", [](auto& e) { return e.SendBool(0x10209, true, M::kItemValue); },
                                0x10209, M::kTypeBool, M::kItemValue, 1, 1.0, ""},
                    PayloadCase{"BoolFalse", [](auto& e) { return e.SendBool(0, false, M::kItemEnabled); }, 0,
                                M::kTypeBool, M::kItemEnabled, 0, 0.0, ""},
                    PayloadCase{"Int", [](auto& e) { return e.SendInt(0x10400, 7, M::kItemMaximum); },
                                0x10400, M::kTypeInt, M::kItemMaximum, 7, 7.0, ""},
                    PayloadCase{"NegativeInt", [](auto& e) { return e.SendInt(0, -5, M::kItemValue); }, 0,
                                M::kTypeInt, M::kItemValue, -5, -5.0, ""},
                    PayloadCase{"NegativeRealTruncatesTowardZero",
                                [](auto& e) { return e.SendDouble(0x8, -2.7, M::kItemValue); }, 0x8,
                                M::kTypeDouble, M::kItemValue, -2, -2.7, ""},
                    PayloadCase{"RealTruncatesTowardZero",
                                [](auto& e) { return e.SendDouble(0, 2.7, M::kItemStep); }, 0, M::kTypeDouble,
                                M::kItemStep, 2, 2.7, ""},
                    PayloadCase{"HugeRealGivesTheLargestInteger",
                                [](auto& e) { return e.SendDouble(0, 1e12, M::kItemValue); }, 0,
                                M::kTypeDouble, M::kItemValue, kMax, 1e12, ""},
                    PayloadCase{"HugeNegativeRealGivesTheSmallestInteger",
                                [](auto& e) { return e.SendDouble(0, -1e12, M::kItemValue); }, 0,
                                M::kTypeDouble, M::kItemValue, kMin, -1e12, ""},
                    PayloadCase{"NaNGivesZero", [](auto& e) { return e.SendDouble(0, kNaN, M::kItemValue); },
                                0, M::kTypeDouble, M::kItemValue, 0, kNaN, ""},
                    PayloadCase{"String",
                                [](auto& e) { return e.SendString(0x10000, "12.5", M::kItemValue); }, 0x10000,
                                M::kTypeString, M::kItemValue, 0, 0.0, "12.5"},
                    PayloadCase{"StepUp", [](auto& e) { return e.SendStepUp(0x1, M::kItemValue); }, 0x1,
                                M::kTypeStepUp, M::kItemValue, 0, 0.0, ""},
                    PayloadCase{"Reset", [](auto& e) { return e.SendReset(0, M::kItemDefaultMark); }, 0,
                                M::kTypeReset, M::kItemDefaultMark, 0, 0.0, ""}),
    [](const testing::TestParamInfo<PayloadCase>& info) { return info.param.name; });

TEST(ModifyEncoder, PairComesBackWithWhatWasNotConsumed)
{
    ModifyCapture receiver;
    receiver.answer = [](LValueModifyMsg& msg) {
        EXPECT_EQ(msg.type, M::kTypeStepBy);
        EXPECT_EQ(msg.pairFirst, 3);
        EXPECT_EQ(msg.pairSecond, 5 * 65536);
        msg.pairSecond = 65536;
    };
    LValueModifyMsgTo to(&receiver);
    int32_t first = 3;
    int32_t second = 5 * 65536;
    EXPECT_FALSE(to.SendPair(0x11000, first, second, M::kItemValue).Failed());
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 65536);
    EXPECT_EQ(receiver.last->flags, 0x11000u);
}

TEST(ModifyEncoder, ResultAndErrorPositionComeBack)
{
    ModifyCapture receiver;
    receiver.answer = [](LValueModifyMsg& msg) { msg.SetError("Not a number!", 3); };
    LValueModifyMsgTo to(&receiver);
    int32_t errorPos = 0;
    const CError result = to.SendString(0, "12x", M::kItemValue, &errorPos);
    EXPECT_TRUE(result.Failed());
    EXPECT_EQ(result.ErrorText(), "Not a number!");
    EXPECT_EQ(errorPos, 3);

    receiver.answer = nullptr;
    EXPECT_EQ(to.SendInt(0, 1, M::kItemValue, &errorPos).State(), CError::kStateOk);
    EXPECT_EQ(errorPos, -1);
}

TEST(ModifyEncoder, QueryReturnsTheHandlerThatAnswered)
{
    ModifyCapture receiver;
    LValueModifyMsgTo to(&receiver);
    EXPECT_EQ(to.QueryHandler(), nullptr);
    EXPECT_EQ(receiver.last->type, M::kTypeQuery);

    auto* handler = reinterpret_cast<LValueHandler*>(&receiver);
    receiver.answer = [&](LValueModifyMsg& msg) { msg.handler = handler; };
    EXPECT_EQ(to.QueryHandler(), handler);
}

TEST(DirectEncoder, WithoutSenderReachesTheReceiverWithNoSenderRecorded)
{
    ModifyCapture receiver;
    LValueModifyMsgToReceiver to(&receiver);
    to.SendInt(0, 1, M::kItemValue);
    EXPECT_EQ(receiver.sender, nullptr);
}

TEST(DirectEncoder, WithSenderGoesThroughItsSend)
{
    ModifyCapture receiver;
    LMsgSourceSR source;
    ASSERT_TRUE(source.Connect(&receiver, 0));
    LValueModifyMsgTo to(nullptr, &source);
    to.SendInt(0, 1, M::kItemValue);
    EXPECT_EQ(receiver.sender, static_cast<LMsgSourceID*>(&source));
}

} // namespace

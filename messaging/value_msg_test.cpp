#include "messaging/value_msg.h"

#include "foundation/errors/c_error.h"
#include "messaging/msg_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Incoming
{
    int32_t state;
    const char* text;
    int32_t errorPos;
};

struct ResultCase
{
    const char* name;
    std::vector<Incoming> incoming;
    int32_t state;
    const char* text;
    int32_t errorPos;
    bool done;
};

void PrintTo(const ResultCase& c, std::ostream* os)
{
    *os << c.name;
}

CError MakeResult(const Incoming& in)
{
    CError result;
    if (in.state == CError::kStateWarning)
        result.SetWarning(in.text, 0);
    else if (in.state == CError::kStateError)
        result.SetError(in.text, 0);
    else if (in.state == CError::kStateFileSystemError)
        result.SetFileSystemError(2, in.text);
    return result;
}

class ValueMsgResult : public testing::TestWithParam<ResultCase>
{
};

TEST_P(ValueMsgResult, FollowsTheResultRules)
{
    const ResultCase& c = GetParam();
    LValueMsg msg;
    for (const Incoming& in : c.incoming)
        msg.SetResult(MakeResult(in), in.errorPos);
    EXPECT_EQ(msg.Result().State(), c.state);
    EXPECT_EQ(msg.Result().Message(), c.text);
    EXPECT_EQ(msg.ErrorPos(), c.errorPos);
    EXPECT_EQ(msg.IsDone(), c.done);
}

constexpr int32_t kOk = CError::kStateOk;
constexpr int32_t kWarning = CError::kStateWarning;
constexpr int32_t kError = CError::kStateError;
constexpr int32_t kFileError = CError::kStateFileSystemError;

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueMsgResult,
    testing::Values(
        ResultCase{"StartsOk", {}, kOk, "", -1, false},
        ResultCase{"OkChangesNothing", {{kOk, "", 4}}, kOk, "", -1, false},
        ResultCase{"WarningIsRecorded", {{kWarning, "w", 3}}, kWarning, "w", 3, false},
        ResultCase{"ErrorReplacesWarning", {{kWarning, "w", 3}, {kError, "e", 5}}, kError, "e", 5, true},
        ResultCase{
            "WarningAfterErrorIsIgnored", {{kError, "e", 5}, {kWarning, "w", 3}}, kError, "e", 5, true},
        ResultCase{
            "FirstOfTwoWarningsStays", {{kWarning, "w1", 1}, {kWarning, "w2", 2}}, kWarning, "w1", 1, false},
        ResultCase{"FirstOfTwoErrorsStays", {{kError, "e1", 1}, {kError, "e2", 2}}, kError, "e1", 1, true},
        ResultCase{"FileSystemErrorCountsAsError", {{kFileError, "f", -1}}, kFileError, "f", -1, true}),
    [](const testing::TestParamInfo<ResultCase>& info) { return info.param.name; });

TEST(ValueMsg, ErrorSetsDoneAlsoWhenNotRecorded)
{
    LValueMsg cause;
    cause.SetError("first", 2);
    // A copy carries the error but starts a send of its own.
    LValueMsg copy(cause);
    EXPECT_FALSE(copy.IsDone());
    copy.SetError("second", 7);
    EXPECT_TRUE(copy.IsDone());
    EXPECT_EQ(copy.Result().Message(), "first");
    EXPECT_EQ(copy.ErrorPos(), 2);
}

TEST(ValueMsg, NothingChangesOnceDone)
{
    LValueMsg msg;
    msg.SetDone();
    msg.SetError("late", 1);
    EXPECT_EQ(msg.Result().State(), kOk);
    EXPECT_EQ(msg.ErrorPos(), -1);
}

TEST(ValueMsg, CopyTakesFlagsAndResultButNotSendState)
{
    LValueMsg msg(0x10408);
    msg.SetResult(MakeResult({kWarning, "w", 6}), 6);
    LMsgSourceID sender;
    msg.SetSender(&sender);
    msg.SetDone();
    const LValueMsg copy(msg);
    EXPECT_EQ(copy.flags, 0x10408u);
    EXPECT_EQ(copy.Result().Message(), "w");
    EXPECT_EQ(copy.ErrorPos(), 6);
    EXPECT_FALSE(copy.IsDone());
    EXPECT_EQ(copy.Sender(), nullptr);
}

} // namespace

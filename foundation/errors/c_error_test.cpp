#include "foundation/errors/c_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

CError MakeState(int32_t state)
{
    CError value;
    switch (state) {
    case CError::kStateWarning:
        value.SetWarning("old warning", 11);
        break;
    case CError::kStateError:
        value.SetError("old error", 12);
        break;
    case CError::kStateFileSystemError:
        value.SetFileSystemError(13, "old file error");
        break;
    default:
        break;
    }
    return value;
}

void ExpectSame(const CError& actual, const CError& expected)
{
    EXPECT_EQ(actual.State(), expected.State());
    EXPECT_EQ(actual.Code(), expected.Code());
    EXPECT_STREQ(actual.Message().CStr(), expected.Message().CStr());
}

enum class Change { SetWarning, SetError, CopyOk, CopyWarning, CopyError, CopyFileSystemError };

CError Apply(CError value, Change change)
{
    switch (change) {
    case Change::SetWarning:
        value.SetWarning("new warning", 21);
        break;
    case Change::SetError:
        value.SetError("new error", 22);
        break;
    case Change::CopyOk:
        value.Copy(CError());
        break;
    case Change::CopyWarning: {
        CError other;
        other.SetWarning("new warning", 21);
        value.Copy(other);
        break;
    }
    case Change::CopyError:
        value.Copy(MakeCErrorFromText("new error", 22));
        break;
    case Change::CopyFileSystemError: {
        CError other;
        other.SetFileSystemError(23);
        value.Copy(other);
        break;
    }
    }
    return value;
}

// The value a change leaves: the old one, or the new one it brings.
CError NewValue(Change change)
{
    return Apply(CError(), change);
}

} // namespace

TEST(CErrorTest, StartsOk)
{
    const CError value;
    EXPECT_EQ(value.State(), CError::kStateOk);
    EXPECT_EQ(value.Code(), 0);
    EXPECT_TRUE(value.Message().IsEmpty());
    EXPECT_FALSE(value.Failed());
    EXPECT_STREQ(value.Text().CStr(), "");
}

TEST(CErrorTest, FirstErrorWins)
{
    struct Case
    {
        int32_t state;
        Change change;
        bool changes;
    };
    const Case cases[] = {
        {CError::kStateOk, Change::SetWarning, true},
        {CError::kStateOk, Change::SetError, true},
        {CError::kStateOk, Change::CopyOk, true},
        {CError::kStateOk, Change::CopyWarning, true},
        {CError::kStateOk, Change::CopyError, true},
        {CError::kStateOk, Change::CopyFileSystemError, true},
        {CError::kStateWarning, Change::SetWarning, false},
        {CError::kStateWarning, Change::SetError, true},
        {CError::kStateWarning, Change::CopyOk, false},
        {CError::kStateWarning, Change::CopyWarning, false},
        {CError::kStateWarning, Change::CopyError, true},
        {CError::kStateWarning, Change::CopyFileSystemError, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << ", change " << static_cast<int>(c.change));
        const CError before = MakeState(c.state);
        ExpectSame(Apply(before, c.change), c.changes ? NewValue(c.change) : before);
    }
    const Change allChanges[] = {Change::SetWarning,  Change::SetError,  Change::CopyOk,
                                 Change::CopyWarning, Change::CopyError, Change::CopyFileSystemError};
    for (const int32_t state : {CError::kStateError, CError::kStateFileSystemError}) {
        for (const Change change : allChanges) {
            SCOPED_TRACE(testing::Message() << "state " << state << ", change " << static_cast<int>(change));
            const CError before = MakeState(state);
            ExpectSame(Apply(before, change), before);
        }
    }
}

TEST(CErrorTest, ErrorAfterWarningThenSecondErrorIgnored)
{
    CError value;
    value.SetWarning("careful", 1);
    value.SetError("broken", 2);
    value.SetError("later", 3);
    EXPECT_EQ(value.State(), CError::kStateError);
    EXPECT_EQ(value.Code(), 2);
    EXPECT_STREQ(value.ErrorText().CStr(), "broken");
}

TEST(CErrorTest, CopySharesMessageAndSelfCopyChangesNothing)
{
    const CError error = MakeCErrorFromText("shared", 4);
    CError copy;
    copy.Copy(error);
    EXPECT_EQ(copy.Message().Block(), error.Message().Block());
    const CError constructed(error);
    EXPECT_EQ(constructed.Message().Block(), error.Message().Block());

    CError self = MakeState(CError::kStateWarning);
    self.Copy(self);
    ExpectSame(self, MakeState(CError::kStateWarning));
}

TEST(CErrorTest, AssignmentReplacesAnError)
{
    CError value = MakeCErrorFromText("first", 1);
    value = CError();
    EXPECT_EQ(value.State(), CError::kStateOk);
}

TEST(CErrorTest, Texts)
{
    CError warning;
    warning.SetWarning("mind this", 7);
    EXPECT_STREQ(warning.WarningText().CStr(), "mind this");
    EXPECT_STREQ(warning.Text().CStr(), "mind this");
    EXPECT_STREQ(warning.ErrorText().CStr(), "");
    EXPECT_FALSE(warning.Failed());

    const CError error = CError::CErrorFromText("went wrong", 9);
    EXPECT_STREQ(error.ErrorText().CStr(), "went wrong");
    EXPECT_STREQ(error.GetErrorMessage().CStr(), "went wrong");
    EXPECT_STREQ(error.Text().CStr(), "went wrong");
    EXPECT_STREQ(error.WarningText().CStr(), "");
    EXPECT_EQ(error.Code(), 9);
    EXPECT_TRUE(error.Failed());

    CError fileError;
    fileError.SetFileSystemError(5);
    EXPECT_TRUE(fileError.Failed());
    EXPECT_STREQ(fileError.ErrorText().CStr(), "Filesystem error (5)!");
    CError negativeCode;
    negativeCode.SetFileSystemError(-12);
    EXPECT_STREQ(negativeCode.Text().CStr(), "Filesystem error (-12)!");
    CError namedFileError;
    namedFileError.SetFileSystemError(5, "disk full");
    EXPECT_STREQ(namedFileError.ErrorText().CStr(), "disk full");
}

TEST(CErrorTest, OutOfMemory)
{
    const CError made = CError::CErrorOutOfMemory();
    EXPECT_EQ(made.State(), CError::kStateError);
    EXPECT_EQ(made.Code(), 0);
    EXPECT_STREQ(made.ErrorText().CStr(), "Out of memory!");
    CError set;
    set.SetOutOfMemory();
    ExpectSame(set, made);
}

TEST(CErrorTest, SystemCodesBecomeErrorsWithCodeZero)
{
    for (const int systemCode : {ENOENT, EACCES, 0, -1, 987654}) {
        SCOPED_TRACE(systemCode);
        CError value;
        value.FromSystemCode(systemCode);
        EXPECT_EQ(value.State(), CError::kStateError);
        EXPECT_EQ(value.Code(), 0);
        EXPECT_FALSE(value.ErrorText().IsEmpty());
    }
    errno = ENOENT;
    const CError fromErrno = CError::CErrorFromLastError();
    EXPECT_TRUE(fromErrno.Failed());
    EXPECT_FALSE(fromErrno.ErrorText().IsEmpty());

    CError earlier = MakeCErrorFromText("earlier", 1);
    errno = EACCES;
    earlier.FromLastError();
    EXPECT_STREQ(earlier.ErrorText().CStr(), "earlier");
}

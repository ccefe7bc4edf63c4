#include "foundation/files/file_error_class.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(FileErrorClass, DetailedCodesToClasses)
{
    struct Case
    {
        int32_t code;
        int32_t errorClass;
    };
    // Both ends of ranges, single codes, and neighbours that belong nowhere.
    const Case cases[] = {
        {0, 0},      {-11017, -30}, {-429, -30},  {-427, -30}, {-426, -32}, {-16, -30},  {-11016, -11},
        {-119, -11}, {-117, -11},   {-116, -10},  {-115, -11}, {-111, -11}, {-110, -1},  {-11015, -10},
        {-414, -10}, {-411, -10},   {-2, -10},    {-1, -10},   {-233, -20}, {-232, -20}, {-11013, -21},
        {-166, -21}, {-164, -21},   {-106, -21},  {-99, -32},  {-17, -32},  {-18, -32},  {-20, -31},
        {-22, -31},  {-19, -22},    {-163, -22},  {-244, -33}, {-103, -33}, {-231, -90}, {-227, -80},
        {-226, -80}, {-218, -43},   {-126, -43},  {-217, -12}, {-140, -12}, {-139, -12}, {-136, -12},
        {-131, -12}, {-181, -42},   {-177, -13},  {-171, -13}, {-168, -41}, {-157, -41}, {-143, -41},
        {-142, -40}, {-141, -1},    {-11000, -1}, {-3, -1},    {5, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileErrorToClass(c.code), c.errorClass) << c.code;
}

TEST(FileErrorClass, ClassesToDetailedCodesAndBack)
{
    const int32_t classes[] = {0,   -90, -80, -43, -42, -41, -40, -33, -32,
                               -31, -30, -22, -21, -20, -13, -12, -11, -10};
    const int32_t codes[] = {0,    -231,   -226, -126,   -181,   -160, -142, -103,   -303,
                             -302, -11017, -152, -11013, -11014, -172, -135, -11016, -11015};
    for (size_t i = 0; i < std::size(classes); ++i) {
        EXPECT_EQ(ClassToFileError(classes[i]), codes[i]) << classes[i];
        EXPECT_EQ(FileErrorToClass(codes[i]), classes[i]) << classes[i];
    }
    EXPECT_EQ(ClassToFileError(-1), -11000);
    EXPECT_EQ(ClassToFileError(-55), -11000);
    EXPECT_EQ(FileErrorToClass(ClassToFileError(-1)), -1);
}

TEST(FileErrorClass, SystemErrors)
{
    EXPECT_EQ(ErrnoToClass(0), 0);
    EXPECT_EQ(ErrnoToClass(ENOENT), kFsNotFound);
    EXPECT_EQ(FileErrorFromErrno(ENOENT), kFileErrorNoMoreEntries);
    EXPECT_EQ(ErrnoToClass(EACCES), kFsAccessDenied);
    EXPECT_EQ(ErrnoToClass(EROFS), kFsWriteProtected);
    EXPECT_EQ(ErrnoToClass(ENOSPC), kFsDiskFull);
    EXPECT_EQ(ErrnoToClass(EEXIST), kFsAlreadyExists);
    EXPECT_EQ(ErrnoToClass(ENOTSUP), kFsNotSupported);
    EXPECT_EQ(ErrnoToClass(ECHILD), kFsOther);
    errno = EBADF;
    EXPECT_EQ(FsLastError(), kFsInvalidHandle);
}

} // namespace

#include "foundation/files/file_time.h"

#include <gtest/gtest.h>

namespace {

TEST(FileTime, KnownMoments)
{
    // The Unix epoch, and 2001-02-03 04:05:06.7 UTC, as 100-nanosecond units since 1601.
    EXPECT_EQ(FileTimeFromTimespec({0, 0}), 116444736000000000ULL);
    EXPECT_EQ(FileTimeFromTimespec({981173106, 700000099}), 126256467067000000ULL);
    const FileTimeRecord record = FileTimeRecordOf({981173106, 700000099});
    EXPECT_EQ(static_cast<uint64_t>(static_cast<uint32_t>(record.high)) << 32 | record.low,
              126256467067000000ULL);
    EXPECT_GT(FileTimeNow(), 133000000000000000ULL); // after 2022
}

} // namespace

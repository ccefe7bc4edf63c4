#include "foundation/files/dir_scan.h"

#include "foundation/text/calendar_date.h"
#include "foundation/files/file_error_class.h"
#include "foundation/files/test_support/temp_tree_fixture.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

class DirScanTest : public TempTreeFixture
{
  protected:
    std::vector<std::string> Names(const std::string& path, int32_t types, int32_t* status = nullptr)
    {
        std::vector<std::string> names;
        for (CDirScan scan(path.c_str(), types); scan.Type() != 0; scan.Next())
            names.emplace_back(scan.Name().View());
        if (status) {
            CDirScan scan(path.c_str(), types);
            while (scan.Type() != 0)
                scan.Next();
            *status = scan.Status();
        }
        return Sorted(names);
    }
};

const std::vector<std::string> kAllFiles = {".hidden",
                                            "a.txt",
                                            "b.zyl",
                                            "back\\slash.txt",
                                            "loop",
                                            "noext",
                                            "readonly.txt",
                                            "star*name.txt",
                                            "what?.txt",
                                            "with space.txt",
                                            "\xC3\xBCnic\xC3\xB6"
                                            "de.zyl"};

TEST_F(DirScanTest, PatternsOverAFolder)
{
    MakeTree();
    EXPECT_EQ(Names(Path("*"), kDirEntryFile), (std::vector<std::string>{"loop", "noext"}));
    EXPECT_EQ(Names(Path("*"), kDirEntryFile | kDirEntryFolder),
              (std::vector<std::string>{"empty", "loop", "noext", "sub", "up"}));
    EXPECT_EQ(Names(Path("*.*"), kDirEntryFile), kAllFiles);
    EXPECT_EQ(Names(Root(), kDirEntryFile), kAllFiles);
    EXPECT_EQ(Names(Path("*.ZYL"), kDirEntryFile), (std::vector<std::string>{"b.zyl", "\xC3\xBCnic\xC3\xB6"
                                                                                      "de.zyl"}));
    // '?' may stand for nothing: ".hidden" has an empty title.
    EXPECT_EQ(Names(Path("?.*"), kDirEntryFile), (std::vector<std::string>{".hidden", "a.txt", "b.zyl"}));
    EXPECT_EQ(Names(Root(), kDirEntrySelf | kDirEntryParent), (std::vector<std::string>{".", ".."}));
}

TEST_F(DirScanTest, OneNamedEntry)
{
    MakeTree();
    EXPECT_EQ(Names(Path("sub"), kDirEntryFolder), (std::vector<std::string>{"sub"}));
    int32_t status = 0;
    EXPECT_TRUE(Names(Path("sub"), kDirEntryFile, &status).empty());
    EXPECT_EQ(status, kFileErrorNoMoreEntries);
    EXPECT_EQ(Names(Path("with space.txt"), kDirEntryFile), (std::vector<std::string>{"with space.txt"}));
    EXPECT_EQ(Names(Path("back\\slash.txt"), kDirEntryFile), (std::vector<std::string>{"back\\slash.txt"}));
    EXPECT_TRUE(Names(Path("missing.txt"), kDirEntryFile, &status).empty());
    EXPECT_EQ(status, kFileErrorNoMoreEntries);
}

TEST_F(DirScanTest, FailuresSetTheStatus)
{
    MakeTree();
    int32_t status = 0;
    EXPECT_TRUE(Names(Path("a*b"), kDirEntryFile, &status).empty());
    EXPECT_EQ(status, kFileErrorBadPattern);
    EXPECT_TRUE(Names(Path("missing/*.*"), kDirEntryFile, &status).empty());
    EXPECT_EQ(status, kFileErrorNoMoreEntries);
    EXPECT_TRUE(Names(Path("a.txt/*.*"), kDirEntryFile, &status).empty());
    EXPECT_EQ(FileErrorToClass(status), kFsNotFound);
}

TEST_F(DirScanTest, EntryDetails)
{
    MakeTree();
    MakeFile("sized.bin", std::string(1234, 'z'));
    // 2001-02-03 04:05:06 UTC.
    const timespec times[2] = {{981173106, 0}, {981173106, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Path("sized.bin").c_str(), times, 0), 0);

    struct Case
    {
        const char* name;
        int32_t types;
        int32_t type;
        int32_t entryFlags;
        int32_t accessFlags;
    };
    const Case cases[] = {
        {"a.txt", kDirEntryFile, kDirEntryFile, 0, 0x0B},
        {".hidden", kDirEntryFile, kDirEntryFile, 0, 0x1B},
        {"readonly.txt", kDirEntryFile, kDirEntryFile, 0, 0x01},
        {"sub", kDirEntryFolder, kDirEntryFolder, 0x10, 0x0B},
        {".", kDirEntrySelf, kDirEntrySelf, 0x11, 0x0B},
        {"..", kDirEntryParent, kDirEntryParent, 0x12, 0x0B},
        {"up", kDirEntryFolder, kDirEntryFolder, 0x10, 0x0B},
        {"loop", kDirEntryFile, kDirEntryFile, 0, 0x0B},
    };
    for (const auto& c : cases) {
        CDirScan scan(Path(c.name).c_str(), c.types);
        ASSERT_EQ(std::string(scan.Name().View()), c.name);
        EXPECT_EQ(scan.Type(), c.type) << c.name;
        EXPECT_EQ(scan.EntryFlags(), c.entryFlags) << c.name;
        EXPECT_EQ(scan.AccessFlags(), c.accessFlags) << c.name;
    }

    CDirScan scan(Path("sized.bin").c_str(), kDirEntryFile);
    EXPECT_EQ(scan.Size(), 1234u);
    // 100-nanosecond units since 1601 of that moment.
    const uint64_t units = (981173106ULL + 11644473600ULL) * 10000000ULL;
    uint16_t date = 0;
    int32_t time = 0;
    FileTimeToDayTime({static_cast<int32_t>(units >> 32), static_cast<uint32_t>(units), GetTimezoneOffset()},
                      date, time);
    EXPECT_EQ(scan.PackedDate(), date);
    EXPECT_EQ(scan.TimeOfDay(), time);
    EXPECT_NE(date, 0);
}

} // namespace

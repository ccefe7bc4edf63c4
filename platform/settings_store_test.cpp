#include "platform/settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr char kProgramKey[] = "Software\\Velquon\\RodaZI\\Zyl Player";
constexpr uid_t kUnprivilegedId = 65534;

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes)
{
    return std::vector<uint8_t>(bytes);
}

// A fresh folder for one test's database, removed afterwards.
class TempFolder
{
  public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "settings_store_XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        path_ = made != nullptr ? made : "";
    }
    ~TempFolder()
    {
        std::error_code error;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

// Sets or clears an environment variable for the lifetime of the object.
class EnvOverride
{
  public:
    EnvOverride(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~EnvOverride() { Set(old_ ? old_->c_str() : nullptr); }

  private:
    void Set(const char* value)
    {
        if (value != nullptr) {
            setenv(name_, value, 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

// Runs body in a child process and answers whether it returned true there.
bool RunInChild(const std::function<bool()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        std::_Exit(body() ? EXIT_SUCCESS : EXIT_FAILURE);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == EXIT_SUCCESS;
}

// The superuser writes through any file mode, so a read-only file is only read-only to others.
bool DropPrivileges()
{
    if (geteuid() != 0) {
        return true;
    }
    return setgroups(0, nullptr) == 0 && setgid(kUnprivilegedId) == 0 && setuid(kUnprivilegedId) == 0;
}

// One row of the raw tables, read with plain SQL: what the file holds, independent of the store.
struct RawValue
{
    std::string keyPath;
    std::string name;
    int type;
    std::string hexData;
};

std::vector<RawValue> ReadRawValues(const fs::path& file)
{
    constexpr char kQuery[] = R"(
        WITH RECURSIVE path(id, text) AS (
            SELECT id, name FROM setting_keys WHERE parent IS NULL
            UNION ALL SELECT k.id, path.text || '\' || k.name FROM setting_keys k JOIN path ON k.parent = path.id)
        SELECT path.text, v.name, v.type, hex(v.data) FROM setting_values v JOIN path ON v.key = path.id
        ORDER BY path.text, v.name)";
    std::vector<RawValue> rows;
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            rows.push_back({reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                            reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)),
                            sqlite3_column_int(statement, 2),
                            reinterpret_cast<const char*>(sqlite3_column_text(statement, 3))});
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

class SettingsStoreTest : public ::testing::Test
{
  protected:
    fs::path StorePath() const { return folder_.Path() / "registry.db"; }

    TempFolder folder_;
};

TEST(SettingsValueTest, DwordIsFourBytesLeastSignificantFirst)
{
    EXPECT_EQ(EncodeSettingsDword(0x12345678), Bytes({0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(DecodeSettingsDword(Bytes({0x78, 0x56, 0x34, 0x12})), 0x12345678u);
    EXPECT_EQ(DecodeSettingsDword(Bytes({0xff, 0xff, 0xff, 0xff})), 0xffffffffu);
    for (size_t size : {0, 1, 3, 5, 8}) {
        EXPECT_FALSE(DecodeSettingsDword(std::vector<uint8_t>(size, 1))) << size << " bytes";
    }
}

TEST(SettingsValueTest, StringEndsInOneZeroByte)
{
    EXPECT_EQ(EncodeSettingsString("ab"), Bytes({'a', 'b', 0}));
    EXPECT_EQ(EncodeSettingsString(""), Bytes({0}));
}

TEST_F(SettingsStoreTest, FileHoldsKeyPathTypeAndBytes)
{
    {
        SettingsStore store(StorePath().string());
        ASSERT_TRUE(store.IsOpen());
        auto player = store.OpenKey(SettingsRoot::CurrentUser, kProgramKey, true);
        auto mime = store.OpenKey(SettingsRoot::ClassesRoot,
                                  "MIME\\Database\\Content Type\\application/x-velquon-zyl", true);
        ASSERT_TRUE(player && mime);
        EXPECT_TRUE(
            store.SetValue(*player, "Width", SettingsValueType::Dword, EncodeSettingsDword(0x12345678)));
        EXPECT_TRUE(
            store.SetValue(*mime, "Extension", SettingsValueType::String, EncodeSettingsString(".zyl")));
        EXPECT_TRUE(store.SetValue(*player, "Empty", SettingsValueType::Binary, {}));
    }
    const std::vector<RawValue> rows = ReadRawValues(StorePath());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].keyPath, "HKEY_CLASSES_ROOT\\MIME\\Database\\Content Type\\application/x-velquon-zyl");
    EXPECT_EQ(rows[0].name, "Extension");
    EXPECT_EQ(rows[0].type, 1);
    EXPECT_EQ(rows[0].hexData, "2E7A796C00");
    EXPECT_EQ(rows[1].keyPath, "HKEY_CURRENT_USER\\Software\\Velquon\\RodaZI\\Zyl Player");
    EXPECT_EQ(rows[1].name, "Empty");
    EXPECT_EQ(rows[1].type, 3);
    EXPECT_EQ(rows[1].hexData, "");
    EXPECT_EQ(rows[2].name, "Width");
    EXPECT_EQ(rows[2].type, 4);
    EXPECT_EQ(rows[2].hexData, "78563412");
}

TEST_F(SettingsStoreTest, ValueComesBackWithItsTypeAndExactBytes)
{
    SettingsStore store(StorePath().string());
    auto key = store.OpenKey(SettingsRoot::CurrentUser, "K", true);
    ASSERT_TRUE(key);
    const std::vector<uint8_t> eightBytes = Bytes({1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(store.SetValue(*key, "", SettingsValueType::Qword, eightBytes));
    auto value = store.GetValue(*key, "");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, SettingsValueType::Qword);
    EXPECT_EQ(value->data, eightBytes);
    EXPECT_FALSE(DecodeSettingsDword(value->data));

    ASSERT_TRUE(store.SetValue(*key, "", SettingsValueType::Dword, EncodeSettingsDword(7)));
    value = store.GetValue(*key, "");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, SettingsValueType::Dword);
    EXPECT_EQ(DecodeSettingsDword(value->data), 7u);
}

struct NameCase
{
    const char* writtenKey;
    const char* writtenName;
    const char* readKey;
    const char* readName;
    bool found;
};

TEST_F(SettingsStoreTest, NamesCompareWithoutAsciiCaseAndSplitOnBackslashOnly)
{
    const NameCase cases[] = {
        {"Zyl Player\\Window", "Left", "zyl player\\WINDOW", "LEFT", true},
        {"Zyl Player\\Window", "Left", "Zyl Player\\Window", "Left ", false},
        {"a\\b", "v", "\\a\\\\b\\", "V", true},
        {"a/b", "v", "a\\b", "v", false},
        {"a/b", "v", "A/B", "v", true},
        {"\xC3\x84", "v", "\xC3\xA4", "v", false},
        {"k", "\xC3\xA9", "K", "\xC3\x89", false},
        {"k", "\xC3\xA9", "K", "\xC3\xA9", true},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(std::string(c.readKey) + " / " + c.readName);
        TempFolder folder;
        SettingsStore store((folder.Path() / "registry.db").string());
        auto written = store.OpenKey(SettingsRoot::CurrentUser, c.writtenKey, true);
        ASSERT_TRUE(written);
        ASSERT_TRUE(
            store.SetValue(*written, c.writtenName, SettingsValueType::Dword, EncodeSettingsDword(1)));
        auto read = store.OpenKey(SettingsRoot::CurrentUser, c.readKey, false);
        EXPECT_EQ(read && store.GetValue(*read, c.readName).has_value(), c.found);
    }
}

TEST_F(SettingsStoreTest, NameKeepsTheCaseItWasFirstWrittenWith)
{
    {
        SettingsStore store(StorePath().string());
        auto first = store.OpenKey(SettingsRoot::CurrentUser, "Zyl Player", true);
        auto second = store.OpenKey(SettingsRoot::CurrentUser, "ZYL PLAYER", true);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(*first, *second);
        ASSERT_TRUE(store.SetValue(*first, "Width", SettingsValueType::Dword, EncodeSettingsDword(1)));
        ASSERT_TRUE(store.SetValue(*second, "WIDTH", SettingsValueType::Dword, EncodeSettingsDword(2)));
    }
    const std::vector<RawValue> rows = ReadRawValues(StorePath());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].keyPath, "HKEY_CURRENT_USER\\Zyl Player");
    EXPECT_EQ(rows[0].name, "Width");
    EXPECT_EQ(rows[0].hexData, "02000000");
}

TEST_F(SettingsStoreTest, RootsAreSeparateTrees)
{
    SettingsStore store(StorePath().string());
    auto user = store.OpenKey(SettingsRoot::CurrentUser, ".zyl", true);
    ASSERT_TRUE(user);
    ASSERT_TRUE(store.SetValue(*user, "Content Type", SettingsValueType::String, EncodeSettingsString("x")));
    EXPECT_FALSE(store.OpenKey(SettingsRoot::ClassesRoot, ".zyl", false));
    auto root = store.OpenKey(SettingsRoot::ClassesRoot, "", false);
    ASSERT_TRUE(root);
    EXPECT_FALSE(store.GetValue(*root, "Content Type"));
}

TEST_F(SettingsStoreTest, OpenWithoutCreateFindsOnlyExistingKeys)
{
    SettingsStore store(StorePath().string());
    EXPECT_FALSE(store.OpenKey(SettingsRoot::CurrentUser, "a\\b", false));
    ASSERT_TRUE(store.OpenKey(SettingsRoot::CurrentUser, "a\\b", true));
    EXPECT_TRUE(store.OpenKey(SettingsRoot::CurrentUser, "a", false));
    EXPECT_TRUE(store.OpenKey(SettingsRoot::CurrentUser, "a\\b", false));
}

TEST_F(SettingsStoreTest, DeleteValueRemovesOnlyThatValue)
{
    SettingsStore store(StorePath().string());
    auto key = store.OpenKey(SettingsRoot::ClassesRoot, "CLSID\\{X}\\InprocServer32", true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(
        store.SetValue(*key, "ThreadingModel", SettingsValueType::String, EncodeSettingsString("Apartment")));
    ASSERT_TRUE(store.SetValue(*key, "", SettingsValueType::String, EncodeSettingsString("lib.so")));
    EXPECT_TRUE(store.DeleteValue(*key, "threadingmodel"));
    EXPECT_FALSE(store.DeleteValue(*key, "ThreadingModel"));
    EXPECT_FALSE(store.GetValue(*key, "ThreadingModel"));
    EXPECT_TRUE(store.GetValue(*key, ""));
}

TEST_F(SettingsStoreTest, DeleteKeyRemovesItsWholeTree)
{
    SettingsStore store(StorePath().string());
    auto clsid = store.OpenKey(SettingsRoot::ClassesRoot, "CLSID\\{X}", true);
    auto deep = store.OpenKey(SettingsRoot::ClassesRoot, "CLSID\\{X}\\EnableFullPage\\.zyl", true);
    auto sibling = store.OpenKey(SettingsRoot::ClassesRoot, "CLSID\\{Y}", true);
    ASSERT_TRUE(clsid && deep && sibling);
    ASSERT_TRUE(store.SetValue(*deep, "v", SettingsValueType::Dword, EncodeSettingsDword(1)));
    ASSERT_TRUE(store.SetValue(*sibling, "v", SettingsValueType::Dword, EncodeSettingsDword(1)));

    EXPECT_TRUE(store.DeleteKey(SettingsRoot::ClassesRoot, "clsid\\{x}"));
    EXPECT_FALSE(store.OpenKey(SettingsRoot::ClassesRoot, "CLSID\\{X}", false));
    EXPECT_FALSE(store.OpenKey(SettingsRoot::ClassesRoot, "CLSID\\{X}\\EnableFullPage", false));
    EXPECT_FALSE(store.GetValue(*deep, "v"));
    EXPECT_FALSE(store.SetValue(*deep, "v", SettingsValueType::Dword, EncodeSettingsDword(2)))
        << "a deleted key takes no values";
    EXPECT_TRUE(store.GetValue(*sibling, "v"));

    EXPECT_FALSE(store.DeleteKey(SettingsRoot::ClassesRoot, "CLSID\\{X}"));
    EXPECT_FALSE(store.DeleteKey(SettingsRoot::ClassesRoot, ""));
    EXPECT_FALSE(store.DeleteKey(SettingsRoot::ClassesRoot, "\\"));
    EXPECT_TRUE(store.OpenKey(SettingsRoot::ClassesRoot, "CLSID", false));
}

void ExpectUnusable(SettingsStore& store)
{
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(store.OpenKey(SettingsRoot::CurrentUser, "", false));
    EXPECT_FALSE(store.OpenKey(SettingsRoot::CurrentUser, kProgramKey, true));
    EXPECT_FALSE(store.SetValue(1, "v", SettingsValueType::Dword, EncodeSettingsDword(1)));
    EXPECT_FALSE(store.GetValue(1, "v"));
    EXPECT_FALSE(store.DeleteValue(1, "v"));
    EXPECT_FALSE(store.DeleteKey(SettingsRoot::CurrentUser, "Software"));
}

TEST_F(SettingsStoreTest, StoreThatCannotBeCreatedAnswersNothing)
{
    const fs::path file = folder_.Path() / "plain-file";
    std::ofstream(file) << "x";
    SettingsStore store((file / "registry.db").string());
    ExpectUnusable(store);
    EXPECT_EQ(store.LastError(), "unable to open database file"); // SQLite's words
}

TEST_F(SettingsStoreTest, FileThatIsNoDatabaseIsLeftAlone)
{
    const std::string garbage(4096, 'Z');
    std::ofstream(StorePath(), std::ios::binary) << garbage;
    {
        SettingsStore store(StorePath().string());
        ExpectUnusable(store);
        EXPECT_EQ(store.LastError(), "file is not a database");
    }
    std::ifstream in(StorePath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
}

struct ModeCase
{
    fs::perms file;
    fs::perms folder;
};

TEST_F(SettingsStoreTest, ReadOnlyStoreReadsItsValuesAndRefusesWrites)
{
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::perms readWrite = readOnly | fs::perms::owner_write;
    const fs::perms folderReadOnly =
        readOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    const fs::perms folderWritable = folderReadOnly | fs::perms::owner_write;
    const ModeCase cases[] = {
        {readOnly, folderWritable}, {readWrite, folderReadOnly}, {readOnly, folderReadOnly}};
    {
        SettingsStore store(StorePath().string());
        auto key = store.OpenKey(SettingsRoot::CurrentUser, kProgramKey, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(store.SetValue(*key, "Width", SettingsValueType::Dword, EncodeSettingsDword(640)));
    }
    // Dropped to another user, the child must own the file for its write bit to count.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(StorePath().c_str(), kUnprivilegedId, kUnprivilegedId), 0);
    }
    for (const ModeCase& c : cases) {
        fs::permissions(StorePath(), c.file);
        fs::permissions(folder_.Path(), c.folder);
        const bool readsButRefusesWrites = RunInChild([&] {
            if (!DropPrivileges()) {
                return false;
            }
            SettingsStore store(StorePath().string());
            const auto key = store.OpenKey(SettingsRoot::CurrentUser, kProgramKey, false);
            const auto width = key ? store.GetValue(*key, "Width") : std::nullopt;
            return store.IsOpen() && width && width->data == EncodeSettingsDword(640) &&
                   !store.SetValue(*key, "Width", SettingsValueType::Dword, EncodeSettingsDword(1)) &&
                   !store.DeleteValue(*key, "Width") &&
                   !store.OpenKey(SettingsRoot::CurrentUser, "Software\\New", true);
        });
        EXPECT_TRUE(readsButRefusesWrites) << "file mode " << static_cast<int>(c.file) << ", folder mode "
                                           << static_cast<int>(c.folder);
        fs::permissions(folder_.Path(), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::permissions(StorePath(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadRawValues(StorePath()).size(), 1u);
}

std::string FileBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(SettingsStoreTest, DatabaseOfAnotherProgramIsLeftUntouched)
{
    struct Case
    {
        const char* name;
        const char* sql;
    };
    const Case cases[] = {
        {"other tables", "CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES('kept');"},
        {"our tables and one more",
         "CREATE TABLE setting_keys(id INTEGER PRIMARY KEY); CREATE TABLE setting_values(key INTEGER);"
         "CREATE TABLE extra(x); PRAGMA user_version = 1;"},
        {"our names, another version",
         "CREATE TABLE setting_keys(id INTEGER PRIMARY KEY); CREATE TABLE setting_values(key INTEGER);"
         "PRAGMA user_version = 7;"},
        {"no tables, another version", "PRAGMA user_version = 3;"},
        {"a view", "CREATE VIEW numbers AS SELECT 1;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(StorePath());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(StorePath().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        const std::string before = FileBytes(StorePath());
        {
            SettingsStore store(StorePath().string());
            ExpectUnusable(store);
        }
        // Not even switched to another journal mode.
        EXPECT_EQ(FileBytes(StorePath()), before);
        EXPECT_FALSE(fs::exists(StorePath().string() + "-wal"));
    }
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int kProcesses = 2;
    constexpr int kValuesPerProcess = 2500;
    constexpr int kSubKeys = 10;
    const std::string path = StorePath().string();
    auto keyPath = [](int n) { return "Shared\\Sub" + std::to_string(n % kSubKeys); };
    auto valueName = [](int process, int n) {
        return "p" + std::to_string(process) + "_" + std::to_string(n);
    };

    int startGate[2];
    ASSERT_EQ(pipe(startGate), 0);
    std::vector<pid_t> children;
    for (int process = 0; process < kProcesses; ++process) {
        const pid_t child = fork();
        if (child == 0) {
            close(startGate[1]);
            char byte;
            // Both writers wait here until the parent lets them go together.
            bool ok = read(startGate[0], &byte, 1) == 0;
            SettingsStore store(path);
            for (int n = 0; n < kValuesPerProcess && ok; ++n) {
                auto key = store.OpenKey(SettingsRoot::CurrentUser, keyPath(n), true);
                ok = key && store.SetValue(*key, valueName(process, n), SettingsValueType::Dword,
                                           EncodeSettingsDword(static_cast<uint32_t>(n)));
            }
            std::_Exit(ok ? EXIT_SUCCESS : EXIT_FAILURE);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    close(startGate[0]);
    close(startGate[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_SUCCESS);
    }

    SettingsStore store(path);
    int found = 0;
    for (int process = 0; process < kProcesses; ++process) {
        for (int n = 0; n < kValuesPerProcess; ++n) {
            auto key = store.OpenKey(SettingsRoot::CurrentUser, keyPath(n), false);
            auto value = key ? store.GetValue(*key, valueName(process, n)) : std::nullopt;
            found += value && DecodeSettingsDword(value->data) == static_cast<uint32_t>(n);
        }
    }
    EXPECT_EQ(found, kProcesses * kValuesPerProcess);
    EXPECT_EQ(ReadRawValues(StorePath()).size(), static_cast<size_t>(kProcesses * kValuesPerProcess));
}

struct PathCase
{
    const char* database;
    const char* configHome;
    const char* home;
    const char* expected;
};

TEST(SettingsStorePathTest, DefaultPathFollowsEnvironment)
{
    const PathCase cases[] = {
        {"/tmp/t/registry.db", "/cfg", "/home/u", "/tmp/t/registry.db"},
        {nullptr, "/cfg", "/home/u", "/cfg/Velquon/RodaZI/registry.db"},
        {"", "/cfg", "/home/u", "/cfg/Velquon/RodaZI/registry.db"},
        {nullptr, nullptr, "/home/u", "/home/u/.config/Velquon/RodaZI/registry.db"},
        {nullptr, "relative/cfg", "/home/u", "/home/u/.config/Velquon/RodaZI/registry.db"},
    };
    for (const PathCase& c : cases) {
        EnvOverride database("ZYL_SETTINGS_DB", c.database);
        EnvOverride configHome("XDG_CONFIG_HOME", c.configHome);
        EnvOverride home("HOME", c.home);
        EXPECT_EQ(SettingsStore::DefaultPath(), c.expected);
    }
}

TEST_F(SettingsStoreTest, SharedStoreFollowsThePathOverride)
{
    const std::string first = (folder_.Path() / "first.db").string();
    const std::string second = (folder_.Path() / "second.db").string();
    std::shared_ptr<SettingsStore> a;
    std::shared_ptr<SettingsStore> b;
    {
        EnvOverride database("ZYL_SETTINGS_DB", first.c_str());
        a = CurrentSettingsStore();
        EXPECT_EQ(CurrentSettingsStore(), a);
        EXPECT_EQ(a->Path(), first);
        EXPECT_TRUE(a->IsOpen());
    }
    {
        EnvOverride database("ZYL_SETTINGS_DB", second.c_str());
        b = CurrentSettingsStore();
        EXPECT_EQ(b->Path(), second);
        EXPECT_NE(a, b);
    }
}

TEST_F(SettingsStoreTest, ScopedStoreIsCurrentWhileItLives)
{
    EnvOverride database("ZYL_SETTINGS_DB", (folder_.Path() / "shared.db").c_str());
    const std::shared_ptr<SettingsStore> shared = CurrentSettingsStore();
    SettingsStore own(StorePath().string());
    {
        ScopedSettingsStore use(&own);
        EXPECT_EQ(CurrentSettingsStore().get(), &own);
    }
    EXPECT_EQ(CurrentSettingsStore(), shared);
}

} // namespace

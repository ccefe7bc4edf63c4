#include "platform/settings_store.h"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

#include "platform/internal/sqlite_statement.h"

namespace {

constexpr char kPathVariable[] = "ZYL_SETTINGS_DB";
constexpr char kConfigHomeVariable[] = "XDG_CONFIG_HOME";
constexpr char kConfigFolderBelowHome[] = ".config";
constexpr char kStoreBelowConfig[] = "Velquon/RodaZI/registry.db";

constexpr char kKeySeparator = '\\';
// Long enough to outlast another process's write, short enough not to hang the program.
constexpr int kBusyTimeoutMs = 5000;
constexpr int64_t kSchemaVersion = 1;

// The two roots are fixed rows, so that every key has a parent row to hang from.
constexpr SettingsStore::KeyId kCurrentUserKey = 1;
constexpr SettingsStore::KeyId kClassesRootKey = 2;

// The NOCASE collation folds exactly the ASCII letters.
constexpr char kCreateKeys[] = R"(CREATE TABLE setting_keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES setting_keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL COLLATE NOCASE,
    UNIQUE(parent, name)))";
constexpr char kCreateValues[] = R"(CREATE TABLE setting_values(
    key INTEGER NOT NULL REFERENCES setting_keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, name)) WITHOUT ROWID)";
constexpr char kFillSchema[] = R"(
INSERT INTO setting_keys(id, parent, name) VALUES(1, NULL, 'HKEY_CURRENT_USER'), (2, NULL, 'HKEY_CLASSES_ROOT');
PRAGMA user_version = 1;
)";

constexpr char kSelectKey[] = "SELECT id FROM setting_keys WHERE parent = ?1 AND name = ?2";
constexpr char kInsertKey[] = "INSERT INTO setting_keys(parent, name) VALUES(?1, ?2)";
constexpr char kDeleteKeyTree[] = R"(
WITH RECURSIVE tree(id) AS (
    SELECT ?1 UNION ALL SELECT k.id FROM setting_keys k JOIN tree ON k.parent = tree.id)
DELETE FROM setting_keys WHERE id IN (SELECT id FROM tree))";
constexpr char kSelectValue[] = "SELECT type, data FROM setting_values WHERE key = ?1 AND name = ?2";
// An update keeps the letter case the name was first written with.
constexpr char kUpsertValue[] = R"(
INSERT INTO setting_values(key, name, type, data) VALUES(?1, ?2, ?3, ?4)
ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data)";
constexpr char kDeleteValue[] = "DELETE FROM setting_values WHERE key = ?1 AND name = ?2";
constexpr char kKeyContent[] = R"(
SELECT EXISTS(SELECT 1 FROM setting_values WHERE key = ?1) OR EXISTS(SELECT 1 FROM setting_keys WHERE parent = ?1))";

SettingsStore::KeyId RootKey(SettingsRoot root)
{
    return root == SettingsRoot::ClassesRoot ? kClassesRootKey : kCurrentUserKey;
}

std::vector<std::string_view> SplitKeyPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(kKeySeparator, start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// A file name as an SQLite URI that opens it without locks or shared memory.
std::string ImmutableUri(const std::string& path)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::strchr("/-._~", c) != nullptr) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 15];
        }
    }
    return uri + "?immutable=1";
}

std::string UserConfigFolder()
{
    const char* configHome = std::getenv(kConfigHomeVariable);
    // Relative values are invalid by the XDG rules and are ignored.
    if (configHome != nullptr && configHome[0] == '/') {
        return configHome;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : "";
    }
    return std::string(home) + "/" + kConfigFolderBelowHome;
}

} // namespace

// The connection with its prepared statements; exists only while the store is usable.
class SettingsStore::Database
{
  public:
    // Null when the file cannot be used; reason then says why.
    static std::unique_ptr<Database> Open(const std::string& path, std::string& reason);
    std::string Reason() const { return sqlite3_errmsg(db_); }
    // Why Inspect could not read the file as a database; empty when it could.
    const std::string& Unreadable() const { return unreadable_; }
    ~Database();

    std::optional<KeyId> FindKey(SettingsRoot root, const std::vector<std::string_view>& parts);
    std::optional<KeyId> CreateKey(SettingsRoot root, const std::vector<std::string_view>& parts);
    bool SetValue(KeyId key, std::string_view name, SettingsValueType type, std::span<const uint8_t> data);
    std::optional<SettingsValue> GetValue(KeyId key, std::string_view name);
    bool DeleteValue(KeyId key, std::string_view name);
    bool DeleteKeyTree(KeyId key);
    bool IsEmptyKey(KeyId key);

  private:
    explicit Database(sqlite3* db);

    enum class Content { Empty, Ours, Foreign };

    static sqlite3* Connect(const std::string& path, int flags, std::string& reason);
    bool Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    bool Configure();
    Content Inspect();
    bool EnsureSchema();
    std::optional<int64_t> SchemaVersion();
    bool PrepareStatements();
    // Runs body in one write transaction, committed when body returns true.
    template <typename Body> bool WriteTransaction(Body body);
    std::optional<KeyId> FindChild(KeyId parent, std::string_view name);

    sqlite3* db_;
    std::unique_ptr<SqliteStatement> selectKey_;
    std::unique_ptr<SqliteStatement> insertKey_;
    std::unique_ptr<SqliteStatement> deleteKeyTree_;
    std::unique_ptr<SqliteStatement> selectValue_;
    std::unique_ptr<SqliteStatement> upsertValue_;
    std::unique_ptr<SqliteStatement> deleteValue_;
    std::unique_ptr<SqliteStatement> keyContent_;
    std::string unreadable_;
};

SettingsStore::Database::Database(sqlite3* db) : db_(db)
{
}

SettingsStore::Database::~Database()
{
    // Statements first: a connection closes only once its statements are gone.
    selectKey_.reset();
    insertKey_.reset();
    deleteKeyTree_.reset();
    selectValue_.reset();
    upsertValue_.reset();
    deleteValue_.reset();
    keyContent_.reset();
    sqlite3_close(db_);
}

sqlite3* SettingsStore::Database::Connect(const std::string& path, int flags, std::string& reason)
{
    sqlite3* db = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (result != SQLITE_OK) {
        reason = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(result);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return db;
}

std::unique_ptr<SettingsStore::Database> SettingsStore::Database::Open(const std::string& path, std::string& reason)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    // Nothing is changed before the tables are known to be ours (or there are none yet).
    sqlite3* db = Connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, reason);
    if (db == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Database> database(new Database(db));
    // A file we cannot read here may still be read without writing (below).
    const Content content = database->Inspect();
    const bool writable =
        content != Content::Foreign && sqlite3_db_readonly(db, "main") == 0 && database->Configure();
    if (writable) {
        const bool ready = (content == Content::Ours || database->EnsureSchema()) && database->PrepareStatements();
        if (!ready) {
            reason = database->Reason();
            return nullptr;
        }
        return database;
    }
    // A file or folder we may not write: the settings it holds are still read; writes fail.
    // Reading a WAL database needs its shared-memory file beside it; where that cannot be made,
    // the file is read as it stands (what another process has not yet checkpointed is not seen).
    database.reset();
    for (const std::string& name : {path, ImmutableUri(path)}) {
        db = Connect(name, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, reason);
        if (db == nullptr) {
            continue;
        }
        database.reset(new Database(db));
        const Content seen = database->Inspect();
        if (seen == Content::Ours && database->PrepareStatements()) {
            return database;
        }
        reason = !database->Unreadable().empty() ? database->Unreadable()
                 : seen == Content::Foreign    ? "the database belongs to another program"
                                               : database->Reason();
        database.reset();
    }
    return nullptr;
}

bool SettingsStore::Database::Configure()
{
    SqliteStatement journal(db_, "PRAGMA journal_mode = WAL");
    SqliteStatement::Run run(journal);
    if (!run.Step() || run.ColumnText(0) != "wal") {
        return false;
    }
    // In WAL mode NORMAL never corrupts the file; a crash can only lose the latest commits.
    return Exec("PRAGMA synchronous = NORMAL") && Exec("PRAGMA foreign_keys = ON");
}

// Ours: our schema version and exactly our two tables, as we made them (a table of that name
// that compares names another way is not ours). Empty: a new file (no schema objects, version 0).
// Anything else, also a file that cannot be read as a database, is another program's and stays
// as it is.
SettingsStore::Database::Content SettingsStore::Database::Inspect()
{
    // The unique constraint's own index has no statement of its own.
    SqliteStatement objects(db_, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name");
    SqliteStatement::Run run(objects);
    std::vector<std::string> statements;
    while (run.Step()) {
        statements.push_back(run.ColumnText(0));
    }
    if (run.Failed()) {
        unreadable_ = Reason();
    }
    const std::optional<int64_t> version = SchemaVersion();
    if (run.Failed() || !version) {
        return Content::Foreign;
    }
    if (statements.empty() && version == 0) {
        return Content::Empty;
    }
    const std::vector<std::string> ours = {kCreateKeys, kCreateValues};
    return statements == ours && version == kSchemaVersion ? Content::Ours : Content::Foreign;
}

std::optional<int64_t> SettingsStore::Database::SchemaVersion()
{
    SqliteStatement version(db_, "PRAGMA user_version");
    SqliteStatement::Run run(version);
    if (!run.Step()) {
        return std::nullopt;
    }
    return run.ColumnInt(0);
}

bool SettingsStore::Database::EnsureSchema()
{
    // Another process may be making the schema at this moment: look again inside the lock.
    return WriteTransaction([this] {
        switch (Inspect()) {
        case Content::Empty:
            return Exec(kCreateKeys) && Exec(kCreateValues) && Exec(kFillSchema);
        case Content::Ours:
            return true;
        case Content::Foreign:
            return false;
        }
        return false;
    });
}

bool SettingsStore::Database::PrepareStatements()
{
    selectKey_ = std::make_unique<SqliteStatement>(db_, kSelectKey);
    insertKey_ = std::make_unique<SqliteStatement>(db_, kInsertKey);
    deleteKeyTree_ = std::make_unique<SqliteStatement>(db_, kDeleteKeyTree);
    selectValue_ = std::make_unique<SqliteStatement>(db_, kSelectValue);
    upsertValue_ = std::make_unique<SqliteStatement>(db_, kUpsertValue);
    deleteValue_ = std::make_unique<SqliteStatement>(db_, kDeleteValue);
    keyContent_ = std::make_unique<SqliteStatement>(db_, kKeyContent);
    return selectKey_->IsValid() && insertKey_->IsValid() && deleteKeyTree_->IsValid() &&
           selectValue_->IsValid() && upsertValue_->IsValid() && deleteValue_->IsValid() &&
           keyContent_->IsValid();
}

template <typename Body> bool SettingsStore::Database::WriteTransaction(Body body)
{
    // IMMEDIATE takes the write lock first (waiting through the busy timeout), so the body never
    // meets a lock it cannot wait for.
    if (!Exec("BEGIN IMMEDIATE")) {
        return false;
    }
    if (body() && Exec("COMMIT")) {
        return true;
    }
    Exec("ROLLBACK");
    return false;
}

std::optional<SettingsStore::KeyId> SettingsStore::Database::FindChild(KeyId parent, std::string_view name)
{
    SqliteStatement::Run run(*selectKey_);
    run.Bind(1, parent).BindText(2, name);
    if (!run.Step()) {
        return std::nullopt;
    }
    return run.ColumnInt(0);
}

std::optional<SettingsStore::KeyId>
SettingsStore::Database::FindKey(SettingsRoot root, const std::vector<std::string_view>& parts)
{
    std::optional<KeyId> key = RootKey(root);
    for (size_t i = 0; i < parts.size() && key; ++i) {
        key = FindChild(*key, parts[i]);
    }
    return key;
}

std::optional<SettingsStore::KeyId>
SettingsStore::Database::CreateKey(SettingsRoot root, const std::vector<std::string_view>& parts)
{
    KeyId key = RootKey(root);
    const bool written = WriteTransaction([&] {
        for (std::string_view part : parts) {
            if (std::optional<KeyId> child = FindChild(key, part)) {
                key = *child;
                continue;
            }
            SqliteStatement::Run run(*insertKey_);
            if (!run.Bind(1, key).BindText(2, part).Execute()) {
                return false;
            }
            key = sqlite3_last_insert_rowid(db_);
        }
        return true;
    });
    if (!written) {
        return std::nullopt;
    }
    return key;
}

bool SettingsStore::Database::SetValue(KeyId key, std::string_view name, SettingsValueType type,
                                       std::span<const uint8_t> data)
{
    return WriteTransaction([&] {
        SqliteStatement::Run run(*upsertValue_);
        return run.Bind(1, key)
            .BindText(2, name)
            .Bind(3, static_cast<int32_t>(type))
            .BindBlob(4, data)
            .Execute();
    });
}

std::optional<SettingsValue> SettingsStore::Database::GetValue(KeyId key, std::string_view name)
{
    SqliteStatement::Run run(*selectValue_);
    run.Bind(1, key).BindText(2, name);
    if (!run.Step()) {
        return std::nullopt;
    }
    return SettingsValue{static_cast<SettingsValueType>(run.ColumnInt(0)), run.ColumnBlob(1)};
}

bool SettingsStore::Database::DeleteValue(KeyId key, std::string_view name)
{
    return WriteTransaction([&] {
        SqliteStatement::Run run(*deleteValue_);
        return run.Bind(1, key).BindText(2, name).Execute() && sqlite3_changes(db_) > 0;
    });
}

bool SettingsStore::Database::DeleteKeyTree(KeyId key)
{
    return WriteTransaction([&] {
        SqliteStatement::Run run(*deleteKeyTree_);
        return run.Bind(1, key).Execute() && sqlite3_changes(db_) > 0;
    });
}

bool SettingsStore::Database::IsEmptyKey(KeyId key)
{
    SqliteStatement::Run run(*keyContent_);
    run.Bind(1, key);
    return !run.Step() || run.ColumnInt(0) == 0;
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)), database_(Database::Open(path_, openError_))
{
}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::DefaultPath()
{
    const char* path = std::getenv(kPathVariable);
    if (path != nullptr && path[0] != '\0') {
        return path;
    }
    return UserConfigFolder() + "/" + kStoreBelowConfig;
}

namespace {

constinit std::atomic<SettingsStore*> replacement{nullptr};

std::shared_ptr<SettingsStore> ProcessStore()
{
    static std::mutex mutex;
    static std::shared_ptr<SettingsStore> shared;
    const std::string path = SettingsStore::DefaultPath();
    std::lock_guard lock(mutex);
    if (shared && shared->Path() == path) {
        return shared;
    }
    auto store = std::make_shared<SettingsStore>(path);
    if (store->IsOpen()) {
        shared = store;
    }
    return store;
}

} // namespace

std::shared_ptr<SettingsStore> CurrentSettingsStore()
{
    SettingsStore* store = replacement.load(std::memory_order_acquire);
    // The caller owns a store it set: the pointer handed out does not.
    return store != nullptr ? std::shared_ptr<SettingsStore>(std::shared_ptr<void>(), store) : ProcessStore();
}

SettingsStore* SetSettingsStore(SettingsStore* store)
{
    return replacement.exchange(store, std::memory_order_acq_rel);
}

std::string SettingsStore::LastError() const
{
    std::lock_guard lock(mutex_);
    return database_ ? database_->Reason() : openError_;
}

bool SettingsStore::IsOpen() const
{
    return database_ != nullptr;
}

std::optional<SettingsStore::KeyId> SettingsStore::OpenKey(SettingsRoot root, std::string_view path,
                                                           bool create)
{
    std::lock_guard lock(mutex_);
    if (!database_) {
        return std::nullopt;
    }
    const std::vector<std::string_view> parts = SplitKeyPath(path);
    // Most opens find their key: only a missing one takes the write lock.
    std::optional<KeyId> key = database_->FindKey(root, parts);
    if (key || !create) {
        return key;
    }
    return database_->CreateKey(root, parts);
}

bool SettingsStore::SetValue(KeyId key, std::string_view name, SettingsValueType type,
                             std::span<const uint8_t> data)
{
    std::lock_guard lock(mutex_);
    return database_ && database_->SetValue(key, name, type, data);
}

std::optional<SettingsValue> SettingsStore::GetValue(KeyId key, std::string_view name)
{
    std::lock_guard lock(mutex_);
    if (!database_) {
        return std::nullopt;
    }
    return database_->GetValue(key, name);
}

bool SettingsStore::DeleteValue(KeyId key, std::string_view name)
{
    std::lock_guard lock(mutex_);
    return database_ && database_->DeleteValue(key, name);
}

bool SettingsStore::IsEmptyKey(KeyId key)
{
    std::lock_guard lock(mutex_);
    return !database_ || database_->IsEmptyKey(key);
}

bool SettingsStore::DeleteKey(SettingsRoot root, std::string_view path)
{
    std::lock_guard lock(mutex_);
    if (!database_) {
        return false;
    }
    const std::vector<std::string_view> parts = SplitKeyPath(path);
    if (parts.empty()) {
        return false;
    }
    std::optional<KeyId> key = database_->FindKey(root, parts);
    return key && database_->DeleteKeyTree(*key);
}

// A settings write and read through LRegKey, next to a plain SQLite INSERT and SELECT on a
// database with the same journal settings, each in a fresh temporary folder of the same run.
#include "foundation/registry/reg_key.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr char kPathVariable[] = "ZYL_SETTINGS_DB";
constexpr char kKey[] = "Zyl Player\\Window";
constexpr char kValue[] = "Width";

// A temporary folder whose registry.db the process's settings store uses while it lives.
class BenchFolder
{
  public:
    BenchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "reg_key_bench_XXXXXX").string();
        path_ = mkdtemp(pattern.data()) != nullptr ? pattern : "";
        setenv(kPathVariable, Database().c_str(), 1);
    }
    ~BenchFolder()
    {
        unsetenv(kPathVariable);
        std::error_code error;
        fs::remove_all(path_, error);
    }
    fs::path Database() const { return path_ / "registry.db"; }

  private:
    fs::path path_;
};

void BM_RegKeyWriteDword(benchmark::State& state)
{
    BenchFolder folder;
    LRegKey key(kKey, true);
    uint32_t value = 0;
    for (auto _ : state) {
        if (!key.WriteDword(kValue, ++value)) {
            state.SkipWithError("write failed");
            break;
        }
    }
}
BENCHMARK(BM_RegKeyWriteDword);

void BM_RegKeyReadDword(benchmark::State& state)
{
    BenchFolder folder;
    LRegKey key(kKey, true);
    key.WriteDword(kValue, 640);
    uint32_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(key.ReadDword(kValue, value));
    }
}
BENCHMARK(BM_RegKeyReadDword);

// The reference: one table, one prepared statement, the same journal mode and sync level.
class PlainDatabase
{
  public:
    explicit PlainDatabase(const fs::path& path)
    {
        sqlite3_open(path.c_str(), &db_);
        sqlite3_exec(db_,
                     "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;"
                     "CREATE TABLE t(name TEXT PRIMARY KEY, data BLOB)",
                     nullptr, nullptr, nullptr);
    }
    ~PlainDatabase() { sqlite3_close(db_); }
    sqlite3_stmt* Prepare(const char* sql)
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
        return statement;
    }

  private:
    sqlite3* db_ = nullptr;
};

void BM_SqliteInsertReference(benchmark::State& state)
{
    BenchFolder folder;
    PlainDatabase db(folder.Database());
    sqlite3_stmt* insert = db.Prepare("INSERT OR REPLACE INTO t(name, data) VALUES(?1, ?2)");
    uint32_t value = 0;
    for (auto _ : state) {
        ++value;
        sqlite3_bind_text(insert, 1, kValue, -1, SQLITE_STATIC);
        sqlite3_bind_blob(insert, 2, &value, sizeof value, SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            state.SkipWithError("insert failed");
            break;
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}
BENCHMARK(BM_SqliteInsertReference);

void BM_SqliteSelectReference(benchmark::State& state)
{
    BenchFolder folder;
    PlainDatabase db(folder.Database());
    sqlite3_stmt* insert = db.Prepare("INSERT INTO t(name, data) VALUES(?1, x'80020000')");
    sqlite3_bind_text(insert, 1, kValue, -1, SQLITE_STATIC);
    sqlite3_step(insert);
    sqlite3_finalize(insert);
    sqlite3_stmt* select = db.Prepare("SELECT data FROM t WHERE name = ?1");
    for (auto _ : state) {
        sqlite3_bind_text(select, 1, kValue, -1, SQLITE_STATIC);
        benchmark::DoNotOptimize(sqlite3_step(select));
        benchmark::DoNotOptimize(sqlite3_column_bytes(select, 0));
        sqlite3_reset(select);
    }
    sqlite3_finalize(select);
}
BENCHMARK(BM_SqliteSelectReference);

} // namespace

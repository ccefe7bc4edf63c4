#include "platform/internal/sqlite_statement.h"

#include <sqlite3.h>

namespace {
// SQLite takes a null pointer as SQL NULL, so empty texts and blobs point here instead.
constexpr char kEmpty[] = "";
} // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql)
{
    if (db == nullptr || sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                            SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement::Run::~Run()
{
    if (statement_ != nullptr) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

SqliteStatement::Run& SqliteStatement::Run::Bind(int index, int64_t value)
{
    if (statement_ == nullptr || sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) {
        failed_ = true;
    }
    return *this;
}

SqliteStatement::Run& SqliteStatement::Run::BindText(int index, std::string_view text)
{
    const char* bytes = text.empty() ? kEmpty : text.data();
    if (statement_ == nullptr ||
        sqlite3_bind_text64(statement_, index, bytes, text.size(), SQLITE_STATIC, SQLITE_UTF8) != SQLITE_OK) {
        failed_ = true;
    }
    return *this;
}

SqliteStatement::Run& SqliteStatement::Run::BindBlob(int index, std::span<const uint8_t> data)
{
    const void* bytes = data.empty() ? static_cast<const void*>(kEmpty) : data.data();
    if (statement_ == nullptr ||
        sqlite3_bind_blob64(statement_, index, bytes, data.size(), SQLITE_STATIC) != SQLITE_OK) {
        failed_ = true;
    }
    return *this;
}

bool SqliteStatement::Run::Step()
{
    if (failed_ || statement_ == nullptr) {
        failed_ = true;
        return false;
    }
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) {
        return true;
    }
    failed_ = result != SQLITE_DONE;
    return false;
}

bool SqliteStatement::Run::Execute()
{
    while (Step()) {
    }
    return !failed_;
}

int64_t SqliteStatement::Run::ColumnInt(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Run::ColumnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text != nullptr ? std::string(text, sqlite3_column_bytes(statement_, column)) : std::string();
}

std::vector<uint8_t> SqliteStatement::Run::ColumnBlob(int column) const
{
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    if (bytes == nullptr || size <= 0) {
        return {};
    }
    return std::vector<uint8_t>(bytes, bytes + size);
}

#include "platform/internal/sqlite_statement.h"

#include <sqlite3.h>

namespace {
// SQLite takes a null pointer as SQL NULL, so empty texts and blobs point here instead.
constexpr char kEmpty[] = "";
} // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql)
{
    if (db == nullptr || sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                            SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement::Run::~Run()
{
    if (m_statement != nullptr) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

SqliteStatement::Run& SqliteStatement::Run::Bind(int index, int64_t value)
{
    if (m_statement == nullptr || sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK) {
        m_failed = true;
    }
    return *this;
}

SqliteStatement::Run& SqliteStatement::Run::BindText(int index, std::string_view text)
{
    const char* bytes = text.empty() ? kEmpty : text.data();
    if (m_statement == nullptr || sqlite3_bind_text64(m_statement, index, bytes, text.size(), SQLITE_STATIC,
                                                      SQLITE_UTF8) != SQLITE_OK) {
        m_failed = true;
    }
    return *this;
}

SqliteStatement::Run& SqliteStatement::Run::BindBlob(int index, std::span<const uint8_t> data)
{
    const void* bytes = data.empty() ? static_cast<const void*>(kEmpty) : data.data();
    if (m_statement == nullptr ||
        sqlite3_bind_blob64(m_statement, index, bytes, data.size(), SQLITE_STATIC) != SQLITE_OK) {
        m_failed = true;
    }
    return *this;
}

bool SqliteStatement::Run::Step()
{
    if (m_failed || m_statement == nullptr) {
        m_failed = true;
        return false;
    }
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW) {
        return true;
    }
    m_failed = result != SQLITE_DONE;
    return false;
}

bool SqliteStatement::Run::Execute()
{
    while (Step()) {
    }
    return !m_failed;
}

int64_t SqliteStatement::Run::ColumnInt(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::Run::ColumnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return text != nullptr ? std::string(text, sqlite3_column_bytes(m_statement, column)) : std::string();
}

std::vector<uint8_t> SqliteStatement::Run::ColumnBlob(int column) const
{
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    if (bytes == nullptr || size <= 0) {
        return {};
    }
    return std::vector<uint8_t>(bytes, bytes + size);
}

// A prepared SQLite statement that is reset and cleared after each use, so that one statement
// can be prepared once per connection and run many times.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement
{
  public:
    // A statement that failed to prepare stays invalid; running it fails.
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool IsValid() const { return statement_ != nullptr; }

    // One run: bind parameters (numbered from 1), step through the rows; the destructor of
    // the run resets the statement for the next one.
    class Run
    {
      public:
        explicit Run(SqliteStatement& statement) : statement_(statement.statement_) {}
        ~Run();
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

        Run& Bind(int index, int64_t value);
        Run& BindText(int index, std::string_view text);
        Run& BindBlob(int index, std::span<const uint8_t> data);

        // True while there is a row; false at the end and on failure, told apart by Failed().
        bool Step();
        bool Failed() const { return failed_; }
        // True when the statement ran to its end without failing.
        bool Execute();

        int64_t ColumnInt(int column) const;
        std::string ColumnText(int column) const;
        std::vector<uint8_t> ColumnBlob(int column) const;

      private:
        sqlite3_stmt* statement_;
        bool failed_ = false;
    };

  private:
    sqlite3_stmt* statement_ = nullptr;
};

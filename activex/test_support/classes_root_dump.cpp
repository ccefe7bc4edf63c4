#include "activex/test_support/classes_root_dump.h"

#include <algorithm>
#include <sqlite3.h>

namespace {

// Paths of every key below the classes root (row 2), and their text values.
constexpr char kDump[] = R"(
WITH RECURSIVE tree(id, path) AS (
    SELECT id, name FROM setting_keys WHERE parent = 2
    UNION ALL SELECT k.id, tree.path || '\' || k.name FROM setting_keys k JOIN tree ON k.parent = tree.id)
SELECT tree.path, v.name, v.type, v.data FROM tree LEFT JOIN setting_values v ON v.key = tree.id)";

} // namespace

std::vector<std::string> DumpClassesRoot(const std::string& databasePath)
{
    std::vector<std::string> lines;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return lines;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kDump, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::string line = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            if (sqlite3_column_type(statement, 1) != SQLITE_NULL) {
                const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, 3));
                std::string text(data != nullptr ? data : "", static_cast<size_t>(sqlite3_column_bytes(statement, 3)));
                // A text value ends in one zero byte.
                if (!text.empty() && text.back() == '\0') {
                    text.pop_back();
                }
                line += "|" + std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))) + "=" +
                        (sqlite3_column_int(statement, 2) == 1 ? text : "<binary>");
            }
            lines.push_back(line);
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    std::sort(lines.begin(), lines.end());
    return lines;
}

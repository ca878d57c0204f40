// The yardstick: a native SQLite database file, used through the same kind of calls as the
// engine (cached prepared statements, bound values, rows materialised into a ResultSet),
// so that the difference measured is the storage underneath and not the API around it.
#pragma once

#include "platform/storage/storage.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace lirma::bench {

class NativeDb {
public:
    // Rollback journal (DELETE), synchronous=FULL: SQLite's own durable commit.
    explicit NativeDb(const std::filesystem::path& file);
    ~NativeDb();
    NativeDb(const NativeDb&) = delete;
    NativeDb& operator=(const NativeDb&) = delete;

    storage::ResultSet query(std::string_view sql, const storage::Params& params = {});
    int64_t exec(std::string_view sql, const storage::Params& params = {}) { return query(sql, params).changes; }
    void script(const std::string& sql); // DDL, BEGIN, COMMIT
    std::string plan(const std::string& sql); // EXPLAIN QUERY PLAN, one line

private:
    sqlite3_stmt* prepare(std::string_view sql);

    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

} // namespace lirma::bench

#include "native_sqlite.h"

#include <sqlite3.h>

namespace lirma::bench {

using storage::ResultSet;
using storage::StorageError;
using storage::Value;

NativeDb::NativeDb(const std::filesystem::path& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        throw StorageError("cannot open " + file.string());
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    script("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;");
}

NativeDb::~NativeDb() {
    for (auto& [sql, st] : statements_) sqlite3_finalize(st);
    sqlite3_close_v2(db_);
}

void NativeDb::script(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "unknown error";
        sqlite3_free(err);
        throw StorageError("native: " + msg);
    }
}

std::string NativeDb::plan(const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw StorageError(sqlite3_errmsg(db_));
    std::string out;
    while (sqlite3_step(st) == SQLITE_ROW) {
        if (!out.empty()) out += "; ";
        out += reinterpret_cast<const char*>(sqlite3_column_text(st, 3));
    }
    sqlite3_finalize(st);
    return out;
}

sqlite3_stmt* NativeDb::prepare(std::string_view sql) {
    std::string key(sql);
    auto it = statements_.find(key);
    if (it != statements_.end()) return it->second;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, key.c_str(), int(key.size()), &st, nullptr) != SQLITE_OK)
        throw StorageError("native: " + std::string(sqlite3_errmsg(db_)));
    statements_.emplace(key, st);
    return st;
}

// The same binding and materialisation as the engine's own statement runner.
ResultSet NativeDb::query(std::string_view sql, const storage::Params& params) {
    sqlite3_stmt* st = prepare(sql);
    struct Reset {
        sqlite3_stmt* st;
        ~Reset() {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    } reset{st};
    int n = sqlite3_bind_parameter_count(st);
    if (size_t(n) != params.size()) throw StorageError("native: wrong number of values");
    for (int i = 0; i < n; ++i) {
        const Value& v = params[size_t(i)];
        if (v.isNull()) sqlite3_bind_null(st, i + 1);
        else if (v.isInt()) sqlite3_bind_int64(st, i + 1, v.toInt());
        else if (v.isReal()) sqlite3_bind_double(st, i + 1, v.toReal());
        else {
            std::string s = v.toText();
            sqlite3_bind_text(st, i + 1, s.data(), int(s.size()), SQLITE_TRANSIENT);
        }
    }
    ResultSet rs;
    int cols = sqlite3_column_count(st);
    for (int c = 0; c < cols; ++c) rs.columns.emplace_back(sqlite3_column_name(st, c));
    for (;;) {
        int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) throw StorageError("native: " + std::string(sqlite3_errmsg(db_)));
        std::vector<Value> row;
        row.reserve(size_t(cols));
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: row.emplace_back(int64_t(sqlite3_column_int64(st, c))); break;
            case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(st, c)); break;
            case SQLITE_NULL: row.emplace_back(); break;
            default:
                row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                             size_t(sqlite3_column_bytes(st, c))));
            }
        }
        rs.rows.push_back(std::move(row));
    }
    rs.changes = sqlite3_stmt_readonly(st) ? 0 : sqlite3_changes64(db_);
    return rs;
}

} // namespace lirma::bench

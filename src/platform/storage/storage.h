// Public API of the storage engine: a folder of dBASE tables seen through SQLite.
// The rest of the system talks to the data only through this header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lirma::storage {

class StorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Column of a dBASE table. type: 'C' text, 'N' numeric, 'D' date (also read: 'L', 'F').
struct FieldDef {
    std::string name;
    char type = 'C';
    int width = 1;
    int decimals = 0;
    int offset = 0; // byte offset in the record (0 is the deletion flag); filled by the engine

    static FieldDef Char(std::string n, int w) { return {std::move(n), 'C', w, 0}; }
    static FieldDef Decimal(std::string n, int w, int d) { return {std::move(n), 'N', w, d}; }
    static FieldDef Date(std::string n) { return {std::move(n), 'D', 8, 0}; }
    bool operator==(const FieldDef& o) const {
        return name == o.name && type == o.type && width == o.width && decimals == o.decimals;
    }
};

// Parses "NUME CHAR(30), SUMA DECIMAL(10,0), DATA DATE"; throws StorageError on bad text.
std::vector<FieldDef> parseColumnList(std::string_view text);
// The reverse: "NUME CHAR(30), SUMA DECIMAL(10,0), DATA DATE".
std::string formatColumnList(const std::vector<FieldDef>& fields);

// A value going into or coming out of SQL.
class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(int v) : v_(int64_t(v)) {}
    Value(int64_t v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(std::string_view v) : v_(std::string(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInt() const { return std::holds_alternative<int64_t>(v_); }
    bool isReal() const { return std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }

    int64_t toInt() const;      // NULL -> 0, real truncated, text parsed
    double toReal() const;      // NULL -> 0
    std::string toText() const; // NULL -> "", numbers as SQLite prints them
    bool operator==(const Value& o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, int64_t, double, std::string> v_;
};

using Params = std::vector<Value>;

// All rows of one SELECT, materialised so that no lock outlives the call.
struct ResultSet {
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;
    int64_t changes = 0; // rows changed by an INSERT, UPDATE or DELETE

    size_t size() const { return rows.size(); }
    bool empty() const { return rows.empty(); }
    int column(std::string_view name) const; // index without regard to case, -1 if absent
    const Value& at(size_t row, std::string_view name) const;
};

class Database;

// A write transaction. It takes the folder's write lock when it begins and holds it
// until commit() or destruction; destruction without commit() rolls everything back.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    void rollback();
    bool active() const { return active_; }

private:
    Database& db_;
    bool active_ = false;
};

struct TableInfo {
    std::string name;                // SQL name: the file name without extension
    std::filesystem::path path;
    std::vector<FieldDef> fields;
    uint32_t recordCount = 0;        // including rows marked deleted
};

class Database {
public:
    // Opens a folder of .dbf files: rolls back a journal left by a killed writer and
    // makes every table visible under its file name without extension.
    explicit Database(const std::filesystem::path& dataFolder);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::filesystem::path& dataFolder() const;

    // A further folder (the temporary folder) whose tables are visible too. A private
    // folder belongs to this process only: no locks and no journal.
    void registerFolder(const std::filesystem::path& folder, bool isPrivate = true);

    // Runs one statement with values bound to its '?' parameters. A statement that
    // changes data outside a Transaction runs in one of its own.
    ResultSet query(std::string_view sql, const Params& params = {});
    int64_t exec(std::string_view sql, const Params& params = {}) { return query(sql, params).changes; }
    // First column of the first row, or NULL.
    Value scalar(std::string_view sql, const Params& params = {});

    // Tables. `folder` empty means the data folder; it must be the data folder or a
    // registered one. Creation writes the file atomically; it fails when the table exists.
    // `name` is the SQL name ("Gospodar" -> Gospodar.dbf) or a file name ("DefZone.DBF").
    void createTable(const std::string& name, const std::vector<FieldDef>& fields,
                     const std::filesystem::path& folder = {});
    void dropTable(const std::string& name);
    bool tableExists(const std::string& name);
    TableInfo tableInfo(const std::string& name);
    std::vector<std::string> tableNames();

    // Maintenance: each rewrites the file under the folder's exclusive lock and replaces
    // the old one atomically; on failure the original stays untouched.
    void packTable(const std::string& name);
    void addIndex(const std::string& name, const std::string& field);
    void widenColumn(const std::string& name, const std::string& field, int width, int decimals);
    // Rewrites a table with a new column list; columns are matched by name, new ones are blank.
    void alterTable(const std::string& name, const std::vector<FieldDef>& fields);

    bool inTransaction() const;

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    friend class Transaction;
    std::unique_ptr<Impl> impl_;
};

} // namespace lirma::storage

#include "database_impl.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace lirma::storage {
namespace {

std::string lower(std::string s) {
    for (auto& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string quoteIdent(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string quoteLiteral(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

int authorize(void* arg, int action, const char*, const char*, const char*, const char*) {
    auto* impl = static_cast<Database::Impl*>(arg);
    if (impl->internalDdl) return SQLITE_OK;
    switch (action) {
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_VTABLE:
    case SQLITE_CREATE_TABLE:
    case SQLITE_DROP_TABLE:
    case SQLITE_ALTER_TABLE:
    case SQLITE_CREATE_VIEW:
    case SQLITE_DROP_VIEW:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_CREATE_INDEX:
    case SQLITE_DROP_INDEX:
    case SQLITE_TRANSACTION:
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        return SQLITE_DENY;
    case SQLITE_SAVEPOINT:
        // Statements are atomic and Transaction groups them; SQL savepoints would not
        // reach tables that join the transaction after them.
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

bool onlySpace(const char* p) {
    for (; *p; ++p)
        if (!std::isspace(static_cast<unsigned char>(*p)) && *p != ';') return false;
    return true;
}

} // namespace

// ---- Value, ResultSet ---------------------------------------------------------------

int64_t Value::toInt() const {
    if (auto* i = std::get_if<int64_t>(&v_)) return *i;
    if (auto* d = std::get_if<double>(&v_)) return int64_t(*d);
    if (auto* s = std::get_if<std::string>(&v_)) {
        int64_t out = 0;
        std::string_view t = *s;
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        std::from_chars(t.data(), t.data() + t.size(), out);
        return out;
    }
    return 0;
}

double Value::toReal() const {
    if (auto* i = std::get_if<int64_t>(&v_)) return double(*i);
    if (auto* d = std::get_if<double>(&v_)) return *d;
    if (auto* s = std::get_if<std::string>(&v_)) {
        double out = 0;
        std::string_view t = *s;
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        std::from_chars(t.data(), t.data() + t.size(), out);
        return out;
    }
    return 0;
}

std::string Value::toText() const {
    if (auto* i = std::get_if<int64_t>(&v_)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&v_)) {
        char* s = sqlite3_mprintf("%!.15g", *d); // as SQLite prints a real
        std::string out(s);
        sqlite3_free(s);
        return out;
    }
    if (auto* s = std::get_if<std::string>(&v_)) return *s;
    return {};
}

int ResultSet::column(std::string_view name) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].size() == name.size() &&
            std::equal(name.begin(), name.end(), columns[i].begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return int(i);
    return -1;
}

const Value& ResultSet::at(size_t row, std::string_view name) const {
    int c = column(name);
    if (c < 0) throw StorageError("no column " + std::string(name) + " in the result");
    return rows.at(row).at(size_t(c));
}

// ---- column lists -------------------------------------------------------------------

std::vector<FieldDef> parseColumnList(std::string_view text) {
    std::vector<FieldDef> out;
    size_t i = 0;
    auto skip = [&] { while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i; };
    auto fail = [&](const std::string& why) {
        return StorageError("column list: " + why + " near '" + std::string(text.substr(std::min(i, text.size()), 20)) + "'");
    };
    auto word = [&] {
        skip();
        size_t b = i;
        while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) ++i;
        return std::string(text.substr(b, i - b));
    };
    auto number = [&] {
        skip();
        size_t b = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (b == i) throw fail("a number is expected");
        return std::stoi(std::string(text.substr(b, i - b)));
    };
    auto expect = [&](char c) {
        skip();
        if (i >= text.size() || text[i] != c) throw fail(std::string("'") + c + "' is expected");
        ++i;
    };
    skip();
    while (i < text.size()) {
        FieldDef f;
        f.name = word();
        if (f.name.empty()) throw fail("a column name is expected");
        std::string type = lower(word());
        if (type == "char" || type == "character" || type == "varchar") {
            expect('(');
            f.type = 'C';
            f.width = number();
            expect(')');
        } else if (type == "decimal" || type == "numeric") {
            expect('(');
            f.type = 'N';
            f.width = number();
            skip();
            if (i < text.size() && text[i] == ',') {
                ++i;
                f.decimals = number();
            }
            expect(')');
        } else if (type == "date") {
            f.type = 'D';
            f.width = 8;
        } else if (type == "boolean" || type == "logical") {
            f.type = 'L';
            f.width = 1;
        } else {
            throw fail("unknown column type '" + type + "'");
        }
        out.push_back(f);
        skip();
        if (i < text.size()) expect(',');
        skip();
    }
    std::vector<FieldDef> check = out;
    layoutFields(check);
    return out;
}

std::string formatColumnList(const std::vector<FieldDef>& fields) {
    std::string out;
    for (const auto& f : fields) {
        if (!out.empty()) out += ", ";
        out += f.name + " ";
        switch (f.type) {
        case 'C': out += "CHAR(" + std::to_string(f.width) + ")"; break;
        case 'D': out += "DATE"; break;
        case 'L': out += "BOOLEAN"; break;
        default: out += "DECIMAL(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ")"; break;
        }
    }
    return out;
}

// ---- Impl ---------------------------------------------------------------------------

Database::Impl::~Impl() {
    clearStatements();
    if (db) sqlite3_close_v2(db);
}

void Database::Impl::clearStatements() {
    for (auto& [sql, st] : statements) sqlite3_finalize(st);
    statements.clear();
}

void Database::Impl::open(const std::filesystem::path& dataFolder) {
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK)
        throw StorageError("cannot open SQLite");
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_extended_result_codes(db, 1);
    registerDbfModule(db, this);
    sqlite3_set_authorizer(db, authorize, this);
    folders.push_back(std::make_unique<FolderStore>(dataFolder, false));
    syncRegistrations(true);
}

FolderStore& Database::Impl::folderFor(const std::filesystem::path& folder) {
    if (folder.empty()) return *folders.front();
    std::error_code ec;
    for (auto& f : folders)
        if (std::filesystem::equivalent(f->folder(), folder, ec)) return *f;
    throw StorageError("folder " + folder.string() + " is not registered");
}

TableFile* Database::Impl::findTable(const std::string& name) {
    for (auto& f : folders)
        if (TableFile* t = f->find(name)) return t;
    return nullptr;
}

std::string Database::Impl::damageOf(const std::string& name) {
    std::string key = lower(name);
    for (auto& f : folders) {
        auto it = f->damaged().find(key);
        if (it != f->damaged().end()) return it->second;
    }
    return {};
}

void Database::Impl::ddl(const std::string& sql) {
    internalDdl = true;
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    internalDdl = false;
    if (rc != SQLITE_OK) {
        std::string msg = err ? err : "unknown error";
        sqlite3_free(err);
        throw StorageError(msg);
    }
}

void Database::Impl::syncRegistrations(bool force) {
    bool changed = force;
    for (auto& f : folders)
        if (f->takeCatalogChange()) changed = true;
    if (!changed) return;
    // Wanted: every table of every folder, the data folder first.
    std::map<std::string, TableFile*> wanted;
    for (auto& f : folders)
        for (auto& [key, t] : f->tables()) wanted.emplace(key, t.get());
    bool dropped = false;
    for (auto it = registered.begin(); it != registered.end();) {
        auto w = wanted.find(it->first);
        if (w == wanted.end() || w->second != it->second.table ||
            w->second->layoutVersion() != it->second.layout) {
            if (!dropped) clearStatements();
            dropped = true;
            ddl("DROP TABLE IF EXISTS " + quoteIdent(it->first));
            it = registered.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [key, t] : wanted) {
        if (registered.count(key)) continue;
        ddl("CREATE VIRTUAL TABLE " + quoteIdent(t->sqlName()) + " USING dbf(" + quoteLiteral(key) + ")");
        registered.emplace(key, Registration{t, t->layoutVersion()});
    }
}

void Database::Impl::lockShared() {
    size_t done = 0;
    try {
        for (; done < folders.size(); ++done) folders[done]->lockShared();
    } catch (...) {
        for (size_t i = 0; i < done; ++i) folders[i]->unlockShared();
        throw;
    }
}

void Database::Impl::unlockShared() {
    for (auto& f : folders) f->unlockShared();
}

void Database::Impl::begin() {
    if (inTx) throw StorageError("a transaction is already open");
    size_t done = 0;
    try {
        for (; done < folders.size(); ++done) folders[done]->beginWrite();
    } catch (...) {
        for (size_t i = 0; i < done; ++i) folders[i]->rollbackAll();
        throw;
    }
    inTx = true;
    ++epoch;
    syncRegistrations();
}

void Database::Impl::commit() {
    if (!inTx) throw StorageError("no open transaction");
    // Work folders first: the data folder's commit is the one that counts.
    std::vector<FolderStore*> order;
    for (size_t i = 1; i < folders.size(); ++i) order.push_back(folders[i].get());
    order.push_back(folders.front().get());
    size_t done = 0;
    try {
        for (; done < order.size(); ++done) order[done]->commit();
    } catch (...) {
        // The failing folder cleaned up after itself; the ones not reached roll back.
        for (size_t i = done; i < order.size(); ++i)
            if (order[i]->writing()) order[i]->rollbackAll();
        inTx = false;
        throw;
    }
    inTx = false;
}

void Database::Impl::rollback() {
    if (!inTx) return;
    for (auto& f : folders) f->rollbackAll();
    inTx = false;
}

sqlite3_stmt* Database::Impl::prepare(std::string_view sql) {
    std::string key(sql);
    auto it = statements.find(key);
    if (it != statements.end()) return it->second;
    for (int attempt = 0;; ++attempt) {
        sqlite3_stmt* st = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(db, key.c_str(), int(key.size()), &st, &tail);
        if (rc == SQLITE_OK) {
            if (!st) throw StorageError("empty statement");
            if (tail && !onlySpace(tail)) {
                sqlite3_finalize(st);
                throw StorageError("one statement at a time");
            }
            if (statements.size() >= 256) clearStatements();
            statements.emplace(key, st);
            return st;
        }
        std::string msg = sqlite3_errmsg(db);
        if ((rc & 0xFF) == SQLITE_AUTH)
            throw StorageError(msg + ": tables are created, dropped and changed through the engine's "
                                     "operations, and transactions are opened by the program");
        const std::string noTable = "no such table: ";
        if (msg.rfind(noTable, 0) == 0) {
            std::string name = msg.substr(noTable.size());
            if (auto dot = name.find('.'); dot != std::string::npos) name = name.substr(dot + 1);
            if (attempt == 0) {
                // Created by another program since we last looked?
                for (auto& f : folders) f->scan();
                syncRegistrations();
                continue;
            }
            std::string damage = damageOf(name);
            if (!damage.empty()) throw StorageError(damage);
        }
        throw StorageError(msg);
    }
}

ResultSet Database::Impl::step(sqlite3_stmt* st, const Params& params) {
    struct Reset {
        sqlite3_stmt* st;
        ~Reset() {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    } reset{st};
    int n = sqlite3_bind_parameter_count(st);
    if (size_t(n) != params.size())
        throw StorageError("the statement expects " + std::to_string(n) + " values, " +
                           std::to_string(params.size()) + " given");
    for (int i = 0; i < n; ++i) {
        const Value& v = params[size_t(i)];
        int rc;
        if (v.isNull()) rc = sqlite3_bind_null(st, i + 1);
        else if (v.isInt()) rc = sqlite3_bind_int64(st, i + 1, v.toInt());
        else if (v.isReal()) rc = sqlite3_bind_double(st, i + 1, v.toReal());
        else {
            std::string s = v.toText();
            rc = sqlite3_bind_text(st, i + 1, s.data(), int(s.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) throw StorageError(sqlite3_errmsg(db));
    }
    ResultSet rs;
    int cols = sqlite3_column_count(st);
    for (int c = 0; c < cols; ++c) rs.columns.emplace_back(sqlite3_column_name(st, c));
    for (;;) {
        int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) throw StorageError(sqlite3_errmsg(db));
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
    rs.changes = sqlite3_stmt_readonly(st) ? 0 : sqlite3_changes64(db);
    return rs;
}

ResultSet Database::Impl::run(std::string_view sql, const Params& params) {
    ++epoch;
    if (inTx) {
        syncRegistrations();
        sqlite3_stmt* st = prepare(sql);
        std::vector<size_t> marks;
        for (auto& f : folders) marks.push_back(f->mark());
        try {
            return step(st, params);
        } catch (...) {
            // The failed statement leaves nothing behind; the transaction goes on.
            for (size_t i = 0; i < folders.size(); ++i) folders[i]->rollbackTo(marks[i]);
            throw;
        }
    }
    lockShared();
    sqlite3_stmt* st = nullptr;
    try {
        syncRegistrations();
        st = prepare(sql);
        if (sqlite3_stmt_readonly(st)) {
            ResultSet rs = step(st, params);
            unlockShared();
            return rs;
        }
    } catch (...) {
        unlockShared();
        throw;
    }
    unlockShared();
    // A change outside a transaction runs in one of its own.
    begin();
    try {
        ResultSet rs = step(prepare(sql), params);
        commit();
        return rs;
    } catch (...) {
        rollback();
        throw;
    }
}

// ---- Database -----------------------------------------------------------------------

Database::Database(const std::filesystem::path& dataFolder) : impl_(std::make_unique<Impl>()) {
    impl_->open(dataFolder);
}

Database::~Database() {
    try {
        impl_->rollback();
    } catch (...) {
    }
}

const std::filesystem::path& Database::dataFolder() const { return impl_->folders.front()->folder(); }

void Database::registerFolder(const std::filesystem::path& folder, bool isPrivate) {
    if (impl_->inTx) throw StorageError("folders are registered outside transactions");
    std::error_code ec;
    for (auto& f : impl_->folders)
        if (std::filesystem::equivalent(f->folder(), folder, ec)) return;
    impl_->folders.push_back(std::make_unique<FolderStore>(folder, isPrivate));
    impl_->syncRegistrations(true);
}

ResultSet Database::query(std::string_view sql, const Params& params) { return impl_->run(sql, params); }

Value Database::scalar(std::string_view sql, const Params& params) {
    ResultSet rs = impl_->run(sql, params);
    if (rs.rows.empty() || rs.rows.front().empty()) return Value();
    return rs.rows.front().front();
}

bool Database::inTransaction() const { return impl_->inTx; }

namespace {
// Runs f with the folders locked for reading (unless inside a transaction).
template <class F> auto withShared(Database::Impl& impl, F&& f) {
    ++impl.epoch;
    if (impl.inTx) return f();
    impl.lockShared();
    try {
        impl.syncRegistrations();
        auto r = f();
        impl.unlockShared();
        return r;
    } catch (...) {
        impl.unlockShared();
        throw;
    }
}

TableFile& needTable(Database::Impl& impl, const std::string& name) {
    TableFile* t = impl.findTable(name);
    if (!t) {
        for (auto& f : impl.folders) f->scan();
        impl.syncRegistrations();
        t = impl.findTable(name);
    }
    if (!t) {
        std::string damage = impl.damageOf(name);
        throw StorageError(damage.empty() ? "no table " + name : damage);
    }
    return *t;
}
} // namespace

void Database::createTable(const std::string& name, const std::vector<FieldDef>& fields,
                           const std::filesystem::path& folder) {
    // "DefZone.DBF" keeps the spelling of its extension; a bare name gets ".dbf".
    std::string fileName = name;
    std::string sqlName = name;
    if (lower(std::filesystem::path(name).extension().string()) == ".dbf")
        sqlName = std::filesystem::path(name).stem().string();
    else
        fileName = name + ".dbf";
    if (sqlName.empty() || name.find_first_of("/\\\"") != std::string::npos)
        throw StorageError("invalid table name '" + name + "'");
    FolderStore& store = impl_->folderFor(folder);
    for (auto& f : impl_->folders) f->scan();
    if (impl_->findTable(sqlName) || !impl_->damageOf(sqlName).empty())
        throw StorageError("table " + sqlName + " already exists");
    store.createTableFile(fileName, fields);
    impl_->syncRegistrations();
}

void Database::dropTable(const std::string& name) {
    TableFile& t = needTable(*impl_, name);
    impl_->clearStatements();
    t.folder().dropTableFile(t);
    impl_->syncRegistrations();
}

bool Database::tableExists(const std::string& name) {
    return withShared(*impl_, [&] {
        if (TableFile* t = impl_->findTable(name); t && std::filesystem::exists(t->path())) return true;
        for (auto& f : impl_->folders) f->scan();
        impl_->syncRegistrations();
        return impl_->findTable(name) != nullptr || !impl_->damageOf(name).empty();
    });
}

TableInfo Database::tableInfo(const std::string& name) {
    return withShared(*impl_, [&] {
        TableFile& t = needTable(*impl_, name);
        t.checkFresh(impl_->epoch);
        t.ensureLoaded();
        return TableInfo{t.sqlName(), t.path(), t.fields(), t.count()};
    });
}

std::vector<std::string> Database::tableNames() {
    return withShared(*impl_, [&] {
        std::vector<std::string> out;
        for (auto& f : impl_->folders)
            for (auto& [k, t] : f->tables()) out.push_back(t->sqlName());
        return out;
    });
}

void Database::packTable(const std::string& name) {
    TableFile& t = needTable(*impl_, name);
    t.folder().rewriteTable(t, t.fields(), true);
    impl_->syncRegistrations();
}

void Database::addIndex(const std::string& name, const std::string& field) {
    withShared(*impl_, [&] {
        TableFile& t = needTable(*impl_, name);
        int i = t.fieldIndex(field);
        if (i < 0) throw StorageError("table " + name + " has no column " + field);
        t.checkFresh(impl_->epoch);
        t.index(i);
        return 0;
    });
}

void Database::widenColumn(const std::string& name, const std::string& field, int width, int decimals) {
    TableFile& t = needTable(*impl_, name);
    int i = t.fieldIndex(field);
    if (i < 0) throw StorageError("table " + name + " has no column " + field);
    std::vector<FieldDef> fields = t.fields();
    fields[size_t(i)].width = width;
    fields[size_t(i)].decimals = decimals;
    impl_->clearStatements();
    t.folder().rewriteTable(t, fields, false);
    impl_->syncRegistrations(true);
}

void Database::alterTable(const std::string& name, const std::vector<FieldDef>& fields) {
    TableFile& t = needTable(*impl_, name);
    impl_->clearStatements();
    t.folder().rewriteTable(t, fields, false);
    impl_->syncRegistrations(true); // the layout version changed: declared again
}

// ---- Transaction --------------------------------------------------------------------

Transaction::Transaction(Database& db) : db_(db) {
    db_.impl().begin();
    active_ = true;
}

Transaction::~Transaction() {
    if (active_) {
        try {
            db_.impl().rollback();
        } catch (...) {
        }
    }
}

void Transaction::commit() {
    if (!active_) throw StorageError("the transaction is no longer open");
    active_ = false;
    db_.impl().commit();
}

void Transaction::rollback() {
    if (!active_) return;
    active_ = false;
    db_.impl().rollback();
}

} // namespace lirma::storage

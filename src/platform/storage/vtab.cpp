// SQLite virtual-table module over TableFile.
#include "database_impl.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace lirma::storage {
namespace {

struct VTab {
    sqlite3_vtab base{};
    Database::Impl* impl = nullptr;
    TableFile* table = nullptr;
    size_t columns = 0;
};

struct Cursor {
    sqlite3_vtab_cursor base{};
    std::vector<uint32_t> list;
    bool useList = false;
    size_t pos = 0;
    uint32_t recno = 0;
    uint32_t end = 0;
};

enum : int { kScan = 0, kRowid = 1, kColumnBase = 2 };

int setError(sqlite3_vtab* vt, const std::string& msg) {
    sqlite3_free(vt->zErrMsg);
    vt->zErrMsg = sqlite3_mprintf("%s", msg.c_str());
    return SQLITE_ERROR;
}

std::string quoteIdent(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

int xConnect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out, char** err) {
    auto* impl = static_cast<Database::Impl*>(aux);
    if (argc < 4) {
        *err = sqlite3_mprintf("dbf: table name missing");
        return SQLITE_ERROR;
    }
    std::string name = argv[3];
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') name = name.substr(1, name.size() - 2);
    TableFile* t = impl->findTable(name);
    if (!t) {
        *err = sqlite3_mprintf("dbf: no table %s", name.c_str());
        return SQLITE_ERROR;
    }
    std::string decl = "CREATE TABLE x(";
    const auto& fields = t->fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) decl += ", ";
        decl += quoteIdent(fields[i].name) + " " + sqlTypeOf(fields[i]);
    }
    decl += ")";
    int rc = sqlite3_declare_vtab(db, decl.c_str());
    if (rc != SQLITE_OK) {
        *err = sqlite3_mprintf("dbf: cannot declare %s", name.c_str());
        return rc;
    }
    auto* vt = new VTab;
    vt->impl = impl;
    vt->table = t;
    vt->columns = fields.size();
    *out = &vt->base;
    return SQLITE_OK;
}

int xDisconnect(sqlite3_vtab* vt) {
    delete reinterpret_cast<VTab*>(vt);
    return SQLITE_OK;
}

int xBestIndex(sqlite3_vtab* base, sqlite3_index_info* info) {
    auto* vt = reinterpret_cast<VTab*>(base);
    TableFile* t = vt->table;
    try {
        t->checkFresh(vt->impl->epoch);
        t->ensureLoaded();
        double rows = std::max<double>(1, t->count());
        int best = -1;
        int bestKind = kScan;
        double bestRows = rows;
        for (int i = 0; i < info->nConstraint; ++i) {
            const auto& c = info->aConstraint[i];
            if (!c.usable || c.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
            if (c.iColumn < 0) {
                best = i;
                bestKind = kRowid;
                bestRows = 1;
                break;
            }
            if (size_t(c.iColumn) >= t->fields().size()) continue;
            const char* coll = sqlite3_vtab_collation(info, i);
            if (coll && strcasecmp(coll, "BINARY") != 0) continue;
            double r = t->estimateRows(c.iColumn);
            if (r < bestRows || best < 0) {
                best = i;
                bestKind = kColumnBase + c.iColumn;
                bestRows = r;
            }
        }
        if (best >= 0) {
            info->aConstraintUsage[best].argvIndex = 1;
            info->aConstraintUsage[best].omit = 0; // SQLite checks the value again
            info->idxNum = bestKind;
            info->estimatedRows = sqlite3_int64(bestRows);
            info->estimatedCost = 10.0 + bestRows;
            if (bestKind == kRowid) info->idxFlags = SQLITE_INDEX_SCAN_UNIQUE;
        } else {
            info->idxNum = kScan;
            info->estimatedRows = sqlite3_int64(rows);
            info->estimatedCost = 100.0 + rows * 2.0;
        }
        return SQLITE_OK;
    } catch (const std::exception& e) {
        return setError(base, e.what());
    }
}

int xOpen(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
    auto* c = new Cursor;
    *out = &c->base;
    return SQLITE_OK;
}

int xClose(sqlite3_vtab_cursor* cur) {
    delete reinterpret_cast<Cursor*>(cur);
    return SQLITE_OK;
}

void skipDeleted(Cursor* c, TableFile* t) {
    if (c->useList) {
        while (c->pos < c->list.size()) {
            uint32_t r = c->list[c->pos];
            if (r <= t->count() && !t->deleted(r)) {
                c->recno = r;
                return;
            }
            ++c->pos;
        }
        c->recno = 0;
    } else {
        while (c->recno <= c->end && c->recno <= t->count() && t->deleted(c->recno)) ++c->recno;
    }
}

int xFilter(sqlite3_vtab_cursor* cur, int idxNum, const char*, int argc, sqlite3_value** argv) {
    auto* c = reinterpret_cast<Cursor*>(cur);
    auto* vt = reinterpret_cast<VTab*>(cur->pVtab);
    TableFile* t = vt->table;
    try {
        t->checkFresh(vt->impl->epoch);
        t->ensureLoaded();
        c->end = t->count();
        c->list.clear();
        c->pos = 0;
        if (idxNum == kScan) {
            c->useList = false;
            c->recno = 1;
        } else if (idxNum == kRowid) {
            c->useList = true;
            int64_t r = argc > 0 ? sqlite3_value_int64(argv[0]) : 0;
            if (argc > 0 && sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER && r >= 1 && r <= c->end)
                c->list.push_back(uint32_t(r));
        } else {
            c->useList = true;
            int field = idxNum - kColumnBase;
            std::string key;
            if (argc > 0 && size_t(field) < t->fields().size() &&
                keyOfValue(t->fields()[size_t(field)], argv[0], key)) {
                auto& idx = t->index(field);
                auto it = idx.map.find(key);
                if (it != idx.map.end()) {
                    c->list = it->second;
                    std::sort(c->list.begin(), c->list.end());
                }
            }
        }
        skipDeleted(c, t);
        return SQLITE_OK;
    } catch (const std::exception& e) {
        return setError(cur->pVtab, e.what());
    }
}

int xNext(sqlite3_vtab_cursor* cur) {
    auto* c = reinterpret_cast<Cursor*>(cur);
    auto* vt = reinterpret_cast<VTab*>(cur->pVtab);
    if (c->useList) ++c->pos;
    else ++c->recno;
    skipDeleted(c, vt->table);
    return SQLITE_OK;
}

int xEof(sqlite3_vtab_cursor* cur) {
    auto* c = reinterpret_cast<Cursor*>(cur);
    auto* vt = reinterpret_cast<VTab*>(cur->pVtab);
    if (c->useList) return c->pos >= c->list.size();
    return c->recno > c->end || c->recno > vt->table->count();
}

int xColumn(sqlite3_vtab_cursor* cur, sqlite3_context* ctx, int i) {
    auto* c = reinterpret_cast<Cursor*>(cur);
    auto* vt = reinterpret_cast<VTab*>(cur->pVtab);
    TableFile* t = vt->table;
    if (sqlite3_vtab_nochange(ctx)) return SQLITE_OK; // UPDATE keeps this column's bytes
    if (i < 0 || size_t(i) >= t->fields().size()) {
        sqlite3_result_null(ctx);
        return SQLITE_OK;
    }
    const FieldDef& f = t->fields()[size_t(i)];
    resultField(ctx, f, t->record(c->recno) + f.offset);
    return SQLITE_OK;
}

int xRowid(sqlite3_vtab_cursor* cur, sqlite3_int64* out) {
    *out = reinterpret_cast<Cursor*>(cur)->recno;
    return SQLITE_OK;
}

int xUpdate(sqlite3_vtab* base, int argc, sqlite3_value** argv, sqlite3_int64* rowid) {
    auto* vt = reinterpret_cast<VTab*>(base);
    TableFile* t = vt->table;
    try {
        if (!vt->impl->inTx) return setError(base, "changes must run inside a transaction");
        t->checkFresh(vt->impl->epoch); // an INSERT reaches the table without a scan
        t->ensureLoaded();
        const auto& fields = t->fields();
        if (argc == 1) {
            int64_t r = sqlite3_value_int64(argv[0]);
            if (r >= 1 && r <= t->count() && !t->deleted(uint32_t(r))) t->markDeleted(uint32_t(r));
            return SQLITE_OK;
        }
        if (size_t(argc) != fields.size() + 2) return setError(base, "table " + t->sqlName() + " changed its layout");
        bool insert = sqlite3_value_type(argv[0]) == SQLITE_NULL;
        std::string rec;
        uint32_t recno = 0;
        if (insert) {
            if (sqlite3_value_type(argv[1]) != SQLITE_NULL)
                return setError(base, "the row number of " + t->sqlName() + " cannot be chosen");
            rec.assign(t->recordLength(), ' ');
        } else {
            int64_t r = sqlite3_value_int64(argv[0]);
            if (sqlite3_value_int64(argv[1]) != r)
                return setError(base, "the row number of " + t->sqlName() + " cannot be changed");
            if (r < 1 || r > t->count()) return setError(base, "no such row in " + t->sqlName());
            recno = uint32_t(r);
            rec.assign(t->record(recno), t->recordLength());
        }
        for (size_t i = 0; i < fields.size(); ++i) {
            sqlite3_value* v = argv[2 + i];
            if (!insert && sqlite3_value_nochange(v)) continue;
            const FieldDef& f = fields[i];
            if (auto err = encodeField(f, inputFromSqlite(v), rec.data() + f.offset))
                return setError(base, t->sqlName() + "." + f.name + ": " + *err);
        }
        if (insert) *rowid = t->append(rec);
        else t->overwrite(recno, rec);
        return SQLITE_OK;
    } catch (const std::exception& e) {
        return setError(base, e.what());
    }
}

int xNoop(sqlite3_vtab*) { return SQLITE_OK; }

int xSavepoint(sqlite3_vtab* base, int level) {
    reinterpret_cast<VTab*>(base)->table->folder().savepoint(level);
    return SQLITE_OK;
}
int xRelease(sqlite3_vtab* base, int level) {
    reinterpret_cast<VTab*>(base)->table->folder().release(level);
    return SQLITE_OK;
}
int xRollbackTo(sqlite3_vtab* base, int level) {
    reinterpret_cast<VTab*>(base)->table->folder().rollbackToSavepoint(level);
    return SQLITE_OK;
}

int xRename(sqlite3_vtab* base, const char*) { return setError(base, "tables are renamed as files"); }

sqlite3_module makeModule() {
    sqlite3_module m{};
    m.iVersion = 2;
    m.xCreate = xConnect;
    m.xConnect = xConnect;
    m.xBestIndex = xBestIndex;
    m.xDisconnect = xDisconnect;
    m.xDestroy = xDisconnect; // dropping the SQL name never deletes the file
    m.xOpen = xOpen;
    m.xClose = xClose;
    m.xFilter = xFilter;
    m.xNext = xNext;
    m.xEof = xEof;
    m.xColumn = xColumn;
    m.xRowid = xRowid;
    m.xUpdate = xUpdate;
    m.xBegin = xNoop;
    m.xSync = xNoop;
    m.xCommit = xNoop;
    m.xRollback = xNoop;
    m.xRename = xRename;
    m.xSavepoint = xSavepoint;
    m.xRelease = xRelease;
    m.xRollbackTo = xRollbackTo;
    return m;
}

const sqlite3_module kModule = makeModule();

} // namespace

void registerDbfModule(sqlite3* db, Database::Impl* impl) {
    if (sqlite3_create_module_v2(db, "dbf", &kModule, impl, nullptr) != SQLITE_OK)
        throw StorageError("cannot register the dbf module");
}

} // namespace lirma::storage

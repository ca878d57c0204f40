// Internals shared by the API and the SQLite module.
#pragma once

#include "folder_store.h"
#include "storage.h"

#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace lirma::storage {

struct Database::Impl {
    sqlite3* db = nullptr;
    std::vector<std::unique_ptr<FolderStore>> folders; // [0] is the data folder
    uint64_t epoch = 1;
    bool inTx = false;
    bool internalDdl = false;
    // SQL name (lower case) -> the table its virtual table was declared over
    struct Registration {
        TableFile* table;
        uint64_t layout;
    };
    std::map<std::string, Registration> registered;
    std::unordered_map<std::string, sqlite3_stmt*> statements;

    ~Impl();
    void open(const std::filesystem::path& dataFolder);
    FolderStore& folderFor(const std::filesystem::path& folder);
    TableFile* findTable(const std::string& name);
    std::string damageOf(const std::string& name);

    void syncRegistrations(bool force = false);
    void ddl(const std::string& sql);

    void lockShared();
    void unlockShared();
    void begin();
    void commit();
    void rollback();

    sqlite3_stmt* prepare(std::string_view sql);
    ResultSet run(std::string_view sql, const Params& params);
    ResultSet step(sqlite3_stmt* st, const Params& params);
    void clearStatements();
};

// Registers the "dbf" module on the connection.
void registerDbfModule(sqlite3* db, Database::Impl* impl);

} // namespace lirma::storage

// One folder of tables: its lock file, the version slots through which processes see each
// other's commits, the undo log of the open transaction, and the commit journal.
//
// Locking (byte locks on the lock file, per open file description):
//   PENDING  (byte 0) taken by a committer to keep new readers out while it waits;
//   RESERVED (byte 1) exclusive for the whole write transaction: one writer at a time;
//   SHARED   (byte 2) shared by readers during a statement, exclusive while files are written.
// A commit writes the previous bytes of everything it will touch into the journal, syncs
// it, writes the tables, syncs them, and deletes the journal: the deletion is the commit
// point. A journal found without a live writer is rolled back.
#pragma once

#include "file_io.h"
#include "table_file.h"

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace lirma::storage {

class FolderStore {
public:
    FolderStore(std::filesystem::path folder, bool isPrivate);
    ~FolderStore();

    const std::filesystem::path& folder() const { return folder_; }
    bool isPrivate() const { return private_; }

    // Tables by lower-case SQL name. scan() reads the folder; it returns true when the
    // set of tables changed.
    std::map<std::string, std::unique_ptr<TableFile>>& tables() { return tables_; }
    bool scan();
    TableFile* find(const std::string& sqlName);
    std::map<std::string, std::string>& damaged() { return damaged_; } // name -> error
    // True once after the set of tables (or a layout) changed since the last call.
    bool takeCatalogChange() {
        bool c = catalogChanged_;
        catalogChanged_ = false;
        return c;
    }

    // Statement outside a write transaction.
    void lockShared();
    void unlockShared();
    // Write transaction.
    void beginWrite();
    void commit();
    void rollbackAll();
    bool writing() const { return writing_; }

    // Reads the version slots; invalidates the tables another process changed. Returns
    // true when tables were created or dropped elsewhere.
    bool refresh();

    // Undo log.
    struct Undo {
        TableFile* table;
        uint32_t recno;
        bool append;
        std::string before;
    };
    void logUndo(Undo u) { undo_.push_back(std::move(u)); }
    size_t mark() const { return undo_.size(); }
    void rollbackTo(size_t mark);
    void savepoint(int level);
    void release(int level);
    void rollbackToSavepoint(int level);

    // Structural changes (create, drop, pack, rewrite) under the exclusive lock.
    void createTableFile(const std::string& fileName, const std::vector<FieldDef>& fields);
    void dropTableFile(TableFile& t);
    void rewriteTable(TableFile& t, const std::vector<FieldDef>& newFields, bool dropDeleted);

    // Runs recovery of a journal left behind (the caller holds no lock).
    void recoverIfNeeded();

private:
    void lockByte(int byte, bool exclusive);
    void unlockByte(int byte);
    void commitChanges();
    void takeExclusive();   // needs RESERVED held
    void dropExclusive();
    bool journalExists() const;
    void rollbackJournal(); // needs the exclusive lock
    // Raises the version of each table. `changed[i]`, when given, lists the existing
    // records the commit rewrote in tables[i] (appended ones follow from the count): other
    // processes then re-read just those instead of the whole file.
    void bumpVersions(const std::vector<TableFile*>& tables, bool catalogChanged,
                      const std::vector<std::vector<uint32_t>>* changed = nullptr);
    bool patchFromLog(TableFile& t, uint64_t newVersion);
    uint64_t slotValue(const std::string& key) const;
    void readSlots();
    void deleteMdx(const TableFile& t);
    template <class F> void exclusively(F&& f);

    std::filesystem::path folder_;
    bool private_;
    int lockFd_ = -1;
    bool writing_ = false;
    bool reservedHeld_ = false;
    std::map<std::string, std::unique_ptr<TableFile>> tables_;
    std::map<std::string, std::string> damaged_;
    // Tables that left the folder stay alive until the SQL side has forgotten them.
    std::vector<std::unique_ptr<TableFile>> retired_;
    bool catalogChanged_ = false;
    std::vector<Undo> undo_;
    std::vector<std::pair<int, size_t>> savepoints_;
    uint64_t generation_ = ~0ull;
    uint64_t catalog_ = ~0ull;
    std::unordered_map<std::string, uint64_t> slots_;
};

} // namespace lirma::storage

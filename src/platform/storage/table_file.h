// One dBASE table held in memory: the bytes of its header and records, the in-memory
// indexes, and the changes of the open transaction.
#pragma once

#include "dbf_format.h"
#include "file_io.h"

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace lirma::storage {

class FolderStore;

class TableFile {
public:
    TableFile(FolderStore& folder, std::filesystem::path path, std::string sqlName);

    FolderStore& folder() { return folder_; }
    const std::filesystem::path& path() const { return path_; }
    const std::string& sqlName() const { return sqlName_; }
    std::string fileKey() const; // lower-case file name, the key of its version slot

    // Reads the header only (to declare the columns); throws on a damaged file.
    void readHeader();
    const std::vector<FieldDef>& fields() const { return header_.fields; }
    int fieldIndex(std::string_view name) const; // without regard to case, -1 if absent

    // Loads the whole file when not loaded or when it changed on disk (not while it has
    // uncommitted changes).
    void ensureLoaded();
    void checkFresh(uint64_t epoch); // once per statement: reload when the file changed
    void invalidate();               // forget the bytes and indexes
    bool loaded() const { return loaded_; }

    uint32_t count() const { return count_; }
    uint32_t recordLength() const { return header_.recordLength; }
    const char* record(uint32_t recno) const {
        return bytes_.data() + header_.headerLength + size_t(recno - 1) * header_.recordLength;
    }
    bool deleted(uint32_t recno) const { return *record(recno) == '*'; }

    // Index on one field: record numbers (live rows) per key.
    struct Index {
        std::unordered_map<std::string, std::vector<uint32_t>> map;
    };
    Index& index(int field); // built on first use
    bool hasIndex(int field) const { return indexes_.count(field) != 0; }
    double estimateRows(int field); // rows per key

    // Changes (inside a transaction): record the previous state in the folder's undo log.
    uint32_t append(const std::string& record);
    void overwrite(uint32_t recno, const std::string& record);
    void markDeleted(uint32_t recno);

    // Used by the folder's undo log and commit.
    void restoreRecord(uint32_t recno, const std::string& before);
    void dropAppended(uint32_t newCount);
    void dropIndexes() { indexes_.clear(); }
    bool dirty() const { return dirty_; }
    void setDirty(bool d) { dirty_ = d; }
    uint32_t committedCount() const { return committedCount_; }
    uint64_t diskSize() const { return diskSize_; }
    const io::Stamp& stamp() const { return stamp_; }
    const std::string& bytes() const { return bytes_; }
    uint32_t headerLength() const { return header_.headerLength; }
    void afterCommit(const io::Stamp& st, uint64_t size);
    // Another process committed: re-read the given records and those appended, keeping
    // the rest and the indexes. False (nothing changed) when the layout or count shrank.
    bool applyRemoteChanges(const std::vector<uint32_t>& recnos);
    // Replaces the whole content (after pack, widen or alter).
    void replaceContent(std::string content, const io::Stamp& st);

    // Grows whenever the column list read from the file changes.
    uint64_t layoutVersion() const { return layoutVersion_; }

    uint64_t versionSeen = 0; // counter of this table's slot when last loaded or written

private:
    void parseLoaded(std::string data, const io::Stamp& st);
    void indexRecord(uint32_t recno, bool add);

    FolderStore& folder_;
    std::filesystem::path path_;
    std::string sqlName_;
    DbfHeader header_;
    std::string bytes_; // header + records (no end marker)
    bool loaded_ = false;
    bool dirty_ = false;
    uint32_t count_ = 0;
    uint32_t committedCount_ = 0;
    uint64_t diskSize_ = 0;
    io::Stamp stamp_;
    uint64_t checkedEpoch_ = 0;
    uint64_t layoutVersion_ = 0;
    std::unordered_map<int, Index> indexes_;
};

} // namespace lirma::storage

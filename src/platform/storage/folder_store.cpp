#include "folder_store.h"

#include "fault.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lirma::storage {
namespace {

constexpr const char* kLockFile = "lirma.lck";
constexpr const char* kJournalFile = "lirma.jnl";
constexpr int kPending = 0, kReserved = 1, kShared = 2;

// Version area of the lock file.
constexpr off_t kGenerationAt = 512;  // u64 generation, u64 catalog counter, u32 slot count
constexpr off_t kSlotsAt = 1024;
constexpr size_t kSlotSize = 64;
constexpr size_t kSlotNameSize = 56;
constexpr size_t kMaxSlots = 2048;

// Change log after the slots: a ring of the records each commit rewrote, per table.
constexpr off_t kLogAt = kSlotsAt + off_t(kMaxSlots * kSlotSize); // u64 entries written so far
constexpr off_t kLogEntriesAt = kLogAt + 64;
constexpr uint32_t kLogEntries = 512;
constexpr uint32_t kLogRecnos = 64;
constexpr uint32_t kLogFull = 0xFFFFFFFFu; // too many records: readers reload the whole file
struct LogEntry {
    char key[56];
    uint64_t version;
    uint32_t count;
    uint32_t n;
    uint32_t recnos[kLogRecnos];
};

constexpr char kJournalMagic[] = "LIRMA-JOURNAL-1\n";
constexpr char kJournalEnd[] = "LIRMA-JOURNAL-END";

std::string lower(std::string s) {
    for (auto& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

uint64_t fnv1a(const char* p, size_t n) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < n; ++i) {
        h ^= static_cast<unsigned char>(p[i]);
        h *= 1099511628211ull;
    }
    return h;
}

template <class T> void put(std::string& s, T v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); }
template <class T> bool get(const std::string& s, size_t& pos, T& v) {
    if (pos + sizeof v > s.size()) return false;
    std::memcpy(&v, s.data() + pos, sizeof v);
    pos += sizeof v;
    return true;
}

bool pread64All(int fd, void* buf, size_t n, off_t at) {
    ssize_t r = ::pread(fd, buf, n, at);
    if (r < 0) return false;
    if (size_t(r) < n) std::memset(static_cast<char*>(buf) + r, 0, n - size_t(r));
    return true;
}

} // namespace

FolderStore::FolderStore(std::filesystem::path folder, bool isPrivate)
    : folder_(std::move(folder)), private_(isPrivate) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder_, ec))
        throw StorageError("data folder " + folder_.string() + " does not exist");
    if (!private_) {
        auto lockPath = folder_ / kLockFile;
        lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (lockFd_ < 0)
            throw StorageError("cannot open the lock file " + lockPath.string() + ": " + std::strerror(errno));
    }
    recoverIfNeeded();
    scan();
}

FolderStore::~FolderStore() {
    if (lockFd_ >= 0) ::close(lockFd_);
}

// ---- tables -------------------------------------------------------------------------

bool FolderStore::scan() {
    std::map<std::string, std::filesystem::path> found;
    std::error_code ec;
    for (auto& e : std::filesystem::directory_iterator(folder_, ec)) {
        if (!e.is_regular_file(ec)) continue;
        auto p = e.path();
        if (lower(p.extension().string()) != ".dbf") continue;
        std::string stem = p.stem().string();
        found.emplace(lower(stem), p); // two files differing only in case: the first wins
    }
    bool changed = false;
    for (auto it = tables_.begin(); it != tables_.end();) {
        auto f = found.find(it->first);
        if (f == found.end() || f->second != it->second->path()) {
            if (it->second->dirty()) { ++it; continue; }
            retired_.push_back(std::move(it->second));
            it = tables_.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    std::map<std::string, std::string> damaged;
    for (auto& [key, path] : found) {
        if (tables_.count(key)) continue;
        auto t = std::make_unique<TableFile>(*this, path, path.stem().string());
        try {
            t->readHeader();
        } catch (const StorageError& e) {
            damaged[key] = e.what();
            continue;
        }
        t->versionSeen = slotValue(t->fileKey());
        tables_.emplace(key, std::move(t));
        changed = true;
    }
    if (damaged != damaged_) changed = true;
    damaged_ = std::move(damaged);
    if (changed) catalogChanged_ = true;
    return changed;
}

TableFile* FolderStore::find(const std::string& sqlName) {
    auto it = tables_.find(lower(sqlName));
    return it == tables_.end() ? nullptr : it->second.get();
}

// ---- locks --------------------------------------------------------------------------

void FolderStore::lockByte(int byte, bool exclusive) {
    struct flock fl {};
    fl.l_type = short(exclusive ? F_WRLCK : F_RDLCK);
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    while (::fcntl(lockFd_, F_OFD_SETLKW, &fl) != 0) {
        if (errno == EINTR) continue;
        throw StorageError("cannot lock the data folder " + folder_.string() + ": " + std::strerror(errno));
    }
}

void FolderStore::unlockByte(int byte) {
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    ::fcntl(lockFd_, F_OFD_SETLK, &fl);
}

bool FolderStore::journalExists() const {
    std::error_code ec;
    return std::filesystem::exists(folder_ / kJournalFile, ec);
}

void FolderStore::lockShared() {
    if (private_) return;
    for (;;) {
        lockByte(kPending, false);
        lockByte(kShared, false);
        unlockByte(kPending);
        if (!journalExists()) break;
        // A writer died during its commit: roll its journal back first.
        unlockByte(kShared);
        recoverIfNeeded();
    }
    try {
        if (refresh()) scan();
    } catch (...) {
        unlockByte(kShared);
        throw;
    }
}

void FolderStore::unlockShared() {
    if (private_) return;
    unlockByte(kShared);
}

void FolderStore::takeExclusive() {
    lockByte(kPending, true);
    lockByte(kShared, true);
}

void FolderStore::dropExclusive() {
    unlockByte(kShared);
    unlockByte(kPending);
}

void FolderStore::recoverIfNeeded() {
    if (!journalExists()) return;
    if (private_) {
        rollbackJournal();
        return;
    }
    bool hadReserved = reservedHeld_;
    if (!hadReserved) lockByte(kReserved, true);
    try {
        takeExclusive();
        if (journalExists()) rollbackJournal();
        dropExclusive();
    } catch (...) {
        dropExclusive();
        if (!hadReserved) unlockByte(kReserved);
        throw;
    }
    if (!hadReserved) unlockByte(kReserved);
}

template <class F> void FolderStore::exclusively(F&& f) {
    if (private_) {
        f();
        return;
    }
    bool hadReserved = reservedHeld_;
    if (!hadReserved) {
        lockByte(kReserved, true);
        reservedHeld_ = true;
    }
    try {
        takeExclusive();
        if (journalExists()) rollbackJournal();
        if (refresh()) scan();
        f();
    } catch (...) {
        dropExclusive();
        if (!hadReserved) {
            unlockByte(kReserved);
            reservedHeld_ = false;
        }
        throw;
    }
    dropExclusive();
    if (!hadReserved) {
        unlockByte(kReserved);
        reservedHeld_ = false;
    }
}

// ---- versions -----------------------------------------------------------------------

uint64_t FolderStore::slotValue(const std::string& key) const {
    auto it = slots_.find(key);
    return it == slots_.end() ? 0 : it->second;
}

void FolderStore::readSlots() {
    unsigned char head[20];
    pread64All(lockFd_, head, sizeof head, kGenerationAt);
    uint32_t count;
    std::memcpy(&generation_, head, 8);
    std::memcpy(&catalog_, head + 8, 8);
    std::memcpy(&count, head + 16, 4);
    count = std::min<uint32_t>(count, kMaxSlots);
    std::string area(count * kSlotSize, '\0');
    if (count) pread64All(lockFd_, area.data(), area.size(), kSlotsAt);
    slots_.clear();
    for (uint32_t i = 0; i < count; ++i) {
        const char* s = area.data() + i * kSlotSize;
        std::string name(s, strnlen(s, kSlotNameSize));
        uint64_t v;
        std::memcpy(&v, s + kSlotNameSize, 8);
        slots_[name] = v;
    }
}

bool FolderStore::refresh() {
    if (private_) return false;
    uint64_t head[2];
    pread64All(lockFd_, head, sizeof head, kGenerationAt);
    if (head[0] == generation_ && head[1] == catalog_) return false;
    uint64_t oldCatalog = catalog_;
    readSlots();
    for (auto& [name, t] : tables_) {
        uint64_t v = slotValue(t->fileKey());
        if (v != t->versionSeen && !t->dirty()) {
            if (t->loaded() && v > t->versionSeen && patchFromLog(*t, v)) {
                t->versionSeen = v;
                continue;
            }
            t->invalidate();
            t->versionSeen = v;
            try {
                auto before = t->fields();
                t->readHeader(); // the layout may have changed (pack, widen)
                if (!(before == t->fields())) catalogChanged_ = true;
            } catch (const StorageError&) {
                // Reported when the table is next used.
            }
        }
    }
    return oldCatalog != catalog_;
}

bool FolderStore::patchFromLog(TableFile& t, uint64_t newVersion) {
    uint64_t behind = newVersion - t.versionSeen;
    if (behind > 16) return false;
    uint64_t logged = 0;
    pread64All(lockFd_, &logged, sizeof logged, kLogAt);
    uint32_t span = uint32_t(std::min<uint64_t>(logged, kLogEntries));
    std::vector<LogEntry> ring(span);
    if (span == 0) return false;
    pread64All(lockFd_, ring.data(), span * sizeof(LogEntry), kLogEntriesAt);
    std::string key = t.fileKey().substr(0, kSlotNameSize - 1);
    std::vector<uint32_t> recnos;
    uint64_t found = 0;
    for (const LogEntry& e : ring) {
        if (e.version <= t.versionSeen || e.version > newVersion) continue;
        if (std::string(e.key, strnlen(e.key, sizeof e.key)) != key) continue;
        if (e.n == kLogFull) return false;
        recnos.insert(recnos.end(), e.recnos, e.recnos + e.n);
        ++found;
    }
    if (found != behind) return false; // part of the history was overwritten
    try {
        return t.applyRemoteChanges(recnos);
    } catch (const StorageError&) {
        return false;
    }
}

void FolderStore::bumpVersions(const std::vector<TableFile*>& tables, bool catalogChanged,
                               const std::vector<std::vector<uint32_t>>* changed) {
    if (private_) return;
    readSlots();
    unsigned char head[20];
    pread64All(lockFd_, head, sizeof head, kGenerationAt);
    uint32_t count;
    std::memcpy(&count, head + 16, 4);
    count = std::min<uint32_t>(count, kMaxSlots);
    std::string area(count * kSlotSize, '\0');
    if (count) pread64All(lockFd_, area.data(), area.size(), kSlotsAt);
    uint64_t logged = 0;
    pread64All(lockFd_, &logged, sizeof logged, kLogAt);
    for (size_t ti = 0; ti < tables.size(); ++ti) {
        TableFile* t = tables[ti];
        std::string key = t->fileKey().substr(0, kSlotNameSize - 1);
        size_t i = 0;
        for (; i < count; ++i)
            if (std::string(area.data() + i * kSlotSize, strnlen(area.data() + i * kSlotSize, kSlotNameSize)) == key)
                break;
        if (i == count) {
            if (count == kMaxSlots) {
                catalogChanged = true; // no room: every reader re-reads everything
                continue;
            }
            area.append(kSlotSize, '\0');
            std::memcpy(area.data() + i * kSlotSize, key.data(), key.size());
            ++count;
        }
        uint64_t v;
        std::memcpy(&v, area.data() + i * kSlotSize + kSlotNameSize, 8);
        ++v;
        std::memcpy(area.data() + i * kSlotSize + kSlotNameSize, &v, 8);
        slots_[key] = v;
        t->versionSeen = v;
        LogEntry e{};
        std::memcpy(e.key, key.data(), key.size());
        e.version = v;
        e.count = t->count();
        const std::vector<uint32_t>* recnos = changed ? &(*changed)[ti] : nullptr;
        if (!recnos || recnos->size() > kLogRecnos) {
            e.n = kLogFull;
        } else {
            e.n = uint32_t(recnos->size());
            std::copy(recnos->begin(), recnos->end(), e.recnos);
        }
        (void)!::pwrite(lockFd_, &e, sizeof e, kLogEntriesAt + off_t((logged % kLogEntries) * sizeof(LogEntry)));
        ++logged;
    }
    (void)!::pwrite(lockFd_, &logged, sizeof logged, kLogAt);
    ++generation_;
    if (catalogChanged) ++catalog_;
    std::memcpy(head, &generation_, 8);
    std::memcpy(head + 8, &catalog_, 8);
    std::memcpy(head + 16, &count, 4);
    if (::pwrite(lockFd_, area.data(), area.size(), kSlotsAt) < 0 ||
        ::pwrite(lockFd_, head, sizeof head, kGenerationAt) < 0) {
        // Other processes then rely on the files' time stamps; nothing is lost.
    }
}

// ---- transactions -------------------------------------------------------------------

void FolderStore::beginWrite() {
    if (writing_) throw StorageError("a transaction is already open");
    if (!private_) {
        lockByte(kReserved, true);
        reservedHeld_ = true;
        try {
            if (journalExists()) {
                takeExclusive();
                if (journalExists()) rollbackJournal();
                dropExclusive();
            }
            if (refresh()) scan();
        } catch (...) {
            unlockByte(kReserved);
            reservedHeld_ = false;
            throw;
        }
    }
    writing_ = true;
    undo_.clear();
    savepoints_.clear();
}

void FolderStore::rollbackTo(size_t mark) {
    while (undo_.size() > mark) {
        Undo& u = undo_.back();
        if (u.append) u.table->dropAppended(u.recno - 1);
        else u.table->restoreRecord(u.recno, u.before);
        undo_.pop_back();
    }
}

void FolderStore::savepoint(int level) {
    for (auto& sp : savepoints_)
        if (sp.first == level) return;
    savepoints_.emplace_back(level, undo_.size());
}

void FolderStore::release(int level) {
    savepoints_.erase(std::remove_if(savepoints_.begin(), savepoints_.end(),
                                     [&](auto& sp) { return sp.first >= level; }),
                      savepoints_.end());
}

void FolderStore::rollbackToSavepoint(int level) {
    for (auto& sp : savepoints_) {
        if (sp.first == level) {
            rollbackTo(sp.second);
            break;
        }
    }
    savepoints_.erase(std::remove_if(savepoints_.begin(), savepoints_.end(),
                                     [&](auto& sp) { return sp.first > level; }),
                      savepoints_.end());
}

void FolderStore::rollbackAll() {
    rollbackTo(0);
    for (auto& [n, t] : tables_) t->setDirty(false);
    savepoints_.clear();
    writing_ = false;
    if (reservedHeld_) {
        unlockByte(kReserved);
        reservedHeld_ = false;
    }
}

void FolderStore::commit() {
    if (!writing_) throw StorageError("no open transaction");
    try {
        commitChanges();
    } catch (...) {
        // Failed before any file was touched: forget the transaction and free the lock.
        if (writing_) rollbackAll();
        throw;
    }
}

void FolderStore::commitChanges() {
    // What each table changed: first previous image of each existing record.
    struct Change {
        TableFile* table;
        std::map<uint32_t, const std::string*> before; // recno -> committed bytes
    };
    std::vector<Change> changes;
    auto changeOf = [&](TableFile* t) -> Change& {
        for (auto& c : changes)
            if (c.table == t) return c;
        changes.push_back({t, {}});
        return changes.back();
    };
    for (auto& u : undo_) {
        Change& c = changeOf(u.table);
        if (!u.append && u.recno <= u.table->committedCount()) c.before.emplace(u.recno, &u.before);
    }
    if (changes.empty()) {
        writing_ = false;
        undo_.clear();
        savepoints_.clear();
        if (reservedHeld_) {
            unlockByte(kReserved);
            reservedHeld_ = false;
        }
        return;
    }

    // Journal: the previous bytes of every range the commit writes.
    std::string j(kJournalMagic, sizeof kJournalMagic - 1);
    put<uint32_t>(j, uint32_t(changes.size()));
    std::vector<std::string> tails;
    for (auto& c : changes) {
        TableFile& t = *c.table;
        std::string name = t.path().filename().string();
        put<uint32_t>(j, uint32_t(name.size()));
        j += name;
        put<uint64_t>(j, t.diskSize());
        uint64_t dataEnd = uint64_t(t.headerLength()) + uint64_t(t.committedCount()) * t.recordLength();
        // Original header and tail are re-read from the file: they hold bytes we do not keep.
        std::string head, tail;
        {
            io::File f(t.path(), O_RDONLY);
            io::Stamp now;
            io::stamp(t.path(), now);
            const io::Stamp& was = t.stamp();
            if (now.size != was.size || now.mtimeNs != was.mtimeNs || now.inode != was.inode)
                throw StorageError("table " + name + " was changed by another program during the transaction; "
                                   "nothing was written");
            head.resize(32);
            pread64All(f.fd(), head.data(), 32, 0);
            if (t.diskSize() > dataEnd) {
                tail.resize(size_t(t.diskSize() - dataEnd));
                pread64All(f.fd(), tail.data(), tail.size(), off_t(dataEnd));
            }
        }
        uint32_t ranges = 1 + uint32_t(c.before.size()) + (tail.empty() ? 0 : 1);
        put<uint32_t>(j, ranges);
        put<uint64_t>(j, 0);
        put<uint32_t>(j, 32);
        j += head;
        for (auto& [recno, bytes] : c.before) {
            put<uint64_t>(j, uint64_t(t.headerLength()) + uint64_t(recno - 1) * t.recordLength());
            put<uint32_t>(j, uint32_t(bytes->size()));
            j += *bytes;
        }
        if (!tail.empty()) {
            put<uint64_t>(j, dataEnd);
            put<uint32_t>(j, uint32_t(tail.size()));
            j += tail;
        }
    }
    put<uint64_t>(j, fnv1a(j.data(), j.size()));
    j.append(kJournalEnd, sizeof kJournalEnd - 1);

    if (!private_) takeExclusive();
    auto journalPath = folder_ / kJournalFile;
    bool journalWritten = false;
    std::vector<TableFile*> touched;
    try {
        {
            io::File jf(journalPath, O_WRONLY | O_CREAT | O_TRUNC);
            journalWritten = true;
            jf.writeAt(0, j.data(), j.size());
            jf.sync();
        }
        io::syncFolder(folder_);
        for (auto& c : changes) {
            TableFile& t = *c.table;
            const std::string& bytes = t.bytes();
            uint32_t rl = t.recordLength();
            uint64_t hl = t.headerLength();
            io::File f(t.path(), O_RDWR);
            for (auto& [recno, before] : c.before) {
                uint64_t off = hl + uint64_t(recno - 1) * rl;
                f.writeAt(off, bytes.data() + off, rl);
            }
            uint64_t newEnd = hl + uint64_t(t.count()) * rl;
            if (t.count() > t.committedCount()) {
                uint64_t from = hl + uint64_t(t.committedCount()) * rl;
                std::string tailOut = bytes.substr(size_t(from));
                tailOut += char(kEndOfFile);
                f.writeAt(from, tailOut.data(), tailOut.size());
                if (t.diskSize() > newEnd + 1) f.truncate(newEnd + 1);
            }
            std::string head = bytes.substr(0, 32);
            stampHeader(reinterpret_cast<unsigned char*>(head.data()), t.count());
            f.writeAt(0, head.data(), head.size());
            f.sync();
            std::memcpy(const_cast<char*>(t.bytes().data()), head.data(), 32);
            touched.push_back(&t);
        }
        std::vector<std::vector<uint32_t>> changedRecords;
        for (auto& c : changes) {
            std::vector<uint32_t> r;
            for (auto& [recno, before] : c.before) r.push_back(recno);
            changedRecords.push_back(std::move(r));
        }
        bumpVersions(touched, false, &changedRecords);
        fault::step();
        io::removeFile(journalPath);
        io::syncFolder(folder_);
    } catch (...) {
        // Put the files back as they were, then forget the transaction.
        if (journalWritten) {
            try {
                rollbackJournal();
            } catch (...) {
                // The journal stays: whoever opens the folder next rolls it back.
            }
        }
        rollbackTo(0);
        for (auto& c : changes) {
            c.table->setDirty(false);
            c.table->invalidate();
        }
        writing_ = false;
        if (!private_) dropExclusive();
        if (reservedHeld_) {
            unlockByte(kReserved);
            reservedHeld_ = false;
        }
        throw;
    }
    for (auto& c : changes) {
        TableFile& t = *c.table;
        io::Stamp st;
        io::stamp(t.path(), st);
        t.afterCommit(st, st.size);
        deleteMdx(t);
    }
    undo_.clear();
    savepoints_.clear();
    writing_ = false;
    if (!private_) dropExclusive();
    if (reservedHeld_) {
        unlockByte(kReserved);
        reservedHeld_ = false;
    }
}

void FolderStore::rollbackJournal() {
    auto journalPath = folder_ / kJournalFile;
    std::string j;
    try {
        j = io::readAll(journalPath);
    } catch (const StorageError&) {
        return;
    }
    size_t endLen = sizeof kJournalEnd - 1;
    size_t magicLen = sizeof kJournalMagic - 1;
    bool complete = j.size() >= magicLen + 8 + endLen && j.compare(0, magicLen, kJournalMagic) == 0 &&
                    j.compare(j.size() - endLen, endLen, kJournalEnd) == 0;
    if (complete) {
        uint64_t sum;
        std::memcpy(&sum, j.data() + j.size() - endLen - 8, 8);
        complete = sum == fnv1a(j.data(), j.size() - endLen - 8);
    }
    if (!complete) {
        // Killed while writing the journal: no table was touched yet.
        io::removeFile(journalPath);
        io::syncFolder(folder_);
        return;
    }
    size_t pos = magicLen;
    uint32_t tables = 0;
    get(j, pos, tables);
    std::vector<TableFile*> restored;
    for (uint32_t k = 0; k < tables; ++k) {
        uint32_t nameLen = 0, ranges = 0;
        uint64_t origSize = 0;
        get(j, pos, nameLen);
        std::string name = j.substr(pos, nameLen);
        pos += nameLen;
        get(j, pos, origSize);
        get(j, pos, ranges);
        io::File f(folder_ / name, O_RDWR);
        for (uint32_t r = 0; r < ranges; ++r) {
            uint64_t off = 0;
            uint32_t len = 0;
            get(j, pos, off);
            get(j, pos, len);
            if (::pwrite(f.fd(), j.data() + pos, len, off_t(off)) != ssize_t(len))
                throw StorageError("cannot roll back " + name + ": " + std::strerror(errno));
            pos += len;
        }
        if (::ftruncate(f.fd(), off_t(origSize)) != 0 || ::fdatasync(f.fd()) != 0)
            throw StorageError("cannot roll back " + name + ": " + std::strerror(errno));
        if (TableFile* t = find(std::filesystem::path(name).stem().string())) {
            t->setDirty(false);
            t->invalidate();
            restored.push_back(t);
        }
    }
    bumpVersions(restored, restored.size() < tables);
    io::removeFile(journalPath);
    io::syncFolder(folder_);
}

// ---- structural changes -------------------------------------------------------------

void FolderStore::deleteMdx(const TableFile& t) {
    std::string stem = lower(t.path().stem().string());
    std::error_code ec;
    for (auto& e : std::filesystem::directory_iterator(folder_, ec)) {
        auto p = e.path();
        if (lower(p.extension().string()) == ".mdx" && lower(p.stem().string()) == stem) {
            std::filesystem::remove(p, ec);
        }
    }
}

void FolderStore::createTableFile(const std::string& fileName, const std::vector<FieldDef>& fields) {
    std::string content = buildHeader(fields, 0);
    content += char(kEndOfFile);
    exclusively([&] {
        std::string key = lower(std::filesystem::path(fileName).stem().string());
        if (tables_.count(key)) throw StorageError("table " + fileName + " already exists");
        io::replaceAtomically(folder_ / fileName, content, true);
        auto t = std::make_unique<TableFile>(*this, folder_ / fileName, std::filesystem::path(fileName).stem().string());
        t->readHeader();
        std::vector<TableFile*> v{t.get()};
        bumpVersions(v, true);
        tables_.emplace(key, std::move(t));
        catalogChanged_ = true;
    });
}

void FolderStore::dropTableFile(TableFile& t) {
    if (t.dirty()) throw StorageError("table " + t.sqlName() + " has uncommitted changes");
    exclusively([&] {
        io::removeFile(t.path());
        deleteMdx(t);
        std::vector<TableFile*> v{&t};
        bumpVersions(v, true);
        auto it = tables_.find(lower(t.sqlName()));
        retired_.push_back(std::move(it->second));
        tables_.erase(it);
        catalogChanged_ = true;
    });
}

void FolderStore::rewriteTable(TableFile& t, const std::vector<FieldDef>& newFieldsIn, bool dropDeleted) {
    if (t.dirty()) throw StorageError("table " + t.sqlName() + " has uncommitted changes");
    exclusively([&] {
        t.invalidate();
        t.ensureLoaded();
        std::vector<FieldDef> newFields = newFieldsIn;
        uint32_t rl = layoutFields(newFields);
        const auto& oldFields = t.fields();
        std::vector<int> source(newFields.size(), -1);
        for (size_t i = 0; i < newFields.size(); ++i) source[i] = t.fieldIndex(newFields[i].name);
        bool sameLayout = newFields.size() == oldFields.size();
        for (size_t i = 0; sameLayout && i < newFields.size(); ++i)
            sameLayout = newFields[i] == oldFields[i];

        std::string out;
        uint32_t kept = 0;
        std::string rec(rl, ' ');
        std::string content;
        for (uint32_t r = 1; r <= t.count(); ++r) {
            const char* old = t.record(r);
            if (dropDeleted && *old == '*') continue;
            if (sameLayout) {
                out.append(old, rl);
            } else {
                rec.assign(rl, ' ');
                rec[0] = *old == '*' ? '*' : ' ';
                for (size_t i = 0; i < newFields.size(); ++i) {
                    const FieldDef& nf = newFields[i];
                    if (source[i] < 0) continue;
                    const FieldDef& of = oldFields[size_t(source[i])];
                    const char* ob = old + of.offset;
                    char* nb = rec.data() + nf.offset;
                    if (of.type == nf.type && (nf.type == 'C' || nf.type == 'D' || nf.type == 'L')) {
                        size_t n = std::min(of.width, nf.width);
                        std::memcpy(nb, ob, n);
                        continue;
                    }
                    // Numbers (and changes of type) go through their text.
                    std::string text(ob, size_t(of.width));
                    if (of.type == 'D') {
                        Value v = valueOfField(of, ob);
                        text = v.toText();
                    }
                    FieldInput in;
                    in.kind = FieldInput::Text;
                    in.text = text;
                    if (auto err = encodeField(nf, in, nb))
                        throw StorageError("cannot convert " + t.sqlName() + "." + nf.name + " in record " +
                                           std::to_string(r) + ": " + *err);
                }
                out += rec;
            }
            ++kept;
        }
        content = buildHeader(newFields, kept);
        content += out;
        content += char(kEndOfFile);
        io::replaceAtomically(t.path(), content, false);
        deleteMdx(t);
        io::Stamp st;
        io::stamp(t.path(), st);
        auto before = t.fields();
        t.replaceContent(content, st);
        if (!(before == t.fields())) catalogChanged_ = true;
        std::vector<TableFile*> v{&t};
        bumpVersions(v, false);
    });
}

} // namespace lirma::storage

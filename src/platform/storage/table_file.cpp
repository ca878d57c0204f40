#include "table_file.h"

#include "folder_store.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lirma::storage {

TableFile::TableFile(FolderStore& folder, std::filesystem::path path, std::string sqlName)
    : folder_(folder), path_(std::move(path)), sqlName_(std::move(sqlName)) {}

std::string TableFile::fileKey() const {
    std::string k = path_.filename().string();
    for (auto& c : k) c = char(std::tolower(static_cast<unsigned char>(c)));
    return k;
}

int TableFile::fieldIndex(std::string_view name) const {
    for (size_t i = 0; i < header_.fields.size(); ++i) {
        const auto& n = header_.fields[i].name;
        if (n.size() == name.size() &&
            std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return int(i);
    }
    return -1;
}

void TableFile::readHeader() {
    uint64_t size = 0;
    std::string prefix = io::readPrefix(path_, 32 + 32 * 300 + 300, size);
    auto* p = reinterpret_cast<const unsigned char*>(prefix.data());
    DbfHeader h = parseHeader(path_.filename().string(), p, prefix.size(), size);
    if (!(h.fields == header_.fields)) ++layoutVersion_;
    header_ = std::move(h);
}

void TableFile::parseLoaded(std::string data, const io::Stamp& st) {
    auto* p = reinterpret_cast<const unsigned char*>(data.data());
    DbfHeader h = parseHeader(path_.filename().string(), p, data.size(), data.size());
    if (!(h.fields == header_.fields)) ++layoutVersion_;
    header_ = std::move(h);
    diskSize_ = data.size();
    data.resize(size_t(header_.headerLength) + size_t(header_.recordCount) * header_.recordLength);
    bytes_ = std::move(data);
    count_ = committedCount_ = header_.recordCount;
    stamp_ = st;
    loaded_ = true;
    indexes_.clear();
}

void TableFile::ensureLoaded() {
    if (loaded_) return;
    io::Stamp st;
    std::string data = io::readAll(path_, &st);
    parseLoaded(std::move(data), st);
}

void TableFile::checkFresh(uint64_t epoch) {
    if (checkedEpoch_ == epoch) return;
    checkedEpoch_ = epoch;
    if (!loaded_ || dirty_) return;
    io::Stamp st;
    if (!io::stamp(path_, st) || !(st == stamp_)) invalidate();
}

void TableFile::invalidate() {
    if (dirty_) return;
    loaded_ = false;
    bytes_.clear();
    bytes_.shrink_to_fit();
    indexes_.clear();
}

TableFile::Index& TableFile::index(int field) {
    auto it = indexes_.find(field);
    if (it != indexes_.end()) return it->second;
    ensureLoaded();
    Index& idx = indexes_[field];
    const FieldDef& f = header_.fields[size_t(field)];
    std::string key;
    idx.map.reserve(count_ / 2 + 16);
    for (uint32_t r = 1; r <= count_; ++r) {
        const char* rec = record(r);
        if (*rec == '*') continue;
        if (keyOfField(f, rec + f.offset, key)) idx.map[key].push_back(r);
    }
    return idx;
}

double TableFile::estimateRows(int field) {
    Index& idx = index(field);
    if (idx.map.empty()) return 1;
    return std::max(1.0, double(count_) / double(idx.map.size()));
}

void TableFile::indexRecord(uint32_t recno, bool add) {
    if (indexes_.empty()) return;
    const char* rec = record(recno);
    if (*rec == '*') return;
    std::string key;
    for (auto& [field, idx] : indexes_) {
        const FieldDef& f = header_.fields[size_t(field)];
        if (!keyOfField(f, rec + f.offset, key)) continue;
        if (add) {
            idx.map[key].push_back(recno);
        } else {
            auto it = idx.map.find(key);
            if (it == idx.map.end()) continue;
            auto& v = it->second;
            v.erase(std::remove(v.begin(), v.end(), recno), v.end());
            if (v.empty()) idx.map.erase(it);
        }
    }
}

uint32_t TableFile::append(const std::string& rec) {
    ensureLoaded();
    bytes_.append(rec);
    ++count_;
    dirty_ = true;
    folder_.logUndo({this, count_, true, {}});
    indexRecord(count_, true);
    return count_;
}

void TableFile::overwrite(uint32_t recno, const std::string& rec) {
    ensureLoaded();
    char* p = bytes_.data() + header_.headerLength + size_t(recno - 1) * header_.recordLength;
    folder_.logUndo({this, recno, false, std::string(p, header_.recordLength)});
    dirty_ = true;
    indexRecord(recno, false);
    std::memcpy(p, rec.data(), header_.recordLength);
    indexRecord(recno, true);
}

void TableFile::markDeleted(uint32_t recno) {
    ensureLoaded();
    std::string rec(record(recno), header_.recordLength);
    rec[0] = '*';
    overwrite(recno, rec);
}

void TableFile::restoreRecord(uint32_t recno, const std::string& before) {
    char* p = bytes_.data() + header_.headerLength + size_t(recno - 1) * header_.recordLength;
    indexRecord(recno, false);
    std::memcpy(p, before.data(), header_.recordLength);
    indexRecord(recno, true);
}

void TableFile::dropAppended(uint32_t newCount) {
    for (uint32_t r = count_; r > newCount; --r) indexRecord(r, false);
    count_ = newCount;
    bytes_.resize(size_t(header_.headerLength) + size_t(count_) * header_.recordLength);
}

void TableFile::afterCommit(const io::Stamp& st, uint64_t size) {
    committedCount_ = count_;
    diskSize_ = size;
    stamp_ = st;
    dirty_ = false;
    header_.recordCount = count_;
    header_.mdxFlag = false;
}

bool TableFile::applyRemoteChanges(const std::vector<uint32_t>& recnos) {
    if (!loaded_ || dirty_) return false;
    io::File f(path_, O_RDONLY);
    uint64_t size = f.size();
    std::string head(std::min<uint64_t>(size, header_.headerLength), '\0');
    if (::pread(f.fd(), head.data(), head.size(), 0) != ssize_t(head.size())) return false;
    DbfHeader h = parseHeader(path_.filename().string(), reinterpret_cast<const unsigned char*>(head.data()),
                              head.size(), size);
    if (!(h.fields == header_.fields) || h.headerLength != header_.headerLength ||
        h.recordLength != header_.recordLength || h.recordCount < count_)
        return false;
    const uint32_t rl = header_.recordLength;
    const uint64_t hl = header_.headerLength;
    for (uint32_t r : recnos) {
        if (r < 1 || r > count_) continue;
        char* p = bytes_.data() + hl + uint64_t(r - 1) * rl;
        indexRecord(r, false);
        if (::pread(f.fd(), p, rl, off_t(hl + uint64_t(r - 1) * rl)) != ssize_t(rl)) {
            invalidate();
            return false;
        }
        indexRecord(r, true);
    }
    uint32_t oldCount = count_;
    if (h.recordCount > oldCount) {
        size_t from = size_t(hl + uint64_t(oldCount) * rl);
        size_t len = size_t(h.recordCount - oldCount) * rl;
        bytes_.resize(from + len);
        if (::pread(f.fd(), bytes_.data() + from, len, off_t(from)) != ssize_t(len)) {
            invalidate();
            return false;
        }
        count_ = h.recordCount;
        for (uint32_t r = oldCount + 1; r <= count_; ++r) indexRecord(r, true);
    }
    std::memcpy(bytes_.data(), head.data(), 32);
    count_ = committedCount_ = h.recordCount;
    header_.recordCount = h.recordCount;
    diskSize_ = size;
    io::stamp(path_, stamp_);
    return true;
}

void TableFile::replaceContent(std::string content, const io::Stamp& st) {
    dirty_ = false;
    loaded_ = false;
    parseLoaded(std::move(content), st);
}

} // namespace lirma::storage

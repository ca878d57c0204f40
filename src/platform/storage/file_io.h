// Small POSIX file helpers that throw StorageError naming the file.
#pragma once

#include "storage.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace lirma::storage::io {

struct Stamp {
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    int64_t ctimeNs = 0;
    uint64_t inode = 0;
    bool operator==(const Stamp&) const = default;
};

bool stamp(const std::filesystem::path& p, Stamp& out); // false when missing
std::string readAll(const std::filesystem::path& p, Stamp* st = nullptr);
std::string readPrefix(const std::filesystem::path& p, size_t maxBytes, uint64_t& fileSize);

class File {
public:
    File(const std::filesystem::path& p, int flags, int mode = 0644);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    int fd() const { return fd_; }
    // Each write and sync is a fault-injection step.
    void writeAt(uint64_t offset, const void* data, size_t size);
    void truncate(uint64_t size);
    void sync();
    uint64_t size();

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

void syncFolder(const std::filesystem::path& folder);
// Writes a whole file under a temporary name, syncs it and renames it over `target`.
void replaceAtomically(const std::filesystem::path& target, const std::string& content, bool mustNotExist);
void removeFile(const std::filesystem::path& p); // missing is fine

} // namespace lirma::storage::io

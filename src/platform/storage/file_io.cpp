#include "file_io.h"

#include "fault.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lirma::storage::io {
namespace {
StorageError sysError(const std::string& what, const std::filesystem::path& p) {
    return StorageError(what + " " + p.string() + ": " + std::strerror(errno));
}
} // namespace

bool stamp(const std::filesystem::path& p, Stamp& out) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return false;
    out.size = uint64_t(st.st_size);
    out.mtimeNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    out.ctimeNs = int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    out.inode = uint64_t(st.st_ino);
    return true;
}

std::string readAll(const std::filesystem::path& p, Stamp* stOut) {
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw sysError("cannot open", p);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        throw sysError("cannot read", p);
    }
    std::string data(size_t(st.st_size), '\0');
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            throw sysError("cannot read", p);
        }
        if (n == 0) break;
        done += size_t(n);
    }
    data.resize(done);
    if (stOut) {
        stOut->size = done;
        stOut->mtimeNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        stOut->ctimeNs = int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
        stOut->inode = uint64_t(st.st_ino);
    }
    ::close(fd);
    return data;
}

std::string readPrefix(const std::filesystem::path& p, size_t maxBytes, uint64_t& fileSize) {
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw sysError("cannot open", p);
    struct stat st {};
    ::fstat(fd, &st);
    fileSize = uint64_t(st.st_size);
    std::string data(std::min<uint64_t>(maxBytes, fileSize), '\0');
    ssize_t n = ::pread(fd, data.data(), data.size(), 0);
    ::close(fd);
    if (n < 0) throw sysError("cannot read", p);
    data.resize(size_t(n));
    return data;
}

File::File(const std::filesystem::path& p, int flags, int mode) : path_(p) {
    fd_ = ::open(p.c_str(), flags | O_CLOEXEC, mode);
    if (fd_ < 0) throw sysError("cannot open", p);
}

File::~File() {
    if (fd_ >= 0) ::close(fd_);
}

namespace {
struct HalfWrite {
    int fd;
    uint64_t offset;
    const void* data;
    size_t size;
};
void doHalfWrite(void* arg) {
    auto* h = static_cast<HalfWrite*>(arg);
    if (h->size > 1) (void)!::pwrite(h->fd, h->data, h->size / 2, off_t(h->offset));
}
} // namespace

void File::writeAt(uint64_t offset, const void* data, size_t size) {
    HalfWrite hw{fd_, offset, data, size};
    fault::step(doHalfWrite, &hw);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::pwrite(fd_, p, size, off_t(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw sysError("cannot write", path_);
        p += n;
        offset += uint64_t(n);
        size -= size_t(n);
    }
}

void File::truncate(uint64_t size) {
    fault::step();
    if (::ftruncate(fd_, off_t(size)) != 0) throw sysError("cannot truncate", path_);
}

void File::sync() {
    fault::step();
    if (::fdatasync(fd_) != 0) throw sysError("cannot sync", path_);
}

uint64_t File::size() {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw sysError("cannot read", path_);
    return uint64_t(st.st_size);
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // some file systems refuse it on folders: not an error
    ::close(fd);
}

void replaceAtomically(const std::filesystem::path& target, const std::string& content, bool mustNotExist) {
    std::random_device rd;
    auto tmp = target;
    tmp += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(rd() % 1000000);
    try {
        File f(tmp, O_WRONLY | O_CREAT | O_TRUNC);
        f.writeAt(0, content.data(), content.size());
        f.sync();
    } catch (...) {
        ::unlink(tmp.c_str());
        throw;
    }
    fault::step();
    if (mustNotExist) {
        // link() fails when the target exists: no table created by another process is lost.
        if (::link(tmp.c_str(), target.c_str()) != 0) {
            int e = errno;
            if ((e == EPERM || e == ENOTSUP || e == EOPNOTSUPP || e == ENOSYS) && !std::filesystem::exists(target)) {
                // No hard links on this file system (some network shares): the folder's
                // write lock already keeps our own processes from racing here.
                if (::rename(tmp.c_str(), target.c_str()) == 0) {
                    syncFolder(target.parent_path());
                    return;
                }
                e = errno;
            }
            ::unlink(tmp.c_str());
            errno = e;
            if (e == EEXIST) throw StorageError("table file " + target.string() + " already exists");
            throw sysError("cannot create", target);
        }
        ::unlink(tmp.c_str());
    } else if (::rename(tmp.c_str(), target.c_str()) != 0) {
        int e = errno;
        ::unlink(tmp.c_str());
        errno = e;
        throw sysError("cannot replace", target);
    }
    syncFolder(target.parent_path());
}

void removeFile(const std::filesystem::path& p) {
    if (::unlink(p.c_str()) != 0 && errno != ENOENT) throw sysError("cannot delete", p);
}

} // namespace lirma::storage::io

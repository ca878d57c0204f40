#include "core/users_file.h"

#include "platform/codepage/cp1250.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirma::core {

namespace {

constexpr int kNameOffset = 0;
constexpr int kPasswordOffset = 33;
constexpr int kRankOffset = 66;
constexpr int kLegitOffset = 67;

constexpr std::array<std::string_view, 4> kRankNames = {"ADMIN", "OPERATOR DE ROL", "CASIER",
                                                        "NECUNOSCUT"};

using Record = std::array<char, UsersFile::kRecordSize>;

// One record as stored: texts still in Windows-1250.
struct RawUser {
    bool intact = false; // every length byte within 32
    std::string name, password, legit;
    Rank rank = Rank::Unknown;
};

RawUser parse(const Record& r)
{
    RawUser u;
    auto text = [&](int offset, std::string& out) {
        const auto len = static_cast<unsigned char>(r[offset]);
        if (len > UsersFile::kTextMax)
            return false;
        out.assign(r.data() + offset + 1, len);
        return true;
    };
    u.intact = text(kNameOffset, u.name) && text(kPasswordOffset, u.password)
        && text(kLegitOffset, u.legit);
    const auto rank = static_cast<unsigned char>(r[kRankOffset]);
    u.rank = rank <= 3 ? static_cast<Rank>(rank) : Rank::Unknown;
    return u;
}

// Builds a record with every byte after each text zeroed; texts already in Windows-1250.
Record build(std::string_view name, std::string_view password, Rank rank, std::string_view legit)
{
    Record r{};
    auto put = [&](int offset, std::string_view text) {
        r[offset] = static_cast<char>(text.size());
        std::memcpy(r.data() + offset + 1, text.data(), text.size());
    };
    put(kNameOffset, name);
    put(kPasswordOffset, password);
    r[kRankOffset] = static_cast<char>(rank);
    put(kLegitOffset, legit);
    return r;
}

// Text as stored, refusing what the record cannot hold.
std::string encodeField(std::string_view utf8, const char* what)
{
    std::string bytes = codepage::cp1250FromUtf8(utf8);
    if (bytes.size() > static_cast<size_t>(UsersFile::kTextMax))
        throw std::invalid_argument(std::string(what) + " longer than 32 characters");
    return bytes;
}

UserRecord decode(const RawUser& u)
{
    return {codepage::utf8FromCp1250(u.name), codepage::utf8FromCp1250(u.password), u.rank, codepage::utf8FromCp1250(u.legit)};
}

[[noreturn]] void fail(const std::filesystem::path& path, const char* what)
{
    const int err = errno;
    throw UsersFileError(std::string(what) + " " + path.string() + ": " + std::strerror(err));
}

// The file opened and locked for one operation; the lock goes with the descriptor.
class LockedFile {
public:
    LockedFile(const std::filesystem::path& path, bool write, bool create) : path_(path)
    {
        int flags = (write ? O_RDWR : O_RDONLY) | O_CLOEXEC | (create ? O_CREAT : 0);
        fd_ = ::open(path.c_str(), flags, 0666);
        if (fd_ < 0)
            return;
        struct flock fl {};
        fl.l_type = write ? F_WRLCK : F_RDLCK;
        fl.l_whence = SEEK_SET; // start 0, length 0: the whole file, however it grows
        int rc;
        while ((rc = ::fcntl(fd_, F_OFD_SETLKW, &fl)) < 0 && errno == EINTR) {
        }
        if (rc < 0 && errno == EINVAL) { // a file system without open-file locks
            while ((rc = ::fcntl(fd_, F_SETLKW, &fl)) < 0 && errno == EINTR) {
            }
        }
        if (rc < 0) {
            const int err = errno;
            ::close(fd_);
            fd_ = -1;
            errno = err;
            fail(path_, "Cannot lock");
        }
    }
    ~LockedFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LockedFile(LockedFile&& o) noexcept : path_(std::move(o.path_)), fd_(std::exchange(o.fd_, -1)) {}
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Every complete record; a torn tail is left out.
    std::vector<Record> records() const
    {
        struct stat st {};
        if (::fstat(fd_, &st) < 0)
            fail(path_, "Cannot read");
        const size_t count = static_cast<size_t>(st.st_size) / UsersFile::kRecordSize;
        std::vector<Record> out(count);
        for (size_t i = 0; i < count; ++i) {
            size_t done = 0;
            while (done < Record().size()) {
                const ssize_t n = ::pread(fd_, out[i].data() + done, out[i].size() - done,
                                          off_t(i * UsersFile::kRecordSize + done));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    fail(path_, "Cannot read");
                if (n == 0) { // shrunk under us despite the lock: keep what is whole
                    out.resize(i);
                    return out;
                }
                done += static_cast<size_t>(n);
            }
        }
        return out;
    }

    void write(size_t index, const Record& r)
    {
        size_t done = 0;
        while (done < r.size()) {
            const ssize_t n = ::pwrite(fd_, r.data() + done, r.size() - done,
                                       off_t(index * UsersFile::kRecordSize + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                fail(path_, "Cannot write");
            done += static_cast<size_t>(n);
        }
    }

    void truncate(size_t recordCount)
    {
        if (::ftruncate(fd_, off_t(recordCount * UsersFile::kRecordSize)) < 0)
            fail(path_, "Cannot write");
    }

    void sync()
    {
        if (::fsync(fd_) < 0)
            fail(path_, "Cannot write");
    }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

LockedFile openForRead(const std::filesystem::path& path)
{
    LockedFile f(path, false, false);
    if (!f.isOpen() && errno != ENOENT)
        fail(path, "Cannot open");
    return f;
}

LockedFile openForWrite(const std::filesystem::path& path, bool create)
{
    LockedFile f(path, true, create);
    if (!f.isOpen())
        fail(path, "Cannot open");
    return f;
}

// A file without one whole record gets the administrator's record; true when written.
bool ensureFirstRecord(LockedFile& f, std::vector<Record>& records)
{
    if (!records.empty())
        return false;
    records.push_back(build(kAdminName, kDefaultAdminPassword, Rank::Admin, ""));
    f.write(0, records[0]);
    f.truncate(1);
    f.sync();
    return true;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x))
                   == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string_view RankName(Rank rank)
{
    const auto i = static_cast<size_t>(rank);
    return i < kRankNames.size() ? kRankNames[i] : kRankNames[3];
}

Rank RankFromName(std::string_view name)
{
    for (size_t i = 0; i < kRankNames.size(); ++i)
        if (kRankNames[i] == name)
            return static_cast<Rank>(i);
    return Rank::Unknown;
}

UsersFile::UsersFile(const std::filesystem::path& dataFolder)
    : path_(dataFolder / std::string(kUsersFileName))
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder, ec))
        if (equalNoCase(entry.path().filename().string(), kUsersFileName)) {
            path_ = entry.path();
            break;
        }
}

bool UsersFile::exists() const
{
    std::error_code ec;
    return std::filesystem::exists(path_, ec);
}

bool UsersFile::createIfMissing()
{
    LockedFile f = openForWrite(path_, true);
    std::vector<Record> records = f.records();
    return ensureFirstRecord(f, records);
}

std::vector<UserRecord> UsersFile::readAll() const
{
    std::vector<UserRecord> out;
    LockedFile f = openForRead(path_);
    if (!f.isOpen())
        return out;
    for (const Record& r : f.records()) {
        const RawUser u = parse(r);
        if (u.intact)
            out.push_back(decode(u));
    }
    return out;
}

std::optional<UserRecord> UsersFile::find(std::string_view name) const
{
    const std::string key = codepage::cp1250FromUtf8(name);
    LockedFile f = openForRead(path_);
    if (!f.isOpen() || key.empty())
        return std::nullopt;
    for (const Record& r : f.records()) {
        const RawUser u = parse(r);
        if (u.intact && u.name == key)
            return decode(u);
    }
    return std::nullopt;
}

UsersFile::LoginResult UsersFile::lookup(std::string_view name, std::string_view password) const
{
    LoginResult result;
    const std::string n = codepage::cp1250FromUtf8(name);
    const std::string p = codepage::cp1250FromUtf8(password);
    if (n.empty())
        return result;
    LockedFile f = openForRead(path_);
    if (!f.isOpen())
        return result;
    for (const Record& r : f.records()) {
        const RawUser u = parse(r);
        if (u.intact && u.name == n && u.password == p) {
            result.rank = u.rank;
            result.legit = codepage::utf8FromCp1250(u.legit);
        }
    }
    return result;
}

UsersChange UsersFile::append(const UserRecord& user)
{
    const std::string name = encodeField(user.name, "User name");
    const std::string password = encodeField(user.password, "Password");
    const std::string legit = encodeField(user.legit, "Identification");
    if (name.empty())
        throw std::invalid_argument("User name is empty");

    LockedFile f = openForWrite(path_, true);
    const std::vector<Record> records = f.records();
    for (const Record& r : records) {
        const RawUser u = parse(r);
        if (u.intact && u.name == name)
            return UsersChange::NameExists;
    }
    // Written over a torn tail, if any, so the file stays a whole number of records.
    f.write(records.size(), build(name, password, user.rank, legit));
    f.truncate(records.size() + 1);
    f.sync();
    return UsersChange::Done;
}

UsersChange UsersFile::modify(std::string_view name, Rank rank, std::string_view legit,
                              bool clearPassword)
{
    const std::string key = codepage::cp1250FromUtf8(name);
    const std::string newLegit = encodeField(legit, "Identification");
    if (key.empty() || !exists())
        return UsersChange::NotFound;

    LockedFile f = openForWrite(path_, false);
    const std::vector<Record> records = f.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const RawUser u = parse(records[i]);
        if (!u.intact || u.name != key)
            continue;
        f.write(i, build(u.name, clearPassword ? std::string() : u.password, rank, newLegit));
        f.sync();
        return UsersChange::Done;
    }
    return UsersChange::NotFound;
}

UsersChange UsersFile::remove(std::string_view name)
{
    const std::string key = codepage::cp1250FromUtf8(name);
    if (key.empty() || !exists())
        return UsersChange::NotFound;

    LockedFile f = openForWrite(path_, false);
    const std::vector<Record> records = f.records();
    // The first record is the administrator's and is never removed.
    for (size_t i = 1; i < records.size(); ++i) {
        const RawUser u = parse(records[i]);
        if (!u.intact || u.name != key)
            continue;
        const size_t last = records.size() - 1;
        if (i != last)
            f.write(i, records[last]);
        f.truncate(last);
        f.sync();
        return UsersChange::Done;
    }
    return UsersChange::NotFound;
}

UsersChange UsersFile::changeOwnAccount(std::string_view name, std::string_view currentPassword,
                                        std::string_view newPassword, std::string_view legit)
{
    const std::string key = codepage::cp1250FromUtf8(name);
    const std::string current = codepage::cp1250FromUtf8(currentPassword);
    const std::string password = encodeField(newPassword, "Password");
    const std::string newLegit = encodeField(legit, "Identification");

    LockedFile f = openForWrite(path_, true);
    std::vector<Record> records = f.records();
    ensureFirstRecord(f, records);
    if (key.empty())
        return UsersChange::NotFound;
    for (size_t i = 0; i < records.size(); ++i) {
        const RawUser u = parse(records[i]);
        if (!u.intact || u.name != key || u.password != current)
            continue;
        f.write(i, build(u.name, password, u.rank, newLegit));
        f.sync();
        return UsersChange::Done;
    }
    return UsersChange::NotFound;
}

} // namespace lirma::core

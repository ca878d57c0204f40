// The users file s.mpg of the data folder: fixed records of 100 bytes holding each user's
// name, password, rank and identification text (LEGIT), Windows-1250 text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lirma::core {

enum class Rank : uint8_t { Admin = 0, Operator = 1, Cashier = 2, Unknown = 3 };

// "ADMIN", "OPERATOR DE ROL", "CASIER", "NECUNOSCUT".
std::string_view RankName(Rank rank);
// The rank of a name as RankName spells it; any other text gives Rank::Unknown.
Rank RankFromName(std::string_view name);

inline constexpr std::string_view kUsersFileName = "s.mpg";
inline constexpr std::string_view kAdminName = "ADMIN";
// Password of the administrator's record written when the users file is first created.
inline constexpr std::string_view kDefaultAdminPassword = "123";

struct UserRecord {
    std::string name;
    std::string password; // plain text, as the record layout keeps it
    Rank rank = Rank::Unknown;
    std::string legit;
};

// What a change of the users file did.
enum class UsersChange {
    Done,
    NotFound,   // no record matched: nothing was written
    NameExists, // append refused: some record already has that name
};

class UsersFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every operation opens the file, works under a lock on it (shared for reading, exclusive
// for a read-modify-write) and closes it again, so several workstations may use one file.
// Damaged records (a length byte above 32) and a torn last record are never matched.
// I/O failures throw UsersFileError; texts longer than 32 bytes in Windows-1250 throw
// std::invalid_argument.
class UsersFile {
public:
    static constexpr int kRecordSize = 100;
    static constexpr int kTextMax = 32;

    // The users file of a data folder; an existing file is found without regard to case.
    explicit UsersFile(const std::filesystem::path& dataFolder);

    const std::filesystem::path& path() const { return path_; }
    bool exists() const;

    // Creates the file with the administrator's record (kAdminName, kDefaultAdminPassword,
    // rank ADMIN, empty LEGIT) when it is missing or empty; true when it did.
    bool createIfMissing();

    // The intact records, in file order. A missing file has none.
    std::vector<UserRecord> readAll() const;
    std::optional<UserRecord> find(std::string_view name) const;

    // Login lookup: every record whose name and password both equal the given ones sets the
    // rank and LEGIT (the last match wins). No match leaves rank Unknown: login refused.
    // A record with an empty name never matches.
    struct LoginResult {
        Rank rank = Rank::Unknown;
        std::string legit;
        bool ok() const { return rank != Rank::Unknown; }
    };
    LoginResult lookup(std::string_view name, std::string_view password) const;

    // Appends a user unless a record of the file already has that name.
    UsersChange append(const UserRecord& user);
    // Rewrites the first record with that name: new rank and LEGIT, the stored password kept
    // (or emptied when clearPassword).
    UsersChange modify(std::string_view name, Rank rank, std::string_view legit, bool clearPassword);
    // Removes the user (never the first record, the administrator's): the last record moves
    // into its place and the file shrinks by one record.
    UsersChange remove(std::string_view name);
    // "Contul meu": the first record with this name and password gets the new password and
    // LEGIT, its rank kept. Creates the file first when missing.
    UsersChange changeOwnAccount(std::string_view name, std::string_view currentPassword,
                                 std::string_view newPassword, std::string_view legit);

private:
    std::filesystem::path path_;
};

} // namespace lirma::core

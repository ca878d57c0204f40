#include "platform/codepage/cp1250.h"
#include "core/users_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using lirma::core::Rank;
using lirma::core::UserRecord;
using lirma::core::UsersChange;
using lirma::core::UsersFile;

namespace {

// One 100-byte record laid out by hand: length byte + text at 0, 33 and 67, rank at 66.
// `fill` goes into every byte after a text, to see whether a record was rewritten.
std::string rec(const std::string& name, const std::string& password, int rank, const std::string& legit,
                char fill = 0)
{
    std::string r(100, fill);
    auto put = [&](size_t offset, const std::string& text) {
        r[offset] = static_cast<char>(text.size());
        r.replace(offset + 1, text.size(), text);
    };
    put(0, name);
    put(33, password);
    r[66] = static_cast<char>(rank);
    put(67, legit);
    return r;
}

std::string readBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Bytes of a text in Windows-1250 as Python's codec gives them (an independent reference).
std::string pythonCp1250(const std::string& utf8)
{
    const fs::path in = fs::temp_directory_path() / ("lirma_cp_" + std::to_string(::getpid()));
    writeBytes(in, utf8);
    const std::string cmd = "/usr/bin/python3 -c \"import sys; sys.stdout.buffer.write(open(sys.argv[1], "
                            "encoding='utf-8').read().encode('cp1250'))\" '"
        + in.string() + "'";
    FILE* pipe = popen(cmd.c_str(), "r");
    std::string out;
    char buf[256];
    size_t n;
    while (pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int rc = pipe ? pclose(pipe) : -1;
    fs::remove(in);
    EXPECT_EQ(rc, 0) << cmd;
    return out;
}

class UsersFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path()
            / ("lirma_users_" + std::to_string(::getpid()) + "_"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file() const { return dir_ / "s.mpg"; }

    fs::path dir_;
};

// Junk in unused bytes shows which records a change rewrote.
const std::string kAdmin = rec("ADMIN", "123", 0, "", 'x');
const std::string kIon = rec("ION", "P1", 1, "L1", 'y');
const std::string kAna = rec("ANA", "", 2, "CAS", 'z');
const std::string kDan = rec("DAN", "DP", 1, "", 'w');
const std::string kBase = kAdmin + kIon + kAna + kDan;
const std::string kTorn = rec("EVE", "E", 1, "").substr(0, 70);
const std::string kDamaged = [] {
    std::string r = rec("BOB", "X", 1, "");
    r[0] = char(200); // a length the record cannot hold
    return r;
}();

TEST_F(UsersFileTest, ChangesAreCheckedAgainstEveryRecordAndNeverTouchOthers)
{
    struct Case {
        std::string label;
        std::string initial;
        std::function<UsersChange(UsersFile&)> op;
        UsersChange expected;
        std::optional<std::string> final; // nullopt: the file must be byte for byte unchanged
    };
    const std::vector<Case> cases = {
        {"append a new name", kBase,
         [](UsersFile& f) { return f.append({"MIHAI", "", Rank::Cashier, "L9"}); }, UsersChange::Done,
         kBase + rec("MIHAI", "", 2, "L9")},
        {"append a name of the last record", kBase,
         [](UsersFile& f) { return f.append({"DAN", "", Rank::Operator, ""}); }, UsersChange::NameExists,
         std::nullopt},
        {"append the administrator's name", kBase,
         [](UsersFile& f) { return f.append({"ADMIN", "", Rank::Operator, ""}); }, UsersChange::NameExists,
         std::nullopt},
        {"append over a torn last record", kBase + kTorn,
         [](UsersFile& f) { return f.append({"EVE", "", Rank::Operator, ""}); }, UsersChange::Done,
         kBase + rec("EVE", "", 1, "")},
        {"modify keeps the password", kBase,
         [](UsersFile& f) { return f.modify("ION", Rank::Cashier, "NOU", false); }, UsersChange::Done,
         kAdmin + rec("ION", "P1", 2, "NOU") + kAna + kDan},
        {"modify clears the password", kBase,
         [](UsersFile& f) { return f.modify("ION", Rank::Operator, "L1", true); }, UsersChange::Done,
         kAdmin + rec("ION", "", 1, "L1") + kAna + kDan},
        {"modify a name that is gone", kBase,
         [](UsersFile& f) { return f.modify("GHOST", Rank::Cashier, "", false); }, UsersChange::NotFound,
         std::nullopt},
        {"modify a prefix of a name", kBase,
         [](UsersFile& f) { return f.modify("IO", Rank::Cashier, "", false); }, UsersChange::NotFound,
         std::nullopt},
        {"modify the torn record", kBase + kTorn,
         [](UsersFile& f) { return f.modify("EVE", Rank::Cashier, "", false); }, UsersChange::NotFound,
         std::nullopt},
        {"modify a damaged record", kBase + kDamaged,
         [](UsersFile& f) { return f.modify("BOB", Rank::Cashier, "", false); }, UsersChange::NotFound,
         std::nullopt},
        {"remove a middle user", kBase, [](UsersFile& f) { return f.remove("ANA"); }, UsersChange::Done,
         kAdmin + kIon + kDan},
        {"remove the last user", kBase, [](UsersFile& f) { return f.remove("DAN"); }, UsersChange::Done,
         kAdmin + kIon + kAna},
        {"remove a name that is gone", kBase, [](UsersFile& f) { return f.remove("GHOST"); },
         UsersChange::NotFound, std::nullopt},
        {"remove the administrator", kBase, [](UsersFile& f) { return f.remove("ADMIN"); },
         UsersChange::NotFound, std::nullopt},
        {"remove with a torn last record", kBase + kTorn, [](UsersFile& f) { return f.remove("ION"); },
         UsersChange::Done, kAdmin + kDan + kAna},
        {"own account with the right password", kBase,
         [](UsersFile& f) { return f.changeOwnAccount("ION", "P1", "NOUA", "LG"); }, UsersChange::Done,
         kAdmin + rec("ION", "NOUA", 1, "LG") + kAna + kDan},
        {"own account with a wrong password", kBase,
         [](UsersFile& f) { return f.changeOwnAccount("ION", "P2", "NOUA", "LG"); }, UsersChange::NotFound,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(file(), c.initial);
        UsersFile users(dir_);
        EXPECT_EQ(c.op(users), c.expected);
        const std::string after = readBytes(file());
        const std::string& expected = c.final ? *c.final : c.initial;
        EXPECT_EQ(after.size(), expected.size());
        EXPECT_TRUE(after == expected) << "file content differs";
    }
}

TEST_F(UsersFileTest, LoginLookupMatchesExactlyAndTheLastMatchWins)
{
    std::string odd = rec("ODD", "O", 1, "");
    odd[66] = 7; // a rank no edition writes
    writeBytes(file(), kAdmin + kIon + kAna + rec("ION", "P1", 2, "L2") + rec("", "", 0, "") + kDamaged + odd
                           + kTorn);
    struct Case {
        std::string name, password;
        Rank rank;
        std::string legit;
    };
    const std::vector<Case> cases = {
        {"ADMIN", "123", Rank::Admin, ""},    {"ADMIN", "12", Rank::Unknown, ""},
        {"admin", "123", Rank::Unknown, ""},  {"ADMIN", "1234", Rank::Unknown, ""},
        {"ION", "P1", Rank::Cashier, "L2"},   {"ANA", "", Rank::Cashier, "CAS"},
        {"", "", Rank::Unknown, ""},          {"BOB", "X", Rank::Unknown, ""},
        {"ODD", "O", Rank::Unknown, ""},      {"EVE", "E", Rank::Unknown, ""},
    };
    UsersFile users(dir_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + "/" + c.password);
        const auto result = users.lookup(c.name, c.password);
        EXPECT_EQ(result.rank, c.rank);
        EXPECT_EQ(result.legit, c.legit);
        EXPECT_EQ(result.ok(), c.rank != Rank::Unknown);
    }

    std::vector<std::string> names;
    for (const UserRecord& u : users.readAll())
        names.push_back(u.name);
    EXPECT_EQ(names, (std::vector<std::string>{"ADMIN", "ION", "ANA", "ION", "", "ODD"}));
}

TEST_F(UsersFileTest, FirstCreationWritesOnlyTheAdministrator)
{
    UsersFile users(dir_);
    EXPECT_FALSE(users.exists());
    EXPECT_TRUE(users.readAll().empty());
    EXPECT_FALSE(users.lookup("ADMIN", "123").ok());

    EXPECT_TRUE(users.createIfMissing());
    EXPECT_EQ(readBytes(file()), rec("ADMIN", std::string(lirma::core::kDefaultAdminPassword), 0, ""));
    EXPECT_EQ(lirma::core::kDefaultAdminPassword.size(), 3u);
    EXPECT_EQ(users.lookup("ADMIN", lirma::core::kDefaultAdminPassword).rank, Rank::Admin);

    EXPECT_FALSE(users.createIfMissing());
    EXPECT_EQ(readBytes(file()).size(), 100u);

    // An empty file holds no administrator either.
    writeBytes(file(), "");
    EXPECT_TRUE(UsersFile(dir_).createIfMissing());
    EXPECT_EQ(readBytes(file()).size(), 100u);
}

TEST_F(UsersFileTest, OwnAccountChangeCreatesAMissingFileFirst)
{
    UsersFile users(dir_);
    EXPECT_EQ(users.changeOwnAccount("ADMIN", lirma::core::kDefaultAdminPassword, "999", "LEG"),
              UsersChange::Done);
    EXPECT_EQ(readBytes(file()), rec("ADMIN", "999", 0, "LEG"));
}

TEST_F(UsersFileTest, FileIsFoundWithoutRegardToCase)
{
    writeBytes(dir_ / "S.MPG", kBase);
    UsersFile users(dir_);
    EXPECT_EQ(users.lookup("ION", "P1").rank, Rank::Operator);
    EXPECT_EQ(users.append({"NOU", "", Rank::Operator, ""}), UsersChange::Done);
    EXPECT_FALSE(fs::exists(dir_ / "s.mpg"));
    EXPECT_EQ(readBytes(dir_ / "S.MPG").size(), 500u);
}

TEST_F(UsersFileTest, TextsAreStoredInWindows1250)
{
    UsersFile users(dir_);
    ASSERT_TRUE(users.createIfMissing());
    // Comma-below letters are stored as the cedilla letters the code page has.
    ASSERT_EQ(users.append({"ȘTEFAN ĂLEX", "PAROLĂ", Rank::Cashier, "ȚÎÂ"}), UsersChange::Done);
    const std::string bytes = readBytes(file());
    ASSERT_EQ(bytes.size(), 200u);
    EXPECT_EQ(bytes.substr(100),
              rec(pythonCp1250("ŞTEFAN ĂLEX"), pythonCp1250("PAROLĂ"), 2, pythonCp1250("ŢÎÂ")));
    EXPECT_EQ(users.find("ŞTEFAN ĂLEX")->legit, "ŢÎÂ");
    EXPECT_EQ(users.lookup("ȘTEFAN ĂLEX", "PAROLĂ").rank, Rank::Cashier);

    // The limit is 32 characters, not 32 bytes of UTF-8.
    std::string longest;
    for (int i = 0; i < 32; ++i)
        longest += "Ă";
    EXPECT_EQ(users.append({longest, "", Rank::Operator, ""}), UsersChange::Done);
    EXPECT_THROW(users.append({std::string(33, 'A'), "", Rank::Operator, ""}), std::invalid_argument);
    EXPECT_THROW(users.append({"", "", Rank::Operator, ""}), std::invalid_argument);
    EXPECT_EQ(readBytes(file()).size(), 300u);
}

TEST(Cp1250, AgreesWithPythonsCodec)
{
    const std::vector<std::string> texts = {"ăâîşţĂÂÎŞŢ", "€„”«»–— ÁÉÓÚ ľščťž", "plain ASCII 0-9"};
    for (const std::string& t : texts) {
        SCOPED_TRACE(t);
        const std::string expected = pythonCp1250(t);
        EXPECT_EQ(lirma::codepage::cp1250FromUtf8(t), expected);
        EXPECT_EQ(lirma::codepage::utf8FromCp1250(expected), t);
    }
    EXPECT_EQ(lirma::codepage::cp1250FromUtf8("șțȘȚ"), pythonCp1250("şţŞŢ"));
    EXPECT_EQ(lirma::codepage::cp1250FromUtf8("中"), "?");
    EXPECT_EQ(lirma::codepage::cp1250FromUtf8(std::string("\xC3", 1)), "?"); // cut UTF-8 sequence
}

// Two processes adding users at once: the lock keeps every append.
TEST_F(UsersFileTest, ConcurrentAppendsFromTwoProcessesAreAllKept)
{
    ASSERT_TRUE(UsersFile(dir_).createIfMissing());
    constexpr int kEach = 150;
    std::vector<pid_t> children;
    for (char prefix : {'A', 'B'}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int bad = 0;
            UsersFile users(dir_);
            for (int i = 0; i < kEach; ++i)
                if (users.append({std::string(1, prefix) + std::to_string(i), "", Rank::Operator, ""})
                    != UsersChange::Done)
                    ++bad;
            ::_exit(bad == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(readBytes(file()).size(), size_t(100 * (1 + 2 * kEach)));
    std::set<std::string> names;
    for (const UserRecord& u : UsersFile(dir_).readAll())
        names.insert(u.name);
    EXPECT_EQ(names.size(), size_t(1 + 2 * kEach));
}

} // namespace

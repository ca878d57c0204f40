// Login lookup, the first start, rank gates, the close questions and "Contul meu", without windows.
#include "core/closing.h"
#include "core/current_user.h"
#include "core/login.h"
#include "core/own_account.h"
#include "core/ranks.h"
#include "platform/base/files.h"
#include "platform/ui/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace lirma;
using core::Rank;
using ui::ScriptedInteraction;

namespace {

// One 100-byte record laid out by hand: length byte + text at 0, 33 and 67, rank at 66.
std::string rec(const std::string& name, const std::string& password, int rank,
                const std::string& legit, char fill = '#')
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

const std::string kUsers = rec("ADMIN", "123", 0, "") + rec("ION POP", "P1", 1, "L1")
    + rec("ANA", "", 2, "CAS") + rec("DUBLU", "D", 1, "PRIMUL") + rec("DUBLU", "D", 2, "AL DOILEA");

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        core::ClearCurrentUser();
    }
    void TearDown() override { core::ClearCurrentUser(); }

    fs::path data() const { return fs::path(tmp_.path().toStdString()); }
    fs::path usersFile() const { return data() / "s.mpg"; }

    QTemporaryDir tmp_;
    ScriptedInteraction said_;
    ui::ScopedInteraction installed_{said_};
};

TEST_F(LoginTest, LookupCases)
{
    struct Case {
        const char* label;
        std::optional<std::string> file; // nullopt: no users file
        QString name, password;
        core::LoginOutcome outcome;
        Rank rank;
        QString legit;
        QString lookedUp;
        QStringList titles; // messages shown
    };
    using O = core::LoginOutcome;
    const QString torn = QString::fromLatin1("TORN");
    const std::string damaged = [] {
        std::string r = rec("BOB", "B", 1, "");
        r[33] = char(40); // a password length the record cannot hold
        return r;
    }();
    const std::vector<Case> cases = {
        {"right password", kUsers, "ION POP", "P1", O::LoggedIn, Rank::Operator, "L1", "ION POP", {}},
        {"wrong password", kUsers, "ION POP", "P2", O::Refused, Rank::Unknown, "", "ION POP", {}},
        {"password of another user", kUsers, "ION POP", "123", O::Refused, Rank::Unknown, "", "ION POP", {}},
        {"unknown user", kUsers, "VASILE", "P1", O::Refused, Rank::Unknown, "", "VASILE", {}},
        {"prefix of a name", kUsers, "ION", "P1", O::Refused, Rank::Unknown, "", "ION", {}},
        {"name typed in lower case with spaces", kUsers, "  ion   pop ", "P1", O::LoggedIn,
         Rank::Operator, "L1", "ION POP", {}},
        {"empty password", kUsers, "ANA", "", O::LoggedIn, Rank::Cashier, "CAS", "ANA", {}},
        {"administrator", kUsers, "ADMIN", "123", O::LoggedIn, Rank::Admin, "", "ADMIN", {}},
        {"empty name never matches", rec("", "", 0, "") + kUsers, "", "", O::Refused, Rank::Unknown,
         "", "", {}},
        {"the last match wins", kUsers, "DUBLU", "D", O::LoggedIn, Rank::Cashier, "AL DOILEA",
         "DUBLU", {}},
        {"torn last record never matches", kUsers + rec("TORN", "T", 0, "").substr(0, 60), torn, "T",
         O::Refused, Rank::Unknown, "", torn, {}},
        {"users before a torn record still log in", kUsers + rec("TORN", "T", 0, "").substr(0, 60),
         "ANA", "", O::LoggedIn, Rank::Cashier, "CAS", "ANA", {}},
        {"a damaged record never matches", kUsers + damaged, "BOB", "B", O::Refused, Rank::Unknown,
         "", "BOB", {}},
        {"first start logs in the administrator whatever was typed", std::nullopt, "ION POP", "X",
         O::LoggedIn, Rank::Admin, "", "ADMIN", {"PRIMA PORNIRE"}},
        {"an empty file is a first start", std::string(), "ADMIN", "", O::LoggedIn, Rank::Admin, "",
         "ADMIN", {"PRIMA PORNIRE"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(usersFile());
        if (c.file)
            writeBytes(usersFile(), *c.file);
        said_.clearRecords();
        core::ClearCurrentUser();

        core::Login login(data());
        EXPECT_EQ(login.logIn(c.name, c.password), c.outcome);
        EXPECT_EQ(login.lookedUpName(), c.lookedUp);
        const core::CurrentUserInfo& user = core::CurrentUser();
        EXPECT_EQ(user.rank, c.rank);
        EXPECT_EQ(user.legit, c.legit);
        EXPECT_EQ(user.name, c.lookedUp);
        EXPECT_EQ(user.loggedIn(), c.outcome == O::LoggedIn);
        QStringList titles;
        for (const auto& m : said_.messages())
            titles << m.title;
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(login.firstStart(), !c.titles.isEmpty());
        if (!c.file || c.file->empty()) // the first start leaves the administrator's record alone
            EXPECT_EQ(readBytes(usersFile()).size(), 100u);
        else
            EXPECT_EQ(readBytes(usersFile()), *c.file) << "a login never writes";
    }
}

TEST_F(LoginTest, FirstStartTellsTheDefaultPasswordOnceAndStoresOneRecord)
{
    core::Login login(data());
    ASSERT_EQ(login.logIn("ADMIN", ""), core::LoginOutcome::LoggedIn);
    ASSERT_EQ(said_.messages().size(), 1u);
    const auto m = said_.messages()[0];
    EXPECT_EQ(m.title, "PRIMA PORNIRE");
    EXPECT_EQ(m.kind, ui::KindInformatie);
    EXPECT_EQ(m.buttons, ui::BtnOk);
    EXPECT_TRUE(m.text.contains("ADMIN"));
    EXPECT_TRUE(m.text.contains(QString::fromLatin1(core::kDefaultAdminPassword.data(),
                                                    qsizetype(core::kDefaultAdminPassword.size()))));
    EXPECT_TRUE(m.text.contains("Utilitare > Contul meu"));
    // The default password is three digits, as the administrator is told.
    EXPECT_EQ(core::kDefaultAdminPassword.size(), 3u);
    EXPECT_TRUE(std::all_of(core::kDefaultAdminPassword.begin(), core::kDefaultAdminPassword.end(),
                            [](char c) { return c >= '0' && c <= '9'; }));
    EXPECT_EQ(core::CurrentUser().password.toStdString(), core::kDefaultAdminPassword);
    EXPECT_EQ(readBytes(usersFile()),
              rec("ADMIN", std::string(core::kDefaultAdminPassword), 0, "", '\0'));

    // The next login finds the file: no second message, the typed credentials count.
    said_.clearRecords();
    core::Login again(data());
    EXPECT_EQ(again.logIn("ADMIN", "999"), core::LoginOutcome::Refused);
    EXPECT_TRUE(said_.messages().empty());
    EXPECT_EQ(readBytes(usersFile()).size(), 100u);
}

TEST_F(LoginTest, UsersFileThatCannotBeMadeIsReportedAndRefusesTheLogin)
{
    core::Login login(data() / "missing" / "folder");
    EXPECT_EQ(login.logIn("ADMIN", "123"), core::LoginOutcome::Refused);
    ASSERT_EQ(said_.messages().size(), 1u);
    EXPECT_EQ(said_.messages()[0].kind, ui::KindEroare);
    EXPECT_FALSE(core::CurrentUser().loggedIn());
}

TEST_F(LoginTest, HooksRunOnlyForASuccessfulLogin)
{
    writeBytes(usersFile(), kUsers);
    struct Case {
        const char* label;
        QString name, password;
        bool importEnds;
        core::LoginOutcome outcome;
        int importAsked;
        QStringList logged;
    };
    using O = core::LoginOutcome;
    const std::vector<Case> cases = {
        {"administrator, import declined", "ADMIN", "123", false, O::LoggedIn, 1, {"|Pornire program."}},
        {"administrator, import done", "ADMIN", "123", true, O::EndProgram, 1, {}},
        {"operator is never asked", "ION POP", "P1", true, O::LoggedIn, 0, {"|Pornire program."}},
        {"cashier is never asked", "ANA", "", true, O::LoggedIn, 0, {"|Pornire program."}},
        {"refused login", "ADMIN", "12", true, O::Refused, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        int asked = 0;
        QStringList logged;
        core::LoginHooks hooks;
        hooks.logAction = [&](const QString& rol, const QString& action) {
            // The log reads the current user: he is set before the row is written.
            EXPECT_TRUE(core::CurrentUser().loggedIn());
            logged << rol + "|" + action;
        };
        hooks.importAtFirstLogin = [&] {
            ++asked;
            return c.importEnds;
        };
        core::Login login(data(), hooks);
        EXPECT_EQ(login.logIn(c.name, c.password), c.outcome);
        EXPECT_EQ(asked, c.importAsked);
        EXPECT_EQ(logged, c.logged);
    }
}

TEST_F(LoginTest, LogOutLeavesNobodyLoggedIn)
{
    writeBytes(usersFile(), kUsers);
    core::Login login(data());
    ASSERT_EQ(login.logIn("ADMIN", "123"), core::LoginOutcome::LoggedIn);
    ASSERT_TRUE(core::CurrentUser().isAdmin());
    core::Login::logOut();
    EXPECT_EQ(core::CurrentUser().rank, Rank::Unknown);
    EXPECT_FALSE(core::CurrentUser().loggedIn());
    EXPECT_TRUE(core::CurrentUser().password.isEmpty());
}

TEST(Ranks, WhoSeesAndRunsEachGate)
{
    using core::Gate;
    struct Case {
        Gate gate;
        Rank rank;
        bool shows, runs;
    };
    const std::vector<Case> cases = {
        {Gate::Everyone, Rank::Admin, true, true},
        {Gate::Everyone, Rank::Operator, true, true},
        {Gate::Everyone, Rank::Cashier, true, true},
        {Gate::Everyone, Rank::Unknown, false, false},
        {Gate::NotCashier, Rank::Admin, true, true},
        {Gate::NotCashier, Rank::Operator, true, true},
        {Gate::NotCashier, Rank::Cashier, false, false},
        {Gate::NotCashier, Rank::Unknown, false, false},
        {Gate::AdminOnly, Rank::Admin, true, true},
        {Gate::AdminOnly, Rank::Operator, false, false},
        {Gate::AdminOnly, Rank::Cashier, false, false},
        {Gate::AdminOnly, Rank::Unknown, false, false},
        {Gate::AdminAction, Rank::Admin, true, true},
        {Gate::AdminAction, Rank::Operator, true, false},
        {Gate::AdminAction, Rank::Cashier, false, false},
        {Gate::AdminAction, Rank::Unknown, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gate " << int(c.gate) << " rank " << int(c.rank));
        EXPECT_EQ(core::GateShows(c.gate, c.rank), c.shows);
        EXPECT_EQ(core::GateRuns(c.gate, c.rank), c.runs);
    }
}

TEST(Closing, QuestionsAndAnswers)
{
    struct Case {
        bool offerBackup;
        int reply;
        QString title, text;
        core::CloseChoice choice;
    };
    using C = core::CloseChoice;
    const QString backupTitle = "Salvare Automata";
    const QString backupText = "\rDoriti sa facem o copie la datele de azi?";
    const QString closeTitle = "Inchidere program";
    const QString closeText = "\rDoriti sa inchideti programul?";
    const std::vector<Case> cases = {
        {true, ui::ReplyDa, backupTitle, backupText, C::CloseAndBackup},
        {true, ui::ReplyNu, backupTitle, backupText, C::Close},
        {true, ui::ReplyRenunt, backupTitle, backupText, C::Stay},
        {false, ui::ReplyDa, closeTitle, closeText, C::Close},
        {false, ui::ReplyNu, closeTitle, closeText, C::Stay},
        {false, ui::ReplyRenunt, closeTitle, closeText, C::Stay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offerBackup << " " << c.reply);
        ScriptedInteraction said;
        ui::ScopedInteraction installed(said);
        said.answerMessage(c.reply);
        EXPECT_EQ(core::AskClose(c.offerBackup), c.choice);
        ASSERT_EQ(said.messages().size(), 1u);
        const auto m = said.messages()[0];
        EXPECT_EQ(m.title, c.title);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.buttons, ui::BtnDa | ui::BtnNu);
        EXPECT_EQ(m.kind, ui::KindConfirmare);
    }
}

TEST(Closing, BackupOfferedOnlyOnLocalDataWithAnExistingFolder)
{
    QTemporaryDir program, backups, server;
    const base::Folders local = base::Folders::ForProgram(program.path());
    base::Folders remote = local;
    remote.data = server.path();
    struct Case {
        const char* label;
        const base::Folders& folders;
        QString backupFolder;
        bool offered;
    };
    const std::vector<Case> cases = {
        {"local data, existing folder", local, backups.path(), true},
        {"local data, folder gone", local, backups.path() + "/gone", false},
        {"local data, no folder set", local, "", false},
        {"local data, folder is a file", local, QDir(program.path()).filePath("file.txt"), false},
        {"server data", remote, backups.path(), false},
    };
    QFile file(QDir(program.path()).filePath("file.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(core::AutoBackupOffered(c.folders, c.backupFolder), c.offered);
    }
}

TEST(OwnAccount, PasswordCheck)
{
    const QString problem = "Parola nesetata sau nu este identica in cele doua casute!";
    struct Case {
        QString password, verify;
        bool ok;
    };
    for (const Case& c : std::vector<Case>{{"ABC", "ABC", true},
                                           {"", "", false},
                                           {"ABC", "ABD", false},
                                           {"ABC", "", false},
                                           {"", "ABC", false}}) {
        SCOPED_TRACE((c.password + "/" + c.verify).toStdString());
        EXPECT_EQ(core::CheckNewPassword(c.password, c.verify), c.ok ? QString() : problem);
    }
}

TEST_F(LoginTest, OwnAccountChangeStoresPasswordAndIdentification)
{
    writeBytes(usersFile(), kUsers);
    core::Login login(data());
    ASSERT_EQ(login.logIn("ION POP", "P1"), core::LoginOutcome::LoggedIn);

    EXPECT_TRUE(core::SaveOwnAccount(data(), "NOUA", "  LEG   99 "));
    EXPECT_EQ(said_.messages().back().title, "Schimbare cont");
    EXPECT_EQ(said_.messages().back().text, "Modificarile au fost memorate cu succes!");
    EXPECT_EQ(said_.messages().back().kind, ui::KindInformatie);
    const std::string bytes = readBytes(usersFile());
    ASSERT_EQ(bytes.size(), kUsers.size());
    const std::string ion = bytes.substr(100, 100);
    EXPECT_EQ(ion.substr(0, 8), std::string("\x07ION POP"));
    EXPECT_EQ(ion.substr(33, 5), std::string("\x04NOUA"));
    EXPECT_EQ(int(ion[66]), 1) << "the rank is kept";
    EXPECT_EQ(ion.substr(67, 7), std::string("\x06LEG 99"));
    // Every other record is untouched.
    EXPECT_EQ(bytes.substr(0, 100), kUsers.substr(0, 100));
    EXPECT_EQ(bytes.substr(200), kUsers.substr(200));
    // The run now holds the new password: a second change in the same run finds the record.
    EXPECT_EQ(core::CurrentUser().password, "NOUA");
    EXPECT_EQ(core::CurrentUser().legit, "LEG 99");
    EXPECT_TRUE(core::SaveOwnAccount(data(), "A DOUA", "LEG 99"));
    core::Login::logOut();
    EXPECT_EQ(core::Login(data()).logIn("ION POP", "A DOUA"), core::LoginOutcome::LoggedIn);
}

TEST_F(LoginTest, OwnAccountWithoutItsRecordWritesNothing)
{
    writeBytes(usersFile(), kUsers);
    core::Login login(data());
    ASSERT_EQ(login.logIn("ANA", ""), core::LoginOutcome::LoggedIn);
    // Meanwhile the administrator changed her password on another workstation.
    std::string changed = kUsers;
    changed.replace(200, 100, rec("ANA", "ALTA", 2, "CAS"));
    writeBytes(usersFile(), changed);

    EXPECT_FALSE(core::SaveOwnAccount(data(), "NOUA", "CAS"));
    ASSERT_FALSE(said_.messages().empty());
    EXPECT_EQ(said_.messages().back().title, "Schimbare cont");
    EXPECT_EQ(said_.messages().back().text, "Modificarile nu pot fi memorate!");
    EXPECT_EQ(said_.messages().back().kind, ui::KindEroare);
    EXPECT_EQ(readBytes(usersFile()), changed);
    EXPECT_EQ(core::CurrentUser().password, "");
}

} // namespace

#include "core/admin_texts.h"
#include "core/users_admin.h"
#include "core/villages.h"
#include "db/counters.h"

#include "core/admin_test_support.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lirma;
using namespace lirma::core;

namespace {

class VillagesTest : public test::AdminFolderTest {
protected:
    void SetUp() override
    {
        AdminFolderTest::SetUp();
        const db::TableDef& t = db::Table("DefZone.DBF");
        db->createTable(t.fileName, t.fields);
        counters = std::make_unique<db::Counters>(db::settingsPathIn(data));
        villages = std::make_unique<Villages>(*db, *counters);
    }
    std::unique_ptr<db::Counters> counters;
    std::unique_ptr<Villages> villages;
};

class UsersAdminTest : public test::AdminFolderTest {
protected:
    void SetUp() override
    {
        AdminFolderTest::SetUp();
        file = std::make_unique<UsersFile>(data.toStdString());
        ASSERT_TRUE(file->createIfMissing());
        for (const char* name : {"VASILE", "ANA", "MARIN"})
            ASSERT_EQ(file->append({name, std::string("P") + name, Rank::Operator, ""}), UsersChange::Done);
        ASSERT_TRUE(settings->WriteSetting("ANA", "SERIA", "AN"));
        ASSERT_TRUE(settings->WriteSetting("ANA", "CHIT", "57"));
        users = std::make_unique<UsersAdmin>(data.toStdString(), *settings);
        users->Build("ADMIN");
    }
    std::vector<std::string> namesInFile() const
    {
        std::vector<std::string> names;
        for (const UserRecord& r : file->readAll())
            names.push_back(r.name);
        return names;
    }
    std::unique_ptr<UsersFile> file;
    std::unique_ptr<UsersAdmin> users;
};

} // namespace

TEST_F(VillagesTest, NewVillageTakesItsIdFromTheDefzoneCounter)
{
    ASSERT_TRUE(counters->SetCounter(db::keys::DEFZONE, "7"));
    EXPECT_EQ(villages->Add("VALEA MARE", "B", "IV"), 7);
    EXPECT_EQ(villages->Add("ALBESTI", "A", "V"), 8);
    EXPECT_EQ(counters->PeekId(db::keys::DEFZONE), "9");
    const std::vector<Village> list = villages->List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].locality, "ALBESTI"); // ordered by LOCALIT
    EXPECT_EQ(list[0].id, 8);
    EXPECT_EQ(list[1].zone, "B");
    EXPECT_EQ(list[1].rank, "IV");

    villages->Modify(7, "VALEA MICA", "C", "III");
    villages->Remove(8);
    const std::vector<Village> after = villages->List();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].locality, "VALEA MICA");
    EXPECT_EQ(after[0].zone, "C");
    EXPECT_EQ(after[0].rank, "III");
}

TEST_F(VillagesTest, LocalityIsCleanedAndMustBeNewAndNotEmpty)
{
    const int64_t vale = villages->Add("VALEA MARE", "A", "IV");
    const int64_t sat = villages->Add("SATU NOU", "A", "IV");
    struct Case {
        const char* typed;
        std::optional<int64_t> modifying;
        QString balloon;
        const char* cleaned;
    };
    const std::vector<Case> cases = {
        {"  VALEA   MARE ", std::nullopt, "Localitatea specificat exista deja!", "VALEA MARE"},
        {"VALEA MARE", vale, "", "VALEA MARE"},     // the row being modified does not count
        {"VALEA  MARE", sat, "Localitatea specificat exista deja!", "VALEA MARE"},
        {"VALEA MARE 2", std::nullopt, "", "VALEA MARE 2"},
        {"   ", std::nullopt, "Nu ati specificat localitatea!", ""},
        {"", sat, "Nu ati specificat localitatea!", ""},
    };
    for (const Case& c : cases) {
        QString cleaned;
        EXPECT_EQ(villages->Check(c.typed, c.modifying, &cleaned), c.balloon) << c.typed;
        EXPECT_EQ(cleaned, c.cleaned) << c.typed;
    }
}

TEST_F(VillagesTest, ACounterThatCannotBeDrawnAddsNothing)
{
    ASSERT_TRUE(settings->WriteSetting("SERVER", "DEFZONE", "abc"));
    EXPECT_THROW(villages->Add("X", "A", "I"), db::CounterError);
    EXPECT_TRUE(villages->List().empty());
}

TEST_F(UsersAdminTest, GridListsEveryoneButTheLoggedInUserWithTheirReceiptBooks)
{
    const auto& rows = users->rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "ANA");
    EXPECT_EQ(rows[0].series, "AN");
    EXPECT_EQ(rows[0].number, "57");
    EXPECT_EQ(rows[0].rank, "OPERATOR DE ROL");
    EXPECT_EQ(rows[0].password, "PANA");
    EXPECT_EQ(rows[1].name, "MARIN");
    EXPECT_EQ(rows[1].number, "1"); // CHIT empty
    EXPECT_EQ(rows[2].name, "VASILE");

    users->Build("MARIN");
    ASSERT_EQ(users->rows().size(), 3u);
    EXPECT_EQ(users->rows()[0].name, "ADMIN");
    EXPECT_EQ(users->indexOf("MARIN"), -1);
}

TEST_F(UsersAdminTest, DialogChecks)
{
    struct Case {
        const char* name;
        bool adding;
        QString balloon;
        const char* cleaned;
    };
    const std::vector<Case> cases = {
        {"   ", true, "Lipseste numele!", ""},
        {"ana", true, "Acest nume mai exista!", "ANA"},
        {"  ANA ", true, "Acest nume mai exista!", "ANA"},
        {"ADMIN", true, "Acest nume mai exista!", "ADMIN"}, // not in the grid, but in the file
        {"ION  POP", true, "", "ION POP"},
        {"ANA", false, "", "ANA"},
        {"ION[1]", true, "Numele nu poate contine caracterele [ ] = !", "ION[1]"},
        {"A]B", true, "Numele nu poate contine caracterele [ ] = !", "A]B"},
        {"X=Y", false, "Numele nu poate contine caracterele [ ] = !", "X=Y"},
    };
    for (const Case& c : cases) {
        UserInput in;
        in.name = c.name;
        in.legit = "  leg   12 ";
        in.series = " ab ";
        EXPECT_EQ(users->CheckDialog(in, c.adding), c.balloon) << c.name;
        EXPECT_EQ(in.name, c.cleaned) << c.name;
        EXPECT_EQ(in.legit, "LEG 12");
        EXPECT_EQ(in.series, "AB");
    }
}

TEST_F(UsersAdminTest, AddedCashierHasHisReceiptBookAndLogsInWithAnEmptyPassword)
{
    const auto sizeBefore = QFileInfo(QString::fromStdString(file->path().string())).size();
    UserInput in;
    in.name = "IONESCU";
    in.rank = "CASIER";
    in.legit = "L7";
    in.series = "AB";
    in.number = "100";
    ASSERT_EQ(users->Add(in), "");
    EXPECT_EQ(setting("IONESCU", "SERIA"), "AB");
    EXPECT_EQ(setting("IONESCU", "CHIT"), "100");
    const UsersFile::LoginResult login = file->lookup("IONESCU", "");
    EXPECT_TRUE(login.ok());
    EXPECT_EQ(login.rank, Rank::Cashier);
    EXPECT_EQ(login.legit, "L7");
    EXPECT_EQ(QFileInfo(QString::fromStdString(file->path().string())).size(), sizeBefore + 100);
    const int row = users->indexOf("IONESCU");
    ASSERT_EQ(row, 1); // sorted: ANA, IONESCU, MARIN, VASILE
    EXPECT_EQ(users->rows()[size_t(row)].number, "100");

    // "De la nr." left empty starts at 0, as the dialog's default.
    in.name = "POPA";
    in.number = "";
    ASSERT_EQ(users->Add(in), "");
    EXPECT_EQ(setting("POPA", "CHIT"), "0");
}

TEST_F(UsersAdminTest, AddingANameTheFileAlreadyHoldsIsRefusedWithoutWriting)
{
    // Another workstation added him after the grid was built.
    ASSERT_EQ(file->append({"GEO", "X", Rank::Operator, ""}), UsersChange::Done);
    UserInput in;
    in.name = "GEO";
    in.rank = "CASIER";
    in.series = "ZZ";
    EXPECT_FALSE(users->Add(in).isEmpty());
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "\rAcest nume mai exista!");
    EXPECT_EQ(setting("GEO", "SERIA"), "");
    EXPECT_EQ(file->find("GEO")->password, "X");
}

TEST_F(UsersAdminTest, ModifyKeepsOrClearsThePassword)
{
    struct Case {
        bool clear;
        const char* password;
    };
    for (const Case& c : std::vector<Case>{{false, "PMARIN"}, {true, ""}}) {
        ASSERT_EQ(users->CheckModify(users->indexOf("MARIN")), "");
        UserInput in;
        in.name = "MARIN";
        in.rank = "CASIER";
        in.legit = "LEG";
        in.series = "MR";
        in.number = "250";
        in.clearPassword = c.clear;
        ASSERT_EQ(users->Modify(in), "");
        const auto record = file->find("MARIN");
        ASSERT_TRUE(record);
        EXPECT_EQ(record->password, c.password);
        EXPECT_EQ(record->rank, Rank::Cashier);
        EXPECT_EQ(record->legit, "LEG");
        EXPECT_EQ(setting("MARIN", "SERIA"), "MR");
        EXPECT_EQ(setting("MARIN", "CHIT"), "250");
        const UserRow& row = users->rows()[size_t(users->indexOf("MARIN"))];
        EXPECT_EQ(row.rank, "CASIER");
        EXPECT_EQ(row.number, "250");
    }
    // Nobody else changed.
    EXPECT_EQ(file->find("ANA")->password, "PANA");
    EXPECT_EQ(file->find("ADMIN")->rank, Rank::Admin);
}

TEST_F(UsersAdminTest, ModifyingAUserNoLongerInTheFileTouchesNoOtherRecord)
{
    ASSERT_EQ(file->remove("VASILE"), UsersChange::Done);
    const std::vector<UserRecord> before = file->readAll();
    UserInput in;
    in.name = "VASILE";
    in.rank = "CASIER";
    EXPECT_FALSE(users->Modify(in).isEmpty());
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "\rUtilizatorul VASILE nu mai exista in lista utilizatorilor!");
    const std::vector<UserRecord> after = file->readAll();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_EQ(after[i].password, before[i].password);
        EXPECT_EQ(after[i].rank, before[i].rank);
    }
    EXPECT_EQ(users->indexOf("VASILE"), -1); // the grid shows the file as it is
    EXPECT_EQ(setting("VASILE", "SERIA"), "");
}

TEST_F(UsersAdminTest, DeleteMovesTheLastRecordIntoThePlaceAndAsksFirst)
{
    // File order: ADMIN, VASILE, ANA, MARIN.
    const qint64 size = QFileInfo(QString::fromStdString(file->path().string())).size();
    scripted.answerMessage(ui::ReplyNu, "Chiar il stergem pe VASILE?");
    bool deleted = true;
    EXPECT_EQ(users->Delete(users->indexOf("VASILE"), &deleted), "");
    EXPECT_FALSE(deleted);
    EXPECT_EQ(namesInFile(), (std::vector<std::string>{"ADMIN", "VASILE", "ANA", "MARIN"}));

    scripted.answerMessage(ui::ReplyDa, "Stergere utilizator");
    EXPECT_EQ(users->Delete(users->indexOf("VASILE"), &deleted), "");
    EXPECT_TRUE(deleted);
    EXPECT_EQ(namesInFile(), (std::vector<std::string>{"ADMIN", "MARIN", "ANA"}));
    EXPECT_EQ(QFileInfo(QString::fromStdString(file->path().string())).size(), size - 100);
    EXPECT_EQ(users->indexOf("VASILE"), -1);
    EXPECT_EQ(scripted.messages()[1].kind, ui::KindAtentie);

    scripted.answerMessage(ui::ReplyDa);
    ASSERT_EQ(users->Delete(users->indexOf("ANA")), ""); // the last record: the file just shrinks
    EXPECT_EQ(namesInFile(), (std::vector<std::string>{"ADMIN", "MARIN"}));
    EXPECT_EQ(setting("ANA", "SERIA"), "AN"); // his settings section stays
}

TEST_F(UsersAdminTest, EmptyGridAndTheAdministratorAreProtected)
{
    users->Build("MARIN"); // ADMIN is listed now
    const int admin = users->indexOf("ADMIN");
    ASSERT_GE(admin, 0);
    EXPECT_EQ(users->CheckModify(admin), "Acest utilizator nu poate fi modificat!");
    EXPECT_EQ(users->CheckDelete(admin), "Acest utilizator nu poate fi sters!");
    EXPECT_EQ(users->CheckModify(users->indexOf("ANA")), "");
    EXPECT_EQ(users->CheckDelete(users->indexOf("ANA")), "");

    for (const char* name : {"ANA", "VASILE", "ADMIN"})
        ASSERT_EQ(file->remove(name), name == std::string("ADMIN") ? UsersChange::NotFound : UsersChange::Done);
    users->Build("ADMIN");
    users->Build("MARIN");
    ASSERT_EQ(users->rows().size(), 1u); // only ADMIN
    users->Build("ADMIN");
    EXPECT_TRUE(users->rows().size() == 1u && users->rows()[0].name == "MARIN");
    ASSERT_EQ(file->remove("MARIN"), UsersChange::Done);
    users->Build("ADMIN");
    EXPECT_EQ(users->CheckModify(-1), "Nu aveti ce modifica!");
    EXPECT_EQ(users->CheckDelete(-1), "Nu prea mai aveti ce sterge...");
    EXPECT_EQ(users->CheckModify(0), "Nu aveti ce modifica!");
}

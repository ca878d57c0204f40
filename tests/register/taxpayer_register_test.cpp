// The taxpayer register without a window: add with its zero rows, the dialog's checks and
// questions, modify, delete, the role suggestion, filter and sorting.
#include "register/asset_pages.h"
#include "register/taxpayer_register.h"

#include "register_support.h"

using namespace lirma;
using lirma::reg::InputField;
using lirma::reg::TaxpayerInput;
using lirma::test::RegisterFolderTest;
using lirma::ui::ScriptedInteraction;

namespace {

class TaxpayerRegisterTest : public RegisterFolderTest {};

TEST_F(TaxpayerRegisterTest, AddStoresTheRowAndZeroRowsInTheSixPageTables)
{
    counters->SetCounter(db::keys::IDGOS, "41");
    TaxpayerInput in = input("DEALU MARE", "17", "POPESCU ION", "1800101221144");
    in.street = "PRINCIPALA";
    in.address = "NR. 4";
    in.persons = "3";
    in.heirs = "FIUL";
    in.type = "JURIDICA";
    in.noPenalty = "DA";
    in.indop = "OP1";
    in.scclad = "30";
    in.sccc = "50";
    in.scti = "100";
    in.scauto = "0";
    in.scte = "30";
    ASSERT_TRUE(reg->Validate(in, std::nullopt, {}));
    const int64_t id = reg->Add(in);
    EXPECT_EQ(id, 41);
    EXPECT_EQ(counters->PeekId(db::keys::IDGOS), "42");

    const auto rows = test::ReadWithDbfread(tablePath("Gospodar.dbf"));
    ASSERT_EQ(rows.size(), 1u);
    const std::map<std::string, std::string> expected = {
        {"IDGOS", "41"},   {"SATUL", "DEALU MARE"}, {"ROL", "17"},      {"NUMEP", "POPESCU ION"},
        {"CNP", "1800101221144"}, {"STRADA", "PRINCIPALA"}, {"ADRESA", "NR. 4"}, {"MOST", "FIUL"},
        {"NRPERS", "3"},   {"TIP", "JURIDICA"},     {"SCCLAD", "30"},   {"SCCC", "50"},
        {"SCTI", "100"},   {"SCAUTO", "0"},         {"SCTE", "30"},     {"OBS", ""},
        {"OBS2", ""},      {"NOTAX", "DA"},         {"INDOP", "OP1"}};
    for (const auto& [column, value] : expected)
        EXPECT_EQ(rows[0].at(column), value) << column;

    // One row of zeros in each page table, read back by the independent reader.
    const std::pair<const char*, size_t> tables[] = {{"Pag1.dbf", 56}, {"Pag4.dbf", 55}, {"Pag5.dbf", 143},
                                                     {"Pag6.dbf", 12}, {"Pag7.dbf", 7},  {"Pag8.dbf", 20}};
    for (const auto& [file, columns] : tables) {
        const auto page = test::ReadWithDbfread(tablePath(file));
        ASSERT_EQ(page.size(), 1u) << file;
        EXPECT_EQ(page[0].size(), columns) << file;
        for (const auto& [column, value] : page[0]) {
            if (column == "IDGOS")
                EXPECT_EQ(value, "41") << file;
            else
                EXPECT_TRUE(value == "0" || value == "0.0") << file << " " << column << " = " << value;
        }
    }
}

TEST_F(TaxpayerRegisterTest, RemarksSplitIntoTwoColumnsAndJoinAgain)
{
    QString words;
    while (words.size() < 300)
        words += QStringLiteral("cuvant%1 ").arg(words.size() % 7);
    words = words.left(300).trimmed();
    // A space at the cut: OBS would end with it, which the table does not keep.
    QString atCut = QString(239, u'a') + QLatin1Char(' ') + QString(100, u'b');
    const QString remarks[] = {QString(300, u'x'), words, atCut, QStringLiteral("scurt")};
    for (const QString& r : remarks) {
        TaxpayerInput in = input("SAT", QString::number(reg->SuggestRole().toInt()), "NUME");
        in.remarks = r;
        const int64_t id = reg->Add(in);
        const auto row = db->query("SELECT OBS, OBS2 FROM Gospodar WHERE IDGOS = ?", {id});
        const QString obs = QString::fromStdString(row.rows[0][0].toText());
        const QString obs2 = QString::fromStdString(row.rows[0][1].toText());
        EXPECT_LE(obs.size(), 240);
        EXPECT_EQ(reg::JoinRemarks(obs, obs2), r) << r.toStdString();
    }
    // The edge case of 300 characters: 240 and 60.
    const auto [obs, obs2] = reg::SplitRemarks(QString(300, u'x'));
    EXPECT_EQ(obs.size(), 240);
    EXPECT_EQ(obs2.size(), 60);
}

TEST_F(TaxpayerRegisterTest, ChecksInOrderWithTheirBalloons)
{
    struct Case {
        const char* why;
        TaxpayerInput in;
        QString balloon; // "" when accepted
        InputField focus;
    };
    const Case cases[] = {
        {"everything empty: the village first", input("", "", "", "123"), "Lipseste Localitatea!", InputField::Village},
        {"spaces only are empty", input("   ", "1", "A"), "Lipseste Localitatea!", InputField::Village},
        {"role next", input("SAT", " ", "", "123"), "Numar de ROL incorect!", InputField::Role},
        {"code before the name", input("SAT", "1", "", "1800101221145"), "CNP / CUI incorect!", InputField::Code},
        {"a fiscal code passes the code check", input("SAT", "1", "", "18547290"), "Lipseste Capul de gospodarie!",
         InputField::Name},
        {"a personal code passes too", input("SAT", "1", "", "1800101221144"), "Lipseste Capul de gospodarie!",
         InputField::Name},
        {"empty code is not checked", input("SAT", "1", "NUME"), "", InputField::Village},
        {"letters in a code", input("SAT", "1", "NUME", "RO18547290"), "CNP / CUI incorect!", InputField::Code},
    };
    for (const Case& c : cases) {
        scripted.clearRecords();
        TaxpayerInput in = c.in;
        InputField focus = InputField::Village;
        const bool ok = reg->Validate(in, std::nullopt, {}, &focus);
        EXPECT_EQ(ok, c.balloon.isEmpty()) << c.why;
        const auto problems = scripted.problems();
        if (c.balloon.isEmpty()) {
            EXPECT_TRUE(problems.empty()) << c.why;
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << c.why;
        EXPECT_EQ(problems[0].text, c.balloon) << c.why;
        EXPECT_EQ(int(focus), int(c.focus)) << c.why;
    }
}

TEST_F(TaxpayerRegisterTest, ValidateCleansTheInputs)
{
    TaxpayerInput in = input("  dealu   mare ", " 12 ", " pop   ion ");
    in.street = " strada  mare";
    in.persons = "05";
    in.heirs = "fiul\nsi   fiica";
    in.remarks = " o   observatie ";
    ASSERT_TRUE(reg->Validate(in, std::nullopt, {}));
    EXPECT_EQ(in.village, "DEALU MARE");
    EXPECT_EQ(in.role, "12");
    EXPECT_EQ(in.name, "POP ION");
    EXPECT_EQ(in.street, "STRADA MARE");
    EXPECT_EQ(in.persons, "5");
    EXPECT_EQ(in.heirs, "fiul si fiica");
    EXPECT_EQ(in.remarks, "o observatie");
    TaxpayerInput noPersons = input("SAT", "2", "X");
    noPersons.persons = "";
    ASSERT_TRUE(reg->Validate(noPersons, std::nullopt, {}));
    EXPECT_EQ(noPersons.persons, "0");
}

TEST_F(TaxpayerRegisterTest, DuplicateRoleInAnyVillageAsksAndNuStaysOnTheRole)
{
    const int64_t existing = add("SAT A", "12", "ION");
    {
        TaxpayerInput in = input("SAT B", "12", "VASILE");
        scripted.answerMessage(ui::ReplyNu, "Verificare numar de ROL");
        InputField focus = InputField::Village;
        EXPECT_FALSE(reg->Validate(in, std::nullopt, {}, &focus));
        EXPECT_EQ(focus, InputField::Role);
        const auto m = scripted.messages();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].text, "Numarul unic de ROL exista deja!\rContinuati in halul asta?! ;)");
        EXPECT_EQ(m[0].kind, ui::KindAtentie);
        EXPECT_EQ(m[0].buttons, ui::BtnDa | ui::BtnNu);
    }
    {
        TaxpayerInput in = input("SAT B", "12", "VASILE");
        scripted.answerMessage(ui::ReplyDa, "Verificare numar de ROL");
        EXPECT_TRUE(reg->Validate(in, std::nullopt, {}));
    }
    // The taxpayer's own role is no duplicate when he is modified.
    scripted.clearRecords();
    TaxpayerInput self = input("SAT A", "12", "ION");
    EXPECT_TRUE(reg->Validate(self, existing, {}));
    EXPECT_TRUE(scripted.messages().empty());
    EXPECT_TRUE(scripted.failures().empty());
}

TEST_F(TaxpayerRegisterTest, DuplicateCodeAsksWithTheOtherTaxpayer)
{
    const int64_t first = add("SAT", "7", "POP ION", "1800101221144");
    TaxpayerInput in = input("SAT", "8", "POP IOANA", "1800101221144");
    scripted.answerMessage(ui::ReplyNu, "Verificare CNP");
    InputField focus = InputField::Village;
    EXPECT_FALSE(reg->Validate(in, std::nullopt, {}, &focus));
    const auto m = scripted.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "Verificare CNP");
    EXPECT_EQ(m[0].text, "Acest CNP mai exista la ROL 7\rPOP ION !\rContinuati memorarea ?");
    EXPECT_EQ(m[0].kind, ui::KindAtentie);
    scripted.answerMessage(ui::ReplyDa, "Verificare CNP");
    EXPECT_TRUE(reg->Validate(in, std::nullopt, {}));
    // Modifying the taxpayer that holds the code asks nothing.
    scripted.clearRecords();
    TaxpayerInput self = input("SAT", "7", "POP ION", "1800101221144");
    EXPECT_TRUE(reg->Validate(self, first, {}));
    EXPECT_TRUE(scripted.messages().empty());
}

TEST_F(TaxpayerRegisterTest, ModifyRelabelsOnlyTheTaxpayersOwnDebtRows)
{
    // Two taxpayers share village and role: only the modified one's rows move.
    const int64_t a = add("SAT", "12", "ION");
    const int64_t b = add("SAT", "12", "VASILE");
    for (int64_t id : {a, b}) {
        db->exec("INSERT INTO Datorii (IDDAT, IDGOS, SATUL, ROL, GRUPA, TIP) VALUES (?, ?, 'SAT', '12', 'Iluminat', 'A')",
                 {id * 10, id});
        db->exec("INSERT INTO SoldCalc (IDRES, IDGOS, SATUL, ROL, GRUPA, TIP) VALUES (?, ?, 'SAT', '12', "
                 "'Impozit pe cladiri', 'M')",
                 {id * 10, id});
    }
    TaxpayerInput in = input("SAT NOU", "15", "ION IONESCU");
    in.remarks = QString(250, u'r');
    reg->Modify(a, in);
    for (const char* table : {"Datorii", "SoldCalc"}) {
        const auto ra = db->query(std::string("SELECT SATUL, ROL FROM ") + table + " WHERE IDGOS = ?", {a});
        const auto rb = db->query(std::string("SELECT SATUL, ROL FROM ") + table + " WHERE IDGOS = ?", {b});
        ASSERT_EQ(ra.size(), 1u);
        EXPECT_EQ(ra.rows[0][0].toText(), "SAT NOU") << table;
        EXPECT_EQ(ra.rows[0][1].toText(), "15") << table;
        EXPECT_EQ(rb.rows[0][0].toText(), "SAT") << table;
        EXPECT_EQ(rb.rows[0][1].toText(), "12") << table;
    }
    const auto g = db->query("SELECT SATUL, ROL, NUMEP, OBS, OBS2 FROM Gospodar WHERE IDGOS = ?", {a});
    EXPECT_EQ(g.rows[0][0].toText(), "SAT NOU");
    EXPECT_EQ(g.rows[0][2].toText(), "ION IONESCU");
    EXPECT_EQ(g.rows[0][3].toText().size(), 240u);
    EXPECT_EQ(g.rows[0][4].toText().size(), 10u);
    EXPECT_EQ(db->scalar("SELECT NUMEP FROM Gospodar WHERE IDGOS = ?", {b}).toText(), "VASILE");
}

TEST_F(TaxpayerRegisterTest, DeleteQuestionsStopAtTheFirstNu)
{
    add("SAT", "12", "ION");
    reg->Reload();
    const reg::Taxpayer t = reg->visible(0);
    struct Case {
        int yes;         // DA answers before the NU (4: all DA)
        bool confirmed;
    };
    for (const Case c : {Case{0, false}, Case{1, false}, Case{2, false}, Case{3, false}, Case{4, true}}) {
        scripted.clearRecords();
        for (int i = 0; i < c.yes; ++i)
            scripted.answerMessage(ui::ReplyDa, "Stergere gospodarie");
        if (c.yes < 4)
            scripted.answerMessage(ui::ReplyNu, "Stergere gospodarie");
        EXPECT_EQ(reg->ConfirmDelete(t), c.confirmed) << c.yes;
        const auto m = scripted.messages();
        const size_t questions = size_t(std::min(c.yes + 1, 4));
        ASSERT_EQ(m.size(), questions + (c.yes == 3 ? 1 : 0)) << c.yes;
        EXPECT_EQ(m[0].text, "Doriti sa stergeti gospodaria cu \rnr.ROL 12 din SAT?");
        EXPECT_EQ(m[0].kind, ui::KindConfirmare);
        for (size_t i = 1; i < questions; ++i)
            EXPECT_EQ(m[i].kind, ui::KindAtentie);
        if (c.yes == 3) {
            EXPECT_EQ(m.back().title, "Emotii mari");
            EXPECT_EQ(m.back().text, "Bine ati revenit cu picioarele pe pamant !");
            EXPECT_EQ(m.back().buttons, ui::BtnOk);
        }
    }
    EXPECT_EQ(scripted.pendingAnswers(), 0);
}

TEST_F(TaxpayerRegisterTest, DeleteRemovesEveryRowOfTheTaxpayerAndNothingElse)
{
    const int64_t gone = add("SAT", "12", "ION");
    const int64_t kept = add("SAT", "12", "VASILE");
    // One row of each taxpayer in every table that keeps rows per taxpayer.
    for (int64_t id : {gone, kept}) {
        for (const QString& table : reg::TaxpayerRegister::DeletedTables()) {
            if (table == "Gospodar" || reg::PageTables().contains(table))
                continue;
            db->exec("INSERT INTO " + table.toStdString() + " (IDGOS) VALUES (?)", {id});
        }
    }
    EXPECT_TRUE(reg::TaxpayerRegister::DeletedTables().contains("Debit"));
    EXPECT_TRUE(reg::TaxpayerRegister::DeletedTables().contains("UndelDebit"));
    EXPECT_EQ(reg::TaxpayerRegister::DeletedTables().back(), "Gospodar");

    reg->Delete(gone, &scripted.scriptedProgress());
    for (const QString& table : reg::TaxpayerRegister::DeletedTables()) {
        EXPECT_EQ(count(table.toStdString(), gone), 0) << table.toStdString();
        EXPECT_EQ(count(table.toStdString(), kept), 1) << table.toStdString();
    }
    const auto& progress = scripted.scriptedProgress();
    EXPECT_TRUE(progress.texts().contains("Sterg gospodaria..."));
    EXPECT_EQ(progress.position(), 95);
    EXPECT_EQ(progress.begins(), 1);
    EXPECT_EQ(progress.ends(), 1);
    EXPECT_FALSE(progress.isShown());
}

TEST_F(TaxpayerRegisterTest, DeleteThatFailsHalfWayDeletesNothing)
{
    const int64_t id = add("SAT", "12", "ION");
    db->exec("INSERT INTO Datorii (IDDAT, IDGOS) VALUES (1, ?)", {id});
    // A table late in the order that the statement cannot run on.
    db->dropTable("AutoDet");
    db->createTable("AutoDet", {storage::FieldDef::Char("ALTCEVA", 4)});
    EXPECT_THROW(reg->Delete(id, &scripted.scriptedProgress()), storage::StorageError);
    for (const char* table : {"Gospodar", "Pag1", "Pag8", "Datorii"})
        EXPECT_EQ(count(table, id), 1) << table;
    EXPECT_FALSE(scripted.scriptedProgress().isShown());
}

TEST_F(TaxpayerRegisterTest, RoleSuggestionIgnoresRolesThatAreNotNumbers)
{
    EXPECT_EQ(reg->SuggestRole(), "1");
    struct Case {
        QStringList roles;
        QString suggestion;
    };
    const Case cases[] = {
        {{"12", "3"}, "13"},
        {{"12A", "99X", "1E5", "-40", "7.5"}, "13"},
        {{"000120"}, "121"},
        {{"999999999"}, "1000000000"},
    };
    for (const Case& c : cases) {
        for (const QString& r : c.roles)
            add("SAT", r, "X");
        EXPECT_EQ(reg->SuggestRole(), c.suggestion) << c.roles.join(",").toStdString();
    }
}

TEST_F(TaxpayerRegisterTest, FilterKeepsMatchingRowsAndTakesTypedTextAsValues)
{
    add("SAT A", "12", "ION POPESCU");
    add("SAT A", "12", "IONESCU VASILE");
    add("SAT B", "12", "VASILE ION");
    add("SAT B", "13", "ION MARIN");
    add("SAT B", "14", "O'NEIL 100% ION");
    add("SAT B", "15", "ŞTEFAN ION");
    reg->Reload();
    auto names = [&] {
        QStringList out;
        for (int r = 0; r < reg->visibleCount(); ++r)
            out << reg->visible(r).numep;
        return out;
    };
    struct Case {
        QString village, role, name;
        QStringList expected; // in the list's order (village, name, role)
    };
    const Case cases[] = {
        {"", "12", "ION", {"ION POPESCU", "IONESCU VASILE"}},
        {"", "12", "ION ", {"ION POPESCU"}},
        {" * indiferent *", "", "", {"ION POPESCU", "IONESCU VASILE", "ION MARIN", "O'NEIL 100% ION", "VASILE ION", "ŞTEFAN ION"}},
        {"SAT B", "", "", {"ION MARIN", "O'NEIL 100% ION", "VASILE ION", "ŞTEFAN ION"}},
        {"SAT B", " 13 ", "", {"ION MARIN"}},
        {"", "", "O'NEIL 100%", {"O'NEIL 100% ION"}},
        {"", "", "%", {}},
        {"", "", "ȘTEFAN", {"ŞTEFAN ION"}}, // comma-below typed, cedilla stored
        {"SAT C", "", "", {}},
    };
    for (const Case& c : cases) {
        reg->SetFilter(c.village, c.role, c.name);
        EXPECT_EQ(names(), c.expected) << c.village.toStdString() << "|" << c.role.toStdString() << "|"
                                       << c.name.toStdString();
    }
}

TEST_F(TaxpayerRegisterTest, SortingByRoleComparesNumbers)
{
    for (const char* r : {"10", "2", "B1", "100", "A"})
        add("SAT", r, "X");
    reg->SortBy(reg::GridColumn::Rol);
    reg->Reload();
    QStringList roles;
    for (int r = 0; r < reg->visibleCount(); ++r)
        roles << reg->visible(r).rol;
    EXPECT_EQ(roles, QStringList({"2", "10", "100", "A", "B1"}));
    reg->SortBy(reg::GridColumn::Numep);
    EXPECT_EQ(reg->sortColumn(), reg::GridColumn::Numep);
}

} // namespace

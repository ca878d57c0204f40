// Storing a payment on a real data folder: balances, snapshots, receipt lines, counters and the
// log in one transaction; the re-read of the rows; a failure half-way; the command line.
#include "collections/payment_store.h"

#include "collections/collections_texts.h"
#include "core/activity_log.h"
#include "core/admin_values.h"
#include "db/catalog.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/storage/storage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include <sys/wait.h>
#include <unistd.h>

using namespace lirma;
using namespace lirma::collections;

namespace {

class PaymentStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders = base::Folders::ForProgram(dir.path());
        ASSERT_TRUE(folders.createMissing());
        db = std::make_unique<storage::Database>(folders.data.toStdString());
        db->registerFolder(folders.temp.toStdString(), true);
        int64_t next = 0;
        db::CreateMissingTables(*db, {}, [&next] { return ++next; });
        settings = std::make_unique<db::Settings>(db::Settings::inFolders(folders.data, folders.data));
        counters = std::make_unique<db::Counters>(db::settingsPathIn(folders.data));
        log = std::make_unique<core::ActivityLog>(*db, folders, [] { return QStringLiteral("ANA"); });
        ASSERT_TRUE(settings->WriteSetting("ANA", "SERIA", "AB"));
        ASSERT_TRUE(settings->WriteSetting("ANA", "CHIT", "7"));
        ASSERT_TRUE(settings->WriteSetting("SERVER", "IDANUL", "50"));
        ASSERT_TRUE(settings->WriteSetting("SERVER", "IDCHIT", "90"));
        db->exec("DELETE FROM CODCL"); // the seeded codes: the test's own below
        int64_t id = 1;
        for (const char* g : {"Impozit pe cladiri", "Impozit pe teren intravilan", "Salubritate"})
            db->exec("INSERT INTO CodCL (IDCOD, GRUPA, CODCLF, CODCLJ, TIP) VALUES (?, ?, ?, 'J1', 'A')",
                     {id++, g, std::string("0702") + std::to_string(id)});
        db->exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, TIP, SCCLAD, NOTAX, NRPERS) "
                 "VALUES (5, 'SAT', '12', 'POP ION', '1800101000001', 'PRINCIPALA', 'nr.5', 'FIZICA', 0, 'NU', 2)");
    }
    void TearDown() override
    {
        log.reset();
        db.reset();
    }

    void addGroup(int64_t idres, const char* grupa, int64_t suma, int64_t rest, int64_t reduc, int64_t dator,
                  int64_t depoz, int64_t major)
    {
        db->exec("INSERT INTO SoldCalc (IDRES, IDGOS, SATUL, ROL, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, "
                 "MAJOR, TIP) VALUES (?, 5, 'SAT', '12', ?, ?, ?, ?, 0, ?, ?, ?, 'M')",
                 {idres, grupa, suma, rest, reduc, dator, depoz, major});
    }
    void addLevy(int64_t iddat, const char* grupa, int64_t suma, int64_t rest)
    {
        db->exec("INSERT INTO Datorii (IDDAT, IDGOS, DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, TIP, "
                 "SUMA2, RESTINI) VALUES (?, 5, '2024-01-01', ?, ?, 'HCL 5', 17, ?, ?, 0, 'A', ?, ?)",
                 {iddat, grupa, grupa, suma, rest, suma, rest});
    }
    void addDebit(int64_t iddeb, int64_t sumac)
    {
        db->exec("INSERT INTO Debit (IDDEB, IDGOS, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, SUMAINI, SUMAC) "
                 "VALUES (?, 5, 'Impozit pe teren intravilan', 'BD', 3, 'Cumparare', 'Teren', '2024-03-15', "
                 "'2024-05-01', ?, ?)",
                 {iddeb, sumac, sumac});
    }
    // The scenario of a receipt before the first term: arrears 100 with 15 carried and 3 new
    // penalties, 200 current with a 20 discount, a levy 120 + 30 arrears, a debit of 1000.
    void addFirstTermScenario()
    {
        addGroup(20, "Impozit pe cladiri", 200, 200, 20, 100, 0, 15);
        addLevy(31, "Salubritate", 120, 30);
        addDebit(41, 1000);
    }

    std::vector<std::vector<std::string>> rows(const std::string& sql)
    {
        const storage::ResultSet rs = db->query(sql);
        std::vector<std::vector<std::string>> out;
        for (const auto& r : rs.rows) {
            std::vector<std::string> line;
            for (const auto& v : r)
                line.push_back(v.toText());
            out.push_back(line);
        }
        return out;
    }

    std::map<QString, QByteArray> tableBytes()
    {
        std::map<QString, QByteArray> out;
        for (const QString& name : QDir(folders.data).entryList({"*.dbf", "*.DBF"}, QDir::Files)) {
            QFile f(folders.data + "/" + name);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            out[name] = f.readAll();
        }
        return out;
    }

    std::optional<PaymentResult> pay(bool all, std::vector<TypedAmount> amounts, PaymentRequest request = {},
                                     PaymentStore::StepHook hook = {})
    {
        request.user = "ANA";
        request.badge = "L-17";
        return Pay(*db, *counters, *settings, admin, log.get(), 5, QDate(2024, 3, 15), all, amounts, request, 2024,
                   std::move(hook));
    }

    QTemporaryDir dir;
    base::Folders folders;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
    std::unique_ptr<db::Counters> counters;
    std::unique_ptr<core::ActivityLog> log;
    core::AdminValues admin;
};

using Rows = std::vector<std::vector<std::string>>;

} // namespace

TEST_F(PaymentStoreTest, ReceiptBeforeTheFirstTermStoresEverything)
{
    addFirstTermScenario();
    const auto r = pay(true, {});
    ASSERT_TRUE(r.has_value());
    ASSERT_EQ(r->outcome, PaymentOutcome::Stored) << r->message.toStdString();
    EXPECT_EQ(r->IDANUL, 50);
    EXPECT_EQ(r->IDCHIT, 90);
    EXPECT_EQ(r->number, 7);

    // Group: arrears 100 + carried 15 + new 3, current 200 less the 20 discount: 298. The levy:
    // 30 arrears + 120 current. The debit: 1000. In the order DENUM, GRUPA.
    EXPECT_EQ(rows("SELECT IDCHIT, IDGOS, IDANUL, SERIA, NR, DATAI, GRUPA, DENUM, CODCLAS, PLATNUME, INCANUME, "
                   "LEGITIMA, TIPF, RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE, TOTAL, TIP "
                   "FROM Chitante ORDER BY DENUM"),
              (Rows{{"90", "5", "50", "AB", "7", "2024-03-15", "Impozit pe cladiri", "", "07022", "POP ION", "ANA",
                     "L-17", "F", "100", "15", "0", "200", "3", "20", "298", "C"},
                    {"90", "5", "50", "AB", "7", "2024-03-15", "Impozit pe teren intravilan", "BD", "07023",
                     "POP ION", "ANA", "L-17", "F", "0", "0", "0", "1000", "0", "0", "1000", "C"},
                    {"90", "5", "50", "AB", "7", "2024-03-15", "Salubritate", "HCL 5", "07024", "POP ION", "ANA",
                     "L-17", "F", "30", "0", "0", "120", "0", "0", "150", "C"}}));
    EXPECT_EQ(rows("SELECT SUMA, REST, REDUC, DATOR, DEPOZ, MAJOR FROM SoldCalc WHERE IDRES = 20"),
              (Rows{{"200", "0", "20", "0", "0", "0"}}));
    EXPECT_EQ(rows("SELECT SUMA, REST FROM Datorii WHERE IDDAT = 31"), (Rows{{"0", "0"}}));
    EXPECT_EQ(rows("SELECT SUMAC FROM Debit WHERE IDDEB = 41"), (Rows{{"0"}}));
    // The values before, under the operation's id.
    EXPECT_EQ(rows("SELECT IDANUL, IDGOS, IDRES, SUMA, REST, REDUC, DATOR, DEPOZ, MAJOR FROM UndelSold"),
              (Rows{{"50", "5", "20", "200", "200", "20", "100", "0", "15"}}));
    EXPECT_EQ(rows("SELECT IDANUL, IDGOS, IDDAT, SUMA, REST, REDUC, SUMA2, RESTINI FROM UndelDat"),
              (Rows{{"50", "5", "31", "120", "30", "0", "120", "30"}}));
    EXPECT_EQ(rows("SELECT IDANUL, IDGOS, IDDEB, SUMAINI, SUMAC FROM UndelDebit"),
              (Rows{{"50", "5", "41", "1000", "1000"}}));
    EXPECT_EQ(counters->PeekId("ANA", "CHIT"), "8");
    EXPECT_EQ(counters->PeekId("SERVER", "IDANUL"), "51");
    EXPECT_EQ(counters->PeekId("SERVER", "IDCHIT"), "91");
    const auto entries = log->Read(core::LogSource::General);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].rol, "12");
    EXPECT_EQ(entries[0].action, "Operat Chitanta nr.7");

    // Paid in full: a second payment of everything has nothing to operate.
    const auto again = pay(true, {});
    EXPECT_EQ(again->outcome, PaymentOutcome::Refused);
    EXPECT_EQ(again->message, texts::NothingEntered());
}

TEST_F(PaymentStoreTest, TransfersAndPaymentOrdersCarryTheTypedNumber)
{
    struct Case {
        DocumentKind document;
        int64_t suma;    // SUMA and REST of the group
        int64_t credit;  // DEPOZ of the group
        int64_t typed;   // amount typed on the group
        QString series;
        QString tip;
    };
    const std::vector<Case> cases = {
        {DocumentKind::Card, 200, 0, 50, "CARD BANCA", "V"},
        {DocumentKind::Transfer, 200, 0, 50, "O.P.", "V"},
        {DocumentKind::PaymentOrder, 0, 60, -60, " -", "O"}, // " - " read back without its trailing blank,
    };
    int64_t idres = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(DocumentKindName(c.document).toStdString());
        db->exec("DELETE FROM SoldCalc");
        db->exec("DELETE FROM Chitante");
        addGroup(++idres, "Impozit pe cladiri", c.suma, c.suma, c.suma / 10, 0, c.credit, 0);
        PaymentRequest req;
        req.document = c.document;
        req.typedNumber = 555;
        const auto r = pay(false, {{TypedAmount::Table::Impozite, idres, c.typed}}, req);
        ASSERT_EQ(r->outcome, PaymentOutcome::Stored) << r->message.toStdString();
        const Rows stored = rows("SELECT SERIA, NR, TOTAL, TIP FROM Chitante");
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0], (std::vector<std::string>{c.series.toStdString(), "555", std::to_string(c.typed),
                                                      c.tip.toStdString()}));
        // The receipt book is not touched.
        EXPECT_EQ(counters->PeekId("ANA", "CHIT"), "7");
    }
}

TEST_F(PaymentStoreTest, RefusalsStoreNothing)
{
    addFirstTermScenario();
    // A receipt number already in Chitante with the cashier's series.
    db->exec("INSERT INTO Chitante (IDCHIT, IDGOS, IDANUL, SERIA, NR, ROL, TOTAL, TIP) "
             "VALUES (1, 9, 1, 'AB', 7, '44', 10, 'C')");
    const auto before = tableBytes();
    struct Case {
        std::function<void()> prepare;
        PaymentRequest request;
        QString message;
    };
    PaymentRequest order;
    order.document = DocumentKind::PaymentOrder;
    PaymentRequest noPayer;
    noPayer.payer = "   ";
    const std::vector<Case> cases = {
        {[] {}, {}, texts::DuplicateReceipt("44")},
        {[&] { settings->WriteSetting("VARIABILE", "ANINCHIS", "2024"); }, {}, texts::YearClosed("2024")},
        {[&] { settings->WriteSetting("VARIABILE", "ANINCHIS", ""); }, noPayer, texts::NoPayer()},
        {[&] { db->exec("DELETE FROM CodCL WHERE GRUPA = 'Salubritate'"); }, {},
         texts::NoClassificationCode("Salubritate")},
    };
    for (const Case& c : cases) {
        c.prepare();
        const auto r = pay(true, {}, c.request);
        EXPECT_EQ(r->outcome, PaymentOutcome::Refused);
        EXPECT_EQ(r->message, c.message) << r->message.toStdString();
    }
    // The code table changed in the last case; every other table is as it was.
    auto after = tableBytes();
    for (const auto& [name, bytes] : before)
        if (!name.startsWith("CodCL", Qt::CaseInsensitive))
            EXPECT_EQ(after[name], bytes) << name.toStdString();
    EXPECT_TRUE(log->Read(core::LogSource::General).empty());

    const auto nothing = pay(false, {{TypedAmount::Table::Impozite, 20, 0}});
    EXPECT_EQ(nothing->message, texts::NothingEntered());
    const auto wrongNumber = pay(false, {{TypedAmount::Table::Taxe, 31, -5}}, order);
    EXPECT_EQ(wrongNumber->message, texts::WrongNumber());
}

TEST_F(PaymentStoreTest, RowsChangedSinceTheComputationStoreNothing)
{
    addFirstTermScenario();
    auto calc = CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024);
    ASSERT_TRUE(calc);
    for (auto& row : calc->balance.impozite)
        row.ACHITAT = row.DEPLATA;
    const AllocationResult a = AllocatePayment(calc->balance, PaymentOptions(calc->taxpayer, QDate(2024, 3, 15), admin, 2024));
    ASSERT_TRUE(a.allocation);
    const auto lines = MergeLines(FinalLines(a.allocation->lines, ClassificationCodes(*db, true), "AB", 7));
    // Another workstation takes 100 of the arrears meanwhile.
    db->exec("UPDATE SoldCalc SET DATOR = 0 WHERE IDRES = 20");
    const auto before = tableBytes();

    PaymentStore store(*db, *counters, *settings, log.get());
    PaymentRequest req;
    req.user = "ANA";
    req.payer = "POP ION";
    req.documentDate = QDate(2024, 3, 15);
    const PaymentResult r = store.Store(*calc, *a.allocation, lines, req, 2024);
    EXPECT_EQ(r.outcome, PaymentOutcome::Changed);
    EXPECT_EQ(r.message, texts::BalanceChanged());
    EXPECT_EQ(tableBytes(), before);
    EXPECT_EQ(counters->PeekId("ANA", "CHIT"), "7");
}

TEST_F(PaymentStoreTest, AFailureAfterTheFirstBalanceUpdateChangesNoTable)
{
    addFirstTermScenario();
    const auto before = tableBytes();
    EXPECT_THROW(pay(true, {}, {},
                     [](const char* step) {
                         if (std::string(step) == "balance")
                             throw std::runtime_error("injected");
                     }),
                 std::runtime_error);
    EXPECT_EQ(tableBytes(), before);
    EXPECT_TRUE(log->Read(core::LogSource::General).empty());
    // The same payment then goes through whole.
    const auto r = pay(true, {});
    ASSERT_EQ(r->outcome, PaymentOutcome::Stored);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM UndelSold"), (Rows{{"1"}}));
}

TEST_F(PaymentStoreTest, CommandLinePrintsTheStoredLines)
{
    addFirstTermScenario();
    auto run = [&](const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LIRMA_HOME", dir.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LIRMA_CLI_PATH), QStringList{"--data", folders.data, "pay"} + args);
        EXPECT_TRUE(p.waitForFinished(-1));
        return std::tuple{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                          QString::fromUtf8(p.readAllStandardError())};
    };
    const auto [code, out, err] = run({"--idgos", "5", "--user", "ANA", "--date", "15.03.2024", "--row",
                                       "IDDAT:31=150", "--row", "IDDEB:41=400"});
    ASSERT_EQ(code, 0) << err.toStdString();
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], ReceiptColumns().join('\t'));
    // The debit 400 of 1000 (no penalty yet), the levy in full.
    EXPECT_EQ(lines[1], "90\t5\t50\tAB\t7\t15.03.2024\tSAT\t12\tImpozit pe teren intravilan\tBD\t07023\tPOP ION\t"
                        "1800101000001\tPRINCIPALA\tnr.5\tF\tPOP ION\tANA\t\t0\t0\t0\t400\t0\t0\t400\tC");
    EXPECT_EQ(lines[2], "90\t5\t50\tAB\t7\t15.03.2024\tSAT\t12\tSalubritate\tHCL 5\t07024\tPOP ION\t"
                        "1800101000001\tPRINCIPALA\tnr.5\tF\tPOP ION\tANA\t\t30\t0\t0\t120\t0\t0\t150\tC");
    EXPECT_EQ(rows("SELECT SUMAC FROM Debit"), (Rows{{"600"}}));

    const auto [code2, out2, err2] = run({"--idgos", "5", "--user", "ANA", "--row", "IDRES:20=0"});
    EXPECT_EQ(code2, 2);
    EXPECT_TRUE(out2.isEmpty());
    EXPECT_EQ(err2, texts::NothingEntered() + "\n");
}

// Two cashiers pay 100 on the same debit at once, both having computed before either stores: one
// stores, the other is told to recompute; after its second attempt both payments are there once.
TEST_F(PaymentStoreTest, TwoCashiersAtOnceOneRecomputes)
{
    addDebit(41, 1000);
    ASSERT_TRUE(settings->WriteSetting("BOB", "SERIA", "CD"));
    ASSERT_TRUE(settings->WriteSetting("BOB", "CHIT", "7"));
    db.reset();
    log.reset();

    // One cashier's attempt: compute, wait for the other to have computed too, store.
    auto attempt = [this](const QString& user, int readyOut, int readyIn) {
        storage::Database own(folders.data.toStdString());
        db::Settings s = db::Settings::inFolders(folders.data, folders.data);
        db::Counters c(db::settingsPathIn(folders.data));
        auto calc = CalcOm(own, s, 5, QDate(2024, 3, 15), 2024);
        calc->balance.debite[0].ACHITAT = 100;
        const AllocationResult a = AllocatePayment(calc->balance, PaymentOptions(calc->taxpayer, QDate(2024, 3, 15), admin, 2024));
        const auto lines = MergeLines(FinalLines(a.allocation->lines, ClassificationCodes(own, true),
                                                 s.read(db::keys::SERIA, user), 7));
        if (readyOut >= 0) {
            char b = 1;
            if (write(readyOut, &b, 1) != 1 || read(readyIn, &b, 1) != 1)
                return PaymentOutcome::Refused;
        }
        PaymentStore store(own, c, s);
        PaymentRequest req;
        req.user = user;
        req.payer = "POP ION";
        req.documentDate = QDate(2024, 3, 15);
        return store.Store(*calc, *a.allocation, lines, req, 2024).outcome;
    };

    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const PaymentOutcome o = attempt("BOB", toParent[1], toChild[0]);
        _exit(static_cast<int>(o));
    }
    const PaymentOutcome mine = attempt("ANA", toChild[1], toParent[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    const auto theirs = static_cast<PaymentOutcome>(WEXITSTATUS(status));
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]})
        close(fd);

    // Exactly one stored, the other told that the rows changed.
    ASSERT_TRUE((mine == PaymentOutcome::Stored && theirs == PaymentOutcome::Changed) ||
                (mine == PaymentOutcome::Changed && theirs == PaymentOutcome::Stored))
        << int(mine) << " " << int(theirs);
    const QString loser = mine == PaymentOutcome::Changed ? "ANA" : "BOB";
    EXPECT_EQ(attempt(loser, -1, -1), PaymentOutcome::Stored);

    db = std::make_unique<storage::Database>(folders.data.toStdString());
    EXPECT_EQ(rows("SELECT SUMAC FROM Debit"), (Rows{{"800"}}));
    EXPECT_EQ(rows("SELECT SERIA, NR, TOTAL FROM Chitante ORDER BY SERIA"),
              (Rows{{"AB", "7", "100"}, {"CD", "7", "100"}}));
    EXPECT_EQ(rows("SELECT IDANUL, SUMAC FROM UndelDebit ORDER BY IDANUL"),
              (Rows{{"50", "1000"}, {"51", "900"}}));
    EXPECT_EQ(rows("SELECT COUNT(DISTINCT IDCHIT) FROM Chitante"), (Rows{{"2"}}));
}

// A no-penalty taxpayer pays the total shown: arrears and the current year with its discount; the
// carried penalties are neither paid nor changed.
TEST_F(PaymentStoreTest, NoPenaltyTaxpayerLeavesCarriedPenaltiesAlone)
{
    db->exec("UPDATE Gospodar SET NOTAX = 'DA' WHERE IDGOS = 5");
    addGroup(20, "Impozit pe cladiri", 200, 200, 20, 100, 0, 15);
    const auto r = pay(true, {});
    ASSERT_EQ(r->outcome, PaymentOutcome::Stored) << r->message.toStdString();
    EXPECT_EQ(rows("SELECT RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE, TOTAL FROM Chitante"),
              (Rows{{"100", "0", "0", "200", "0", "20", "280"}}));
    EXPECT_EQ(rows("SELECT SUMA, REST, REDUC, DATOR, DEPOZ, MAJOR FROM SoldCalc"),
              (Rows{{"200", "0", "20", "0", "0", "15"}}));
    EXPECT_EQ(rows("SELECT IDANUL, DATOR, MAJOR FROM UndelSold"), (Rows{{"50", "100", "15"}}));
}

// A compensation note moves a credit of 50 on one group to the 50 due on another: two "N" lines
// with the typed number, the taxpayer's total unchanged, the receipt book untouched.
TEST_F(PaymentStoreTest, CompensationNoteMovesACredit)
{
    addGroup(20, "Impozit pe cladiri", 0, 0, 0, 0, 50, 0);
    addGroup(21, "Impozit pe teren intravilan", 50, 50, 0, 0, 0, 0);
    PaymentRequest req;
    req.document = DocumentKind::Note;
    req.typedNumber = 33;
    const auto r = pay(false, {{TypedAmount::Table::Impozite, 20, -50}, {TypedAmount::Table::Impozite, 21, 50}}, req);
    ASSERT_EQ(r->outcome, PaymentOutcome::Stored) << r->message.toStdString();
    EXPECT_EQ(rows("SELECT GRUPA, SERIA, NR, PLATNUME, DEPOZIT, CURENT, TOTAL, TIP FROM Chitante ORDER BY GRUPA"),
              (Rows{{"Impozit pe cladiri", " -", "33", "POP ION", "-50", "0", "-50", "N"},
                    {"Impozit pe teren intravilan", " -", "33", "POP ION", "0", "50", "50", "N"}}));
    EXPECT_EQ(rows("SELECT IDRES, REST, DEPOZ FROM SoldCalc ORDER BY IDRES"),
              (Rows{{"20", "0", "0"}, {"21", "0", "0"}}));
    EXPECT_EQ(rows("SELECT IDRES, REST, DEPOZ FROM UndelSold ORDER BY IDRES"),
              (Rows{{"20", "0", "50"}, {"21", "50", "0"}}));
    EXPECT_EQ(counters->PeekId("ANA", "CHIT"), "7");
    EXPECT_EQ(log->Read(core::LogSource::General).back().action, "Operat N nr.33");
}

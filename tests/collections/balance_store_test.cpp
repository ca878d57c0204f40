// CalcOm on a real data folder: the rows read from SoldCalc, Datorii, Debit and Chitante, the
// options from Lirma.set, the work tables written in the temporary folder, and the command line.
#include "collections/balance_store.h"

#include "core/admin_values.h"
#include "db/catalog.h"
#include "db/settings.h"
#include "platform/storage/storage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace lirma;
using namespace lirma::collections;
using storage::Value;

namespace {

class BalanceStoreTest : public ::testing::Test {
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
    }
    void TearDown() override { db.reset(); }

    void addTaxpayer(int64_t idgos, const char* tip, const char* notax)
    {
        db->exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, TIP, SCCLAD, NOTAX, NRPERS) "
                 "VALUES (?, 'SAT', '12', 'POP ION', '1800101000001', 'PRINCIPALA', 'nr.5', ?, 0, ?, 2)",
                 {idgos, tip, notax});
    }
    void addGroup(int64_t idres, int64_t idgos, const char* grupa, int64_t suma, int64_t rest, int64_t reduc,
                  int64_t dator = 0, int64_t depoz = 0, int64_t major = 0)
    {
        db->exec("INSERT INTO SoldCalc (IDRES, IDGOS, SATUL, ROL, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, "
                 "MAJOR, TIP) VALUES (?, ?, 'SAT', '12', ?, ?, ?, ?, 0, ?, ?, ?, 'M')",
                 {idres, idgos, grupa, suma, rest, reduc, dator, depoz, major});
    }
    void addLevy(int64_t iddat, int64_t idgos, const char* grupa, int64_t suma, int64_t rest)
    {
        db->exec("INSERT INTO Datorii (IDDAT, IDGOS, DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, TIP, "
                 "SUMA2, RESTINI) VALUES (?, ?, '2024-01-01', ?, ?, 'HCL 5', 17, ?, ?, 0, 'A', ?, ?)",
                 {iddat, idgos, grupa, grupa, suma, rest, suma, rest});
    }
    void addDebit(int64_t iddeb, int64_t idgos, const char* categ, int64_t sumac, const char* pendata)
    {
        db->exec("INSERT INTO Debit (IDDEB, IDGOS, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, SUMAINI, SUMAC) "
                 "VALUES (?, ?, 'Impozit pe teren intravilan', 'BD', 3, ?, 'Teren arabil', '2024-03-15', ?, ?, ?)",
                 {iddeb, idgos, categ, pendata, sumac, sumac});
    }
    void addReceiptLine(int64_t idchit, int64_t idgos, const char* grupa, const char* datai, int64_t reducere)
    {
        db->exec("INSERT INTO Chitante (IDCHIT, IDGOS, IDANUL, SERIA, NR, DATAI, GRUPA, CURENT, REDUCERE, TOTAL, TIP) "
                 "VALUES (?, ?, ?, 'AB', ?, ?, ?, 180, ?, 160, 'C')",
                 {idchit, idgos, idchit, idchit, datai, grupa, reducere});
    }

    QTemporaryDir dir;
    base::Folders folders;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
};

} // namespace

TEST_F(BalanceStoreTest, CalcOmReadsTheTaxpayersRows)
{
    addTaxpayer(5, "FIZICA", "NU");
    addTaxpayer(6, "FIZICA", "NU"); // another taxpayer's rows stay out
    addGroup(21, 5, "Impozit pe teren intravilan", 40, 40, 4);
    addGroup(20, 5, "Impozit pe cladiri", 200, 200, 20, 100, 0, 15);
    addGroup(22, 6, "Impozit pe cladiri", 900, 900, 90);
    addLevy(31, 5, "Salubritate", 120, 30);
    addLevy(32, 5, "Iluminat", 0, 0);
    addLevy(33, 6, "Salubritate", 120, 0);
    addDebit(41, 5, "Cumparare", 1000, "2024-05-01");
    addDebit(42, 5, "Amenda", 0, "2024-05-01");

    const auto r = CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->taxpayer.NUMEP, "POP ION");
    EXPECT_EQ(r->taxpayer.ROL, "12");
    EXPECT_TRUE(r->taxpayer.naturalPerson());
    EXPECT_FALSE(r->taxpayer.noPenalties());

    // In the order of their identifiers.
    ASSERT_EQ(r->balance.impozite.size(), 2u);
    const ImpoziteRow& cladiri = r->balance.impozite[0];
    EXPECT_EQ(cladiri.IDRES, 20);
    // Arrears 100 x 3 % (December -> March) = 3, carried 15; 200 - 20 discount.
    EXPECT_EQ(cladiri.RAM1, 100);
    EXPECT_EQ(cladiri.MAJOR1, 18);
    EXPECT_EQ(cladiri.CUR1, 180);
    EXPECT_EQ(cladiri.DEPLATA, 298);
    // 40 lei without BONIF50: no discount.
    EXPECT_EQ(r->balance.impozite[1].IDRES, 21);
    EXPECT_EQ(r->balance.impozite[1].RED1, 0);
    EXPECT_EQ(r->balance.impozite[1].DEPLATA, 40);

    ASSERT_EQ(r->balance.taxe.size(), 1u);
    EXPECT_EQ(r->balance.taxe[0].IDDAT, 31);
    EXPECT_EQ(r->balance.taxe[0].DEPLATA, 150);
    EXPECT_EQ(r->balance.taxe[0].DINDATA, QDate(2024, 1, 1));
    EXPECT_EQ(r->balance.taxe[0].DOCJUS, "HCL 5");

    // Before its penalty date.
    ASSERT_EQ(r->balance.debite.size(), 1u);
    EXPECT_EQ(r->balance.debite[0].IDDEB, 41);
    EXPECT_EQ(r->balance.debite[0].PENDATA, QDate(2024, 5, 1));
    EXPECT_EQ(r->balance.debite[0].DEPLATA, 1000);

    EXPECT_EQ(r->balance.total, 298 + 40 + 150 + 1000);

    // BONIF50 on gives the 40-lei group its discount.
    ASSERT_TRUE(settings->write(db::keys::BONIF50, "DA"));
    EXPECT_EQ(CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024)->balance.impozite[1].DEPLATA, 36);
}

TEST_F(BalanceStoreTest, PersonTypeNoPenaltyMarkAndLegalPersonOption)
{
    addTaxpayer(5, "JURIDICA", "DA");
    addGroup(20, 5, "Impozit pe cladiri", 200, 200, 20, 100, 0, 15);

    auto r = CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024);
    ASSERT_TRUE(r.has_value());
    EXPECT_FALSE(r->taxpayer.naturalPerson());
    EXPECT_TRUE(r->taxpayer.noPenalties());
    // No discount for a legal person, no penalties at all: 100 + 200.
    EXPECT_EQ(r->balance.impozite[0].RED1, 0);
    EXPECT_EQ(r->balance.impozite[0].MAJOR1, 0);
    EXPECT_EQ(r->balance.total, 300);

    ASSERT_TRUE(settings->write(db::keys::REDUCERE_JURIDICE, "DA"));
    r = CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024);
    EXPECT_EQ(r->balance.impozite[0].RED1, 20);
    EXPECT_EQ(r->balance.total, 280);
}

TEST_F(BalanceStoreTest, DiscountHistoryIsReadAtEveryCalculation)
{
    addTaxpayer(5, "FIZICA", "NU");
    addGroup(20, 5, "Impozit pe cladiri", 200, 200, 20);
    const auto red = [&] { return CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024)->balance.impozite[0].RED1; };

    EXPECT_EQ(red(), 20);
    // Lines that do not count: last year's, without a discount, another group's, another taxpayer's.
    addReceiptLine(1, 5, "Impozit pe cladiri", "2023-12-20", 20);
    addReceiptLine(2, 5, "Impozit pe cladiri", "2024-02-01", 0);
    addReceiptLine(3, 5, "Impozit pe teren intravilan", "2024-02-01", 5);
    addReceiptLine(4, 6, "Impozit pe cladiri", "2024-02-01", 20);
    EXPECT_EQ(red(), 20);
    EXPECT_EQ(ReadDiscountHistory(*db, 5, 2024), QStringList{"Impozit pe teren intravilan"});

    // A receipt of the year with the discount: no discount any more.
    addReceiptLine(5, 5, "Impozit pe cladiri", "2024-01-01", 20);
    EXPECT_EQ(red(), 0);
    // The receipt cancelled: the discount is back at the next calculation.
    db->exec("DELETE FROM Chitante WHERE IDCHIT = 5");
    EXPECT_EQ(red(), 20);
}

TEST_F(BalanceStoreTest, MissingTaxpayerGivesNothing)
{
    addGroup(20, 5, "Impozit pe cladiri", 200, 200, 20);
    EXPECT_FALSE(CalcOm(*db, *settings, 5, QDate(2024, 3, 15), 2024).has_value());
}

namespace {

// dbfread's view of a table: one tab-separated line per row, values as Python prints them.
std::vector<std::string> readBack(const QString& path)
{
    std::vector<std::string> rows;
    const std::string cmd =
        "/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py' '" + path.toStdString() + "'";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return rows;
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    pclose(p);
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        if (line.rfind("R\t", 0) == 0)
            rows.push_back(line.substr(line.find('\t', 2) + 1));
        start = end + 1;
    }
    return rows;
}

} // namespace

TEST_F(BalanceStoreTest, WorkTablesHoldTheComputedRows)
{
    addTaxpayer(5, "FIZICA", "NU");
    addGroup(20, 5, "Impozit pe cladiri", 200, 200, 20, 100, 0, 15);
    addLevy(31, 5, "Salubritate", 120, 30);
    addDebit(41, 5, "Cumparare", 1000, "2024-05-01");
    const auto r = CalcOm(*db, *settings, 5, QDate(2024, 10, 15), 2024);
    ASSERT_TRUE(r.has_value());

    QString impozitePath;
    {
        BalanceWorkTables tables(*db, folders);
        tables.write(r->balance);
        EXPECT_EQ(tables.impozite(), "Impozite0");
        EXPECT_EQ(tables.taxe(), "Taxe0");
        EXPECT_EQ(tables.debite(), "Debite0");
        impozitePath = QDir(folders.temp).filePath("Impozite0.dbf");
        ASSERT_TRUE(QFile::exists(impozitePath));

        // Arrears 100 x 10 % = 10 + carried 15; unpaid1 100 x 7 % = 7, unpaid2 100 x 1 % = 1.
        EXPECT_EQ(readBack(impozitePath),
                  std::vector<std::string>{"20\tImpozit pe cladiri\t200\t200\t20\t0\t100\t0\t15\tM\t200\t100\t33\t0\t0\t333\t0"});
        EXPECT_EQ(readBack(QDir(folders.temp).filePath("Taxe0.dbf")),
                  std::vector<std::string>{
                      "31\tSalubritate\tSalubritate\tHCL 5\t17\tA\t120\t2024-01-01\t120\t30\t30\t0\t120\t30\t150\t0"});
        // 1000 x 5 % (May -> October) = 50.
        EXPECT_EQ(readBack(QDir(folders.temp).filePath("Debite0.dbf")),
                  std::vector<std::string>{"41\tImpozit pe teren intravilan\tBD\t3\tCumparare\tTeren arabil\t2024-03-15\t"
                                           "2024-05-01\t1000\t1000\t50\t1050\t0"});
        // The grids' footer through SQL.
        EXPECT_EQ(db->scalar("SELECT SUM(DEPLATA) FROM Impozite0").toInt() +
                      db->scalar("SELECT SUM(DEPLATA) FROM Taxe0").toInt() +
                      db->scalar("SELECT SUM(DEPLATA) FROM Debite0").toInt(),
                  r->balance.total);

        // A recomputation replaces the tables.
        Balance empty;
        tables.write(empty);
        EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM " + tables.impozite()).toInt(), 0);
    }
    // Closing the window deletes them.
    EXPECT_EQ(QDir(folders.temp).entryList(QDir::Files), QStringList{});
    EXPECT_FALSE(db->tableExists("Impozite0"));
}

TEST_F(BalanceStoreTest, CommandLinePrintsTheThreeTables)
{
    addTaxpayer(5, "FIZICA", "NU");
    addGroup(20, 5, "Impozit pe cladiri", 200, 200, 20, 100, 0, 15);
    addLevy(31, 5, "Salubritate", 120, 30);
    addDebit(41, 5, "Cumparare", 1000, "2024-05-01");
    db.reset();

    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(LIRMA_CLI_PATH), QStringList{"--data", folders.data, "balance"} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return std::make_tuple(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                               QString::fromUtf8(p.readAllStandardError()));
    };

    const auto [code, out, err] = run({"--idgos", "5", "--date", "15.10.2024"});
    ASSERT_EQ(code, 0) << err.toStdString();
    const QString expected =
        "IMPOZITE\n"
        "IDRES\tGRUPA\tSUMA\tREST\tREDUC\tSCUTIRE\tDATOR\tDEPOZ\tMAJOR\tTIP\tCUR1\tRAM1\tMAJOR1\tRED1\tSCUT1\tDEPLATA\t"
        "ACHITAT\n"
        "20\tImpozit pe cladiri\t200\t200\t20\t0\t100\t0\t15\tM\t200\t100\t33\t0\t0\t333\t0\n"
        "TAXE\n"
        "IDDAT\tGRUPA\tDENUM\tDOCJUS\tNR\tTIP\tSUMA\tDINDATA\tSUMA2\tRESTINI\tREST\tREDUC\tCUR1\tREST1\tDEPLATA\t"
        "ACHITAT\n"
        "31\tSalubritate\tSalubritate\tHCL 5\t17\tA\t120\t01.01.2024\t120\t30\t30\t0\t120\t30\t150\t0\n"
        "DEBITE\n"
        "IDDEB\tGRUPA\tDOCJUS\tNR\tCATEG\tDENUM\tDINDATA\tPENDATA\tSUMAINI\tSUMAC\tMAJOR\tDEPLATA\tACHITAT\n"
        "41\tImpozit pe teren intravilan\tBD\t3\tCumparare\tTeren arabil\t15.03.2024\t01.05.2024\t1000\t1000\t50\t1050\t"
        "0\n"
        "TOTAL\t1533\n";
    EXPECT_EQ(out, expected);

    // A date after the year is the window's latest date, 31 December: arrears 12 %, 9 % and 3 %
    // on the instalments, the debit 1000 x 7 % (May -> December) = 70.
    const auto [code2, out2, err2] = run({"--idgos", "5", "--date", "15.02.2025"});
    ASSERT_EQ(code2, 0) << err2.toStdString();
    EXPECT_TRUE(out2.endsWith("TOTAL\t" + QString::number(100 + 12 + 15 + 200 + 9 + 3 + 150 + 1070) + "\n"))
        << out2.toStdString();

    const auto [code3, out3, err3] = run({"--idgos", "99"});
    EXPECT_EQ(code3, 1);
    EXPECT_TRUE(out3.isEmpty());
    EXPECT_EQ(err3, "lirma-cli: balance: no taxpayer with IDGOS 99\n");

    const auto [code4, out4, err4] = run({"--idgos", "5", "--date", "31.02.2024"});
    EXPECT_EQ(code4, 1);
    EXPECT_TRUE(err4.startsWith("lirma-cli: balance: --date")) << err4.toStdString();
}

TEST_F(BalanceStoreTest, PaymentOptionsFollowTheTaxpayerAndTheAdministrator)
{
    addTaxpayer(5, "FIZICA", "DA");
    const Taxpayer t = *ReadTaxpayer(*db, 5);
    core::AdminValues admin;
    AllocationOptions o = PaymentOptions(t, QDate(2024, 4, 2), admin, 2024);
    EXPECT_TRUE(o.noPenalties);
    EXPECT_EQ(o.date, QDate(2024, 4, 2));
    EXPECT_EQ(o.compensationDiscountPercent, base::Decimal(10)); // design value of ERED
    ASSERT_TRUE(admin.setText("ERED", "7"));
    EXPECT_EQ(PaymentOptions(t, QDate(2024, 4, 2), admin, 2024).compensationDiscountPercent, base::Decimal(7));
}

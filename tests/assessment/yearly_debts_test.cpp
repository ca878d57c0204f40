// The yearly debts on a real data folder: the rows written to Datorii.dbf, SoldCalc.dbf and
// ScVeterani.dbf checked column by column (read back by dbfread, an independent reader); a second
// run that changes nothing; runs after payments and changes that move the balances by the
// difference; and the rules that keep money safe: separate arrears rows, rows kept while they show money,
// one transaction per taxpayer, growing arrears, refusals of values too large, rounding.
#include "assessment/yearly_debts.h"

#include "assessment_support.h"

#include <QDir>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {

Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }

AssessmentSettings Rates()
{
    AssessmentSettings s;
    s.land.outside[0][0] = 40;       // EC1ZA, arable
    s.land.yards[0] = D("0.35");     // ICCA
    s.vehicles.autoRate[2] = 75;     // 1401 - 1600 cmc
    s.otherTaxes[1] = D("2.5");      // Iluminat, lei per unit
    return s;
}

class YearlyDebtsTest : public test::AssessmentFolderTest {
protected:
    // POPESCU ION, role 7 of DEALU: SCTE 50, a house, land in both areas, a car, lighting and the
    // arrears page.
    void addReferenceTaxpayer()
    {
        addTaxpayer(1, "7", "POPESCU ION");
        db->exec("UPDATE Gospodar SET SCTE = 50 WHERE IDGOS = 1");
        setPage("Pag1", 1, "L1A", "1.2345");
        addHouse(1, 11);
        setPage("Pag4", 1, "CCA", "350");
        setPage("Pag5", 1, "AUTO2", "1");
        setPage("Pag7", 1, "LIN2", "5");
        setPage("Pag8", 1, "LIN8", "40"); // arrears of "Iluminat"
        setPage("Pag8", 1, "LIN2", "300"); // arrears of the building tax
        setPage("Pag8", 1, "PEN2", "20");
    }
    YearlyDebts& debts()
    {
        if (!debts_)
            debts_ = std::make_unique<YearlyDebts>(*db, *counters, settings_);
        return *debts_;
    }
    void assess(int64_t idgos)
    {
        const std::optional<Refusal> refusal = debts().AssessTaxpayer(idgos);
        ASSERT_FALSE(refusal) << refusal->reason.toStdString();
    }
    std::string datorii(int64_t idgos, const std::string& grupa, const std::string& denum, const std::string& column,
                        bool arrears = false)
    {
        return db->scalar("SELECT " + column + " FROM Datorii WHERE IDGOS = ? AND GRUPA = ? AND DENUM = ? AND DINDATA " +
                              (arrears ? "<" : ">=") + " '2024-01-01'",
                          {idgos, grupa, denum})
            .toText();
    }
    int64_t soldcalc(int64_t idgos, const std::string& grupa, const std::string& column)
    {
        return db->scalar("SELECT " + column + " FROM SoldCalc WHERE IDGOS = ? AND GRUPA = ? ORDER BY IDRES",
                          {idgos, grupa})
            .toInt();
    }

    AssessmentSettings settings_ = Rates();
    std::unique_ptr<YearlyDebts> debts_;
};

const std::string kCladiri = "Impozit pe cladiri";
const std::string kIntravilan = "Impozit pe teren intravilan";
const std::string kExtravilan = "Impozit pe teren extravilan";
const std::string kTransport = "Impozit pe mijloace de transport";

} // namespace

TEST_F(YearlyDebtsTest, FirstRunColumnByColumn)
{
    addReferenceTaxpayer();
    assess(1);

    // Datorii: IDDAT IDGOS DINDATA SATUL ROL GRUPA DENUM DOCJUS NR SUMA REST REDUC UM CANT REDUCP SCUTIT TIP SUMA2
    // RESTINI, in identifier order.
    const std::vector<std::string> datorii = {
        // 1.2345 ha x 40 = 49.38 -> 49; SCTE 50: Trunc(24.5) = 24 exempted -> 25; 2.5 -> 3 > 2.5 -> 2
        "1\t1\t2024-01-01\tDEALU\t7\tImpozit pe teren extravilan\tTeren arabil\t\t\t25\t0\t2\tha\t1.2345\t10\t0\tA\t25\t0",
        // the house: 260 lei; 26 is exactly a tenth
        "2\t1\t2024-01-01\tDEALU\t7\tImpozit pe cladiri\tCladiri\t\t\t260\t0\t26\tbuc\t1.0\t10\t0\tA\t260\t0",
        // 350 m2 x 0.35 = 122.5 -> 123; 12.3 -> 12
        "3\t1\t2024-01-01\tDEALU\t7\tImpozit pe teren intravilan\tCurti cu constructii\t\t\t123\t0\t12\tmp\t350.0\t10\t0\tA\t"
        "123\t0",
        // 75 lei; the discount 7.5 is written rounded half away from zero: 8
        "4\t1\t2024-01-01\tDEALU\t7\tImpozit pe mijloace de transport\tAutoturisme cap.cil. 1401 - 1600 cmc\t\t\t75\t0\t8\t"
        "buc\t1.0\t10\t0\tA\t75\t0",
        // 5 x 2.5 = 12.5 -> 13; no discount on other taxes
        "5\t1\t2024-01-01\tDEALU\t7\tIluminat\tIluminat\t\t\t13\t0\t0\tbuc\t5.0\t0\t0\tA\t13\t0",
        // the arrears of the same fee: a row of its own, dated the last day of the previous year
        "6\t1\t2023-12-31\tDEALU\t7\tIluminat\tIluminat\t\t\t0\t40\t0\t -\t1.0\t0\t0\tA\t0\t40",
    };
    EXPECT_EQ(test::DbfreadRows(QDir(data).filePath("Datorii.dbf")), datorii);

    // SoldCalc: IDRES IDGOS SATUL ROL GRUPA SUMA REST REDUC SCUTIRE DATOR DEPOZ MAJOR DATORI DEPOZI MAJORI TIP, created
    // in the row order of the arrears page.
    const std::vector<std::string> soldcalc = {
        // 25 x 10 % = 2.5 -> 3 > 2.5 -> Trunc(2.5) = 2
        "1\t1\tDEALU\t7\tImpozit pe teren extravilan\t25\t25\t2\t0\t0\t0\t0\t0\t0\t0\tM",
        "2\t1\tDEALU\t7\tImpozit pe cladiri\t260\t260\t26\t0\t300\t0\t20\t300\t0\t20\tM",
        "3\t1\tDEALU\t7\tImpozit pe teren intravilan\t123\t123\t12\t0\t0\t0\t0\t0\t0\t0\tM",
        // 7.5 -> 8 > 7.5 -> 7
        "4\t1\tDEALU\t7\tImpozit pe mijloace de transport\t75\t75\t7\t0\t0\t0\t0\t0\t0\t0\tM",
    };
    EXPECT_EQ(test::DbfreadRows(QDir(data).filePath("SoldCalc.dbf")), soldcalc);

    // ScVeterani: IDSCUT IDGOS SCCLAD SCCC SCTI SCAUTO SCTE
    EXPECT_EQ(test::DbfreadRows(QDir(data).filePath("ScVeterani.dbf")),
              std::vector<std::string>{"1\t1\t0\t0\t0\t0\t24"});

    EXPECT_EQ(counters->PeekId(db::keys::IDDAT), "7");
    EXPECT_EQ(counters->PeekId(db::keys::IDRES), "5");
    EXPECT_EQ(counters->PeekId(db::keys::IDSCUT), "2");
}

TEST_F(YearlyDebtsTest, SecondRunChangesNothing)
{
    addReferenceTaxpayer();
    assess(1);
    const QByteArray datorii = fileBytes("Datorii.dbf");
    const QByteArray soldcalc = fileBytes("SoldCalc.dbf");
    const QByteArray scveterani = fileBytes("ScVeterani.dbf");
    const QString settingsFile = QString::fromUtf8(fileBytes("Lirma.set"));

    assess(1);
    const YearlyDebts::RunResult all = debts().AssessAll({1});
    EXPECT_EQ(all.accepted, 1);

    EXPECT_EQ(fileBytes("Datorii.dbf"), datorii);
    EXPECT_EQ(fileBytes("SoldCalc.dbf"), soldcalc);
    EXPECT_EQ(fileBytes("ScVeterani.dbf"), scveterani);
    EXPECT_EQ(QString::fromUtf8(fileBytes("Lirma.set")), settingsFile); // no identifier drawn
}

TEST_F(YearlyDebtsTest, ChangesMoveTheBalancesByTheDifferenceKeepingWhatWasPaid)
{
    addReferenceTaxpayer();
    setPage("Pag8", 1, "LIN2", "200");
    assess(1);
    // Collected at the counter meanwhile: 100 of the building tax and 50 of its arrears, 3 lei of
    // lighting and 10 of its arrears.
    db->exec("UPDATE SoldCalc SET REST = REST - 100, DATOR = DATOR - 50 WHERE IDGOS = 1 AND GRUPA = ?", {kCladiri});
    db->exec("UPDATE Datorii SET SUMA = SUMA - 3 WHERE IDGOS = 1 AND GRUPA = 'Iluminat' AND DINDATA = '2024-01-01'");
    db->exec("UPDATE Datorii SET REST = REST - 10 WHERE IDGOS = 1 AND GRUPA = 'Iluminat' AND DINDATA = '2023-12-31'");

    // The house grows to 200 m2 (520 lei), lighting to 6 units (15 lei), its arrears to 50, the
    // building arrears to 300.
    db->exec("UPDATE Pag2 SET SUPRAFD = 200 WHERE IDGOS = 1");
    setPage("Pag7", 1, "LIN2", "6");
    setPage("Pag8", 1, "LIN8", "50");
    setPage("Pag8", 1, "LIN2", "300");
    assess(1);

    EXPECT_EQ(datorii(1, kCladiri, "Cladiri", "SUMA2"), "520");
    EXPECT_EQ(datorii(1, kCladiri, "Cladiri", "SUMA"), "520");  // 260 - 260 + 520
    EXPECT_EQ(datorii(1, kCladiri, "Cladiri", "REDUC"), "52");
    EXPECT_EQ(soldcalc(1, kCladiri, "SUMA"), 520);
    EXPECT_EQ(soldcalc(1, kCladiri, "REST"), 420);   // 520 less the 100 paid
    EXPECT_EQ(soldcalc(1, kCladiri, "REDUC"), 52);
    EXPECT_EQ(soldcalc(1, kCladiri, "DATORI"), 300);
    EXPECT_EQ(soldcalc(1, kCladiri, "DATOR"), 250);  // 300 less the 50 paid
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "SUMA2"), "15");
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "SUMA"), "12"); // 10 - 13 + 15
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "CANT"), "6.0");
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "RESTINI", true), "50");
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "REST", true), "40"); // 30 + 50 - 40
    // Rows are updated in place: no new row, no new identifier.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii"), 6);
    EXPECT_EQ(scalar("SELECT MAX(IDDAT) FROM Datorii"), 6);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SoldCalc"), 4);
}

TEST_F(YearlyDebtsTest, ArrearsRowAndYearRowOfAFeeStayApart)
{
    addReferenceTaxpayer();
    assess(1);
    const std::string yearRow =
        db->query("SELECT * FROM Datorii WHERE GRUPA = 'Iluminat' AND DINDATA = '2024-01-01'").rows.at(0).at(9).toText();

    // The arrears are paid off and then removed from the page: only the arrears row moves.
    db->exec("UPDATE Datorii SET REST = 0 WHERE GRUPA = 'Iluminat' AND DINDATA = '2023-12-31'");
    setPage("Pag8", 1, "LIN8", "0");
    assess(1);
    // REST 0 + 0 - 40 = -40: the 40 collected stay visible as a credit.
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "REST", true), "-40");
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "SUMA", false), yearRow);
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "SUMA2", false), "13");

    // Arrears never paid and removed: the row goes; the year row stays.
    addTaxpayer(2, "8", "IONESCU ANA");
    setPage("Pag7", 2, "LIN2", "2");
    setPage("Pag8", 2, "LIN8", "40");
    assess(2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 2 AND GRUPA = 'Iluminat'"), 2);
    setPage("Pag8", 2, "LIN8", "0");
    assess(2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 2 AND GRUPA = 'Iluminat' AND DINDATA < '2024-01-01'"), 0);
    EXPECT_EQ(datorii(2, "Iluminat", "Iluminat", "SUMA2"), "5");
}

TEST_F(YearlyDebtsTest, ARowIsDeletedOnlyWhenItShowsNoMoney)
{
    addReferenceTaxpayer();
    assess(1);
    // Lighting fully paid, then its quantity drops to 0: the row keeps the credit.
    db->exec("UPDATE Datorii SET SUMA = 0 WHERE GRUPA = 'Iluminat' AND DINDATA = '2024-01-01'");
    setPage("Pag7", 1, "LIN2", "0");
    // The land is removed from the page, never paid: its row goes, and so does the exemption row.
    setPage("Pag1", 1, "L1A", "0");
    assess(1);

    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "SUMA"), "-13"); // 0 - 13 + 0
    EXPECT_EQ(datorii(1, "Iluminat", "Iluminat", "SUMA2"), "0");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE GRUPA = ?", {kExtravilan}), 0);
    EXPECT_EQ(soldcalc(1, kExtravilan, "SUMA"), 0);
    EXPECT_EQ(soldcalc(1, kExtravilan, "REST"), 0);
    EXPECT_EQ(soldcalc(1, kExtravilan, "REDUC"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM ScVeterani"), 0);
}

TEST_F(YearlyDebtsTest, FullBuildingExemptionLeavesOnlyTheExemptedLei)
{
    addTaxpayer(3, "9", "VETERAN");
    db->exec("UPDATE Gospodar SET SCCLAD = 100 WHERE IDGOS = 3");
    addHouse(3, 31);
    assess(3);
    // Amount 0 and discount 0: the row is not kept; the 260 lei are in ScVeterani.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 3"), 0);
    EXPECT_EQ(test::DbfreadRows(QDir(data).filePath("ScVeterani.dbf")), std::vector<std::string>{"1\t3\t260\t0\t0\t0\t0"});
    EXPECT_EQ(soldcalc(3, kCladiri, "SUMA"), 0);
}

TEST_F(YearlyDebtsTest, TheLowestBalanceRowOfAGroupIsTheOneKept)
{
    addReferenceTaxpayer();
    assess(1);
    // A second building-tax balance row, left by an older program.
    db->exec("INSERT INTO SoldCalc (IDRES, IDGOS, SATUL, ROL, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, "
             "DATORI, DEPOZI, MAJORI, TIP) VALUES (90, 1, 'DEALU', '7', ?, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 'M')",
             {kCladiri});
    db->exec("UPDATE Pag2 SET SUPRAFD = 200 WHERE IDGOS = 1");
    assess(1);
    EXPECT_EQ(scalar("SELECT SUMA FROM SoldCalc WHERE IDRES = 2"), 520);
    EXPECT_EQ(scalar("SELECT SUMA FROM SoldCalc WHERE IDRES = 90"), 5);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SoldCalc WHERE GRUPA = ?", {kCladiri}), 2);
}

TEST_F(YearlyDebtsTest, ArrearsCarriedFromTheArrearsPage)
{
    addTaxpayer(4, "10", "DATORNIC");
    setPage("Pag8", 4, "SOLD1", "50"); // a credit on extra-muros land
    assess(4);
    EXPECT_EQ(soldcalc(4, kExtravilan, "DEPOZ"), 50);
    // 30 of the credit used at the counter; the credit on the page falls to 10 while arrears of 100
    // appear: 10 - 30 = -20 more credit used than carried, so the arrears grow by 20 to 120.
    db->exec("UPDATE SoldCalc SET DEPOZ = 20 WHERE IDGOS = 4 AND GRUPA = ?", {kExtravilan});
    setPage("Pag8", 4, "SOLD1", "10");
    setPage("Pag8", 4, "LIN1", "100");
    assess(4);
    EXPECT_EQ(soldcalc(4, kExtravilan, "DATOR"), 120);
    EXPECT_EQ(soldcalc(4, kExtravilan, "DEPOZ"), 0);
    EXPECT_EQ(soldcalc(4, kExtravilan, "DATORI"), 100);
    EXPECT_EQ(soldcalc(4, kExtravilan, "DEPOZI"), 10);

    // Penalties paid beyond what is now carried turn into credit; arrears paid beyond too.
    addTaxpayer(5, "11", "PLATITOR");
    setPage("Pag8", 5, "LIN3", "100");
    setPage("Pag8", 5, "PEN3", "30");
    assess(5);
    db->exec("UPDATE SoldCalc SET DATOR = 0, MAJOR = 0 WHERE IDGOS = 5 AND GRUPA = ?", {kIntravilan});
    setPage("Pag8", 5, "LIN3", "90");  // 90 - 100 paid = -10 -> credit 10
    setPage("Pag8", 5, "PEN3", "25");  // 25 - 30 paid = -5 -> credit 15
    assess(5);
    EXPECT_EQ(soldcalc(5, kIntravilan, "DATOR"), 0);
    EXPECT_EQ(soldcalc(5, kIntravilan, "MAJOR"), 0);
    EXPECT_EQ(soldcalc(5, kIntravilan, "DEPOZ"), 15);
    EXPECT_EQ(soldcalc(5, kIntravilan, "MAJORI"), 25);
}

TEST_F(YearlyDebtsTest, NoPenaltiesForTaxpayersMarkedNotax)
{
    settings_.faraMajorari = true;
    addReferenceTaxpayer();
    db->exec("UPDATE Gospodar SET NOTAX = 'DA' WHERE IDGOS = 1");
    addTaxpayer(2, "8", "ALTUL");
    setPage("Pag8", 2, "PEN2", "20");
    assess(1);
    assess(2);
    EXPECT_EQ(soldcalc(1, kCladiri, "MAJOR"), 0);
    EXPECT_EQ(soldcalc(1, kCladiri, "MAJORI"), 0);
    EXPECT_EQ(soldcalc(1, kCladiri, "DATOR"), 300);
    EXPECT_EQ(soldcalc(2, kCladiri, "MAJOR"), 20); // NOTAX "NU"
}

TEST_F(YearlyDebtsTest, RefusalsWriteNothingAndTheRunGoesOn)
{
    addReferenceTaxpayer();
    addTaxpayer(2, "", "FARA ROL");
    setPage("Pag1", 2, "L1A", "1");
    // A legal person with two shops valued at 9,999,999.99 lei in 2015: the valuations expired, 5 % each,
    // 499,999.9995 -> 500,000 lei a shop, 1,000,000 lei together: more than SUMA2 holds.
    addTaxpayer(3, "12", "MARE SA", "JURIDICA");
    for (int64_t idclad : {33, 34})
        db->exec("INSERT INTO Pag2 (IDGOS, IDCLAD, IDMANUAL, TIPC, ACTAGR, DATAEVAL, VALOAREN, DESTINATIE, ZONA, RANG, "
                 "SUPRAFD, ANUL, DATAIN, DATAOUT) VALUES (3, ?, ?, 'N', 'NU', '2015-01-01', 9999999.99, 1, 'A', 0, 1000, "
                 "2010, '2015-01-01', '1900-01-01')",
                 {idclad, idclad});
    setPage("Pag1", 3, "L1A", "1");
    addTaxpayer(4, "13", "VECIN");
    setPage("Pag1", 4, "L1A", "1");

    const YearlyDebts::RunResult result = debts().AssessAll({1, 2, 3, 4});
    EXPECT_EQ(result.accepted, 2);
    EXPECT_EQ(result.rejected, 2);
    EXPECT_TRUE(result.error.isEmpty());
    ASSERT_EQ(result.refusals.size(), 2u);
    EXPECT_EQ(result.refusals[0].idgos, 2);
    EXPECT_EQ(result.refusals[0].reason, "FARA ROL nu are trecut ROL-ul si a fost respins.");
    EXPECT_EQ(result.refusals[1].idgos, 3);
    EXPECT_EQ(result.refusals[1].reason,
              "MARE SA (ROL 12) nu a fost adaugat la plata: Impozit pe cladiri - Cladiri = 1000000 nu incape in "
              "Datorii.SUMA2 (cel mult 999999).");
    for (const char* table : {"Datorii", "SoldCalc", "ScVeterani"}) {
        EXPECT_EQ(scalar(std::string("SELECT COUNT(*) FROM ") + table + " WHERE IDGOS IN (2, 3)"), 0) << table;
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 4"), 1);

    // The single command refuses him the same way.
    const std::optional<Refusal> single = debts().AssessTaxpayer(3);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->reason, result.refusals[1].reason);
}

TEST_F(YearlyDebtsTest, AFailureHalfWayLeavesThatTaxpayerAsHeWas)
{
    addReferenceTaxpayer();
    assess(1);
    db->exec("UPDATE Pag2 SET SUPRAFD = 200 WHERE IDGOS = 1");
    addTaxpayer(2, "8", "NOU");
    setPage("Pag1", 2, "L1A", "1");
    // The next balance identifier no longer fits IDRES: the new taxpayer's debt rows are written,
    // then his first balance row fails.
    ASSERT_TRUE(counters->SetCounter(db::keys::IDRES, "99999999999"));

    EXPECT_THROW(debts().AssessTaxpayer(2), storage::StorageError);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 2"), 0);

    debts().setBatchSize(10);
    const YearlyDebts::RunResult result = debts().AssessAll({1, 2});
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(result.accepted, 1);
    // The first taxpayer's change is stored, the second has nothing.
    EXPECT_EQ(soldcalc(1, kCladiri, "SUMA"), 520);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 2"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SoldCalc WHERE IDGOS = 2"), 0);
}

TEST_F(YearlyDebtsTest, WholeRegisterInGroupsDrawsIdentifiersWithoutGaps)
{
    for (int64_t id = 1; id <= 5; ++id) {
        addTaxpayer(id, std::to_string(id), "CONTRIBUABIL " + std::to_string(id));
        setPage("Pag1", id, "L1A", "1");
        setPage("Pag7", id, "LIN2", std::to_string(id));
    }
    debts().setBatchSize(2);
    std::vector<int> seen;
    const YearlyDebts::RunResult result = debts().AssessAll({1, 2, 3, 2, 4, 5, 1}, [&seen](int done) {
        seen.push_back(done);
        return true;
    });
    EXPECT_EQ(result.accepted, 5);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5}));
    // Each taxpayer once, two rows each, in taxpayer order, numbered 1..10; four balances each, 1..20.
    std::vector<std::string> ids;
    for (const auto& row : db->query("SELECT IDDAT, IDGOS, GRUPA FROM Datorii ORDER BY IDDAT").rows)
        ids.push_back(row[0].toText() + "/" + row[1].toText() + "/" + row[2].toText());
    EXPECT_EQ(ids, (std::vector<std::string>{"1/1/Impozit pe teren extravilan", "2/1/Iluminat",
                                             "3/2/Impozit pe teren extravilan", "4/2/Iluminat",
                                             "5/3/Impozit pe teren extravilan", "6/3/Iluminat",
                                             "7/4/Impozit pe teren extravilan", "8/4/Iluminat",
                                             "9/5/Impozit pe teren extravilan", "10/5/Iluminat"}));
    EXPECT_EQ(scalar("SELECT MIN(IDRES) FROM SoldCalc"), 1);
    EXPECT_EQ(scalar("SELECT MAX(IDRES) FROM SoldCalc"), 20);
    EXPECT_EQ(counters->PeekId(db::keys::IDDAT), "11");
    EXPECT_EQ(counters->PeekId(db::keys::IDRES), "21");
}

TEST_F(YearlyDebtsTest, StoppingKeepsWhatWasDone)
{
    for (int64_t id = 1; id <= 5; ++id) {
        addTaxpayer(id, std::to_string(id), "CONTRIBUABIL " + std::to_string(id));
        setPage("Pag1", id, "L1A", "1");
    }
    debts().setBatchSize(2);
    const YearlyDebts::RunResult result = debts().AssessAll({1, 2, 3, 4, 5}, [](int done) { return done < 3; });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.accepted, 3);
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT IDGOS) FROM SoldCalc"), 3);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS > 3"), 0);
}

TEST_F(YearlyDebtsTest, ManualRowsCountInTheBalancesButAreNeverTouched)
{
    addReferenceTaxpayer();
    // A debit entered by hand in the building group (TIP "M") and one in a fee group.
    db->exec("INSERT INTO Datorii (IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, SUMA, REST, REDUC, UM, CANT, "
             "REDUCP, SCUTIT, TIP, SUMA2, RESTINI) VALUES (500, 1, '2024-03-01', 'DEALU', '7', ?, 'Cladiri', 'BD 4', 40, "
             "0, 0, 'buc', 1, 0, 3, 'M', 40, 0)",
             {kCladiri});
    assess(1);
    EXPECT_EQ(scalar("SELECT SUMA FROM Datorii WHERE IDDAT = 500"), 40);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE GRUPA = ? AND TIP = 'A'", {kCladiri}), 1);
    EXPECT_EQ(soldcalc(1, kCladiri, "SUMA"), 300);    // 260 + 40
    EXPECT_EQ(soldcalc(1, kCladiri, "REDUC"), 30);    // 10 % of 300
    EXPECT_EQ(soldcalc(1, kCladiri, "SCUTIRE"), 3);   // the hand row's SCUTIT
}

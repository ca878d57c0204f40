// The calculation sheets of the land and vehicle pages, filled from their embedded templates and
// read back through LibreOffice (one call for the three workbooks): the header, the column
// headings, the areas and rates in their cells, the taxes the template computes from them, and the
// vehicles and assessed rows of the vehicle sheet.
#include "assessment/tax_sheets.h"

#include "assessment/yearly_debts.h"
#include "assessment_support.h"
#include "platform/base/dates.h"
#include "support/libreoffice.h"

#include <QFileInfo>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {
Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }
class TaxSheetsTest : public test::AssessmentFolderTest {};
} // namespace

TEST_F(TaxSheetsTest, CalculationSheetsShowTheWorkedCase)
{
    const base::Folders folders = base::Folders::ForProgram(dir.filePath("Program"));
    ASSERT_TRUE(folders.createMissing());
    const SheetTaxpayer owner{"DEALU", "7", "POPESCU ION"};

    AssessmentSettings s;
    const char* zones[5] = {"A I", "B II", "C II", "D II", "D IV"};
    for (int c = 0; c < 5; ++c)
        s.land.outsideHeadings[c] = zones[c];
    for (int c = 0; c < 6; ++c)
        s.land.insideHeadings[c] = QStringLiteral("Z%1").arg(c + 1);
    s.land.outside[0][0] = 40;
    s.land.outside[0][2] = 35;
    s.land.outside[10][4] = 3;
    s.land.yards[0] = D("0.35");
    s.land.inside[7][5] = D("12.5");
    s.vehicles.autoRate[2] = 75;
    s.vehicles.autoRate[10] = 30;
    s.uat = "COMUNA DEALU";

    // Extra-muros: 1.2345 ha x 40 = 49.38 and 2 ha x 35 = 70 of arable land (119.38), 1 ha x 3 of
    // fish ponds.
    OutsideLand out;
    out.area[0][0] = D("1.2345");
    out.area[0][2] = D("2");
    out.area[10][4] = D("1");
    // Intra-muros: 350 m2 x 0.35 = 122.5 of yards, 1.1 ha x 12.5 = 13.75 of water.
    InsideLand in;
    in.yards[0] = D("350");
    in.area[7][5] = D("1.1");

    // The vehicle sheet lists the vehicles in the records on 1 January and the assessed rows.
    addTaxpayer(1, "7", "POPESCU ION");
    setPage("Pag5", 1, "AUTO2", "1");
    setPage("Pag5", 1, "P30001", "3001");
    const int64_t day2020 = base::DayNumber(QDate(2020, 5, 1));
    const int64_t day2023 = base::DayNumber(QDate(2023, 6, 1));
    const int64_t day2024 = base::DayNumber(QDate(2024, 2, 1));
    db->exec("INSERT INTO AutoDet (IDGOS, IDDETA, NrDos, TipAuto, Marca, Capacit, Tonaj, DataIn, DataOut) VALUES "
             "(1, 1, 'DOS 12', 'AUTOTURISM', 'DACIA', 1461, 2, ?, 0)",
             {day2020});
    db->exec("INSERT INTO AutoDet (IDGOS, IDDETA, NrDos, TipAuto, Marca, Capacit, Tonaj, DataIn, DataOut) VALUES "
             "(1, 2, 'DOS 13', 'AUTOTURISM', 'VOLVO', 3001, 2, ?, ?)",
             {day2020, day2024}); // sold in the fiscal year: still taxed
    db->exec("INSERT INTO AutoDet (IDGOS, IDDETA, NrDos, TipAuto, Marca, Capacit, Tonaj, DataIn, DataOut) VALUES "
             "(1, 3, 'DOS 9', 'AUTOTURISM', 'LADA', 1300, 1, ?, ?)",
             {day2020, day2023}); // out of the records before the year
    db->exec("INSERT INTO AutoDet (IDGOS, IDDETA, NrDos, TipAuto, Marca, Capacit, Tonaj, DataIn, DataOut) VALUES "
             "(1, 4, 'DOS 20', 'AUTOTURISM', 'SKODA', 1600, 2, ?, 0)",
             {day2024}); // entered in the fiscal year
    YearlyDebts debts(*db, *counters, s);
    ASSERT_FALSE(debts.AssessTaxpayer(1));

    // Work files are reused once nobody has them open: each is kept under a name of its own.
    auto keep = [&](const QString& path, const char* name) {
        EXPECT_FALSE(path.isEmpty()) << name;
        EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(folders.temp).absolutePath());
        const QString kept = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(path, kept)) << name;
        return kept;
    };
    const QString te = keep(OutsideLandSheet(out, owner, s, folders, false), "CalculTE.xlsx");
    const QString ti = keep(InsideLandSheet(in, owner, s, folders, false), "CalculTI.xlsx");
    const QString auto_ = keep(VehicleSheet(*db, 1, owner, s, folders, false), "FisaCalcAuto.xlsx");
    EXPECT_TRUE(scripted.records().empty()); // nothing shown, nothing opened

    auto tables = test::LibreOffice::instance().toCsv({te, ti, auto_});
    ASSERT_EQ(tables.size(), 3u);
    for (const auto& t : tables)
        ASSERT_EQ(t.size(), 1u);

    const test::CsvTable& e = tables[0].begin()->second;
    EXPECT_TRUE(e.markers().isEmpty()) << e.markers().join(", ").toStdString();
    EXPECT_TRUE(e.contains("Contribuabil: POPESCU ION"));
    EXPECT_TRUE(e.contains("Localitatea: DEALU"));
    EXPECT_TRUE(e.contains("Rol nr.: 7"));
    EXPECT_EQ(e.cell(7, 2), "A I");
    EXPECT_EQ(e.cell(7, 10), "D IV");
    EXPECT_EQ(e.cell(9, 1), "Teren arabil");
    EXPECT_EQ(e.cell(9, 2).toDouble(), 1.2345);
    EXPECT_EQ(e.cell(9, 3).toDouble(), 40);
    EXPECT_EQ(e.cell(9, 6).toDouble(), 2);
    EXPECT_EQ(e.cell(9, 7).toDouble(), 35);
    EXPECT_DOUBLE_EQ(e.cell(9, 12).toDouble(), 119.38);
    EXPECT_DOUBLE_EQ(e.cell(19, 12).toDouble(), 3);

    const test::CsvTable& i = tables[1].begin()->second;
    EXPECT_TRUE(i.markers().isEmpty()) << i.markers().join(", ").toStdString();
    EXPECT_EQ(i.cell(7, 2), "Z1");
    EXPECT_EQ(i.cell(7, 12), "Z6");
    EXPECT_EQ(i.cell(9, 2).toDouble(), 350);
    EXPECT_EQ(i.cell(9, 3).toDouble(), 0.35);
    EXPECT_DOUBLE_EQ(i.cell(9, 14).toDouble(), 122.5);
    EXPECT_EQ(i.cell(17, 1), "Teren cu ape");
    EXPECT_DOUBLE_EQ(i.cell(17, 14).toDouble(), 13.75);

    const test::CsvTable& a = tables[2].begin()->second;
    EXPECT_TRUE(a.markers().isEmpty()) << a.markers().join(", ").toStdString();
    EXPECT_TRUE(a.contains("COMUNA DEALU"));
    EXPECT_TRUE(a.contains("Anul fiscal 2024"));
    EXPECT_TRUE(a.contains("Contribuabil: POPESCU ION"));
    EXPECT_TRUE(a.contains("Rol nr.: 7"));
    // Vehicles: DACIA and VOLVO (in the records on 1 January), not LADA nor SKODA.
    EXPECT_TRUE(a.contains("DACIA"));
    EXPECT_TRUE(a.contains("VOLVO"));
    EXPECT_FALSE(a.contains("LADA"));
    EXPECT_FALSE(a.contains("SKODA"));
    // Assessed rows by name: 75 lei for the car of 1401-1600 cmc, 16 units x 30 = 480 over 3000 cmc.
    const int car = a.findRow("Autoturisme cap.cil. 1401 - 1600 cmc");
    ASSERT_GT(car, 0);
    EXPECT_EQ(a.cell(car, 5).toDouble(), 75);
    const int big = a.findRow("Autoturisme cap.cil.peste 3000cmc (1)");
    ASSERT_GT(big, 0);
    EXPECT_EQ(a.cell(big, 4).toDouble(), 16);
    EXPECT_EQ(a.cell(big, 5).toDouble(), 480);
    EXPECT_LT(car, big); // ordered by name: " 1401" before "peste"
    const int total = a.findRow("TOTAL IMPOZIT");
    ASSERT_GT(total, 0);
    EXPECT_EQ(a.cell(total, 5).toDouble(), 555);
}

TEST_F(TaxSheetsTest, ASheetIsOpenedWhenShown)
{
    const base::Folders folders = base::Folders::ForProgram(dir.filePath("Program"));
    ASSERT_TRUE(folders.createMissing());
    const QString path = OutsideLandSheet(OutsideLand(), SheetTaxpayer{"DEALU", "7", "X"}, AssessmentSettings(), folders);
    ASSERT_FALSE(path.isEmpty());
    const auto opened = scripted.recordsOf(ui::ScriptedInteraction::What::Document);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].path, path);
}

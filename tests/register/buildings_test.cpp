// The buildings of a taxpayer without any window: the rows add, modify, delete, sale and
// purchase write (read back by an independent dBASE reader), the dialog's checks with the
// columns' limits, the key of IDGOS and IDCLAD together, the year lock and the grid's texts.
#include "register/buildings.h"

#include "core/admin_fields.h"
#include "core/admin_values.h"
#include "register_support.h"

#include <QFile>

#include <functional>

using namespace lirma;
using lirma::reg::BuildingField;
using lirma::reg::BuildingInput;
using lirma::reg::BuildingKind;
using lirma::reg::Buildings;
using lirma::reg::PersonType;
using Row = std::map<std::string, std::string>;

namespace {

const QDate kToday(2024, 5, 15);

class BuildingsTest : public test::RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        ASSERT_TRUE(admin.setText(QString::fromLatin1(core::admin_names::ZonaImplicita), "C"));
        ASSERT_TRUE(admin.setText(QString::fromLatin1(core::admin_names::RangImplicit), "II"));
        buildings = std::make_unique<Buildings>(*db, *settings, *counters, admin);
        buildings->setToday(kToday);
        fizica = add("SAT", "1", "POP ION");
        juridica = addJuridica("SAT", "2", "AGRO SRL");
    }
    void TearDown() override
    {
        buildings.reset();
        RegisterFolderTest::TearDown();
    }
    int64_t addJuridica(const QString& village, const QString& role, const QString& name)
    {
        reg::TaxpayerInput in = input(village, role, name);
        in.type = "JURIDICA";
        return reg->Add(in);
    }
    // A residential building of a natural person that passes every check.
    BuildingInput house() const
    {
        BuildingInput in = buildings->DefaultInput();
        in.area = "100";
        in.year = "2004";
        in.utilities = true;
        in.zone = "A";
        in.rank = 0;
        in.entered = QDate(2023, 5, 5);
        in.acquired = QDate(2023, 5, 1);
        return in;
    }
    int64_t addBuilding(int64_t idgos, PersonType person, BuildingInput in)
    {
        EXPECT_FALSE(buildings->Validate(in, person).has_value());
        int64_t id = 0;
        EXPECT_EQ(buildings->Add(idgos, person, in, &id), Buildings::Outcome::Done);
        return id;
    }
    // Pag2 as the independent reader sees it.
    std::vector<Row> pag2() { return test::ReadWithDbfread(tablePath("Pag2.dbf")); }
    Row pag2Row(int64_t idgos, int64_t idclad)
    {
        for (const Row& r : pag2())
            if (r.at("IDGOS") == std::to_string(idgos) && r.at("IDCLAD") == std::to_string(idclad))
                return r;
        ADD_FAILURE() << "no Pag2 row " << idgos << "/" << idclad;
        return {};
    }
    QByteArray pag2Bytes()
    {
        QFile f(tablePath("Pag2.dbf"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    core::AdminValues admin;
    std::unique_ptr<Buildings> buildings;
    int64_t fizica = 0;
    int64_t juridica = 0;
};

TEST_F(BuildingsTest, AddWritesTheRowOfEachPage)
{
    struct Case {
        const char* name;
        bool legal;
        std::function<void(BuildingInput&)> fill;
        Row expected; // besides IDGOS, IDCLAD, IDMANUAL
    };
    // What the natural-person pages store from their own fields.
    auto own = [](BuildingInput& in) {
        in.address = "  STR.  MORII   5 ";
        in.area = "120.5";
        in.year = "1990";
        in.material = 1;
        in.destination = 1;
        in.utilities = true;
        in.zone = "B";
        in.rank = 3;
        in.inBlock = true;
        in.valuationDate = QDate(2022, 6, 30);
        in.value = "250000.75";
        in.agricultural = true;
        in.acquired = QDate(2023, 3, 10);
        in.entered = QDate(2023, 3, 15);
        in.entryRemark = " CV  12/2023 ";
    };
    const Row common = {{"MIXTA", ""},           {"DATADOB", "2023-03-10"}, {"DATAIN", "2023-03-15"},
                        {"OBSIN", "CV 12/2023"}, {"DATAVANZ", "1900-01-01"}, {"DATAOUT", "1900-01-01"},
                        {"OBSOUT", ""},          {"ADRESA", "STR. MORII 5"}};
    const Row ownColumns = {{"APT8", "DA"},   {"ZONA", "B"},  {"RANG", "3"},     {"SUPRAFD", "120.5"},
                            {"ANUL", "1990"}, {"CODMAT", "1"}, {"CUUTIL", "DA"}, {"DESTINATIE", "2"}};
    // Legal persons: the administrator's zone and rank, no area, the year 1500.
    const Row legalColumns = {{"APT8", "NU"},   {"ZONA", "C"},   {"RANG", "2"},     {"SUPRAFD", "0.0"},
                              {"ANUL", "1500"}, {"CODMAT", "0"}, {"CUUTIL", "NU"}, {"DESTINATIE", "2"}};
    auto merge = [](Row a, const Row& b, const Row& c) {
        a.insert(b.begin(), b.end());
        a.insert(c.begin(), c.end());
        return a;
    };
    const std::vector<Case> cases = {
        {"PFR", false, [&](BuildingInput& in) { own(in); },
         merge({{"TIPC", "R"}, {"ACTAGR", "NU"}, {"DATAEVAL", "2000-01-01"}, {"VALOAREN", "0.0"}, {"VALOAREJR", "0.0"}},
               ownColumns, common)},
        {"PFN valued", false,
         [&](BuildingInput& in) {
             own(in);
             in.kind = BuildingKind::NonResidential;
         },
         merge({{"TIPC", "N"}, {"ACTAGR", "DA"}, {"DATAEVAL", "2022-06-30"}, {"VALOAREN", "250000.75"},
                {"VALOAREJR", "0.0"}},
               ownColumns, common)},
        {"PFN not valued", false,
         [&](BuildingInput& in) {
             own(in);
             in.kind = BuildingKind::NonResidential;
             in.notValued = true;
             in.value = "0";
         },
         merge({{"TIPC", "N"}, {"ACTAGR", "DA"}, {"DATAEVAL", "2000-01-01"}, {"VALOAREN", "0.0"}, {"VALOAREJR", "0.0"}},
               ownColumns, common)},
        {"PJR", true, [&](BuildingInput& in) { own(in); },
         merge({{"TIPC", "R"}, {"ACTAGR", "NU"}, {"DATAEVAL", "2022-06-30"}, {"VALOAREN", "0.0"},
                {"VALOAREJR", "250000.75"}},
               legalColumns, common)},
        {"PJN", true,
         [&](BuildingInput& in) {
             own(in);
             in.kind = BuildingKind::NonResidential;
         },
         merge({{"TIPC", "N"}, {"ACTAGR", "DA"}, {"DATAEVAL", "2022-06-30"}, {"VALOAREN", "250000.75"},
                {"VALOAREJR", "0.0"}},
               legalColumns, common)},
        {"sold", false,
         [&](BuildingInput& in) {
             own(in);
             in.sold = true;
             in.saleDate = QDate(2024, 2, 1);
             in.exitDate = QDate(2024, 2, 5);
             in.exitRemark = "CONTRACT  77 ";
         },
         merge({{"TIPC", "R"}, {"DATAVANZ", "2024-02-01"}, {"DATAOUT", "2024-02-05"}, {"OBSOUT", "CONTRACT 77"}},
               ownColumns, common)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int64_t owner = c.legal ? juridica : fizica;
        const PersonType person = c.legal ? PersonType::Juridica : PersonType::Fizica;
        const QString next = counters->PeekId(db::keys::IDCLAD);
        BuildingInput in = buildings->DefaultInput();
        c.fill(in);
        const int64_t id = addBuilding(owner, person, in);
        EXPECT_EQ(QString::number(id), next) << "IDCLAD is the counter's value";
        EXPECT_EQ(counters->PeekId(db::keys::IDCLAD).toLongLong(), id + 1);
        const Row row = pag2Row(owner, id);
        EXPECT_EQ(row.at("IDMANUAL"), std::to_string(id));
        for (const auto& [column, value] : c.expected)
            EXPECT_EQ(row.at(column), value) << column;
    }
    EXPECT_EQ(pag2().size(), cases.size());
}

TEST_F(BuildingsTest, PartsOfAMixedBuildingShareTheFirstPartsId)
{
    BuildingInput first = house();
    first.kind = BuildingKind::Mixed;
    first.mixedResidential = true;
    first.mixedId = 0; // "nu exista in lista"
    const int64_t a = addBuilding(fizica, PersonType::Fizica, first);
    const int64_t other = addBuilding(fizica, PersonType::Fizica, house());
    EXPECT_EQ(buildings->MixedIds(fizica), std::vector<int64_t>({a}));

    BuildingInput second = house();
    second.kind = BuildingKind::Mixed;
    second.mixedResidential = false;
    second.mixedId = a;
    second.value = "1000";
    second.valuationDate = QDate(2023, 1, 1);
    const int64_t b = addBuilding(fizica, PersonType::Fizica, second);

    EXPECT_EQ(pag2Row(fizica, a).at("IDMANUAL"), std::to_string(a));
    EXPECT_EQ(pag2Row(fizica, a).at("MIXTA"), "X");
    EXPECT_EQ(pag2Row(fizica, a).at("TIPC"), "R");
    EXPECT_EQ(pag2Row(fizica, b).at("IDMANUAL"), std::to_string(a));
    EXPECT_EQ(pag2Row(fizica, b).at("MIXTA"), "X");
    EXPECT_EQ(pag2Row(fizica, b).at("TIPC"), "N");
    EXPECT_EQ(buildings->MixedIds(fizica), std::vector<int64_t>({a}));
    // The list is ordered by the shown ID: both parts before the later building.
    std::vector<int64_t> order;
    for (const reg::BuildingLine& l : buildings->List(fizica, PersonType::Fizica))
        order.push_back(l.row.IDCLAD);
    EXPECT_EQ(order, std::vector<int64_t>({a, b, other}));
    EXPECT_TRUE(buildings->MixedIds(juridica).empty()) << "another taxpayer's parts are not offered";
}

TEST_F(BuildingsTest, ChecksRefuseWithTheirBalloonInOrder)
{
    using Mutation = std::function<void(BuildingInput&)>;
    struct Case {
        const char* name;
        PersonType person;
        Mutation change;
        std::optional<BuildingField> field; // nullopt: accepted
        QString message;
    };
    auto nonResidential = [](BuildingInput& in) {
        in.kind = BuildingKind::NonResidential;
        in.valuationDate = QDate(2023, 2, 1);
        in.value = "1000";
    };
    const PersonType F = PersonType::Fizica;
    const PersonType J = PersonType::Juridica;
    const QString area = "Suprafata incorecta!", year = "Anul este incorect!", value = "Valoare incorecta!",
                  eval = "Data evaluarii este incorecta!", date = "Data incorecta!";
    const std::vector<Case> cases = {
        {"house", F, [](BuildingInput&) {}, std::nullopt, {}},
        {"area 0", F, [](BuildingInput& in) { in.area = "0"; }, BuildingField::Area, area},
        {"area 0.99", F, [](BuildingInput& in) { in.area = "0.99"; }, BuildingField::Area, area},
        {"area empty", F, [](BuildingInput& in) { in.area = ""; }, BuildingField::Area, area},
        {"area not a number", F, [](BuildingInput& in) { in.area = "12,5"; }, BuildingField::Area, area},
        {"area largest", F, [](BuildingInput& in) { in.area = "9999999.99"; }, std::nullopt, {}},
        {"area over the column", F, [](BuildingInput& in) { in.area = "10000000"; }, BuildingField::Area, area},
        {"area three decimals", F, [](BuildingInput& in) { in.area = "10.125"; }, BuildingField::Area, area},
        {"area trailing zeros", F, [](BuildingInput& in) { in.area = "10.1200"; }, std::nullopt, {}},
        {"year 1199", F, [](BuildingInput& in) { in.year = "1199"; }, BuildingField::Year, year},
        {"year 1200", F, [](BuildingInput& in) { in.year = "1200"; }, std::nullopt, {}},
        {"year 2024", F, [](BuildingInput& in) { in.year = "2024"; }, std::nullopt, {}},
        {"year 2025", F, [](BuildingInput& in) { in.year = "2025"; }, BuildingField::Year, year},
        {"area before year", F,
         [](BuildingInput& in) {
             in.area = "0";
             in.year = "0";
         },
         BuildingField::Area, area},
        {"PFN valued", F, nonResidential, std::nullopt, {}},
        {"PFN value 0", F, [&](BuildingInput& in) { nonResidential(in); in.value = "0"; }, BuildingField::Value, value},
        {"PFN value over the column", F, [&](BuildingInput& in) { nonResidential(in); in.value = "12345678"; },
         BuildingField::Value, value},
        {"PFN value three decimals", F, [&](BuildingInput& in) { nonResidential(in); in.value = "100.005"; },
         BuildingField::Value, value},
        {"PFN valued 31.12.1999", F,
         [&](BuildingInput& in) { nonResidential(in); in.valuationDate = QDate(1999, 12, 31); },
         BuildingField::ValuationDate, eval},
        {"PFN valued today", F, [&](BuildingInput& in) { nonResidential(in); in.valuationDate = kToday; },
         std::nullopt, {}},
        {"PFN valued tomorrow", F,
         [&](BuildingInput& in) { nonResidential(in); in.valuationDate = kToday.addDays(1); },
         BuildingField::ValuationDate, eval},
        {"PFN not valued ignores date and value", F,
         [&](BuildingInput& in) {
             nonResidential(in);
             in.notValued = true;
             in.valuationDate = kToday.addDays(9);
             in.value = "x";
         },
         std::nullopt, {}},
        {"PFN area still checked", F, [&](BuildingInput& in) { nonResidential(in); in.area = "0"; },
         BuildingField::Area, area},
        {"PJR no area needed", J,
         [](BuildingInput& in) {
             in.area = "0";
             in.year = "0";
             in.value = "5000";
             in.valuationDate = QDate(1995, 1, 1);
         },
         std::nullopt, {}},
        {"PJR valued tomorrow", J,
         [](BuildingInput& in) {
             in.value = "5000";
             in.valuationDate = kToday.addDays(1);
         },
         BuildingField::ValuationDate, eval},
        {"PJR value over the column", J,
         [](BuildingInput& in) {
             in.value = "99999999";
             in.valuationDate = QDate(2020, 1, 1);
         },
         BuildingField::Value, value},
        {"PJN value 0.5", J,
         [&](BuildingInput& in) {
             nonResidential(in);
             in.value = "0.5";
         },
         BuildingField::Value, value},
        {"entered tomorrow", F, [](BuildingInput& in) { in.entered = kToday.addDays(1); }, BuildingField::Entered, date},
        {"acquired after entry", F, [](BuildingInput& in) { in.acquired = in.entered.addDays(1); },
         BuildingField::Acquired, date},
        {"acquired on entry", F, [](BuildingInput& in) { in.acquired = in.entered; }, std::nullopt, {}},
        {"sold tomorrow", F,
         [](BuildingInput& in) {
             in.sold = true;
             in.saleDate = kToday.addDays(1);
             in.exitDate = kToday.addDays(1);
         },
         BuildingField::SaleDate, date},
        {"exit before sale", F,
         [](BuildingInput& in) {
             in.sold = true;
             in.saleDate = QDate(2024, 3, 1);
             in.exitDate = QDate(2024, 2, 28);
         },
         BuildingField::ExitDate, date},
        {"exit before the fiscal year", F,
         [](BuildingInput& in) {
             in.sold = true;
             in.saleDate = QDate(2023, 12, 1);
             in.exitDate = QDate(2023, 12, 31);
         },
         BuildingField::ExitDate, date},
        {"exit on 1 January", F,
         [](BuildingInput& in) {
             in.sold = true;
             in.saleDate = QDate(2023, 12, 1);
             in.exitDate = QDate(2024, 1, 1);
         },
         std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildingInput in = house();
        c.change(in);
        const std::optional<reg::BuildingProblem> problem = buildings->Validate(in, c.person);
        ASSERT_EQ(problem.has_value(), c.field.has_value()) << (problem ? problem->message.toStdString() : "");
        if (problem) {
            EXPECT_EQ(problem->field, *c.field);
            EXPECT_EQ(problem->message, c.message);
        }
    }
}

TEST_F(BuildingsTest, AcceptedInputIsCleanedAndGetsTheSentinelDates)
{
    BuildingInput in = house();
    in.kind = BuildingKind::NonResidential;
    in.notValued = true;
    in.valuationDate = QDate(2023, 1, 1);
    in.value = "777";
    in.area = "0120.50";
    in.sold = false;
    in.exitRemark = "RAMAS DIN ALTA DATA";
    ASSERT_FALSE(buildings->Validate(in, PersonType::Fizica));
    EXPECT_EQ(in.valuationDate, QDate(2000, 1, 1));
    EXPECT_EQ(in.value, "0");
    EXPECT_EQ(in.area, "120.5");
    EXPECT_EQ(in.saleDate, QDate(1900, 1, 1));
    EXPECT_EQ(in.exitDate, QDate(1900, 1, 1));
    EXPECT_TRUE(in.exitRemark.isEmpty());
}

TEST_F(BuildingsTest, ValuesAreCheckedAgainstTheFilesOwnColumns)
{
    // An older database whose area column is narrower than the catalog's.
    std::vector<storage::FieldDef> fields = db->tableInfo("Pag2").fields;
    for (storage::FieldDef& f : fields)
        if (f.name == "SUPRAFD")
            f = storage::FieldDef::Decimal("SUPRAFD", 7, 2);
    db->alterTable("Pag2", fields);
    BuildingInput in = house();
    in.area = "9999.99";
    EXPECT_FALSE(buildings->Validate(in, PersonType::Fizica));
    in.area = "10000";
    const auto problem = buildings->Validate(in, PersonType::Fizica);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Suprafata incorecta!");
}

TEST_F(BuildingsTest, ModifyDeleteAndSaleTouchOnlyTheOwnersBuilding)
{
    const int64_t id = addBuilding(fizica, PersonType::Fizica, house());
    // The other taxpayer holds a building under the same IDCLAD (the counter is not re-seeded).
    BuildingInput theirs = house();
    theirs.value = "9000";
    theirs.valuationDate = QDate(2022, 1, 1);
    ASSERT_FALSE(buildings->Validate(theirs, PersonType::Juridica));
    ASSERT_EQ(buildings->Add(juridica, PersonType::Juridica, theirs), Buildings::Outcome::Done);
    ASSERT_EQ(db->exec("UPDATE Pag2 SET IDCLAD = ?, IDMANUAL = ? WHERE IDGOS = ?", {id, id, juridica}), 1);
    const Row before = pag2Row(juridica, id);
    EXPECT_EQ(before.at("VALOAREJR"), "9000.0");

    BuildingInput changed = house();
    changed.area = "55";
    changed.address = "NOUA";
    ASSERT_FALSE(buildings->Validate(changed, PersonType::Fizica));
    EXPECT_EQ(buildings->Modify(fizica, id, PersonType::Fizica, changed), Buildings::Outcome::Done);
    EXPECT_EQ(pag2Row(fizica, id).at("SUPRAFD"), "55.0");
    EXPECT_EQ(pag2Row(fizica, id).at("ADRESA"), "NOUA");
    EXPECT_EQ(pag2Row(juridica, id), before);

    EXPECT_EQ(buildings->Sell(fizica, id, QDate(2024, 4, 2), "  ACT  VANZARE "), Buildings::Outcome::Done);
    const Row sold = pag2Row(fizica, id);
    EXPECT_EQ(sold.at("DATAVANZ"), "2024-04-02");
    EXPECT_EQ(sold.at("DATAOUT"), "2024-05-15") << "out of the records today";
    EXPECT_EQ(sold.at("OBSOUT"), "ACT VANZARE");
    EXPECT_EQ(pag2Row(juridica, id), before);

    EXPECT_EQ(buildings->Delete(fizica, id), Buildings::Outcome::Done);
    const auto rows = pag2();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], before);

    // A building no longer there.
    EXPECT_EQ(buildings->Modify(fizica, id, PersonType::Fizica, changed), Buildings::Outcome::Missing);
    EXPECT_EQ(buildings->Sell(fizica, id, kToday, {}), Buildings::Outcome::Missing);
    EXPECT_EQ(buildings->Delete(fizica, id), Buildings::Outcome::Missing);
    EXPECT_EQ(pag2().size(), 1u);
}

TEST_F(BuildingsTest, ModifyRewritesTheRowAndItsMixedNumber)
{
    BuildingInput first = house();
    first.kind = BuildingKind::Mixed;
    const int64_t a = addBuilding(fizica, PersonType::Fizica, first);
    const int64_t b = addBuilding(fizica, PersonType::Fizica, house());

    // b becomes a non-residential part of a's building.
    BuildingInput in = buildings->InputFromRow(*buildings->Fetch(fizica, b));
    in.kind = BuildingKind::Mixed;
    in.mixedResidential = false;
    in.mixedId = a;
    in.notValued = false;
    in.value = "3000";
    in.valuationDate = QDate(2021, 1, 1);
    in.agricultural = true;
    ASSERT_FALSE(buildings->Validate(in, PersonType::Fizica));
    ASSERT_EQ(buildings->Modify(fizica, b, PersonType::Fizica, in), Buildings::Outcome::Done);
    Row row = pag2Row(fizica, b);
    EXPECT_EQ(row.at("IDMANUAL"), std::to_string(a));
    EXPECT_EQ(row.at("MIXTA"), "X");
    EXPECT_EQ(row.at("TIPC"), "N");
    EXPECT_EQ(row.at("ACTAGR"), "DA");
    EXPECT_EQ(row.at("VALOAREN"), "3000.0");
    EXPECT_EQ(row.at("DATAEVAL"), "2021-01-01");

    // And back to a building of its own: its own IDCLAD again.
    in = buildings->InputFromRow(*buildings->Fetch(fizica, b));
    EXPECT_EQ(in.kind, BuildingKind::Mixed);
    EXPECT_FALSE(in.mixedResidential);
    EXPECT_EQ(in.mixedId, a);
    in.kind = BuildingKind::Residential;
    ASSERT_FALSE(buildings->Validate(in, PersonType::Fizica));
    ASSERT_EQ(buildings->Modify(fizica, b, PersonType::Fizica, in), Buildings::Outcome::Done);
    row = pag2Row(fizica, b);
    EXPECT_EQ(row.at("IDMANUAL"), std::to_string(b));
    EXPECT_EQ(row.at("MIXTA"), "");
    EXPECT_EQ(row.at("TIPC"), "R");
    EXPECT_EQ(row.at("VALOAREN"), "0.0");
    EXPECT_EQ(row.at("DATAEVAL"), "2000-01-01");
}

TEST_F(BuildingsTest, DialogFieldsFromAStoredRow)
{
    struct Case {
        const char* name;
        QDate dataeval;
        QDate datavanz;
        QDate dataout;
        bool notValued;
        bool sold;
    };
    const std::vector<Case> cases = {
        {"never valued", QDate(2000, 1, 1), QDate(1900, 1, 1), QDate(1900, 1, 1), true, false},
        {"valued 2 January 2000", QDate(2000, 1, 2), QDate(1900, 1, 1), QDate(1900, 1, 1), true, false},
        {"valued 3 January 2000", QDate(2000, 1, 3), QDate(1900, 1, 1), QDate(1900, 1, 1), false, false},
        {"no valuation date", QDate(), QDate(1900, 1, 1), QDate(1900, 1, 1), true, false},
        {"sale on day 101", QDate(2010, 1, 1), QDate(1900, 4, 10), QDate(2024, 1, 3), false, true},
        {"sale on day 100", QDate(2010, 1, 1), QDate(1900, 4, 9), QDate(2024, 1, 3), false, false},
        {"sold", QDate(2010, 1, 1), QDate(2024, 2, 2), QDate(2024, 2, 3), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reg::BuildingRow r;
        r.TIPC = "N";
        r.VALOAREN = base::Decimal(1234);
        r.VALOAREJR = base::Decimal(99);
        r.SUPRAFD = *base::Decimal::parse("80.25");
        r.ANUL = 1975;
        r.DESTINATIE = 3;
        r.DATAEVAL = c.dataeval;
        r.DATAVANZ = c.datavanz;
        r.DATAOUT = c.dataout;
        r.OBSOUT = "ACT";
        r.DATADOB = QDate(2001, 1, 1);
        r.DATAIN = QDate(2001, 2, 1);
        const BuildingInput in = buildings->InputFromRow(r);
        EXPECT_EQ(in.kind, BuildingKind::NonResidential);
        EXPECT_EQ(in.notValued, c.notValued);
        EXPECT_EQ(in.sold, c.sold);
        EXPECT_EQ(in.value, "1234");
        EXPECT_EQ(in.area, "80.25");
        EXPECT_EQ(in.year, "1975");
        EXPECT_EQ(in.destination, 2);
        EXPECT_EQ(in.valuationDate, c.dataeval.isValid() ? c.dataeval : QDate(2000, 1, 1));
        EXPECT_EQ(in.saleDate, c.sold ? c.datavanz : kToday);
        EXPECT_EQ(in.exitDate, c.sold ? c.dataout : kToday);
        EXPECT_EQ(in.exitRemark, c.sold ? "ACT" : "");
    }
}

TEST_F(BuildingsTest, SaleDateMayNotBeInTheFuture)
{
    EXPECT_FALSE(buildings->CheckSale(kToday));
    EXPECT_FALSE(buildings->CheckSale(QDate(2019, 1, 1)));
    EXPECT_EQ(buildings->CheckSale(kToday.addDays(1)).value_or(""), "Data vanzarii este incorecta!");
}

TEST_F(BuildingsTest, PurchaseCopiesTheSellersBuildingToTheBuyer)
{
    const int64_t seller = add("DEAL", "7", "ZAMFIR ANA");
    const int64_t seller2 = add("DEAL", "8", "BARBU DAN");
    BuildingInput in = house();
    in.address = "STR. VIILOR 9";
    in.inBlock = true;
    in.entryRemark = "ACT VECHI";
    const int64_t sold = addBuilding(seller, PersonType::Fizica, in);
    const int64_t soldLastYear = addBuilding(seller2, PersonType::Fizica, house());
    const int64_t kept = addBuilding(seller2, PersonType::Fizica, house());
    const int64_t soldBySeller2 = addBuilding(seller2, PersonType::Fizica, house());
    buildings->setToday(QDate(2024, 3, 20));
    ASSERT_EQ(buildings->Sell(seller, sold, QDate(2024, 3, 18), "CONTRACT 5"), Buildings::Outcome::Done);
    ASSERT_EQ(buildings->Sell(seller2, soldBySeller2, QDate(2024, 3, 1), "CONTRACT 6"), Buildings::Outcome::Done);
    ASSERT_EQ(db->exec("UPDATE Pag2 SET DATAVANZ = ?, DATAOUT = ? WHERE IDGOS = ? AND IDCLAD = ?",
                       {"2023-12-30", "2023-12-31", seller2, soldLastYear}),
              1);
    buildings->setToday(kToday);

    const std::vector<reg::PurchaseCandidate> candidates = buildings->PurchaseCandidates();
    ASSERT_EQ(candidates.size(), 2u) << "left the records on or after 1 January";
    EXPECT_EQ(candidates[0].numep, "BARBU DAN") << "by the seller's name";
    EXPECT_EQ(candidates[0].idclad, soldBySeller2);
    EXPECT_EQ(candidates[1].numep, "ZAMFIR ANA");
    EXPECT_EQ(reg::PurchaseGridTexts(candidates[1]),
              QStringList({"FIZICA", "DEAL", "7", "ZAMFIR ANA", "R", "", "STR. VIILOR 9", "18.03.2024", "20.03.2024",
                           "CONTRACT 5"}));
    for (const reg::PurchaseCandidate& c : candidates)
        EXPECT_NE(c.idclad, kept) << "a building still in the records is not offered";

    const Row sellerRow = pag2Row(seller, sold);
    const QString next = counters->PeekId(db::keys::IDCLAD);
    int64_t id = 0;
    ASSERT_EQ(buildings->Purchase(fizica, seller, sold, &id), Buildings::Outcome::Done);
    EXPECT_EQ(QString::number(id), next);
    Row expected = sellerRow;
    expected["IDGOS"] = std::to_string(fizica);
    expected["IDCLAD"] = std::to_string(id);
    expected["DATADOB"] = "2024-03-18";
    expected["DATAIN"] = "2024-03-20";
    expected["OBSIN"] = "CONTRACT 5";
    expected["DATAVANZ"] = "1900-01-01";
    expected["DATAOUT"] = "1900-01-01";
    expected["OBSOUT"] = "";
    EXPECT_EQ(pag2Row(fizica, id), expected);
    EXPECT_EQ(pag2Row(fizica, id).at("ADRESA"), "STR. VIILOR 9");
    EXPECT_EQ(pag2Row(fizica, id).at("APT8"), "DA");
    EXPECT_EQ(pag2Row(seller, sold), sellerRow) << "the seller's row is not changed";

    EXPECT_EQ(buildings->Purchase(fizica, seller, 999999), Buildings::Outcome::Missing);
}

TEST_F(BuildingsTest, NoCandidatesWhenNothingLeftTheRecordsThisYear)
{
    addBuilding(fizica, PersonType::Fizica, house());
    EXPECT_TRUE(buildings->PurchaseCandidates().empty());
}

TEST_F(BuildingsTest, LockedYearWritesNothing)
{
    const int64_t id = addBuilding(fizica, PersonType::Fizica, house());
    const int64_t seller = add("DEAL", "7", "ZAMFIR ANA");
    const int64_t sold = addBuilding(seller, PersonType::Fizica, house());
    ASSERT_EQ(buildings->Sell(seller, sold, QDate(2024, 3, 18), {}), Buildings::Outcome::Done);
    lockYear(true);
    const QByteArray file = pag2Bytes();
    const QString next = counters->PeekId(db::keys::IDCLAD);
    EXPECT_TRUE(buildings->YearLocked());
    EXPECT_EQ(buildings->Add(fizica, PersonType::Fizica, house()), Buildings::Outcome::Locked);
    EXPECT_EQ(buildings->Modify(fizica, id, PersonType::Fizica, house()), Buildings::Outcome::Locked);
    EXPECT_EQ(buildings->Sell(fizica, id, kToday, {}), Buildings::Outcome::Locked);
    EXPECT_EQ(buildings->Purchase(fizica, seller, sold), Buildings::Outcome::Locked);
    EXPECT_EQ(buildings->Delete(fizica, id), Buildings::Outcome::Locked);
    EXPECT_EQ(pag2Bytes(), file);
    EXPECT_EQ(counters->PeekId(db::keys::IDCLAD), next) << "no identifier drawn";
    lockYear(false);
    EXPECT_EQ(buildings->Delete(fizica, id), Buildings::Outcome::Done);
}

TEST_F(BuildingsTest, ListCarriesEachBuildingsTaxAndItsGridTexts)
{
    // 100 m2 of concrete with utilities, zone A rank 0, finished 20 years before: 260000.00, 260 lei.
    const int64_t house2004 = addBuilding(fizica, PersonType::Fizica, house());
    // The same entered in the fiscal year: no tax.
    BuildingInput fresh = house();
    fresh.entered = QDate(2024, 2, 1);
    const int64_t thisYear = addBuilding(fizica, PersonType::Fizica, fresh);
    // An uninhabited attic of it in a block: 500 lei/m2, 2.50: 125000.00, 125 lei.
    BuildingInput attic = house();
    attic.destination = 3;
    attic.inBlock = true;
    const int64_t atticId = addBuilding(fizica, PersonType::Fizica, attic);

    const auto lines = buildings->List(fizica, PersonType::Fizica);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].row.IDCLAD, house2004);
    EXPECT_EQ(lines[1].row.IDCLAD, thisYear);
    EXPECT_EQ(lines[2].row.IDCLAD, atticId);
    const QStringList first = reg::BuildingGridTexts(lines[0], PersonType::Fizica);
    ASSERT_EQ(first.size(), reg::kBuildingGridColumnCount);
    EXPECT_EQ(first, QStringList({QString::number(house2004), "", "05.05.2023", "-", "", "R", "Cladire", "100.00",
                                  "2004", "beton...", "DA", "NU", "A", "0", "0.00", "-", "0.00", "NU", "260000.00",
                                  "260"}));
    EXPECT_EQ(reg::BuildingGridTexts(lines[1], PersonType::Fizica).mid(18), QStringList({"260000.00", "0"}));
    EXPECT_EQ(reg::BuildingGridTexts(lines[2], PersonType::Fizica).mid(18), QStringList({"125000.00", "125"}));

    // A legal person's building: no year or material, the valuation date, 5% once expired.
    BuildingInput pj = house();
    pj.value = "100000";
    pj.valuationDate = QDate(2018, 12, 31); // + 5 years: 31.12.2023, before 1 January
    const int64_t pjId = addBuilding(juridica, PersonType::Juridica, pj);
    const auto pjLines = buildings->List(juridica, PersonType::Juridica);
    ASSERT_EQ(pjLines.size(), 1u);
    const QStringList texts = reg::BuildingGridTexts(pjLines[0], PersonType::Juridica);
    EXPECT_EQ(texts[0], QString::number(pjId));
    EXPECT_EQ(texts[8], "-");
    EXPECT_EQ(texts[9], "-");
    EXPECT_EQ(texts[12], "C");
    EXPECT_EQ(texts[13], "2");
    EXPECT_EQ(texts[14], "100000.00");
    EXPECT_EQ(texts[15], "31.12.2018");
    EXPECT_EQ(texts.mid(18), QStringList({"100000.00", "5000"}));
}

} // namespace

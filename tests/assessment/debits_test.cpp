// Debits of the year without a window: the vehicle list, due dates, quantities, signs, the pairs
// of each detail panel, the checks of the dialog, the row read back into the dialog, and the table
// operations with what was collected kept.
#include "assessment/debits.h"

#include "year_support.h"

#include <cstdio>
#include <map>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;
using lirma::test::YearFolderTest;

namespace {

Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }

const QString kBuildings = QStringLiteral("Impozit pe cladiri");
const QString kInside = QStringLiteral("Impozit pe teren intravilan");
const QString kOutside = QStringLiteral("Impozit pe teren extravilan");
const QString kVehicles = QStringLiteral("Impozit pe mijloace de transport");

DebitInput debit(const QString& group, const QString& category, int64_t amount)
{
    DebitInput in;
    in.date = QDate(2024, 3, 15);
    in.group = group;
    in.category = category;
    in.number = 4;
    in.explanation = QStringLiteral("Contract 12/2024");
    in.amount = amount;
    return in;
}

DebitInput land(const QString& group, const QString& category, int k, const char* zone, const char* area)
{
    DebitInput in = debit(group, category, 90);
    in.landCategory = k;
    in.zone = QString::fromLatin1(zone);
    in.area = D(area);
    return in;
}

DebitInput vehicle(const QString& category, int entry, int64_t capacity, int64_t count)
{
    DebitInput in = debit(kVehicles, category, 120);
    in.vehicle = entry;
    in.capacity = capacity;
    in.count = count;
    return in;
}

TEST(DebitLists, VehicleEntriesWithTheirColumns)
{
    const auto& v = VehicleEntries();
    ASSERT_EQ(v.size(), 137u);
    struct Case {
        int index;
        const char* text;
        const char* table;
        const char* capacity;
        const char* count;
    };
    const std::vector<Case> cases = {
        {0, "Alte autovehicule cu masa pana in 12 t (1)", "PAG5", "ALTE1", ""},
        {3, "Alte autovehicule cu masa pana in 12 t (4)", "PAG5", "ALTE4", ""},
        {4, "Autobuze,autocare,microbuze (1)", "PAG5", "ATB1", "ATBNR1"},
        {7, "Autobuze,autocare,microbuze (4)", "PAG5", "ATB4", "ATBNR4"},
        {8, "Autoturisme cap.cil.   201 -   400 cmc", "PAG5", "", "AUTO15"},
        {12, "Autoturisme cap.cil. 1001 - 1200 cmc", "PAG5", "", "AUTO11"},
        {13, "Autoturisme cap.cil. 1201 - 1400 cmc", "PAG5", "", "AUTO1"},
        {21, "Autoturisme cap.cil. 2801 - 3000 cmc", "PAG5", "", "AUTO9"},
        {22, "Autoturisme cap.cil. pana in  200 cmc", "PAG5", "", "AUTO16"},
        {23, "Autoturisme cap.cil.peste 3000 cmc (1)", "PAG5", "P30001", ""},
        {26, "Autoturisme cap.cil.peste 3000 cmc (4)", "PAG5", "P30004", ""},
        {27, "Barca cu motor", "PAG5", "", "APA3"},
        {28, "Barca fara motor", "PAG5", "", "APA2"},
        {29, "Ceam,slep,barja 1500-3000to", "PAG5", "", "APA12"},
        {30, "Ceam,slep,barja pana la 1500to", "PAG5", "", "APA11"},
        {31, "Ceam,slep,barja peste 3000to", "PAG5", "", "APA13"},
        {32, "Luntre,barca,scuter,uz personal", "PAG5", "", "APA1"},
        {33, "Nave de sport si agrement", "PAG5", "", "APA4"},
        {34, "Remorcher pana la 2000CP", "PAG5", "", "APA7"},
        {35, "Remorcher pana la 4000CP", "PAG5", "", "APA8"},
        {36, "Remorcher pana la 500CP", "PAG5", "", "APA6"},
        {37, "Remorcher peste 4000CP", "PAG5", "", "APA9"},
        {38, "Remorci, rulote pana la 1 tona inclusiv", "PAG5", "", "REM1"},
        {41, "Remorci, rulote peste 5 tone", "PAG5", "", "REM4"},
        {42, "Scutere de apa", "PAG5", "", "APA5"},
        {43, "Tractoare inmatriculate (1)", "PAG5", "TRAC1", "TBUC1"},
        {46, "Tractoare inmatriculate (4)", "PAG5", "TRAC4", "TBUC4"},
        {47, "Vapoare", "PAG5", "APA10", ""},
        {48, "Vehicule 2 axe,12-13t,fara susp.pneum.", "PAG5", "", "G1B"},
        {49, "Vehicule 2 axe,12-13t,susp.pneum.", "PAG5", "", "G1A"},
        {55, "Vehicule 2 axe,peste 15t,susp.pneum.", "PAG5", "", "G4A"},
        {56, "Vehicule 2+1 axe,12-14t,fara susp.pneum.", "PAG5", "", "GC1B"},
        {71, "Vehicule 2+1 axe,peste 25t,susp.pneum.", "PAG5", "", "GC8A"},
        {72, "Vehicule 2+2 axe,23-25t,fara susp.pneum.", "PAG5", "", "GC9B"},
        {87, "Vehicule 2+2 axe,peste 36t,susp.pneum.", "PAG5", "", "GC16A"},
        {88, "Vehicule 2+3 axe,36-38t,fara susp.pneum.", "PAG5", "", "GC17B"},
        {91, "Vehicule 2+3 axe,peste 38t,susp.pneum.", "PAG5", "", "GC18A"},
        {92, "Vehicule 3 axe,15-17t,fara susp.pneum.", "PAG5", "", "G5B"},
        {103, "Vehicule 3 axe,peste 25t,susp.pneum.", "PAG5", "", "G10A"},
        {104, "Vehicule 3+2 axe,36-38t,fara susp.pneum.", "PAG5", "", "GC19B"},
        {109, "Vehicule 3+2 axe,peste 40t,susp.pneum.", "PAG5", "", "GC21A"},
        {110, "Vehicule 3+3 axe,36-38t,fara susp.pneum.", "PAG5", "", "GC22B"},
        {115, "Vehicule 3+3 axe,peste 40t,susp.pneum.", "PAG5", "", "GC24A"},
        {116, "Vehicule 4 axe,23-25t,fara susp.pneum.", "PAG5", "", "G11B"},
        {125, "Vehicule 4 axe,peste 31t,susp.pneum.", "PAG5", "", "G15A"},
        {126, "Vehicule neinmatriculate pana la 4800 cmc(1)", "PAG6", "VN1", ""},
        {130, "Vehicule neinmatriculate pana la 4800 cmc(5)", "PAG6", "VN5", ""},
        {131, "Vehicule neinmatriculate peste 4800 cmc(1)", "PAG6", "VN6", ""},
        {135, "Vehicule neinmatriculate peste 4800 cmc(5)", "PAG6", "VN10", ""},
        {136, "Vehicule neinmatriculate cu cap.neevidentiata", "PAG6", "", "VN11"},
    };
    for (const Case& k : cases) {
        const VehicleEntry& e = v[size_t(k.index)];
        EXPECT_EQ(e.text, k.text) << k.index;
        EXPECT_EQ(e.table, k.table) << k.index;
        EXPECT_EQ(e.capacityColumn, k.capacity) << k.index;
        EXPECT_EQ(e.countColumn, k.count) << k.index;
    }
    EXPECT_EQ(v[47].capacityUnit, "total tdw");
    EXPECT_EQ(v[0].capacityUnit, "cmc");
    // Every item and column fits its column of Debit.dbf, every entry is told apart by its text
    // (a debit finds its entry again by DENUM) and records something.
    QStringList texts;
    for (const VehicleEntry& e : v) {
        EXPECT_LE(e.text.size(), 50) << e.text.toStdString();
        EXPECT_LE(e.capacityColumn.size(), 6);
        EXPECT_LE(e.countColumn.size(), 6);
        EXPECT_FALSE(e.capacityColumn.isEmpty() && e.countColumn.isEmpty()) << e.text.toStdString();
        EXPECT_FALSE(texts.contains(e.text)) << e.text.toStdString();
        texts << e.text;
    }
}

TEST(DebitRules, DueDateQuantitySignAndBorderou)
{
    const std::vector<std::pair<QDate, QDate>> due = {
        {QDate(2024, 3, 15), QDate(2024, 5, 1)},  {QDate(2024, 1, 31), QDate(2024, 3, 1)},
        {QDate(2024, 11, 15), QDate(2025, 1, 1)}, {QDate(2024, 12, 31), QDate(2025, 2, 1)},
        {QDate(2024, 1, 1), QDate(2024, 3, 1)},   {QDate(2024, 2, 29), QDate(2024, 4, 1)},
    };
    for (const auto& [date, expected] : due)
        EXPECT_EQ(DueDate(date), expected) << date.toString(Qt::ISODate).toStdString();

    const std::vector<std::pair<const char*, const char*>> quantities = {
        {"0.5", "0.5"}, {"1.2345", "1.2345"}, {"5000", "5000"}, {"12.50", "12.5"}, {"3.0000", "3"},
        {"0.00005", "0.0001"}, {"0", "0"},
    };
    for (const auto& [typed, stored] : quantities)
        EXPECT_EQ(FormatQuantity(D(typed)), stored) << typed;

    struct Sign {
        const char* category;
        int64_t amount;
        const char* borderou;
    };
    const std::vector<Sign> signs = {
        {"Cumparare", 150, "BD"}, {"Vanzare", -150, "BS"}, {"Reducere", -150, "BS"},
        {"Majorare", 150, "BD"},  {"Taxa", 150, "BS"},
    };
    for (const Sign& s : signs) {
        const DebitRecord r = BuildDebit(debit(kBuildings, s.category, 150));
        EXPECT_EQ(r.amount, s.amount) << s.category;
        EXPECT_EQ(BorderouKind(s.category), s.borderou) << s.category;
    }
}

struct PanelCase {
    const char* what;
    DebitInput in;
    const char* item;
    const char* table;
    std::vector<DebitPair> pairs;
    int64_t amount;
};

std::vector<PanelCase> panelCases()
{
    return {
        {"buildings increase", debit(kBuildings, "Majorare", 250), "Cladiri", "PAG2", {}, 250},
        {"buildings tax", debit(kBuildings, "Taxa", 40), "Cladiri", "PAG2", {}, 40},
        {"yard bought", land(kInside, "Cumparare", 0, "B", "350"), "Curti-constructii", "PAG4", {{"CCB", "350"}}, 90},
        {"hayfield sold", land(kInside, "Vanzare", 3, "E", "0.5"), "Faneata", "PAG4", {{"AL3E", "0.5"}}, -90},
        {"water bought", land(kInside, "Cumparare", 8, "A", "1.2345"), "Teren cu ape", "PAG4", {{"AL8A", "1.2345"}}, 90},
        {"fish ponds bought", land(kOutside, "Cumparare", 10, "D", "1.2345"), "Teren cu amenajari piscicole", "PAG1",
         {{"L11D", "1.2345"}}, 90},
        {"arable sold", land(kOutside, "Vanzare", 0, "A", "2.75"), "Teren arabil", "PAG1", {{"L1A", "2.75"}}, -90},
        {"other vehicle", vehicle("Cumparare", 0, 1600, 0), "Alte autovehicule cu masa pana in 12 t (1)", "PAG5",
         {{"ALTE1", "1600"}}, 120},
        {"bus", vehicle("Cumparare", 5, 6000, 3), "Autobuze,autocare,microbuze (2)", "PAG5",
         {{"ATB2", "6000"}, {"ATBNR2", "3"}}, 120},
        {"car by band", vehicle("Vanzare", 8, 0, 2), "Autoturisme cap.cil.   201 -   400 cmc", "PAG5",
         {{"AUTO15", "2"}}, -120},
        {"tractor", vehicle("Cumparare", 44, 5000, 2), "Tractoare inmatriculate (2)", "PAG5",
         {{"TRAC2", "5000"}, {"TBUC2", "2"}}, 120},
        {"ship", vehicle("Cumparare", 47, 2500, 0), "Vapoare", "PAG5", {{"APA10", "2500"}}, 120},
        {"lorry", vehicle("Vanzare", 49, 0, 1), "Vehicule 2 axe,12-13t,susp.pneum.", "PAG5", {{"G1A", "1"}}, -120},
        {"unregistered", vehicle("Cumparare", 135, 5200, 0), "Vehicule neinmatriculate peste 4800 cmc(5)", "PAG6",
         {{"VN10", "5200"}}, 120},
        {"unregistered, no capacity", vehicle("Cumparare", 136, 0, 2), "Vehicule neinmatriculate cu cap.neevidentiata",
         "PAG6", {{"VN11", "2"}}, 120},
        // A reduction keeps the pair with no quantity.
        {"vehicle reduction", vehicle("Reducere", 44, 0, 0), "Tractoare inmatriculate (2)", "PAG5",
         {{"TRAC2", "0"}, {"TBUC2", "0"}}, -120},
    };
}

TEST(DebitRules, PairsOfEachPanel)
{
    for (const PanelCase& k : panelCases()) {
        SCOPED_TRACE(k.what);
        DebitInput in = k.in;
        ASSERT_EQ(CheckDebit(in), DebitProblem::None);
        const DebitRecord r = BuildDebit(in);
        EXPECT_EQ(r.item, k.item);
        EXPECT_EQ(r.table, k.table);
        EXPECT_EQ(r.amount, k.amount);
        EXPECT_EQ(r.dueDate, QDate(2024, 5, 1));
        for (size_t i = 0; i < size_t(kDebitPairs); ++i) {
            const DebitPair expected = i < k.pairs.size() ? k.pairs[i] : DebitPair{};
            EXPECT_EQ(r.pairs[i].column, expected.column) << i;
            EXPECT_EQ(r.pairs[i].value, expected.value) << i;
        }
    }
}

TEST(DebitRules, ChecksOfTheDialog)
{
    struct Case {
        const char* what;
        DebitInput in;
        DebitProblem expected;
    };
    const std::vector<Case> cases = {
        {"buildings bought", debit(kBuildings, "Cumparare", 100), DebitProblem::BuildingsTrade},
        {"buildings sold", debit(kBuildings, "Vanzare", 100), DebitProblem::BuildingsTrade},
        {"buildings reduced", debit(kBuildings, "Reducere", 100), DebitProblem::None},
        {"yard bought without area", land(kInside, "Cumparare", 0, "A", "0"), DebitProblem::NoArea},
        {"arable sold without area", land(kInside, "Vanzare", 1, "A", "0"), DebitProblem::NoArea},
        {"inside increase needs no area", land(kInside, "Majorare", 1, "A", "0"), DebitProblem::None},
        {"outside land is not checked", land(kOutside, "Cumparare", 1, "A", "0"), DebitProblem::None},
        {"capacity missing", vehicle("Cumparare", 0, 0, 0), DebitProblem::NoCapacity},
        {"count missing", vehicle("Vanzare", 13, 0, 0), DebitProblem::NoCount},
        {"tractor without count", vehicle("Cumparare", 43, 1000, 0), DebitProblem::NoCount},
        {"tractor without capacity", vehicle("Cumparare", 43, 0, 1), DebitProblem::NoCapacity},
        {"vehicle tax needs no quantity", vehicle("Taxa", 43, 0, 0), DebitProblem::None},
        {"negative amount", debit(kBuildings, "Majorare", -5), DebitProblem::NegativeAmount},
        {"the area before the amount", [] { auto d = land(kInside, "Cumparare", 0, "A", "0"); d.amount = -1; return d; }(),
         DebitProblem::NoArea},
    };
    for (const Case& k : cases) {
        DebitInput in = k.in;
        EXPECT_EQ(CheckDebit(in), k.expected) << k.what;
    }
    // Quantities of a reduction, an increase or a tax are dropped; an explanation is cleaned.
    DebitInput inside = land(kInside, "Taxa", 2, "C", "3.5");
    inside.explanation = "  Decizia   3 ";
    ASSERT_EQ(CheckDebit(inside), DebitProblem::None);
    EXPECT_EQ(inside.area, Decimal());
    EXPECT_EQ(inside.explanation, "Decizia 3");
    DebitInput outside = land(kOutside, "Reducere", 2, "C", "3.5");
    ASSERT_EQ(CheckDebit(outside), DebitProblem::None);
    EXPECT_EQ(outside.area, D("3.5"));
    DebitInput car = vehicle("Majorare", 43, 1800, 2);
    ASSERT_EQ(CheckDebit(car), DebitProblem::None);
    EXPECT_EQ(car.capacity, 0);
    EXPECT_EQ(car.count, 0);
}

class DebitsTest : public YearFolderTest {
protected:
    Debits debits() { return Debits(*db, *counters); }
    int64_t add(DebitInput in)
    {
        EXPECT_EQ(CheckDebit(in), DebitProblem::None);
        return debits().Add(owner.idgos, BuildDebit(in));
    }
};

TEST_F(DebitsTest, StoredRowsReadBackIntoTheDialog)
{
    for (const PanelCase& k : panelCases()) {
        SCOPED_TRACE(k.what);
        DebitInput in = k.in;
        ASSERT_EQ(CheckDebit(in), DebitProblem::None);
        const int64_t id = debits().Add(owner.idgos, BuildDebit(in));
        const std::optional<DebitRow> row = debits().Find(id);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->initial, k.amount);
        EXPECT_EQ(row->due, k.amount);
        EXPECT_EQ(row->record.item, k.item);
        EXPECT_EQ(row->record.table, k.table);
        EXPECT_EQ(row->record.dueDate, QDate(2024, 5, 1));
        EXPECT_EQ(row->record.date, QDate(2024, 3, 15));
        const DebitInput back = InputOf(*row);
        EXPECT_EQ(back.group, in.group);
        EXPECT_EQ(back.category, in.category);
        EXPECT_EQ(back.amount, in.amount); // unsigned again
        EXPECT_EQ(back.number, 4);
        EXPECT_EQ(back.explanation, "Contract 12/2024");
        switch (PanelOf(in.group)) {
        case DebitPanel::LandInside:
        case DebitPanel::LandOutside:
            EXPECT_EQ(back.landCategory, in.landCategory);
            EXPECT_EQ(back.zone, in.zone);
            EXPECT_EQ(back.area, in.area);
            break;
        case DebitPanel::Vehicles:
            EXPECT_EQ(back.vehicle, in.vehicle);
            EXPECT_EQ(back.capacity, in.capacity);
            EXPECT_EQ(back.count, in.count);
            break;
        case DebitPanel::Buildings:
            break;
        }
    }
    EXPECT_EQ(counters->PeekId(db::keys::IDDEB), QString::number(71 + panelCases().size()));
}

TEST_F(DebitsTest, ASaleIsStoredNegativeAndShownAsTyped)
{
    const int64_t id = add(land(kOutside, "Vanzare", 0, "B", "0.75"));
    DebitInput typed = land(kOutside, "Vanzare", 0, "B", "0.75");
    typed.amount = 150;
    ASSERT_EQ(debits().Modify(id, BuildDebit(typed)), Debits::Outcome::Done);
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAINI"), -150);
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAC"), -150);
    EXPECT_EQ(InputOf(*debits().Find(id)).amount, 150);
    EXPECT_EQ(cell("Debit", "IDDEB", id, "PENDATA"), "2024-05-01");
    EXPECT_EQ(cell("Debit", "IDDEB", id, "CAMP1"), "L1B");
    EXPECT_EQ(cell("Debit", "IDDEB", id, "VAL1"), "0.75");
    EXPECT_EQ(cell("Debit", "IDDEB", id, "CAMP2"), "");
}

TEST_F(DebitsTest, ModifyKeepsWhatWasCollected)
{
    struct Case {
        const char* what;
        int64_t initial, due;     // as stored when the dialog opened
        int64_t collectedMeanwhile;
        int64_t typed;
        const char* category;
        int64_t initial_, due_;
    };
    const std::vector<Case> cases = {
        {"200 of which 50 collected, to 300", 200, 150, 0, 300, "Majorare", 300, 250},
        {"200 uncollected, to 300", 200, 200, 0, 300, "Majorare", 300, 300},
        {"200, 80 collected elsewhere while open, to 300", 200, 200, 80, 300, "Majorare", 300, 220},
        {"200 of which 50 collected, to 100", 200, 150, 0, 100, "Taxa", 100, 50},
        {"increase turned into a reduction", 200, 200, 0, 200, "Reducere", -200, -200},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const int64_t id = add(debit(kBuildings, "Majorare", k.initial));
        db->exec("UPDATE Debit SET SUMAC = ? WHERE IDDEB = ?", {k.due - k.collectedMeanwhile, id});
        DebitInput typed = debit(kBuildings, k.category, k.typed);
        ASSERT_EQ(CheckDebit(typed), DebitProblem::None);
        ASSERT_EQ(debits().Modify(id, BuildDebit(typed)), Debits::Outcome::Done);
        EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAINI"), k.initial_);
        EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAC"), k.due_);
        EXPECT_EQ(cell("Debit", "IDDEB", id, "CATEG"), k.category);
    }
    EXPECT_EQ(debits().Modify(9999, BuildDebit(debit(kBuildings, "Taxa", 5))), Debits::Outcome::Missing);
}

TEST_F(DebitsTest, DeleteRefusesOnlyACollectedPositiveDebit)
{
    struct Case {
        const char* what;
        DebitInput in;
        int64_t collected;
        Debits::Outcome expected;
    };
    const std::vector<Case> cases = {
        {"positive, nothing collected", debit(kBuildings, "Majorare", 100), 0, Debits::Outcome::Done},
        {"positive, collected", debit(kBuildings, "Taxa", 100), 30, Debits::Outcome::Collected},
        {"negative, changed by a payment", debit(kBuildings, "Reducere", 100), 30, Debits::Outcome::Done},
        {"negative, untouched", land(kOutside, "Vanzare", 0, "A", "1"), 0, Debits::Outcome::Done},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const int64_t id = add(k.in);
        if (k.collected)
            db->exec("UPDATE Debit SET SUMAC = SUMAC - ? WHERE IDDEB = ?", {k.collected, id});
        EXPECT_EQ(debits().Delete(id), k.expected);
        EXPECT_EQ(debits().Find(id).has_value(), k.expected == Debits::Outcome::Collected);
    }
    EXPECT_EQ(debits().Delete(9999), Debits::Outcome::Missing);
}

TEST_F(DebitsTest, ExplanationsWithQuotesAndTheListOfTheTaxpayer)
{
    DebitInput quoted = debit(kBuildings, "Taxa", 10);
    quoted.explanation = "Act \"aditional\" nr. 2 / 'b'";
    const int64_t a = add(quoted);
    DebitInput early = debit(kBuildings, "Majorare", 20);
    early.date = QDate(2024, 2, 1);
    const int64_t b = add(early);
    const int64_t c = add(vehicle("Cumparare", 0, 1400, 0));
    debits().Add(99, BuildDebit(debit(kBuildings, "Taxa", 10)));
    EXPECT_EQ(debits().Find(a)->record.explanation, "Act \"aditional\" nr. 2 / 'b'");
    std::vector<int64_t> ids;
    for (const DebitRow& r : debits().List(owner.idgos))
        ids.push_back(r.iddeb);
    EXPECT_EQ(ids, (std::vector<int64_t>{b, a, c}));
}

// The rows of a table as dbfread (an independent reader) sees them: column -> text, per row.
std::vector<std::map<std::string, std::string>> readWithDbfread(const QString& path)
{
    std::string out;
    const std::string cmd = "/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py' '" + path.toStdString() + "'";
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        if (pclose(p) != 0)
            out.clear();
    }
    std::vector<std::string> fields;
    std::vector<std::map<std::string, std::string>> rows;
    const QStringList lines = QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList cells = line.split('\t');
        if (cells.size() >= 3 && cells[0] == "F")
            fields.push_back(cells[2].toStdString());
        else if (cells.size() >= 2 && cells[0] == "R") {
            std::map<std::string, std::string> row;
            for (size_t i = 0; i < fields.size() && int(i) + 2 < cells.size(); ++i)
                row[fields[i]] = cells[int(i) + 2].toStdString();
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

TEST_F(DebitsTest, TheFileAsAnotherReaderSeesIt)
{
    DebitInput sale = land(kOutside, "Vanzare", 9, "C", "12.3456");
    sale.explanation = "Act \"notarial\" 5/'24";
    sale.amount = 150;
    add(sale);
    add(vehicle("Cumparare", 4, 7000, 2));
    const auto rows = readWithDbfread(QDir(data).filePath("Debit.dbf"));
    ASSERT_EQ(rows.size(), 2u);
    const std::map<std::string, std::string> expectedSale = {
        {"IDDEB", "71"}, {"IDGOS", "17"}, {"GRUPA", "Impozit pe teren extravilan"},
        {"DOCJUS", "Act \"notarial\" 5/'24"}, {"NR", "4"}, {"CATEG", "Vanzare"},
        {"DENUM", "Teren cu apa, fara amenajari piscicole"}, {"DINDATA", "2024-03-15"}, {"PENDATA", "2024-05-01"},
        {"FISIER", "PAG1"}, {"CAMP1", "L10C"}, {"VAL1", "12.3456"}, {"CAMP2", ""}, {"VAL8", ""},
        {"SUMAINI", "-150"}, {"SUMAC", "-150"},
    };
    for (const auto& [column, value] : expectedSale)
        EXPECT_EQ(rows[0].at(column), value) << column;
    EXPECT_EQ(rows[1].at("CAMP1"), "ATB1");
    EXPECT_EQ(rows[1].at("VAL1"), "7000");
    EXPECT_EQ(rows[1].at("CAMP2"), "ATBNR1");
    EXPECT_EQ(rows[1].at("VAL2"), "2");
    EXPECT_EQ(rows[1].at("SUMAINI"), "120");
}

} // namespace

// Worked cases of the vehicle tax, each family with its band boundaries, computed by hand: the
// row named, its unit, quantity, amount (four decimals), discount and exempted lei. The vehicle
// pages are given as the columns of Pag5.dbf and Pag6.dbf, so the field-to-column mapping is
// checked too.
#include "assessment/vehicle_tax.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {

Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }

AssessmentSettings Rates()
{
    AssessmentSettings s;
    VehicleRates& v = s.vehicles;
    v.autoRate[23] = 8;   // up to 200 cmc
    v.autoRate[18] = 18;  // 1001 - 1200
    v.autoRate[1] = 72;   // 1201 - 1400
    v.autoRate[2] = 75;   // 1401 - 1600
    v.autoRate[9] = 150;  // 2801 - 3000
    v.autoRate[10] = 30;  // over 3000, per 200 cmc
    v.autoRate[11] = 12;  // other up to 12 t, per 200 cmc
    v.autoRate[12] = 25;  // buses, per 200 cmc
    v.autoRate[13] = 20;  // tractors, per 200 cmc
    v.autoRate[14] = 50;  // trailer up to 1 t
    v.autoRate[17] = D("75.5");
    v.heavy[0][0] = 100;  // G1A
    v.heavy[0][1] = 200;  // G1B
    v.train[23][1] = 1500; // GC24B
    v.vessel[0] = 21;     // APA1
    v.vessel[9] = 10;     // APA10, per 1000 tdw
    v.unregistered[0] = 3;
    v.unregistered[1] = 5;
    v.unregistered[2] = 100;
    return s;
}

struct VehicleCase {
    const char* name;
    std::vector<std::pair<const char*, int>> pag5; // column, value
    std::vector<std::pair<const char*, int>> pag6;
    const char* denum;
    const char* um;
    const char* quantity;
    const char* amount;   // four decimals, after the exemption
    const char* discount; // four decimals
    int64_t exempted = 0;
    const char* scauto = "0";
    PersonType person = PersonType::Fizica;
};

const TaxItem* Find(const std::vector<TaxItem>& items, const QString& denum)
{
    for (const TaxItem& i : items)
        if (i.denum == denum)
            return &i;
    return nullptr;
}

} // namespace

TEST(VehicleTax, EveryFamily)
{
    const std::vector<VehicleCase> cases = {
        // Bands: field AUTO23 lives in column AUTO16, AUTO18 in AUTO11; 2 x 8 = 16; 1.6 is not above 1.6
        {"smallest band", {{"AUTO16", 2}}, {}, "Autoturisme cap.cil. pana in  200 cmc", "buc", "2", "16", "1.6"},
        {"1001-1200", {{"AUTO11", 1}}, {}, "Autoturisme cap.cil. 1001 - 1200 cmc", "buc", "1", "18", "1.8"},
        {"1201-1400", {{"AUTO1", 3}}, {}, "Autoturisme cap.cil. 1201 - 1400 cmc", "buc", "3", "216", "21.6"},
        {"2801-3000", {{"AUTO9", 1}}, {}, "Autoturisme cap.cil. 2801 - 3000 cmc", "buc", "1", "150", "15"},
        // over 3000: 3001 / 200 = 15.005 -> 16 units x 30 = 480; 3000 -> 15 units = 450
        {"3001 cmc", {{"P30001", 3001}}, {}, "Autoturisme cap.cil.peste 3000cmc (1)", "200cmc", "16", "480", "48"},
        {"3000 cmc", {{"P30004", 3000}}, {}, "Autoturisme cap.cil.peste 3000cmc (4)", "200cmc", "15", "450", "45"},
        // other vehicles up to 12 t: 201 -> 2 units x 12 = 24; 200 -> 1 unit
        {"other, 201 cmc", {{"ALTE1", 201}}, {}, "Alte autovehicule pana in 12t (1)", "200cmc", "2", "24", "2.4"},
        {"other, 200 cmc", {{"ALTE12", 200}}, {}, "Alte autovehicule pana in 12t (12)", "200cmc", "1", "12", "1.2"},
        // tractor 1000 cmc x 2: 5 units x 20 x 2 = 200, quantity 2000 cmc
        {"tractors", {{"TRAC1", 1000}, {"TBUC1", 2}}, {}, "Tractoare inmatriculate 1", "cmc", "2000", "200", "20"},
        // a negative capacity counts as 0
        {"tractor, negative", {{"TRAC2", -500}, {"TBUC2", 2}}, {}, "Tractoare inmatriculate 2", "cmc", "0", "0", "0"},
        // bus 1001 cmc x 3: 6 units x 25 x 3 = 450, quantity 3003
        {"buses", {{"ATB3", 1001}, {"ATBNR3", 3}}, {}, "Autobuze,autocare,microbuze 3", "cmc", "3003", "450", "45"},
        // trailers: field AUTO14 lives in REM1
        {"trailer up to 1 t", {{"REM1", 2}}, {}, "Remorci, rulote max.1 t", "buc", "2", "100", "10"},
        // 75.5 x 10 % = 7.55: not above 7.55
        {"trailer over 5 t", {{"REM4", 1}}, {}, "Remorci, rulote >5 t", "buc", "1", "75.5", "7.55"},
        {"goods vehicle A", {{"G1A", 1}}, {}, "Vehicule 2 axe,12-13t,susp.pneum.", "buc", "1", "100", "10"},
        {"goods vehicle B", {{"G1B", 2}}, {}, "Vehicule 2 axe,12-13t,fara susp.pneum.", "buc", "2", "400", "40"},
        {"road train", {{"GC24B", 1}}, {}, "Vehicule 3+3 axe,peste 40t,fara susp.pneum.", "buc", "1", "1500", "150"},
        {"boats", {{"APA1", 2}}, {}, "Luntre,barca,scuter,uz personal", "buc", "2", "42", "4.2"},
        // 2500 tdw: three started thousands x 10 = 30; 3000 -> 3; 3001 -> 4
        {"ship 2500", {{"APA10", 2500}}, {}, "Vapoare", "tdw", "2500", "30", "3"},
        {"ship 3000", {{"APA10", 3000}}, {}, "Vapoare", "tdw", "3000", "30", "3"},
        {"ship 3001", {{"APA10", 3001}}, {}, "Vapoare", "tdw", "3001", "40", "4"},
        // unregistered: 1500 and 0 at 3 lei: 8 units = 24, one vehicle
        {"unregistered up to 4800", {}, {{"VN1", 1500}, {"VN2", 0}}, "Vehicule neinmatriculate pana la 4800 cmc", "buc",
         "1", "24", "2.4"},
        // 4801 -> 25 units x 5 = 125; 200 -> 1 unit: 130, two vehicles
        {"unregistered over 4800", {}, {{"VN6", 4801}, {"VN10", 200}}, "Vehicule neinmatriculate peste 4800 cmc", "buc",
         "2", "130", "13"},
        {"unregistered, unknown capacity", {}, {{"VN11", 2}}, "Auto neinmat. cu cap.cil.neevidentiabila", "buc", "2",
         "200", "20"},
        // SCAUTO 50 on 75.5: Trunc(37.75) = 37 exempted, 38.5 left; discount 3.85
        {"SCAUTO 50", {{"REM4", 1}}, {}, "Remorci, rulote >5 t", "buc", "1", "38.5", "3.85", 37, "50"},
        // SCAUTO 100: nothing left, not even the fraction
        {"SCAUTO 100", {{"REM4", 1}}, {}, "Remorci, rulote >5 t", "buc", "1", "0", "0", 75, "100"},
        {"legal person", {{"AUTO2", 1}}, {}, "Autoturisme cap.cil. 1401 - 1600 cmc", "buc", "1", "75", "0", 0, "0",
         PersonType::Juridica},
    };
    for (const VehicleCase& c : cases) {
        PageRow pag5, pag6;
        for (const auto& [column, value] : c.pag5)
            pag5.set(column, Decimal(value));
        for (const auto& [column, value] : c.pag6)
            pag6.set(column, Decimal(value));
        TaxpayerTerms terms;
        terms.person = c.person;
        terms.exemptions.vehicles = D(c.scauto);
        const std::vector<TaxItem> items = VehicleItems(VehiclePages::FromRows(pag5, pag6), terms, Rates());
        const TaxItem* item = Find(items, c.denum);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->grupa, "Impozit pe mijloace de transport") << c.name;
        EXPECT_EQ(item->um, c.um) << c.name;
        EXPECT_EQ(item->quantity, D(c.quantity)) << c.name;
        EXPECT_EQ(item->amount, D(c.amount)) << c.name;
        EXPECT_EQ(item->discount, D(c.discount)) << c.name;
        EXPECT_EQ(item->exempted, c.exempted) << c.name;
        EXPECT_EQ(item->exemption, ExemptionGroup::Vehicles) << c.name;
        // Every other row of the page is empty.
        for (const TaxItem& other : items)
            if (&other != item)
                EXPECT_EQ(other.amount, Decimal()) << c.name << ": " << other.denum.toStdString();
    }
}

TEST(VehicleTax, RowsInTheOrderTheyAreWritten)
{
    const std::vector<TaxItem> items = VehicleItems(VehiclePages(), TaxpayerTerms(), Rates());
    // 9 + 4 + 6 bands and trailers, 4 + 12 + 4 + 4 per capacity, 30 + 48 axle rows, 13 vessels, 3 unregistered
    ASSERT_EQ(items.size(), 137u);
    EXPECT_EQ(items[0].denum, "Autoturisme cap.cil. 1201 - 1400 cmc");
    EXPECT_EQ(items[8].denum, "Autoturisme cap.cil. 2801 - 3000 cmc");
    EXPECT_EQ(items[9].denum, "Remorci, rulote max.1 t");
    EXPECT_EQ(items[13].denum, "Autoturisme cap.cil. 1001 - 1200 cmc");
    EXPECT_EQ(items[18].denum, "Autoturisme cap.cil. pana in  200 cmc");
    EXPECT_EQ(items[19].denum, "Autoturisme cap.cil.peste 3000cmc (1)");
    EXPECT_EQ(items[23].denum, "Alte autovehicule pana in 12t (1)");
    EXPECT_EQ(items[35].denum, "Tractoare inmatriculate 1");
    EXPECT_EQ(items[39].denum, "Autobuze,autocare,microbuze 1");
    EXPECT_EQ(items[43].denum, "Vehicule 2 axe,12-13t,susp.pneum.");
    EXPECT_EQ(items[44].denum, "Vehicule 2 axe,12-13t,fara susp.pneum.");
    EXPECT_EQ(items[73].denum, "Vehicule 2+1 axe,12-14t,susp.pneum.");
    EXPECT_EQ(items[121].denum, "Luntre,barca,scuter,uz personal");
    EXPECT_EQ(items[134].denum, "Vehicule neinmatriculate pana la 4800 cmc");
    EXPECT_EQ(items[136].denum, "Auto neinmat. cu cap.cil.neevidentiabila");
    // Every name fits DENUM CHAR(50).
    for (const TaxItem& i : items)
        EXPECT_LE(i.denum.size(), 50) << i.denum.toStdString();
}

TEST(VehicleTax, UnitsOf200)
{
    const std::pair<int64_t, int64_t> cases[] = {{0, 0}, {1, 1}, {200, 1}, {201, 2}, {1000, 5}, {3001, 16}, {-5, 0}};
    for (const auto& [capacity, units] : cases)
        EXPECT_EQ(UnitsOf200(capacity), units) << capacity;
}

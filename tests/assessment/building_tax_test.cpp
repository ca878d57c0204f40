// Worked cases of the building tax, each computed by hand from the rules of the tax (the
// arithmetic is written beside the case). Fiscal year 2024; council rates at their defaults
// (residential 0.1 %, non-residential 0.4 %) unless a case changes them.
#include "assessment/building_tax.h"

#include "core/admin_values.h"
#include "db/catalog.h"
#include "platform/storage/storage.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {

Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }

// The reference house: 100 m2 of concrete with every utility, zone A, rank 0, not in a block,
// finished in 2004 (20 years old), entered long ago.
BuildingRow House()
{
    BuildingRow r;
    r.TIPC = "R";
    r.SUPRAFD = 100;
    r.CODMAT = 0;
    r.CUUTIL = "DA";
    r.DESTINATIE = 1;
    r.ZONA = "A";
    r.RANG = 0;
    r.APT8 = "NU";
    r.ANUL = 2004;
    r.DATAEVAL = QDate(2000, 1, 1);
    r.DATAIN = QDate(2015, 3, 1);
    return r;
}

// A valued non-residential building.
BuildingRow Shop(const char* value, QDate valued)
{
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = D(value);
    r.DATAEVAL = valued;
    return r;
}

// A legal person's residential building as the dialog stores it.
BuildingRow Flat(const char* value, QDate valued)
{
    BuildingRow r;
    r.TIPC = "R";
    r.VALOAREJR = D(value);
    r.DATAEVAL = valued;
    r.ANUL = 1500;
    r.SUPRAFD = 0;
    r.DATAIN = QDate(2010, 1, 1);
    return r;
}

struct Case {
    const char* name;
    PersonType person;
    std::function<BuildingRow()> row;
    std::function<void(BuildingTaxSettings&)> settings;
    const char* value;   // taxable value, two decimals
    const char* tax;     // tax, four decimals, before rounding
    int64_t lei;         // tax in whole lei
    const char* rate;    // rate applied, percent
    bool expired = false;
};

void none(BuildingTaxSettings&) {}

template <typename F> std::function<BuildingRow()> houseWith(F change)
{
    return [change] {
        BuildingRow r = House();
        change(r);
        return r;
    };
}

const PersonType F = PersonType::Fizica;
const PersonType J = PersonType::Juridica;

std::vector<Case> Cases()
{
    return {
        // ---- Residential, natural person: V = area x value/m2 x (1 + I/100) x zone x age; T = V x 0.1 / 100
        // 100 x 1000 x 1 x 2.60 x 1 = 260000; 260000 x 0.1 / 100 = 260
        {"house", F, House, none, "260000.00", "260", 260, "0.1"},
        // an empty use is residential, an empty zone is A: as above
        {"empty use and zone", F, houseWith([](BuildingRow& r) { r.TIPC = ""; r.ZONA = ""; }), none, "260000.00", "260", 260, "0.1"},
        // finished 1904, 120 years: 100 x 1000 x 2.60 x 0.5 = 130000; T = 130
        {"120 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1904; }), none, "130000.00", "130", 130, "0.1"},
        // 1924, exactly 100 years: factor 0.5 -> 130000; T = 130
        {"100 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1924; }), none, "130000.00", "130", 130, "0.1"},
        // 1925, 99 years: factor 0.7 -> 100 x 1000 x 2.60 x 0.7 = 182000; T = 182
        {"99 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1925; }), none, "182000.00", "182", 182, "0.1"},
        // 1974, exactly 50 years: 0.7 -> 182000; T = 182
        {"50 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1974; }), none, "182000.00", "182", 182, "0.1"},
        // 1975, 49 years: 0.9 -> 100 x 1000 x 2.60 x 0.9 = 234000; T = 234
        {"49 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1975; }), none, "234000.00", "234", 234, "0.1"},
        // 1994, exactly 30 years: 0.9 -> 234000
        {"30 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1994; }), none, "234000.00", "234", 234, "0.1"},
        // 1995, 29 years: 1 -> 260000
        {"29 years old", F, houseWith([](BuildingRow& r) { r.ANUL = 1995; }), none, "260000.00", "260", 260, "0.1"},
        // year unknown (0): factor 1 -> 260000
        {"year 0", F, houseWith([](BuildingRow& r) { r.ANUL = 0; }), none, "260000.00", "260", 260, "0.1"},
        // in a block: 2.60 - 0.10 = 2.50 -> 100 x 1000 x 2.50 = 250000; T = 250
        {"block", F, houseWith([](BuildingRow& r) { r.APT8 = "DA"; }), none, "250000.00", "250", 250, "0.1"},
        // inhabited attic (3): 1000 x 0.75 = 750 -> 100 x 750 x 2.60 = 195000; T = 195
        {"inhabited attic", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 3; }), none, "195000.00", "195", 195, "0.1"},
        // uninhabited attic (4): 1000 x 0.5 = 500 -> 100 x 500 x 2.60 = 130000; T = 130
        {"uninhabited attic", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 4; }), none, "130000.00", "130", 130, "0.1"},
        // basement (4) of wood without utilities: 200 x 0.5 = 100; zone B rank I 2.40 -> 100 x 100 x 2.40 = 24000; T = 24
        {"uninhabited wooden basement", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 4; r.CODMAT = 1; r.CUUTIL = "NU"; r.ZONA = "B"; r.RANG = 1; }), none, "24000.00", "24", 24, "0.1"},
        // annex of concrete without utilities: 175; zone C rank IV 1.00 -> 40 x 175 x 1.00 = 7000; T = 7
        {"annex concrete", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 2; r.CUUTIL = "NU"; r.SUPRAFD = 40; r.ZONA = "C"; r.RANG = 4; }), none, "7000.00", "7", 7, "0.1"},
        // annex of concrete with utilities: 200; zone A rank 0 2.60 -> 10 x 200 x 2.60 = 5200; T = 5.2 -> 5
        {"annex concrete utilities", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 2; r.SUPRAFD = 10; }), none, "5200.00", "5.2", 5, "0.1"},
        // annex of wood with utilities: 125; zone D rank V 0.90 -> 20 x 125 x 0.90 = 2250; T = 2.25 -> 2
        {"annex wood utilities", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 2; r.CODMAT = 1; r.SUPRAFD = 20; r.ZONA = "D"; r.RANG = 5; }), none, "2250.00", "2.25", 2, "0.1"},
        // annex of wood without utilities: 75; zone B rank II 2.30; 1960 (64 years) 0.7
        // -> 80 x 75 x 2.30 x 0.7 = 9660; T = 9.66 -> 10
        {"annex wood old", F, houseWith([](BuildingRow& r) { r.DESTINATIE = 2; r.CODMAT = 1; r.CUUTIL = "NU"; r.SUPRAFD = 80; r.ZONA = "B"; r.RANG = 2; r.ANUL = 1960; }), none, "9660.00", "9.66", 10, "0.1"},
        // wood with utilities: 300; zone C rank III 2.10 -> 30 x 300 x 2.10 = 18900; T = 18.9 -> 19
        {"wood utilities", F, houseWith([](BuildingRow& r) { r.CODMAT = 1; r.SUPRAFD = 30; r.ZONA = "C"; r.RANG = 3; }), none, "18900.00", "18.9", 19, "0.1"},
        // concrete without utilities: 600; zone D rank III 2.00, block 1.90; 1990 (34 years) 0.9
        // -> 55.55 x 600 = 33330; x 1.90 = 63327; x 0.9 = 56994.3; T = 56.9943 -> 57
        {"concrete block old", F, houseWith([](BuildingRow& r) { r.CUUTIL = "NU"; r.SUPRAFD = D("55.55"); r.ZONA = "D"; r.RANG = 3; r.APT8 = "DA"; r.ANUL = 1990; }), none, "56994.30", "56.9943", 57, "0.1"},
        // zone C rank I 2.30, concrete without utilities: 10 x 600 x 2.30 = 13800; T = 13.8 -> 14
        {"zone C rank I", F, houseWith([](BuildingRow& r) { r.CUUTIL = "NU"; r.SUPRAFD = 10; r.ZONA = "C"; r.RANG = 1; }), none, "13800.00", "13.8", 14, "0.1"},
        // zone B rank IV 1.05, rate 0.2: 100 x 1000 x 1.05 = 105000; T = 105000 x 0.2 / 100 = 210
        {"zone B rank IV rate 0.2", F, houseWith([](BuildingRow& r) { r.ZONA = "B"; r.RANG = 4; }), [](BuildingTaxSettings& s) { s.cotaCRPF = D("0.2"); }, "105000.00", "210", 210, "0.2"},
        // half a leu: wood without utilities 200, zone B rank V 1.00: 12.5 x 200 x 1.00 = 2500;
        // T = 2500 x 0.1 / 100 = 2.5 -> 3 (away from zero, not to even)
        {"half leu up", F, houseWith([](BuildingRow& r) { r.CODMAT = 1; r.CUUTIL = "NU"; r.SUPRAFD = D("12.5"); r.ZONA = "B"; r.RANG = 5; }), none, "2500.00", "2.5", 3, "0.1"},
        // indexing on: I = 13.8 -> 100 x 1000 x 1.138 x 2.60 = 295880; T = 295.88 -> 296
        {"indexed", F, House, [](BuildingTaxSettings& s) { s.rataInf = D("13.8"); s.indexResidentialFizica = true; }, "295880.00", "295.88", 296, "0.1"},
        // a rate is set but indexing is off for this kind: I = 0 -> 260000
        {"rate set, indexing off", F, House, [](BuildingTaxSettings& s) { s.rataInf = D("13.8"); s.indexNonResidentialFizica = true; s.indexJuridica = true; }, "260000.00", "260", 260, "0.1"},
        // entered in the fiscal year: V as usual, T = 0
        {"entered this year", F, houseWith([](BuildingRow& r) { r.DATAIN = QDate(2024, 1, 1); }), none, "260000.00", "0", 0, "0.1"},
        // entered after the fiscal year: T = 0 as well
        {"entered next year", F, houseWith([](BuildingRow& r) { r.DATAIN = QDate(2025, 2, 3); }), none, "260000.00", "0", 0, "0.1"},
        // entered on the last day of the previous year: taxed
        {"entered last day of previous year", F, houseWith([](BuildingRow& r) { r.DATAIN = QDate(2023, 12, 31); }), none, "260000.00", "260", 260, "0.1"},

        // ---- Residential, legal person: V = VALOAREJR x (1 + I/100); 5 % when the valuation expired
        // valued 01.01.2019 + 5 years = 01.01.2024, not before 01.01.2024: valid; 500000 x 0.1 / 100 = 500
        {"PJ residential valid on the boundary day", J, [] { return Flat("500000", QDate(2019, 1, 1)); }, none, "500000.00", "500", 500, "0.1"},
        // valued 31.12.2018: expired 31.12.2023; 500000 x 5 / 100 = 25000
        {"PJ residential expired by one day", J, [] { return Flat("500000", QDate(2018, 12, 31)); }, none, "500000.00", "25000", 25000, "5", true},
        // valuation every 3 years: 31.12.2020 expired 31.12.2023 -> 5 %: 80000 x 5 / 100 = 4000
        {"PJ residential 3 years expired", J, [] { return Flat("80000", QDate(2020, 12, 31)); }, [](BuildingTaxSettings& s) { s.evalPJAni = 3; }, "80000.00", "4000", 4000, "5", true},
        // 01.01.2021 + 3 years = 01.01.2024: valid; rate 0.15: 80000 x 0.15 / 100 = 120
        {"PJ residential 3 years valid", J, [] { return Flat("80000", QDate(2021, 1, 1)); }, [](BuildingTaxSettings& s) { s.evalPJAni = 3; s.cotaCRPJ = D("0.15"); }, "80000.00", "120", 120, "0.15"},
        // indexing on: 200000 x 1.138 = 227600; T = 227.6 -> 228
        {"PJ residential indexed", J, [] { return Flat("200000", QDate(2022, 5, 5)); }, [](BuildingTaxSettings& s) { s.rataInf = D("13.8"); s.indexJuridica = true; }, "227600.00", "227.6", 228, "0.1"},
        // a value ending in half a ban: 100.05 x 1.10 = 110.055 -> 110.06;
        // T = 110.055 x 0.1 / 100 = 0.110055 -> 0.1101, 0 lei
        {"PJ value rounds half away", J, [] { return Flat("100.05", QDate(2022, 5, 5)); }, [](BuildingTaxSettings& s) { s.rataInf = 10; s.indexJuridica = true; }, "110.06", "0.1101", 0, "0.1"},
        // never valued (no date): expired; 1000 x 5 / 100 = 50
        {"PJ residential no valuation date", J, [] { return Flat("1000", QDate()); }, none, "1000.00", "50", 50, "5", true},
        // in the fiscal year: T = 0
        {"PJ residential entered this year", J, [] { BuildingRow r = Flat("500000", QDate(2023, 6, 1)); r.DATAIN = QDate(2024, 6, 1); return r; }, none, "500000.00", "0", 0, "0.1"},

        // ---- Non-residential, natural person: V = VALOAREN x (1 + I/100), valid 60 months;
        //      expired: 2 % of the Art. 457 value; agricultural activity: 0.4 %
        // valued 10.05.2022: 300000 x 0.4 / 100 = 1200
        {"PF non-residential valued", F, [] { return Shop("300000", QDate(2022, 5, 10)); }, none, "300000.00", "1200", 1200, "0.4"},
        // council rate 1.0: 300000 x 1.0 / 100 = 3000
        {"PF non-residential rate 1", F, [] { return Shop("300000", QDate(2022, 5, 10)); }, [](BuildingTaxSettings& s) { s.cotaCNPF = 1; }, "300000.00", "3000", 3000, "1"},
        // agricultural activity: 0.4 % whatever the council rate: 300000 x 0.4 / 100 = 1200
        {"PF non-residential agricultural", F, [] { BuildingRow r = Shop("300000", QDate(2022, 5, 10)); r.ACTAGR = "DA"; return r; }, [](BuildingTaxSettings& s) { s.cotaCNPF = 1; }, "300000.00", "1200", 1200, "0.4"},
        // valued 01.01.2019 + 60 months = 01.01.2024: valid; 50000 x 0.4 / 100 = 200
        {"PF non-residential valid on the boundary day", F, [] { return Shop("50000", QDate(2019, 1, 1)); }, none, "50000.00", "200", 200, "0.4"},
        // valued 31.12.2018: expired; Art. 457 value of the house 260000 x 2 / 100 = 5200
        {"PF non-residential expired by one day", F, [] { return Shop("50000", QDate(2018, 12, 31)); }, none, "260000.00", "5200", 5200, "2", true},
        // valued 6 years before, agricultural: still 2 % of Art. 457: 150 x 1000 x 2.20 (B, III) = 330000; T = 6600
        {"PF non-residential 6 years, agricultural", F, [] { BuildingRow r = Shop("999999", QDate(2018, 3, 1)); r.ACTAGR = "DA"; r.SUPRAFD = 150; r.ZONA = "B"; r.RANG = 3; r.ANUL = 2010; return r; }, none, "330000.00", "6600", 6600, "2", true},
        // never valued (01.01.2000): 50 x 600 x 1.10 (A, IV) x 0.7 (1970) = 23100; T = 23100 x 2 / 100 = 462
        {"PF non-residential never valued", F, [] { BuildingRow r = Shop("0", QDate(2000, 1, 1)); r.SUPRAFD = 50; r.CUUTIL = "NU"; r.RANG = 4; r.ANUL = 1970; return r; }, none, "23100.00", "462", 462, "2", true},
        // expired, in a block: 100 x 1000 x 2.50 = 250000; T = 5000
        {"PF non-residential expired block", F, [] { BuildingRow r = Shop("1", QDate(2010, 1, 1)); r.APT8 = "DA"; return r; }, none, "250000.00", "5000", 5000, "2", true},
        // indexed, valued 2022: I = (1.051 x 1.138 - 1) x 100 = 19.6038;
        // 100000 x 1.196038 = 119603.80; T = 119603.8 x 0.4 / 100 = 478.4152 -> 478
        {"PF non-residential indexed 2022", F, [] { return Shop("100000", QDate(2022, 3, 1)); }, [](BuildingTaxSettings& s) { s.indexNonResidentialFizica = true; }, "119603.80", "478.4152", 478, "0.4"},
        // indexed, valued 2010 (expired): the five years 2020..2024,
        // 1.046 x 1.038 x 1.026 x 1.051 x 1.138 = 1.332359358951024 -> I = 33.2359 (four decimals);
        // Art. 457: 100 x 1000 x 1.332359 x 2.60 = 346413.34; T = 346413.34 x 2 / 100 = 6928.2668 -> 6928
        {"PF non-residential indexed 2010", F, [] { return Shop("100000", QDate(2010, 7, 1)); }, [](BuildingTaxSettings& s) { s.indexNonResidentialFizica = true; }, "346413.34", "6928.2668", 6928, "2", true},
        // indexing off: the residential flag does not index non-residential buildings
        {"PF non-residential not indexed", F, [] { return Shop("100000", QDate(2022, 3, 1)); }, [](BuildingTaxSettings& s) { s.rataInf = D("13.8"); s.indexResidentialFizica = true; }, "100000.00", "400", 400, "0.4"},
        // valued this year: no year to index; 100000 x 0.4 / 100 = 400
        {"PF non-residential valued this year, indexed", F, [] { return Shop("100000", QDate(2024, 1, 15)); }, [](BuildingTaxSettings& s) { s.indexNonResidentialFizica = true; }, "100000.00", "400", 400, "0.4"},
        // entered next year: T = 0
        {"PF non-residential entered next year", F, [] { BuildingRow r = Shop("300000", QDate(2022, 5, 10)); r.DATAIN = QDate(2025, 1, 1); return r; }, none, "300000.00", "0", 0, "0.4"},

        // ---- Non-residential, legal person: V = VALOAREN x (1 + I/100); expired 5 %; agricultural 0.4 %;
        //      T = V x R x (1 + MAJHCL/100)
        // 1000000 x 0.4 / 100 = 4000
        {"PJ non-residential valued", J, [] { return Shop("1000000", QDate(2021, 6, 30)); }, none, "1000000.00", "4000", 4000, "0.4"},
        // increase 10 %: 4000 x 1.10 = 4400
        {"PJ non-residential increase", J, [] { return Shop("1000000", QDate(2021, 6, 30)); }, [](BuildingTaxSettings& s) { s.majHCL = 10; }, "1000000.00", "4400", 4400, "0.4"},
        // expired (31.12.2018 + 5 years = 31.12.2023): 1000000 x 5 / 100 = 50000; x 1.10 = 55000
        {"PJ non-residential expired with increase", J, [] { return Shop("1000000", QDate(2018, 12, 31)); }, [](BuildingTaxSettings& s) { s.majHCL = 10; }, "1000000.00", "55000", 55000, "5", true},
        // 01.01.2019 + 5 years = 01.01.2024: valid -> 4000
        {"PJ non-residential valid on the boundary day", J, [] { return Shop("1000000", QDate(2019, 1, 1)); }, none, "1000000.00", "4000", 4000, "0.4"},
        // council rate 1.3: 1000000 x 1.3 / 100 = 13000
        {"PJ non-residential rate 1.3", J, [] { return Shop("1000000", QDate(2021, 6, 30)); }, [](BuildingTaxSettings& s) { s.cotaCNPJ = D("1.3"); }, "1000000.00", "13000", 13000, "1.3"},
        // agricultural: 0.4 % instead of 1.3 %: 4000
        {"PJ non-residential agricultural", J, [] { BuildingRow r = Shop("1000000", QDate(2021, 6, 30)); r.ACTAGR = "DA"; return r; }, [](BuildingTaxSettings& s) { s.cotaCNPJ = D("1.3"); }, "1000000.00", "4000", 4000, "0.4"},
        // agricultural but expired: 5 % -> 50000
        {"PJ non-residential agricultural expired", J, [] { BuildingRow r = Shop("1000000", QDate(2017, 6, 30)); r.ACTAGR = "DA"; return r; }, none, "1000000.00", "50000", 50000, "5", true},
        // valuation every 3 years: 31.12.2020 -> 31.12.2023 expired: 200000 x 5 / 100 = 10000
        {"PJ non-residential 3 years expired", J, [] { return Shop("200000", QDate(2020, 12, 31)); }, [](BuildingTaxSettings& s) { s.evalPJAni = 3; }, "200000.00", "10000", 10000, "5", true},
        // indexed, valued 2023: I = 13.8; 1000000 x 1.138 = 1138000; x 0.4 / 100 = 4552; x 1.125 = 5121
        {"PJ non-residential indexed with increase", J, [] { return Shop("1000000", QDate(2023, 5, 5)); }, [](BuildingTaxSettings& s) { s.indexJuridica = true; s.majHCL = D("12.5"); }, "1138000.00", "5121", 5121, "0.4"},
        // half a leu from the increase: 125000 x 0.4 / 100 = 500; x 1.001 = 500.5 -> 501
        {"PJ increase half leu up", J, [] { return Shop("125000", QDate(2023, 5, 5)); }, [](BuildingTaxSettings& s) { s.majHCL = D("0.1"); }, "125000.00", "500.5", 501, "0.4"},
        // entered this year, with increase: T = 0
        {"PJ non-residential entered this year", J, [] { BuildingRow r = Shop("1000000", QDate(2021, 6, 30)); r.DATAIN = QDate(2024, 12, 31); return r; }, [](BuildingTaxSettings& s) { s.majHCL = 10; }, "1000000.00", "0", 0, "0.4"},

        // ---- Any other use: nothing
        {"mixed code", F, houseWith([](BuildingRow& r) { r.TIPC = "M"; }), none, "0.00", "0", 0, "0"},
        {"mixed code PJ", J, [] { BuildingRow r = Shop("1000", QDate(2023, 1, 1)); r.TIPC = "X"; return r; }, none, "0.00", "0", 0, "0"},
    };
}

} // namespace

TEST(BuildingTax, WorkedCases)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        BuildingTaxSettings s;
        c.settings(s);
        const BuildingTax t = ComputeBuildingTax(c.row(), c.person, s, 2024);
        EXPECT_EQ(t.taxableValue, D(c.value)) << t.taxableValue.toString();
        EXPECT_EQ(t.tax, D(c.tax)) << t.tax.toString();
        EXPECT_EQ(t.taxLei, c.lei);
        EXPECT_EQ(t.ratePercent, D(c.rate)) << t.ratePercent.toString();
        EXPECT_EQ(t.valuationExpired, c.expired);
    }
}

TEST(BuildingTax, EntryInTheFiscalYearOrLaterIsNotTaxed)
{
    // The same building entered on the first day, the last day and after the fiscal year.
    const BuildingTaxSettings s;
    for (const QDate& in : {QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2025, 1, 1), QDate(2031, 5, 5)}) {
        BuildingRow r = House();
        r.DATAIN = in;
        const BuildingTax t = ComputeBuildingTax(r, PersonType::Fizica, s, 2024);
        EXPECT_TRUE(t.enteredThisYear) << in.toString().toStdString();
        EXPECT_EQ(t.taxLei, 0);
    }
    BuildingRow r = House();
    r.DATAIN = QDate();
    EXPECT_EQ(ComputeBuildingTax(r, PersonType::Fizica, s, 2024).taxLei, 260) << "an entry without date counts as old";
}

TEST(BuildingTax, TheFiscalYearMovesAgeAndExpiry)
{
    // The same row assessed for 2025: 1925 is now 100 years old (0.5) and a valuation of
    // 01.01.2020 + 60 months = 01.01.2025 is still valid, 31.12.2019 is not.
    const BuildingTaxSettings s;
    BuildingRow r = House();
    r.ANUL = 1925;
    EXPECT_EQ(ComputeBuildingTax(r, PersonType::Fizica, s, 2025).taxableValue, D("130000"));
    EXPECT_FALSE(ComputeBuildingTax(Shop("1000", QDate(2020, 1, 1)), PersonType::Fizica, s, 2025).valuationExpired);
    EXPECT_TRUE(ComputeBuildingTax(Shop("1000", QDate(2019, 12, 31)), PersonType::Fizica, s, 2025).valuationExpired);
}

TEST(BuildingTax, CoefficientTables)
{
    struct Row {
        int dest, mat;
        const char* util;
        const char* value;
    };
    for (const Row& c : std::vector<Row>{{1, 0, "DA", "1000"}, {1, 0, "NU", "600"}, {1, 1, "DA", "300"},
                                         {1, 1, "NU", "200"}, {2, 0, "DA", "200"}, {2, 0, "NU", "175"},
                                         {2, 1, "DA", "125"}, {2, 1, "NU", "75"}, {3, 0, "DA", "750"},
                                         {3, 1, "NU", "150"}, {4, 0, "NU", "300"}, {4, 1, "DA", "150"}})
        EXPECT_EQ(ValuePerSquareMetre(c.dest, c.mat, c.util), D(c.value)) << c.dest << c.mat << c.util;

    const char* table[4][6] = {{"2.60", "2.50", "2.40", "2.30", "1.10", "1.05"},
                               {"2.50", "2.40", "2.30", "2.20", "1.05", "1.00"},
                               {"2.40", "2.30", "2.20", "2.10", "1.00", "0.95"},
                               {"2.30", "2.20", "2.10", "2.00", "0.95", "0.90"}};
    const QString zones = "ABCD";
    for (int z = 0; z < 4; ++z)
        for (int rank = 0; rank < 6; ++rank) {
            EXPECT_EQ(ZoneCoefficient(zones.mid(z, 1), rank, false), D(table[z][rank])) << z << rank;
            EXPECT_EQ(ZoneCoefficient(zones.mid(z, 1), rank, true), D(table[z][rank]) - D("0.1")) << z << rank;
        }
    EXPECT_EQ(ZoneCoefficient("", 3, false), D("2.30"));
}

TEST(BuildingTax, PersonTypeAndUse)
{
    EXPECT_EQ(PersonTypeOf("FIZICA"), PersonType::Fizica);
    EXPECT_EQ(PersonTypeOf("JURIDICA"), PersonType::Juridica);
    EXPECT_EQ(PersonTypeOf(""), PersonType::Juridica);
    EXPECT_EQ(PersonTypeOf("fizica"), PersonType::Juridica);
    EXPECT_EQ(BuildingUseOf(""), BuildingUse::Residential);
    EXPECT_EQ(BuildingUseOf("N"), BuildingUse::NonResidential);
    EXPECT_EQ(BuildingUseOf("M"), BuildingUse::Other);
}

TEST(BuildingTax, SettingsFromTheAdministratorStore)
{
    namespace n = core::admin_names;
    core::AdminValues v;
    // Design values: the defaults of the tax.
    BuildingTaxSettings s = BuildingTaxSettings::FromAdmin(v);
    EXPECT_EQ(s.cotaCRPF, D("0.1"));
    EXPECT_EQ(s.cotaCNPF, D("0.4"));
    EXPECT_EQ(s.evalPJAni, 5);
    EXPECT_FALSE(s.indexResidentialFizica);

    ASSERT_TRUE(v.setText(n::CotaCRPF, "0.15"));
    ASSERT_TRUE(v.setText(n::CotaCNPF, "1.2"));
    ASSERT_TRUE(v.setText(n::CotaCRPJ, "0.2"));
    ASSERT_TRUE(v.setText(n::CotaCNPJ, "1.3"));
    ASSERT_TRUE(v.setText(n::MajHCL, "12.5"));
    ASSERT_TRUE(v.setText(n::RataInfE, "13.8"));
    ASSERT_TRUE(v.setText(n::EvalPJAni, "3"));
    ASSERT_TRUE(v.setChecked(n::RataInfPFR, true));
    ASSERT_TRUE(v.setChecked(n::RataInfPJ, true));
    s = BuildingTaxSettings::FromAdmin(v);
    EXPECT_EQ(s.cotaCRPF, D("0.15"));
    EXPECT_EQ(s.cotaCNPF, D("1.2"));
    EXPECT_EQ(s.cotaCRPJ, D("0.2"));
    EXPECT_EQ(s.cotaCNPJ, D("1.3"));
    EXPECT_EQ(s.majHCL, D("12.5"));
    EXPECT_EQ(s.rataInf, D("13.8"));
    EXPECT_EQ(s.evalPJAni, 3);
    EXPECT_TRUE(s.indexResidentialFizica);
    EXPECT_FALSE(s.indexNonResidentialFizica);
    EXPECT_TRUE(s.indexJuridica);

    // A text that is no number keeps the default.
    ASSERT_TRUE(v.setText(n::CotaCRPF, "abc"));
    EXPECT_EQ(BuildingTaxSettings::FromAdmin(v).cotaCRPF, D("0.1"));
}

TEST(BuildingTax, RowReadFromPag2)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    storage::Database db(dir.path().toStdString());
    db.createTable("Pag2", db::Table("Pag2.dbf").fields);
    db.exec("INSERT INTO Pag2 (IDGOS, IDCLAD, ADRESA, IDMANUAL, MIXTA, APT8, TIPC, ACTAGR, DATAEVAL, VALOAREN, "
            "DESTINATIE, ZONA, RANG, SUPRAFD, ANUL, CODMAT, CUUTIL, VALOAREJR, DATADOB, DATAIN, OBSIN, DATAVANZ, "
            "DATAOUT, OBSOUT) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
            {7, 12, "Str. Lunga 3", 12, "", "DA", "N", "DA", "2022-03-01", 100000.5, 3, "B", 2, 55.55, 1990, 1, "DA",
             0, "2023-01-01", "2023-02-01", "CV 12", "1900-01-01", "1900-01-01", ""});
    const storage::ResultSet rs = db.query("SELECT * FROM Pag2");
    ASSERT_EQ(rs.size(), 1u);
    const BuildingRow r = BuildingRowFromResult(rs, 0);
    EXPECT_EQ(r.IDGOS, 7);
    EXPECT_EQ(r.IDCLAD, 12);
    EXPECT_EQ(r.ADRESA, "Str. Lunga 3");
    EXPECT_EQ(r.APT8, "DA");
    EXPECT_EQ(r.TIPC, "N");
    EXPECT_EQ(r.ACTAGR, "DA");
    EXPECT_EQ(r.DATAEVAL, QDate(2022, 3, 1));
    EXPECT_EQ(r.VALOAREN, D("100000.5"));
    EXPECT_EQ(r.DESTINATIE, 3);
    EXPECT_EQ(r.ZONA, "B");
    EXPECT_EQ(r.RANG, 2);
    EXPECT_EQ(r.SUPRAFD, D("55.55"));
    EXPECT_EQ(r.ANUL, 1990);
    EXPECT_EQ(r.CODMAT, 1);
    EXPECT_EQ(r.CUUTIL, "DA");
    EXPECT_EQ(r.VALOAREJR, D("0"));
    EXPECT_EQ(r.DATAIN, QDate(2023, 2, 1));
    EXPECT_EQ(r.OBSIN, "CV 12");
    EXPECT_EQ(r.DATAOUT, QDate(1900, 1, 1));
}

// Worked cases of the land tax, outside and inside the built-up area, each computed by hand (the
// arithmetic beside the case): amounts, exemptions, discounts and quantities of the debt rows.
#include "assessment/land_tax.h"

#include "assessment/asset_labels.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {

Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }

// The design rates of the extravilan matrix (arable: 40 37 35 30 30) and a few council rates
// inside the built-up area.
AssessmentSettings Rates()
{
    AssessmentSettings s;
    const int arable[5] = {40, 37, 35, 30, 30};
    for (int x = 0; x < 5; ++x)
        s.land.outside[0][x] = arable[x];
    s.land.outside[1][0] = 25;        // pasture, column A
    s.land.outside[6][3] = 6;         // forest, column D
    s.land.yards[0] = D("0.35");
    s.land.yards[1] = D("0.5");
    s.land.inside[0][1] = 30;         // arable, column 2
    s.land.inside[7][5] = D("12.5");  // water, column 6
    return s;
}

struct Cell {
    int row;    // category (1-based)
    int column; // 1-based
    const char* area;
};

struct LandCase {
    const char* name;
    std::vector<Cell> cells;
    PersonType person = PersonType::Fizica;
    bool reducereJuridice = false;
    const char* exemption = "0";  // SCTE / SCCC / SCTI
    const char* discountPercent = "10";
    int row;                      // the row checked (1-based category; 0 = yards inside)
    int64_t amount;
    int64_t exempted;
    int64_t discount;
    int64_t percent;
    const char* quantity;
};

} // namespace

TEST(LandTax, OutsideTheBuiltUpArea)
{
    const std::vector<LandCase> cases = {
        // 1.2345 x 40 = 49.3800 -> 49; discount 4.9 -> 5 > 4.9 -> 4
        {"arable, column A", {{1, 1, "1.2345"}}, PersonType::Fizica, false, "0", "10", 1, 49, 0, 4, 10, "1.2345"},
        // 0.5 x 25 = 12.5 -> 13 (ties away from zero); 1.3 -> 1
        {"half a hectare of pasture", {{2, 1, "0.5"}}, PersonType::Fizica, false, "0", "10", 2, 13, 0, 1, 10, "0.5"},
        // 13 less Trunc(6.5) = 6 -> 7; 0.7 -> 1 > 0.7 -> 0
        {"SCTE 50", {{2, 1, "0.5"}}, PersonType::Fizica, false, "50", "10", 2, 7, 6, 0, 10, "0.5"},
        // 49 less Trunc(14.7) = 14 -> 35; 3.5 -> 4 > 3.5 -> 3
        {"SCTE 30", {{1, 1, "1.2345"}}, PersonType::Fizica, false, "30", "10", 1, 35, 14, 3, 10, "1.2345"},
        // everything exempted: 49 -> 0, no discount
        {"SCTE 100", {{1, 1, "1.2345"}}, PersonType::Fizica, false, "100", "10", 1, 0, 49, 0, 10, "1.2345"},
        // a legal person without REDUCERE_JURIDICE: no discount, percentage 0
        {"legal person", {{1, 1, "1.2345"}}, PersonType::Juridica, false, "0", "10", 1, 49, 0, 0, 0, "1.2345"},
        {"legal person, REDUCERE_JURIDICE", {{1, 1, "1.2345"}}, PersonType::Juridica, true, "0", "10", 1, 49, 0, 4, 10,
         "1.2345"},
        // 1 x 40 + 2 x 35 + 0.3333 x 30 = 40 + 70 + 9.999 = 119.999 -> 120; 12 is not above 12
        {"three columns", {{1, 1, "1"}, {1, 3, "2"}, {1, 5, "0.3333"}}, PersonType::Fizica, false, "0", "10", 1, 120,
         0, 12, 10, "3.3333"},
        // 49 at 5 %: 2.45 -> 2
        {"ERED 5", {{1, 1, "1.2345"}}, PersonType::Fizica, false, "0", "5", 1, 49, 0, 2, 5, "1.2345"},
        // 2.3456 x 6 = 14.0736 -> 14; 1.4 -> 1
        {"forest, column D", {{7, 4, "2.3456"}}, PersonType::Fizica, false, "0", "10", 7, 14, 0, 1, 10, "2.3456"},
        // an area at a rate of 0 (vineyard before bearing) and a category without area
        {"no tax", {{4, 1, "3"}}, PersonType::Fizica, false, "0", "10", 4, 0, 0, 0, 10, "3"},
        {"no area", {}, PersonType::Fizica, false, "0", "10", 3, 0, 0, 0, 10, "0"},
    };
    for (const LandCase& c : cases) {
        AssessmentSettings s = Rates();
        s.reducereJuridice = c.reducereJuridice;
        s.ered = D(c.discountPercent);
        OutsideLand land;
        for (const Cell& cell : c.cells)
            land.area[cell.row - 1][cell.column - 1] = D(cell.area);
        TaxpayerTerms terms;
        terms.person = c.person;
        terms.exemptions.outside = D(c.exemption);
        const std::vector<TaxItem> items = OutsideLandItems(land, terms, s);
        ASSERT_EQ(items.size(), 11u);
        const TaxItem& item = items[size_t(c.row - 1)];
        EXPECT_EQ(item.amountLei(), c.amount) << c.name;
        EXPECT_EQ(item.exempted, c.exempted) << c.name;
        EXPECT_EQ(item.discountLei(), c.discount) << c.name;
        EXPECT_EQ(item.discountPercentLei(), c.percent) << c.name;
        EXPECT_EQ(item.quantity, D(c.quantity)) << c.name;
        EXPECT_EQ(item.grupa, "Impozit pe teren extravilan") << c.name;
        EXPECT_EQ(item.um, "ha") << c.name;
        EXPECT_EQ(item.exemption, ExemptionGroup::LandOutside) << c.name;
    }
}

TEST(LandTax, OutsideRowsAreNamedAfterTheirCategories)
{
    const std::vector<TaxItem> items = OutsideLandItems(OutsideLand(), TaxpayerTerms(), Rates());
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0].denum, "Teren arabil");
    EXPECT_EQ(items[6].denum, "Fond forestier sau alt teren");
    EXPECT_EQ(items[10].denum, "Teren cu amenajari piscicole");
}

TEST(LandTax, InsideTheBuiltUpArea)
{
    const std::vector<LandCase> cases = {
        // yards: 350 m2 x 0.35 = 122.5 -> 123; 12.3 -> 12
        {"yards", {{0, 1, "350"}}, PersonType::Fizica, false, "0", "10", 0, 123, 0, 12, 10, "350"},
        // 100 x 0.35 + 250.5 x 0.5 = 35 + 125.25 = 160.25 -> 160; 16 is not above 16
        {"yards in two columns", {{0, 1, "100"}, {0, 2, "250.5"}}, PersonType::Fizica, false, "0", "10", 0, 160, 0,
         16, 10, "350.5"},
        // SCCC 50: 123 less Trunc(61.5) = 61 -> 62; 6.2 -> 6
        {"yards, SCCC 50", {{0, 1, "350"}}, PersonType::Fizica, false, "50", "10", 0, 62, 61, 6, 10, "350"},
        // arable, column 2: 0.75 x 30 = 22.5 -> 23; SCTI 30: Trunc(6.9) = 6 -> 17; 1.7 -> 2 > 1.7 -> 1
        {"arable, SCTI 30", {{1, 2, "0.75"}}, PersonType::Fizica, false, "30", "10", 1, 17, 6, 1, 10, "0.75"},
        // water, column 6: 1.1 x 12.5 = 13.75 -> 14; 1.4 -> 1
        {"water", {{8, 6, "1.1"}}, PersonType::Fizica, false, "0", "10", 8, 14, 0, 1, 10, "1.1"},
        {"yards, legal person", {{0, 1, "350"}}, PersonType::Juridica, false, "0", "10", 0, 123, 0, 0, 0, "350"},
        // IIRED 20: 24.6 -> 25 > 12.3 -> 24
        {"yards, IIRED 20", {{0, 1, "350"}}, PersonType::Fizica, false, "0", "20", 0, 123, 0, 24, 20, "350"},
    };
    for (const LandCase& c : cases) {
        AssessmentSettings s = Rates();
        s.reducereJuridice = c.reducereJuridice;
        s.iired = D(c.discountPercent);
        InsideLand land;
        for (const Cell& cell : c.cells) {
            if (cell.row == 0)
                land.yards[cell.column - 1] = D(cell.area);
            else
                land.area[cell.row - 1][cell.column - 1] = D(cell.area);
        }
        TaxpayerTerms terms;
        terms.person = c.person;
        // Each exemption belongs to its rows only: the other one is set high to show it is not used.
        if (c.row == 0) {
            terms.exemptions.yards = D(c.exemption);
            terms.exemptions.inside = D("100");
        } else {
            terms.exemptions.inside = D(c.exemption);
            terms.exemptions.yards = D("100");
        }
        const std::vector<TaxItem> items = InsideLandItems(land, terms, s);
        ASSERT_EQ(items.size(), 9u);
        const TaxItem& item = items[size_t(c.row)];
        EXPECT_EQ(item.amountLei(), c.amount) << c.name;
        EXPECT_EQ(item.exempted, c.exempted) << c.name;
        EXPECT_EQ(item.discountLei(), c.discount) << c.name;
        EXPECT_EQ(item.discountPercentLei(), c.percent) << c.name;
        EXPECT_EQ(item.quantity, D(c.quantity)) << c.name;
        EXPECT_EQ(item.grupa, "Impozit pe teren intravilan") << c.name;
        EXPECT_EQ(item.um, c.row == 0 ? "mp" : "ha") << c.name;
        EXPECT_EQ(item.exemption, c.row == 0 ? ExemptionGroup::Yards : ExemptionGroup::LandInside) << c.name;
    }
    const std::vector<TaxItem> items = InsideLandItems(InsideLand(), TaxpayerTerms(), Rates());
    EXPECT_EQ(items[0].denum, "Curti cu constructii");
    EXPECT_EQ(items[1].denum, "Teren arabil");
    EXPECT_EQ(items[8].denum, "Teren cu ape");
}

TEST(LandTax, PageRowsAreReadByColumn)
{
    PageRow pag1;
    pag1.set("L7D", D("2.3456"));
    pag1.set("l11e", D("1"));
    const OutsideLand out = OutsideLand::FromRow(pag1);
    EXPECT_EQ(out.area[6][3], D("2.3456"));
    EXPECT_EQ(out.area[10][4], D("1"));
    EXPECT_EQ(out.area[0][0], D("0"));

    PageRow pag4;
    pag4.set("CCF", D("12"));
    pag4.set("AL8F", D("1.1"));
    pag4.set("AL1B", D("0.75"));
    const InsideLand in = InsideLand::FromRow(pag4);
    EXPECT_EQ(in.yards[5], D("12"));
    EXPECT_EQ(in.area[7][5], D("1.1"));
    EXPECT_EQ(in.area[0][1], D("0.75"));
}

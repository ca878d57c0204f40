// The texts a building row shows, and the exact decimals the tax is computed with.
#include "assessment/building_texts.h"
#include "assessment/exact_decimal.h"

#include <gtest/gtest.h>

using namespace lirma::assessment;
using lirma::base::Decimal;

TEST(BuildingTexts, ComputedColumns)
{
    EXPECT_EQ(UseText(""), "Rezidentiala");
    EXPECT_EQ(UseText("R"), "Rezidentiala");
    EXPECT_EQ(UseText("N"), "Nerezidentiala");
    EXPECT_EQ(UseText("M"), "Mixta");
    EXPECT_EQ(DestinationText(1), "Cladire");
    EXPECT_EQ(DestinationText(2), "Cladire-Anexa");
    EXPECT_EQ(DestinationText(3), "Mansarda loc.");
    EXPECT_EQ(DestinationText(4), "Mansarda neloc.");
    EXPECT_EQ(DestinationText(5), "");
    EXPECT_EQ(MaterialText(0, PersonType::Fizica), "beton...");
    EXPECT_EQ(MaterialText(1, PersonType::Fizica), "lemn...");
    EXPECT_EQ(MaterialText(0, PersonType::Juridica), "-");
    EXPECT_EQ(YearText(1978, PersonType::Fizica), "1978");
    EXPECT_EQ(YearText(1500, PersonType::Juridica), "-");
}

TEST(BuildingTexts, DatesShownOrDashed)
{
    // Valuation dates before 31.12.2018 (fiscal year 2024 - 6) and unreadable ones show "-".
    EXPECT_EQ(ValuationDateText(QDate(2018, 12, 30), 2024), "-");
    EXPECT_EQ(ValuationDateText(QDate(2018, 12, 31), 2024), "31.12.2018");
    EXPECT_EQ(ValuationDateText(QDate(2000, 1, 1), 2024), "-");
    EXPECT_EQ(ValuationDateText(QDate(), 2024), "-");
    // Out of the records after day 100 (09.04.1900); 01.01.1900 means still in them.
    EXPECT_FALSE(IsOutOfRecords(QDate(1900, 1, 1)));
    EXPECT_FALSE(IsOutOfRecords(QDate(1900, 4, 9)));
    EXPECT_TRUE(IsOutOfRecords(QDate(1900, 4, 10)));
    EXPECT_FALSE(IsOutOfRecords(QDate()));
    EXPECT_EQ(ExitDateText(QDate(1900, 1, 1)), "-");
    EXPECT_EQ(ExitDateText(QDate(2024, 3, 5)), "05.03.2024");
}

TEST(ExactDecimal, RoundsOnceHalfAwayFromZero)
{
    auto d = [](const char* t) { return ExactDecimal(*Decimal::parse(std::string_view(t))); };
    struct Case {
        ExactDecimal value;
        int places;
        const char* text;
    };
    const std::vector<Case> cases = {
        {d("0.005"), 2, "0.01"},
        {d("-0.005"), 2, "-0.01"},
        {d("0.0049"), 2, "0.00"},
        {d("2.5"), 0, "3"},
        {d("-2.5"), 0, "-3"},
        {d("1000"), 2, "1000.00"},
        // 1.051 x 1.138 keeps its six decimals: 1.196038
        {d("1.051") * d("1.138"), 4, "1.1960"},
        {(d("1.051") * d("1.138") - ExactDecimal(1)) * ExactDecimal(100), 4, "19.6038"},
        // 0.49995 rounded once is 0; rounding it first to four places (0.5) would give 1
        {d("0.9999") * d("0.5"), 0, "0"},
        {d("19.6038").onePlusPercent(), 4, "1.1960"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.text(c.places), c.text);
    EXPECT_EQ((d("0.9999") * d("0.5")).roundedLei(), 0);
    EXPECT_EQ((d("0.9999") * d("0.5")).rounded(4), Decimal::fromUnits(5000));
    EXPECT_EQ(d("19.6038").onePlusPercent() * ExactDecimal(100000), d("119603.8"));
}

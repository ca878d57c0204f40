// The rules every row of the yearly debts shares: exemption, the three discounts, who gets a
// discount, and the administrator values the assessment reads. Cases computed by hand.
#include "assessment/tax_items.h"

#include "core/admin_values.h"
#include "db/settings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {
Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }
} // namespace

TEST(TaxRules, ExemptionTruncatesTheExemptedLei)
{
    struct Case {
        const char* amount;
        const char* percent;
        int64_t lei;
        const char* rest;
    };
    const Case cases[] = {
        {"13", "50", 6, "7"},                 // 13 x 50 / 100 = 6.5 -> 6; 13 - 6 = 7
        {"49", "30", 14, "35"},               // 14.7 -> 14
        {"13.9999", "50", 6, "7.9999"},       // 6.99995: truncated exactly, not rounded to 7 first
        {"75.5", "50", 37, "38.5"},           // 37.75 -> 37
        {"75.5", "100", 75, "0"},             // all of it, the fraction too
        {"49", "150", 49, "0"},               // over 100 % exempts no more than the amount
        {"49", "0", 0, "49"},
        {"49", "-10", 0, "49"},               // a negative percentage exempts nothing
        {"0", "50", 0, "0"},
    };
    for (const Case& c : cases) {
        const Exempted e = ApplyExemption(D(c.amount), D(c.percent));
        EXPECT_EQ(e.lei, c.lei) << c.amount << " at " << c.percent;
        EXPECT_EQ(e.rest, D(c.rest)) << c.amount << " at " << c.percent;
    }
}

TEST(TaxRules, Discounts)
{
    struct Whole {
        int64_t amount;
        const char* percent;
        int64_t discount;
    };
    // Land and buildings: RoundHalfAway(amount x p / 100), lowered by 1 when above amount / 10.
    const Whole land[] = {
        {49, "10", 4},   // 4.9 -> 5 > 4.9 -> 4
        {13, "10", 1},   // 1.3 -> 1
        {7, "10", 0},    // 0.7 -> 1 > 0.7 -> 0
        {25, "10", 2},   // 2.5 -> 3 (tie away from zero) > 2.5 -> 2
        {260, "10", 26}, // exactly a tenth is not above it
        {49, "5", 2},    // 2.45 -> 2
        {0, "10", 0},
    };
    for (const Whole& c : land)
        EXPECT_EQ(WholeDiscount(c.amount, D(c.percent)), c.discount) << c.amount << " at " << c.percent;

    // Vehicles: four decimals, lowered by 1 leu when above a tenth.
    EXPECT_EQ(FourPlaceDiscount(D("75"), D("10")), D("7.5"));
    EXPECT_EQ(FourPlaceDiscount(D("38.5"), D("10")), D("3.85"));
    EXPECT_EQ(FourPlaceDiscount(D("100"), D("15")), D("14")); // 15 > 10 -> 14
    EXPECT_EQ(FourPlaceDiscount(D("0"), D("10")), D("0"));

    // Balances: RoundHalfAway(total x p / 100), replaced by Trunc(total / 10) when above it. A group
    // under 50 lei keeps its discount here: whether it is granted (BONIF50) is decided when the
    // balance is computed at the counter.
    const Whole balance[] = {
        {15, "10", 1},   // 1.5 -> 2 > 1.5 -> Trunc(1.5) = 1
        {49, "10", 4},   // 4.9 -> 5 > 4.9 -> 4
        {9, "10", 0},    // 0.9 -> 1 > 0.9 -> 0
        {100, "10", 10}, // 10 is not above 10
        {75, "10", 7},   // 7.5 -> 8 > 7.5 -> 7
        {0, "10", 0},
        {-30, "10", 0},  // a credit gets no discount
    };
    for (const Whole& c : balance)
        EXPECT_EQ(BalanceDiscount(c.amount, D(c.percent)), c.discount) << c.amount << " at " << c.percent;
}

TEST(TaxRules, WrittenAmountsRoundHalfAway)
{
    TaxItem item;
    item.amount = D("38.5");
    item.discount = D("7.5");
    item.discountPercent = D("10");
    EXPECT_EQ(item.amountLei(), 39);
    EXPECT_EQ(item.discountLei(), 8);
    item.amount = D("38.4999");
    EXPECT_EQ(item.amountLei(), 38);
}

TEST(TaxRules, OnlyLegalPersonsNeedTheOptionForADiscount)
{
    EXPECT_TRUE(DiscountGranted(PersonType::Fizica, false));
    EXPECT_TRUE(DiscountGranted(PersonType::Fizica, true));
    EXPECT_FALSE(DiscountGranted(PersonType::Juridica, false));
    EXPECT_TRUE(DiscountGranted(PersonType::Juridica, true));
}

TEST(TaxRules, SettingsFromTheAdministratorStoreAndTheSettingsFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    db::Settings settings = db::Settings::inFolders(dir.path(), dir.path());
    core::AdminValues values; // design values: the extravilan matrix, columns A I, B II ...

    AssessmentSettings s = AssessmentSettings::Load(values, settings);
    EXPECT_EQ(s.land.outside[0][0], Decimal(40)); // EC1ZA
    EXPECT_EQ(s.land.outside[7][4], Decimal(16)); // EC8ZE
    EXPECT_EQ(s.land.outsideHeadings[0], "A I");
    EXPECT_EQ(s.land.insideHeadings[2], "C III");
    EXPECT_EQ(s.ered, Decimal(10));
    EXPECT_EQ(s.redc, Decimal(10)); // REDC absent: its default
    EXPECT_FALSE(s.reducereJuridice);
    EXPECT_FALSE(s.faraMajorari);

    ASSERT_TRUE(values.setText("ICCB", "0.35"));
    ASSERT_TRUE(values.setText("IA82", "12.5"));
    ASSERT_TRUE(values.setText("AUTO23", "8"));
    ASSERT_TRUE(values.setText("GC24B", "1500"));
    ASSERT_TRUE(values.setText("APA10", "10"));
    ASSERT_TRUE(values.setText("VN3", "100"));
    ASSERT_TRUE(values.setText("Alte2", "2.5"));
    ASSERT_TRUE(values.setText("NumericEdit3", "5"));
    ASSERT_TRUE(values.setText("PrimariaLab", "COMUNA DEALU"));
    ASSERT_TRUE(settings.write(db::keys::REDC, "7"));
    ASSERT_TRUE(settings.write(db::keys::REDUCERE_JURIDICE, "DA"));
    ASSERT_TRUE(settings.write(db::keys::FARAMAJORARI, " da "));
    s = AssessmentSettings::Load(values, settings);
    EXPECT_EQ(s.land.yards[1], D("0.35"));
    EXPECT_EQ(s.land.inside[7][1], D("12.5"));
    EXPECT_EQ(s.vehicles.autoRate[23], Decimal(8));
    EXPECT_EQ(s.vehicles.train[23][1], Decimal(1500));
    EXPECT_EQ(s.vehicles.vessel[9], Decimal(10));
    EXPECT_EQ(s.vehicles.unregistered[2], Decimal(100));
    EXPECT_EQ(s.otherTaxes[1], D("2.5"));
    EXPECT_EQ(s.vehicleDiscount, Decimal(5));
    EXPECT_EQ(s.redc, Decimal(7));
    EXPECT_TRUE(s.reducereJuridice);
    EXPECT_TRUE(s.faraMajorari); // this option is read upper-cased and trimmed
    EXPECT_EQ(s.uat, "COMUNA DEALU");
}

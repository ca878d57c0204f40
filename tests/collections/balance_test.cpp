// The balance of a taxpayer worked by hand from the rules. Fiscal year 2024: first term 31.03.2024,
// second term 30.09.2024, arrears due 31.12.2023; penalties 1 % a month (calendar months). Unless a
// case says otherwise the taxpayer is a natural person with penalties, discounts on, BONIF50 and
// REDUCERE_JURIDICE off.
#include "collections/balance.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lirma::collections;

namespace {

SoldCalcRow Group(int64_t suma, int64_t rest, int64_t reduc = 0)
{
    SoldCalcRow r;
    r.IDRES = 7;
    r.GRUPA = "Impozit pe cladiri";
    r.SUMA = suma;
    r.REST = rest;
    r.REDUC = reduc;
    r.TIP = "M";
    return r;
}

BalanceOptions Options()
{
    BalanceOptions o;
    o.fiscalYear = 2024;
    return o;
}

struct GroupCase {
    const char* name;
    SoldCalcRow row;
    QDate date;
    std::function<void(BalanceOptions&, BalanceInput&)> change;
    int64_t CUR1, RAM1, MAJOR1, RED1, SCUT1, DEPLATA;
};

void none(BalanceOptions&, BalanceInput&) {}

template <typename F> SoldCalcRow with(SoldCalcRow r, F f)
{
    f(r);
    return r;
}

} // namespace

TEST(SplitInstalments, Cases)
{
    struct Case {
        int64_t suma, rest, unpaid1, unpaid2;
    };
    const std::vector<Case> cases{
        {101, 60, 9, 51},     // halves 50 + 51; 60 > 51: unpaid2 = 51, unpaid1 = 60 - 51 = 9
        {101, 40, 0, 40},     // 51 >= 40: all of it on the second instalment
        {50, 50, 25, 25},     // halves 25 + 25
        {1001, 1001, 500, 501}, // the second gets the odd leu
        {49, 49, 49, 0},      // under 50: all due at the first term
        {49, 20, 20, 0},
        {200, 0, 0, 0},
        {200, -10, 0, -10},   // overpaid: 100 >= -10, unpaid2 = -10
    };
    for (const Case& c : cases) {
        const Instalments i = SplitInstalments(c.suma, c.rest);
        EXPECT_EQ(i.unpaid1, c.unpaid1) << c.suma << "/" << c.rest;
        EXPECT_EQ(i.unpaid2, c.unpaid2) << c.suma << "/" << c.rest;
    }
}

TEST(ComputeBalance, YearlyTaxGroups)
{
    const QDate march15(2024, 3, 15), firstTerm(2024, 3, 31), april1(2024, 4, 1), october15(2024, 10, 15),
        december31(2024, 12, 31);
    const std::vector<GroupCase> cases{
        // Before the first term the discount comes off: 200 - 20 = 180.
        {"discount before the first term", Group(200, 200, 20), march15, none, 180, 0, 0, 20, 0, 180},
        {"discount on the first term", Group(200, 200, 20), firstTerm, none, 180, 0, 0, 20, 0, 180},
        // Day after: no discount; unpaid1 = 100 overdue one month: 1 % x 100 = 1. 200 + 1.
        {"day after the first term", Group(200, 200, 20), april1, none, 200, 0, 1, 0, 0, 201},
        // After the second term: unpaid1 100 x 7 months (March -> October) = 7; unpaid2 100 x 1 month
        // (September -> October) = 1. 200 + 8.
        {"after the second term", Group(200, 200, 20), october15, none, 200, 0, 8, 0, 0, 208},
        // Under 50: 49 all due at the first term: 49 x 9 % (March -> December) = 4.41 -> 4. 49 + 4.
        {"under 50, all at the first term", Group(49, 49), december31, none, 49, 0, 4, 0, 0, 53},
        // 50: 25 x 9 % = 2.25 -> 2 and 25 x 3 % (September -> December) = 0.75 -> 1. 50 + 3.
        {"50, two instalments", Group(50, 50), december31, none, 50, 0, 3, 0, 0, 53},
        // 1001 / 600: halves 500 + 501, unpaid1 = 99, unpaid2 = 501. 99 x 9 % = 8.91 -> 9;
        // 501 x 3 % = 15.03 -> 15. 600 + 24.
        {"partly paid, second instalment first", Group(1001, 600), december31, none, 600, 0, 24, 0, 0, 624},
        // Legal person without REDUCERE_JURIDICE: no discount.
        {"legal person, option off", Group(200, 200, 20), march15,
         [](BalanceOptions& o, BalanceInput&) { o.naturalPerson = false; }, 200, 0, 0, 0, 0, 200},
        {"legal person, option on", Group(200, 200, 20), march15,
         [](BalanceOptions& o, BalanceInput&) {
             o.naturalPerson = false;
             o.discountLegalPersons = true;
         },
         180, 0, 0, 20, 0, 180},
        // Under 50 lei without BONIF50: no discount; with it 40 - 4 = 36.
        {"under 50, option off", Group(40, 40, 4), march15, none, 40, 0, 0, 0, 0, 40},
        {"under 50, option on", Group(40, 40, 4), march15,
         [](BalanceOptions& o, BalanceInput&) { o.discountUnder50 = true; }, 36, 0, 0, 4, 0, 36},
        // The discount of this group is already on a receipt of the year.
        {"discount already granted", Group(200, 200, 20), march15,
         [](BalanceOptions&, BalanceInput& in) { in.discountedGroups << "Impozit pe cladiri"; }, 200, 0, 0, 0, 0,
         200},
        {"another group's discount granted", Group(200, 200, 20), march15,
         [](BalanceOptions&, BalanceInput& in) { in.discountedGroups << "Impozit pe teren intravilan"; }, 180, 0,
         0, 20, 0, 180},
        // Notices compute without discounts: REDUC counts as 0.
        {"discounts off", Group(200, 200, 20), march15,
         [](BalanceOptions& o, BalanceInput&) { o.discounts = false; }, 200, 0, 0, 0, 0, 200},
        // Fully paid before the term: nothing to take the discount off.
        {"nothing left of the year", Group(200, 0, 20), march15, none, 0, 0, 0, 0, 0, 0},
        // An exemption: no current amount, no discount, no current-year penalty.
        {"exemption", with(Group(200, 200, 20), [](SoldCalcRow& r) { r.SCUTIRE = 50; }), october15, none, 0, 0, 0,
         0, 50, 0},
        // ... but arrears still count: 100 x 10 % (December 2023 -> October 2024) = 10.
        {"exemption with arrears", with(Group(200, 200, 20), [](SoldCalcRow& r) {
             r.SCUTIRE = 50;
             r.DATOR = 100;
         }),
         october15, none, 0, 100, 10, 0, 50, 110},
        // Arrears 100 less credit 30 = 70; 70 x 3 % (December -> March) = 2.1 -> 2; carried 15.
        {"arrears with credit and carried penalties", with(Group(0, 0), [](SoldCalcRow& r) {
             r.DATOR = 100;
             r.DEPOZ = 30;
             r.MAJOR = 15;
         }),
         march15, none, 0, 70, 17, 0, 0, 87},
        // Credit larger than the arrears: RAM1 = 100 - 130 = -30, no arrears penalty.
        {"credit above the arrears", with(Group(0, 0), [](SoldCalcRow& r) {
             r.DATOR = 100;
             r.DEPOZ = 130;
         }),
         march15, none, 0, -30, 0, 0, 0, -30},
        // Credit without arrears before the term: RAM1 = -30; 200 - 20 - 30 = 150.
        {"credit, before the first term", with(Group(200, 200, 20), [](SoldCalcRow& r) { r.DEPOZ = 30; }), march15,
         none, 180, -30, 0, 20, 0, 150},
        // After the terms the credit pays the first instalment: (100 - 30) x 7 % = 4.9 -> 5;
        // unpaid2 100 x 1 % = 1. -30 + 200 + 6.
        {"credit, after the second term", with(Group(200, 200, 20), [](SoldCalcRow& r) { r.DEPOZ = 30; }),
         october15, none, 200, -30, 6, 0, 0, 176},
        // A credit of 130 covers unpaid1 and 30 of unpaid2: (-30 + 100) x 1 % = 0.7 -> 1. -130 + 200 + 1.
        {"credit above the first instalment", with(Group(200, 200, 20), [](SoldCalcRow& r) { r.DEPOZ = 130; }),
         october15, none, 200, -130, 1, 0, 0, 71},
        // A credit of 30 pays the carried penalties of 15 first, as a payment does; 15 is left for the
        // first instalment: (100 - 15) x 7 % = 5.95 -> 6; unpaid2 100 x 1 % = 1. -30 + 200 + 7 + 15.
        {"credit, carried penalties and the year", with(Group(200, 200), [](SoldCalcRow& r) {
             r.DEPOZ = 30;
             r.MAJOR = 15;
         }),
         october15, none, 200, -30, 22, 0, 0, 192},
        // Between the terms only the first instalment is overdue: (100 - 130) < 0, nothing.
        {"credit between the terms", with(Group(200, 200, 20), [](SoldCalcRow& r) { r.DEPOZ = 130; }),
         QDate(2024, 6, 15), none, 200, -130, 0, 0, 0, 70},
        // A negative DEPOZ or DATOR is no credit and no arrears.
        {"negative credit and arrears ignored", with(Group(0, 0), [](SoldCalcRow& r) {
             r.DATOR = -20;
             r.DEPOZ = -30;
         }),
         october15, none, 0, 0, 0, 0, 0, 0},
        // No-penalty taxpayer: arrears 100 and the year 200, carried 15 not shown, no new penalty.
        {"no-penalty taxpayer", with(Group(200, 200, 20), [](SoldCalcRow& r) {
             r.DATOR = 100;
             r.MAJOR = 15;
         }),
         october15, [](BalanceOptions& o, BalanceInput&) { o.noPenalties = true; }, 200, 100, 0, 0, 0, 300},
        // Arrears 100 x 12 % (December 2023 -> December 2024) = 12; 100 x 9 % = 9; 100 x 3 % = 3.
        {"31 December", with(Group(200, 200), [](SoldCalcRow& r) { r.DATOR = 100; }), december31, none, 200, 100, 24,
         0, 0, 324},
        // A date after the year counts as 31 December (unclamped it would be 14 + 11 + 5).
        {"date after the year", with(Group(200, 200), [](SoldCalcRow& r) { r.DATOR = 100; }), QDate(2025, 2, 15),
         none, 200, 100, 24, 0, 0, 324},
    };
    for (const GroupCase& c : cases) {
        BalanceOptions o = Options();
        BalanceInput in;
        in.soldCalc.push_back(c.row);
        c.change(o, in);
        const Balance b = ComputeBalance(in, c.date, o);
        ASSERT_EQ(b.impozite.size(), 1u) << c.name;
        const ImpoziteRow& r = b.impozite.front();
        EXPECT_EQ(r.CUR1, c.CUR1) << c.name;
        EXPECT_EQ(r.RAM1, c.RAM1) << c.name;
        EXPECT_EQ(r.MAJOR1, c.MAJOR1) << c.name;
        EXPECT_EQ(r.RED1, c.RED1) << c.name;
        EXPECT_EQ(r.SCUT1, c.SCUT1) << c.name;
        EXPECT_EQ(r.DEPLATA, c.DEPLATA) << c.name;
        EXPECT_EQ(r.ACHITAT, 0) << c.name;
        EXPECT_EQ(b.total, c.DEPLATA) << c.name;
        // The copied columns are the row's, except REDUC without discounts.
        EXPECT_EQ(r.IDRES, c.row.IDRES) << c.name;
        EXPECT_EQ(r.MAJOR, c.row.MAJOR) << c.name;
        EXPECT_EQ(r.REDUC, o.discounts ? c.row.REDUC : 0) << c.name;
    }
}

namespace {

DebitRow Debit(const char* categ, int64_t sumac, QDate pendata)
{
    DebitRow r;
    r.IDDEB = 3;
    r.GRUPA = "Impozit pe teren intravilan";
    r.CATEG = categ;
    r.SUMAINI = sumac;
    r.SUMAC = sumac;
    r.PENDATA = pendata;
    r.DINDATA = pendata.addMonths(-1);
    return r;
}

} // namespace

TEST(ComputeBalance, Debits)
{
    struct Case {
        const char* name;
        DebitRow row;
        QDate date;
        bool noPenalties;
        int64_t MAJOR, DEPLATA;
    };
    const QDate may1(2024, 5, 1), october15(2024, 10, 15);
    const std::vector<Case> cases{
        // months(01.05, 15.10) = 5: 1000 x 5 % = 50.
        {"purchase", Debit("Cumparare", 1000, may1), october15, false, 50, 1050},
        {"increase", Debit("Majorare", 1000, may1), october15, false, 50, 1050},
        {"tax", Debit("Taxa", 1000, may1), october15, false, 50, 1050},
        {"fine: no penalty", Debit("Amenda", 1000, may1), october15, false, 0, 1000},
        {"reduction: no penalty", Debit("Reducere", 1000, may1), october15, false, 0, 1000},
        {"before its penalty date", Debit("Cumparare", 1000, QDate(2024, 11, 1)), october15, false, 0, 1000},
        {"on its penalty date", Debit("Cumparare", 1000, october15), october15, false, 0, 1000},
        {"overpaid", Debit("Cumparare", -100, may1), october15, false, 0, -100},
        {"no-penalty taxpayer", Debit("Cumparare", 1000, may1), october15, true, 0, 1000},
        {"no penalty date", Debit("Cumparare", 1000, QDate()), october15, false, 0, 1000},
        // 15.02.2025 counts as 31.12.2024: months(01.11, 31.12) = 1 -> 10.
        {"after the year", Debit("Cumparare", 1000, QDate(2024, 11, 1)), QDate(2025, 2, 15), false, 10, 1010},
    };
    for (const Case& c : cases) {
        BalanceOptions o = Options();
        o.noPenalties = c.noPenalties;
        BalanceInput in;
        in.debit.push_back(c.row);
        const Balance b = ComputeBalance(in, c.date, o);
        ASSERT_EQ(b.debite.size(), 1u) << c.name;
        EXPECT_EQ(b.debite[0].MAJOR, c.MAJOR) << c.name;
        EXPECT_EQ(b.debite[0].DEPLATA, c.DEPLATA) << c.name;
        EXPECT_EQ(b.debite[0].SUMAC, c.row.SUMAC) << c.name;
        EXPECT_EQ(b.total, c.DEPLATA) << c.name;
    }
}

TEST(ComputeBalance, LeviesAndSelectionOfRows)
{
    const auto levy = [](int64_t id, const char* grupa, int64_t suma, int64_t rest, int64_t reduc) {
        DatoriiRow r;
        r.IDDAT = id;
        r.GRUPA = grupa;
        r.DENUM = grupa;
        r.SUMA = suma;
        r.REST = rest;
        r.REDUC = reduc;
        r.DINDATA = QDate(2024, 1, 1);
        return r;
    };
    BalanceInput in;
    in.datorii = {
        levy(1, "Salubritate", 100, 50, 10), // 50 + 100 - 10 = 140
        levy(2, "Iluminat", 0, 0, 0),         // nothing due: left out
        levy(3, "Paza", 10, 0, 10),           // 10 + 0 - 10 = 0: left out
        levy(4, "PSI", -20, 0, 0),            // overpaid: shown, -20
        levy(5, "Impozit pe cladiri", 300, 0, 0), // a yearly group is never a levy
        levy(6, "Taxa pe pasune", 0, 75, 0),  // arrears only: 75
    };
    in.debit = {Debit("Amenda", 0, QDate(2024, 5, 1)), Debit("Amenda", 400, QDate(2024, 5, 1))};
    in.soldCalc = {Group(200, 200, 20)};

    // Late in the year: levies still carry no penalty.
    BalanceOptions o = Options();
    const Balance b = ComputeBalance(in, QDate(2024, 12, 31), o);

    ASSERT_EQ(b.taxe.size(), 3u);
    EXPECT_EQ(b.taxe[0].IDDAT, 1);
    EXPECT_EQ(b.taxe[0].CUR1, 100);
    EXPECT_EQ(b.taxe[0].REST1, 50);
    EXPECT_EQ(b.taxe[0].DEPLATA, 140);
    EXPECT_EQ(b.taxe[1].IDDAT, 4);
    EXPECT_EQ(b.taxe[1].DEPLATA, -20);
    EXPECT_EQ(b.taxe[2].IDDAT, 6);
    EXPECT_EQ(b.taxe[2].CUR1, 0);
    EXPECT_EQ(b.taxe[2].REST1, 75);
    EXPECT_EQ(b.taxe[2].DEPLATA, 75);

    ASSERT_EQ(b.debite.size(), 1u); // SUMAC 0 is left out
    EXPECT_EQ(b.debite[0].DEPLATA, 400);

    // 200 x 9 % ... : unpaid1 100 x 9 % = 9, unpaid2 100 x 3 % = 3 -> 212.
    ASSERT_EQ(b.impozite.size(), 1u);
    EXPECT_EQ(b.impozite[0].DEPLATA, 212);

    // 140 - 20 + 75 + 400 + 212.
    EXPECT_EQ(b.total, 807);
    // The search list shows positive arrears: REST1 50 + 75, RAM1 0.
    EXPECT_EQ(SearchListDebt(b), 125);
    EXPECT_EQ(ReceiptValue(b), 0);
}

TEST(ComputeBalance, EmptyTaxpayer)
{
    const Balance b = ComputeBalance({}, QDate(2024, 6, 1), Options());
    EXPECT_TRUE(b.impozite.empty());
    EXPECT_TRUE(b.taxe.empty());
    EXPECT_TRUE(b.debite.empty());
    EXPECT_EQ(b.total, 0);
}

TEST(CalculationDate, DefaultsToTodayUpToTheEndOfTheYear)
{
    EXPECT_EQ(DefaultCalculationDate(QDate(2024, 5, 6), 2024), QDate(2024, 5, 6));
    EXPECT_EQ(DefaultCalculationDate(QDate(2024, 12, 31), 2024), QDate(2024, 12, 31));
    EXPECT_EQ(DefaultCalculationDate(QDate(2025, 1, 1), 2024), QDate(2024, 12, 31));
    EXPECT_EQ(DefaultCalculationDate(QDate(2023, 11, 1), 2024), QDate(2023, 11, 1)); // no lower limit
}

TEST(EnteredAmounts, DoubleClickAndNegativeAmounts)
{
    // Double-click puts the total, a second one takes it back to 0.
    EXPECT_EQ(ToggledAmount(0, 180), 180);
    EXPECT_EQ(ToggledAmount(180, 180), 0);
    EXPECT_EQ(ToggledAmount(50, 180), 180);
    EXPECT_EQ(ToggledAmount(0, 0), 0);
    // A negative amount below a positive total becomes the total; one within a negative total stays.
    EXPECT_EQ(StoredTaxOrDebitAmount(-50, 180), 180);
    EXPECT_EQ(StoredTaxOrDebitAmount(-50, -30), -30);
    EXPECT_EQ(StoredTaxOrDebitAmount(-20, -30), -20);
    EXPECT_EQ(StoredTaxOrDebitAmount(70, 180), 70);
}

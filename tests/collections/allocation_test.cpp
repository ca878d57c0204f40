// Allocation of typed amounts worked by hand from the rules. Fiscal year 2024: first term
// 31.03.2024, second 30.09.2024, arrears due 31.12.2023, penalties 1 % a calendar month. Each
// scenario computes the balance first (as the window shows it), types the amounts, allocates, and
// checks the lines and the new balances; where stated, the balance recomputed from the new rows
// shows what is left.
#include "collections/allocation.h"

#include "collections/collections_texts.h"

#include <gtest/gtest.h>

#include <map>

using namespace lirma::collections;
using lirma::base::Decimal;

namespace {

const QString Cladiri = "Impozit pe cladiri";
const QString Intravilan = "Impozit pe teren intravilan";

SoldCalcRow Group(int64_t idres, const QString& grupa, int64_t suma, int64_t rest, int64_t reduc = 0,
                  int64_t dator = 0, int64_t depoz = 0, int64_t major = 0)
{
    SoldCalcRow r;
    r.IDRES = idres;
    r.GRUPA = grupa;
    r.SUMA = suma;
    r.REST = rest;
    r.REDUC = reduc;
    r.DATOR = dator;
    r.DEPOZ = depoz;
    r.MAJOR = major;
    r.TIP = "M";
    return r;
}

DatoriiRow Levy(int64_t iddat, const char* grupa, int64_t suma, int64_t rest, int64_t reduc = 0)
{
    DatoriiRow r;
    r.IDDAT = iddat;
    r.GRUPA = grupa;
    r.DENUM = grupa;
    r.DOCJUS = "HCL 5";
    r.SUMA = suma;
    r.REST = rest;
    r.REDUC = reduc;
    return r;
}

DebitRow Debit(int64_t iddeb, const char* categ, int64_t sumac, QDate pendata)
{
    DebitRow r;
    r.IDDEB = iddeb;
    r.GRUPA = "Impozit pe teren intravilan";
    r.DOCJUS = "BD";
    r.CATEG = categ;
    r.SUMAINI = r.SUMAC = sumac;
    r.PENDATA = pendata;
    return r;
}

ReceiptLine Line(const QString& grupa, const char* tip, int64_t restanta, int64_t majorest, int64_t depozit,
                 int64_t curent, int64_t major, int64_t reducere, const QString& denum = {}, const QString& docjus = {})
{
    ReceiptLine l;
    l.GRUPA = grupa;
    l.DOCJUS = docjus;
    l.DENUM = denum;
    l.RESTANTA = restanta;
    l.MAJOREST = majorest;
    l.DEPOZIT = depozit;
    l.CURENT = curent;
    l.MAJOR = major;
    l.REDUCERE = reducere;
    l.TIP = tip;
    l.TOTAL = l.computedTotal();
    return l;
}

// A collections window: the rows, the date, the amounts typed by row id.
struct Window {
    BalanceInput input;
    QDate date;
    bool noPenalties = false;
    Balance balance;

    BalanceOptions options() const
    {
        BalanceOptions o;
        o.fiscalYear = 2024;
        o.noPenalties = noPenalties;
        return o;
    }
    void compute() { balance = ComputeBalance(input, date, options()); }
    void type(int64_t id, int64_t amount)
    {
        for (auto& r : balance.impozite)
            if (r.IDRES == id)
                r.ACHITAT = amount;
        for (auto& r : balance.taxe)
            if (r.IDDAT == id)
                r.ACHITAT = amount;
        for (auto& r : balance.debite)
            if (r.IDDEB == id)
                r.ACHITAT = amount;
    }
    AllocationResult operate(Decimal compensationPercent = Decimal(10)) const
    {
        AllocationOptions o;
        o.date = date;
        o.noPenalties = noPenalties;
        o.fiscalYear = 2024;
        o.compensationDiscountPercent = compensationPercent;
        return AllocatePayment(balance, o);
    }
    // The rows as storing would leave them, and the balance recomputed over them.
    Balance after(const Allocation& a)
    {
        BalanceInput next = input;
        for (auto& r : next.soldCalc)
            for (const auto& u : a.groups)
                if (u.IDRES == r.IDRES) {
                    r.SUMA = u.SUMA;
                    r.REST = u.REST;
                    r.REDUC = u.REDUC;
                    r.DATOR = u.DATOR;
                    r.DEPOZ = u.DEPOZ;
                    r.MAJOR = u.MAJOR;
                }
        for (auto& r : next.datorii)
            for (const auto& u : a.levies)
                if (u.IDDAT == r.IDDAT) {
                    r.SUMA = u.SUMA;
                    r.REST = u.REST;
                }
        for (auto& r : next.debit)
            for (const auto& u : a.debits)
                if (u.IDDEB == r.IDDEB)
                    r.SUMAC = u.SUMAC;
        return ComputeBalance(next, date, options());
    }
};

const GroupUpdate& groupOf(const Allocation& a, int64_t idres)
{
    for (const auto& g : a.groups)
        if (g.IDRES == idres)
            return g;
    throw std::out_of_range("no group");
}

} // namespace

namespace lirma::collections {
void PrintTo(const ReceiptLine& l, std::ostream* os)
{
    *os << "{" << l.GRUPA.toStdString() << " | " << l.DOCJUS.toStdString() << " " << l.SERIA.toStdString() << " "
        << l.NR << " | " << l.DENUM.toStdString() << " | " << l.CODCLAS.toStdString() << " | RESTANTA " << l.RESTANTA
        << " MAJOREST " << l.MAJOREST << " DEPOZIT " << l.DEPOZIT << " CURENT " << l.CURENT << " MAJOR " << l.MAJOR
        << " REDUCERE " << l.REDUCERE << " " << l.TIP.toStdString() << " TOTAL " << l.TOTAL << "}";
}
} // namespace lirma::collections

TEST(Allocation, Refusals)
{
    Window w;
    w.input.soldCalc = {Group(1, Cladiri, 200, 200), Group(2, Intravilan, 0, 0, 0, 0, 100)};
    w.date = QDate(2024, 3, 15);
    w.compute();

    AllocationResult r = w.operate();
    EXPECT_FALSE(r.allocation);
    EXPECT_EQ(r.message, "Nu aveti nimic operat!");
    EXPECT_EQ(r.title, "Operare");

    w.type(1, 100);
    w.type(2, -90);
    r = w.operate();
    EXPECT_FALSE(r.allocation);
    EXPECT_EQ(r.message, "Nota contabila nu se inchide cu 0!");

    // +100 and -100 close at 0: a compensation note.
    w.type(2, -100);
    r = w.operate();
    ASSERT_TRUE(r.allocation);
    EXPECT_EQ(r.allocation->kind, OperationKind::CompensationNote);

    // A refund on a group with neither credit nor arrears would have no line to go on: refused
    // instead of losing the amount.
    w.type(2, 0);
    w.type(1, -50);
    r = w.operate();
    EXPECT_FALSE(r.allocation);
    EXPECT_EQ(r.message, texts::LinesDoNotAddUp(0, -50));
}

TEST(Allocation, ReceiptBeforeTheFirstTermWithArrearsPenaltiesDiscountLevyAndDebit)
{
    Window w;
    // Arrears 100, carried penalties 15, the year 200 with a discount of 20.
    w.input.soldCalc = {Group(1, Cladiri, 200, 200, 20, 100, 0, 15)};
    w.input.datorii = {Levy(31, "Salubritate", 120, 30)};
    w.input.debit = {Debit(41, "Cumparare", 1000, QDate(2024, 2, 1))};
    w.date = QDate(2024, 3, 15);
    w.compute();
    // Group: 100 + 3 (100 x 3 %, December -> March) + 15 + 180 = 298; levy 30 + 120 = 150;
    // debit 1000 + 10 (one month, February -> March) = 1010.
    ASSERT_EQ(w.balance.impozite[0].DEPLATA, 298);
    ASSERT_EQ(w.balance.taxe[0].DEPLATA, 150);
    ASSERT_EQ(w.balance.debite[0].DEPLATA, 1010);
    w.type(1, 298);
    w.type(31, 150);
    w.type(41, 1010);

    const AllocationResult r = w.operate();
    ASSERT_TRUE(r.allocation) << r.message.toStdString();
    const Allocation& a = *r.allocation;
    EXPECT_EQ(a.kind, OperationKind::Receipt);
    EXPECT_EQ(a.value, 1458);
    const std::vector<ReceiptLine> expected{
        // Arrears: R = 100 + 15 + 3 = 118 <= 298.
        Line(Cladiri, "C", 100, 15, 0, 0, 3, 0),
        // The year: 180 >= 200 - 20: current 200, discount 20, nothing to the credit.
        Line(Cladiri, "C", 0, 0, 0, 200, 0, 20),
        // Levy: G = 150 - 30 = 120: arrears 30; E = 120 - 120 = 0: current 120.
        Line("Salubritate", "C", 30, 0, 0, 120, 0, 0, "HCL 5", "CHITANTA"),
        // Debit: G = 1010 - 1000 - 10 = 0: penalty 10, current 1000.
        Line("Impozit pe teren intravilan", "C", 0, 0, 0, 1000, 10, 0, "BD", "CHITANTA"),
    };
    EXPECT_EQ(a.lines, expected);

    const GroupUpdate& g = groupOf(a, 1);
    EXPECT_EQ(std::make_tuple(g.SUMA, g.REST, g.REDUC, g.DATOR, g.DEPOZ, g.MAJOR), std::make_tuple(200, 0, 20, 0, 0, 0));
    EXPECT_EQ(std::make_tuple(g.SUMA0, g.REST0, g.REDUC0, g.DATOR0, g.DEPOZ0, g.MAJOR0),
              std::make_tuple(200, 200, 20, 100, 0, 15));
    ASSERT_EQ(a.levies.size(), 1u);
    EXPECT_EQ(std::make_tuple(a.levies[0].IDDAT, a.levies[0].SUMA, a.levies[0].REST), std::make_tuple(31, 0, 0));
    ASSERT_EQ(a.debits.size(), 1u);
    EXPECT_EQ(std::make_tuple(a.debits[0].IDDEB, a.debits[0].SUMAC), std::make_tuple(41, 0));

    // Nothing left; the discount is on the receipt, so it is offered no more.
    Window later = w;
    later.input.discountedGroups << Cladiri;
    EXPECT_EQ(later.after(a).total, 0);

    // The document: ordered by GRUPA, DENUM, TIP, numbered from the cashier's book, codes by group;
    // merged, the two lines of the group become one.
    const QHash<QString, QString> codes{{Cladiri, "07.02.01.01"}, {"Salubritate", "36.02.06"}};
    const std::vector<ReceiptLine> final = FinalLines(a.lines, codes, "AB", 57);
    ASSERT_EQ(final.size(), 4u);
    EXPECT_EQ(final[0].GRUPA, Cladiri);
    EXPECT_EQ(final[2].GRUPA, "Impozit pe teren intravilan");
    EXPECT_EQ(final[3].GRUPA, "Salubritate");
    for (const ReceiptLine& l : final) {
        EXPECT_EQ(l.DOCJUS, "CHITANTA");
        EXPECT_EQ(l.SERIA, "AB");
        EXPECT_EQ(l.NR, 57);
    }
    EXPECT_EQ(final[0].CODCLAS, "07.02.01.01");
    EXPECT_EQ(final[2].CODCLAS, "");
    const std::vector<ReceiptLine> merged = MergeLines(final);
    ASSERT_EQ(merged.size(), 3u);
    ReceiptLine group = Line(Cladiri, "C", 100, 15, 0, 200, 3, 20, {}, "CHITANTA");
    group.SERIA = "AB";
    group.NR = 57;
    group.CODCLAS = "07.02.01.01";
    EXPECT_EQ(merged[0], group);
    EXPECT_EQ(merged[0].TOTAL, 298);
    EXPECT_EQ(LinesTotal(merged), 1458);
    EXPECT_FALSE(NothingToOperate(merged));
}

TEST(Allocation, YearlyGroupCases)
{
    struct Case {
        const char* name;
        SoldCalcRow row;
        QDate date;
        int64_t paid;
        std::vector<ReceiptLine> lines;
        int64_t REST, DATOR, DEPOZ, MAJOR; // new balance
        int64_t left;                      // DEPLATA recomputed from the new balance
        bool noPenalties = false;
    };
    const QDate march15(2024, 3, 15), june15(2024, 6, 15), october15(2024, 10, 15);
    const std::vector<Case> cases{
        // One leu short of 180 before the term: no discount, all on the year. Left: 21 - 20 = 1.
        {"one leu short", Group(1, Cladiri, 200, 200, 20), march15, 179,
         {Line(Cladiri, "C", 0, 0, 0, 179, 0, 0)}, 21, 0, 0, 0, 1},
        // 200 before the term: 200 - 20 = 180 pays the year, 20 goes to the credit.
        {"more than the total", Group(1, Cladiri, 200, 200, 20), march15, 200,
         {Line(Cladiri, "C", 0, 0, 20, 200, 0, 20)}, 0, 0, 20, 0, -20},
        // Arrears 100, carried 20, new 10 (100 x 10 %, December -> October), paid 65: q = 65 / 130 = 0.5.
        {"arrears paid in part", Group(1, Cladiri, 0, 0, 0, 100, 0, 20), october15, 65,
         {Line(Cladiri, "C", 50, 10, 0, 0, 5, 0)}, 0, 50, 0, 10, 65},
        // After the second term, 150 of 208: instalment 1 100 + 7 (7 months); then 43 of 100 + 1:
        // q = 43 / 101 = 0.4257, penalty round(0.4257) = 0, current 43. Left: 57 + 1 (57 x 1 %) = 58.
        {"partial after the second term", Group(1, Cladiri, 200, 200), october15, 150,
         {Line(Cladiri, "C", 0, 0, 0, 100, 7, 0), Line(Cladiri, "C", 0, 0, 0, 43, 0, 0)}, 57, 0, 0, 0, 58},
        // Between the terms, 50 of 203 (unpaid1 100 three months late: 3): B = 103,
        // q = 50 / 103 = 0.4854, penalty round(1.4562) = 1, current 49. Left: 151 + 2 (51 x 3 % = 1.53) = 153.
        {"partial between the terms", Group(1, Cladiri, 200, 200), june15, 50,
         {Line(Cladiri, "C", 0, 0, 0, 49, 1, 0)}, 151, 0, 0, 0, 153},
        // 120 >= B = 103: q = 1, the whole penalty 3 and 117 current. Left: 83 (all on the second instalment).
        {"first instalment paid between the terms", Group(1, Cladiri, 200, 200), june15, 120,
         {Line(Cladiri, "C", 0, 0, 0, 117, 3, 0)}, 83, 0, 0, 0, 83},
        // A credit of 30 first pays 30 of the year (200 -> 170); after the second term unpaid1 70 with
        // 5 (70 x 7 % = 4.9), unpaid2 100 with 1: 176 in all.
        {"credit and the year after the second term", Group(1, Cladiri, 200, 200, 0, 0, 30), october15, 176,
         {Line(Cladiri, "C", 0, 0, 0, 70, 5, 0), Line(Cladiri, "C", 0, 0, 0, 100, 1, 0)}, 0, 0, 0, 0, 0},
        // A credit of 120 against arrears 100 and carried 50: the arrears first, then 20 of the
        // penalties; 30 of them are left to pay, with nothing new (no arrears).
        {"credit smaller than arrears and penalties", Group(1, Cladiri, 0, 0, 0, 100, 120, 50), october15, 30,
         {Line(Cladiri, "C", 0, 30, 0, 0, 0, 0)}, 0, 0, 0, 0, 0},
        // No-penalty taxpayer: arrears 100 and the year 200, paid 300; carried 15 untouched.
        {"no-penalty taxpayer", Group(1, Cladiri, 200, 200, 0, 100, 0, 15), october15, 300,
         {Line(Cladiri, "C", 100, 0, 0, 0, 0, 0), Line(Cladiri, "C", 0, 0, 0, 100, 0, 0),
          Line(Cladiri, "C", 0, 0, 0, 100, 0, 0)},
         0, 0, 0, 15, 0, true},
        // No-penalty taxpayer with a credit of 30: it pays 30 of the arrears only; 70 + 200 left
        // to pay, 50 paid goes to the arrears. Left 20 + 200.
        {"no-penalty taxpayer with credit", Group(1, Cladiri, 200, 200, 0, 100, 30, 15), october15, 50,
         {Line(Cladiri, "C", 50, 0, 0, 0, 0, 0)}, 200, 20, 0, 15, 220, true},
        // No-penalty taxpayer, a leu on arrears of 30001: q = 1 / 30001 rounds to 0, which would put
        // the leu on a new penalty; it goes to the arrears.
        {"no-penalty taxpayer, a leu on large arrears", Group(1, Cladiri, 0, 0, 0, 30001), october15, 1,
         {Line(Cladiri, "C", 1, 0, 0, 0, 0, 0)}, 0, 30000, 0, 0, 30000, true},
        // Arrears 1 and carried 1, no new penalty (1 x 10 % = 0.1 -> 0), paid 1: q = 0.5 rounds both
        // shares up to 1, which would leave -1 of new penalty and pay 2 with 1; the carried share gives way.
        {"shares rounded beyond the amount", Group(1, Cladiri, 0, 0, 0, 1, 0, 1), october15, 1,
         {Line(Cladiri, "C", 1, 0, 0, 0, 0, 0)}, 0, 0, 0, 1, 1},
    };
    for (const Case& c : cases) {
        Window w;
        w.input.soldCalc = {c.row};
        w.date = c.date;
        w.noPenalties = c.noPenalties;
        w.compute();
        w.type(1, c.paid);
        const AllocationResult r = w.operate();
        ASSERT_TRUE(r.allocation) << c.name << ": " << r.message.toStdString();
        EXPECT_EQ(r.allocation->lines, c.lines) << c.name;
        const GroupUpdate& g = groupOf(*r.allocation, 1);
        EXPECT_EQ(g.SUMA, c.row.SUMA) << c.name;
        EXPECT_EQ(g.REDUC, c.row.REDUC) << c.name;
        EXPECT_EQ(g.REST, c.REST) << c.name;
        EXPECT_EQ(g.DATOR, c.DATOR) << c.name;
        EXPECT_EQ(g.DEPOZ, c.DEPOZ) << c.name;
        EXPECT_EQ(g.MAJOR, c.MAJOR) << c.name;
        EXPECT_EQ(w.after(*r.allocation).total, c.left) << c.name;
    }
}

TEST(Allocation, PaymentOrders)
{
    Window w;
    // A credit of 100 on one group, arrears of 100 on another (10 of penalty in October).
    w.input.soldCalc = {Group(1, Cladiri, 0, 0, 0, 0, 100), Group(2, Intravilan, 0, 0, 0, 100)};
    w.input.debit = {Debit(41, "Amenda", -100, QDate(2024, 2, 1))};
    w.date = QDate(2024, 10, 15);
    w.compute();
    w.type(1, -60);
    w.type(2, -55);
    w.type(41, -100);
    const AllocationResult r = w.operate();
    ASSERT_TRUE(r.allocation) << r.message.toStdString();
    EXPECT_EQ(r.allocation->kind, OperationKind::PaymentOrder);
    EXPECT_EQ(r.allocation->value, -215);
    const std::vector<ReceiptLine> expected{
        // From the credit: 100 - 60 = 40 left.
        Line(Cladiri, "O", 0, 0, -60, 0, 0, 0),
        // R = 100 + 10; q = -55 / 110 = -0.5: arrears -50, new penalty -5; arrears become 150.
        Line(Intravilan, "O", -50, 0, 0, 0, -5, 0),
        // The overpaid debit refunded: SUMAC -100 - (-100) = 0.
        Line("Impozit pe teren intravilan", "O", 0, 0, 0, -100, 0, 0, "BD", "OP"),
    };
    EXPECT_EQ(r.allocation->lines, expected);
    EXPECT_EQ(groupOf(*r.allocation, 1).DEPOZ, 40);
    EXPECT_EQ(groupOf(*r.allocation, 2).DATOR, 150);
    EXPECT_EQ(r.allocation->debits[0].SUMAC, 0);

    // More refunded than the credit holds: the 30 beyond it are owed again on the year.
    Window w2;
    w2.input.soldCalc = {Group(1, Cladiri, 0, 0, 0, 0, 100)};
    w2.date = QDate(2024, 3, 15);
    w2.compute();
    w2.type(1, -130);
    const AllocationResult r2 = w2.operate();
    ASSERT_TRUE(r2.allocation);
    EXPECT_EQ(r2.allocation->lines, std::vector<ReceiptLine>{Line(Cladiri, "O", 0, 0, -130, 0, 0, 0)});
    EXPECT_EQ(groupOf(*r2.allocation, 1).DEPOZ, 0);
    EXPECT_EQ(groupOf(*r2.allocation, 1).REST, 30);
    // Before: -100 owed; refunded 130: 30 owed.
    EXPECT_EQ(w2.after(*r2.allocation).total, 30);
}

TEST(Allocation, CompensationNotes)
{
    // A credit of 100 on buildings moved to the land tax (200, discount 20, before the term).
    {
        Window w;
        w.input.soldCalc = {Group(1, Cladiri, 0, 0, 0, 0, 100), Group(2, Intravilan, 200, 200, 20)};
        w.date = QDate(2024, 3, 15);
        w.compute();
        const int64_t before = w.balance.total; // -100 + 180 = 80
        ASSERT_EQ(before, 80);
        w.type(1, -100);
        w.type(2, 100);
        const AllocationResult r = w.operate();
        ASSERT_TRUE(r.allocation) << r.message.toStdString();
        EXPECT_EQ(r.allocation->kind, OperationKind::CompensationNote);
        // No debit amount: the note's discount F is 0, so 100 < 200 is a partial payment of the year.
        const std::vector<ReceiptLine> expected{Line(Cladiri, "N", 0, 0, -100, 0, 0, 0),
                                                Line(Intravilan, "N", 0, 0, 0, 100, 0, 0)};
        EXPECT_EQ(r.allocation->lines, expected);
        EXPECT_EQ(groupOf(*r.allocation, 1).DEPOZ, 0);
        EXPECT_EQ(groupOf(*r.allocation, 2).REST, 100);
        EXPECT_EQ(w.after(*r.allocation).total, before);
        // A note is not merged, and its lines are "N.C." without series or number.
        const auto final = FinalLines(r.allocation->lines, {}, "AB", 57);
        EXPECT_EQ(final[0].DOCJUS, "N.C.");
        EXPECT_EQ(final[0].SERIA, "");
        EXPECT_EQ(final[0].NR, 0);
    }
    // An overpaid levy (SUMA -50) moved to the building tax after the second term.
    {
        Window w;
        w.input.soldCalc = {Group(1, Cladiri, 200, 200)};
        w.input.datorii = {Levy(31, "Salubritate", -50, 0)};
        w.date = QDate(2024, 10, 15);
        w.compute();
        const int64_t before = w.balance.total; // 208 - 50
        ASSERT_EQ(before, 158);
        w.type(31, -50);
        w.type(1, 50);
        const AllocationResult r = w.operate();
        ASSERT_TRUE(r.allocation) << r.message.toStdString();
        const std::vector<ReceiptLine> expected{
            // Instalment 1: R = 100 + 7; q = 50 / 107 = 0.4673; penalty round(3.2711) = 3, current 47.
            Line(Cladiri, "N", 0, 0, 0, 47, 3, 0),
            // G = -50 - 0 < 0, no reduction: current -50; J = 0, so SUMA = -50 - (-50) = 0.
            Line("Salubritate", "N", 0, 0, 0, -50, 0, 0, "HCL 5", "NC"),
        };
        EXPECT_EQ(r.allocation->lines, expected);
        ASSERT_EQ(r.allocation->levies.size(), 1u);
        EXPECT_EQ(r.allocation->levies[0].SUMA, 0);
        EXPECT_EQ(r.allocation->levies[0].REST, 0);
        // 153 of the year: unpaid1 53 x 7 % = 3.71 -> 4, unpaid2 100 x 1 % = 1: 158, as before.
        EXPECT_EQ(w.after(*r.allocation).total, before);
    }
    // With a debit amount in the note the discount is P x (V - H) / 100. The year 200 of which 100
    // is left, discount 20, before the term.
    {
        Window w;
        w.input.soldCalc = {Group(1, Cladiri, 200, 100, 20)};
        w.input.debit = {Debit(41, "Reducere", -89, QDate(2024, 2, 1))};
        w.date = QDate(2024, 3, 15);
        w.compute();
        // 88: F = 10 % x (200 - 88) = 11.2 -> 11; 88 < 100 - 11: a partial payment, no discount.
        w.type(41, -88);
        w.type(1, 88);
        const AllocationResult r = w.operate(Decimal(10));
        ASSERT_TRUE(r.allocation) << r.message.toStdString();
        EXPECT_EQ(r.allocation->lines[0], Line(Cladiri, "N", 0, 0, 0, 88, 0, 0));
        // 89: F = 10 % x 111 = 11.1 -> 11; 89 >= 100 - 11: current 100, discount 11.
        w.type(41, -89);
        w.type(1, 89);
        const AllocationResult r2 = w.operate(Decimal(10));
        ASSERT_TRUE(r2.allocation) << r2.message.toStdString();
        EXPECT_EQ(r2.allocation->lines[0], Line(Cladiri, "N", 0, 0, 0, 100, 0, 11));
        EXPECT_EQ(groupOf(*r2.allocation, 1).REST, 0);
        EXPECT_EQ(LinesTotal(r2.allocation->lines), 0);
        // Without a debit amount F is 0.
        Window w2 = w;
        w2.input.debit.clear();
        w2.input.soldCalc.push_back(Group(2, Intravilan, 0, 0, 0, 0, 100));
        w2.compute();
        w2.type(2, -89);
        w2.type(1, 89);
        const AllocationResult r3 = w2.operate(Decimal(10));
        ASSERT_TRUE(r3.allocation) << r3.message.toStdString();
        EXPECT_EQ(r3.allocation->lines[0], Line(Cladiri, "N", 0, 0, 0, 89, 0, 0));
    }
}

TEST(Allocation, LeviesAndDebits)
{
    struct Case {
        const char* name;
        DatoriiRow levy;
        int64_t paid;
        ReceiptLine line;
        int64_t SUMA, REST;
    };
    const std::vector<Case> levies{
        // G = 20 - 30 < 0: 20 of the arrears.
        {"part of the arrears", Levy(31, "Salubritate", 120, 30), 20,
         Line("Salubritate", "C", 20, 0, 0, 0, 0, 0, "HCL 5", "CHITANTA"), 120, 10},
        // G = 30 - 30 = 0: the arrears exactly.
        {"the arrears", Levy(31, "Salubritate", 120, 30), 30,
         Line("Salubritate", "C", 30, 0, 0, 0, 0, 0, "HCL 5", "CHITANTA"), 120, 0},
        // G = 100: E = 100 - 120 < 0: 100 current, 20 left.
        {"part of the year", Levy(31, "Salubritate", 120, 30), 130,
         Line("Salubritate", "C", 30, 0, 0, 100, 0, 0, "HCL 5", "CHITANTA"), 20, 0},
        // G = 170, E = 50: current 120, 50 overpaid, SUMA -50.
        {"overpaid", Levy(31, "Salubritate", 120, 30), 200,
         Line("Salubritate", "C", 30, 0, 50, 120, 0, 0, "HCL 5", "CHITANTA"), -50, 0},
        // A refund (payment order) on a levy with a reduction: G = -10 < 0, H < 0 and REDUC > 0: a
        // reduction line of 10; the arrears grow by 10 (J - H).
        {"refund on a levy with a reduction", Levy(31, "Salubritate", 100, 0, 10), -10,
         Line("Salubritate", "O", 0, 0, 0, 0, 0, 10, "HCL 5", "OP"), 100, 10},
        // Without a reduction the refund is a negative current amount.
        {"refund on a levy", Levy(31, "Salubritate", -40, 0), -40,
         Line("Salubritate", "O", 0, 0, 0, -40, 0, 0, "HCL 5", "OP"), -40, 40},
    };
    for (const Case& c : levies) {
        Window w;
        w.input.datorii = {c.levy};
        w.date = QDate(2024, 10, 15);
        w.compute();
        w.type(31, c.paid);
        const AllocationResult r = w.operate();
        ASSERT_TRUE(r.allocation) << c.name;
        EXPECT_EQ(r.allocation->lines, std::vector<ReceiptLine>{c.line}) << c.name;
        EXPECT_EQ(r.allocation->levies[0].SUMA, c.SUMA) << c.name;
        EXPECT_EQ(r.allocation->levies[0].REST, c.REST) << c.name;
    }

    // A debit of 1000 with a penalty of 10 paid 505: q = 505 / 1010 = 0.5: current 500, penalty 5.
    Window w;
    w.input.debit = {Debit(41, "Cumparare", 1000, QDate(2024, 9, 1))};
    w.date = QDate(2024, 10, 15);
    w.compute();
    ASSERT_EQ(w.balance.debite[0].MAJOR, 10);
    w.type(41, 505);
    AllocationResult r = w.operate();
    ASSERT_TRUE(r.allocation);
    EXPECT_EQ(r.allocation->lines[0], Line("Impozit pe teren intravilan", "C", 0, 0, 0, 500, 5, 0, "BD", "CHITANTA"));
    EXPECT_EQ(r.allocation->debits[0].SUMAC, 500);
    // Paid 1100: penalty 10, current 1090, SUMAC -90 (overpaid).
    w.type(41, 1100);
    r = w.operate();
    ASSERT_TRUE(r.allocation);
    EXPECT_EQ(r.allocation->lines[0], Line("Impozit pe teren intravilan", "C", 0, 0, 0, 1090, 10, 0, "BD", "CHITANTA"));
    EXPECT_EQ(r.allocation->debits[0].SUMAC, -90);
}

TEST(Allocation, MergingAndNothingToOperate)
{
    std::vector<ReceiptLine> lines{Line("B", "C", 1, 0, 0, 0, 0, 0, "X"), Line("A", "C", 0, 0, 0, 5, 0, 0),
                                   Line("B", "C", 0, 0, 0, 7, 1, 0, "X"), Line("B", "V", 0, 0, 0, 7, 0, 0, "X")};
    const std::vector<ReceiptLine> merged = MergeLines(lines);
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0], Line("A", "C", 0, 0, 0, 5, 0, 0));
    EXPECT_EQ(merged[1], Line("B", "C", 1, 0, 0, 7, 1, 0, "X"));
    EXPECT_EQ(merged[2], Line("B", "V", 0, 0, 0, 7, 0, 0, "X"));

    EXPECT_FALSE(NothingToOperate(lines));
    EXPECT_EQ(NothingToOperate({}), texts::NothingToOperate());
    // The first line in the order DENUM, GRUPA has no group.
    lines.push_back(Line("", "C", 0, 0, 0, 3, 0, 0));
    EXPECT_EQ(NothingToOperate(lines), texts::NothingToOperate());
}

// Whatever the rows and the date, collecting every group's total leaves nothing to pay: the
// allocation and the balance split credit, arrears, penalties and instalments the same way.
TEST(Allocation, CollectingTheTotalShownLeavesNothing)
{
    const std::vector<QDate> dates{{2024, 1, 20}, {2024, 3, 31}, {2024, 4, 1}, {2024, 6, 15}, {2024, 9, 30},
                                   {2024, 10, 15}, {2024, 12, 31}};
    int checked = 0;
    for (int64_t suma : {0, 49, 50, 201, 1001})
        for (int64_t restPart : {0, 1, 2}) // nothing, part, all of it unpaid
            for (int64_t reduc : {0, 20})
                for (int64_t dator : {0, 100, 12345})
                    for (int64_t depoz : {0, 30, 130, 5000})
                        for (int64_t major : {0, 15})
                            for (const QDate& date : dates)
                                for (bool noPenalties : {false, true}) {
                                    const int64_t rest = restPart == 0 ? 0 : restPart == 1 ? suma * 2 / 3 : suma;
                                    Window w;
                                    w.input.soldCalc = {Group(1, Cladiri, suma, rest, reduc, dator, depoz, major)};
                                    w.date = date;
                                    w.noPenalties = noPenalties;
                                    w.compute();
                                    const int64_t total = w.balance.total;
                                    if (total <= 0)
                                        continue;
                                    w.type(1, total);
                                    const AllocationResult r = w.operate();
                                    ASSERT_TRUE(r.allocation) << r.message.toStdString();
                                    Window later = w;
                                    for (const ReceiptLine& l : r.allocation->lines)
                                        if (l.REDUCERE > 0)
                                            later.input.discountedGroups << l.GRUPA;
                                    const Balance left = later.after(*r.allocation);
                                    EXPECT_EQ(left.total, 0)
                                        << "SUMA " << suma << " REST " << rest << " REDUC " << reduc << " DATOR " << dator
                                        << " DEPOZ " << depoz << " MAJOR " << major << " on "
                                        << date.toString("dd.MM.yyyy").toStdString() << (noPenalties ? " NOTAX" : "")
                                        << ": paid " << total;
                                    // A no-penalty taxpayer's carried penalties stay as they were.
                                    if (noPenalties)
                                        EXPECT_EQ(r.allocation->groups[0].MAJOR, major);
                                    ++checked;
                                }
    EXPECT_GT(checked, 1000);
}

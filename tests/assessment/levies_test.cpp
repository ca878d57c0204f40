// Levies and fines entered by hand, without a window: the row written on adding, the checks of
// the dialog, the reduction percentage of the collections window, modifying by the difference
// typed (the paid part kept, also what was paid meanwhile elsewhere), the name of a paid levy,
// and deleting.
#include "assessment/levies.h"

#include "year_support.h"

using namespace lirma;
using namespace lirma::assessment;
using lirma::test::YearFolderTest;

namespace {

class LeviesTest : public YearFolderTest {
protected:
    Levies levies() { return Levies(*db, *counters); }

    static LevyInput input(const QString& name, int64_t current, int64_t arrears, int64_t reduction)
    {
        LevyInput in;
        in.date = QDate(2024, 5, 14);
        in.name = name;
        in.explanation = QStringLiteral("Decizia 14");
        in.number = 33;
        in.current = current;
        in.arrears = arrears;
        in.reduction = reduction;
        return in;
    }
};

TEST_F(LeviesTest, AddWritesTheManualRow)
{
    LevyInput in = input("Salubritate", 120, 0, 0);
    in.explanation = QStringLiteral("HCL \"nr. 5\" din 'ianuarie'; DROP TABLE Datorii");
    ASSERT_EQ(CheckLevy(in), LevyProblem::None);
    const int64_t id = levies().Add(owner, in);
    EXPECT_EQ(id, 501);
    EXPECT_EQ(counters->PeekId(db::keys::IDDAT), "502");
    const storage::ResultSet rs = db->query(
        "SELECT IDDAT, DINDATA, SATUL, ROL, IDGOS, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, UM, CANT, REDUCP, "
        "SCUTIT, TIP, SUMA2, RESTINI FROM Datorii");
    ASSERT_EQ(rs.size(), 1u);
    const std::vector<std::string> expected = {"501", "2024-05-14", "DEALU MARE", "101", "17", "Salubritate",
                                               "Salubritate", "HCL \"nr. 5\" din 'ianuarie'; DROP TABLE Datorii",
                                               "33", "120", "0", "0", "buc", "", "0", "0", "M", "120", "0"};
    for (size_t i = 0; i < expected.size(); ++i)
        if (rs.columns[i] != "CANT")
            EXPECT_EQ(rs.rows[0][i].toText(), expected[i]) << rs.columns[i];
    EXPECT_EQ(rs.at(0, "CANT").toReal(), 1.0); // a column with decimals
}

TEST_F(LeviesTest, ChecksOfTheDialog)
{
    struct Case {
        const char* name;
        int64_t current, arrears, reduction;
        LevyProblem expected;
    };
    const std::vector<Case> cases = {
        {"Iluminat", 100, 0, 0, LevyProblem::None},
        {"Iluminat", 0, 50, 0, LevyProblem::None},
        {"Iluminat", 0, 0, 10, LevyProblem::None},  // a reduction only
        {"Iluminat", 0, -20, 0, LevyProblem::None}, // negative arrears are a correction
        {"Iluminat", 0, 0, -5, LevyProblem::None},
        {"Iluminat", -20, 0, 0, LevyProblem::NoAmount}, // a negative current amount alone is not
        {"Iluminat", 0, 0, 0, LevyProblem::NoAmount},
        {"Iluminat", 100, 50, 0, LevyProblem::BothAmounts},
        {"Iluminat", 1, 1, 9, LevyProblem::BothAmounts},
        {"Iluminat", -10, 50, 0, LevyProblem::None},
        {"", 100, 0, 0, LevyProblem::NoName},
        {"  ", 100, 50, 0, LevyProblem::NoName},
    };
    for (const Case& k : cases) {
        LevyInput in = input(k.name, k.current, k.arrears, k.reduction);
        EXPECT_EQ(CheckLevy(in), k.expected)
            << k.name << " " << k.current << " " << k.arrears << " " << k.reduction;
    }
    LevyInput spaced = input("PSI", 10, 0, 0);
    spaced.explanation = "  Proces   verbal  " + QString(60, 'x');
    ASSERT_EQ(CheckLevy(spaced), LevyProblem::None);
    EXPECT_EQ(spaced.explanation, ("Proces verbal " + QString(60, 'x')).left(50));
}

TEST_F(LeviesTest, ReductionPercentOfTheCollectionsWindow)
{
    struct Case {
        int64_t current, arrears, reduction, percent;
    };
    const std::vector<Case> cases = {
        {100, 0, 10, 10},
        {300, 0, 50, 16}, // 16.67 truncated
        {0, 80, 20, 25},
        {0, -200, 30, -15},
        {80, 0, 0, 0},
        {0, 0, 25, 0}, // a reduction only: no division by zero
        {0, 0, 0, 0},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ReductionPercent(k.current, k.arrears, k.reduction), k.percent)
            << k.current << " " << k.arrears << " " << k.reduction;

    Levies l = levies();
    const int64_t a = l.Add(owner, input("Paza", 300, 0, 50), Levies::Percent::FromAmounts);
    const int64_t b = l.Add(owner, input("Paza", 0, 0, 25), Levies::Percent::FromAmounts);
    const int64_t c = l.Add(owner, input("Paza", 300, 0, 50), Levies::Percent::Zero);
    EXPECT_EQ(number("Datorii", "IDDAT", a, "REDUCP"), 16);
    EXPECT_EQ(number("Datorii", "IDDAT", b, "REDUCP"), 0);
    EXPECT_EQ(number("Datorii", "IDDAT", c, "REDUCP"), 0);
}

TEST_F(LeviesTest, ModifyMovesTheAmountsByWhatWasTyped)
{
    // SUMA, SUMA2, REST, RESTINI stored; SUMA and REST shown; a payment taken meanwhile elsewhere
    // (the stored SUMA/REST lower than shown); typed SUMA and REST; expected SUMA, SUMA2, REST, RESTINI.
    struct Case {
        const char* what;
        int64_t suma, suma2, rest, restini;
        int64_t paidMeanwhileCurrent, paidMeanwhileArrears;
        int64_t typedCurrent, typedArrears;
        int64_t suma_, suma2_, rest_, restini_;
    };
    const std::vector<Case> cases = {
        {"100 of which 20 paid, typed 100", 80, 100, 0, 0, 0, 0, 100, 0, 100, 120, 0, 0},
        {"100 of which 20 paid, left 80", 80, 100, 0, 0, 0, 0, 80, 0, 80, 100, 0, 0},
        {"unpaid, lowered", 100, 100, 0, 0, 0, 0, 60, 0, 60, 60, 0, 0},
        {"30 paid elsewhere while open, typed 100", 80, 100, 0, 0, 30, 0, 100, 0, 70, 120, 0, 0},
        {"arrears 60, 20 paid elsewhere, typed 90", 0, 0, 60, 60, 0, 20, 0, 90, 0, 0, 70, 90},
        {"arrears cleared", 0, 0, 60, 60, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    int64_t id = 700;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        putLevy(++id, 17, "Iluminat", k.suma, k.suma2, k.rest, k.restini);
        Levies l = levies();
        const LevyRow shown = *l.Find(id);
        if (k.paidMeanwhileCurrent || k.paidMeanwhileArrears)
            db->exec("UPDATE Datorii SET SUMA = SUMA - ?, REST = REST - ? WHERE IDDAT = ?",
                     {k.paidMeanwhileCurrent, k.paidMeanwhileArrears, id});
        LevyInput typed = shown.input();
        typed.current = k.typedCurrent;
        typed.arrears = k.typedArrears;
        typed.explanation = "Rectificare";
        typed.date = QDate(2024, 6, 1);
        ASSERT_EQ(l.Modify(shown, typed), Levies::Outcome::Done);
        const LevyRow now = *l.Find(id);
        EXPECT_EQ(now.current, k.suma_);
        EXPECT_EQ(now.current0, k.suma2_);
        EXPECT_EQ(now.arrears, k.rest_);
        EXPECT_EQ(now.arrears0, k.restini_);
        EXPECT_EQ(now.explanation, "Rectificare");
        EXPECT_EQ(now.date, QDate(2024, 6, 1));
    }
}

TEST_F(LeviesTest, TheNameOfAPaidLevyStays)
{
    putLevy(801, 17, "Iluminat", 80, 100, 0, 0);  // paid
    putLevy(802, 17, "Iluminat", 100, 100, 0, 0); // not paid
    Levies l = levies();
    const LevyRow paid = *l.Find(801);
    ASSERT_TRUE(paid.paid());
    LevyInput renamed = paid.input();
    renamed.name = "Salubritate";
    renamed.current = 90;
    EXPECT_EQ(l.Modify(paid, renamed), Levies::Outcome::Paid);
    EXPECT_EQ(l.Find(801)->group, "Iluminat");
    EXPECT_EQ(l.Find(801)->current, 80);
    // The same name with a new amount is allowed.
    LevyInput amount = paid.input();
    amount.current = 90;
    EXPECT_EQ(l.Modify(paid, amount), Levies::Outcome::Done);
    EXPECT_EQ(l.Find(801)->current, 90);
    EXPECT_EQ(l.Find(801)->current0, 110);

    const LevyRow open = *l.Find(802);
    ASSERT_FALSE(open.paid());
    LevyInput moved = open.input();
    moved.name = "Salubritate";
    EXPECT_EQ(l.Modify(open, moved), Levies::Outcome::Done);
    EXPECT_EQ(l.Find(802)->group, "Salubritate");
    EXPECT_EQ(l.Find(802)->item, "Salubritate");

    // Paid between showing and storing: the name is refused all the same.
    const LevyRow shown = *l.Find(802);
    db->exec("UPDATE Datorii SET SUMA = 40 WHERE IDDAT = 802");
    LevyInput late = shown.input();
    late.name = "PSI";
    EXPECT_EQ(l.Modify(shown, late), Levies::Outcome::Paid);
    EXPECT_EQ(l.Find(802)->group, "Salubritate");
}

TEST_F(LeviesTest, DeleteOnlyAnUnpaidLevyOfTheTaxpayer)
{
    putLevy(811, 17, "Paza", 50, 50, 0, 0);
    putLevy(812, 17, "Paza", 0, 0, 30, 45); // arrears partly paid
    putLevy(813, 18, "Paza", 50, 50, 0, 0); // another taxpayer
    Levies l = levies();
    EXPECT_EQ(l.Delete(17, 812), Levies::Outcome::Paid);
    EXPECT_EQ(l.Delete(17, 813), Levies::Outcome::Missing);
    EXPECT_EQ(l.Delete(17, 811), Levies::Outcome::Done);
    EXPECT_FALSE(l.Find(811).has_value());
    EXPECT_TRUE(l.Find(812).has_value());
    EXPECT_TRUE(l.Find(813).has_value());
}

TEST_F(LeviesTest, ListShowsTheTaxpayersManualRowsByGroupAndDate)
{
    putLevy(821, 17, "Salubritate", 50, 50, 0, 0);
    putLevy(822, 17, "Iluminat", 50, 50, 0, 0);
    putLevy(823, 17, "Impozit pe cladiri", 50, 50, 0, 0, "A"); // the yearly assessment's
    putLevy(824, 18, "Iluminat", 50, 50, 0, 0);
    db->exec("UPDATE Datorii SET DINDATA = ? WHERE IDDAT = 822", {"2024-01-05"});
    Levies l = levies();
    const int64_t later = l.Add(owner, input("Iluminat", 10, 0, 0)); // 14.05.2024
    std::vector<int64_t> ids;
    for (const LevyRow& r : l.List(17))
        ids.push_back(r.iddat);
    EXPECT_EQ(ids, (std::vector<int64_t>{822, later, 821}));
    EXPECT_FALSE(l.Find(823).has_value());
}

} // namespace

// The two commands of the register window: what the user is told and asked, the progress window
// (text, maximum, steps, stop button) and the activity log, through the scripted interaction.
#include "assessment/assessment_commands.h"

#include "assessment_support.h"

#include <QLineEdit>

using namespace lirma;
using namespace lirma::assessment;

namespace {

class AssessmentCommandsTest : public test::AssessmentFolderTest {
protected:
    void SetUp() override
    {
        AssessmentFolderTest::SetUp();
        AssessmentSettings s;
        s.land.outside[0][0] = 40;
        debts = std::make_unique<YearlyDebts>(*db, *counters, s);
    }
    LogFn logger()
    {
        return [this](const QString& rol, const QString& action) { logged.push_back(rol + " | " + action); };
    }
    // n taxpayers with land; the ones in `withoutRole` have no role number.
    std::vector<int64_t> addTaxpayers(int n, const std::vector<int>& withoutRole = {})
    {
        std::vector<int64_t> ids;
        for (int i = 1; i <= n; ++i) {
            const bool noRole = std::find(withoutRole.begin(), withoutRole.end(), i) != withoutRole.end();
            addTaxpayer(i, noRole ? "" : std::to_string(100 + i), "CONTRIBUABIL " + std::to_string(i));
            setPage("Pag1", i, "L1A", "1");
            ids.push_back(i);
        }
        return ids;
    }

    std::unique_ptr<YearlyDebts> debts;
    QStringList logged;
};

} // namespace

TEST_F(AssessmentCommandsTest, AddOneTaxpayer)
{
    addTaxpayers(1);
    QLineEdit roleFilter;
    roleFilter.setObjectName("ROLEd");

    // Nothing selected: the list is empty.
    EXPECT_FALSE(AddLaPlata(*debts, std::nullopt, &roleFilter, logger()));
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].title, "Adaugare la plata");
    EXPECT_EQ(scripted.messages()[0].text, "\rAlegeti mai intai un ROL!");
    EXPECT_EQ(scripted.messages()[0].kind, ui::KindEroare);

    // A taxpayer without role number: the balloon on the role filter, nothing written.
    scripted.clearRecords();
    EXPECT_FALSE(AddLaPlata(*debts, SelectedTaxpayer{1, "  "}, &roleFilter, logger()));
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(scripted.problems()[0].text, " nu are Numar de ROL! Apasati Modifica si puneti-i!");
    EXPECT_EQ(scripted.problems()[0].controlName, "ROLEd");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii"), 0);

    scripted.clearRecords();
    EXPECT_TRUE(AddLaPlata(*debts, SelectedTaxpayer{1, "101"}, &roleFilter, logger()));
    EXPECT_EQ(scalar("SELECT SUMA2 FROM Datorii WHERE IDGOS = 1"), 40);
    EXPECT_EQ(logged, QStringList{"101 | Adaugat la plata"});
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "101 a fost adaugat la plata.");
    EXPECT_EQ(scripted.messages()[0].kind, ui::KindInformatie);
    EXPECT_TRUE(scripted.scriptedProgress().texts().contains("Adaugare ROL la plata..."));
    EXPECT_FALSE(scripted.scriptedProgress().isShown());
}

TEST_F(AssessmentCommandsTest, AddOneRefusedTaxpayerIsToldWhy)
{
    addTaxpayers(1);
    db->exec("UPDATE Gospodar SET ROL = '' WHERE IDGOS = 1"); // emptied by another workstation
    EXPECT_FALSE(AddLaPlata(*debts, SelectedTaxpayer{1, "101"}, nullptr, logger()));
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "CONTRIBUABIL 1 nu are trecut ROL-ul si a fost respins.");
    EXPECT_EQ(scripted.messages()[0].kind, ui::KindEroare);
    EXPECT_TRUE(logged.isEmpty());
}

TEST_F(AssessmentCommandsTest, AddAllAfterTheQuestion)
{
    const std::vector<int64_t> ids = addTaxpayers(23, {5, 17});

    // Nothing in the register.
    EXPECT_FALSE(AddAllPlata(*debts, {}, " * indiferent *", logger()));
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "\rNu aveti ce adauga la plata!");

    // "NU": nothing done.
    scripted.clearRecords();
    scripted.answerMessage(ui::ReplyNu, "Doriti sa adaugati toate pozitiile la plata?");
    EXPECT_FALSE(AddAllPlata(*debts, ids, " * indiferent *", logger()));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii"), 0);
    EXPECT_TRUE(logged.isEmpty());

    scripted.clearRecords();
    scripted.answerMessage(ui::ReplyDa, "Doriti sa adaugati toate pozitiile la plata?");
    const auto result = AddAllPlata(*debts, ids, "DEALU", logger());
    ASSERT_TRUE(result);
    EXPECT_EQ(result->accepted, 21);
    EXPECT_EQ(result->rejected, 2);
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT IDGOS) FROM Datorii"), 21);

    const ui::ScriptedProgress& progress = scripted.scriptedProgress();
    EXPECT_EQ(progress.maximum(), 2); // 23 / 10
    EXPECT_EQ(progress.steps(), 2);   // after the 10th and the 20th
    EXPECT_TRUE(progress.stoppable());
    EXPECT_TRUE(progress.texts().contains("Adaugare la plata..."));
    EXPECT_TRUE(progress.texts().contains("Adaugare 20 / 23"));
    EXPECT_FALSE(progress.isShown());

    EXPECT_EQ(logged, QStringList{"DEALU | Adaugate la plata 21 ROL-uri"});
    const auto messages = scripted.messages();
    ASSERT_EQ(messages.size(), 2u); // the question, then the summary
    EXPECT_EQ(messages[1].title, "Adaugare localitati la plata");
    EXPECT_EQ(messages[1].text, "\rAu fost adaugate la plata 21 ROL-uri si respinse 2 ROL-uri.\r\rRespinse:"
                                "\rCONTRIBUABIL 5 nu are trecut ROL-ul si a fost respins."
                                "\rCONTRIBUABIL 17 nu are trecut ROL-ul si a fost respins.");
}

TEST_F(AssessmentCommandsTest, TheStopButtonEndsTheRunWithWhatWasDone)
{
    const std::vector<int64_t> ids = addTaxpayers(40);
    debts->setBatchSize(7);
    scripted.answerMessage(ui::ReplyDa);
    scripted.scriptedProgress().stopAfterSteps(2); // pressed once the bar moved twice: after the 20th
    const auto result = AddAllPlata(*debts, ids, "DEALU", logger());
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->stopped);
    EXPECT_EQ(result->accepted, 20);
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT IDGOS) FROM SoldCalc"), 20);
    EXPECT_EQ(logged, QStringList{"DEALU | Adaugate la plata 20 ROL-uri"});
}

TEST(AssessmentSummary, LongListsOfRefusalsAreCut)
{
    YearlyDebts::RunResult r;
    r.accepted = 3;
    r.rejected = 4;
    for (int i = 1; i <= 4; ++i)
        r.refusals.push_back({i, {}, {}, QStringLiteral("R%1").arg(i)});
    EXPECT_EQ(RunSummary(r, 2), "\rAu fost adaugate la plata 3 ROL-uri si respinse 4 ROL-uri.\r\rRespinse:\rR1\rR2"
                                "\r... si inca 2.");
    r.refusals.clear();
    r.rejected = 0;
    EXPECT_EQ(RunSummary(r), "\rAu fost adaugate la plata 3 ROL-uri si respinse 0 ROL-uri.");
}

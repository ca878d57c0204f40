// The yearly assessment on the register window (offscreen): the two buttons, the unsaved-changes
// question before a run, the whole register whatever the filter with the filter put back, the tax
// line of the land and vehicle pages and their calculation sheets.
#include "register/assessment_bar.h"

#include "register/asset_page_view.h"
#include "register/tgospodarii.h"

#include "register_support.h"
#include "support/qt_application.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

using namespace lirma;
using lirma::reg::AssetPage;
using lirma::reg::TGospodarii;

namespace {

void typeInto(QLineEdit* e, const QString& value)
{
    e->setText(value);
    emit e->textEdited(value);
}

class AssessmentBarTest : public test::RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        folders = base::Folders::ForProgram(dir.filePath("Program"));
        ASSERT_TRUE(folders.createMissing());
        window = std::make_unique<TGospodarii>(*db, *settings, *counters, admin);
        bar = new reg::AssessmentBar(*window, *db, *settings, *counters, admin, folders,
                                     [this](const QString& rol, const QString& action) { logged << rol + " | " + action; });
        window->AddBelowPages(bar); // as the program does
    }
    void TearDown() override
    {
        window.reset();
        RegisterFolderTest::TearDown();
    }
    bool open(AssetPage page) { return window->ListView1SelectItem(TGospodarii::EntryOfPage(page)); }
    int64_t suma2(int64_t idgos)
    {
        return db->scalar("SELECT SUMA2 FROM Datorii WHERE IDGOS = ? AND GRUPA = 'Impozit pe teren extravilan'", {idgos})
            .toInt();
    }
    void setArable(int64_t idgos, const char* hectares)
    {
        db->exec("UPDATE Pag1 SET L1A = ? WHERE IDGOS = ?", {std::string(hectares), idgos});
    }

    base::Folders folders;
    core::AdminValues admin; // design values: arable land in column A at 40 lei / ha
    std::unique_ptr<TGospodarii> window;
    reg::AssessmentBar* bar = nullptr; // owned by the window
    QStringList logged;
};

} // namespace

TEST_F(AssessmentBarTest, ButtonsAndTaxLines)
{
    EXPECT_EQ(bar->addOneButton()->text(), "A&dauga Gospodaria (ROL) la plata");
    EXPECT_EQ(bar->addAllButton()->text(), "Adauga toate &Localitatile la plata");
    for (AssetPage page : {AssetPage::Pag1, AssetPage::Pag4, AssetPage::Pag5}) {
        ASSERT_NE(bar->taxLabel(page), nullptr);
        EXPECT_TRUE(window->pageView(page)->isAncestorOf(bar->taxLabel(page)));
        EXPECT_EQ(bar->sheetButton(page)->text(), "Fisa de calcul");
    }
    EXPECT_EQ(bar->taxLabel(AssetPage::Pag6), nullptr);
    // Below the pages, on every page.
    EXPECT_EQ(bar->parentWidget(), window.get());
    EXPECT_FALSE(window->pageControl()->isAncestorOf(bar));
}

TEST_F(AssessmentBarTest, AddOneAsksAboutUnsavedChangesFirst)
{
    const int64_t id = add("SAT", "5", "POP ION");
    window->Prepare();
    setArable(id, "1.2345");

    // The page shows a new area not yet saved: NU keeps the stored one (1.2345 x 40 = 49.38 -> 49).
    ASSERT_TRUE(open(AssetPage::Pag1));
    EXPECT_EQ(bar->taxLabel(AssetPage::Pag1)->text(), "Impozit calculat: 49 lei");
    typeInto(window->pageView(AssetPage::Pag1)->field("EC1ZA"), "2");
    scripted.answerMessage(ui::ReplyNu, "Date nememorate");
    EXPECT_TRUE(bar->AddLaPlata());
    EXPECT_EQ(suma2(id), 49);
    EXPECT_EQ(logged, QStringList{"5 | Adaugat la plata"});
    EXPECT_EQ(scripted.messages().back().text, "5 a fost adaugat la plata.");

    // DA stores it first: 2 x 40 = 80.
    typeInto(window->pageView(AssetPage::Pag1)->field("EC1ZA"), "2");
    scripted.answerMessage(ui::ReplyDa, "Date nememorate");
    EXPECT_TRUE(bar->AddLaPlata());
    EXPECT_EQ(suma2(id), 80);
    EXPECT_EQ(bar->taxLabel(AssetPage::Pag1)->text(), "Impozit calculat: 80 lei");
    EXPECT_EQ(scripted.pendingAnswers(), 0);
}

TEST_F(AssessmentBarTest, AddAllWhateverTheFilterThenPutsItBack)
{
    const int64_t a = add("SAT A", "1", "ALBU DAN");
    const int64_t b = add("SAT B", "2", "BARBU ION");
    const int64_t c = add("SAT B", "3", "COSTIN ANA");
    for (int64_t id : {a, b, c})
        setArable(id, "1");
    window->Prepare();
    window->SatCombo()->setCurrentText("SAT B");
    window->PuneFiltru();
    ASSERT_EQ(window->taxpayers().visibleCount(), 2);
    ASSERT_TRUE(window->selectTaxpayer(c));

    scripted.answerMessage(ui::ReplyDa, "Doriti sa adaugati toate pozitiile la plata?");
    const auto result = bar->AddAllPlata();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->accepted, 3);
    for (int64_t id : {a, b, c})
        EXPECT_EQ(suma2(id), 40) << id;
    EXPECT_EQ(window->taxpayers().visibleCount(), 2); // the village filter again
    ASSERT_NE(window->selected(), nullptr);
    EXPECT_EQ(window->selected()->idgos, b); // the first row
    EXPECT_EQ(logged, QStringList{"SAT B | Adaugate la plata 3 ROL-uri"});
    EXPECT_EQ(scripted.messages().back().text, "\rAu fost adaugate la plata 3 ROL-uri si respinse 0 ROL-uri.");
}

TEST_F(AssessmentBarTest, VehicleTaxLineAndSheet)
{
    const int64_t id = add("SAT", "5", "POP ION");
    ASSERT_TRUE(admin.setText("AUTO2", "75"));
    db->exec("UPDATE Pag5 SET AUTO2 = 2 WHERE IDGOS = ?", {id});
    window->Prepare();
    ASSERT_TRUE(open(AssetPage::Pag5));
    EXPECT_EQ(bar->taxLabel(AssetPage::Pag5)->text(), "Impozit calculat: 150 lei");

    const QString sheet = bar->ShowSheet(AssetPage::Pag5);
    ASSERT_FALSE(sheet.isEmpty());
    const auto opened = scripted.recordsOf(ui::ScriptedInteraction::What::Document);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].path, sheet);
    ASSERT_TRUE(open(AssetPage::Pag1));
    bar->sheetButton(AssetPage::Pag1)->click();
    EXPECT_EQ(scripted.recordsOf(ui::ScriptedInteraction::What::Document).size(), 2u);
}

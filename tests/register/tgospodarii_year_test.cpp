// The last page of the register window, "Operatiuni in timpul anului": its navigation entry, and
// the levies and debits of the taxpayer selected in the list when the page is opened.
#include "assessment/taxe_an_page.h"
#include "assessment/text_rows_model.h"
#include "register/tgospodarii.h"

#include "register_support.h"
#include "support/qt_application.h"

#include <QDir>
#include <QListWidget>
#include <QStackedWidget>

using namespace lirma;
using lirma::reg::TGospodarii;
using lirma::test::RegisterFolderTest;

namespace {

class RegisterYearPageTest : public RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        window = std::make_unique<TGospodarii>(*db, *settings, *counters, admin);
    }
    void TearDown() override
    {
        window.reset();
        RegisterFolderTest::TearDown();
    }
    void levy(int64_t iddat, int64_t idgos, const char* group, const char* tip)
    {
        db->exec("INSERT INTO Datorii (IDDAT, IDGOS, DINDATA, GRUPA, DENUM, SUMA, REST, REDUC, TIP, SUMA2, RESTINI) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {iddat, idgos, "2024-02-01", group, group, 40, 0, 0, tip, 40, 0});
    }

    core::AdminValues admin;
    std::unique_ptr<TGospodarii> window;
};

TEST_F(RegisterYearPageTest, TheLastEntryShowsTheSelectedTaxpayersRows)
{
    const int64_t a = add("SAT A", "1", "POP ION");
    const int64_t b = add("SAT A", "2", "VASILE ION");
    levy(1, a, "Iluminat", "M");
    levy(2, a, "Impozit pe cladiri", "A"); // the yearly assessment's, not shown here
    levy(3, b, "Salubritate", "M");
    levy(4, b, "Paza", "M");
    db->exec("INSERT INTO Debit (IDDEB, IDGOS, GRUPA, CATEG, DINDATA, SUMAINI, SUMAC) VALUES (?, ?, ?, ?, ?, ?, ?)",
             {9, b, "Impozit pe cladiri", "Majorare", "2024-03-01", 25, 25});
    window->Prepare();

    const int entry = TGospodarii::EntryOfYearOperations();
    EXPECT_EQ(entry, window->ListView1()->count() - 1);
    EXPECT_EQ(window->ListView1()->item(entry)->text(), "Zoza zi roduvuru in timpul anului");
    EXPECT_FALSE(TGospodarii::PageOfEntry(entry).has_value());

    ASSERT_TRUE(window->selectTaxpayer(b));
    ASSERT_TRUE(window->ListView1SelectItem(entry));
    assessment::TaxeAnPage* page = window->taxeAnPage();
    EXPECT_EQ(window->pageControl()->currentWidget(), page);
    EXPECT_EQ(page->taxpayer().idgos, b);
    EXPECT_EQ(page->taxpayer().satul, "SAT A");
    EXPECT_EQ(page->taxpayer().rol, "2");
    ASSERT_EQ(page->leviesModel()->rowCount(), 2);
    EXPECT_EQ(page->leviesModel()->rows()[0].cells[0], "Paza");
    EXPECT_EQ(page->debitsModel()->rowCount(), 1);
    EXPECT_EQ(window->ListView1()->currentRow(), entry);
    // The window with the page, for docs/screens when LIRMA_SCREENS_DIR names a folder.
    if (const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR"); !dir.isEmpty()) {
        QDir().mkpath(dir);
        window->show();
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(QDir(dir).filePath("tgospodarii_taxean.png")));
        window->hide();
    }

    // Back to the list, another taxpayer, the page again.
    ASSERT_TRUE(window->ListView1SelectItem(0));
    ASSERT_TRUE(window->selectTaxpayer(a));
    ASSERT_TRUE(window->ListView1SelectItem(entry));
    EXPECT_EQ(page->taxpayer().idgos, a);
    ASSERT_EQ(page->leviesModel()->rowCount(), 1);
    EXPECT_EQ(page->leviesModel()->rows()[0].cells[0], "Iluminat");
    EXPECT_EQ(page->debitsModel()->rowCount(), 0);

    // The heading entry keeps the page where it is.
    EXPECT_FALSE(window->ListView1SelectItem(1));
    EXPECT_EQ(window->ListView1()->currentRow(), entry);
    EXPECT_EQ(window->pageControl()->currentWidget(), page);
}

} // namespace

// The register window on the offscreen platform: list, filter and sorting, the add/modify
// dialog with its balloons, delete, page navigation with unsaved changes, refused values and
// the year lock.
#include "register/asset_page_view.h"
#include "register/buildings_page.h"
#include "register/taddgosf.h"
#include "register/tcnpedit.h"
#include "register/tgospodarii.h"

#include "register_support.h"
#include "support/qt_application.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>

using namespace lirma;
using lirma::reg::AssetPage;
using lirma::reg::TGospodarii;
using lirma::test::RegisterFolderTest;
using lirma::ui::ScriptedInteraction;

namespace {

// What the user types into a page field.
void typeInto(QLineEdit* e, const QString& value)
{
    e->setText(value);
    emit e->textEdited(value);
}

class RegisterWindowTest : public RegisterFolderTest {
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
    QStringList comboItems(QComboBox* box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    QStringList shownNames()
    {
        QStringList out;
        auto* m = window->SMDBGrid3()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, int(reg::GridColumn::Numep)).data().toString();
        return out;
    }
    QString selectedName()
    {
        const reg::Taxpayer* t = window->selected();
        return t ? t->numep : QString();
    }
    bool open(AssetPage page) { return window->ListView1SelectItem(TGospodarii::EntryOfPage(page)); }
    reg::AssetPageView* view(AssetPage page) { return window->pageView(page); }

    core::AdminValues admin;
    std::unique_ptr<TGospodarii> window;
};

TEST_F(RegisterWindowTest, OpensWithTheListVillagesAndZoneHeadings)
{
    add("SAT B", "2", "VASILE ION");
    add("SAT A", "1", "POP ION");
    add("SAT A", "3", "ALBU DAN");
    db->exec("INSERT INTO DefZone (ID, LOCALIT, ZONA, RANG) VALUES (?, ?, ?, ?)", {1, "CATUN", "A", "I"});
    db->exec("INSERT INTO DefZone (ID, LOCALIT, ZONA, RANG) VALUES (?, ?, ?, ?)", {2, "SAT A", "A", "I"});
    window->Prepare();
    EXPECT_EQ(comboItems(window->SatCombo()), QStringList({" * indiferent *", "SAT A", "SAT B", "CATUN"}));
    EXPECT_EQ(window->totalLabel()->text(), "3");
    EXPECT_EQ(shownNames(), QStringList({"ALBU DAN", "POP ION", "VASILE ION"}));
    EXPECT_EQ(window->pageControl()->currentWidget(), window->IdentificareP());
    EXPECT_EQ(window->headerVillage()->text(), "SAT A");
    EXPECT_EQ(window->headerName()->text(), "ALBU DAN");
    EXPECT_EQ(window->headerRole()->text(), "3");
    EXPECT_EQ(view(AssetPage::Pag1)->columnHeadings(), QStringList({"A I", "B II", "C II", "D II", "D IV"}));
    const QStringList inside = {"A I", "B II", "C III", "D III", "D IV", "D IV"};
    EXPECT_EQ(view(AssetPage::Pag4)->columnHeadings(), inside + inside);
    // The "Scutit de majorari" line shows only when FARAMAJORARI is on.
    EXPECT_TRUE(window->noPenaltyLabel()->isHidden());
    ASSERT_TRUE(settings->write(db::keys::FARAMAJORARI, "DA"));
    window->Prepare();
    EXPECT_FALSE(window->noPenaltyLabel()->isHidden());
}

TEST_F(RegisterWindowTest, FilterReactsToTypingAndKeepsTheSelectedTaxpayer)
{
    add("SAT A", "12", "ION A");
    const int64_t b = add("SAT A", "12", "ION B");
    add("SAT B", "12", "MARIN ION");
    add("SAT B", "13", "ION C");
    window->Prepare();
    ASSERT_TRUE(window->selectTaxpayer(b));
    window->NumeEd()->setText("ION");
    EXPECT_EQ(shownNames(), QStringList({"ION A", "ION B", "ION C"}));
    EXPECT_EQ(selectedName(), "ION B");
    window->ROLEd()->setText("12");
    EXPECT_EQ(shownNames(), QStringList({"ION A", "ION B"}));
    EXPECT_EQ(window->totalLabel()->text(), "2");
    EXPECT_EQ(selectedName(), "ION B");
    // A filter that hides the selected taxpayer moves to the first row shown.
    window->SatCombo()->setCurrentText("SAT B");
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_EQ(window->totalLabel()->text(), "0");
    EXPECT_EQ(window->remarksLabel()->text(), "");
    window->ROLEd()->clear();
    EXPECT_EQ(shownNames(), QStringList({"ION C"}));
    EXPECT_EQ(selectedName(), "ION C");
}

TEST_F(RegisterWindowTest, SortingByATitleKeepsTheSelectedTaxpayer)
{
    add("SAT", "10", "ANA");
    const int64_t dan = add("SAT", "2", "DAN");
    add("SAT", "100", "BOGDAN");
    window->Prepare();
    ASSERT_TRUE(window->selectTaxpayer(dan));
    emit window->SMDBGrid3()->horizontalHeader()->sectionClicked(int(reg::GridColumn::Rol));
    EXPECT_EQ(shownNames(), QStringList({"DAN", "ANA", "BOGDAN"}));
    EXPECT_EQ(selectedName(), "DAN");
    // The list is read again: a taxpayer added elsewhere shows up.
    reg::TaxpayerRegister other(*db, *counters);
    other.Add(input("SAT", "1", "ELENA"));
    emit window->SMDBGrid3()->horizontalHeader()->sectionClicked(int(reg::GridColumn::Numep));
    EXPECT_EQ(shownNames(), QStringList({"ANA", "BOGDAN", "DAN", "ELENA"}));
    EXPECT_EQ(selectedName(), "DAN");
}

TEST_F(RegisterWindowTest, AddThroughTheDialog)
{
    add("SAT A", "12", "ION");
    window->Prepare();
    window->SatCombo()->setCurrentText("SAT A");
    reg::TAddGosF& d = window->dialog();
    QString village = "SAT A", name = "POPA DAN";
    d.setDialogRunner([&](QDialog&) {
        EXPECT_EQ(d.windowTitle(), "Adaugare gospodarie");
        EXPECT_EQ(d.SatCombo()->currentText(), "SAT A");
        EXPECT_EQ(d.NrPers()->text(), "1");
        EXPECT_EQ(d.TipEd()->currentText(), "FIZICA");
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(d.exemption(i)->currentText(), "0");
        EXPECT_TRUE(d.FaraMaj()->isHidden());
        d.SatCombo()->setEditText(village);
        d.CapGosp()->setText(name);
        d.Obs()->setPlainText(QString(300, u'o'));
        d.MemoreazaClick();
        return d.result();
    });
    window->AddGospodarie();
    EXPECT_EQ(d.ROLEd()->text(), "13") << "the suggested role";
    EXPECT_EQ(selectedName(), "POPA DAN");
    EXPECT_EQ(window->remarksLabel()->text(), QString(300, u'o'));
    const int64_t id = db->scalar("SELECT IDGOS FROM Gospodar WHERE NUMEP = ?", {"POPA DAN"}).toInt();
    for (const QString& table : reg::PageTables())
        EXPECT_EQ(count(table.toStdString(), id), 1) << table.toStdString();

    // A new village joins the village list; the filter stays as chosen.
    village = "SAT NOU";
    name = "DAN POPA";
    window->AddGospodarie();
    EXPECT_EQ(d.ROLEd()->text(), "14");
    EXPECT_EQ(comboItems(window->SatCombo()), QStringList({" * indiferent *", "SAT A", "SAT NOU"}));
    EXPECT_EQ(window->SatCombo()->currentText(), "SAT A");
    window->SatCombo()->setCurrentText("SAT NOU");
    EXPECT_EQ(shownNames(), QStringList({"DAN POPA"}));
}

TEST_F(RegisterWindowTest, DialogBalloonsPointAtTheirFieldsInOrder)
{
    add("SAT", "7", "VECIN");
    window->Prepare();
    reg::TAddGosF& d = window->dialog();
    QStringList balloons;
    d.setDialogRunner([&](QDialog&) {
        auto press = [&] {
            scripted.clearRecords();
            d.MemoreazaClick();
            const auto p = scripted.problems();
            balloons << (p.empty() ? QString() : p[0].text + " @" + p[0].controlName);
        };
        d.SatCombo()->setEditText("");
        d.ROLEd()->clear();
        d.CNP1()->setText("123");
        press();
        d.SatCombo()->setEditText("SAT");
        press();
        d.ROLEd()->setText("7");
        press();
        d.CNP1()->setText("1800101221144");
        press();
        d.CapGosp()->setText("NOU");
        scripted.answerMessage(ui::ReplyNu, "Verificare numar de ROL");
        press();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        scripted.answerMessage(ui::ReplyDa, "Verificare numar de ROL");
        // Enter in the last exemption list presses "&Memoreaza".
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d.exemption(4), &enter);
        return d.result();
    });
    window->AddGospodarie();
    EXPECT_EQ(balloons, QStringList({"Lipseste Localitatea! @SatCombo", "Numar de ROL incorect! @ROLEd",
                                     "CNP / CUI incorect! @CNP1", "Lipseste Capul de gospodarie! @CapGosp", ""}));
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Gospodar WHERE NUMEP = ?", {"NOU"}).toInt(), 1);
    EXPECT_EQ(scripted.pendingAnswers(), 0);
}

TEST_F(RegisterWindowTest, ModifyKeepsStoredValuesThatAreNotAmongTheEntries)
{
    const int64_t id = add("SAT", "5", "VECHI");
    db->exec("UPDATE Gospodar SET SCCLAD = 25, TIP = 'ALTUL', OBS = ?, OBS2 = ? WHERE IDGOS = ?",
             {std::string(239, 'a') + " ", "b", id});
    window->Prepare();
    reg::TAddGosF& d = window->dialog();
    d.setDialogRunner([&](QDialog&) {
        EXPECT_EQ(d.windowTitle(), "Modificare gospodarie");
        EXPECT_EQ(d.exemption(0)->currentText(), "25");
        EXPECT_EQ(d.TipEd()->currentText(), "ALTUL");
        EXPECT_EQ(d.Obs()->toPlainText(), QString(239, u'a') + " b");
        d.CapGosp()->setText("NOU");
        d.MemoreazaClick();
        return d.result();
    });
    window->EditGospodarie();
    const auto row = db->query("SELECT NUMEP, SCCLAD, TIP, OBS, OBS2 FROM Gospodar WHERE IDGOS = ?", {id});
    EXPECT_EQ(row.rows[0][0].toText(), "NOU");
    EXPECT_EQ(row.rows[0][1].toInt(), 25);
    EXPECT_EQ(row.rows[0][2].toText(), "ALTUL");
    EXPECT_EQ(QString::fromStdString(row.rows[0][3].toText() + "|" + row.rows[0][4].toText()),
              QString(239, u'a') + "|b");
    EXPECT_EQ(selectedName(), "NOU");
    // The next add starts from the entries again.
    d.setDialogRunner([&](QDialog&) {
        EXPECT_EQ(d.exemption(0)->count(), 4);
        EXPECT_EQ(d.TipEd()->count(), 2);
        return int(QDialog::Rejected);
    });
    window->AddGospodarie();
}

TEST_F(RegisterWindowTest, ModifyAndDeleteNeedASelectedTaxpayer)
{
    window->Prepare();
    window->EditGospodarie();
    window->DelGospodarie();
    const auto p = scripted.problems();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].text, "Nu aveti ce modifica!");
    EXPECT_EQ(p[0].controlName, "SMDBGrid3");
    EXPECT_EQ(p[1].text, "Nu aveti ce sterge!");
    EXPECT_EQ(p[1].controlName, "SMDBGrid3");
    // Pages are not reached through an empty list.
    EXPECT_FALSE(open(AssetPage::Pag1));
}

TEST_F(RegisterWindowTest, DeleteMovesToThePreviousRow)
{
    add("SAT", "1", "A");
    const int64_t b = add("SAT", "2", "B");
    const int64_t c = add("SAT", "3", "C");
    window->Prepare();
    ASSERT_TRUE(window->selectTaxpayer(c));
    for (int i = 0; i < 4; ++i)
        scripted.answerMessage(ui::ReplyDa, "Stergere gospodarie");
    window->DelGospodarie();
    EXPECT_EQ(shownNames(), QStringList({"A", "B"}));
    EXPECT_EQ(selectedName(), "B");
    EXPECT_EQ(count("Pag1", c), 0);
    ASSERT_TRUE(window->selectTaxpayer(db->scalar("SELECT IDGOS FROM Gospodar WHERE NUMEP = 'A'").toInt()));
    for (int i = 0; i < 4; ++i)
        scripted.answerMessage(ui::ReplyDa, "Stergere gospodarie");
    window->DelGospodarie();
    EXPECT_EQ(shownNames(), QStringList({"B"}));
    EXPECT_EQ(selectedName(), "B") << "the first row deleted: the one after it";
    EXPECT_EQ(count("Gospodar", b), 1);
}

TEST_F(RegisterWindowTest, LeavingAPageWithUnsavedChangesAsks)
{
    const int64_t id = add("SAT", "1", "ION");
    window->Prepare();
    EXPECT_FALSE(window->ListView1SelectItem(1)) << "the heading selects nothing";
    EXPECT_TRUE(window->ListView1SelectItem(TGospodarii::EntryOfBuildings()));
    EXPECT_EQ(window->pageControl()->currentWidget(), window->buildingsPage());
    ASSERT_TRUE(window->ListView1SelectItem(0));
    EXPECT_EQ(window->pageControl()->currentWidget(), window->IdentificareP());

    ASSERT_TRUE(open(AssetPage::Pag1));
    reg::AssetPageView* page = view(AssetPage::Pag1);
    EXPECT_EQ(window->pageControl()->currentWidget(), page);
    EXPECT_EQ(window->ListView1()->currentRow(), 2);
    EXPECT_TRUE(page->panel()->isHidden());
    typeInto(page->field("EC1ZA"), "1.5");
    EXPECT_FALSE(page->panel()->isHidden());
    EXPECT_EQ(page->panel()->objectName(), "Modi1");

    // NU: the value is dropped; coming back shows the stored one.
    scripted.answerMessage(ui::ReplyNu, "Date nememorate");
    ASSERT_TRUE(window->ListView1SelectItem(0));
    const auto asked = scripted.messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Ati facut modificari in pagina si nu le-ati memorat!\rDoriti sa le memorati?");
    EXPECT_EQ(asked[0].kind, ui::KindConfirmare);
    EXPECT_EQ(window->pageControl()->currentWidget(), window->IdentificareP());
    ASSERT_TRUE(open(AssetPage::Pag1));
    EXPECT_EQ(page->field("EC1ZA")->text(), "0");
    EXPECT_EQ(db->scalar("SELECT L1A FROM Pag1 WHERE IDGOS = ?", {id}).toReal(), 0.0);

    // DA: saved before the next page shows.
    typeInto(page->field("EC1ZA"), "1.5");
    scripted.answerMessage(ui::ReplyDa, "Date nememorate");
    ASSERT_TRUE(open(AssetPage::Pag7));
    EXPECT_EQ(db->scalar("SELECT L1A FROM Pag1 WHERE IDGOS = ?", {id}).toReal(), 1.5);
    EXPECT_TRUE(page->panel()->isHidden());

    // "Anuleaza modificarile" reloads the page.
    reg::AssetPageView* other = view(AssetPage::Pag7);
    typeInto(other->field("Alte3"), "4");
    other->cancelButton()->click();
    EXPECT_EQ(other->field("Alte3")->text(), "0");
    EXPECT_TRUE(other->panel()->isHidden());
    // "Memoreaza modificarile" saves it.
    typeInto(other->field("Alte3"), "4");
    other->saveButton()->click();
    EXPECT_EQ(db->scalar("SELECT LIN3 FROM Pag7 WHERE IDGOS = ?", {id}).toInt(), 4);
    EXPECT_TRUE(other->panel()->isHidden());
    EXPECT_EQ(scripted.pendingAnswers(), 0);
}

TEST_F(RegisterWindowTest, RefusedValueKeepsTheUserOnThePage)
{
    const int64_t id = add("SAT", "1", "ION");
    window->Prepare();
    ASSERT_TRUE(open(AssetPage::Pag5));
    reg::AssetPageView* page = view(AssetPage::Pag5);
    typeInto(page->field("P30002"), "2500");
    page->saveButton()->click();
    auto p = scripted.problems();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].text, "Capacitatea trebuie sa fie peste 3000 cmc!");
    EXPECT_EQ(p[0].controlName, "P30002");
    EXPECT_FALSE(page->panel()->isHidden());
    // Leaving with DA tries to save, is refused, and stays.
    scripted.clearRecords();
    scripted.answerMessage(ui::ReplyDa, "Date nememorate");
    EXPECT_FALSE(open(AssetPage::Pag6));
    EXPECT_EQ(window->currentPage(), AssetPage::Pag5);
    EXPECT_EQ(window->pageControl()->currentWidget(), page);
    EXPECT_EQ(window->ListView1()->currentRow(), TGospodarii::EntryOfPage(AssetPage::Pag5));
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(db->scalar("SELECT P30002 FROM Pag5 WHERE IDGOS = ?", {id}).toInt(), 0);
}

TEST_F(RegisterWindowTest, LockedYearMakesPagesReadOnlyAndRefusesSaving)
{
    const int64_t id = add("SAT", "1", "ION");
    window->Prepare();
    lockYear(true);
    ASSERT_TRUE(open(AssetPage::Pag7));
    reg::AssetPageView* page = view(AssetPage::Pag7);
    for (int i = 0; i < page->fieldCount(); ++i)
        EXPECT_TRUE(page->field(i)->isReadOnly()) << i;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
    QApplication::sendEvent(page->field(0), &key);
    EXPECT_EQ(page->field(0)->text(), "0");
    EXPECT_TRUE(page->panel()->isHidden());

    // Locked by another workstation while the page was being edited.
    lockYear(false);
    ASSERT_TRUE(open(AssetPage::Pag7));
    EXPECT_FALSE(page->field(0)->isReadOnly());
    typeInto(page->field("Alte1"), "9");
    lockYear(true);
    page->saveButton()->click();
    const auto m = scripted.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "Modificare matricola");
    EXPECT_EQ(m[0].text, "Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!");
    EXPECT_EQ(m[0].kind, ui::KindEroare);
    EXPECT_EQ(page->field("Alte1")->text(), "0") << "the page is loaded again";
    EXPECT_TRUE(page->panel()->isHidden());
    EXPECT_EQ(db->scalar("SELECT LIN1 FROM Pag7 WHERE IDGOS = ?", {id}).toInt(), 0);
}

TEST_F(RegisterWindowTest, ClosingWithUnsavedChangesAsksUnlessTheYearIsLocked)
{
    const int64_t id = add("SAT", "1", "ION");
    window->Prepare();
    window->show();
    ASSERT_TRUE(open(AssetPage::Pag6));
    typeInto(view(AssetPage::Pag6)->field("VN11"), "2");
    scripted.answerMessage(ui::ReplyDa, "Date nememorate");
    window->reject();
    EXPECT_EQ(db->scalar("SELECT VN11 FROM Pag6 WHERE IDGOS = ?", {id}).toInt(), 2);
    EXPECT_FALSE(window->isVisible());

    window->Prepare();
    window->show();
    ASSERT_TRUE(open(AssetPage::Pag6));
    typeInto(view(AssetPage::Pag6)->field("VN11"), "3");
    lockYear(true);
    scripted.clearRecords();
    window->reject();
    EXPECT_TRUE(scripted.messages().empty());
    EXPECT_EQ(db->scalar("SELECT VN11 FROM Pag6 WHERE IDGOS = ?", {id}).toInt(), 2);
}

} // namespace

// The windows of the codes, levies and debits on Qt's offscreen platform: the codes window with
// its dialog, the page of the year's operations with the levy dialog TFTaxe and the debit dialog
// TAddImpozit. Modal runs are replaced by runners that fill the fields and press the buttons.
#include "assessment/taddimpozit.h"
#include "assessment/taxe_an_page.h"
#include "assessment/text_rows_model.h"
#include "assessment/tfclasificare.h"
#include "assessment/tftaxe.h"
#include "platform/base/dates.h"

#include "support/qt_application.h"
#include "year_support.h"

#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>

using namespace lirma;
using namespace lirma::assessment;
using lirma::test::YearFolderTest;
using What = ui::ScriptedInteraction::What;

namespace {

const QString kIban = QStringLiteral("RO49AAAA1B31007593840000");

void pressEnter(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}

// A runner that starts from "not confirmed", as a modal run does, then does `steps`.
template <class F>
std::function<int(QDialog&)> runner(F steps)
{
    return [steps](QDialog& d) {
        d.setResult(QDialog::Rejected);
        steps(d);
        return d.result();
    };
}

QStringList entries(const QComboBox* box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

// --- the codes window ---

class CodesWindowTest : public YearFolderTest {
protected:
    void SetUp() override
    {
        YearFolderTest::SetUp();
        window = std::make_unique<TFClasificare>();
        window->use(*db, *counters);
        window->Prepare();
    }
    void TearDown() override
    {
        window.reset();
        YearFolderTest::TearDown();
    }
    std::string code(int64_t id, const char* column) { return cell("CODCL", "IDCOD", id, column); }

    std::unique_ptr<TFClasificare> window;
};

TEST_F(CodesWindowTest, AddModifyAndDeleteThroughTheWindow)
{
    EXPECT_EQ(window->windowTitle(), "Nomenclator Coduri clasificare bugetara");
    ASSERT_EQ(window->model()->rowCount(), 12);
    TFAddCODCL& dialog = window->dialog();
    dialog.setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(dialog.heading()->text(), "Adaugare creanta");
        EXPECT_FALSE(dialog.CreantaL()->isReadOnly());
        dialog.CreantaL()->setText("  Taxa   piata ");
        dialog.TrezFL()->setText("21.02.02");
        EXPECT_EQ(dialog.TrezJL()->text(), "21.02.02"); // copied as typed
        dialog.TrezJL()->setText(kIban);
        dialog.MemoreazaButton()->click();
    }));
    window->AdaugaClick();
    EXPECT_TRUE(window->changed());
    ASSERT_EQ(window->model()->rowCount(), 13);
    EXPECT_EQ(window->selectedId(), 13);
    EXPECT_EQ(code(13, "GRUPA"), "Taxa piata");
    EXPECT_EQ(code(13, "CODCLJ"), kIban.toStdString());
    EXPECT_EQ(code(13, "TIP"), "T");

    dialog.setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(dialog.heading()->text(), "Modificare creanta");
        EXPECT_TRUE(dialog.CreantaL()->isReadOnly());
        EXPECT_EQ(dialog.CreantaL()->text(), "Taxa piata");
        EXPECT_EQ(dialog.TrezFL()->text(), "21.02.02");
        EXPECT_EQ(dialog.TrezJL()->text(), kIban);
        dialog.TrezFL()->setText("21.02.03");
        dialog.MemoreazaButton()->click();
    }));
    window->ModificaClick();
    EXPECT_EQ(code(13, "CODCLF"), "21.02.03");
    EXPECT_EQ(code(13, "CODCLJ"), "21.02.03");
    EXPECT_EQ(window->selectedId(), 13);

    ASSERT_TRUE(window->selectId(5));
    window->StergeClick();
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].title, "Stergere creanta");
    EXPECT_EQ(scripted.messages()[0].text, "Nu aveti voie sa stergeti aceasta creanta!");
    EXPECT_EQ(scripted.messages()[0].kind, ui::KindEroare);
    EXPECT_EQ(count("CODCL"), 13);

    ASSERT_TRUE(window->selectId(13));
    scripted.answerMessage(ui::ReplyNu, "Sunteti sigur ca vreti sa stergeti creanta?!");
    window->StergeClick();
    EXPECT_EQ(count("CODCL"), 13);
    scripted.answerMessage(ui::ReplyDa, "Sunteti sigur ca vreti sa stergeti creanta?!");
    window->StergeClick();
    EXPECT_EQ(count("CODCL"), 12);
    EXPECT_EQ(window->model()->rowCount(), 12);
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(CodesWindowTest, ARefusedDialogStaysOpenAndStoresNothing)
{
    TFAddCODCL& dialog = window->dialog();
    dialog.setDialogRunner(runner([&](QDialog& d) {
        dialog.CreantaL()->setText("psi");
        dialog.TrezFL()->setText("21.02");
        pressEnter(dialog.TrezJL()); // Enter in the last field presses "Memoreaza"
        EXPECT_EQ(d.result(), QDialog::Rejected);
        dialog.CreantaL()->setText("Taxa noua");
        dialog.TrezFL()->setText("RO00AAAA");
        dialog.MemoreazaButton()->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        dialog.RenuntButton()->click();
    }));
    window->AdaugaClick();
    const auto problems = scripted.problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].text, "Exista deja creanta in lista!!");
    EXPECT_EQ(problems[0].controlName, "CreantaL");
    EXPECT_EQ(problems[1].text, "Cont incorect!");
    EXPECT_EQ(problems[1].controlName, "TrezFL");
    EXPECT_FALSE(window->changed());
    EXPECT_EQ(count("CODCL"), 12);
}

TEST_F(CodesWindowTest, EmptyListTitleOrderAndEnterInTheGrid)
{
    ASSERT_TRUE(window->selectId(9)); // "Paza"
    window->TitleClick(0);
    EXPECT_EQ(window->model()->rows().front().cells[0], "Concesionari");
    EXPECT_EQ(window->selectedId(), 9);
    window->TitleClick(2);
    EXPECT_EQ(window->selectedId(), 9);

    int shown = 0;
    window->dialog().setDialogRunner(runner([&](QDialog&) { ++shown; }));
    pressEnter(window->grid());
    EXPECT_EQ(shown, 1);

    db->exec("DELETE FROM CODCL");
    window->Prepare();
    window->ModificaClick();
    window->StergeClick();
    const auto problems = scripted.problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].text, "Nu aveti ce modifica!");
    EXPECT_EQ(problems[0].controlName, "SMDBGrid1");
    EXPECT_EQ(problems[1].text, "Nu aveti ce sterge!");
    EXPECT_EQ(shown, 1);
}

// --- the page of the year's operations ---

class YearPageTest : public YearFolderTest {
protected:
    void SetUp() override
    {
        YearFolderTest::SetUp();
        admin.setText(QString::fromLatin1(core::admin_names::ZonaImplicita), "C");
        page = std::make_unique<TaxeAnPage>(*db, *counters, admin);
        page->setCodesOpener([] { return false; });
        page->setTaxpayer(owner);
    }
    void TearDown() override
    {
        page.reset();
        YearFolderTest::TearDown();
    }
    TFTaxe& levy() { return TFTaxe::Shared(); }
    TAddImpozit& debit() { return page->debitDialog(); }
    QStringList levyCells(int row) { return page->leviesModel()->rows().at(size_t(row)).cells; }
    QStringList debitCells(int row) { return page->debitsModel()->rows().at(size_t(row)).cells; }

    core::AdminValues admin;
    std::unique_ptr<TaxeAnPage> page;
};

TEST_F(YearPageTest, LevyAddedModifiedAndDeleted)
{
    EXPECT_FALSE(page->EditTaxa()->isEnabled());
    EXPECT_FALSE(page->DelTaxa()->isEnabled());
    levy().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(levy().windowTitle(), "Taxe / Amenzi");
        EXPECT_EQ(levy().titleLine()->text(), "Adaugare Taxa / Amenda");
        EXPECT_EQ(entries(levy().CreantaBox()), LevyNames(*db));
        EXPECT_EQ(levy().CreantaBox()->currentIndex(), 0);
        EXPECT_EQ(levy().DINDATA()->date(), QDate::currentDate());
        EXPECT_EQ(levy().Suma()->text(), "0");
        EXPECT_EQ(levy().DOCJUS()->text(), "");
        levy().CreantaBox()->setCurrentText("Iluminat");
        levy().DINDATA()->setDate(QDate(2024, 4, 2));
        levy().Nr()->setText("12");
        levy().DOCJUS()->setText("Decizia \"3\"  din  'martie'");
        levy().Suma()->setText("100");
        pressEnter(levy().Reduc()); // Enter in "Reducere" presses "&Memoreaza"
    }));
    page->AddTaxaClick();
    ASSERT_EQ(page->leviesModel()->rowCount(), 1);
    EXPECT_EQ(levyCells(0), (QStringList{"Iluminat", "02.04.2024", "12", "Decizia \"3\" din 'martie'", "100", "0", "0"}));
    const int64_t id = page->selectedLevy();
    EXPECT_EQ(id, 501);
    EXPECT_TRUE(page->EditTaxa()->isEnabled());
    EXPECT_TRUE(page->DelTaxa()->isEnabled());

    // A second levy: the number is kept from the last one typed.
    levy().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(levy().Nr()->text(), "12");
        EXPECT_EQ(levy().Suma()->text(), "0");
        levy().CreantaBox()->setCurrentText("PSI");
        levy().Rest()->setText("40");
        levy().MemoreazaButton()->click();
    }));
    page->AddTaxaClick();
    ASSERT_EQ(page->leviesModel()->rowCount(), 2);

    ASSERT_TRUE(page->selectLevy(id));
    levy().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(levy().titleLine()->text(), "Modifcare Taxa / Amenda");
        EXPECT_EQ(levy().CreantaBox()->currentText(), "Iluminat");
        EXPECT_EQ(levy().DINDATA()->date(), QDate(2024, 4, 2));
        EXPECT_EQ(levy().Suma()->text(), "100");
        levy().Suma()->setText("150");
        levy().MemoreazaButton()->click();
    }));
    page->EditTaxaClick();
    EXPECT_EQ(number("Datorii", "IDDAT", id, "SUMA"), 150);
    EXPECT_EQ(number("Datorii", "IDDAT", id, "SUMA2"), 150);
    EXPECT_EQ(page->selectedLevy(), id);

    ASSERT_TRUE(page->selectLevy(id));
    scripted.answerMessage(ui::ReplyDa, "Sunteti sigur ca vreti sa stergeti taxa/amenda?");
    page->DelTaxaClick();
    EXPECT_EQ(page->leviesModel()->rowCount(), 1);
    EXPECT_EQ(page->leviesModel()->rowOf(id), -1);
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(YearPageTest, RefusalsOfTheLevyDialog)
{
    db->exec("DELETE FROM CODCL WHERE TIP = ?", {"T"});
    levy().setDialogRunner(runner([&](QDialog& d) {
        EXPECT_EQ(levy().CreantaBox()->count(), 0);
        levy().Suma()->setText("10");
        levy().MemoreazaButton()->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        levy().RenuntButton()->click();
    }));
    page->AddTaxaClick();
    db->exec("INSERT INTO CODCL (IDCOD, GRUPA, CODCLF, CODCLJ, TIP) VALUES (?, ?, ?, ?, ?)",
             {40, "Amenzi", "21.01", "21.01", "T"});
    levy().setDialogRunner(runner([&](QDialog& d) {
        levy().Suma()->setText("10");
        levy().Rest()->setText("5");
        levy().MemoreazaButton()->click();
        levy().Suma()->setText("0");
        levy().Rest()->setText("0");
        levy().MemoreazaButton()->click();
        levy().Suma()->setText("-10");
        levy().MemoreazaButton()->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        levy().RenuntButton()->click();
    }));
    page->AddTaxaClick();
    const auto problems = scripted.problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].text, "Lipseste denumirea creantei!");
    EXPECT_EQ(problems[0].controlName, "CreantaBox");
    EXPECT_EQ(problems[1].text, "Nu puteti adauga si Curent si Restanta simultan!");
    EXPECT_EQ(problems[1].controlName, "Reduc");
    EXPECT_EQ(scripted.messageTexts(), (QStringList{"Nu ati trecut nici o suma!", "Nu ati trecut nici o suma!"}));
    EXPECT_EQ(scripted.messages()[0].title, "Adaugare creanta");
    EXPECT_EQ(count("Datorii"), 0);
}

TEST_F(YearPageTest, PaidLeviesAndANameNoLongerAmongTheCodes)
{
    putLevy(901, owner.idgos, "Iluminat", 80, 100, 0, 0); // 20 paid
    putLevy(902, owner.idgos, "Taxa veche", 30, 30, 0, 0);
    page->setTaxpayer(owner);

    ASSERT_TRUE(page->selectLevy(901));
    levy().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(levy().Suma()->text(), "80"); // what is still due
        levy().CreantaBox()->setCurrentText("PSI");
        levy().MemoreazaButton()->click();
    }));
    page->EditTaxaClick();
    EXPECT_EQ(scripted.messageTexts(),
              QStringList{"Aveti taiata chitanta pe aceasta taxa/amenda!\rNu puteti sa-i modificati Grupa!"});
    EXPECT_EQ(cell("Datorii", "IDDAT", 901, "GRUPA"), "Iluminat");

    scripted.clearRecords();
    page->DelTaxaClick();
    EXPECT_EQ(scripted.messageTexts(), QStringList{"Aveti taiata chitanta pe aceasta taxa/amenda!\rNu puteti s-o stergeti!"});
    EXPECT_EQ(count("Datorii"), 2);

    // The stored name stays an entry of its own and is kept when saved again.
    ASSERT_TRUE(page->selectLevy(902));
    levy().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(levy().CreantaBox()->currentText(), "Taxa veche");
        EXPECT_EQ(entries(levy().CreantaBox()), LevyNames(*db) << "Taxa veche");
        levy().Suma()->setText("35");
        levy().MemoreazaButton()->click();
    }));
    page->EditTaxaClick();
    EXPECT_EQ(cell("Datorii", "IDDAT", 902, "GRUPA"), "Taxa veche");
    EXPECT_EQ(number("Datorii", "IDDAT", 902, "SUMA"), 35);

    // "Coduri clasificare" fills the list again and keeps the chosen name.
    page->setCodesOpener([this] {
        db->exec("INSERT INTO CODCL (IDCOD, GRUPA, CODCLF, CODCLJ, TIP) VALUES (?, ?, ?, ?, ?)",
                 {41, "Amenzi", "21.01", "21.01", "T"});
        return true;
    });
    levy().setDialogRunner(runner([&](QDialog&) {
        levy().CreantaBox()->setCurrentText("Paza");
        levy().CoduriButton()->click();
        EXPECT_TRUE(entries(levy().CreantaBox()).contains("Amenzi"));
        EXPECT_EQ(levy().CreantaBox()->currentText(), "Paza");
        levy().RenuntButton()->click();
    }));
    page->AddTaxaClick();
    EXPECT_EQ(count("Datorii"), 2);
}

TEST_F(YearPageTest, DebitAddedShownModifiedAndDeleted)
{
    EXPECT_FALSE(page->EditDeb()->isEnabled());
    debit().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(debit().windowTitle(), "Impozite");
        EXPECT_EQ(debit().titleLine()->text(), "Adaugare Debit");
        EXPECT_EQ(debit().Zona3()->currentText(), "C"); // the default zone
        EXPECT_EQ(debit().Zona4()->currentText(), "C");
        debit().ImpozitBox()->setCurrentText("Impozit pe mijloace de transport");
        EXPECT_EQ(debit().panels()->currentIndex(), 3);
        debit().CategBox()->setCurrentText("Vanzare");
        EXPECT_EQ(debit().NrKind()->text(), "BS");
        debit().ITMCategBox()->setCurrentIndex(44);
        EXPECT_FALSE(debit().Capac()->isHidden());
        EXPECT_FALSE(debit().BucE()->isHidden());
        debit().Capac()->setText("5000");
        debit().BucE()->setText("2");
        debit().Nr()->setText("8");
        debit().DINDATA()->setDate(QDate(2024, 3, 15));
        debit().DOCJUS()->setText("Contract 'vanzare'");
        debit().SUMA()->setText("150");
        pressEnter(debit().SUMA()); // Enter in "Valoare debit" presses "&Memoreaza"
    }));
    page->AddDebClick();
    ASSERT_EQ(page->debitsModel()->rowCount(), 1);
    EXPECT_EQ(debitCells(0), (QStringList{"8", "15.03.2024", "Impozit pe mijloace de transport", "Vanzare", "-150",
                                         "Contract 'vanzare'"}));
    const int64_t id = page->selectedDebit();
    EXPECT_EQ(id, 71);
    EXPECT_EQ(cell("Debit", "IDDEB", id, "PENDATA"), "2024-05-01");
    EXPECT_EQ(cell("Debit", "IDDEB", id, "CAMP1"), "TRAC2");
    EXPECT_EQ(cell("Debit", "IDDEB", id, "VAL2"), "2");
    EXPECT_TRUE(page->EditDeb()->isEnabled());

    debit().setDialogRunner(runner([&](QDialog&) {
        EXPECT_EQ(debit().titleLine()->text(), "Modifica debit");
        EXPECT_EQ(debit().SUMA()->text(), "150");
        EXPECT_EQ(debit().ITMCategBox()->currentIndex(), 44);
        EXPECT_EQ(debit().Capac()->text(), "5000");
        EXPECT_EQ(debit().BucE()->text(), "2");
        EXPECT_EQ(debit().CategBox()->currentText(), "Vanzare");
        debit().SUMA()->setText("170");
        debit().MemoreazaButton()->click();
    }));
    page->EditDebClick();
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAINI"), -170);
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAC"), -170);

    // A collected debit is modified only after the question.
    db->exec("UPDATE Debit SET SUMAINI = 200, SUMAC = 150, CATEG = ? WHERE IDDEB = ?", {"Majorare", id});
    debit().setDialogRunner(runner([&](QDialog&) {
        debit().SUMA()->setText("300");
        debit().MemoreazaButton()->click();
    }));
    scripted.answerMessage(ui::ReplyNu, "La acest debit s-a taiat chitanta/OP/N.C.!");
    page->EditDebClick();
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAINI"), 200);
    scripted.answerMessage(ui::ReplyDa, "La acest debit s-a taiat chitanta/OP/N.C.!");
    page->EditDebClick();
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAINI"), 300);
    EXPECT_EQ(number("Debit", "IDDEB", id, "SUMAC"), 250);

    scripted.clearRecords();
    page->DelDebClick();
    EXPECT_EQ(scripted.messageTexts(),
              QStringList{"La debitul selectat s-a operat o incasare!\rAnulati mai intai chitanta sau N.C.!"});
    db->exec("UPDATE Debit SET SUMAC = SUMAINI WHERE IDDEB = ?", {id});
    scripted.answerMessage(ui::ReplyDa, "Doriti sa stergem debitul selectat?");
    page->DelDebClick();
    EXPECT_EQ(count("Debit"), 0);
    EXPECT_FALSE(page->EditDeb()->isEnabled());
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(YearPageTest, DebitDialogPanelsAndRefusals)
{
    TAddImpozit& d = debit();
    d.Reset("C");
    d.ImpozitBox()->setCurrentText("Impozit pe cladiri");
    d.CategBox()->setCurrentText("Cumparare");
    EXPECT_EQ(d.panels()->currentIndex(), 0);
    EXPECT_FALSE(d.CladExplic()->isHidden());
    EXPECT_EQ(d.NrKind()->text(), "BD");
    d.CategBox()->setCurrentText("Majorare");
    EXPECT_TRUE(d.CladExplic()->isHidden());
    d.CategBox()->setCurrentText("Vanzare");

    d.ImpozitBox()->setCurrentText("Impozit pe teren intravilan");
    EXPECT_EQ(d.panels()->currentIndex(), 1);
    d.TICategBox()->setCurrentIndex(0);
    EXPECT_EQ(d.Supraf3Unit()->text(), "mp");
    d.TICategBox()->setCurrentIndex(2);
    EXPECT_EQ(d.Supraf3Unit()->text(), "ha");
    d.ImpozitBox()->setCurrentText("Impozit pe teren extravilan");
    EXPECT_EQ(d.panels()->currentIndex(), 2);
    d.ImpozitBox()->setCurrentText("Impozit pe mijloace de transport");
    d.ITMCategBox()->setCurrentIndex(47); // Vapoare
    EXPECT_EQ(d.CapacUnit()->text(), "total tdw");
    EXPECT_TRUE(d.BucE()->isHidden());
    d.ITMCategBox()->setCurrentIndex(13); // a car band: a count only
    EXPECT_TRUE(d.Capac()->isHidden());
    EXPECT_FALSE(d.BucE()->isHidden());

    // The zone of the administrator window; extra-muros land has no zone E.
    d.Reset("E");
    EXPECT_EQ(d.Zona3()->currentText(), "E");
    EXPECT_EQ(d.Zona4()->currentText(), "A");

    struct Case {
        const char* group;
        const char* category;
        int item;
        const char* quantity;
        const char* amount;
        const char* balloon; // "" for the message of buildings
        const char* field;
    };
    const std::vector<Case> cases = {
        {"Impozit pe cladiri", "Vanzare", 0, "0", "10", "", ""},
        {"Impozit pe teren intravilan", "Cumparare", 1, "0", "10", "Lipseste Suprafata!", "Supraf3"},
        {"Impozit pe mijloace de transport", "Cumparare", 0, "0", "10", "Lipseste Capacitatea!", "Capac"},
        {"Impozit pe mijloace de transport", "Cumparare", 13, "0", "10", "Lipseste Cantitatea (buc.)!", "BucE"},
        {"Impozit pe teren extravilan", "Taxa", 1, "0", "-3", "Valoarea Impozitului (Debitului) nu poate fi negativa!",
         "SUMA"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.group);
        scripted.clearRecords();
        d.Reset("A");
        d.ImpozitBox()->setCurrentText(k.group);
        d.CategBox()->setCurrentText(k.category);
        d.TICategBox()->setCurrentIndex(k.item);
        d.ITMCategBox()->setCurrentIndex(k.item);
        d.Supraf3()->setText(k.quantity);
        d.SUMA()->setText(k.amount);
        d.setResult(QDialog::Rejected);
        d.MemoreazaClick();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        if (*k.balloon) {
            ASSERT_EQ(scripted.problems().size(), 1u);
            EXPECT_EQ(scripted.problems()[0].text, k.balloon);
            EXPECT_EQ(scripted.problems()[0].controlName, k.field);
        } else {
            ASSERT_EQ(scripted.messages().size(), 1u);
            EXPECT_EQ(scripted.messages()[0].title, "Cumparari/Vanzari Cladiri");
            EXPECT_EQ(scripted.messages()[0].kind, ui::KindEroare);
        }
    }
    // The tax, the category and the number stay for the next debit; the amounts do not.
    d.Nr()->setText("31");
    d.ImpozitBox()->setCurrentText("Impozit pe teren extravilan");
    d.CategBox()->setCurrentText("Reducere");
    d.SUMA()->setText("44");
    d.DOCJUS()->setText("x");
    d.Reset("A");
    EXPECT_EQ(d.Nr()->text(), "31");
    EXPECT_EQ(d.ImpozitBox()->currentText(), "Impozit pe teren extravilan");
    EXPECT_EQ(d.CategBox()->currentText(), "Reducere");
    EXPECT_EQ(d.SUMA()->text(), "0");
    EXPECT_EQ(d.DOCJUS()->text(), "");
    EXPECT_EQ(d.DINDATA()->date(), QDate::currentDate());
}

} // namespace

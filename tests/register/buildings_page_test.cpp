// The buildings page of the register window and its dialogs on the offscreen platform: the grid
// with each building's tax, add / modify / delete / sale / purchase through their dialogs with
// their balloons and messages, mixed buildings, the calculation sheet and the year lock.
#include "register/buildings_page.h"
#include "register/tcladaddf.h"
#include "register/tcladcumpf.h"
#include "register/tcladvanzf.h"
#include "register/tgospodarii.h"

#include "core/admin_fields.h"
#include "core/admin_values.h"
#include "register_support.h"
#include "support/qt_application.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>

#include <functional>

using namespace lirma;
using lirma::reg::BuildingForm;
using lirma::reg::BuildingsPage;
using lirma::reg::TCladAddF;
using lirma::reg::TCladCumpF;
using lirma::reg::TCladVanzF;
using lirma::reg::TGospodarii;
using lirma::ui::ScriptedInteraction;

namespace {

const QDate kToday(2024, 5, 15);

class BuildingsPageTest : public test::RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        owner = add("SAT", "1", "POP ION");
        window = std::make_unique<TGospodarii>(*db, *settings, *counters, admin);
        window->Prepare();
        ASSERT_TRUE(window->selectTaxpayer(owner));
        page = window->buildingsPage();
        ASSERT_NE(page, nullptr);
        page->buildings().setToday(kToday);
        folders = base::Folders::ForProgram(dir.path());
        ASSERT_TRUE(folders.createMissing());
        page->setFolders(folders);
        ASSERT_TRUE(window->ListView1SelectItem(TGospodarii::EntryOfBuildings()));
    }
    void TearDown() override
    {
        window.reset();
        RegisterFolderTest::TearDown();
    }

    // The add dialog answered by `fill`, which gets the dialog and returns its result.
    void onAddDialog(std::function<int(TCladAddF&)> fill)
    {
        page->addDialog().setDialogRunner([this, fill](QDialog& d) {
            ++dialogsShown;
            return fill(static_cast<TCladAddF&>(d));
        });
    }
    // The house of the worked case: 100 m2 of concrete with utilities, zone A, rank 0, finished
    // in 2004, entered in 2023.
    static void fillHouse(TCladAddF& d)
    {
        d.Suprafata()->setText("100");
        d.Anul()->setText("2004");
        d.CuUtil()->setCurrentIndex(1);
        d.Zona()->setCurrentText("A");
        d.Rang()->setCurrentIndex(0);
        d.DataDob()->setDate(QDate(2023, 5, 1));
        d.DataIn()->setDate(QDate(2023, 5, 5));
    }
    int64_t addHouse()
    {
        onAddDialog([](TCladAddF& d) {
            fillHouse(d);
            d.MemoreazaClick();
            return d.result();
        });
        page->CladAddClick();
        const reg::BuildingLine* line = page->selected();
        return line ? line->row.IDCLAD : -1;
    }
    QString cell(int row, int column) const { return page->grid()->model()->index(row, column).data().toString(); }
    int rows() const { return page->grid()->model()->rowCount(); }
    std::string stored(int64_t idclad, const char* column)
    {
        return db->scalar(std::string("SELECT ") + column + " FROM Pag2 WHERE IDGOS = ? AND IDCLAD = ?", {owner, idclad})
            .toText();
    }

    core::AdminValues admin;
    int64_t owner = 0;
    std::unique_ptr<TGospodarii> window;
    BuildingsPage* page = nullptr;
    base::Folders folders;
    int dialogsShown = 0;
};

TEST_F(BuildingsPageTest, AddShowsTheBuildingWithItsTax)
{
    EXPECT_EQ(window->pageControl()->currentWidget(), page);
    EXPECT_EQ(window->ListView1()->currentRow(), TGospodarii::EntryOfBuildings());
    EXPECT_EQ(page->owner().idgos, owner);
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(page->sheetButton()->isEnabled()) << "no sheet for an empty list";
    EXPECT_FALSE(page->saleButton()->isEnabled());
    EXPECT_EQ(page->purchaseButton()->toolTip(), "Adauga o cladire vanduta de alt ROL.");
    EXPECT_EQ(page->saleButton()->toolTip(), "Vinde cladirea selectata.");

    QString heading;
    onAddDialog([&](TCladAddF& d) {
        heading = d.heading()->text();
        EXPECT_EQ(d.windowTitle(), "Cladiri");
        // Prepared for "Adauga Cladire".
        EXPECT_EQ(d.TipC1()->currentText(), "REZIDENTIALA");
        EXPECT_EQ(d.DataDob()->date(), QDate(2024, 1, 1));
        EXPECT_EQ(d.DataIn()->date(), kToday);
        EXPECT_FALSE(d.Vanduta()->isChecked());
        EXPECT_EQ(d.Destinatie()->currentText(), "Cladire");
        EXPECT_EQ(d.Rang()->currentText(), "IV") << "the administrator's default rank";
        EXPECT_EQ(d.Suprafata()->text(), "0");
        EXPECT_EQ(d.Anul()->text(), "0");
        fillHouse(d);
        d.Adresa()->setText("  STR.  MORII  5 ");
        d.MemoreazaClick();
        return d.result();
    });
    page->CladAddClick();
    EXPECT_EQ(heading, "Adaugare Cladire");
    ASSERT_EQ(rows(), 1);
    const int64_t id = page->selected()->row.IDCLAD;
    EXPECT_EQ(cell(0, 0), QString::number(id));
    EXPECT_EQ(cell(0, 1), "STR. MORII 5");
    EXPECT_EQ(cell(0, 2), "05.05.2023");
    EXPECT_EQ(cell(0, 18), "260000.00");
    EXPECT_EQ(cell(0, 19), "260");
    EXPECT_TRUE(page->sheetButton()->isEnabled());
    EXPECT_TRUE(page->saleButton()->isEnabled());
    // Entered before the fiscal year: the reminder.
    const auto told = scripted.messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, "Adaugare Cladire");
    EXPECT_EQ(told[0].text, "Trebuie sa Adaugati ROL-ul la plata!");
    EXPECT_EQ(told[0].kind, ui::KindAtentie);

    // Entered this year: no reminder, and no tax this year.
    scripted.clearRecords();
    onAddDialog([](TCladAddF& d) {
        fillHouse(d);
        d.DataIn()->setDate(QDate(2024, 2, 1));
        d.MemoreazaClick();
        return d.result();
    });
    page->CladAddClick();
    EXPECT_TRUE(scripted.messages().empty());
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 19), "0");
    EXPECT_EQ(page->selected()->row.IDCLAD, id + 1);
}

TEST_F(BuildingsPageTest, RefusedValuesKeepTheDialogOpenWithABalloon)
{
    struct Case {
        const char* name;
        std::function<void(TCladAddF&)> change;
        QString balloon;
        QString field;
    };
    const std::vector<Case> cases = {
        {"area 0", [](TCladAddF& d) { d.Suprafata()->setText("0"); }, "Suprafata incorecta!", "Suprafata"},
        {"area over DECIMAL(10,2)", [](TCladAddF& d) { d.Suprafata()->setText("12345678.5"); }, "Suprafata incorecta!",
         "Suprafata"},
        {"year after the fiscal year", [](TCladAddF& d) { d.Anul()->setText("2025"); }, "Anul este incorect!", "Anul"},
        {"value over DECIMAL(10,2)",
         [](TCladAddF& d) {
             d.TipC1()->setCurrentIndex(1);
             d.DataEval()->setDate(QDate(2023, 1, 1));
             d.Valoare()->setText("10000000");
         },
         "Valoare incorecta!", "Valoare"},
        {"entered tomorrow", [](TCladAddF& d) { d.DataIn()->setDate(kToday.addDays(1)); }, "Data incorecta!", "DataIn"},
        {"exit before the sale",
         [](TCladAddF& d) {
             d.Vanduta()->setChecked(true);
             d.DataVanz()->setDate(QDate(2024, 3, 1));
             d.DataOut()->setDate(QDate(2024, 2, 1));
         },
         "Data incorecta!", "DataOut"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scripted.clearRecords();
        bool stayedOpen = false;
        onAddDialog([&](TCladAddF& d) {
            fillHouse(d);
            c.change(d);
            d.MemoreazaClick();
            stayedOpen = d.result() != QDialog::Accepted;
            return int(QDialog::Rejected); // "&Renunt"
        });
        page->CladAddClick();
        EXPECT_TRUE(stayedOpen);
        const auto balloons = scripted.problems();
        ASSERT_EQ(balloons.size(), 1u);
        EXPECT_EQ(balloons[0].text, c.balloon);
        EXPECT_EQ(balloons[0].controlName, c.field);
        EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Pag2").toInt(), 0) << "nothing written";
        EXPECT_EQ(rows(), 0);
    }
}

TEST_F(BuildingsPageTest, TheDialogShowsThePageOfThePersonTypeAndUse)
{
    struct Case {
        const char* tip;
        int kind; // TipC1
        int mixedUse; // TipC2
        BuildingForm form;
        bool ownFields; // area, year, material, utilities, zone, block
        bool valuation;
        bool agricultural;
        bool notValued;
        bool mixedPanel;
    };
    const std::vector<Case> cases = {
        {"FIZICA", 0, 0, BuildingForm::PFR, true, false, false, false, false},
        {"FIZICA", 1, 0, BuildingForm::PFN, true, true, true, true, false},
        {"FIZICA", 2, 1, BuildingForm::PFN, true, true, true, true, true},
        {"FIZICA", 2, 0, BuildingForm::PFR, true, false, false, false, true},
        {"JURIDICA", 0, 0, BuildingForm::PJR, false, true, false, false, false},
        {"JURIDICA", 1, 0, BuildingForm::PJN, false, true, true, false, false},
        {"JURIDICA", 2, 1, BuildingForm::PJN, false, true, true, false, true},
    };
    TCladAddF& d = page->addDialog();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tip) + " " + std::to_string(c.kind) + " " + std::to_string(c.mixedUse));
        d.SetInput(page->buildings().DefaultInput(), assessment::PersonTypeOf(c.tip), {});
        d.TipC1()->setCurrentIndex(c.kind);
        d.TipC2()->setCurrentIndex(c.mixedUse);
        EXPECT_EQ(d.form(), c.form);
        auto shown = [&](QWidget* w) { return w->isVisibleTo(&d); };
        for (QWidget* w : std::initializer_list<QWidget*>{d.Suprafata(), d.Anul(), d.Material(), d.CuUtil(), d.Zona(),
                                                          d.Rang(), d.Bloc()})
            EXPECT_EQ(shown(w), c.ownFields) << w->objectName().toStdString();
        EXPECT_EQ(shown(d.DataEval()), c.valuation);
        EXPECT_EQ(shown(d.Valoare()), c.valuation);
        EXPECT_EQ(shown(d.ActAgr()), c.agricultural);
        EXPECT_EQ(shown(d.NuEvaluata()), c.notValued);
        EXPECT_EQ(shown(d.mixedPanel()), c.mixedPanel);
        EXPECT_TRUE(shown(d.Destinatie()));
        EXPECT_TRUE(shown(d.DataDob()));
    }
    // "Nu este evaluata" disables the valuation; "Instrainata la data de" shows the exit.
    d.SetInput(page->buildings().DefaultInput(), assessment::PersonType::Fizica, {});
    d.TipC1()->setCurrentIndex(1);
    d.NuEvaluata()->setChecked(true);
    EXPECT_FALSE(d.DataEval()->isEnabled());
    EXPECT_FALSE(d.Valoare()->isEnabled());
    d.NuEvaluata()->setChecked(false);
    EXPECT_TRUE(d.Valoare()->isEnabled());
    EXPECT_FALSE(d.DataOut()->isVisibleTo(&d));
    d.Vanduta()->setChecked(true);
    EXPECT_TRUE(d.DataVanz()->isVisibleTo(&d));
    EXPECT_TRUE(d.DataOut()->isVisibleTo(&d));
    EXPECT_TRUE(d.ObsOut()->isVisibleTo(&d));
}

TEST_F(BuildingsPageTest, ModifyFromADoubleClickRewritesTheSelectedBuilding)
{
    const int64_t first = addHouse();
    const int64_t second = addHouse();
    ASSERT_TRUE(page->selectBuilding(first));
    dialogsShown = 0;
    QString heading;
    onAddDialog([&](TCladAddF& d) {
        heading = d.heading()->text();
        // Filled from the stored row.
        EXPECT_EQ(d.Suprafata()->text(), "100");
        EXPECT_EQ(d.Anul()->text(), "2004");
        EXPECT_EQ(d.CuUtil()->currentText(), "DA");
        EXPECT_EQ(d.DataIn()->date(), QDate(2023, 5, 5));
        d.Suprafata()->setText("50");
        d.MemoreazaClick();
        return d.result();
    });
    emit page->grid()->doubleClicked(page->grid()->model()->index(0, 3));
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(heading, "Modificare cladire");
    EXPECT_EQ(stored(first, "SUPRAFD"), "50.0");
    EXPECT_EQ(stored(second, "SUPRAFD"), "100.0");
    EXPECT_EQ(page->selected()->row.IDCLAD, first) << "selected again";
    EXPECT_EQ(cell(0, 18), "130000.00");
    EXPECT_EQ(cell(0, 19), "130");
    EXPECT_EQ(cell(1, 19), "260");
}

TEST_F(BuildingsPageTest, DeleteAsksThenGoesToTheLastRow)
{
    const int64_t a = addHouse();
    const int64_t b = addHouse();
    const int64_t c = addHouse();
    scripted.clearRecords();
    ASSERT_TRUE(page->selectBuilding(b));
    scripted.answerMessage(ui::ReplyNu, "Stergere cladire");
    page->CladDelClick();
    EXPECT_EQ(rows(), 3);

    scripted.answerMessage(ui::ReplyDa, "Doriti sa stergeti cladirea selectata?");
    page->CladDelClick();
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Pag2 WHERE IDCLAD = ?", {b}).toInt(), 0);
    EXPECT_EQ(page->selected()->row.IDCLAD, c) << "the last row";
    const auto told = scripted.messages();
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[1].kind, ui::KindConfirmare);
    EXPECT_EQ(told[2].title, "Stergere cladire");
    EXPECT_EQ(told[2].text, "Cladirea a fost stearsa.\rVa trebui sa Adaugati ROL la plata.");
    EXPECT_EQ(told[2].buttons, ui::BtnOk);
    EXPECT_EQ(page->lines().front().row.IDCLAD, a);
}

TEST_F(BuildingsPageTest, SaleMarksTheBuildingAndDisablesAnotherSale)
{
    const int64_t id = addHouse();
    scripted.clearRecords();
    int shown = 0;
    page->saleDialog().setDialogRunner([&](QDialog& dialog) {
        ++shown;
        auto& d = static_cast<TCladVanzF&>(dialog);
        EXPECT_EQ(d.windowTitle(), "Vanzare Constructie");
        EXPECT_EQ(d.DataVanz()->date(), kToday);
        d.DataVanz()->setDate(kToday.addDays(1));
        d.AmAlesClick();
        EXPECT_NE(d.result(), QDialog::Accepted);
        d.DataVanz()->setDate(QDate(2024, 5, 1));
        d.Obs()->setText("  CONTRACT   9 ");
        d.AmAlesClick();
        return d.result();
    });
    page->VanzareClick();
    EXPECT_EQ(shown, 1);
    const auto balloons = scripted.problems();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].text, "Data vanzarii este incorecta!");
    EXPECT_EQ(balloons[0].controlName, "DataVanz");
    EXPECT_EQ(stored(id, "DATAVANZ"), "2024-05-01");
    EXPECT_EQ(stored(id, "DATAOUT"), "2024-05-15");
    EXPECT_EQ(stored(id, "OBSOUT"), "CONTRACT 9");
    const auto told = scripted.messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, "Vanzare cladire");
    EXPECT_EQ(told[0].text, "\rCladirea a fost marcata ca fiind vanduta.");
    // Still listed, with its exit date; the tax of the year still counts it.
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 3), "15.05.2024");
    EXPECT_EQ(cell(0, 19), "260");
    EXPECT_FALSE(page->saleButton()->isEnabled());
    page->VanzareClick();
    EXPECT_EQ(shown, 1) << "no second sale";
}

TEST_F(BuildingsPageTest, PurchaseCopiesTheChosenBuilding)
{
    // Nothing sold this year.
    int shown = 0;
    std::function<int(TCladCumpF&)> choose;
    page->purchaseDialog().setDialogRunner([&](QDialog& d) {
        ++shown;
        return choose(static_cast<TCladCumpF&>(d));
    });
    page->CumparareClick();
    EXPECT_EQ(shown, 0);
    auto told = scripted.messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, "Cumparare constructie");
    EXPECT_EQ(told[0].text,
              "\rNicio constructie nu figureaza ca vanduta!\rMergeti la Vanzator si modificati Data iesirii din evidenta!");
    EXPECT_EQ(told[0].kind, ui::KindEroare);

    // A seller's building, sold this year.
    const int64_t seller = add("DEAL", "9", "ZAMFIR ANA");
    reg::Buildings& b = page->buildings();
    reg::BuildingInput in = b.DefaultInput();
    in.area = "75";
    in.year = "1960";
    in.address = "STR. VIILOR 9";
    in.entered = QDate(2010, 1, 1);
    in.acquired = QDate(2010, 1, 1);
    ASSERT_FALSE(b.Validate(in, assessment::PersonType::Fizica));
    int64_t sold = 0;
    ASSERT_EQ(b.Add(seller, assessment::PersonType::Fizica, in, &sold), reg::Buildings::Outcome::Done);
    ASSERT_EQ(b.Sell(seller, sold, QDate(2024, 5, 10), "CONTRACT 5"), reg::Buildings::Outcome::Done);

    // "&Renunt": nothing.
    scripted.clearRecords();
    choose = [](TCladCumpF& d) {
        EXPECT_EQ(d.windowTitle(), "Cumparare Constructie");
        EXPECT_EQ(d.grid()->rowCount(), 1);
        EXPECT_EQ(d.grid()->item(0, 3)->text(), "ZAMFIR ANA");
        return int(QDialog::Rejected);
    };
    page->CumparareClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(scripted.messages().empty());

    choose = [](TCladCumpF& d) {
        d.AmAlesClick();
        return d.result();
    };
    page->CumparareClick();
    ASSERT_EQ(rows(), 1);
    const int64_t bought = page->selected()->row.IDCLAD;
    EXPECT_NE(bought, sold);
    EXPECT_EQ(cell(0, 1), "STR. VIILOR 9");
    EXPECT_EQ(cell(0, 2), "15.05.2024") << "entered on the seller's exit date";
    EXPECT_EQ(stored(bought, "DATADOB"), "2024-05-10");
    EXPECT_EQ(stored(bought, "OBSIN"), "CONTRACT 5");
    EXPECT_EQ(stored(bought, "DATAOUT"), "1900-01-01");
    EXPECT_EQ(cell(0, 19), "0") << "entered in the fiscal year";
    told = scripted.messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, "Cumparare Cladire");
    EXPECT_EQ(told[0].text, "\rCladirea a fost adaugata cu succes!");
}

TEST_F(BuildingsPageTest, ASecondPartOfAMixedBuildingSharesItsId)
{
    onAddDialog([](TCladAddF& d) {
        EXPECT_EQ(d.IDManual()->count(), 1);
        EXPECT_EQ(d.IDManual()->itemText(0), "nu exista in lista");
        fillHouse(d);
        d.TipC1()->setCurrentText("MIXTA");
        d.TipC2()->setCurrentText("REZIDENTIAL");
        d.MemoreazaClick();
        return d.result();
    });
    page->CladAddClick();
    const int64_t first = page->selected()->row.IDCLAD;
    addHouse();
    onAddDialog([first](TCladAddF& d) {
        EXPECT_EQ(d.IDManual()->count(), 2);
        EXPECT_EQ(d.IDManual()->itemText(1), QString::number(first));
        fillHouse(d);
        d.TipC1()->setCurrentText("MIXTA");
        d.TipC2()->setCurrentText("NEREZIDENTIAL");
        d.IDManual()->setCurrentIndex(1);
        d.NuEvaluata()->setChecked(true);
        d.MemoreazaClick();
        return d.result();
    });
    page->CladAddClick();
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 0), QString::number(first));
    EXPECT_EQ(cell(1, 0), QString::number(first)) << "the second part shows the first part's ID";
    EXPECT_EQ(cell(1, 4), "X");
    EXPECT_EQ(cell(1, 5), "N");
    EXPECT_EQ(cell(2, 0), QString::number(first + 1));
    // Never valued non-residential part: 2% of its Art. 457 value.
    EXPECT_EQ(cell(1, 19), "5200");
}

TEST_F(BuildingsPageTest, CalculationSheetOfTheSelectedBuilding)
{
    addHouse();
    scripted.clearRecords();
    page->FisaClick();
    const auto opened = scripted.recordsOf(ScriptedInteraction::What::Document);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].path.startsWith(folders.temp)) << opened[0].path.toStdString();
    QFile f(opened[0].path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString sheet = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(sheet.startsWith("FISA DE CALCUL CLADIRE"));
    EXPECT_TRUE(sheet.contains("ROL: 1 - POP ION"));
    EXPECT_TRUE(sheet.contains(" = 100.00 X 1000 X 1.00 X 2.60 X 1.00 = 260000.00 lei"));
    EXPECT_TRUE(sheet.contains("IMPOZIT FINAL (stabilit prin rotunjire) = 260.00 lei"));
}

TEST_F(BuildingsPageTest, LockedYearRefusesEveryChange)
{
    const int64_t id = addHouse();
    const int64_t seller = add("DEAL", "9", "ZAMFIR ANA");
    reg::BuildingInput in = page->buildings().DefaultInput();
    in.area = "75";
    in.year = "1960";
    int64_t sold = 0;
    ASSERT_FALSE(page->buildings().Validate(in, assessment::PersonType::Fizica));
    ASSERT_EQ(page->buildings().Add(seller, assessment::PersonType::Fizica, in, &sold), reg::Buildings::Outcome::Done);
    ASSERT_EQ(page->buildings().Sell(seller, sold, kToday, {}), reg::Buildings::Outcome::Done);
    lockYear(true);
    dialogsShown = 0;
    int others = 0;
    page->saleDialog().setDialogRunner([&](QDialog&) { return ++others, int(QDialog::Rejected); });
    page->purchaseDialog().setDialogRunner([&](QDialog&) { return ++others, int(QDialog::Rejected); });
    onAddDialog([](TCladAddF&) { return int(QDialog::Rejected); });
    const std::vector<std::pair<const char*, void (BuildingsPage::*)()>> commands = {
        {"add", &BuildingsPage::CladAddClick},       {"modify", &BuildingsPage::CladModClick},
        {"delete", &BuildingsPage::CladDelClick},    {"sale", &BuildingsPage::VanzareClick},
        {"purchase", &BuildingsPage::CumparareClick}};
    const int rowsBefore = db->scalar("SELECT COUNT(*) FROM Pag2").toInt();
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(page->selectBuilding(id));
        scripted.clearRecords();
        (page->*command)();
        const auto told = scripted.messages();
        ASSERT_EQ(told.size(), 1u) << "no question asked";
        EXPECT_EQ(told[0].title, "Modificare matricola");
        EXPECT_EQ(told[0].text, "Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!");
        EXPECT_EQ(told[0].kind, ui::KindEroare);
    }
    EXPECT_EQ(dialogsShown + others, 0) << "no dialog opened";
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Pag2").toInt(), rowsBefore);
    // The sheet is not a change.
    scripted.clearRecords();
    page->FisaClick();
    EXPECT_EQ(scripted.recordsOf(ScriptedInteraction::What::Document).size(), 1u);
}

} // namespace

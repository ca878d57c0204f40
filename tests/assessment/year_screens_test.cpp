// Draws the codes window with its dialog, the page of the year's operations and the levy and debit
// dialogs, and saves them as PNG files when LIRMA_SCREENS_DIR names a folder (docs/screens is made
// that way, under xvfb). Every field must be inside its window at the size it opens with.
#include "assessment/classification_codes.h"
#include "assessment/taddimpozit.h"
#include "assessment/taxe_an_page.h"
#include "assessment/tfclasificare.h"
#include "assessment/tftaxe.h"

#include "support/qt_application.h"
#include "year_support.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace lirma;
using namespace lirma::assessment;
using lirma::test::YearFolderTest;

namespace {

void keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(name)));
}

QImage snapshot(QWidget& w)
{
    w.show();
    QApplication::processEvents();
    return w.grab().toImage();
}

// Every visible child lies inside the window.
void expectInside(QWidget& w)
{
    const QRect area = w.rect();
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->isWindow())
            continue;
        const QRect r(child->mapTo(&w, QPoint(0, 0)), child->size());
        EXPECT_TRUE(area.contains(r)) << child->objectName().toStdString() << " of " << w.objectName().toStdString();
    }
}

class YearScreens : public YearFolderTest {
protected:
    void SetUp() override
    {
        YearFolderTest::SetUp();
        ClassificationCodes codes(*db, *counters);
        const std::vector<std::pair<const char*, std::pair<const char*, const char*>>> accounts = {
            {"Impozit pe cladiri", {"21A070101", "21A070102"}},
            {"Impozit pe teren intravilan", {"21A070201", "21A070202"}},
            {"Impozit pe teren extravilan", {"21A070203", "21A070203"}},
            {"Impozit pe mijloace de transport", {"21A160201", "21A160202"}},
            {"Salubritate", {"RO49AAAA1B31007593840000", "RO49AAAA1B31007593840000"}},
            {"Iluminat", {"21A360250", "21A360250"}},
            {"PSI", {"21A360250", "21A360250"}},
            {"Paza", {"21A360250", "21A360250"}},
        };
        for (const auto& [group, codes2] : accounts)
            db->exec("UPDATE CODCL SET CODCLF = ?, CODCLJ = ? WHERE GRUPA = ?", {codes2.first, codes2.second, group});
        CodeInput fines{"Amenzi contraventionale", "21A350102", "21A350102"};
        codes.Add(fines);
    }
};

TEST_F(YearScreens, CodesWindowAndItsDialog)
{
    TFClasificare window;
    window.use(*db, *counters);
    window.Prepare();
    window.selectId(13);
    keep(snapshot(window), "tfclasificare.png");
    expectInside(window);

    TFAddCODCL& dialog = window.dialog();
    dialog.LoadForModify(*ClassificationCodes(*db, *counters).Find(5));
    dialog.heading()->setText("Modificare creanta");
    keep(snapshot(dialog), "tfaddcodcl.png");
    expectInside(dialog);
    dialog.hide();
}

TEST_F(YearScreens, YearPageWithLeviesAndDebits)
{
    core::AdminValues admin;
    TaxeAnPage page(*db, *counters, admin);
    page.resize(990, 620);
    Levies levies(*db, *counters);
    const struct {
        const char* name;
        QDate date;
        int64_t number;
        const char* explanation;
        int64_t current, arrears, reduction;
    } rows[] = {
        {"Amenzi contraventionale", QDate(2024, 2, 12), 118, "PV contraventie seria AB 1182", 500, 0, 0},
        {"Iluminat", QDate(2024, 1, 15), 0, "HCL 4/2024", 60, 0, 6},
        {"Salubritate", QDate(2024, 1, 15), 0, "Contract \"Eco Serv\"", 144, 0, 0},
        {"Salubritate", QDate(2024, 1, 2), 0, "Restanta 2023", 0, 72, 0},
    };
    for (const auto& r : rows) {
        LevyInput in{r.date, r.name, r.explanation, r.number, r.current, r.arrears, r.reduction};
        levies.Add(owner, in);
    }
    Debits debits(*db, *counters);
    auto addDebit = [&](DebitInput in) {
        ASSERT_EQ(CheckDebit(in), DebitProblem::None);
        debits.Add(owner.idgos, BuildDebit(in));
    };
    DebitInput car;
    car.date = QDate(2024, 3, 15);
    car.group = "Impozit pe mijloace de transport";
    car.category = "Cumparare";
    car.number = 3;
    car.explanation = "Contract vanzare-cumparare 12";
    car.amount = 87;
    car.vehicle = 15;
    car.count = 1;
    addDebit(car);
    DebitInput landSale;
    landSale.date = QDate(2024, 5, 20);
    landSale.group = "Impozit pe teren intravilan";
    landSale.category = "Vanzare";
    landSale.number = 2;
    landSale.explanation = "Act notarial 455";
    landSale.amount = 23;
    landSale.landCategory = 1;
    landSale.zone = "B";
    landSale.area = *base::Decimal::parse(std::string_view("0.35"));
    addDebit(landSale);
    DebitInput increase;
    increase.date = QDate(2024, 6, 3);
    increase.group = "Impozit pe cladiri";
    increase.category = "Majorare";
    increase.number = 4;
    increase.explanation = "Reevaluare HCL 22";
    increase.amount = 130;
    addDebit(increase);
    page.setTaxpayer(owner);
    keep(snapshot(page), "taxe_an.png");
    expectInside(page);
    EXPECT_EQ(page.SMDBGrid1()->model()->rowCount(), 4);
    EXPECT_EQ(page.SMDBGrid2()->model()->rowCount(), 3);
}

TEST_F(YearScreens, LevyDialog)
{
    TFTaxe dialog;
    dialog.setSources([this] { return LevyNames(*db); }, [] { return false; });
    dialog.Reset();
    dialog.CreantaBox()->setCurrentText("Salubritate");
    dialog.DINDATA()->setDate(QDate(2024, 1, 15));
    dialog.Nr()->setText("27");
    dialog.DOCJUS()->setText("Contract \"Eco Serv\" 2024");
    dialog.Suma()->setText("144");
    dialog.titleLine()->setText("Adaugare Taxa / Amenda");
    keep(snapshot(dialog), "tftaxe.png");
    expectInside(dialog);
}

TEST_F(YearScreens, DebitDialogPanels)
{
    TAddImpozit dialog;
    dialog.setCodesOpener([] { return false; });
    dialog.Reset("A");
    DebitInput in;
    in.date = QDate(2024, 3, 15);
    in.group = "Impozit pe mijloace de transport";
    in.category = "Cumparare";
    in.number = 3;
    in.explanation = "Contract vanzare-cumparare 12";
    in.amount = 480;
    in.vehicle = 44;
    in.capacity = 5000;
    in.count = 2;
    dialog.setInput(in);
    dialog.titleLine()->setText("Adaugare Debit");
    keep(snapshot(dialog), "taddimpozit.png");
    expectInside(dialog);

    in.group = "Impozit pe teren intravilan";
    in.category = "Vanzare";
    in.landCategory = 0;
    in.zone = "B";
    in.area = *base::Decimal::parse(std::string_view("350"));
    in.amount = 23;
    dialog.setInput(in);
    keep(snapshot(dialog), "taddimpozit_intravilan.png");
    expectInside(dialog);

    in.group = "Impozit pe cladiri";
    in.category = "Cumparare";
    dialog.setInput(in);
    keep(snapshot(dialog), "taddimpozit_cladiri.png");
    expectInside(dialog);
    dialog.hide();
}

} // namespace

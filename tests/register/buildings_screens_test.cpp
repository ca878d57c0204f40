// Draws the buildings page of the register window and each of its dialogs as the commands open
// them, and saves them as PNG files when LIRMA_SCREENS_DIR names a folder (docs/screens is made
// that way, under xvfb). Every field of a dialog lies inside it.
#include "register/buildings_page.h"
#include "register/tcladaddf.h"
#include "register/tcladcumpf.h"
#include "register/tcladvanzf.h"
#include "register/tgospodarii.h"

#include "core/admin_values.h"
#include "register_support.h"
#include "support/qt_application.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <functional>

using namespace lirma;
using lirma::assessment::PersonType;
using lirma::reg::BuildingInput;
using lirma::reg::BuildingKind;
using lirma::reg::TGospodarii;

namespace {

const QDate kToday(2024, 5, 15);

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

// Every visible field of the dialog lies inside it.
void expectInside(QWidget& dialog)
{
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        const QRect r(w->mapTo(&dialog, QPoint(0, 0)), w->size());
        EXPECT_TRUE(dialog.rect().contains(r)) << dialog.objectName().toStdString() << " "
                                               << w->objectName().toStdString();
    }
}

class BuildingScreens : public test::RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        popescu = add("DEALU MARE", "101", "POPESCU ION");
        reg::TaxpayerInput firm = input("DEALU MARE", "102", "AGROMEC DEALU SRL", "18547290");
        firm.type = "JURIDICA";
        agromec = reg->Add(firm);
        const int64_t seller = add("VALEA LUNGA", "205", "MARIN ELENA");

        reg::Buildings b(*db, *settings, *counters, admin);
        b.setToday(kToday);
        auto store = [&](int64_t owner, PersonType person, BuildingInput in) {
            EXPECT_FALSE(b.Validate(in, person));
            int64_t id = 0;
            EXPECT_EQ(b.Add(owner, person, in, &id), reg::Buildings::Outcome::Done);
            return id;
        };
        auto base = [&](const char* address, const char* area, const char* year) {
            BuildingInput in = b.DefaultInput();
            in.address = address;
            in.area = area;
            in.year = year;
            in.zone = "B";
            in.rank = 4;
            in.acquired = QDate(1998, 6, 1);
            in.entered = QDate(1998, 6, 10);
            in.entryRemark = "DECLARATIA 112/1998";
            return in;
        };
        BuildingInput house = base("STR. PRINCIPALA 12", "142.5", "1978");
        house.utilities = true;
        store(popescu, PersonType::Fizica, house);
        BuildingInput annex = base("STR. PRINCIPALA 12", "36", "1985");
        annex.destination = 1;
        annex.material = 1;
        store(popescu, PersonType::Fizica, annex);
        BuildingInput shop = base("STR. GARII 3", "80", "2005");
        shop.kind = BuildingKind::Mixed;
        shop.mixedResidential = true;
        shop.utilities = true;
        const int64_t shopId = store(popescu, PersonType::Fizica, shop);
        BuildingInput shopPart = base("STR. GARII 3", "45", "2005");
        shopPart.kind = BuildingKind::Mixed;
        shopPart.mixedResidential = false;
        shopPart.mixedId = shopId;
        shopPart.valuationDate = QDate(2021, 9, 14);
        shopPart.value = "118500";
        store(popescu, PersonType::Fizica, shopPart);
        BuildingInput barn = base("SAT DEALU MARE FN", "120", "1994");
        barn.kind = BuildingKind::NonResidential;
        barn.notValued = true;
        barn.agricultural = true;
        store(popescu, PersonType::Fizica, barn);
        BuildingInput flat = base("BL. A2 AP. 14", "64.2", "1982");
        flat.inBlock = true;
        flat.utilities = true;
        flat.entered = QDate(2024, 3, 4);
        flat.acquired = QDate(2024, 2, 27);
        flat.entryRemark = "CONTRACT 455/2024";
        store(popescu, PersonType::Fizica, flat);
        BuildingInput old = base("STR. MORII 2", "70", "1925");
        const int64_t oldId = store(popescu, PersonType::Fizica, old);
        b.Sell(popescu, oldId, QDate(2024, 4, 20), "CONTRACT 512/2024");

        BuildingInput office = b.DefaultInput();
        office.kind = BuildingKind::NonResidential;
        office.address = "STR. GARII 40";
        office.valuationDate = QDate(2022, 11, 30);
        office.value = "1250000";
        office.entered = QDate(2015, 3, 1);
        office.acquired = QDate(2015, 2, 20);
        store(agromec, PersonType::Juridica, office);

        BuildingInput sold = base("STR. BISERICII 7", "96", "1970");
        const int64_t soldId = store(seller, PersonType::Fizica, sold);
        b.Sell(seller, soldId, QDate(2024, 5, 2), "CONTRACT 530/2024");

        window = std::make_unique<TGospodarii>(*db, *settings, *counters, admin);
        window->Prepare();
        page = window->buildingsPage();
        page->buildings().setToday(kToday);
    }
    void TearDown() override
    {
        window.reset();
        RegisterFolderTest::TearDown();
    }
    void openFor(int64_t idgos)
    {
        ASSERT_TRUE(window->ListView1SelectItem(0));
        ASSERT_TRUE(window->selectTaxpayer(idgos));
        ASSERT_TRUE(window->ListView1SelectItem(TGospodarii::EntryOfBuildings()));
    }
    // Opens the building dialog through a command, lets `fill` change it, keeps its picture.
    void drawBuildingDialog(void (reg::BuildingsPage::*command)(), const QString& file,
                            std::function<void(reg::TCladAddF&)> fill = {})
    {
        bool drawn = false;
        page->addDialog().setDialogRunner([&](QDialog& dialog) {
            auto& d = static_cast<reg::TCladAddF&>(dialog);
            if (fill)
                fill(d);
            keep(snapshot(d), file);
            expectInside(d);
            d.hide();
            drawn = true;
            return int(QDialog::Rejected);
        });
        (page->*command)();
        EXPECT_TRUE(drawn) << file.toStdString();
    }

    core::AdminValues admin;
    int64_t popescu = 0;
    int64_t agromec = 0;
    std::unique_ptr<TGospodarii> window;
    reg::BuildingsPage* page = nullptr;
};

TEST_F(BuildingScreens, PageAndDialogs)
{
    openFor(popescu);
    ASSERT_EQ(page->lines().size(), 7u);
    ASSERT_TRUE(page->selectBuilding(page->lines()[1].row.IDCLAD));
    keep(snapshot(*window), "tgospodarii_pag2.png");
    // The grid scrolled to its last columns: the taxable value and the tax of each building.
    QScrollBar* across = page->grid()->horizontalScrollBar();
    across->setValue(across->maximum());
    keep(snapshot(*window), "tgospodarii_pag2_impozit.png");
    across->setValue(0);

    drawBuildingDialog(&reg::BuildingsPage::CladAddClick, "tcladaddf_pfr.png", [](reg::TCladAddF& d) {
        d.Adresa()->setText("STR. PRINCIPALA 14");
        d.Suprafata()->setText("96.4");
        d.Anul()->setText("1999");
    });
    drawBuildingDialog(&reg::BuildingsPage::CladAddClick, "tcladaddf_pfn.png", [](reg::TCladAddF& d) {
        d.TipC1()->setCurrentText("NEREZIDENTIALA");
        d.Adresa()->setText("STR. GARII 5");
        d.Suprafata()->setText("210");
        d.Anul()->setText("2008");
        d.DataEval()->setDate(QDate(2022, 4, 12));
        d.Valoare()->setText("185000");
    });
    // A part of the mixed building, opened for modification.
    ASSERT_TRUE(page->selectBuilding(page->lines()[3].row.IDCLAD));
    ASSERT_EQ(page->selected()->row.MIXTA, "X");
    drawBuildingDialog(&reg::BuildingsPage::CladModClick, "tcladaddf_mixta.png");
    // The sold building, with its exit shown.
    ASSERT_TRUE(page->selectBuilding(page->lines()[6].row.IDCLAD));
    drawBuildingDialog(&reg::BuildingsPage::CladModClick, "tcladaddf_vanduta.png");

    page->saleDialog().setDialogRunner([](QDialog& d) {
        static_cast<reg::TCladVanzF&>(d).Obs()->setText("CONTRACT 601/2024");
        keep(snapshot(d), "tcladvanzf.png");
        expectInside(d);
        d.hide();
        return int(QDialog::Rejected);
    });
    ASSERT_TRUE(page->selectBuilding(page->lines()[0].row.IDCLAD));
    page->VanzareClick();

    page->purchaseDialog().setDialogRunner([](QDialog& d) {
        keep(snapshot(d), "tcladcumpf.png");
        expectInside(d);
        d.hide();
        return int(QDialog::Rejected);
    });
    page->CumparareClick();

    openFor(agromec);
    ASSERT_EQ(page->lines().size(), 1u);
    keep(snapshot(*window), "tgospodarii_pag2_juridica.png");
    drawBuildingDialog(&reg::BuildingsPage::CladModClick, "tcladaddf_pjn.png");
    drawBuildingDialog(&reg::BuildingsPage::CladAddClick, "tcladaddf_pjr.png", [](reg::TCladAddF& d) {
        d.Adresa()->setText("STR. GARII 42");
        d.DataEval()->setDate(QDate(2023, 6, 1));
        d.Valoare()->setText("640000");
    });
    window->hide();
}

} // namespace

// Draws the register window (identification page and every asset page) and the add dialog, and
// saves them as PNG files when LIRMA_SCREENS_DIR names a folder (docs/screens is made that way,
// under xvfb). Each page must show all its fields without scrolling at the window's size.
#include "register/asset_page_view.h"
#include "register/taddgosf.h"
#include "register/tgospodarii.h"

#include "register_support.h"
#include "support/qt_application.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>

using namespace lirma;
using lirma::reg::AssetPage;
using lirma::test::RegisterFolderTest;

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

class RegisterScreens : public RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        struct Row {
            const char* village;
            const char* name;
            const char* street;
            const char* code;
        };
        const Row rows[] = {
            {"DEALU MARE", "POPESCU ION", "PRINCIPALA", "1800101221144"},
            {"DEALU MARE", "IONESCU MARIA", "PRINCIPALA", "2750312400119"},
            {"DEALU MARE", "GHEORGHE VASILE", "SCOLII", ""},
            {"DEALU MARE", "AGROMEC DEALU SRL", "GARII", "18547290"},
            {"VALEA LUNGA", "MARIN ELENA", "BISERICII", ""},
            {"VALEA LUNGA", "STAN GHEORGHE", "BISERICII", ""},
            {"VALEA LUNGA", "DUMITRU ANA", "MORII", ""},
            {"VALEA LUNGA", "CONSTANTIN PETRE", "MORII", ""},
            {"PODENI", "RADU NICOLAE", "PRINCIPALA", ""},
            {"PODENI", "TOMA ELISABETA", "LIVEZII", ""},
            {"PODENI", "NEAGU FLORIN", "LIVEZII", ""},
            {"PODENI", "VLAD CRISTINA", "PRINCIPALA", ""},
        };
        int role = 101;
        for (const Row& r : rows) {
            reg::TaxpayerInput in = input(r.village, QString::number(role++), r.name, r.code);
            in.street = r.street;
            in.address = QStringLiteral("NR. %1").arg(role % 37 + 1);
            in.persons = QString::number(role % 5 + 1);
            if (QString(r.name).endsWith("SRL"))
                in.type = "JURIDICA";
            if (role % 4 == 0)
                in.scclad = "50";
            if (role == 102) { // the taxpayer of role 101
                in.remarks = "Mostenire dezbatuta in 2019; actele sunt la dosar.";
                in.heirs = "POPESCU ANA, POPESCU MIHAI";
            }
            reg->Add(in);
        }
    }
};

TEST_F(RegisterScreens, WindowPagesAndAddDialog)
{
    core::AdminValues admin;
    reg::TGospodarii window(*db, *settings, *counters, admin);
    window.Prepare();
    ASSERT_GT(window.taxpayers().visibleCount(), 0);
    // The taxpayer with remarks and heirs.
    const int64_t id = db->scalar("SELECT IDGOS FROM Gospodar WHERE ROL = '101'").toInt();
    ASSERT_TRUE(window.selectTaxpayer(id));
    EXPECT_FALSE(window.remarksLabel()->text().isEmpty());
    keep(snapshot(window), "tgospodarii.png");

    // Some values on the pages, so that they look used.
    auto set = [&](AssetPage page, std::vector<std::pair<const char*, const char*>> values) {
        QStringList v = window.pages().Load(page, id);
        for (const auto& [field, value] : values)
            v[reg::PageDefOf(page).fieldIndex(field)] = value;
        ASSERT_EQ(window.pages().Save(page, id, v), reg::AssetPages::SaveOutcome::Saved);
    };
    set(AssetPage::Pag1, {{"EC1ZA", "1.2345"}, {"EC2ZB", "0.5"}, {"EC7ZD", "2.25"}});
    set(AssetPage::Pag4, {{"ICCA", "350"}, {"IA11", "0.12"}});
    set(AssetPage::Pag5, {{"AUTO2", "1"}, {"P30001", "3200"}, {"TRACCAP1", "4500"}, {"TRACBUC1", "1"}});
    set(AssetPage::Pag7, {{"Alte2", "1"}, {"Alte3", "3"}});
    set(AssetPage::Pag11, {{"NumericEdit13", "120"}, {"Pen13", "14"}});

    for (const reg::PageDef& def : reg::AssetPageDefs()) {
        ASSERT_TRUE(window.ListView1SelectItem(reg::TGospodarii::EntryOfPage(def.page))) << def.name.toStdString();
        const QImage image = snapshot(window);
        reg::AssetPageView* view = window.pageView(def.page);
        ASSERT_EQ(window.pageControl()->currentWidget(), view);
        // Every field fits in the page without scrolling.
        auto* scroll = view->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << def.name.toStdString();
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << def.name.toStdString();
        for (int i = 0; i < view->fieldCount(); ++i)
            EXPECT_TRUE(view->field(i)->isVisible()) << def.name.toStdString() << " " << i;
        keep(image, QStringLiteral("tgospodarii_%1.png").arg(def.name.toLower()));
    }
    // A page with pending changes shows its panel.
    ASSERT_TRUE(window.ListView1SelectItem(reg::TGospodarii::EntryOfPage(AssetPage::Pag6)));
    reg::AssetPageView* pag6 = window.pageView(AssetPage::Pag6);
    pag6->field(0)->setText("1600");
    emit pag6->field(0)->textEdited("1600");
    keep(snapshot(window), "tgospodarii_modificari.png");
    pag6->setPendingChanges(false);
    window.hide();

    reg::TAddGosF& dialog = window.dialog();
    reg::TAddGosF::Lists lists;
    lists.villages = {"DEALU MARE", "PODENI", "VALEA LUNGA"};
    lists.streets = window.taxpayers().Streets();
    lists.operators = {"OP1"};
    lists.showNoPenalty = true;
    dialog.ResetForAdd(lists, "DEALU MARE", window.taxpayers().SuggestRole());
    dialog.setWindowTitle("Adaugare gospodarie");
    dialog.CapGosp()->setText("POPA DUMITRU");
    keep(snapshot(dialog), "taddgosf.png");
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (w->isVisible() && w->parentWidget() == &dialog) {
            EXPECT_TRUE(dialog.rect().contains(QRect(w->pos(), w->size()))) << w->objectName().toStdString();
        }
    }
    dialog.hide();
}

} // namespace

// The simple lists "Fizice", "Juridice" and "Lista numar persoane" on a small register, read back by
// LibreOffice, and the village dialog TSelSat. With LIRMA_SCREENS_DIR set, a rendered page of each list
// is saved there (docs/screens is made that way).
#include "documents/simple_lists.h"
#include "documents/tselsat.h"

#include "db/catalog.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"
#include "platform/ui/scripted_interaction.h"

#include "support/libreoffice.h"
#include "support/qt_application.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lirma;
using namespace lirma::documents;
using lirma::test::CsvTable;

namespace {

struct Taxpayer {
    int64_t id;
    const char* village;
    const char* rol;
    const char* name;
    const char* cnp;
    const char* street;
    const char* address;
    int64_t persons;
    const char* type;
};

const std::vector<Taxpayer>& fixture()
{
    static const std::vector<Taxpayer> rows = {
        {1, "VALEA MARE", "12", "POPESCU ION", "1700101123456", "Principala", "nr. 5", 4, "FIZICA"},
        {2, "DEALU MIC", "3", "ANDREI MARIA", "2800202123457", "", "nr. 17", 2, "FIZICA"},
        {3, "VALEA MARE", "7", "BARBU VASILE", "1650303123458", "Morii", "nr. 2 bl. A", 1, "FIZICA"},
        {4, "VALEA MARE", "40", "AGROMEC SRL", "12345674", "Garii", "nr. 1", 0, "JURIDICA"},
        {5, "DEALU MIC", "41", "ZORILE COOP", "2345678", "Scolii", "nr. 9", 0, "JURIDICA"},
        {6, "VALEA MARE", "5", "COSTIN ELENA", "2900404123459", "Principala", "nr. 30", 3, "FIZICA"},
    };
    return rows;
}

class SimpleListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folders_ = base::Folders::ForProgram(dir_.path());
        ASSERT_TRUE(folders_.createMissing());
        db_ = std::make_unique<storage::Database>(folders_.data.toStdString());
        db_->createTable("Gospodar", db::Table("Gospodar").fields);
        for (const Taxpayer& t : fixture())
            db_->exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, NRPERS, TIP) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                      {t.id, t.village, t.rol, t.name, t.cnp, t.street, t.address, t.persons, t.type});
    }

    // The list moved aside under `name`, so the next one gets Rap0 again.
    QString keep(const QString& saved, const QString& name)
    {
        EXPECT_EQ(saved, QDir(folders_.program).filePath("Rap0.xlsx"));
        QString kept = dir_.filePath(name + ".xlsx");
        EXPECT_TRUE(QFile::rename(saved, kept));
        return kept;
    }

    QTemporaryDir dir_;
    base::Folders folders_;
    std::unique_ptr<storage::Database> db_;
    ui::ScriptedInteraction ui_;
    ui::ScopedInteraction scoped_{ui_};
};

// The data rows of a list: from the row after the headers ("Nr. crt.") to the row before "TOTAL".
std::vector<std::vector<QString>> dataRows(const CsvTable& t)
{
    int head = t.findRow("Nr. crt.");
    int total = t.findRow("TOTAL");
    std::vector<std::vector<QString>> out;
    for (int r = head + 1; head && r < total; ++r)
        out.push_back(t.rows[size_t(r - 1)]);
    return out;
}

} // namespace

TEST_F(SimpleListsTest, ListsOfTaxpayersAndOfPersons)
{
    struct Case {
        QString name;
        std::function<QString()> make;
        std::function<void(const CsvTable&)> check;
    };
    const std::vector<Case> cases = {
        {"lista_persoane_fizice", [&] { return ListaPersoane(*db_, folders_, PersonType::Fizica); },
         [](const CsvTable& t) {
             EXPECT_TRUE(t.findRow("Lista persoane fizice"));
             auto rows = dataRows(t);
             ASSERT_EQ(rows.size(), 4u);
             // Nr., village, role, name, code, street, address, persons; by name.
             EXPECT_EQ(rows[0], (std::vector<QString>{"1", "DEALU MIC", "3", "ANDREI MARIA", "2800202123457", "",
                                                      "nr. 17", "2"}));
             EXPECT_EQ(rows[1][3], "BARBU VASILE");
             EXPECT_EQ(rows[2][3], "COSTIN ELENA");
             EXPECT_EQ(rows[3][3], "POPESCU ION");
             EXPECT_EQ(rows[3][2], "12");
             const int total = t.findRow("TOTAL");
             EXPECT_EQ(t.cell(total, 4), "4 contribuabili");
             EXPECT_EQ(t.cell(total, 8), "10");
         }},
        {"lista_persoane_juridice", [&] { return ListaPersoane(*db_, folders_, PersonType::Juridica); },
         [](const CsvTable& t) {
             EXPECT_TRUE(t.findRow("Lista persoane juridice"));
             auto rows = dataRows(t);
             ASSERT_EQ(rows.size(), 2u);
             EXPECT_EQ(rows[0][3], "AGROMEC SRL");
             EXPECT_EQ(rows[0][4], "12345674");
             EXPECT_EQ(rows[1][3], "ZORILE COOP");
         }},
        {"lista_numar_persoane", [&] { return ListaNumarPersoane(*db_, folders_, "VALEA MARE", false); },
         [](const CsvTable& t) {
             EXPECT_TRUE(t.findRow("VALEA MARE"));
             auto rows = dataRows(t);
             ASSERT_EQ(rows.size(), 3u);
             // Nr., role, name, code, address, persons.
             EXPECT_EQ(rows[0], (std::vector<QString>{"1", "7", "BARBU VASILE", "1650303123458", "str.Morii nr. 2 bl. A", "1"}));
             EXPECT_EQ(rows[1][2], "COSTIN ELENA");
             EXPECT_EQ(rows[2][2], "POPESCU ION");
             EXPECT_EQ(rows[2][4], "str.Principala nr. 5");
             EXPECT_EQ(t.cell(t.findRow("TOTAL"), 6), "8");
         }},
        {"lista_numar_persoane_toate", [&] { return ListaNumarPersoane(*db_, folders_, kAnyVillage, true); },
         [](const CsvTable& t) {
             EXPECT_TRUE(t.findRow(kAnyVillage));
             auto rows = dataRows(t);
             ASSERT_EQ(rows.size(), 4u);
             EXPECT_EQ(rows[0][4], "str. nr. 17"); // the street is empty: "str." + "" + " " + address
             EXPECT_EQ(t.cell(t.findRow("TOTAL"), 6), "10");
         }},
    };
    QStringList paths;
    for (const Case& c : cases)
        paths << keep(c.make(), c.name);
    EXPECT_TRUE(ui_.messages().empty()) << ui_.messageTexts().join("|").toStdString();
    EXPECT_EQ(ui_.recordsOf(ui::ScriptedInteraction::What::Document).size(), cases.size());
    // The template copies of the temporary folder are gone.
    EXPECT_TRUE(QDir(folders_.temp).entryList(QDir::Files).isEmpty()) << QDir(folders_.temp).entryList().join(",").toStdString();

    auto tables = test::LibreOffice::instance().toCsv(paths);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name.toStdString());
        ASSERT_EQ(tables[i].size(), 1u) << "LibreOffice could not read the list";
        const CsvTable& t = tables[i].begin()->second;
        EXPECT_EQ(t.markers(), QStringList());
        cases[i].check(t);
    }

    const QString screens = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (!screens.isEmpty()) {
        QDir().mkpath(screens);
        QStringList pngs;
        for (const Case& c : cases)
            pngs << QDir(screens).filePath(c.name + ".png");
        EXPECT_TRUE(test::LibreOffice::instance().toPng(paths, pngs, 60));
    }
}

TEST_F(SimpleListsTest, VillageDialog)
{
    EXPECT_EQ(SelSatVillages(*db_), (QStringList{kAnyVillage, "DEALU MIC", "VALEA MARE"}));
    TSelSat& dialog = SelSatDialog();
    EXPECT_EQ(&dialog, &SelSatDialog());
    EXPECT_EQ(dialog.windowTitle(), "Rapoarte");

    // "&Am ales" on the second village.
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.heading()->text(), kListaNumarPersoaneTitle);
        EXPECT_EQ(dialog.Localitatea()->currentIndex(), 0);
        dialog.Localitatea()->setCurrentIndex(2);
        dialog.AmAles()->click();
    });
    ASSERT_TRUE(dialog.Ask(*db_, kListaNumarPersoaneTitle));
    EXPECT_EQ(dialog.village(), "VALEA MARE");
    EXPECT_FALSE(dialog.anyVillage());

    // Enter on the village field confirms; the first entry means every village.
    QTimer::singleShot(0, &dialog, [&] {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &enter);
    });
    ASSERT_TRUE(dialog.Ask(*db_, kListaNumarPersoaneTitle));
    EXPECT_TRUE(dialog.anyVillage());
    EXPECT_EQ(dialog.village(), kAnyVillage);

    // Esc and "&Renunt" cancel: the command makes no list.
    QTimer::singleShot(0, &dialog, [&] {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &esc);
    });
    ListaNumarPersoaneCommand(*db_, folders_);
    QTimer::singleShot(0, &dialog, [&] { dialog.Renunt()->click(); });
    EXPECT_FALSE(dialog.Ask(*db_, kListaNumarPersoaneTitle));
    EXPECT_FALSE(QFile::exists(QDir(folders_.program).filePath("Rap0.xlsx")));
    EXPECT_TRUE(ui_.recordsOf(ui::ScriptedInteraction::What::Document).empty());

    // Confirmed, the command makes the list of the chosen village.
    QTimer::singleShot(0, &dialog, [&] {
        dialog.Localitatea()->setCurrentIndex(1);
        dialog.AmAles()->click();
    });
    ListaNumarPersoaneCommand(*db_, folders_);
    EXPECT_TRUE(QFile::exists(QDir(folders_.program).filePath("Rap0.xlsx")));
}

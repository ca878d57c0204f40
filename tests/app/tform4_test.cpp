// The administrator window over a real data folder: every input bound by name, navigation, the
// dialogs of villages and users, saving through the window, and the screenshots of every page
// (saved as docs/screens/tform4_*.png when LIRMA_SCREENS_DIR names a folder).
#include "app/taddzonaf.h"
#include "app/tfadduser.h"
#include "app/tform4.h"

#include "core/current_user.h"
#include "core/users_file.h"
#include "db/catalog.h"
#include "platform/registry/registry.h"
#include "platform/ui/scripted_interaction.h"

#include "support/qt_application.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

using namespace lirma;
using namespace lirma::app;
using core::AdminPage;
using core::InputKind;

namespace {

class TForm4Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::Registry::setStoreFolder(dir.filePath("registry"));
        folders = base::Folders::ForProgram(dir.path());
        ASSERT_TRUE(folders.createMissing());
        db = std::make_unique<storage::Database>(folders.data.toStdString());
        db->registerFolder(folders.temp.toStdString(), true);
        settings = std::make_unique<db::Settings>(db::Settings::inFolders(folders.data, folders.localData));
        counters = std::make_unique<db::Counters>(db::settingsPathIn(folders.data));
        db::CreateMissingTables(*db, {}, [this] { return counters->NextId(db::keys::IDCOD).toLongLong(); });
        core::UsersFile users(folders.data.toStdString());
        users.createIfMissing();
        users.append({"ION", "", core::Rank::Cashier, "L1"});
        users.append({"MARIA", "PM", core::Rank::Operator, ""});
        core::SetCurrentUser({"ADMIN", "123", core::Rank::Admin, ""});

        TForm4::Context c;
        c.folders = folders;
        c.db = db.get();
        c.settings = settings.get();
        c.counters = counters.get();
        c.log = [this](const QString&, const QString& action) { logged.push_back(action); };
        c.villagesChanged = [this] { ++villageRefreshes; };
        form = std::make_unique<TForm4>(c, values);
        // Dialogs run through the steps the test queued; each returns the dialog's result.
        form->setDialogRunner([this](QDialog& d) {
            if (steps.empty())
                return int(QDialog::Rejected);
            auto step = std::move(steps.front());
            steps.pop_front();
            step(d);
            return d.result();
        });
        core::AdminSettings(values, *db, *settings).Load("ADMIN");
    }
    void TearDown() override
    {
        form.reset();
        core::ClearCurrentUser();
        registry::Registry::setStoreFolder(QString());
    }

    template <class W> W* child(QWidget* parent, const char* name) { return parent->findChild<W*>(name); }

    QTemporaryDir dir;
    base::Folders folders;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
    std::unique_ptr<db::Counters> counters;
    core::AdminValues values;
    std::unique_ptr<TForm4> form;
    std::deque<std::function<void(QDialog&)>> steps;
    QStringList logged;
    int villageRefreshes = 0;
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};
};

void pressEnter(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(name)));
}

} // namespace

TEST_F(TForm4Test, EveryInputIsAWidgetOfItsPageNamedAfterIt)
{
    int count = 0;
    for (const core::AdminPageDef& def : core::AdminPages())
        for (const core::AdminInput& in : def.inputs) {
            SCOPED_TRACE(in.name.toStdString());
            QWidget* w = form->input(in.name);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->objectName(), in.name);
            EXPECT_TRUE(form->page(def.page)->isAncestorOf(w));
            switch (in.kind) {
            case InputKind::Text:
            case InputKind::Number: {
                auto* edit = qobject_cast<QLineEdit*>(w);
                ASSERT_NE(edit, nullptr);
                EXPECT_EQ(edit->text(), values.text(in.name));
                EXPECT_EQ(edit->isReadOnly(), in.level);
                EXPECT_EQ(edit->maxLength(), in.maxLength);
                break;
            }
            case InputKind::List: {
                auto* combo = qobject_cast<QComboBox*>(w);
                ASSERT_NE(combo, nullptr);
                EXPECT_EQ(combo->currentText(), values.text(in.name));
                break;
            }
            case InputKind::Check: {
                auto* box = qobject_cast<QCheckBox*>(w);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->text(), in.label);
                break;
            }
            }
            ++count;
        }
    EXPECT_EQ(count, values.names().size());
    EXPECT_EQ(form->windowTitle(), "Administrator program");
    EXPECT_EQ(form->saveButton()->text(), "Salveaza si inchide");
    EXPECT_EQ(form->cancelButton()->text(), "&Renunt");
}

TEST_F(TForm4Test, NavigationSelectsThePagesAndSkipsTheHeading)
{
    QListWidget* nav = form->navigation();
    ASSERT_EQ(nav->count(), 12);
    EXPECT_EQ(nav->item(2)->flags(), Qt::NoItemFlags);
    for (int entry = 0; entry < nav->count(); ++entry) {
        if (entry == 2)
            continue;
        nav->setCurrentRow(entry);
        EXPECT_EQ(form->pages()->currentIndex(), entry < 2 ? entry : entry - 1) << entry;
    }
    form->showPage(AdminPage::Buildings);
    EXPECT_EQ(nav->currentRow(), 4);
    EXPECT_EQ(form->currentPage(), AdminPage::Buildings);

    // The land pages explain how their levels are used.
    for (AdminPage p : {AdminPage::Extravilan, AdminPage::Intravilan}) {
        auto* explain = form->page(p)->findChild<QPushButton*>("Explicatii");
        ASSERT_NE(explain, nullptr);
        explain->click();
        ASSERT_FALSE(scripted.messages().empty());
        EXPECT_EQ(scripted.messages().back().title, "Explicatii");
        EXPECT_EQ(scripted.messages().back().text,
                  "Nivelul impozitelor se calculeaza inmultind valoarea din lege\r\n"
                  "cu coeficientul stabilit de consiliul local si cu\r\ncoeficientii de zona si rang.");
    }
    EXPECT_EQ(form->page(AdminPage::Vehicles)->findChild<QPushButton*>("Explicatii"), nullptr);
}

TEST_F(TForm4Test, WhatIsTypedIsSavedAndReadByNameWithoutTheWindow)
{
    form->prepare();
    qobject_cast<QLineEdit*>(form->input("PrimariaLab"))->setText("COMUNA VALEA");
    auto* county = qobject_cast<QComboBox*>(form->input("JudetulLab"));
    county->setCurrentIndex(county->findText("CLUJ"));
    qobject_cast<QLineEdit*>(form->input("VN1"))->setText("3");
    qobject_cast<QCheckBox*>(form->input("Bonificatie50"))->setChecked(true);
    form->saveButton()->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(villageRefreshes, 1);
    form->finish();
    EXPECT_EQ(values.text("primarialab"), "COMUNA VALEA");
    EXPECT_EQ(values.text("JUDETULLAB"), "CLUJ");
    EXPECT_EQ(values.numberOrZero("vn1"), base::Decimal(3));
    EXPECT_EQ(settings->ReadSetting("SERVER", "BONIF50"), "DA");
    EXPECT_EQ(logged, QStringList{"Modificare valoare VN1: 0 -> 3"});
}

TEST_F(TForm4Test, ClosingWithoutSavingDropsTheEdits)
{
    form->prepare();
    qobject_cast<QLineEdit*>(form->input("PrimarLab"))->setText("NESALVAT");
    form->cancelButton()->click();
    form->finish();
    EXPECT_EQ(values.text("PrimarLab"), "");
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->input("PrimarLab"))->text(), "");
}

TEST_F(TForm4Test, ARateOutsideItsIntervalBringsTheBuildingsPageForward)
{
    form->prepare();
    qobject_cast<QLineEdit*>(form->input("CotaCRPF"))->setText("0.3");
    scripted.answerMessage(ui::ReplyNu, "CotaCRPF");
    form->saveButton()->click();
    EXPECT_EQ(form->currentPage(), AdminPage::Buildings);
    EXPECT_NE(form->result(), QDialog::Accepted);
    EXPECT_EQ(settings->ReadSetting("SERVER", "COTACRPF"), "");

    qobject_cast<QLineEdit*>(form->input("MajHCL"))->setText("51");
    qobject_cast<QLineEdit*>(form->input("CotaCRPF"))->setText("0.2");
    form->showPage(AdminPage::General);
    form->saveButton()->click();
    EXPECT_EQ(form->currentPage(), AdminPage::Buildings);
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(scripted.problems()[0].text, "Valoarea maxima este 50% !");
    EXPECT_EQ(scripted.problems()[0].controlName, "MajHCL");
}

TEST_F(TForm4Test, InflationBoxNeedsARateOnTheGeneralPage)
{
    form->prepare();
    auto* box = qobject_cast<QCheckBox*>(form->input("RataInfPFN"));
    box->click();
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(scripted.problems()[0].controlName, "RataInfPFN");
    qobject_cast<QLineEdit*>(form->input("RataInfE"))->setText("4.5");
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(values.isChecked("RataInfPFN"));
}

TEST_F(TForm4Test, LevelsOfAPageAreUnlockedAfterTheQuestion)
{
    form->prepare();
    auto* g1a = qobject_cast<QLineEdit*>(form->input("G1A"));
    QPushButton* unlock = form->unlockButton(AdminPage::HeavyVehicles);
    ASSERT_NE(unlock, nullptr);
    EXPECT_EQ(form->unlockButton(AdminPage::Buildings), nullptr);
    EXPECT_EQ(form->unlockButton(AdminPage::Unregistered), nullptr);
    scripted.answerMessage(ui::ReplyNu, "Deblocare valori");
    unlock->click();
    EXPECT_TRUE(g1a->isReadOnly());
    scripted.answerMessage(ui::ReplyDa, "Deblocare valori");
    unlock->click();
    EXPECT_FALSE(g1a->isReadOnly());
    EXPECT_FALSE(unlock->isEnabled());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(form->input("GC1A"))->isReadOnly());
    form->cancelButton()->click();
    form->finish();
    EXPECT_TRUE(g1a->isReadOnly());
    EXPECT_TRUE(unlock->isEnabled());
}

TEST_F(TForm4Test, VillagesAreAddedModifiedAndDeletedThroughTheDialog)
{
    form->prepare();
    form->showPage(AdminPage::Zones);
    auto* defaultZone = qobject_cast<QComboBox*>(form->input("ZonaImplicita"));
    defaultZone->setCurrentIndex(defaultZone->findText("C"));
    QTableView* grid = form->zonesView();

    form->ModifyZoneClick();
    form->DeleteZoneClick();
    ASSERT_EQ(scripted.problems().size(), 2u);
    EXPECT_EQ(scripted.problems()[0].text, "Nu aveti ce modifica!");
    EXPECT_EQ(scripted.problems()[1].text, "Nu aveti ce sterge!");

    auto add = [&](const QString& locality) {
        steps.push_back([locality](QDialog& d) {
            auto& z = static_cast<TAddZonaF&>(d);
            EXPECT_EQ(z.titleLine()->text(), "Adaugare zona");
            EXPECT_EQ(z.windowTitle(), "Constante de calcul");
            EXPECT_EQ(z.zone(), "C");    // the default zone
            EXPECT_EQ(z.rank(), "IV");   // the default rank
            z.Localitatea()->setText(locality);
            z.MemoreazaClick();
        });
        form->AddZoneClick();
    };
    add("VALEA MARE");
    add("  BUDESTI ");
    add("VALEA   MARE"); // refused: the dialog stays open, nothing added
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(scripted.problems().back().text, "Localitatea specificat exista deja!");
    EXPECT_EQ(scripted.problems().back().controlName, "Localitatea");
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "BUDESTI");
    EXPECT_EQ(grid->currentIndex().row(), 0); // the new row is selected

    grid->setCurrentIndex(grid->model()->index(1, 0));
    steps.push_back([](QDialog& d) {
        auto& z = static_cast<TAddZonaF&>(d);
        EXPECT_EQ(z.titleLine()->text(), "Modificare zona");
        EXPECT_EQ(z.locality(), "VALEA MARE");
        z.Rangul()->setCurrentIndex(z.Rangul()->findText("II"));
        z.MemoreazaClick();
    });
    form->ModifyZoneClick();
    EXPECT_EQ(grid->model()->index(1, 2).data().toString(), "II");
    EXPECT_EQ(grid->currentIndex().row(), 1);

    scripted.answerMessage(ui::ReplyDa, "Sunteti sigur ca vreti sa stergeti localitatea?");
    form->DeleteZoneClick();
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM DefZone").toInt(), 1);
}

TEST_F(TForm4Test, UsersAreAddedModifiedAndDeletedThroughTheDialog)
{
    form->prepare();
    QTableView* grid = form->usersView();
    ASSERT_EQ(grid->model()->rowCount(), 2); // ION, MARIA; not the logged-in ADMIN
    EXPECT_EQ(grid->model()->headerData(4, Qt::Horizontal).toString(), "Nr. chitanta");
    EXPECT_EQ(grid->model()->index(0, 4).data().toString(), "1");

    steps.push_back([](QDialog& d) {
        auto& u = static_cast<TFAddUser&>(d);
        EXPECT_EQ(u.titleLine()->text(), "Adaugare Utilizator");
        EXPECT_FALSE(u.StergeParola()->isVisibleTo(&u));
        EXPECT_EQ(u.Gradul()->currentText(), "OPERATOR DE ROL");
        EXPECT_EQ(u.Nr()->text(), "0");
        u.Nume()->setText("POP[1]");
        u.MemoreazaClick(); // refused
        EXPECT_NE(u.result(), QDialog::Accepted);
        u.Nume()->setText("popescu");
        u.Gradul()->setCurrentIndex(u.Gradul()->findText("CASIER"));
        u.Seria()->setText("ab");
        u.Nr()->setText("12345678901"); // ten digits at most
        // Enter moves through the fields and, in "De la nr.", saves.
        pressEnter(u.Nr());
    });
    form->AddUserClick();
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(scripted.problems()[0].text, "Numele nu poate contine caracterele [ ] = !");
    EXPECT_EQ(scripted.problems()[0].controlName, "Nume");
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(grid->model()->index(2, 0).data().toString(), "POPESCU");
    EXPECT_EQ(grid->model()->index(2, 3).data().toString(), "AB");
    EXPECT_EQ(grid->model()->index(2, 4).data().toString(), "1234567890");
    EXPECT_EQ(settings->ReadSetting("POPESCU", "CHIT"), "1234567890");

    grid->setCurrentIndex(grid->model()->index(1, 0)); // MARIA
    steps.push_back([](QDialog& d) {
        auto& u = static_cast<TFAddUser&>(d);
        EXPECT_EQ(u.titleLine()->text(), "Modificare utilizator");
        EXPECT_TRUE(u.Nume()->isReadOnly());
        EXPECT_TRUE(u.StergeParola()->isVisibleTo(&u));
        EXPECT_FALSE(u.StergeParola()->isChecked());
        u.StergeParola()->setChecked(true);
        u.MemoreazaClick();
    });
    form->ModifyUserClick();
    EXPECT_EQ(core::UsersFile(folders.data.toStdString()).find("MARIA")->password, "");

    scripted.answerMessage(ui::ReplyDa, "Chiar il stergem pe MARIA?");
    form->DeleteUserClick();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(grid->currentIndex().row(), 0).data().toString(), "POPESCU");
}

TEST_F(TForm4Test, ServerOffWithNothingStoredIsABalloonBesideItsPath)
{
    form->prepare();
    EXPECT_EQ(form->serverLabel()->text(), "-");
    form->ServerOffClick();
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(scripted.problems()[0].text, "Nu aveti ce sterge.");
    EXPECT_EQ(scripted.problems()[0].controlName, "CaleServer");
    EXPECT_FALSE(form->endProgramRequested());
}

TEST_F(TForm4Test, ScreensOfEveryPageAndOfTheDialogs)
{
    ASSERT_TRUE(settings->WriteSetting("ION", "SERIA", "CA"));
    ASSERT_TRUE(settings->WriteSetting("ION", "CHIT", "1045"));
    values.setText("PrimariaLab", "PRIMARIA COMUNEI VALEA MARE");
    values.setText("LocalitateaLab", "VALEA MARE");
    values.setText("CUILab", "4283520");
    values.setText("JudetulLab", "ARGES");
    values.setText("PrimarLab", "POPESCU ION");
    values.setText("ContabilLab", "IONESCU MARIA");
    core::Villages villages(*db, *counters);
    villages.Add("VALEA MARE", "A", "IV");
    villages.Add("BUDESTI", "B", "V");
    form->prepare();
    form->show();
    static const char* const names[] = {"general",   "zone",          "extravilan", "cladiri",
                                        "intravilan", "auto",         "neinmatriculate", "alte_taxe",
                                        "peste_12t",  "combinatii",   "apa"};
    for (int p = 0; p < core::kAdminPageCount; ++p) {
        form->showPage(static_cast<AdminPage>(p));
        QApplication::processEvents();
        const QImage image = form->grab().toImage();
        ASSERT_FALSE(image.isNull());
        // The window's page shows its title line.
        const auto* title = form->page(static_cast<AdminPage>(p))->findChild<QLabel*>("Titlu");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), core::AdminPageOf(static_cast<AdminPage>(p)).title);
        keep(image, QStringLiteral("tform4_%1_%2.png").arg(p, 2, 10, QLatin1Char('0')).arg(names[p]));
    }
    form->hide();

    TFAddUser& user = form->userDialog();
    user.prepareModify(form->users().rows()[0]);
    user.show();
    QApplication::processEvents();
    keep(user.grab().toImage(), "tform4_utilizator.png");
    user.hide();

    TAddZonaF& zone = form->zoneDialog();
    zone.prepareAdd("A", "IV");
    zone.Localitatea()->setText("SATU NOU");
    zone.show();
    QApplication::processEvents();
    keep(zone.grab().toImage(), "tform4_zona.png");
    zone.hide();
}

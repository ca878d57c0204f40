#include "app/tform3.h"
#include "app/tform5.h"

#include "support/qt_application.h"
#include "tform3_support.h"

#include "core/current_user.h"
#include "platform/base/dates.h"
#include "platform/base/edition.h"

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <sstream>

using namespace lirma;
using app::TForm3;
using core::Rank;
using lirma::test::MainWindowTest;

namespace {

const QString kCaption = "Lirma 2024 ver. 1.0029";

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TForm3Test : public MainWindowTest {};

TEST_F(TForm3Test, BeforeLoginOnlyTheLoginPanel)
{
    auto form = make(boundCommands());
    EXPECT_EQ(form->windowTitle(), kCaption);
    EXPECT_EQ(form->UserName()->text(), "ADMIN");
    EXPECT_EQ(form->UserName()->maxLength(), 32);
    EXPECT_EQ(form->Parola()->maxLength(), 32);
    EXPECT_EQ(form->Parola()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form->LogBut()->text(), "Start");
    EXPECT_TRUE(form->loginPanel()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->mainButtons()->isVisibleTo(form.get()));
    EXPECT_EQ(form->dateLabel()->text(), base::FormatDate(QDate::currentDate()));
    EXPECT_EQ(form->statusLine()->text(), "F1 - Incasari");
    for (const auto& c : app::MainCommands())
        EXPECT_FALSE(form->offers(c.path)) << c.path.toStdString();
}

TEST_F(TForm3Test, FieldsTurnWhatIsTypedIntoUpperCase)
{
    auto form = make();
    form->UserName()->clear();
    type(form->UserName(), "admin");
    type(form->Parola(), "abc");
    EXPECT_EQ(form->UserName()->text(), "ADMIN");
    EXPECT_EQ(form->Parola()->text(), "ABC");
}

TEST_F(TForm3Test, LoginSucceedsFailsAndIsCleaned)
{
    writeUsers(test::userRecord("ADMIN", "123", 0, "") + test::userRecord("ION POP", "P1", 1, ""));
    struct Case {
        const char* label;
        QString name, password;
        bool loggedIn;
        QString fieldAfter;
        Rank rank;
    };
    const std::vector<Case> cases = {
        {"right password", "ADMIN", "123", true, "ADMIN", Rank::Admin},
        {"wrong password", "ADMIN", "124", false, "ADMIN", Rank::Unknown},
        {"unknown user", "VASILE", "123", false, "VASILE", Rank::Unknown},
        {"spaces cleaned in the field", "  ION    POP  ", "P1", true, "ION POP", Rank::Operator},
        {"spaces cleaned, wrong password", "  ION    POP  ", "P", false, "ION POP", Rank::Unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        core::ClearCurrentUser();
        said.clearRecords();
        auto form = make();
        logIn(*form, c.name, c.password);
        EXPECT_TRUE(said.records().empty()) << "a login tells nothing";
        EXPECT_EQ(form->UserName()->text(), c.fieldAfter);
        EXPECT_EQ(core::CurrentUser().rank, c.rank);
        EXPECT_EQ(form->mainButtons()->isVisibleTo(form.get()), c.loggedIn);
        EXPECT_EQ(form->loginPanel()->isVisibleTo(form.get()), !c.loggedIn);
        EXPECT_EQ(form->windowTitle(), c.loggedIn ? kCaption + "  >> " + c.fieldAfter : kCaption);
    }
}

TEST_F(TForm3Test, EnterMovesToThePasswordThenStarts)
{
    auto form = make();
    form->show();
    QApplication::setActiveWindow(form.get());
    form->UserName()->setFocus();
    form->Parola()->setText("123");
    press(form->UserName(), Qt::Key_Return);
    EXPECT_FALSE(core::CurrentUser().loggedIn()) << "Enter in the name does not press Start";
    EXPECT_TRUE(form->Parola()->hasFocus());
    press(form->Parola(), Qt::Key_Return);
    EXPECT_TRUE(core::CurrentUser().isAdmin());
    form->hide();
}

TEST_F(TForm3Test, FirstStartTellsTheDefaultPasswordAndLogsInTheAdministrator)
{
    std::remove(usersPath().c_str());
    auto form = make();
    logIn(*form, "OPER", "OP");
    ASSERT_EQ(said.messages().size(), 1u);
    EXPECT_EQ(said.messages()[0].title, "PRIMA PORNIRE");
    EXPECT_TRUE(said.messages()[0].text.contains("123"));
    EXPECT_TRUE(core::CurrentUser().isAdmin());
    EXPECT_EQ(form->UserName()->text(), "ADMIN");
    EXPECT_EQ(form->windowTitle(), kCaption + "  >> ADMIN");
    EXPECT_EQ(readBytes(usersPath()), test::userRecord("ADMIN", "123", 0, ""));
}

TEST_F(TForm3Test, EachRankSeesItsCommands)
{
    const QString util = "Utilitare > ";
    const QString lists = "Liste si Formulare > ";
    struct Row {
        QString path;
        bool admin, oper, cashier;
    };
    const std::vector<Row> rows = {
        {"Incasari", true, true, true},
        {"Registru de Casa", true, true, true},
        {"Gospodarii -Roluri-", true, true, false},
        {"Liste si Formulare", true, true, true},
        {"Administrare", true, true, false},
        {"Utilitare", true, true, true},
        {"Iesire", true, true, true},
        {util + "Salvare - Restaurare Baza de date", true, true, false},
        {util + "Preluare date din Registru Agricol 2020-2024", true, false, false},
        {util + "Compara Terenurile cu Registrul Agricol", true, true, true},
        {util + "Contul meu", true, true, true},
        {util + "Verificare baze", true, false, false},
        {util + "Istoric modificari > General", true, true, true},
        {util + "Istoric modificari > De pe acest calculator", true, true, true},
        {lists + "Registrul Matricol > Cladiri", true, true, true},
        {lists + "Lista de incasat > Pe conturi la 01.01.2024", true, true, true},
        {lists + "Legislatie > Legea 277 / 2015", true, true, true},
    };
    struct Who {
        const char* name;
        const char* password;
        bool Row::*sees;
    };
    for (const Who& who : {Who{"ADMIN", "123", &Row::admin}, Who{"OPER", "OP", &Row::oper},
                           Who{"CASIER", "CA", &Row::cashier}}) {
        SCOPED_TRACE(who.name);
        core::ClearCurrentUser();
        auto form = make(boundCommands());
        logIn(*form, who.name, who.password);
        ASSERT_TRUE(core::CurrentUser().loggedIn());
        for (const Row& r : rows)
            EXPECT_EQ(form->offers(r.path), r.*who.sees) << r.path.toStdString();
        // Each time "Utilitare" opens, the import is enabled only for the administrator.
        QAction* import = form->entry(util + "Preluare date din Registru Agricol 2020-2024");
        emit form->menu("Utilitare")->aboutToShow();
        EXPECT_EQ(import->isEnabled(), QString(who.name) == "ADMIN");
        // A submenu with no entry for the rank disappears with them.
        EXPECT_EQ(form->menu(util + "Istoric modificari")->menuAction()->isVisible(), true);
    }
}

TEST_F(TForm3Test, OnlyCommandsWhoseWindowExistsAreOffered)
{
    auto form = make();
    logIn(*form, "ADMIN", "123");
    std::set<QString> offered;
    for (const auto& c : app::MainCommands())
        if (form->offers(c.path))
            offered.insert(c.path);
    EXPECT_EQ(offered, (std::set<QString>{"Utilitare", "Utilitare > Contul meu", "Iesire"}));
    EXPECT_FALSE(form->menu("Utilitare > Istoric modificari")->menuAction()->isVisible());
    // Nothing answers F1 yet, so the status line does not offer it.
    EXPECT_EQ(form->statusLine()->text(), "");

    // A window that arrives is one action: its command appears for the ranks it is meant for.
    EXPECT_TRUE(form->setAction("Registru de Casa", [this](TForm3&) { ran.push_back("casa"); }));
    EXPECT_TRUE(form->offers("Registru de Casa"));
    form->button("Registru de Casa")->click();
    EXPECT_EQ(ran, std::vector<QString>{"casa"});
    EXPECT_TRUE(form->setAction("Liste si Formulare > Lista Auto", [](TForm3&) {}));
    EXPECT_TRUE(form->offers("Liste si Formulare"));
    EXPECT_TRUE(form->offers("Liste si Formulare > Lista Auto"));
    EXPECT_FALSE(form->setAction("Liste si Formulare > Nu exista", [](TForm3&) {}));
}

TEST_F(TForm3Test, AdministrationRefusesTheOperatorWithABalloon)
{
    struct Case {
        const char* name;
        const char* password;
        bool runs;
    };
    for (const Case& c : {Case{"ADMIN", "123", true}, Case{"OPER", "OP", false}}) {
        SCOPED_TRACE(c.name);
        core::ClearCurrentUser();
        ran.clear();
        said.clearRecords();
        auto form = make(boundCommands());
        logIn(*form, c.name, c.password);
        form->button("Administrare")->click();
        EXPECT_EQ(ran.size(), c.runs ? 1u : 0u);
        const auto balloons = said.problems();
        ASSERT_EQ(balloons.size(), c.runs ? 0u : 1u);
        if (!c.runs) {
            EXPECT_EQ(balloons[0].text, "Nu aveti treaba aici.");
            EXPECT_EQ(balloons[0].controlName, "MButAdm");
        }
    }
}

TEST_F(TForm3Test, F1AndF2DispatchOnlyWhileTheMainButtonsShow)
{
    auto form = make(boundCommands());
    form->show();
    press(form.get(), Qt::Key_F1);
    press(form.get(), Qt::Key_F2);
    EXPECT_TRUE(ran.empty()) << "no command before login";
    EXPECT_FALSE(form->menu("Liste si Formulare")->isVisible());

    logIn(*form, "CASIER", "CA");
    press(form.get(), Qt::Key_F1);
    EXPECT_EQ(ran, std::vector<QString>{"Incasari"});
    // From a main button that has the focus the key reaches the window too.
    press(form->button("Registru de Casa"), Qt::Key_F1);
    EXPECT_EQ(ran.size(), 2u);

    QMenu* lists = form->menu("Liste si Formulare");
    press(form.get(), Qt::Key_F2);
    EXPECT_TRUE(lists->isVisible());
    form->entry("Liste si Formulare > Chitante anulate")->trigger();
    EXPECT_EQ(ran.back(), "Liste si Formulare > Chitante anulate");
    lists->hide();

    form->button("Iesire")->click();
    press(form.get(), Qt::Key_F1);
    press(form.get(), Qt::Key_F2);
    EXPECT_EQ(ran.size(), 3u);
    EXPECT_FALSE(lists->isVisible());
    form->hide();
}

TEST_F(TForm3Test, F2WithoutListsOpensNothing)
{
    auto form = make();
    form->show();
    logIn(*form, "ADMIN", "123");
    press(form.get(), Qt::Key_F2);
    EXPECT_FALSE(form->menu("Liste si Formulare")->isVisible());
    form->hide();
}

TEST_F(TForm3Test, LogoutKeepsTheProgramRunning)
{
    auto form = make(boundCommands());
    form->show();
    logIn(*form, "OPER", "OP");
    ASSERT_TRUE(form->offers("Gospodarii -Roluri-"));
    form->button("Iesire")->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), kCaption);
    EXPECT_TRUE(form->loginPanel()->isVisible());
    EXPECT_FALSE(form->mainButtons()->isVisible());
    EXPECT_TRUE(form->Parola()->text().isEmpty());
    EXPECT_EQ(form->UserName()->text(), "OPER");
    EXPECT_EQ(core::CurrentUser().rank, Rank::Unknown);
    EXPECT_FALSE(form->offers("Gospodarii -Roluri-"));
    EXPECT_TRUE(said.records().empty());

    // Another user logs in on the same window and gets his own rank.
    logIn(*form, "CASIER", "CA");
    EXPECT_TRUE(core::CurrentUser().isCashier());
    EXPECT_FALSE(form->offers("Gospodarii -Roluri-"));
    EXPECT_EQ(form->windowTitle(), kCaption + "  >> CASIER");
    form->hide();
}

TEST_F(TForm3Test, LoginLogsTheStartAndTheImportCanEndTheProgram)
{
    struct Case {
        const char* name;
        const char* password;
        bool importEnds;
        int asked;
        bool ended;
    };
    for (const Case& c : {Case{"ADMIN", "123", true, 1, true}, Case{"ADMIN", "123", false, 1, false},
                          Case{"OPER", "OP", true, 0, false}}) {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.importEnds);
        core::ClearCurrentUser();
        said.clearRecords();
        int asked = 0;
        QStringList logged;
        bool backedUp = false;
        auto form = make();
        core::LoginHooks hooks;
        hooks.logAction = [&](const QString& rol, const QString& action) {
            logged << rol + "|" + action + "|" + form->UserName()->text();
        };
        hooks.importAtFirstLogin = [&] {
            ++asked;
            return c.importEnds;
        };
        form->setLoginHooks(hooks);
        QTemporaryDir backups;
        form->setAutoBackup({[&] { return backups.path(); }, [&] { backedUp = true; }});
        bool visibleAfterLogin = true;
        QTimer::singleShot(0, form.get(), [&] {
            logIn(*form, c.name, c.password);
            visibleAfterLogin = form->isVisible();
            if (visibleAfterLogin) {
                said.answerMessage(ui::ReplyNu, "Salvare Automata");
                form->close();
            }
        });
        form->Show();
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(form->programEnded(), c.ended);
        EXPECT_EQ(visibleAfterLogin, !c.ended);
        // The import that ran ends the program without any question and without backup.
        EXPECT_EQ(said.messages().size(), c.ended ? 0u : 1u);
        EXPECT_FALSE(backedUp);
        EXPECT_EQ(logged, c.ended ? QStringList() : QStringList{QString("|Pornire program.|") + c.name});
    }
}

// The close questions are the same whoever is logged in, and nobody logged in.
TEST_F(TForm3Test, CloseQuestionsForEachRank)
{
    struct Who {
        const char* name;
        const char* password;
    };
    struct Case {
        const char* label;
        bool backupHook;
        bool serverData;
        int reply;
        QString title;
        bool closes;
        bool backup;
    };
    const QString save = "Salvare Automata";
    const QString close = "Inchidere program";
    const std::vector<Case> cases = {
        {"no backup: DA closes", false, false, ui::ReplyDa, close, true, false},
        {"no backup: NU stays", false, false, ui::ReplyNu, close, false, false},
        {"no backup: Esc stays", false, false, ui::ReplyRenunt, close, false, false},
        {"backup: DA closes and saves", true, false, ui::ReplyDa, save, true, true},
        {"backup: NU closes without saving", true, false, ui::ReplyNu, save, true, false},
        {"backup: Esc stays", true, false, ui::ReplyRenunt, save, false, false},
        {"server data: never offers the backup", true, true, ui::ReplyDa, close, true, false},
    };
    const std::vector<Who> people = {{nullptr, nullptr}, {"ADMIN", "123"}, {"OPER", "OP"}, {"CASIER", "CA"}};
    for (const Who& who : people) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (who.name ? who.name : "(nobody)") << ": " << c.label);
            core::ClearCurrentUser();
            said.clearRecords();
            QTemporaryDir backups, server;
            base::Folders f = folders;
            if (c.serverData)
                f.data = server.path();
            TForm3 form(f, app::MainCommands());
            bool backedUp = false;
            bool closedYet = false;
            if (c.backupHook)
                form.setAutoBackup({[&] { return backups.path(); }, [&] {
                                        backedUp = true;
                                        closedYet = !form.isVisible();
                                    }});
            if (who.name && !c.serverData)
                logIn(form, who.name, who.password);
            bool stayed = false;
            QTimer::singleShot(0, &form, [&] {
                said.answerMessage(c.reply, c.title);
                form.close();
                stayed = form.isVisible();
                if (stayed)
                    form.EndProgram(); // ends the test's run
            });
            form.Show();
            ASSERT_EQ(said.messages().size(), 1u);
            EXPECT_EQ(said.messages()[0].title, c.title);
            EXPECT_EQ(stayed, !c.closes);
            EXPECT_EQ(backedUp, c.backup);
            if (c.backup) {
                EXPECT_TRUE(closedYet) << "the backup runs after the window has closed";
            }
        }
    }
}

TEST_F(TForm3Test, DateClosesTheWindowEscDoesNot)
{
    auto form = make();
    form->show();
    press(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(said.records().empty());

    said.answerMessage(ui::ReplyNu, "Inchidere program");
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->dateLabel(), &click);
    EXPECT_EQ(said.messages().size(), 1u);
    EXPECT_TRUE(form->isVisible());

    said.answerMessage(ui::ReplyDa, "Inchidere program");
    QApplication::sendEvent(form->dateLabel(), &click);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->closeChoice(), core::CloseChoice::Close);
}

TEST_F(TForm3Test, TakesTheFullWidthOfTheScreen)
{
    auto form = make();
    form->show();
    QApplication::processEvents();
    const QRect area = form->screen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry().width(), area.width());
    EXPECT_EQ(form->frameGeometry().top(), area.top());
    EXPECT_LT(form->geometry().height(), area.height() / 2);
    form->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(form->windowState(), Qt::WindowNoState);
    EXPECT_EQ(form->frameGeometry().width(), area.width());
    form->hide();
}

// "Contul meu": the window, its checks and the change it stores.
TEST_F(TForm3Test, OwnAccountWindow)
{
    auto form = make();
    logIn(*form, "OPER", "OP");
    app::TForm5& account = form->ownAccountWindow();
    EXPECT_EQ(&account, &form->ownAccountWindow()) << "created once and reused";
    EXPECT_EQ(account.windowTitle(), "Utilizator");
    account.prepare();
    EXPECT_EQ(account.ParolaNoua()->text(), "OP");
    EXPECT_EQ(account.VerificaParola()->text(), "OP");
    EXPECT_EQ(account.Legitimatia()->text(), "L-OP");
    EXPECT_EQ(account.ParolaNoua()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(account.VerificaParola()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(account.Legitimatia()->echoMode(), QLineEdit::Normal);

    struct Case {
        QString password, verify;
        bool accepted;
    };
    for (const Case& c : std::vector<Case>{{"", "", false}, {"NOUA", "NOU", false}, {"NOUA", "NOUA", true}}) {
        SCOPED_TRACE((c.password + "/" + c.verify).toStdString());
        said.clearRecords();
        account.prepare();
        account.ParolaNoua()->setText(c.password);
        account.VerificaParola()->setText(c.verify);
        press(account.Legitimatia(), Qt::Key_Return); // Enter in the last field confirms
        EXPECT_EQ(account.result() == QDialog::Accepted, c.accepted);
        ASSERT_EQ(said.problems().size(), c.accepted ? 0u : 1u);
        if (!c.accepted) {
            EXPECT_EQ(said.problems()[0].text, "Parola nesetata sau nu este identica in cele doua casute!");
            EXPECT_EQ(said.problems()[0].controlName, "ParolaNoua");
        }
    }
}

TEST_F(TForm3Test, OwnAccountFromTheMenuChangesThePassword)
{
    auto form = make();
    logIn(*form, "CASIER", "CA");
    app::TForm5& account = form->ownAccountWindow();
    QTimer::singleShot(0, &account, [&] {
        account.ParolaNoua()->setText("SECRET");
        account.VerificaParola()->setText("SECRET");
        account.Legitimatia()->setText("L 7");
        account.Memoreaza()->click();
    });
    form->entry("Utilitare > Contul meu")->trigger();
    ASSERT_EQ(said.messages().size(), 1u);
    EXPECT_EQ(said.messages()[0].title, "Schimbare cont");
    EXPECT_EQ(said.messages()[0].text, "Modificarile au fost memorate cu succes!");
    EXPECT_EQ(readBytes(usersPath()).substr(200, 100), test::userRecord("CASIER", "SECRET", 2, "L 7"));

    // Cancelling stores nothing.
    said.clearRecords();
    const std::string before = readBytes(usersPath());
    QTimer::singleShot(0, &account, [&] {
        account.ParolaNoua()->setText("ALTA");
        account.VerificaParola()->setText("ALTA");
        account.Renunt()->click();
    });
    form->entry("Utilitare > Contul meu")->trigger();
    EXPECT_TRUE(said.messages().empty());
    EXPECT_EQ(readBytes(usersPath()), before);

    form->button("Iesire")->click();
    logIn(*form, "CASIER", "SECRET");
    EXPECT_TRUE(core::CurrentUser().isCashier());
    EXPECT_EQ(core::CurrentUser().legit, "L 7");
}

} // namespace

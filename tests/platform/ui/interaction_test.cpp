#include "platform/ui/interaction.h"
#include "platform/ui/scripted_interaction.h"

#include "support/qt_application.h"

#include <QFile>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lirma::ui;
using What = ScriptedInteraction::What;

namespace {

// A job that paints `pages` pages, each with its number.
PrintJob pagesJob(const QString& title, int pages) {
    PrintJob job;
    job.title = title;
    job.paint = [pages](QPagedPaintDevice& device) {
        QPainter p(&device);
        for (int i = 1; i <= pages; ++i) {
            if (i > 1 && !device.newPage()) return false;
            p.drawText(100, 100, QString("Pagina %1").arg(i));
        }
        return true;
    };
    return job;
}

}  // namespace

TEST(ScriptedInteraction, RefusesAQuestionItWasNotGiven) {
    ScriptedInteraction ui;
    EXPECT_THROW(ui.message("Inchidere program", "\rInchideti programul?", BtnDa | BtnNu, KindConfirmare),
                 UnscriptedQuestion);
    ASSERT_EQ(ui.failures().size(), 1);
    EXPECT_TRUE(ui.failures().front().contains("Inchidere program"));
    // What was asked stays on record even though nobody answered.
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].buttons, BtnDa | BtnNu);

    EXPECT_THROW(ui.chooseFolder("Alegeti directorul", "/tmp"), UnscriptedQuestion);
    EXPECT_THROW(ui.chooseOpenFile("Fisier", "/tmp", "*.l24"), UnscriptedQuestion);
    EXPECT_THROW(ui.preview(pagesJob("Registru", 1)), UnscriptedQuestion);
    EXPECT_THROW(ui.print(pagesJob("Chitanta", 1), true), UnscriptedQuestion);
    EXPECT_EQ(ui.failures().size(), 5);
}

TEST(ScriptedInteraction, RefusesAnAnswerThatDoesNotFitTheQuestion) {
    struct Case {
        const char* name;
        std::function<void(ScriptedInteraction&)> script;
        int buttons;
    };
    const std::vector<Case> cases = {
        {"about another question", [](ScriptedInteraction& s) { s.answerMessage(ReplyDa, "Stergere"); },
         BtnDa | BtnNu},
        {"a button the dialog does not have", [](ScriptedInteraction& s) { s.answerMessage(ReplyOk); },
         BtnDa | BtnNu},
        {"a folder for a message", [](ScriptedInteraction& s) { s.answerFolder("/tmp"); }, BtnDa | BtnNu},
        {"no for a DA/RENUNT question", [](ScriptedInteraction& s) { s.answerMessage(ReplyNu); },
         BtnDa | BtnRenunt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction ui;
        c.script(ui);
        EXPECT_THROW(ui.message("Inchidere program", "Inchideti?", c.buttons, KindConfirmare),
                     UnscriptedQuestion);
        EXPECT_EQ(ui.failures().size(), 1);
    }
}

TEST(ScriptedInteraction, AnswersInOrderAndRecordsWhatTheUserWasTold) {
    ScriptedInteraction ui;
    ui.answerMessage(ReplyNu, "Inchidere").answerMessage(ReplyRenunt).answerFolder("/srv/date", "Cale");
    QLineEdit field;
    field.setObjectName("EdCnp");

    EXPECT_EQ(ui.message("Eroare", "CNP gresit", BtnOk, KindEroare), ReplyOk);  // one button: no script
    EXPECT_EQ(ui.message("Nimic", "nu se vede", 0, KindEroare), ReplyRenunt);   // no button: not shown
    EXPECT_EQ(ui.message("Inchidere program", "?", BtnDa | BtnNu | BtnRenunt, KindConfirmare), ReplyNu);
    ShowProblem("Completati CNP-ul!", &field);  // not installed: goes to the unattended service
    {
        ScopedInteraction installed(ui);
        EXPECT_EQ(&interaction(), &ui);
        ShowProblem("Completati CNP-ul!", &field);
        EXPECT_FALSE(AskYes("Stergere", "Stergeti?"));  // the scripted RENUNT is not DA
    }
    EXPECT_NE(&interaction(), &ui);
    EXPECT_EQ(ui.chooseFolder("Cale salvari", "/home"), "/srv/date");
    EXPECT_EQ(ui.pendingAnswers(), 0);
    EXPECT_TRUE(ui.failures().isEmpty());

    const auto& r = ui.records();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0].what, What::Message);
    EXPECT_EQ(r[0].text, "CNP gresit");
    EXPECT_EQ(r[0].kind, KindEroare);
    EXPECT_EQ(r[1].buttons, 0);
    EXPECT_EQ(r[2].reply, ReplyNu);
    EXPECT_EQ(r[3].what, What::Problem);
    EXPECT_EQ(r[3].text, "Completati CNP-ul!");
    EXPECT_EQ(r[3].controlName, "EdCnp");
    EXPECT_EQ(r[3].control, &field);
    EXPECT_EQ(r[4].reply, ReplyRenunt);
    EXPECT_EQ(r[5].what, What::Folder);
    EXPECT_EQ(r[5].text, "/home");
    EXPECT_EQ(r[5].path, "/srv/date");
    EXPECT_EQ(ui.messageTexts(), QStringList({"CNP gresit", "nu se vede", "?", "Stergeti?"}));
}

TEST(ScriptedInteraction, PaintsPrintJobsAndKeepsThemAsPdf) {
    QTemporaryDir dir;
    ScriptedInteraction ui;
    ui.keepPrintsIn(dir.path());
    ui.answerPrint(true, "Registru").answerPrint(false);

    EXPECT_TRUE(ui.preview(pagesJob("Registru de rol", 3)));
    EXPECT_FALSE(ui.print(pagesJob("Chitanta", 2), true));  // the user closed the printer dialog
    EXPECT_TRUE(ui.print(pagesJob("Chitanta", 2), false));  // straight to the printer: no question

    PrintJob broken = pagesJob("Stricat", 1);
    broken.paint = [](QPagedPaintDevice&) { return false; };
    EXPECT_FALSE(ui.print(broken, false));

    const auto& r = ui.records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].what, What::Preview);
    EXPECT_EQ(r[0].pages, 3);
    EXPECT_EQ(r[1].pages, 0);
    EXPECT_EQ(r[2].pages, 2);
    EXPECT_FALSE(r[3].accepted);
    QFile pdf(r[0].path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(UnattendedInteraction, TellsButNeverGuessesAnAnswer) {
    UnattendedInteraction ui;
    EXPECT_EQ(ui.message("Eroare", "x", BtnOk, KindEroare), ReplyOk);
    EXPECT_EQ(ui.message("Eroare", "x", BtnRenunt, KindEroare), ReplyRenunt);
    EXPECT_EQ(ui.message("Eroare", "x", 0, KindEroare), ReplyRenunt);
    EXPECT_THROW(ui.message("Intrebare", "?", BtnDa | BtnNu, KindConfirmare), UnscriptedQuestion);
    EXPECT_THROW(ui.chooseFolder("Cale", "/"), UnscriptedQuestion);
    EXPECT_FALSE(ui.openDocument("/tmp/x.rtf"));
    EXPECT_FALSE(ui.print(pagesJob("Chitanta", 1), false));
}

TEST(ScriptedProgress, FollowsTheProgressWindowRules) {
    ScriptedInteraction ui;
    Progress& p = ui.progress();
    p.setMaximum(3);
    p.setPosition(2);
    p.Begin();
    EXPECT_TRUE(p.isShown());
    EXPECT_EQ(p.position(), 0);
    for (int i = 0; i < 5; ++i) p.Step();
    EXPECT_EQ(p.position(), 3);  // clamps at the maximum
    p.setPosition(10);
    EXPECT_EQ(p.position(), 3);
    p.setMaximum(2);
    EXPECT_EQ(p.position(), 2);
    p.End();
    p.End();  // a second End changes nothing
    EXPECT_FALSE(p.isShown());
    EXPECT_EQ(ui.scriptedProgress().begins(), 1);
    EXPECT_EQ(ui.scriptedProgress().ends(), 1);
    EXPECT_EQ(ui.scriptedProgress().steps(), 3);
}

TEST(ScriptedProgress, PressesStopAfterTheScriptedSteps) {
    ScriptedInteraction ui;
    ui.scriptedProgress().stopAfterSteps(4);
    Progress& p = ui.progress();
    p.Begin();  // not stoppable: the stop button is not there to press
    for (int i = 0; i < 10; ++i) p.Step();
    EXPECT_FALSE(p.StopRequested());
    p.End();

    p.setMaximum(100);
    p.BeginStoppable();
    int done = 0;
    while (!p.StopRequested() && done < 100) {
        ++done;
        p.Step();
    }
    EXPECT_EQ(done, 4);
    p.Begin();  // a new run clears the request
    EXPECT_FALSE(p.StopRequested());
    p.End();
}

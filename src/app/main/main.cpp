// lirma: the program. One copy per program folder; the start-up window runs the start-up
// sequence and then the main window until the user closes it.
#include "app/app_interaction.h"
#include "app/single_instance.h"
#include "app/tform1.h"
#include "app/main_commands.h"
#include "app/tform3.h"
#include "app/tform4.h"
#include "assessment/tfclasificare.h"
#include "core/activity_log.h"
#include "core/current_user.h"
#include "core/tlogview.h"
#include "documents/simple_lists.h"
#include "platform/base/edition.h"
#include "platform/base/files.h"
#include "register/assessment_bar.h"
#include "register/tgospodarii.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QToolTip>

#include <memory>

using namespace lirma;

namespace {

// Restores a minimised window of this copy, otherwise brings the front one forward.
void bringForward()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isMinimized())
            w->showNormal();
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = QApplication::activeWindow();
    if (!front) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                front = w;
    }
    if (front) {
        front->raise();
        front->activateWindow();
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationName(base::edition::AppTitle());
    // The program ends when the start-up window says so, after the work folders are gone.
    application.setQuitOnLastWindowClosed(false);

    const QString programFolder = base::Folders::ProgramFolder();
    app::SingleInstance instance(programFolder);
    if (!instance.acquire()) {
        instance.activateRunning();
        return 0;
    }

    QPalette hints = QToolTip::palette();
    hints.setColor(QPalette::ToolTipBase, Qt::white);
    QToolTip::setPalette(hints);

    app::AppInteraction interaction;
    ui::ScopedInteraction installed(interaction);

    app::StartupSequence::Options options;
    options.folders = base::Folders::ForProgram(programFolder);

    std::unique_ptr<app::TForm3> mainWindow;
    std::unique_ptr<core::ActivityLog> log;
    std::unique_ptr<core::TLogView> logView;
    std::unique_ptr<reg::TGospodarii> registerWindow;
    app::TForm1* startup = nullptr;

    // Every log row carries the name of the user logged in.
    auto userName = [] { return core::CurrentUser().name; };
    auto activityLog = [&]() -> core::ActivityLog& {
        if (!log) {
            app::StartupSequence& sequence = *startup->sequence();
            log = std::make_unique<core::ActivityLog>(sequence.database(), sequence.folders(), userName);
        }
        return *log;
    };
    auto logAction = [&](const QString& rol, const QString& action) { activityLog().LogAction(rol, action); };
    auto showLog = [&](core::LogSource source) {
        if (!logView) logView = std::make_unique<core::TLogView>(activityLog());
        logView->ShowLog(source);
    };

    app::TForm1 form(options, [&] {
        const base::Folders& folders = startup->sequence()->folders();
        mainWindow = std::make_unique<app::TForm3>(folders, app::WithTemplateMenu(app::MainCommands(), folders));
        core::LoginHooks hooks;
        hooks.logAction = logAction;
        mainWindow->setLoginHooks(std::move(hooks));
        mainWindow->setAction(app::kUtilitiesLogGeneral, [&](app::TForm3&) { showLog(core::LogSource::General); });
        mainWindow->setAction(app::kUtilitiesLogLocal, [&](app::TForm3&) { showLog(core::LogSource::ThisComputer); });
        storage::Database& db = startup->sequence()->database();
        mainWindow->setAction(app::kListFizice, [&db, &folders](app::TForm3&) { documents::FiziceCommand(db, folders); });
        mainWindow->setAction(app::kListJuridice, [&db, &folders](app::TForm3&) { documents::JuridiceCommand(db, folders); });
        mainWindow->setAction(app::kListNumarPersoane,
                              [&db, &folders](app::TForm3&) { documents::ListaNumarPersoaneCommand(db, folders); });
        mainWindow->setAction(app::kRegisterCommand, [&](app::TForm3&) {
            app::StartupSequence& s = *startup->sequence();
            if (!registerWindow) {
                registerWindow = std::make_unique<reg::TGospodarii>(s.database(), s.settings(), s.counters());
                registerWindow->AddBelowPages(new reg::AssessmentBar(*registerWindow, s.database(), s.settings(),
                                                                     s.counters(), core::AdminStore(), s.folders(),
                                                                     logAction));
            }
            registerWindow->Open();
        });
        mainWindow->setAction(app::kAdminCommand, app::AdministrareAction([&] {
            app::StartupSequence& s = *startup->sequence();
            app::TForm4::Context c;
            c.folders = s.folders();
            c.db = &s.database();
            c.settings = &s.settings();
            c.counters = &s.counters();
            c.log = logAction;
            c.villagesChanged = [&] {
                if (registerWindow) registerWindow->RefreshVillages();
            };
            // "Coduri clasificare" of the administrator window.
            c.openClassificationCodes = [&] {
                app::StartupSequence& seq = *startup->sequence();
                assessment::ShowClassificationCodes(seq.database(), seq.counters());
            };
            return c;
        }));
        mainWindow->Show();
        logView.reset();
    });
    startup = &form;
    form.setPrepare([&](app::StartupSequence& sequence) {
        sequence.setLogAction(logAction);
        sequence.setLoadAdministratorSettings(app::AdministratorLoader()); // start-up step 5
    });

    QObject::connect(&instance, &app::SingleInstance::activationRequested, &application, bringForward);
    QObject::connect(&form, &app::TForm1::finished, &application, [](int code) { QCoreApplication::exit(code); });

    form.show();
    const int code = application.exec();
    logView.reset();
    registerWindow.reset();
    mainWindow.reset();
    log.reset();
    return code;
}

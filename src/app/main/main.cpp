// lirma: the program. One copy per program folder; the start-up window runs the start-up
// sequence and then the main window until the user closes it.
#include "app/app_interaction.h"
#include "app/single_instance.h"
#include "app/tform1.h"
#if __has_include("app/tform3.h")
#include "app/tform3.h"
#define LIRMA_HAS_TFORM3 1
#endif
#include "core/activity_log.h"
#include "platform/base/edition.h"
#include "platform/base/files.h"

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

#ifdef LIRMA_HAS_TFORM3
    std::unique_ptr<app::TForm3> mainWindow;
#else
    // TODO: remove once the main window TForm3 is in the tree; until then the start-up ends
    // right after its sequence.
    struct NoMainWindow {
        QLineEdit* UserName() const { return nullptr; }
    };
    std::unique_ptr<NoMainWindow> mainWindow;
#endif
    std::unique_ptr<core::ActivityLog> log;
    app::TForm1* startup = nullptr;

    // The name typed in the main window's login field writes every log row.
    auto userName = [&mainWindow] { return mainWindow ? mainWindow->UserName()->text() : QString(); };
    auto logAction = [&](const QString& rol, const QString& action) {
        if (!log) {
            app::StartupSequence& sequence = *startup->sequence();
            log = std::make_unique<core::ActivityLog>(sequence.database(), sequence.folders(), userName);
        }
        log->LogAction(rol, action);
    };

    app::TForm1 form(options, [&] {
#ifdef LIRMA_HAS_TFORM3
        mainWindow = std::make_unique<app::TForm3>(startup->sequence()->folders());
        core::LoginHooks hooks;
        hooks.logAction = logAction;
        mainWindow->setLoginHooks(std::move(hooks));
        mainWindow->Show();
#endif
    });
    startup = &form;
    form.setPrepare([&](app::StartupSequence& sequence) { sequence.setLogAction(logAction); });

    QObject::connect(&instance, &app::SingleInstance::activationRequested, &application, bringForward);
    QObject::connect(&form, &app::TForm1::finished, &application, [](int code) { QCoreApplication::exit(code); });

    form.show();
    const int code = application.exec();
    mainWindow.reset();
    log.reset();
    return code;
}

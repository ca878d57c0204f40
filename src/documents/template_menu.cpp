#include "documents/template_menu.h"

#include "documents/rtf_replace.h"
#include "documents/template_store.h"
#include "platform/office/lock_file.h"
#include "platform/ui/interaction.h"

#include <QFileInfo>
#include <QMenu>

#include <map>

namespace lirma::documents {

namespace {

const QString kEdit = QStringLiteral("Editare model");
const QString kRestore = QStringLiteral("Refa modelul initial");
const QString kRestoreTitle = QStringLiteral("Refacere model initial");
const QString kRestoreQuestion = QStringLiteral("\rDoriti sa punem inapoi modelul initial?");
const QString kRestored = QStringLiteral("\rModelul a fost reinitializat!");
const QString kInUse = QStringLiteral("\rModelul este in utilizare!\rInchideti-l si reincercati!");
const QString kSeparator = QStringLiteral(" > ");

} // namespace

bool EditTemplate(const base::Folders& folders, const TemplateInfo& tpl)
{
    if (tpl.fileName.isEmpty())
        return false;
    const QString path = folders.dataFile(tpl.fileName);
    if (!QFileInfo::exists(path) && !ExtractTemplate(tpl.resource, tpl.type, path))
        return false;
    TRTFReplace engine;
    engine.setRTFDest(path);
    return engine.OpenDocument();
}

RestoreOutcome RestoreTemplate(const base::Folders& folders, const TemplateInfo& tpl)
{
    if (tpl.fileName.isEmpty() || tpl.resource.isEmpty())
        return RestoreOutcome::Failed;
    if (!ui::AskYes(kRestoreTitle, kRestoreQuestion))
        return RestoreOutcome::Declined;
    const QString path = folders.dataFile(tpl.fileName);
    if (office::IsInUse(path)) {
        ui::ShowMessage(kRestoreTitle, kInUse, ui::BtnOk, ui::KindEroare);
        return RestoreOutcome::InUse;
    }
    // Only this template: the others, edited or not, stay as they are.
    if (!ExtractTemplate(tpl.resource, tpl.type, path)) {
        ui::ShowMessage(kRestoreTitle, kInUse, ui::BtnOk, ui::KindEroare);
        return RestoreOutcome::Failed;
    }
    ui::ShowMessage(kRestoreTitle, kRestored, ui::BtnOk, ui::KindInformatie);
    return RestoreOutcome::Restored;
}

std::vector<TemplateCommand> TemplateMenuCommands(const base::Folders& folders)
{
    std::vector<TemplateCommand> commands;
    for (const TemplateInfo& t : TemplateCatalog()) {
        if (t.menuPath.isEmpty())
            continue;
        const bool hasFile = !t.fileName.isEmpty() && !t.resource.isEmpty();
        TemplateCommand edit{t.menuPath + kSeparator + kEdit, hasFile, {}};
        if (hasFile)
            edit.run = [folders, &t] { EditTemplate(folders, t); };
        commands.push_back(std::move(edit));
        if (hasFile && t.restorable)
            commands.push_back({t.menuPath + kSeparator + kRestore, true, [folders, &t] { RestoreTemplate(folders, t); }});
    }
    return commands;
}

void AddTemplateMenu(QMenu* menu, const base::Folders& folders)
{
    if (!menu)
        return;
    std::map<QString, QMenu*> submenus;
    for (TemplateCommand& command : TemplateMenuCommands(folders)) {
        const QStringList captions = command.path.split(kSeparator);
        QMenu* parent = menu;
        QString path;
        for (int i = 0; i + 1 < captions.size(); ++i) {
            path += (i ? kSeparator : QString()) + captions[i];
            QMenu*& sub = submenus[path];
            if (!sub)
                sub = parent->addMenu(captions[i]);
            parent = sub;
        }
        QAction* action = parent->addAction(captions.last());
        action->setEnabled(command.enabled);
        if (!command.enabled) {
            // A template menu of which nothing can be used is disabled as a whole.
            bool anyEnabled = false;
            for (QAction* a : parent->actions())
                anyEnabled = anyEnabled || a->isEnabled();
            parent->menuAction()->setEnabled(anyEnabled);
        }
        if (command.run)
            QObject::connect(action, &QAction::triggered, action, [run = command.run] { run(); });
    }
}

} // namespace lirma::documents

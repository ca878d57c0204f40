// The menu "Modele listare - Editare": for each editable template "Editare model" opens its copy in the
// data folder in the desktop's program, and "Refa modelul initial" (where offered) puts the embedded
// template back. Entries without a template are shown disabled.
#pragma once

#include "documents/template_catalog.h"
#include "platform/base/files.h"

#include <QString>

#include <functional>
#include <vector>

class QMenu;

namespace lirma::documents {

// Caption of the menu under "Utilitare".
inline constexpr char kTemplateMenuCaption[] = "Modele listare - Editare";

// "Editare model": opens the template's file of the data folder (written first when it is missing).
// False when nothing was opened.
bool EditTemplate(const base::Folders& folders, const TemplateInfo& tpl);

enum class RestoreOutcome { Declined, Restored, InUse, Failed };

// "Refa modelul initial": asks, then puts back the embedded template over this one file only. A template
// open in the office program is left alone and the user is told to close it.
RestoreOutcome RestoreTemplate(const base::Folders& folders, const TemplateInfo& tpl);

// One entry of the menu: its captions below "Modele listare - Editare" joined by " > "
// ("Model Certificat Fiscal > Persoane fizice > Editare model").
struct TemplateCommand {
    QString path;
    bool enabled = true;
    std::function<void()> run; // empty for a disabled entry
};

// Every entry, in menu order.
std::vector<TemplateCommand> TemplateMenuCommands(const base::Folders& folders);

// Fills `menu` (the "Modele listare - Editare" menu) with the submenus and entries above.
void AddTemplateMenu(QMenu* menu, const base::Folders& folders);

} // namespace lirma::documents

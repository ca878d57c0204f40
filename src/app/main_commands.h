// The commands of the main window TForm3: its main buttons and the entries of its two menus,
// in the order they are shown, each with the rank gate that decides who sees it and the
// action that opens its window.
//
// A command whose window does not exist yet has no action and is not offered; a main button
// or submenu none of whose entries is offered is hidden too. Making a command available is
// filling in its action in the table of main_commands.cpp.
#pragma once

#include "core/ranks.h"
#include "platform/base/files.h"

#include <QString>

#include <functional>
#include <vector>

namespace lirma::app {

class TForm3;

using CommandAction = std::function<void(TForm3&)>;

// Separator of the captions of a command's path.
inline constexpr char kPathSeparator[] = " > ";
// Where the template entries (edit a template, put back the embedded one) go.
inline constexpr char kTemplateMenuPath[] = "Utilitare > Modele listare - Editare";
inline constexpr char kUtilitiesLogGeneral[] = "Utilitare > Istoric modificari > General";
inline constexpr char kUtilitiesLogLocal[] = "Utilitare > Istoric modificari > De pe acest calculator";
inline constexpr char kRegisterCommand[] = "Gospodarii -Roluri-";
inline constexpr char kAdminCommand[] = "Administrare";
inline constexpr char kListFizice[] =
    "Liste si Formulare > Alte Centralizatoare > Lista persoane fizice/juridice > Fizice";
inline constexpr char kListJuridice[] =
    "Liste si Formulare > Alte Centralizatoare > Lista persoane fizice/juridice > Juridice";
inline constexpr char kListNumarPersoane[] = "Liste si Formulare > Alte Centralizatoare > Lista numar persoane";

struct MainCommand {
    // Captions from the main button down to the entry, joined by " > ": "Registru de Casa",
    // "Utilitare > Istoric modificari > General". A main button whose path begins other
    // entries opens them as its menu.
    QString path;
    core::Gate gate = core::Gate::Everyone;
    CommandAction action; // empty: its window does not exist yet, the command is not offered
    QString name;         // component name of a main button ("MBut1"); "" for menu entries
    QString hint;         // hint of a main button
    bool enabled = true;  // false: shown greyed (an entry that exists but cannot run)
};

// Every command the main window knows, in the order shown.
std::vector<MainCommand> MainCommands();

// The commands with the template entries of the data folder inserted under kTemplateMenuPath.
std::vector<MainCommand> WithTemplateMenu(std::vector<MainCommand> commands, const base::Folders& folders);

} // namespace lirma::app

#include "app/main_commands.h"

#include "documents/template_menu.h"

#include <algorithm>

#include "app/tform3.h"
#include "app/tform5.h"
#include "platform/base/dates.h"

namespace lirma::app {

namespace {

MainCommand button(const char* name, const char* caption, const char* hint, core::Gate gate,
                   CommandAction action = {})
{
    return {caption, gate, std::move(action), name, hint};
}

MainCommand entry(const QString& path, core::Gate gate, CommandAction action = {})
{
    return {path, gate, std::move(action), {}, {}};
}

} // namespace

std::vector<MainCommand> MainCommands()
{
    using core::Gate;
    const QString lists = QStringLiteral("Liste si Formulare > ");
    const QString util = QStringLiteral("Utilitare > ");
    // One row per command. Fill in the action when its window arrives.
    return {
        // Main buttons, left to right.
        button("MBut1", "Incasari", "Incasari taxe si impozite. Vizualizare. Adaugare.", Gate::Everyone),
        button("MButCasa", "Registru de Casa", "Registrul de casa pe conturi.", Gate::Everyone),
        button("MButGosp", kRegisterCommand, "Adaugare numere de ROL.", Gate::NotCashier),
        button("MBut2", "Liste si Formulare", "Diverse rapoarte.", Gate::Everyone),
        button("MButAdm", kAdminCommand, "Administrare program.", Gate::AdminAction),
        button("UtilBut", "Utilitare", "Utilitare program.", Gate::Everyone),
        button("ToolButton1", "Iesire", "Inchide programul.", Gate::Everyone,
               [](TForm3& f) { f.ToolButton1Click(); }),

        // Menu "Utilitare". The template entries go under kTemplateMenuPath, after
        // "Compara Terenurile cu Registrul Agricol".
        entry(util + "Salvare - Restaurare Baza de date", Gate::NotCashier),
        entry(util + "Preluare date din Registru Agricol 2020-2024", Gate::AdminOnly),
        entry(util + "Compara Terenurile cu Registrul Agricol", Gate::Everyone),
        entry(util + "Contul meu", Gate::Everyone, &ShowContulMeu),
        entry(util + "Verificare baze", Gate::AdminOnly),
        entry(kUtilitiesLogGeneral, Gate::Everyone),
        entry(kUtilitiesLogLocal, Gate::Everyone),

        // Menu "Liste si Formulare".
        entry(lists + "Declaratii de impunere", Gate::Everyone),
        entry(lists + "Note de plata > Adaugare Note de plata", Gate::Everyone),
        entry(lists + "Note de plata > Listare Borderou note de plata", Gate::Everyone),
        entry(lists + "Somatii - Titluri executorii > Evidenta centralizata", Gate::Everyone),
        entry(lists + "Somatii - Titluri executorii > F.2201 - ANAF", Gate::Everyone),
        entry(lists + "Somatii - Titluri executorii > Listare Borderou somatii", Gate::Everyone),
        entry(lists + "Confirmare de primire debite", Gate::Everyone),
        entry(lists + "Situatia executarilor silite", Gate::Everyone),
        entry(lists + "Amenzi / Taxe > Lista amenzi / taxe", Gate::Everyone),
        entry(lists + "Registrul de ROL > Listare directa", Gate::Everyone),
        entry(lists + "Registrul de ROL > Export in Excel", Gate::Everyone),
        entry(lists + "Registrul Matricol > Terenuri", Gate::Everyone),
        entry(lists + "Registrul Matricol > Cladiri", Gate::Everyone),
        entry(lists + "Registrul Matricol > Mijloace de transport", Gate::Everyone),
        entry(lists + "Registrul Matricol > Cumulat", Gate::Everyone),
        entry(lists + "Registrul Matricol > PSI / Paza", Gate::Everyone),
        entry(lists + "Lista cu Ramasite / Plusuri > Lista cu Ramasite", Gate::Everyone),
        entry(lists + "Lista cu Ramasite / Plusuri > Lista cu Plusuri", Gate::Everyone),
        entry(lists + "Lista cu Ramasite / Plusuri > Lista Ramasite - Adresa", Gate::Everyone),
        entry(lists + "Lista de incasat > Detaliata", Gate::Everyone),
        entry(lists + "Lista de incasat > Rezumat", Gate::Everyone),
        entry(lists + "Lista de incasat > Pe conturi la " + base::YearStart(), Gate::Everyone),
        entry(lists + "Lista de incasat > Gradul de colectare impozite", Gate::Everyone),
        entry(lists + "Lista de incasat > Plusuri pe conturi", Gate::Everyone),
        entry(lists + "Borderouri Debite / Scadere > Lista Scutiri impozit", Gate::Everyone),
        entry(lists + "Borderouri Debite / Scadere > Lista borderouri", Gate::Everyone),
        entry(lists + "Borderouri Debite / Scadere > Centralizator", Gate::Everyone),
        entry(lists + "Borderouri Debite / Scadere > Borderouri cumulate", Gate::Everyone),
        entry(lists + "Centralizator compensari", Gate::Everyone),
        entry(lists + "Lista Auto", Gate::Everyone),
        entry(lists + "Alte Centralizatoare > Terenuri Intrari-Iesiri", Gate::Everyone),
        entry(lists + "Alte Centralizatoare > Auto peste 12t pentru C.J.", Gate::Everyone),
        entry(lists + "Alte Centralizatoare > Situatie analitica conturi pe ROL", Gate::Everyone),
        entry(kListFizice, Gate::Everyone),
        entry(kListJuridice, Gate::Everyone),
        entry(kListNumarPersoane, Gate::Everyone),
        entry(lists + "Anexe Curtea de conturi", Gate::Everyone),
        entry(lists + "Rapoarte Control > Registru Partizi > Persoane Fizice", Gate::Everyone),
        entry(lists + "Rapoarte Control > Registru Partizi > Persoane Juridice", Gate::Everyone),
        entry(lists + "Rapoarte Control > Registru Partizi > Cumulat", Gate::Everyone),
        entry(lists + "Rapoarte Control > Cladiri neevaluate > Persoane Fizice", Gate::Everyone),
        entry(lists + "Rapoarte Control > Cladiri neevaluate > Persoane Juridice", Gate::Everyone),
        entry(lists + "XML P2000 - ANAF", Gate::Everyone),
        entry(lists + "Chitante anulate", Gate::Everyone),
        entry(lists + "Legislatie > Legea 277 / 2015", Gate::Everyone),
        entry(lists + "Legislatie > Adresa M.F.2021 - Reevaluare cladiri PJ", Gate::Everyone),
    };
}

std::vector<MainCommand> WithTemplateMenu(std::vector<MainCommand> commands, const base::Folders& folders)
{
    // The template menu stands right after "Compara Terenurile cu Registrul Agricol".
    auto at = std::find_if(commands.begin(), commands.end(), [](const MainCommand& c) {
        return c.path.endsWith(QStringLiteral("Compara Terenurile cu Registrul Agricol"));
    });
    if (at != commands.end())
        ++at;
    std::vector<MainCommand> rows;
    for (documents::TemplateCommand& t : documents::TemplateMenuCommands(folders)) {
        MainCommand row = entry(QString::fromLatin1(kTemplateMenuPath) + kPathSeparator + t.path, core::Gate::Everyone);
        row.enabled = t.enabled;
        // A disabled entry still needs an action to be shown (greyed).
        auto run = t.run;
        row.action = [run](TForm3&) {
            if (run)
                run();
        };
        rows.push_back(std::move(row));
    }
    commands.insert(at, rows.begin(), rows.end());
    return commands;
}

} // namespace lirma::app

// The simple lists of the main menu "Alte Centralizatoare": the taxpayers of one person type ("Fizice",
// "Juridice") and the natural persons of a village with their number of persons ("Lista numar
// persoane"). Each fills an embedded workbook template and saves and opens the list.
#pragma once

#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <QString>

class QWidget;

namespace lirma::documents {

class TSelSat;

enum class PersonType { Fizica, Juridica };

// Texts of the lists.
inline constexpr char kListaPersoaneFizice[] = "Lista persoane fizice";
inline constexpr char kListaPersoaneJuridice[] = "Lista persoane juridice";
inline constexpr char kListaNumarPersoaneTitle[] = "Lista ROL-uri - numar de persoane";

// "Fizice" / "Juridice": every Gospodar.dbf row of the person type, by name, into "ListaPers". The path of
// the saved list, "" when none was saved (the user was told why).
QString ListaPersoane(storage::Database& db, const base::Folders& folders, PersonType type);

// "Lista numar persoane" for the village chosen in TSelSat: `villageText` is the text of its village field,
// `anyVillage` whether it is the first entry (then every village is listed).
QString ListaNumarPersoane(storage::Database& db, const base::Folders& folders, const QString& villageText,
                           bool anyVillage);

// The village dialog shared by the lists, created on first use and reused.
TSelSat& SelSatDialog();

// The menu commands, to attach to the main window.
void FiziceCommand(storage::Database& db, const base::Folders& folders);
void JuridiceCommand(storage::Database& db, const base::Folders& folders);
// Asks TSelSat first; nothing happens when it is cancelled.
void ListaNumarPersoaneCommand(storage::Database& db, const base::Folders& folders);

} // namespace lirma::documents

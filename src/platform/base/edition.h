// The constants of this edition of the program and the fixed lists shared by
// every window. Each text is defined here once.
#pragma once

#include <QString>
#include <QStringList>

namespace lirma::base::edition {

inline constexpr const char Title[] = "Lirma 2024";
inline constexpr int FiscalYear = 2024;
inline constexpr int PreviousYear = FiscalYear - 1;
// Shown as the number / 10000 with four decimals: "1.0029".
inline constexpr int VersionNumber = 10029;
// Last part of the per-workstation settings key; the previous edition's key
// tells where last year's data lives.
inline constexpr int EditionNumber = 102;
inline constexpr int PreviousEditionNumber = 100;
inline constexpr const char Organisation[] = "Quenlor";

QString AppTitle();       // "Lirma 2024"
QString VersionText();    // "1.0029"
QString VersionCaption(); // "Lirma 2024 ver. 1.0029"

} // namespace lirma::base::edition

namespace lirma::base {

// The line break that messages put between their lines.
inline constexpr const char LineBreak[] = "\r\n";

// The five levy groups: "Concesionari", "Iluminat", "Salubritate", "PSI", "Paza".
const QStringList& TaxGroups();
// The four yearly tax groups (whose balances live in SoldCalc.dbf) and "Alte taxe".
const QStringList& ImpozitGroups();

} // namespace lirma::base

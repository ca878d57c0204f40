// The texts a building row shows beside its columns (grid of the buildings page, calculation
// sheet). Each text is defined here once.
#pragma once

#include "assessment/building_tax.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace lirma::assessment {

// "Rezidentiala" (also for an empty TIPC), "Nerezidentiala", "Mixta"; "" for anything else.
QString UseText(const QString& tipc); // TIPCS
// "Cladire", "Cladire-Anexa", "Mansarda loc.", "Mansarda neloc." for 1..4; "" otherwise.
QString DestinationText(int destinatie); // DESTINATIES
// "-" for a legal person; "beton..." for 0, "lemn..." for 1.
QString MaterialText(int codmat, PersonType person); // CODMATS
// "-" for a legal person; the year otherwise.
QString YearText(int anul, PersonType person); // ANULS
// "-" for a date before 31 December of (fiscal year - 6) or a date that cannot be read.
QString ValuationDateText(const QDate& dataeval, int fiscalYear = base::edition::FiscalYear); // DATAEVALS
// The exit date of a building out of the records, "-" for one still in them.
QString ExitDateText(const QDate& dataout); // DATAOUTS
// Out of the records: DATAOUT after 9 April 1900 (day number above 100).
bool IsOutOfRecords(const QDate& dataout);

// Entries of the dialog's lists, in the order of their positions.
const QStringList& DestinationEntries(); // "Cladire", "Cladire-Anexa", "Subsol, Demisol, Mansarda locuita", ...
const QStringList& MaterialEntries();    // the two long material texts

} // namespace lirma::assessment

// The calculation sheet "Fisa de calcul" of one building: the text lines of the computation,
// written to a work file and opened in the desktop's program for text.
#pragma once

#include "assessment/building_tax.h"

#include <QString>
#include <QStringList>

namespace lirma::base {
struct Folders;
}

namespace lirma::assessment {

// Who the sheet is for: printed in its header.
struct SheetTaxpayer {
    QString SATUL;
    QString ROL;
    QString NUMEP;
};

// The lines of the sheet, in order, and the tax they explain.
struct BuildingSheet {
    QStringList lines;
    BuildingTax tax;
};

BuildingSheet BuildingTaxSheet(const BuildingRow& row, PersonType person, const SheetTaxpayer& taxpayer,
                               const BuildingTaxSettings& settings, int fiscalYear = base::edition::FiscalYear);

// Writes the lines (UTF-8, one per line) to NextTempFile("FisCCladiri", ".txt") in the temporary
// folder. Returns the file, or "" with `error` set when it could not be written.
QString WriteBuildingSheet(const QStringList& lines, const base::Folders& folders, QString* error = nullptr);

// The "Fisa de calcul" button: computes the sheet, writes it and opens it. Failures are told to
// the user through the interaction service; returns the file written, or "".
QString ShowBuildingSheet(const BuildingRow& row, PersonType person, const SheetTaxpayer& taxpayer,
                          const BuildingTaxSettings& settings, const base::Folders& folders,
                          int fiscalYear = base::edition::FiscalYear);

} // namespace lirma::assessment

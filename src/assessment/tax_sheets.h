// The "Fisa de calcul" workbooks of the land and vehicle pages, filled from their embedded
// templates: CalculTE (extra-muros land) and CalculTI (intra-muros land) get the header markers,
// the column headings, the areas and the rates (the template's formulas compute the taxes);
// FisaCalcAuto gets the header, the taxpayer's vehicles in the records on 1 January and his
// assessed vehicle rows. Each is saved in the temporary folder and, when asked, opened.
#pragma once

#include "assessment/building_sheet.h"
#include "assessment/land_tax.h"
#include "platform/base/edition.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <QString>

#include <cstdint>

namespace lirma::assessment {

// The workbook written, or "" when it could not be produced (the user was told why).
QString OutsideLandSheet(const OutsideLand& land, const SheetTaxpayer& taxpayer, const AssessmentSettings& settings,
                         const base::Folders& folders, bool show = true);
QString InsideLandSheet(const InsideLand& land, const SheetTaxpayer& taxpayer, const AssessmentSettings& settings,
                        const base::Folders& folders, bool show = true);
// Reads AutoDet.dbf and the taxpayer's vehicle rows of Datorii.dbf (rows with SUMA2 other than 0).
QString VehicleSheet(storage::Database& db, int64_t idgos, const SheetTaxpayer& taxpayer,
                     const AssessmentSettings& settings, const base::Folders& folders, bool show = true,
                     int fiscalYear = base::edition::FiscalYear);

} // namespace lirma::assessment

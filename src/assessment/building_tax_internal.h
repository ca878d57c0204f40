// The one computation behind ComputeBuildingTax and the calculation sheet: the sheet's lines are
// written from the same exact figures the tax is made of.
#pragma once

#include "assessment/building_tax.h"

#include <QStringList>

namespace lirma::assessment::detail {

// Computes the tax; when `sheet` is given, appends the lines of the calculation sheet that follow
// its header.
BuildingTax EvaluateBuildingTax(const BuildingRow& row, PersonType person, const BuildingTaxSettings& settings,
                                int fiscalYear, QStringList* sheet);

} // namespace lirma::assessment::detail

// Cumulated inflation for the building tax: the yearly rates of the edition compounded from a
// valuation year to the fiscal year.
#pragma once

#include "core/admin_fields.h"
#include "platform/base/decimal.h"
#include "platform/base/edition.h"

#include <QString>

#include <vector>

namespace lirma::core {

struct CumulatedInflationResult {
    base::Decimal percent; // (product of (1 + rate / 100) - 1) x 100, four decimals
    QString text;          // "5.1% + 13.8% = 19.6038%"; "" when no year is used
};

// From year y0: the years max(y0, fiscal year - 5) + 1 .. fiscal year, the rate of year y being
// the history's entry fiscal year - y. Nothing for y0 >= the fiscal year.
CumulatedInflationResult CumulatedInflation(int fromYear, int fiscalYear = base::edition::FiscalYear,
                                            const std::vector<InflationYear>& history = InflationHistory());

} // namespace lirma::core

// Late-payment penalties ("majorari") of an amount overdue since a due date, by the rates in force
// in each period: 2 % a month plus 0.1 % a day before 1 July 2010, 2 % a month up to 31 December
// 2015, 1 % a month after. Pure: the balance, the notices and the new-year import share it.
#pragma once

#include "platform/base/decimal.h"
#include "platform/base/edition.h"

#include <QDate>

#include <cstdint>

namespace lirma::collections {

// Calendar months from x to y: 12 x (year difference) + (month difference); days do not count,
// so 31 March -> 1 April is one month and 10 May -> 5 June is one month too.
int MonthsBetween(const QDate& x, const QDate& y);

// The penalty in whole lei (halves away from zero) on `amount` due at `due`, calculated at
// `date`. A date on or after 1 January of the year after `fiscalYear` counts as 31 December of
// `fiscalYear`. 0 when `noPenalties`, when the (clamped) date is not after the due date, when the
// amount is not positive, or when either date is null.
int64_t ComputePenalty(bool noPenalties, const QDate& due, const QDate& date, const base::Decimal& amount,
                       int fiscalYear = base::edition::FiscalYear);

} // namespace lirma::collections

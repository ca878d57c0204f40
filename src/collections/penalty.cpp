#include "collections/penalty.h"

#include <algorithm>

namespace lirma::collections {

using base::Decimal;

namespace {

// Rates as counts of ten-thousandths: 2 % is 0.02, 0.1 % a day is 0.001, 1 % is 0.01.
const Decimal MonthlyRateUntil2015 = Decimal::fromUnits(200);
const Decimal DailyRateUntil2010 = Decimal::fromUnits(10);
const Decimal MonthlyRateAfter2015 = Decimal::fromUnits(100);

const QDate DailyRateEnd(2010, 7, 1);
const QDate HigherRateEnd(2015, 12, 31);

} // namespace

int MonthsBetween(const QDate& x, const QDate& y)
{
    return 12 * (y.year() - x.year()) + (y.month() - x.month());
}

int64_t ComputePenalty(bool noPenalties, const QDate& due, const QDate& date, const Decimal& amount, int fiscalYear)
{
    if (noPenalties || !due.isValid() || !date.isValid())
        return 0;
    QDate b = date;
    if (b >= QDate(fiscalYear + 1, 1, 1))
        b = QDate(fiscalYear, 12, 31);
    if (b <= due || amount <= Decimal(0))
        return 0;

    Decimal e;
    QDate r = due;
    if (r < DailyRateEnd) {
        const QDate u = std::min(b, DailyRateEnd);
        const Decimal rate = MonthlyRateUntil2015 * MonthsBetween(r, u) + DailyRateUntil2010 * r.daysTo(u);
        e = amount * rate;
        r = u;
        if (b == r)
            return base::RoundHalfAway(e);
    }
    if (r < HigherRateEnd) {
        const QDate u = std::min(b, HigherRateEnd);
        e += amount * (MonthlyRateUntil2015 * MonthsBetween(r, u));
        r = u;
    }
    e += amount * (MonthlyRateAfter2015 * MonthsBetween(r, b));
    return base::RoundHalfAway(e);
}

} // namespace lirma::collections

#include "core/inflation.h"

#include <algorithm>

namespace lirma::core {

namespace {
constexpr __int128 kProductScale = 1'000'000'000'000; // the running product keeps 12 decimals
constexpr __int128 kFactorScale = 1'000'000;          // 1 + rate / 100 is exact with 6 decimals

__int128 divideHalfAway(__int128 value, __int128 divisor)
{
    const __int128 q = value / divisor;
    const __int128 r = value % divisor;
    if (2 * (r < 0 ? -r : r) >= divisor)
        return q + (value < 0 ? -1 : 1);
    return q;
}
} // namespace

CumulatedInflationResult CumulatedInflation(int fromYear, int fiscalYear, const std::vector<InflationYear>& history)
{
    CumulatedInflationResult result;
    const int last = int(history.size()) - 1;
    const int start = std::max(fromYear, fiscalYear - last);
    __int128 product = kProductScale;
    QStringList rates;
    for (int y = start + 1; y <= fiscalYear; ++y) {
        const QString& rateText = history.at(size_t(fiscalYear - y)).rate;
        const base::Decimal rate = base::Decimal::parse(QStringView(rateText)).value_or(base::Decimal());
        // rate / 100 with six decimals is the rate's count of ten-thousandths.
        product = divideHalfAway(product * (kFactorScale + rate.units()), kFactorScale);
        rates.push_back(rateText + QLatin1Char('%'));
    }
    if (rates.isEmpty())
        return result;
    // (product - 1) x 100 in ten-thousandths.
    result.percent = base::Decimal::fromUnits(int64_t(divideHalfAway(product - kProductScale, kProductScale / 1'000'000)));
    result.text = rates.join(QStringLiteral(" + ")) + QStringLiteral(" = ") + result.percent.toQString() +
                  QLatin1Char('%');
    return result;
}

} // namespace lirma::core

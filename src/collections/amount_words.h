// A sum of lei in Romanian words, as one word without blanks or diacritics ("unamiidoi"), for
// documents that state the amount in letters. Only whole lei are spelled.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace lirma::collections {

// The amount as shown: digits, optionally the thousands separator, the decimal separator "."
// and decimals (dropped), surrounded by blanks; "" or ".5" spell "zero". A negative amount is
// "minus" followed by the words of its absolute value. The thousands separator is removed
// unless it is ".", which is always the decimal separator. Text that is no such number gives "".
QString AmountInWords(QStringView text, QChar thousandsSeparator = QLatin1Char(','));
QString AmountInWords(int64_t lei);

} // namespace lirma::collections

#include "platform/base/dates.h"

#include "platform/base/edition.h"

namespace lirma::base {

namespace {

// Julian day of 30.12.1899, day 0 of the day numbers.
const qint64 Epoch = QDate(1899, 12, 30).toJulianDay();

// Reads exactly `count` ASCII digits at `pos`; -1 when any is missing.
int digitsAt(QStringView text, qsizetype pos, int count)
{
    if (pos + count > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[pos + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
QString fourDigits(int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); }

// Parses d1 sep d2 sep d3 with the given widths; invalid date otherwise.
QDate parseParts(QStringView text, QChar separator, int w1, int w2, int w3, bool yearFirst)
{
    text = text.trimmed();
    if (text.size() != w1 + w2 + w3 + 2 || text[w1] != separator || text[w1 + 1 + w2] != separator)
        return {};
    const int a = digitsAt(text, 0, w1);
    const int b = digitsAt(text, w1 + 1, w2);
    const int c = digitsAt(text, w1 + w2 + 2, w3);
    if (a < 0 || b < 0 || c < 0)
        return {};
    return yearFirst ? QDate(a, b, c) : QDate(c, b, a); // QDate is invalid for impossible days
}

} // namespace

qint64 DayNumber(const QDate& date) { return date.isValid() ? date.toJulianDay() - Epoch : 0; }

QDate DateFromDayNumber(qint64 days) { return QDate::fromJulianDay(days + Epoch); }

QString FormatDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1)
        return {};
    return twoDigits(date.day()) + QLatin1Char('.') + twoDigits(date.month()) + QLatin1Char('.') +
           fourDigits(date.year());
}

QDate ParseDate(QStringView text) { return parseParts(text, QLatin1Char('.'), 2, 2, 4, false); }

QString FormatIsoDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1)
        return {};
    return fourDigits(date.year()) + QLatin1Char('-') + twoDigits(date.month()) + QLatin1Char('-') +
           twoDigits(date.day());
}

QDate ParseIsoDate(QStringView text) { return parseParts(text, QLatin1Char('-'), 4, 2, 2, true); }

QString YearStart() { return QStringLiteral("01.01.") + QString::number(edition::FiscalYear); }

QDate FirstTermDate(int year) { return (year == 2016 || year == 2020) ? QDate(year, 6, 30) : QDate(year, 3, 31); }

QDate SecondTermDate(int year) { return QDate(year, 9, 30); }

} // namespace lirma::base

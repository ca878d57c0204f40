// Dates as the system writes them: "dd.MM.yyyy" whatever the locale, and day
// numbers counted from 30.12.1899 (01.01.2024 is day 45292).
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

namespace lirma::base {

// Days since 30.12.1899. A null or invalid date gives 0, the "zero date".
qint64 DayNumber(const QDate& date);
QDate DateFromDayNumber(qint64 days);

// "dd.MM.yyyy"; "" for a null or invalid date.
QString FormatDate(const QDate& date);
// Exactly "dd.MM.yyyy" (surrounding whitespace ignored); an invalid QDate for
// anything else, including dates that do not exist (31.02.2024).
QDate ParseDate(QStringView text);

// "yyyy-MM-dd", the form dates take in SQL values; "" for a null date.
QString FormatIsoDate(const QDate& date);
QDate ParseIsoDate(QStringView text);

// "01.01." followed by the fiscal year.
QString YearStart();
// First payment term: 30 June in 2016 and 2020, 31 March in every other year.
QDate FirstTermDate(int year);
// Second payment term: 30 September.
QDate SecondTermDate(int year);

} // namespace lirma::base

#include "platform/base/dates.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <vector>

using namespace lirma::base;

TEST(Dates, DayNumbersCountFrom30December1899)
{
    struct Case {
        QDate date;
        qint64 days;
    };
    // 2024 is a leap year: 01.01.2024 + 31 (January) + 28 = 29.02.2024, the next day 01.03.
    const std::vector<Case> cases = {
        {QDate(1899, 12, 30), 0},     {QDate(1899, 12, 31), 1},     {QDate(1900, 1, 1), 2},
        {QDate(1899, 12, 28), -2},    {QDate(2024, 1, 1), 45292},   {QDate(2024, 2, 29), 45292 + 59},
        {QDate(2024, 3, 1), 45292 + 60}, {QDate(2025, 1, 1), 45292 + 366}, {QDate(2023, 12, 31), 45291},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayNumber(c.date), c.days) << c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(DateFromDayNumber(c.days), c.date) << c.days;
    }
    EXPECT_EQ(DayNumber(QDate()), 0);
}

TEST(Dates, FormatsAndParsesDayMonthYear)
{
    struct Case {
        const char16_t* text;
        QDate date; // null: not a date
    };
    const std::vector<Case> cases = {
        {u"05.03.2024", QDate(2024, 3, 5)},
        {u"  31.12.2023 ", QDate(2023, 12, 31)},
        {u"29.02.2024", QDate(2024, 2, 29)}, // leap year
        {u"29.02.2000", QDate(2000, 2, 29)}, // divisible by 400: leap
        {u"29.02.2023", QDate()},
        {u"29.02.1900", QDate()},            // divisible by 100 only: not leap
        {u"31.04.2024", QDate()},
        {u"00.01.2024", QDate()},
        {u"01.13.2024", QDate()},
        {u"1.1.2024", QDate()},
        {u"01/01/2024", QDate()},
        {u"2024-01-01", QDate()},
        {u"01.01.24", QDate()},
        {u"0a.01.2024", QDate()},
        {u"", QDate()},
        {u"   ", QDate()},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(ParseDate(text), c.date) << text.toStdString();
        if (c.date.isValid()) {
            EXPECT_EQ(FormatDate(c.date), text.trimmed()) << text.toStdString();
        }
    }
    EXPECT_EQ(FormatDate(QDate()), QString());
    EXPECT_EQ(FormatDate(QDate(812, 7, 9)), QStringLiteral("09.07.0812"));
}

TEST(Dates, IsoFormIsTheSqlForm)
{
    EXPECT_EQ(FormatIsoDate(QDate(2024, 3, 5)), QStringLiteral("2024-03-05"));
    EXPECT_EQ(ParseIsoDate(u"2024-02-29"), QDate(2024, 2, 29));
    EXPECT_FALSE(ParseIsoDate(u"2023-02-29").isValid());
    EXPECT_FALSE(ParseIsoDate(u"05.03.2024").isValid());
    EXPECT_EQ(FormatIsoDate(QDate()), QString());
}

TEST(Dates, FormatIgnoresTheLocale)
{
    const QLocale saved;
    for (auto locale : {QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::English, QLocale::UnitedStates),
                        QLocale(QLocale::Romanian, QLocale::Romania)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(FormatDate(QDate(2024, 3, 5)), QStringLiteral("05.03.2024")) << locale.name().toStdString();
        EXPECT_EQ(ParseDate(u"05.03.2024"), QDate(2024, 3, 5)) << locale.name().toStdString();
    }
    QLocale::setDefault(saved);
}

TEST(Dates, PaymentTermsAndYearStart)
{
    struct Case {
        int year;
        QDate first;
    };
    const std::vector<Case> cases = {
        {2016, QDate(2016, 6, 30)}, {2020, QDate(2020, 6, 30)}, {2024, QDate(2024, 3, 31)},
        {2015, QDate(2015, 3, 31)}, {2017, QDate(2017, 3, 31)}, {2021, QDate(2021, 3, 31)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstTermDate(c.year), c.first) << c.year;
        EXPECT_EQ(SecondTermDate(c.year), QDate(c.year, 9, 30)) << c.year;
    }
    EXPECT_EQ(FormatDate(FirstTermDate(2020)), QStringLiteral("30.06.2020"));
    EXPECT_EQ(FormatDate(FirstTermDate(2024)), QStringLiteral("31.03.2024"));
    EXPECT_EQ(YearStart(), QStringLiteral("01.01.2024"));
}

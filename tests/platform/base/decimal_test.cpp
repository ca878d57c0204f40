#include "platform/base/decimal.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using lirma::base::Decimal;
using lirma::base::DecimalError;
using lirma::base::DecimalOverflow;
using lirma::base::RoundHalfAway;

namespace {

Decimal D(const char* text)
{
    auto d = Decimal::parse(std::string_view(text));
    if (!d)
        throw std::runtime_error(std::string("bad decimal in test: ") + text);
    return *d;
}

} // namespace

TEST(Decimal, ParsesTextWithDotSeparator)
{
    struct Case {
        const char* text;
        int64_t units; // ten-thousandths
    };
    const std::vector<Case> cases = {
        {"0.35", 3500},
        {"-12.5", -125000},
        {" 7 ", 70000},
        {"\t42\r\n", 420000},
        {".5", 5000},
        {"3.", 30000},
        {"+1.25", 12500},
        {"-0", 0},
        {"0001.0029", 10029},
        // a fifth decimal of 5 or more is half a unit or more: away from zero
        {"0.00005", 1},
        {"-0.00005", -1},
        {"0.00004999", 0},
        {"1.23456", 12346},
        {"1.23454999", 12345},
        {"-2.99995", -30000},
        // the largest value that fits: INT64_MAX ten-thousandths
        {"922337203685477.5807", INT64_MAX},
        {"-922337203685477.5807", -INT64_MAX},
    };
    for (const auto& c : cases) {
        auto d = Decimal::parse(std::string_view(c.text));
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(d->units(), c.units) << c.text;
    }
}

TEST(Decimal, RejectsMalformedAndOutOfRangeText)
{
    const std::vector<const char*> bad = {
        "", "   ", ".", "-", "+", "1,5", "1.2.3", "1e3", "12a", "a12", "- 1", "--1", "1 000", "0x10",
        "922337203685478",        // one lei more than fits
        "922337203685477.5808",   // one unit more than fits
        "99999999999999999999999", // far beyond
    };
    for (const char* text : bad)
        EXPECT_FALSE(Decimal::parse(std::string_view(text)).has_value()) << '"' << text << '"';
}

TEST(Decimal, ParsesQStringIncludingNonAscii)
{
    EXPECT_EQ(Decimal::parse(QStringView(u"122.5")), D("122.5"));
    EXPECT_FALSE(Decimal::parse(QStringView(u"1\u00A05")).has_value()); // no-break space inside
    EXPECT_FALSE(Decimal::parse(QStringView(u"\u0661\u0662")).has_value()); // Arabic-Indic digits
}

TEST(Decimal, RoundHalfAwayToWholeLei)
{
    struct Case {
        const char* value;
        int64_t rounded;
        int64_t truncated;
    };
    const std::vector<Case> cases = {
        {"2.5", 3, 2},      {"-2.5", -3, -2},     {"0.5", 1, 0},   {"-0.5", -1, 0},
        {"1.5", 2, 1},      {"3.5", 4, 3},        {"2.4999", 2, 2}, {"-2.4999", -2, -2},
        {"2.5001", 3, 2},   {"-2.9", -3, -2},     {"2.9", 3, 2},   {"0", 0, 0},
        {"122.5", 123, 122}, {"-0.0001", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfAway(D(c.value)), c.rounded) << c.value;
        EXPECT_EQ(D(c.value).trunc(), c.truncated) << c.value;
    }
}

TEST(Decimal, AreaTimesRateRoundsToWholeLei)
{
    // 350 m2 at 0.35 lei/m2 = 122.5 lei, which rounds to 123.
    const Decimal amount = Decimal(350) * D("0.35");
    EXPECT_EQ(amount, D("122.5"));
    EXPECT_EQ(RoundHalfAway(amount), 123);

    // 1.2345 ha at 40 lei/ha = 49.38 -> 49 lei; 10% of 49 = 4.9 -> 5.
    const Decimal cell = D("1.2345") * Decimal(40);
    EXPECT_EQ(cell.toString(4), "49.3800");
    const int64_t lei = RoundHalfAway(cell);
    EXPECT_EQ(lei, 49);
    EXPECT_EQ(RoundHalfAway(Decimal(lei) * Decimal(10) / Decimal(100)), 5);
}

TEST(Decimal, ArithmeticRoundsHalfAwayToFourPlaces)
{
    struct Case {
        const char* a;
        char op;
        const char* b;
        const char* result;
    };
    const std::vector<Case> cases = {
        {"1.5", '+', "2.25", "3.75"},
        {"1.5", '-', "2.25", "-0.75"},
        {"-0.0001", '+', "0.0001", "0"},
        {"0.35", '*', "350", "122.5"},
        {"-0.35", '*', "350", "-122.5"},
        {"1.0001", '*', "1.0001", "1.0002"},    // 1.00020001
        {"0.0001", '*', "0.5", "0.0001"},       // 0.00005, exactly half
        {"-0.0001", '*', "0.5", "-0.0001"},
        {"0.0001", '*', "0.4999", "0"},         // 0.00004999
        {"1.2345", '*', "1.2345", "1.524"},     // 1.52399025
        {"1", '/', "3", "0.3333"},
        {"2", '/', "3", "0.6667"},
        {"-2", '/', "3", "-0.6667"},
        {"2", '/', "-3", "-0.6667"},
        {"1", '/', "8", "0.125"},
        {"0.0001", '/', "2", "0.0001"},         // 0.00005
        {"-0.0001", '/', "2", "-0.0001"},
        {"10", '/', "-4", "-2.5"},
        {"100", '/', "300", "0.3333"},
        {"122.5", '/', "0.35", "350"},
    };
    for (const auto& c : cases) {
        const Decimal a = D(c.a), b = D(c.b);
        Decimal r;
        switch (c.op) {
        case '+': r = a + b; break;
        case '-': r = a - b; break;
        case '*': r = a * b; break;
        default: r = a / b; break;
        }
        EXPECT_EQ(r, D(c.result)) << c.a << ' ' << c.op << ' ' << c.b << " gave " << r.toString();
    }
}

TEST(Decimal, ComparesByValue)
{
    EXPECT_EQ(D("0.50"), D("0.5"));
    EXPECT_LT(D("0.35"), D("0.4"));
    EXPECT_LT(D("-1"), Decimal(0));
    EXPECT_GT(D("-0.0001"), D("-0.0002"));
    EXPECT_TRUE(D("122.5") > 122);
    EXPECT_TRUE(D("122.5") < 123);
    EXPECT_TRUE(D("0.0000").isZero());
    EXPECT_EQ(D("-3.5").abs(), D("3.5"));
    EXPECT_EQ(D("-3.5").sign(), -1);
}

TEST(Decimal, FormatsWithDotAndRequestedPlaces)
{
    struct Case {
        const char* value;
        int places; // -1: shortest form
        const char* text;
    };
    const std::vector<Case> cases = {
        {"122.5", 4, "122.5000"},  {"122.5", 2, "122.50"},  {"122.5", 0, "123"},    {"122.5", -1, "122.5"},
        {"-122.5", 0, "-123"},     {"-0.5", 0, "-1"},       {"0.0001", -1, "0.0001"}, {"-0.0001", -1, "-0.0001"},
        {"-0.0001", 2, "0.00"},    {"0", -1, "0"},          {"0", 3, "0.000"},      {"1.0029", 4, "1.0029"},
        {"1.005", 2, "1.01"},      {"-1.005", 2, "-1.01"},  {"1.2345", 6, "1.234500"}, {"1000000", -1, "1000000"},
    };
    for (const auto& c : cases) {
        const Decimal d = D(c.value);
        EXPECT_EQ(c.places < 0 ? d.toString() : d.toString(c.places), c.text) << c.value << " / " << c.places;
    }
}

TEST(Decimal, FormattingIgnoresTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); // other digits and separators
    EXPECT_EQ(D("1234.5").toQString(2), QStringLiteral("1234.50"));
    EXPECT_EQ(Decimal::parse(QStringView(u"1234.5")), D("1234.5"));
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania)); // "," as decimal separator
    EXPECT_EQ(D("-0.35").toQString(), QStringLiteral("-0.35"));
    QLocale::setDefault(saved);
}

TEST(Decimal, RoundsToFewerPlaces)
{
    EXPECT_EQ(D("1.2345").roundTo(2), D("1.23"));
    EXPECT_EQ(D("1.235").roundTo(2), D("1.24"));
    EXPECT_EQ(D("-1.235").roundTo(2), D("-1.24"));
    EXPECT_EQ(D("2.5").roundTo(0), Decimal(3));
    EXPECT_EQ(D("0.33335").roundTo(4), D("0.3334")); // parse already rounded the fifth place
    EXPECT_THROW(D("1").roundTo(-1), DecimalError);
}

TEST(Decimal, DetectsOverflowInsteadOfWrapping)
{
    const Decimal max = Decimal::fromUnits(INT64_MAX);
    const Decimal maxLei = Decimal(Decimal::MaxLei);
    EXPECT_THROW(Decimal(Decimal::MaxLei + 1), DecimalOverflow);
    EXPECT_THROW(Decimal(-Decimal::MaxLei - 1), DecimalOverflow);
    EXPECT_THROW(Decimal(std::numeric_limits<uint64_t>::max()), DecimalOverflow);
    EXPECT_THROW(Decimal::fromUnits(INT64_MIN), DecimalOverflow);
    EXPECT_THROW(max + Decimal::fromUnits(1), DecimalOverflow);
    EXPECT_THROW(-max - Decimal::fromUnits(1), DecimalOverflow);
    EXPECT_THROW(maxLei * Decimal(2), DecimalOverflow);
    EXPECT_THROW(maxLei * -maxLei, DecimalOverflow);
    EXPECT_THROW(maxLei / D("0.5"), DecimalOverflow);
    EXPECT_THROW(max.roundTo(0), DecimalOverflow); // .5807 would round up past the limit
    EXPECT_NO_THROW(-max);
    EXPECT_EQ((maxLei / Decimal(2)) * Decimal(2) - maxLei, Decimal(0)); // 461168601842738.5 * 2 is exact
    EXPECT_THROW(D("1") / D("0"), DecimalError);

    Decimal x = max;
    EXPECT_THROW(x += Decimal::fromUnits(1), DecimalOverflow);
    EXPECT_EQ(x, max); // a failed operation leaves the value as it was
}

TEST(Decimal, ConvertsFromAndToStorageReals)
{
    struct Case {
        double value;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {0.35, "0.35"},        {122.5, "122.5"},   {-0.35, "-0.35"},       {0.1 + 0.2, "0.3"},
        {9999.9999, "9999.9999"}, {1.23456, "1.2346"}, {-1.00005, "-1.0001"}, {0.0, "0"},
    };
    for (const auto& c : cases) {
        auto d = Decimal::fromDouble(c.value);
        ASSERT_TRUE(d.has_value()) << c.value;
        EXPECT_EQ(*d, D(c.expected)) << c.value;
    }
    EXPECT_FALSE(Decimal::fromDouble(std::nan("")).has_value());
    EXPECT_FALSE(Decimal::fromDouble(INFINITY).has_value());
    EXPECT_FALSE(Decimal::fromDouble(1e300).has_value());
    EXPECT_EQ(D("0.35").toDouble(), 0.35);
    EXPECT_EQ(D("-122.5").toDouble(), -122.5);
}

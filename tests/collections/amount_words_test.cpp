// Amounts in Romanian words: three-digit groups with the plural scale words, the feminine digit
// words, and a masculine final "unu" / "doi".
#include "collections/amount_words.h"

#include <gtest/gtest.h>

using namespace lirma::collections;

TEST(AmountInWords, Table)
{
    struct Case {
        const char* text;
        const char* words;
    };
    const std::vector<Case> cases{
        {"0", "zero"},
        {"1", "unu"},
        {"2", "doi"},
        {"9", "noua"},
        {"10", "zece"},
        {"11", "unsprezece"},
        {"12", "doisprezece"},
        {"14", "patrusprezece"},
        {"16", "sasesprezece"},
        {"19", "nouasprezece"},
        {"20", "douazeci"},
        {"21", "douazecisiunu"},
        {"22", "douazecisidoi"},
        {"40", "patruzeci"},
        {"60", "sasezeci"},
        {"99", "nouazecisinoua"},
        {"100", "unasuta"},
        {"101", "unasutaunu"},
        {"102", "unasutadoi"},
        {"110", "unasutazece"},
        {"200", "douasute"},
        {"999", "nouasutenouazecisinoua"},
        {"1000", "unamii"},
        {"1001", "unamiiunu"},
        {"1002", "unamiidoi"},
        {"2000", "douamii"},
        {"2002", "douamiidoi"},
        {"12345", "doisprezecemiitreisutepatruzecisicinci"},
        {"21000", "douazecisiunamii"},
        {"100000", "unasutamii"},
        {"1000000", "unamilioane"},
        {"1000001", "unamilioaneunu"},
        {"2500000000", "douamiliardecincisutemilioane"},
        // Leading zeros are only padding.
        {"007", "sapte"},
        // Decimals are dropped; "." is the decimal separator.
        {"1234.56", "unamiidouasutetreizecisipatru"},
        {".5", "zero"},
        {"", "zero"},
        {"  42  ", "patruzecisidoi"},
        // The thousands separator is removed.
        {"1,234", "unamiidouasutetreizecisipatru"},
        {"1,000,000", "unamilioane"},
        // "." is never taken for a thousands separator: 12.345 is twelve.
        {"12.345", "doisprezece"},
        // Groups beyond the fourth get no scale word: 1 000 002 000 000 000 000 000 (22 digits,
        // groups 1|000|002|000|000|000|000|000): "una", then "doua" in the 6th group, no scale words.
        {"1000002000000000000000", "unadoi"},
        // Thirteen digits: 1|000|000|000|000 -> "una" without a scale word.
        {"1000000000000", "unu"},
        // A negative amount: "minus" and the words of its absolute value.
        {"-1", "minusunu"},
        {"-2", "minusdoi"},
        {"-1,500", "minusunamiicincisute"},
        {"-0", "zero"},
        {"-0.5", "zero"},
        // Not a number: nothing.
        {"abc", ""},
        {"12a", ""},
        {"1.2.3", ""},
        {"+5", ""},
        {"-", ""},
        {"--5", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AmountInWords(QString::fromLatin1(c.text)), QString::fromLatin1(c.words)) << c.text;
}

TEST(AmountInWords, OtherThousandsSeparators)
{
    EXPECT_EQ(AmountInWords(u"1 234", QLatin1Char(' ')), "unamiidouasutetreizecisipatru");
    // A "." given as the thousands separator is still the decimal separator.
    EXPECT_EQ(AmountInWords(u"1.234", QLatin1Char('.')), "unu");
    // With "," as separator a space is not a digit.
    EXPECT_EQ(AmountInWords(u"1 234"), "");
}

TEST(AmountInWords, WholeNumbers)
{
    EXPECT_EQ(AmountInWords(int64_t(0)), "zero");
    EXPECT_EQ(AmountInWords(int64_t(1002)), "unamiidoi");
    EXPECT_EQ(AmountInWords(int64_t(-21)), "minusdouazecisiunu");
    EXPECT_EQ(AmountInWords(int64_t(999999)), "nouasutenouazecisinouamiinouasutenouazecisinoua");
}

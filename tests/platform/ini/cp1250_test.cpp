#include "platform/ini/cp1250.h"

#include <gtest/gtest.h>

using lirma::ini::decodeCp1250;
using lirma::ini::encodeCp1250;

TEST(Cp1250, RomanianAndPunctuationBothWays)
{
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("ăâîşţ"), QByteArray("\xE3\xE2\xEE\xBA\xFE")},
        {QStringLiteral("ĂÂÎŞŢ"), QByteArray("\xC3\xC2\xCE\xAA\xDE")},
        {QStringLiteral("€„”–"), QByteArray("\x80\x84\x94\x96")},
        {QStringLiteral("ÓőŁžÁ"), QByteArray("\xD3\xF5\xA3\x9E\xC1")},
        {QStringLiteral("IDGOS=41, a b"), QByteArray("IDGOS=41, a b")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeCp1250(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(decodeCp1250(c.bytes), c.text) << c.text.toStdString();
    }
}

TEST(Cp1250, CharactersOutsideTheCodePage)
{
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        // comma-below letters are stored as their cedilla forms
        {QStringLiteral("ș ț Ș Ț"), QByteArray("\xBA \xFE \xAA \xDE")},
        {QStringLiteral("Ștefan Țară"), QByteArray("\xAAtefan \xDE" "ar\xE3")},
        {QStringLiteral("a漢b"), QByteArray("a?b")},
        {QStringLiteral("x😀y"), QByteArray("x?y")}, // one '?' for a surrogate pair
        {QStringLiteral("ñ"), QByteArray("?")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeCp1250(c.text), c.bytes) << c.text.toStdString();
}

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeCp1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeCp1250(text), all);
    // Distinct bytes give distinct characters.
    for (int i = 0; i < 256; ++i)
        for (int j = i + 1; j < 256; ++j)
            ASSERT_NE(text[i], text[j]) << i << " " << j;
}

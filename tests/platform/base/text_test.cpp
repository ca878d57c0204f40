#include "platform/base/edition.h"
#include "platform/base/text.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace lirma::base;

namespace {

struct TextCase {
    const char16_t* input;
    const char16_t* expected;
};

void checkAll(const char* name, const std::function<QString(QStringView)>& f, const std::vector<TextCase>& cases)
{
    for (const auto& c : cases) {
        const QString in = QString::fromUtf16(c.input);
        EXPECT_EQ(f(in), QString::fromUtf16(c.expected)) << name << "(\"" << in.toStdString() << "\")";
    }
}

} // namespace

TEST(Text, CleanSpaces)
{
    checkAll("CleanSpaces", CleanSpaces,
             {
                 {u"", u""},
                 {u"   ", u""},
                 {u"Ion", u"Ion"},
                 {u"  Ion   Popescu  ", u"Ion Popescu"},
                 {u"a  b   c    d", u"a b c d"},
                 {u"\tIon Popescu\r\n", u"Ion Popescu"},
                 {u"Str. Mare  nr.  5", u"Str. Mare nr. 5"},
                 {u"\u0218tefan  \u021Aepe\u0219", u"\u0218tefan \u021Aepe\u0219"},
             });
}

TEST(Text, FirstWordAndRest)
{
    checkAll("FirstWord", FirstWord,
             {
                 {u"", u""},
                 {u"   ", u""},
                 {u"Ion", u"Ion"},
                 {u"Ion Popescu", u"Ion"},
                 {u"Ion  Popescu Maria", u"Ion"},
                 {u" Ion", u""},
             });
    checkAll("RestAfterFirstWord", RestAfterFirstWord,
             {
                 {u"", u""},
                 {u"   ", u""},
                 {u"Ion", u""},
                 {u"Ion ", u""},
                 {u"Ion Popescu", u"Popescu"},
                 {u"Ion   Popescu  Maria ", u"Popescu  Maria"},
                 {u" Ion Popescu", u"Ion Popescu"},
             });
}

TEST(Text, JoinFilters)
{
    checkAll("JoinFilters", JoinFilters,
             {
                 {u"", u""},
                 {u"   ", u""},
                 {u"(A)", u"(A)"},
                 {u" (A)(B)(C) ", u"(A) AND (B) AND (C)"},
                 {u"(SATUL='X')(ROL>'1')", u"(SATUL='X') AND (ROL>'1')"},
                 {u"(A) (B)", u"(A) (B)"},
                 {u"((A)(B))", u"((A) AND (B))"},
             });
}

TEST(Text, FormatAddress)
{
    struct Case {
        const char16_t* street;
        const char16_t* number;
        const char16_t* expected;
    };
    const std::vector<Case> cases = {
        {u"Mare", u"5", u"str.Mare 5"},     {u"", u"5", u"5"},        {u"   ", u" 5 ", u"5"},
        {u"Mare", u"", u"str.Mare"},        {u"", u"", u""},          {u" Mare", u"12A", u"str. Mare 12A"},
        {u"Mare ", u" 7 ", u"str.Mare   7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAddress(QString::fromUtf16(c.street), QString::fromUtf16(c.number)),
                  QString::fromUtf16(c.expected))
            << '"' << QString::fromUtf16(c.street).toStdString() << "\", \""
            << QString::fromUtf16(c.number).toStdString() << '"';
    }
}

TEST(Text, GroupIndex)
{
    struct Case {
        const char16_t* group;
        int index;
    };
    const std::vector<Case> cases = {
        {u"Impozit pe cladiri", 1},
        {u"Impozit pe teren intravilan", 2},
        {u"Impozit pe teren extravilan", 3},
        {u"Impozit pe mijloace de transport", 4},
        {u"IMPOZIT PE CLADIRI", 1},
        {u"impozit pe teren EXTRAVILAN", 3},
        {u"Alte taxe", 5},
        {u"Iluminat", 5},
        {u"", 5},
        {u"Impozit pe cladiri ", 5},
        {u"Impozit pe", 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroupIndex(QString::fromUtf16(c.group)), c.index) << QString::fromUtf16(c.group).toStdString();
}

TEST(Text, ValidIban)
{
    struct Case {
        const char16_t* text;
        bool valid;
    };
    // Remainders worked out by hand over the rearranged number (body, then "RO", then check digits).
    const std::vector<Case> cases = {
        {u"RO49AAAA1B31007593840000", true},
        {u"RO09BCYP0000001234567890", true},
        {u"RO66BACX0000001234567890", true},
        {u"ro49aaaa1b31007593840000", true},       // upper-cased first
        {u"RO49 AAAA 1B31 0075 9384 0000", true},  // separators dropped
        {u"RO49-AAAA-1B31-0075-9384-0000", true},
        {u"RO48AAAA1B31007593840000", false},      // wrong check digits
        {u"RO49AAAA1B31007593840001", false},      // one digit of the account changed
        {u"RO49AAAA1B31007593840000 0", false},    // 25 characters
        {u"RO49AAAA1B3100759384000", false},       // 23 characters
        {u"CZ6508000000192000145399", false},      // 24 characters and a correct checksum, but not RO
        {u"DE89370400440532013000", false},
        {u"ROAAAAAA1B31007593840000", false},      // check digits must be digits
        {u"", false},
        {u"   ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidIban(QString::fromUtf16(c.text)), c.valid) << QString::fromUtf16(c.text).toStdString();
}

TEST(Text, ValidFiscalCode)
{
    struct Case {
        const char16_t* text;
        bool valid;
    };
    // Key 7 5 3 2 1 7 5 3 2 over the first nine digits of the code padded to ten:
    //   124        -> 0000000124: 1*3 + 2*2 = 7;   70 mod 11 = 4   -> control 4
    //   18547290   -> 0018547290: 1*3+8*2+5*1+4*7+7*5+2*3+9*2 = 111; 1110 mod 11 = 10 -> control 0
    //   1234567897 -> 7+10+9+8+5+42+35+24+18 = 158; 1580 mod 11 = 7 -> control 7
    const std::vector<Case> cases = {
        {u"124", true},
        {u"123", false},          // bad control digit
        {u"18547290", true},
        {u"18547291", false},
        {u"0018547290", true},    // already padded
        {u"1234567897", true},
        {u"1234567890", false},
        {u"12", false},           // too short
        {u"", false},
        {u"12345678977", false},  // 11 characters
        {u"1854729A", false},     // a non-digit
        {u"RO18547290", false},
        {u" 124", false},
        {u"   ", false},
        {u"18547\u0662\u0669\u0660", false}, // digits of another script
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidFiscalCode(QString::fromUtf16(c.text)), c.valid) << QString::fromUtf16(c.text).toStdString();
}

TEST(Edition, ConstantsAndCaptions)
{
    EXPECT_EQ(edition::AppTitle(), QStringLiteral("Lirma 2024"));
    EXPECT_EQ(edition::FiscalYear, 2024);
    EXPECT_EQ(edition::PreviousYear, 2023);
    EXPECT_EQ(edition::VersionText(), QStringLiteral("1.0029"));
    EXPECT_EQ(edition::VersionCaption(), QStringLiteral("Lirma 2024 ver. 1.0029"));
    EXPECT_EQ(edition::EditionNumber, 102);
    EXPECT_EQ(edition::PreviousEditionNumber, 100);
    EXPECT_EQ(QString::fromLatin1(LineBreak), QStringLiteral("\r\n"));
    EXPECT_EQ(TaxGroups(), (QStringList{"Concesionari", "Iluminat", "Salubritate", "PSI", "Paza"}));
    EXPECT_EQ(ImpozitGroups(), (QStringList{"Impozit pe cladiri", "Impozit pe teren intravilan",
                                            "Impozit pe teren extravilan", "Impozit pe mijloace de transport",
                                            "Alte taxe"}));
}

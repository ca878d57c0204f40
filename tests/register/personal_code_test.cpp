// Personal numeric codes: validity, birth date, sex, and the edit's own key handling.
#include "register/personal_code.h"
#include "register/tcnpedit.h"

#include "support/qt_application.h"

#include <QClipboard>
#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace lirma::reg;

namespace {

// A key as the keyboard sends it: ASCII keys have the code of their upper-case character.
void press(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &event);
}

void type(QWidget* w, const QString& s)
{
    for (QChar c : s)
        press(w, c.toUpper().unicode(), QString(c));
}

struct ValidityCase {
    const char* code;
    bool valid;
    const char* why;
};

TEST(PersonalCode, ValidityTable)
{
    const ValidityCase cases[] = {
        {"1800101221144", true, "01.01.1980, check digit right"},
        {"1800101221145", false, "check digit wrong, date right"},
        {"1800101000001", true, "remainder 10 needs check digit 1"},
        {"1800101000000", false, "remainder 10 with check digit 0"},
        {"5000229400123", true, "29.02.2000 with the 2000 century"},
        {"1000229400126", false, "29.02.1900 does not exist and 1 carries the 1900 century"},
        {"2000229400128", false, "29.02.1900 for a woman"},
        {"6050505400125", true, "05.05.2005, century 2000"},
        {"3850505400120", false, "born in the 1800s: first digit 3"},
        {"4001014001234", false, "first digit 4"},
        {"0001014001234", false, "first digit 0"},
        {"1801312211440", false, "month 13"},
        {"1800431221141", false, "31 April"},
        {"7000229400127", true, "7 carries no century: 29.02.00 is a date in 2000"},
        {"8000229400129", true, "8 likewise"},
        {"9000229400120", true, "9 likewise"},
        {"8991231123454", true, "31.12.99"},
        {"9990229123451", false, "29.02.99 is a date in neither century"},
        {"180010122114", false, "12 digits"},
        {"18001012211440", false, "14 digits"},
        {"18001012211A4", false, "a letter"},
        {" 800101221144", false, "a space"},
    };
    for (const ValidityCase& c : cases)
        EXPECT_EQ(CnpCorect(QString::fromLatin1(c.code)), c.valid) << c.code << ": " << c.why;
}

TEST(PersonalCode, EmptyIsValidOnlyWhereAccepted)
{
    EXPECT_FALSE(CnpCorect(QString(), false));
    EXPECT_TRUE(CnpCorect(QString(), true));
}

TEST(PersonalCode, BirthDateTable)
{
    struct Case {
        const char* code;
        QDate date; // null: day number 0
    };
    const Case cases[] = {
        {"1800101221144", QDate(1980, 1, 1)},
        {"6050505400125", QDate(2005, 5, 5)},
        {"3850505400120", QDate(1985, 5, 5)},  // 3 and 4 still read as 1900
        {"7000229400127", QDate(1900, 1, 1)},  // valid code, but its date read in 1900 is none
        {"1801312211440", QDate(1900, 1, 1)},  // month 13
        {"1800431", QDate(1900, 1, 1)},        // seven characters are enough
        {"180101", QDate()},                   // six characters: 0
        {"18A0101221144", QDate()},            // date digits not numbers: 0
        {"", QDate()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CnpNascutLa(QString::fromLatin1(c.code)), c.date) << c.code;
}

TEST(PersonalCode, SexByFirstDigit)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "masculin"},  {"1", "masculin"}, {"5", "masculin"}, {"7", "masculin"}, {"9", "masculin"},
        {"2", "feminin"},  {"6", "feminin"},  {"8", "feminin"},  {"3", "feminin"},  {"4", "feminin"},
    };
    for (const auto& [code, sex] : cases)
        EXPECT_EQ(CnpSex(QString::fromLatin1(code)), QString::fromLatin1(sex)) << code;
}

TEST(PersonalCode, KeyHandlingTable)
{
    struct Case {
        const char* why;
        CnpEditState before;
        CnpKey key;
        char digit;
        QString text;
        int cursor;
    };
    const Case cases[] = {
        {"digit at the cursor", {"1234", 2}, CnpKey::Digit, '9', "12934", 3},
        {"digit replaces the selection", {"123456", 5, 1, 3}, CnpKey::Digit, '0', "1056", 2},
        {"a lone 0 is replaced", {"0", 1}, CnpKey::Digit, '7', "7", 1},
        {"fourteenth digit ignored", {"1800101221144", 13}, CnpKey::Digit, '5', "1800101221144", 13},
        {"backspace before the cursor", {"1234", 2}, CnpKey::Backspace, 0, "134", 1},
        {"backspace at 0 does nothing", {"1234", 0}, CnpKey::Backspace, 0, "1234", 0},
        {"backspace removes the selection", {"123456", 4, 1, 3}, CnpKey::Backspace, 0, "156", 1},
        {"delete after the cursor, cursor stays", {"1234", 1}, CnpKey::Delete, 0, "134", 1},
        {"delete at the end does nothing", {"1234", 4}, CnpKey::Delete, 0, "1234", 4},
        {"delete removes the selection", {"123456", 0, 0, 2}, CnpKey::Delete, 0, "3456", 0},
        {"other key", {"12", 1}, CnpKey::Other, 0, "12", 1},
    };
    for (const Case& c : cases) {
        const CnpEditState after = ApplyCnpKey(c.before, c.key, QChar::fromLatin1(c.digit));
        EXPECT_EQ(after.text, c.text) << c.why;
        EXPECT_EQ(after.cursor, c.cursor) << c.why;
    }
}

TEST(TCNPEditWidget, TypingKeepsDigitsOnly)
{
    TCNPEdit edit;
    edit.show();
    type(&edit, QStringLiteral("18a0-01 01"));
    EXPECT_EQ(edit.text(), QStringLiteral("1800101"));
    // Pasting puts nothing in.
    QApplication::clipboard()->setText(QStringLiteral("999"));
    press(&edit, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("1800101"));
    press(&edit, Qt::Key_2, QStringLiteral("2"), Qt::KeypadModifier); // keypad digits count
    type(&edit, QStringLiteral("21144"));
    EXPECT_EQ(edit.text(), QStringLiteral("1800101221144"));
    type(&edit, QStringLiteral("7")); // a fourteenth digit
    EXPECT_EQ(edit.text(), QStringLiteral("1800101221144"));
    EXPECT_TRUE(edit.Corect());
    EXPECT_EQ(edit.NascutLa(), QDate(1980, 1, 1));
    EXPECT_EQ(edit.Sex(), QStringLiteral("masculin"));
    press(&edit, Qt::Key_Backspace);
    EXPECT_FALSE(edit.Corect());
    edit.clear();
    EXPECT_FALSE(edit.Corect());
    edit.setAcceptGol(true);
    EXPECT_TRUE(edit.Corect());
}

} // namespace

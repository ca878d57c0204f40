// The Romanian personal numeric code (CNP): 13 digits, sex and century digit, birth date as
// YYMMDD, county, serial number and a check digit. Pure functions, shared by the edit
// component TCNPEdit and by every check of a code without a window.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

namespace lirma::reg {

inline constexpr int kCnpLength = 13;

// The texts of CnpSex.
QString SexMale();   // "masculin"
QString SexFemale(); // "feminin"

// Whether `text` is a valid CNP; an empty text gives `acceptEmpty`. Valid means: 13 digits,
// first digit 1, 2, 5, 6, 7, 8 or 9, a real calendar date (century 1900 for 1 and 2, 2000 for
// 5 and 6; 7, 8 and 9 carry no century, so their date may be real in either) and the check
// digit of the key 279146358279 (remainder 10 counts as 1).
bool CnpCorect(QStringView text, bool acceptEmpty = false);

// Birth date: digits 2-3, 4-5, 6-7 as year, month, day; century 2000 when the first digit is 5
// or 6, otherwise 1900. A null QDate (day number 0) when the text has 6 characters or fewer or
// those digits are not numbers; 1 January 1900 when they form no date.
QDate CnpNascutLa(QStringView text);

// "masculin" when the text is empty or begins with 1, 5, 7 or 9; "feminin" otherwise.
QString CnpSex(QStringView text);

// The edit's text after one key, with the cursor and selection it had before.
struct CnpEditState {
    QString text;
    int cursor = 0;
    int selectionStart = -1; // -1: nothing selected
    int selectionLength = 0;
};
// Keys the edit handles itself: a digit ('0'..'9', keypad digits arrive as digits),
// Backspace and Delete. Any other key changes nothing.
enum class CnpKey { Digit, Backspace, Delete, Other };
// Applies one key: a digit replaces the selection, clears a lone "0" and is ignored once the
// text has 13 characters; Backspace and Delete remove the selection or one character.
CnpEditState ApplyCnpKey(const CnpEditState& state, CnpKey key, QChar digit = QChar());

} // namespace lirma::reg

// Small text operations shared by every window.
#pragma once

#include <QString>
#include <QStringView>

namespace lirma::base {

// Removes the characters up to and including the space (tabs, line ends and
// other control characters) from both ends.
QString TrimText(QStringView text);

// Trimmed, with every run of spaces inside reduced to one space.
QString CleanSpaces(QStringView text);
// The part before the first space; the whole text when it has none.
QString FirstWord(QStringView text);
// The part after the first space, trimmed; "" when there is no space.
QString RestAfterFirstWord(QStringView text);
// Trimmed, with " AND " put between every ")(" pair: "(A)(B)" -> "(A) AND (B)".
QString JoinFilters(QStringView text);
// "str." + street + " " + number when the trimmed street is not empty,
// otherwise the number; the result trimmed.
QString FormatAddress(QStringView street, QStringView number);
// Position of a yearly tax group, without regard to case: "Impozit pe cladiri" 1,
// "Impozit pe teren intravilan" 2, "Impozit pe teren extravilan" 3,
// "Impozit pe mijloace de transport" 4; any other name 5.
int GroupIndex(QStringView group);
// A Romanian bank account: 24 letters and digits after dropping everything
// else, "RO" and two check digits first, and the ISO 7064 remainder 1.
bool ValidIban(QStringView text);
// A fiscal code (C.U.I.): 3 to 10 digits, the last one the control digit of the
// first nine (left-padded with zeros) under the key 753217532.
// Any character other than a digit makes it invalid.
bool ValidFiscalCode(QStringView text);

} // namespace lirma::base

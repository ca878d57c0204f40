// Windows-1250 <-> Unicode, for text files shared with Windows workstations.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lirma::ini {

// Bytes in Windows-1250 to text. The five bytes the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) map to U+0081 ... so that they survive a round trip.
QString decodeCp1250(QByteArrayView bytes);

// Text to Windows-1250. The comma-below letters ș ț Ș Ț, which the code page lacks,
// become their cedilla forms ş ţ Ş Ţ; any other character outside the code page
// becomes '?' (one per character, surrogate pairs included).
QByteArray encodeCp1250(QStringView text);

} // namespace lirma::ini

// Texts the collections show the cashier, each defined once.
#pragma once

#include <QString>

namespace lirma::collections::texts {

inline QString OperationTitle() { return QStringLiteral("Operare"); }
inline QString NothingEntered() { return QStringLiteral("Nu aveti nimic operat!"); }
inline QString NoteNotBalanced() { return QStringLiteral("Nota contabila nu se inchide cu 0!"); }
inline QString NothingToOperate()
{
    return QStringLiteral("\rNu ati facut nici o operatiune!") + QStringLiteral("\r\n") +
           QStringLiteral("Nu aveti ce opera...");
}
// The lines built do not add up to the amounts typed: refused rather than lose a leu.
inline QString LinesDoNotAddUp(qint64 lines, qint64 value)
{
    return QStringLiteral("\rSuma liniilor (%1) difera de valoarea chitantei (%2)!").arg(lines).arg(value) +
           QStringLiteral("\r\n") + QStringLiteral("Operatiunea nu a fost facuta.");
}

// Document names of the lines.
inline QString ReceiptDocument() { return QStringLiteral("CHITANTA"); }
inline QString NoteDocument() { return QStringLiteral("NC"); }
inline QString OrderDocument() { return QStringLiteral("OP"); }
inline QString FinalNoteDocument() { return QStringLiteral("N.C."); }
inline QString FinalOrderDocument() { return QStringLiteral("O.P."); }


// Document kinds of the confirmation dialog and the series of transfers.
inline QString TransferDocument() { return QStringLiteral("VIRAMENT"); }
inline QString CardDocument() { return QStringLiteral("CARD BANCAR"); }
inline QString PaymentOrderKind() { return QStringLiteral("Ordin de plata"); }
inline QString NoteKind() { return QStringLiteral("Nota contabila"); }
inline QString TransferSeries() { return QStringLiteral("O.P."); }
inline QString CardSeries() { return QStringLiteral("CARD BANCA"); }

// The checks of "&OPEREAZA" in the confirmation dialog.
inline QString StoreTitle() { return QStringLiteral("Memorare chitanta"); }
inline QString YearClosed(const QString& year)
{
    return QStringLiteral("Anul ") + year + QStringLiteral(" este inchis!") + QStringLiteral("\r\n") +
           QStringLiteral("Nu mai puteti lucra in el! Adios...");
}
inline QString WrongNumber() { return QStringLiteral("Numar incorect!"); }
inline QString NoPayer() { return QStringLiteral("Nu ati scris Platitorul!"); }
inline QString NoClassificationCode(const QString& grupa)
{
    return QStringLiteral("Nu aveti Contul la ") + grupa + QStringLiteral("!") + QStringLiteral("\r") +
           QStringLiteral("Apasati pe butonul Coduri clasificare si adaugati-l!");
}
inline QString DuplicateTitle() { return QStringLiteral("Verificare de dubluri"); }
inline QString DuplicateReceipt(const QString& rol)
{
    return QStringLiteral("Mai exista chitanta aceasta la  ROL ") + rol + QStringLiteral(" !") +
           QStringLiteral("\r") +
           QStringLiteral("Contactati Operatorul de ROL sau Administratorul sa va modifice numarul chitantei!");
}
// The rows changed on another workstation since the balance was computed: nothing was stored.
inline QString BalanceChanged()
{
    return QStringLiteral("Situatia contribuabilului s-a modificat intre timp!") + QStringLiteral("\r\n") +
           QStringLiteral("Nu am memorat nimic. Verificati din nou sumele si operati.");
}

} // namespace lirma::collections::texts

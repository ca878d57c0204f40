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

} // namespace lirma::collections::texts

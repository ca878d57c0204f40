// The texts of the yearly assessment: its commands, progress, messages and the reasons a taxpayer
// is refused. Each is defined here once.
#pragma once

#include <QString>

#include <cstdint>

namespace lirma::assessment::text {

// Captions of the two commands of the register window.
inline QString AddOneCommand() { return QStringLiteral("A&dauga Gospodaria (ROL) la plata"); }
inline QString AddAllCommand() { return QStringLiteral("Adauga toate &Localitatile la plata"); }

// Title of the messages.
inline QString AddTitle() { return QStringLiteral("Adaugare la plata"); }
inline QString AddAllTitle() { return QStringLiteral("Adaugare localitati la plata"); }

inline QString ChooseRoleFirst() { return QStringLiteral("\rAlegeti mai intai un ROL!"); }
// Balloon on the role filter: the (empty) role and the advice.
inline QString RoleMissing(const QString& rol)
{
    return rol + QStringLiteral(" nu are Numar de ROL! Apasati Modifica si puneti-i!");
}
inline QString AddingOne() { return QStringLiteral("Adaugare ROL la plata..."); }
inline QString AddedOneAction() { return QStringLiteral("Adaugat la plata"); }
inline QString AddedOne(const QString& rol) { return rol + QStringLiteral(" a fost adaugat la plata."); }

inline QString NothingToAdd() { return QStringLiteral("\rNu aveti ce adauga la plata!"); }
inline QString AskAddAll() { return QStringLiteral("Doriti sa adaugati toate pozitiile la plata?"); }
inline QString AddingAll() { return QStringLiteral("Adaugare la plata..."); }
inline QString AddingStep(int row, int total)
{
    return QStringLiteral("Adaugare ") + QString::number(row) + QStringLiteral(" / ") + QString::number(total);
}
inline QString AddedAllAction(int accepted)
{
    return QStringLiteral("Adaugate la plata ") + QString::number(accepted) + QStringLiteral(" ROL-uri");
}
inline QString AddedAll(int accepted, int rejected)
{
    return QStringLiteral("\rAu fost adaugate la plata ") + QString::number(accepted) + QStringLiteral(" ROL-uri si respinse ") +
           QString::number(rejected) + QStringLiteral(" ROL-uri.");
}
// Heading of the list of refused taxpayers under the final message, and its line when the list
// is cut short.
inline QString RefusedHeading() { return QStringLiteral("\r\rRespinse:"); }
inline QString RefusedMore(int more) { return QStringLiteral("\r... si inca ") + QString::number(more) + QStringLiteral("."); }
// The run stopped on a database failure.
inline QString RunFailed(const QString& error)
{
    return QStringLiteral("\rAdaugarea la plata s-a oprit din cauza unei erori:\r") + error;
}

// Reasons a taxpayer is refused.
inline QString NoRole(const QString& numep)
{
    return numep + QStringLiteral(" nu are trecut ROL-ul si a fost respins.");
}
inline QString TaxpayerMissing(int64_t idgos)
{
    return QStringLiteral("Contribuabilul cu IDGOS ") + QString::number(idgos) + QStringLiteral(" nu exista in registru.");
}
// numep (ROL rol) was not added: what (the debt row or balance), the value, the column and the
// largest value it holds.
inline QString ColumnOverflow(const QString& numep, const QString& rol, const QString& what, const QString& value,
                              const QString& table, const QString& column, const QString& largest)
{
    return numep + QStringLiteral(" (ROL ") + rol + QStringLiteral(") nu a fost adaugat la plata: ") + what +
           QStringLiteral(" = ") + value + QStringLiteral(" nu incape in ") + table + QLatin1Char('.') + column +
           QStringLiteral(" (cel mult ") + largest + QStringLiteral(").");
}
inline QString ValueTooLarge(const QString& numep, const QString& rol)
{
    return numep + QStringLiteral(" (ROL ") + rol +
           QStringLiteral(") nu a fost adaugat la plata: suprafetele sau cantitatile dau o valoare prea mare.");
}

// Calculation sheets: the button of the land and vehicle pages, and the tax line beside it.
inline QString SheetTitle() { return QStringLiteral("Fisa de calcul"); }
inline QString PageTax(int64_t lei) { return QStringLiteral("Impozit calculat: ") + QString::number(lei) + QStringLiteral(" lei"); }
inline QString PageTaxUnknown() { return QStringLiteral("Impozit calculat: -"); }

} // namespace lirma::assessment::text

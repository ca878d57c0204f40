// The texts of the taxpayer register: window, dialog, pages and messages, each defined here once.
#pragma once

#include <QString>
#include <QStringList>

namespace lirma::reg::text {

// --- window TGospodarii ---
inline QString WindowCaption() { return QStringLiteral("Gospodarii"); }
inline QString HeaderRol() { return QStringLiteral("ROL:"); }
// Navigation entries that are not pages.
inline QString NavIdentification() { return QStringLiteral("Identificare gospodarie"); }
inline QString NavHeading() { return QStringLiteral("   Categorii de taxe"); }
// The buildings page's entry (the page comes with the buildings).
inline QString NavBuildings() { return QStringLiteral("   - cladiri"); }

// --- identification page ---
inline QString Localitatea() { return QStringLiteral("Localitatea"); }
inline QString NrRolUnic() { return QStringLiteral("Nr.ROL unic"); }
inline QString NumeDenumire() { return QStringLiteral("Nume/Denumire"); }
inline QString ScutiriBand() { return QStringLiteral("Scutiri"); }
// Grid titles in column order (the last five under the band "Scutiri").
inline QStringList GridTitles()
{
    return {QStringLiteral("Localitatea"), QStringLiteral("ROL"),     QStringLiteral("Nume/Denumire"),
            QStringLiteral("TIP"),         QStringLiteral("Nr. pers."), QStringLiteral("C.N.P. /C.U.I."),
            QStringLiteral("Strada"),      QStringLiteral("Adresa"),  QStringLiteral("Clad."),
            QStringLiteral("C. con"),      QStringLiteral("T. extr."), QStringLiteral("T. intrv"),
            QStringLiteral("Auto")};
}
inline QString TotalShown() { return QStringLiteral("Total gospodarii afisate:"); }
inline QString Observatii() { return QStringLiteral("Observatii:"); }
inline QString Mostenitori() { return QStringLiteral("Mostenitori:"); }
inline QString ScutitDeMajorari() { return QStringLiteral("Scutit de majorari"); }
inline QString AddButton() { return QStringLiteral("&Adauga ROL"); }
inline QString ModifyButton() { return QStringLiteral("&Modifica ROL"); }
inline QString DeleteButton() { return QStringLiteral("&Sterge ROL"); }

// --- dialog TAddGosF ---
inline QString AddCaption() { return QStringLiteral("Adaugare gospodarie"); }
inline QString ModifyCaption() { return QStringLiteral("Modificare gospodarie"); }
inline QString CapDeGospodarie() { return QStringLiteral("Cap de gospodarie"); }
inline QString CnpCui() { return QStringLiteral("CNP / CUI"); }
inline QString Strada() { return QStringLiteral("Strada"); }
inline QString Adresa() { return QStringLiteral("Adresa"); }
inline QString NumarDePersoane() { return QStringLiteral("Numar de persoane"); }
inline QString MostenitoriLabel() { return QStringLiteral("Mostenitori"); }
inline QString TipPersoana() { return QStringLiteral("Tip persoana"); }
inline QString FaraMajorari() { return QStringLiteral("Fara majorari"); }
inline QString IndicativOperator() { return QStringLiteral("Indicativ operator"); }
inline QString ObservatiiLabel() { return QStringLiteral("Observatii"); }
inline QString ScutiriPercent() { return QStringLiteral("Scutiri %"); }
// Exemption labels in the order SCCLAD, SCCC, SCTI, SCAUTO, SCTE.
inline QStringList ExemptionLabels()
{
    return {QStringLiteral("Cladiri, cladiri anexe"), QStringLiteral("Teren curti - constructii"),
            QStringLiteral("Teren intravilan"), QStringLiteral("Mijloace de transport"),
            QStringLiteral("Teren extravilan")};
}
inline QStringList ExemptionEntries() { return {"0", "30", "50", "100"}; }
inline QString Fizica() { return QStringLiteral("FIZICA"); }
inline QString Juridica() { return QStringLiteral("JURIDICA"); }
inline QString Da() { return QStringLiteral("DA"); }
inline QString Nu() { return QStringLiteral("NU"); }
inline QString Renunt() { return QStringLiteral("&Renunt"); }
inline QString Memoreaza() { return QStringLiteral("&Memoreaza"); }

// --- checks of the dialog ---
inline QString MissingVillage() { return QStringLiteral("Lipseste Localitatea!"); }
inline QString BadRole() { return QStringLiteral("Numar de ROL incorect!"); }
inline QString BadCode() { return QStringLiteral("CNP / CUI incorect!"); }
inline QString MissingName() { return QStringLiteral("Lipseste Capul de gospodarie!"); }
inline QString DuplicateRoleTitle() { return QStringLiteral("Verificare numar de ROL"); }
inline QString DuplicateRoleText() { return QStringLiteral("Numarul unic de ROL exista deja!\rContinuati in halul asta?! ;)"); }
inline QString DuplicateCodeTitle() { return QStringLiteral("Verificare CNP"); }
inline QString DuplicateCodeText(const QString& rol, const QString& name)
{
    return QStringLiteral("Acest CNP mai exista la ROL ") + rol + QStringLiteral("\r") + name + QStringLiteral(" !")
         + QStringLiteral("\r") + QStringLiteral("Continuati memorarea ?");
}

// --- modify and delete ---
inline QString NothingToModify() { return QStringLiteral("Nu aveti ce modifica!"); }
inline QString NothingToDelete() { return QStringLiteral("Nu aveti ce sterge!"); }
inline QString DeleteTitle() { return QStringLiteral("Stergere gospodarie"); }
inline QString DeleteQuestion1(const QString& rol, const QString& village)
{
    return QStringLiteral("Doriti sa stergeti gospodaria cu \rnr.ROL ") + rol + QStringLiteral(" din ") + village
         + QStringLiteral("?");
}
inline QString DeleteQuestion2() { return QStringLiteral("Stergem toata istoria omului din calculator ?!"); }
inline QString DeleteQuestion3()
{
    return QStringLiteral("\rSe sterg toate chitantele omului de-a lungul vremii !!!\rVa dati seama ca se modifica toate soldurile ?!");
}
inline QString DeleteQuestion4() { return QStringLiteral("Deci va asumati riscul sa schimbati toate rapoartele de pana acum ?!"); }
inline QString DeleteBackTitle() { return QStringLiteral("Emotii mari"); }
inline QString DeleteBackText() { return QStringLiteral("Bine ati revenit cu picioarele pe pamant !"); }
inline QString DeleteProgress() { return QStringLiteral("Sterg gospodaria..."); }

// --- asset pages ---
inline QString UnsavedTitle() { return QStringLiteral("Date nememorate"); }
inline QString UnsavedText() { return QStringLiteral("Ati facut modificari in pagina si nu le-ati memorat!\rDoriti sa le memorati?"); }
inline QString CancelChanges() { return QStringLiteral("Anuleaza modificarile"); }
inline QString SaveChanges() { return QStringLiteral("Memoreaza modificarile"); }
inline QString LockedTitle() { return QStringLiteral("Modificare matricola"); }
inline QString LockedText() { return QStringLiteral("Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!"); }
inline QString CapacityOver3000() { return QStringLiteral("Capacitatea trebuie sa fie peste 3000 cmc!"); }
inline QString CreditAndArrears() { return QStringLiteral("Nu puteti avea si sold si restanta!"); }
// A page value that its column cannot hold.
inline QString NotANumber() { return QStringLiteral("Valoare incorecta! Introduceti un numar."); }
inline QString NotWhole() { return QStringLiteral("Introduceti un numar intreg!"); }
inline QString TooManyDecimals(int decimals)
{
    return QStringLiteral("Cel mult %1 zecimale!").arg(decimals);
}
inline QString Negative() { return QStringLiteral("Valoarea nu poate fi negativa!"); }
inline QString OutOfRange(const QString& max) { return QStringLiteral("Valoarea maxima este ") + max + QStringLiteral("!"); }
inline QString BelowRange(const QString& min) { return QStringLiteral("Valoarea minima este ") + min + QStringLiteral("!"); }

} // namespace lirma::reg::text

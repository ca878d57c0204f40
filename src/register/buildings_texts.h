// The texts of the buildings page and its dialogs (TCladAddF, TCladVanzF, TCladCumpF), each
// defined here once. Texts shared with the rest of the register window stay in register_texts.h.
#pragma once

#include <QString>
#include <QStringList>

namespace lirma::reg::text {

// --- the page ---
inline QString BuildingsCaption() { return QStringLiteral("Cladiri"); }
inline QString AddBuilding() { return QStringLiteral("Adauga Cladire"); }
inline QString ModifyBuilding() { return QStringLiteral("Modifica Cladire"); }
inline QString DeleteBuilding() { return QStringLiteral("Sterge Cladire"); }
inline QString CalculationSheet() { return QStringLiteral("Fisa de calcul"); }
inline QString PurchaseButton() { return QStringLiteral("Cumparare"); }
inline QString PurchaseHint() { return QStringLiteral("Adauga o cladire vanduta de alt ROL."); }
inline QString SaleButton() { return QStringLiteral("Vanzare"); }
inline QString SaleHint() { return QStringLiteral("Vinde cladirea selectata."); }

// Grid titles in column order, and its bands.
inline QStringList BuildingGridTitles()
{
    return {QStringLiteral("ID"),
            QStringLiteral("Adresa"),
            QStringLiteral("Data intrarii"),
            QStringLiteral("Data iesirii"),
            QStringLiteral("Mixta"),
            QStringLiteral("Tip"),
            QStringLiteral("Destinatie"),
            QStringLiteral("Suprafata desfasurata (mp)"),
            QStringLiteral("Anul terminarii"),
            QStringLiteral("Material"),
            QStringLiteral("Cu util."),
            QStringLiteral("La bloc"),
            QStringLiteral("Zona"),
            QStringLiteral("Rang"),
            QStringLiteral("Valoare (P.J.)"),
            QStringLiteral("Data evaluarii"),
            QStringLiteral("Valoare"),
            QStringLiteral("Activ. agr."),
            QStringLiteral("Valoare impozabila"),
            QStringLiteral("Impozit")};
}
inline QString EvidentaBand() { return QStringLiteral("Evidenta"); }
inline QString ClasificareBand() { return QStringLiteral("Clasificare"); }
inline QString RezidentialaBand() { return QStringLiteral("Rezidentiala"); }
inline QString NerezidentialaBand() { return QStringLiteral("Nerezidentiala"); }

// --- messages of the commands ---
inline QString AddBuildingTitle() { return QStringLiteral("Adaugare Cladire"); }
inline QString AddToPaymentText() { return QStringLiteral("Trebuie sa Adaugati ROL-ul la plata!"); }
inline QString DeleteBuildingTitle() { return QStringLiteral("Stergere cladire"); }
inline QString DeleteBuildingQuestion() { return QStringLiteral("Doriti sa stergeti cladirea selectata?"); }
inline QString BuildingDeletedText() { return QStringLiteral("Cladirea a fost stearsa.\rVa trebui sa Adaugati ROL la plata."); }
inline QString SaleTitle() { return QStringLiteral("Vanzare cladire"); }
inline QString SoldText() { return QStringLiteral("\rCladirea a fost marcata ca fiind vanduta."); }
inline QString PurchaseErrorTitle() { return QStringLiteral("Cumparare constructie"); }
inline QString NothingSoldText()
{
    return QStringLiteral("\rNicio constructie nu figureaza ca vanduta!\rMergeti la Vanzator si modificati Data iesirii din evidenta!");
}
inline QString PurchaseTitle() { return QStringLiteral("Cumparare Cladire"); }
inline QString PurchasedText() { return QStringLiteral("\rCladirea a fost adaugata cu succes!"); }

// --- dialog TCladAddF ---
inline QString CladAddCaption() { return QStringLiteral("Cladiri"); }
inline QString AddHeading() { return QStringLiteral("Adaugare Cladire"); }
inline QString ModifyHeading() { return QStringLiteral("Modificare cladire"); }
inline QString Clasificarea() { return QStringLiteral("Clasificarea Cladirii"); }
inline QStringList KindEntries()
{
    return {QStringLiteral("REZIDENTIALA"), QStringLiteral("NEREZIDENTIALA"), QStringLiteral("MIXTA")};
}
inline QString MixedUse() { return QStringLiteral("- Suprafata este folosita in scop"); }
inline QStringList MixedUseEntries() { return {QStringLiteral("REZIDENTIAL"), QStringLiteral("NEREZIDENTIAL")}; }
inline QString BelongsTo() { return QStringLiteral("apartinand cladirii cu ID"); }
inline QString NotInList() { return QStringLiteral("nu exista in lista"); }
inline QString AdresaCladire() { return QStringLiteral("Adresa"); }
inline QString SuprafataDesfasurata() { return QStringLiteral("Suprafata desfasurata - mp"); }
inline QString AnulFinalizarii() { return QStringLiteral("Anul finalizarii constructiei"); }
inline QString Materialul() { return QStringLiteral("Materialul constructiei"); }
inline QString Destinatia() { return QStringLiteral("Destinatia cladirii"); }
inline QString CuInstalatii() { return QStringLiteral("Cu instalatii de apa, canalizare, electrice si incalzire (cumulativ)"); }
inline QString SituataIn() { return QStringLiteral("Situata in:"); }
inline QString Zona() { return QStringLiteral("Zona"); }
inline QString Rangul() { return QStringLiteral("Rangul"); }
inline QString InBloc() { return QStringLiteral("Situata in bloc cu mai mult de 3 niveluri si 8 apartamente"); }
inline QString DataEvaluarii() { return QStringLiteral("Data evaluarii"); }
inline QString ValoareaEvaluata() { return QStringLiteral("Valoarea evaluata - lei"); }
inline QString ActivitateAgricola() { return QStringLiteral("Se desfasoara activitate agricola"); }
inline QString NuEsteEvaluata() { return QStringLiteral("Nu este evaluata"); }
inline QString DobanditaLa() { return QStringLiteral("Dobandita la data de"); }
inline QString LuataInEvidenta() { return QStringLiteral("Luata in evidenta la data de"); }
inline QString DocumentObs() { return QStringLiteral("Document / Obs."); }
inline QString InstrainataLa() { return QStringLiteral("Instrainata la data de"); }
inline QString IesitaDinEvidenta() { return QStringLiteral("Iesita din evidenta la data de"); }

// --- balloons of the checks ---
inline QString BadArea() { return QStringLiteral("Suprafata incorecta!"); }
inline QString BadYear() { return QStringLiteral("Anul este incorect!"); }
inline QString BadValuationDate() { return QStringLiteral("Data evaluarii este incorecta!"); }
inline QString BadValue() { return QStringLiteral("Valoare incorecta!"); }
inline QString BadDate() { return QStringLiteral("Data incorecta!"); }
inline QString BadSaleDate() { return QStringLiteral("Data vanzarii este incorecta!"); }

// --- dialog TCladVanzF ---
inline QString SaleCaption() { return QStringLiteral("Vanzare Constructie"); }
inline QString SaleHeading() { return QStringLiteral("Completati datele vanzarii"); }
inline QString DataVanzarii() { return QStringLiteral("Data vanzarii"); }
inline QString DocumentObservatii() { return QStringLiteral("Document / Observatii"); }
inline QString AmAles() { return QStringLiteral("Am ales"); }

// --- dialog TCladCumpF ---
inline QString PurchaseCaption() { return QStringLiteral("Cumparare Constructie"); }
inline QString PurchaseHeading() { return QStringLiteral("Alegeti constructia cumparata"); }
inline QStringList PurchaseGridTitles()
{
    return {QStringLiteral("Tip persoana"), QStringLiteral("Localitatea"),  QStringLiteral("ROL"),
            QStringLiteral("Nume si prenume / Denumire"), QStringLiteral("Tip Clad."), QStringLiteral("Strada"),
            QStringLiteral("Adresa"),       QStringLiteral("Data vanzarii"), QStringLiteral("Data iesirii din evidenta"),
            QStringLiteral("Document justifiativ")};
}

} // namespace lirma::reg::text

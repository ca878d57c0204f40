// The texts of the classification codes window, the levy and debit dialogs and the page of the
// year's operations, each defined here once.
#pragma once

#include <QString>
#include <QStringList>

namespace lirma::assessment::yeartext {

// --- shared buttons ---
inline QString Renunt() { return QStringLiteral("&Renunt"); }
inline QString Memoreaza() { return QStringLiteral("&Memoreaza"); }

// --- classification codes: TFClasificare and TFAddCODCL ---
inline QString CodesCaption() { return QStringLiteral("Nomenclator Coduri clasificare bugetara"); }
inline QString DenumireaCreantei() { return QStringLiteral("Denumirea creantei"); }
inline QString CodPersoaneFizice() { return QStringLiteral("Cod persoane fizice"); }
inline QString CodPersoaneJuridice() { return QStringLiteral("Cod persoane juridice"); }
inline QString CodesAdd() { return QStringLiteral("&Adauga"); }
inline QString CodesModify() { return QStringLiteral("&Modifica"); }
inline QString CodesDelete() { return QStringLiteral("&Sterge"); }
inline QString CodeDialogCaption() { return QStringLiteral("Cod clasificare"); }
inline QString CodeAddHeading() { return QStringLiteral("Adaugare creanta"); }
inline QString CodeModifyHeading() { return QStringLiteral("Modificare creanta"); }
inline QString ContFizica() { return QStringLiteral("Cont P.Fizica"); }
inline QString ContJuridica() { return QStringLiteral("Cont P.Juridica"); }
inline QString NoClaimName() { return QStringLiteral("Lipseste denumirea creantei!"); }
inline QString NoAccount() { return QStringLiteral("Lipseste contul!"); }
inline QString WrongAccount() { return QStringLiteral("Cont incorect!"); }
inline QString ClaimExists() { return QStringLiteral("Exista deja creanta in lista!!"); }
inline QString NothingToModify() { return QStringLiteral("Nu aveti ce modifica!"); }
inline QString NothingToDelete() { return QStringLiteral("Nu aveti ce sterge!"); }
inline QString DeleteClaimTitle() { return QStringLiteral("Stergere creanta"); }
inline QString DeleteClaimForbidden() { return QStringLiteral("Nu aveti voie sa stergeti aceasta creanta!"); }
inline QString DeleteClaimQuestion() { return QStringLiteral("Sunteti sigur ca vreti sa stergeti creanta?!"); }

// --- the page "Operatiuni in timpul anului" of the register ---
inline QString YearPageCaption() { return QStringLiteral("Operatiuni in timpul anului"); }
inline QString YearPageNavEntry() { return QStringLiteral("Zoza zi roduvuru in timpul anului"); }
inline QString LeviesGridCaption() { return QStringLiteral(" > Amenzi si taxe"); }
inline QStringList LeviesGridTitles()
{
    return {QStringLiteral("Categoria"), QStringLiteral("Din data"), QStringLiteral("Nr."),
            QStringLiteral("Explicatii"), QStringLiteral("Curent"),  QStringLiteral("Restant"),
            QStringLiteral("Reduc.")};
}
inline QString AddTaxa() { return QStringLiteral("&Adauga"); }
inline QString EditTaxa() { return QStringLiteral("&Modifica"); }
inline QString DelTaxa() { return QStringLiteral("&Sterge"); }
inline QString DebitsGridCaption() { return QStringLiteral(" > Debite in timpul anului"); }
inline QStringList DebitsGridTitles()
{
    return {QStringLiteral("Nr."),  QStringLiteral("Din data"), QStringLiteral("Grupa"),
            QStringLiteral("Tip"),  QStringLiteral("Suma"),     QStringLiteral("Explicatii")};
}
inline QString AddDeb() { return QStringLiteral("Adau&ga"); }
inline QString EditDeb() { return QStringLiteral("M&odifica"); }
inline QString DelDeb() { return QStringLiteral("S&terge"); }

// --- levy dialog TFTaxe ---
inline QString LevyCaption() { return QStringLiteral("Taxe / Amenzi"); }
inline QString LevyAddTitle() { return QStringLiteral("Adaugare Taxa / Amenda"); }
inline QString LevyModifyTitle() { return QStringLiteral("Modifcare Taxa / Amenda"); }
inline QString DinDataDe() { return QStringLiteral("Din data de"); }
inline QString Numarul() { return QStringLiteral("Numarul"); }
inline QString DocJustificativ() { return QStringLiteral("Doc. justificativ"); }
inline QString Explicatii() { return QStringLiteral("Explicatii"); }
inline QString SumaCurenta() { return QStringLiteral("Suma curenta"); }
inline QString Restanta() { return QStringLiteral("Restanta"); }
inline QString Reducere() { return QStringLiteral("Reducere"); }
inline QString CurrentAndArrears() { return QStringLiteral("Nu puteti adauga si Curent si Restanta simultan!"); }
inline QString AddClaimTitle() { return QStringLiteral("Adaugare creanta"); }
inline QString NoAmount() { return QStringLiteral("Nu ati trecut nici o suma!"); }
inline QString ModifyLevyTitle() { return QStringLiteral("Modificare taxa"); }
inline QString PaidLevyName()
{
    return QStringLiteral("Aveti taiata chitanta pe aceasta taxa/amenda!\rNu puteti sa-i modificati Grupa!");
}
inline QString DeleteLevyTitle() { return QStringLiteral("Stergere taxa / amenda"); }
inline QString PaidLevyDelete()
{
    return QStringLiteral("Aveti taiata chitanta pe aceasta taxa/amenda!\rNu puteti s-o stergeti!");
}
inline QString DeleteLevyQuestion() { return QStringLiteral("Sunteti sigur ca vreti sa stergeti taxa/amenda?"); }

// --- debit dialog TAddImpozit ---
inline QString DebitCaption() { return QStringLiteral("Impozite"); }
inline QString DebitAddTitle() { return QStringLiteral("Adaugare Debit"); }
inline QString DebitModifyTitle() { return QStringLiteral("Modifica debit"); }
inline QString DenumireImpozit() { return QStringLiteral("Denumire impozit"); }
inline QString Categoria() { return QStringLiteral("Categoria"); }
inline QString Debits() { return QStringLiteral("BD"); }      // a borderou of debits
inline QString WriteOffs() { return QStringLiteral("BS"); }   // a borderou of write-offs
inline QString ValoareDebit() { return QStringLiteral("Valoare debit"); }
inline QString Lei() { return QStringLiteral("lei"); }
inline QString Detalii() { return QStringLiteral("Detalii"); }
inline QString SuprafataDash() { return QStringLiteral("Suprafata -"); }
inline QString SuprafataHa() { return QStringLiteral("Suprafata - ha"); }
inline QString Mp() { return QStringLiteral("mp"); }
inline QString Ha() { return QStringLiteral("ha"); }
inline QString Zona() { return QStringLiteral("Zona"); }
inline QString Capacitatea() { return QStringLiteral("Capacitatea"); }
inline QString Cmc() { return QStringLiteral("cmc"); }
inline QString TotalTdw() { return QStringLiteral("total tdw"); }
inline QString Bucati() { return QStringLiteral("Bucati"); }
inline QString BuildingsExplanation()
{
    return QStringLiteral(
        "   Deoarece cladirile dobandite sau instrainate in cursul anul se iau in evidenta incepand cu anul "
        "urmator, pentru a opera dobandirea sau instrainarea unui imobil, procedati astfel:\n"
        "- VANZARI/DEMOLARI:  mergeti la Cladiri, selectati cladirea care se instraineaza, apasati Modifica "
        "cladire si treceti Data instrainarii (de pe doc.justificativ) si Data iesirii din evidenta\n"
        "- CUMPARARI/CONSTRUIRI: mergeti la Cladiri si Adaugati cladirea, cu DATA luarii in evidenta data de "
        "azi. Daca acea cladire a fost operata ca Vanduta la alt ROL, o puteti lua automat de la butonul "
        "Cumparare cladire.");
}
inline QString BuildingsTradeTitle() { return QStringLiteral("Cumparari/Vanzari Cladiri"); }
inline QString BuildingsTrade()
{
    return QStringLiteral("\rVanzarile si Cumpararile de cladiri nu se opereaza de aici!\rCititi explicatia de pe ecran!");
}
inline QString NoArea() { return QStringLiteral("Lipseste Suprafata!"); }
inline QString NoCapacity() { return QStringLiteral("Lipseste Capacitatea!"); }
inline QString NoCount() { return QStringLiteral("Lipseste Cantitatea (buc.)!"); }
inline QString NegativeDebit() { return QStringLiteral("Valoarea Impozitului (Debitului) nu poate fi negativa!"); }
inline QString ModifyDebitTitle() { return QStringLiteral("Modifica debit"); }
inline QString CollectedDebitQuestion()
{
    return QStringLiteral("La acest debit s-a taiat chitanta/OP/N.C.!\rSunteti sigur ca doriti modificarea?");
}
inline QString DeleteDebitTitle() { return QStringLiteral("Stergere Debit"); }
inline QString CollectedDebitDelete()
{
    return QStringLiteral("La debitul selectat s-a operat o incasare!\rAnulati mai intai chitanta sau N.C.!");
}
inline QString DeleteDebitQuestion() { return QStringLiteral("\rDoriti sa stergem debitul selectat?"); }
// The item of a buildings debit.
inline QString BuildingsItem() { return QStringLiteral("Cladiri"); }

} // namespace lirma::assessment::yeartext

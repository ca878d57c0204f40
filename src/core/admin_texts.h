// The texts of the administrator window, its dialogs and its operations, each defined here once.
#pragma once

#include <QString>

namespace lirma::core::admintext {

// --- window ---
inline QString WindowCaption() { return QStringLiteral("Administrator program"); }
inline QString SaveAndClose() { return QStringLiteral("Salveaza si inchide"); }
inline QString Cancel() { return QStringLiteral("&Renunt"); }
inline QString Explanations() { return QStringLiteral("Explicatii"); }
inline QString ExplanationsText()
{
    return QStringLiteral("Nivelul impozitelor se calculeaza inmultind valoarea din lege\r\n"
                          "cu coeficientul stabilit de consiliul local si cu\r\n"
                          "coeficientii de zona si rang.");
}

// --- general page ---
inline QString UsersGroup() { return QStringLiteral("Gestiune utilizatori"); }
inline QString AddUserButton() { return QStringLiteral("Adaugare"); }
inline QString ModifyUserButton() { return QStringLiteral("Modificare"); }
inline QString DeleteUserButton() { return QStringLiteral("Stergere"); }
inline QString ClassificationCodes() { return QStringLiteral("Coduri clasificare"); }
inline QString InflationHistoryLabel() { return QStringLiteral("Istoric Rata inflatie luata in calcul (%):"); }
inline QString ServerPathLabel() { return QStringLiteral("Cale Server :"); }
inline QString BackupPathLabel() { return QStringLiteral("Cale Salvari :"); }
inline QString RaPathLabel() { return QStringLiteral("Cale Data Reg.Agr. :"); }
inline QString NoPath() { return QStringLiteral("-"); }
inline QString ServerChooseHint() { return QStringLiteral("Modificare cale server."); }
inline QString ServerOffHint() { return QStringLiteral("Stergere cale server. Lucru local."); }
inline QString BackupChooseHint() { return QStringLiteral("Modificare cale salvari automate."); }
inline QString BackupOffHint() { return QStringLiteral("Dezactivare salvari automate."); }
inline QString RaChooseHint() { return QStringLiteral("Modificare cale baza de date Reg.Agr."); }
inline QString RaOffHint() { return QStringLiteral("Stergere cale Reg.Agr."); }

// --- users grid and the user dialog TFAddUser ---
inline QString UserHeadName() { return QStringLiteral("Numele"); }
inline QString UserHeadRank() { return QStringLiteral("Rangul"); }
inline QString UserHeadLegit() { return QStringLiteral("Legitim."); }
inline QString UserHeadSeries() { return QStringLiteral("Seria"); }
inline QString UserHeadNumber() { return QStringLiteral("Nr. chitanta"); }
inline QString UserDialogCaption() { return QStringLiteral("Utilizatori"); }
inline QString AddUserTitle() { return QStringLiteral("Adaugare Utilizator"); }
inline QString ModifyUserTitle() { return QStringLiteral("Modificare utilizator"); }
inline QString UserNameLabel() { return QStringLiteral("Nume utilizator"); }
inline QString UserRankLabel() { return QStringLiteral("Rang"); }
inline QString UserLegitLabel() { return QStringLiteral("Legitimatia"); }
inline QString ReceiptsGroup() { return QStringLiteral("Chitante"); }
inline QString SeriesLabel() { return QStringLiteral("Seria"); }
inline QString FromNumberLabel() { return QStringLiteral("De la nr."); }
inline QString ClearPassword() { return QStringLiteral("Sterge parola"); }
inline QString Memoreaza() { return QStringLiteral("Memoreaza"); }
inline QString MissingName() { return QStringLiteral("Lipseste numele!"); }
inline QString NameExists() { return QStringLiteral("Acest nume mai exista!"); }
// Characters a user name may not hold: they would break his section of the settings file.
inline QString ForbiddenNameCharacters() { return QStringLiteral("[]="); }
inline QString ForbiddenNameText() { return QStringLiteral("Numele nu poate contine caracterele [ ] = !"); }
inline QString NothingToModify() { return QStringLiteral("Nu aveti ce modifica!"); }
inline QString UserCannotBeModified() { return QStringLiteral("Acest utilizator nu poate fi modificat!"); }
inline QString UserCannotBeDeleted() { return QStringLiteral("Acest utilizator nu poate fi sters!"); }
inline QString NothingToDeleteUsers() { return QStringLiteral("Nu prea mai aveti ce sterge..."); }
inline QString DeleteUserTitle() { return QStringLiteral("Stergere utilizator"); }
inline QString DeleteUserQuestion(const QString& name) { return QStringLiteral("Chiar il stergem pe ") + name + u'?'; }
inline QString UserMissingText(const QString& name)
{
    return QStringLiteral("\rUtilizatorul ") + name + QStringLiteral(" nu mai exista in lista utilizatorilor!");
}
inline QString UsersFileErrorText(const QString& detail)
{
    return QStringLiteral("\rLista utilizatorilor nu a putut fi modificata!\r") + detail;
}

// --- zones page and the dialog TAddZonaF ---
inline QString ZonesHeadLocality() { return QStringLiteral("Localitatea"); }
inline QString ZonesHeadZone() { return QStringLiteral("Zona"); }
inline QString ZonesHeadRank() { return QStringLiteral("Rangul"); }
inline QString AddVillageButton() { return QStringLiteral("Adauga"); }
inline QString ModifyVillageButton() { return QStringLiteral("Modifica"); }
inline QString DeleteVillageButton() { return QStringLiteral("Sterge"); }
inline QString ZoneDialogCaption() { return QStringLiteral("Constante de calcul"); }
inline QString AddZoneTitle() { return QStringLiteral("Adaugare zona"); }
inline QString ModifyZoneTitle() { return QStringLiteral("Modificare zona"); }
inline QString ZoneDialogMemoreaza() { return QStringLiteral("&Memoreaza"); }
inline QString MissingLocality() { return QStringLiteral("Nu ati specificat localitatea!"); }
inline QString LocalityExists() { return QStringLiteral("Localitatea specificat exista deja!"); }
inline QString NothingToDeleteVillages() { return QStringLiteral("Nu aveti ce sterge!"); }
inline QString DeleteVillageTitle() { return QStringLiteral("Stergere localitate"); }
inline QString DeleteVillageQuestion() { return QStringLiteral("Sunteti sigur ca vreti sa stergeti localitatea?"); }

// --- save checks ---
inline QString RatesTitle() { return QStringLiteral("Cote H.C.L."); }
inline QString RateOutsideText(const QString& name, const QString& low, const QString& high)
{
    return QStringLiteral("\rCota ") + name + QStringLiteral(" nu se incadreaza in intervalul legal ") + low +
           QStringLiteral("% - ") + high + QStringLiteral("% !") + QStringLiteral("\r") +
           QStringLiteral("Continuam asa?");
}
inline QString WrongYears() { return QStringLiteral("Numar ani incorect!"); }
inline QString MaximumIncrease() { return QStringLiteral("Valoarea maxima este 50% !"); }
inline QString SavingProgress() { return QStringLiteral("Salvare Constante"); }
inline QString SaveFailedText(const QString& detail)
{
    return QStringLiteral("\rValorile nu au putut fi memorate!\r") + detail;
}
inline QString InflationFirst() { return QStringLiteral("Completati mai intai Rata inflatiei la panoul General!"); }
// Activity log line of a level value changed by the administrator.
inline QString LevelChangedAction(const QString& name, const QString& before, const QString& after)
{
    return QStringLiteral("Modificare valoare ") + name + QStringLiteral(": ") + before + QStringLiteral(" -> ") +
           after;
}

// --- legal levels: import and unlocking ---
inline QString ImportButton() { return QStringLiteral("Preia valorile din alta baza"); }
inline QString ImportHint()
{
    return QStringLiteral("Preia toate valorile din lege si din H.C.L. din Ini.dbf al altei baze de date.");
}
inline QString UnlockButton() { return QStringLiteral("Deblocheaza valorile"); }
inline QString ImportTitle() { return QStringLiteral("Preluare valori"); }
inline QString ImportChooseCaption() { return QStringLiteral("Indicati baza de date din care se preiau valorile"); }
inline QString ImportMissingText(const QString& folder)
{
    return QStringLiteral("\rIn ") + folder + QStringLiteral(" nu exista Ini.dbf!");
}
inline QString ImportFailedText(const QString& detail)
{
    return QStringLiteral("\rValorile nu au putut fi citite!\r") + detail;
}
inline QString ImportDoneText(int count, const QString& folder)
{
    return QStringLiteral("\rAu fost preluate ") + QString::number(count) + QStringLiteral(" valori din ") + folder +
           QStringLiteral(".\rEle se memoreaza la \"Salveaza si inchide\".");
}
inline QString UnlockTitle() { return QStringLiteral("Deblocare valori"); }
inline QString UnlockQuestion()
{
    return QStringLiteral("\rValorile acestei pagini sunt cele din lege si din H.C.L.\r"
                          "Fiecare modificare se trece in istoricul actiunilor.\r"
                          "Le deblocam pentru modificare?");
}

// --- paths ---
inline QString ServerFolderCaption() { return QStringLiteral("Indicati baza de date din retea"); }
inline QString ServerConnectedTitle() { return QStringLiteral("Conectat la server"); }
inline QString ServerConnectedText() { return QStringLiteral("Conectarea la server a reusit!\rPorniti programul din nou !"); }
inline QString ServerErrorTitle() { return QStringLiteral("Conectare server"); }
inline QString ServerErrorText(const QString& folder)
{
    return QStringLiteral("Baza de date ") + folder + QStringLiteral("\r") + QStringLiteral("NU este accesibila!") +
           QStringLiteral("\r") + QStringLiteral("Verificati conexiunea si reporniti programul!");
}
inline QString NothingToClear() { return QStringLiteral("Nu aveti ce sterge."); }
inline QString ServerOffTitle() { return QStringLiteral("Stergere cale server"); }
inline QString ServerOffQuestion() { return QStringLiteral("Doriti sa va deconectati de la server?"); }
inline QString ServerOffDoneTitle() { return QStringLiteral("Deconectat de la server"); }
inline QString ServerOffDoneText() { return QStringLiteral("Sunteti deconectat de la server!\rPorniti programul din nou !"); }
inline QString AutoBackupTitle() { return QStringLiteral("Salvare Automata"); }
inline QString OnlyServerBackups() { return QStringLiteral("Numai Serverul poate salva automat!"); }
inline QString BackupFolderCaption() { return QStringLiteral("Indicati calea salvarilor automate"); }
inline QString BackupWriteTitle() { return QStringLiteral("Stabilire cale salvari"); }
inline QString BackupWriteError(const QString& folder)
{
    return QStringLiteral("Nu pot scrie in ") + folder + QStringLiteral(" !") + QStringLiteral("\r") +
           QStringLiteral("Alegeti alta cale, unde sa pot scrie!");
}
inline QString BackupSetTitle() { return QStringLiteral("Salvari automate"); }
inline QString BackupSetText(const QString& folder)
{
    return QStringLiteral("Calea pentru Salvari Automate este acum\r") + folder + u'.';
}
inline QString BackupOffTitle() { return QStringLiteral("Stergere cale salvari"); }
inline QString BackupOffQuestion() { return QStringLiteral("Doriti sa dezactivati salvarea automata?"); }
inline QString BackupOffDone() { return QStringLiteral("Salvarea automata a fost dezactivata!"); }
inline QString RaFolderCaption() { return QStringLiteral("Indicati baza de date RA 2020-2024"); }
inline QString RaErrorTitle() { return QStringLiteral("Cale Baza de date RA 2020"); }
inline QString RaErrorText() { return QStringLiteral("\rCalea indicata nu este corecta!"); }
inline QString RaMarkerFile() { return QStringLiteral("Ra2020.set"); }
inline QString RaOffTitle() { return QStringLiteral("Stergere cale Reg.Agr."); }
inline QString RaOffQuestion() { return QStringLiteral("\rDoriti sa stergeti calea Reg.Agr.?"); }
inline QString RaOffDoneTitle() { return QStringLiteral("Cale Reg.Agr."); }
inline QString RaOffDoneText() { return QStringLiteral("\rLegatura cu Reg.Agricol a fost dezactivata!"); }
inline QString PathNotStoredText(const QString& detail)
{
    return QStringLiteral("\rCalea nu a putut fi memorata!\r") + detail;
}

} // namespace lirma::core::admintext

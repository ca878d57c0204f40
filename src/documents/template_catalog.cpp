#include "documents/template_catalog.h"

#include "platform/workbook/extension.h"

namespace lirma::documents {

namespace {

QStringList numbered(const QStringList& stems, int count, const QString& before = "[", const QString& after = "]")
{
    QStringList keys;
    for (int n = 1; n <= count; ++n)
        for (const QString& stem : stems)
            keys << before + stem + QString::number(n) + after;
    return keys;
}

QStringList titluKeys()
{
    return QStringList{"[JUDET]", "[COMUNA]", "[CUI]", "[PRIMAR]", "[INTOCMIT]", "[CONTABIL]", "[NR]", "[DATA]",
                       "[NUMEP]", "[CNP]", "[ROL]", "[Adresa]", "[SAT]", "[TR]", "[TC]", "[TA]", "[TD]", "[TT]"} +
           numbered({"Na", "Nat", "D", "A", "T", "Ib"}, 20) + numbered({"No", "Rm", "Dc", "Ac", "To"}, 12);
}

QStringList poprireKeys()
{
    return QStringList{"[JUDET]", "[COMUNA]", "[CUI]", "[PRIMAR]", "[CONTABIL]", "[INTOCMIT]", "[NR]", "[NRT]",
                       "[DATA]", "[NUMEP]", "[CNP]", "[ROL]", "[SAT]", "[Adresa]", "[NUMETERT]", "[SediuTert]",
                       "[TD]", "[TA]", "[TT]"} +
           numbered({"Na", "Nat", "D", "A", "T", "Ib"}, 20) + numbered({"Gr", "Tnrd", "Csd", "Contv"}, 15);
}

QStringList certificatKeys(bool legal)
{
    QStringList keys{"[JUDET]", "[PRIMARIA]", "[COMUNA]", "[CUI]", "[CNP]", "[NUMEP]", "[Adresa]", "[ROL]",
                     "[CERTNR]", "[CERTDATA]", "[CERENR]", "[CEREDATA]", "[CITIP]", "[CISERIA]", "[CINR]",
                     "[SupPoz]", "[Serveste]", "[TAXA]", "[CHITNR]", "[CHITDATA]", "[Sup]", "[Cap2B]", "[TOTAL]"};
    if (legal)
        keys << "[UTILIZATOR]";
    return keys + numbered({"Den", "c", "r", "m", "T"}, 10, ".", ".");
}

QStringList declaratieKeys(int rows)
{
    return QStringList{"[ANUL]", "[COMUNA]", "[CUI]", "[AdresaP]", "[DATA]", "[NRACT]", "[NUMEP]", "[CNP]",
                       "[JUDET]", "[SATUL]", "[ROL]", "[Adresa]", "[CONTABIL]", "[SCUT]", "[TOT]"} +
           numbered({"Cat", "S", "T", "C"}, rows);
}

QStringList pvAutoKeys(bool entry)
{
    QStringList keys{"[UAT]", "[CUI]", "[JUDET]", "[LOCALITATEA]", "[NR]", "[DATA]", "[NUMEP]", "[SATUL]",
                     "[CNP]", "[ROL]", "[Adresa]", "[MARCA]", "[COMBUS]", "[SERIE]", "[SERIEM]", "[ANULF]",
                     "[CAPACIT]", "[TONAJ]", "[NRDOS]", "[DATADOB]"};
    if (entry)
        return keys << "[ACTD]" << "[NRACTD]";
    return keys << "[DATAINSTR]" << "[ACTV]" << "[NRACTV]" << "[CERTRAD]" << "[CERTRADD]" << "[NUMENOU]"
                << "[JUDNOU]" << "[LOCNOU]" << "[AdrNou]";
}

QStringList chitantaKeys()
{
    QStringList keys{"[JudC1]", "[LocC1]", "[CuiC1]", "[LocCL1]", "[SeriaC1]", "[NrC1]", "[TipF1]", "[ROLC1]",
                     "[CNPC1]", "[CUI1]", "[NumeT1]", "[AdresaT1]", "[Platitor1]", "[TCur1]", "[TRes1]",
                     "[TDob1]", "[TBon1]", "[TTot1]", "[DataInc1]", "[Leg1]", "[IncA1]"};
    for (const QString stem : {"I1", "C1", "Cur1", "Res1", "Dob1", "Bon1", "Tot1"})
        for (int n = 1; n <= 8; ++n)
            keys << "[" + stem + QString::number(n) + "]";
    return keys;
}

std::vector<TemplateInfo> build()
{
    const QString model = QStringLiteral("MODEL");
    const QString xls = QStringLiteral("XLS");
    const QString xlsx = QString::fromLatin1(workbook::WorkbookExtension);
    using K = TemplateKind;
    using M = FillMode;
    return {
        {"DeclImpPF", model, "DeclImpPF.rtf", K::Rtf, "Model Declaratie de impunere > Persoane fizice", true, {},
         M::Record, declaratieKeys(30)},
        {"DeclImpPJ", model, "DeclImpPJ.rtf", K::Rtf, "Model Declaratie de impunere > Persoane juridice", true, {},
         M::Record, declaratieKeys(12)},
        {"NOTAPLATA", model, "NotaPlata" + xlsx, K::Workbook, "Model Nota de plata", true, {"Instiintare.rtf"},
         M::Record,
         {"[PRIMARIA]", "[NRDATA]", "[CUI]", "[AdresaPrim]", "[USER]", "[ROL]", "[Adresa]", "[NUMEP]", "#DBF", "#DENUM",
         "#CONT", "#REST", "#CURENT", "#PENAL"}},
        {"BordIns", model, "BordInstiintari" + xlsx, K::Workbook, "Model Borderou Note de plata", true, {}, M::Record,
         {"[UAT]", "#DBF", "%NRCRT", "#NR", "#DINDATA", "#ROL", "#NUMEP", "#ADRESA"}},
        {"Titlu", model, "Titlu.rtf", K::Rtf, "Modele Executare silita > Somatie - Titlu executoriu", false, {},
         M::WholeTemplate, titluKeys()},
        {"POPANGAJ", model, "PopAngaj2.rtf", K::Rtf, "Modele Executare silita > Poprire Angajator", false,
         {"PopAngaj.rtf"}, M::WholeTemplate, poprireKeys()},
        {"POPBANCA", model, "PopBanca2.rtf", K::Rtf, "Modele Executare silita > Poprire Banca", false,
         {"PopBanca.rtf"}, M::WholeTemplate, poprireKeys()},
        {"Sistare", model, "Sistare.rtf", K::Rtf, "Modele Executare silita > Sistare urmarire", true, {}, M::Record,
         {"[PRIMARIA]", "[CUI]", "[NUMEP]", "[JUDET]", "[COMUNA]", "[ROL]", "[Sat]", "[Adresa]", "[CNP]",
          "[Contabil]", "[Intocmit]", "[Azi]"}},
        {"BordSom", model, "BordSomatii" + xlsx, K::Workbook, "Model Borderou Somatii si Titluri", true, {}, M::Record,
         {"[UAT]", "#DBF", "%NRCRT", "#NR", "#DINDATA", "#ROL", "#NUMEP", "#ADRESA"}},
        {"CFISCAL", model, "CFiscal4.rtf", K::Rtf, "Model Certificat Fiscal > Persoane fizice", true, {}, M::Record,
         certificatKeys(false)},
        // A new legal-person certificate brings the natural-person one of the same edition with it.
        {"CFISCALPJ", model, "CFiscalPJ.rtf", K::Rtf, "Model Certificat Fiscal > Persoane juridice", true,
         {"CFiscal4.rtf"}, M::Record, certificatKeys(true)},
        // Menu entries that never had a template: shown, disabled.
        {"", "", "", K::Rtf, "Model Adresa de infiintare poprire", false, {}, M::Record, {}},
        {"", "", "", K::Rtf, "Model Aferent Adresa de infiintare poprire", false, {}, M::Record, {}},
        {"ConfirmareD", model, "ConfirmareD.rtf", K::Rtf, "Model Confirmarea de primire a debitelor", false, {},
         M::Record,
         {"[JUDET]", "[LOCALITATEA]", "[CF]", "[NRCONF]", "[DATACONF]", "[BORDNR]", "[BORDATA]", "[CODCL]",
          "[NumeDest]", "[AdrDest]", "[ROL]", "[NUMEP]", "[Adresa]", "[LocDest]", "[SUMA]", "[SumaText]",
          "[ADRNR]", "[ADRDATA]", "[NatCl]", "[SATUL]"}},
        {"ListPlat", xls, "ListPlat" + xlsx, K::Workbook, "Model Lista plati - Registrul de casa", false, {}, M::Record,
         {"#PERIOADA", "#DBF", "%NRCRT", "#DATAI", "#DOCJUS", "#PLATIT"}},
        {"RegCasa", xls, "RegCasa" + xlsx, K::Workbook, "Model Registru de casa", false, {}, M::Record,
         {"#PRIMARIA", "#CONTABIL", "#CASIER", "#SOLDINI", "#ZZ", "#LL", "#AA"}},
        {"Formular1", model, "Formular1" + xlsx, K::Workbook, "Modele alte formulare > Instiintare de plata", true, {},
         M::Record,
         {"[Primaria]", "[NRDATA]", "[CUI]", "[AdresaPrim]", "[Adresaprim]", "[Jud]", "[Adresa]", "[NumeP]", "[USER]",
         "[ROL]", "#DBF", "%NRCRT", "#DENUM", "#CONT", "#DEBIT", "#PENAL"}},
        {"Aviz", model, "Aviz.rtf", K::Rtf, "Modele alte formulare > Aviz Control fiscal", true, {}, M::Record,
         {"[UAT]", "[CUI]", "[NUMEP]", "[JUDET]", "[COMUNA]", "[SAT]", "[Adresa]", "[CNP]"}},
        {"Angajament", model, "Angajament.rtf", K::Rtf, "Modele alte formulare > Angajament de plata", true, {},
         M::Record,
         {"[Primaria]", "[CUI]", "[NumeP]", "[Judet]", "[Comuna]", "[ROL]", "[Sat]", "[Adresa]", "[CNP]", "[TOTAL]",
          "[Azi]"}},
        {"PVAutoIn", model, "PVAutoIn.rtf", K::Rtf, "Detalii Auto > Declaratie/PV luare in evidenta Auto", true, {},
         M::Record, pvAutoKeys(true)},
        {"PVAutoOut", model, "PVAutoOut.rtf", K::Rtf, "Detalii Auto > Declaratie/PV scoatere din evidenta Auto",
         true, {}, M::Record, pvAutoKeys(false)},
        // Templates used through a work copy.
        {"Chitanta", model, "", K::Rtf, "", false, {}, M::Record, chitantaKeys()},
        {"ListaAuto", model, "", K::Workbook, "", false, {}, M::Record, {"#DBF", "%NRCRT", "#NRDOS", "#MARCA",
         "#COMBUS", "#ANULF", "#CAPACIT", "#DATAIN", "#DATAOUT", "#SERIE", "#SERIEM", "#ROL", "#NUMEP", "#CNP",
         "#SATUL", "#ADRESA", "#TIP"}},
        {"Scutiri", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"#DBF", "%NRCRT", "#SATUL", "#ROL",
         "#NUMEP", "#TIP"} + numbered({"V", "P"}, 5, "#", "")},
        {"TE", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"#UAT", "#PERIOADA", "#DBF", "%NRCRT",
         "#LOCALIT", "#ROL", "#DOCJUS", "#NR", "#DINDATA"} + numbered({"I", "E"}, 5, "#", "")},
        {"PazaPSI", model, "", K::Workbook, "", false, {}, M::Record, {"#TITLU", "#DBF", "%NRCRT", "#SATUL", "#ROL",
         "#PAZACURENT", "#PAZAREST", "#PSICURENT", "#PSIREST"}},
        {"CenRes", model, "", K::Workbook, "", false, {}, M::Record, {"#LADATA", "#DBF", "%NRCRT", "#GRUPA", "#TIP",
         "#RAM", "#CUR", "#AVANS", "#MAJ"}},
        {"Peste12", model, "", K::Workbook, "", false, {}, M::Record, {"#UAT", "#DBF", "%NRCRT", "#ROL", "#Numep",
         "#Tip", "#NRX", "#IMP"}},
        {"SAnalitica", model, "", K::Workbook, "", false, {}, M::Record, {"[TIP]", "[ANUL]", "#DBF", "%NRCRT", "#ROL",
         "#NUMEP", "#NRPERS", "#TIP", "#CNP", "#SAT", "#ADRESA", "#GRUPA", "#LR", "#CURENT", "#INCAS", "#SOLDF"}},
        {"Partizi", model, "", K::Workbook, "", false, {}, M::Record, {"#DBF", "%NRCRT", "#GRUPA", "#CODCL", "#LRAVANS",
         "#LR", "#LRMAJ", "#DEBIT", "#BD", "#BS", "#INCDEB", "#INCBON", "#INCLR", "#INCMAJC", "#INCMAJLR", "#INCFD",
         "#INCNUM", "#SOLDDEB", "#SOLDMAJ", "#SOLDAVANS", "#SOLDLR"}},
        {"NeCladiri", model, "", K::Workbook, "", false, {}, M::Record, {}},
        {"RMTeren", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"#LOC", "#DBF", "%NRCRT", "#ROL",
         "#NUMEP", "#CNP", "#C10", "#C20"} + numbered({"C", "I"}, 9, "#", "") + numbered({"C1", "I1"}, 9, "#", "")},
        {"RMCladiri", model, "", K::Workbook, "", false, {}, M::Record, {"#LOC", "#AN"}},
        {"RMAuto", model, "", K::Workbook, "", false, {}, M::Record, {"#LOC", "#DBF", "%NRCRT", "#ROL", "#NUMEP",
         "#CNP", "#DENUM", "#UM", "#CANT", "#SUMA"}},
        {"MatricTot", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"#ANUL", "#Localitatea", "#DBF",
         "%NRCRT", "#ROL", "#NUMEP", "#CNP", "#A1", "#A3", "#A5", "#A7", "#A9"} + QStringList{"#A10", "#A11", "#A12",
         "#A13", "#A14", "#A15", "#A16", "#A17", "#A18", "#A19", "#A20", "#A21", "#A22", "#A23", "#A24", "#A25", "#A26",
         "#A27", "#A28"}},
        {"ModelRam", model, "", K::Workbook, "", false, {}, M::Record, {"#PRIMARIA", "#LOCALIT", "#LISTARAMASITE",
         "#LADATA"}},
        {"DeIncasat", model, "", K::Workbook, "", false, {}, M::Record, {"[UAT]", "[LOCALITATEA]", "[INDOP]", "[DATA]",
         "[USER]", "%NRCRT"}},
        {"ListaDeInc", model, "", K::Workbook, "", false, {}, M::Record, {"[LADATA]", "[UAT]", "[PRIMAR]", "[OPERAT]",
         "#DBF", "%NRCRT", "#GRUPA", "#CODCL", "#LR", "#LRMAJ", "#LRMAJC", "#CUR"}},
        {"Grad", model, "", K::Workbook, "", false, {}, M::Record, {"#LADATA", "#DBF", "%NRCRT", "#GRUPA", "#TIP",
         "#MAT0", "#DEBITE", "#SCAZ", "#BONIF", "#INCAS"}},
        {"BDBS", model, "", K::Workbook, "", false, {}, M::Record, {"#PRIMARIA", "#PERIOADA", "#DBF", "%NRCRT", "#NR",
         "#DINDATA", "#ROL", "#NUMEP", "#ADRESA", "#A1BD", "#A1BS", "#TOTAL"}},
        {"Amenzi1", model, "", K::Workbook, "", false, {}, M::Record, {"#LISTA", "#DATA", "#DBF", "%NRCRT", "#NUMEP",
         "#CNP", "#SATUL", "#ADRESA", "#ROL", "#DOCJUS", "#NR", "#DINDATA", "#VAL1", "#SOLD1", "#A48"}},
        {"SitExec", model, "", K::Workbook, "", false, {}, M::Record, {"[UAT]", "#PERIOADA", "#DBF", "%NRCRT", "#NUMEP",
         "#ROL", "#NRI", "#DATAI", "#NRS", "#DATAS", "#NRP", "#DATAP", "#OBS"}},
        {"BordRCInc", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"#PRIMARIA", "#CASIER", "#PERIOADA",
         "#DBF", "%NRCRT", "#ROL", "#NUMEP", "#TIP", "#SERIA", "#NR", "#DATAI", "#TOTAL"} + numbered({"C"},
         8) + numbered({"C"}, 40, "#", "")},
        {"CCI", model, "", K::Workbook, "", false, {}, M::Record, {"#PRIMARIA", "#perioada", "#TOTG", "#DBF", "#GRUPA",
         "#CODCLAS", "#TIPF", "#INCANUME", "#TOTAL"}},
        {"ModConTot", model, "", K::Workbook, "", false, {}, M::Record, {"#PRIMARIA", "#PERIOADA", "#CONTABIL", "#DBF",
         "%NRCRT", "#CODCLAS", "#CURENT", "#BONIF", "#RESTANT", "#MAJORC", "#MAJORR", "#TOTAL"}},
        {"ChitRam", model, "", K::Workbook, "", false, {}, M::Record, {"#UAT", "#PERIOADA", "#DBF", "%NRCRT", "#DOCJUS",
         "#NR", "#DATAI", "#SATUL", "#ROL", "#GRUPA", "#TIPF", "#RESTANTA", "#MAJOREST"}},
        {"CENNC", model, "", K::Workbook, "", false, {}, M::Record, {"[UAT]", "[OPERATOR]", "[perioada]", "#DBF",
         "%NRCRT", "#DATAI", "#SERIA", "#NR", "#ROL", "#TIPF", "#NUMEP", "#REST1", "#MAJR1", "#DEP1", "#CURENT1",
         "#MAJOR1", "#RED1"}},
        {"NotaServ", model, "", K::Workbook, "", false, {}, M::Record, {"[OPERAT]", "[UAT]", "[PERIOADA]", "#CURENT",
         "#RESTANTA", "#PENAL", "#NRCHIT"}},
        {"CalculTI", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"[ROL]", "[LOC]",
         "[NUME]"} + numbered({"I"}, 6)},
        {"CalculTE", model, "", K::Workbook, "", false, {}, M::Record, QStringList{"[ROL]", "[LOC]",
         "[NUME]"} + numbered({"E"}, 5)},
        {"FisaCalcAuto", model, "", K::Workbook, "", false, {}, M::Record, {"[UAT]", "[ANUL]", "[ROL]", "[NUMEP]",
         "#DBF", "#NRDOS", "#TipAuto", "#MARCA", "#Capacit", "#TONAJ", "#DENUM", "#SUMA2", "#CANT"}},
        {"Diferente", model, "", K::Workbook, "", false, {}, M::Record, {"[Data]", "#DBF", "%NRCRT", "#ROL", "#LOCALIT",
         "#NUMEP", "#TIP", "#CATEG", "#TSUP", "#RSUP", "#DIF"}},
        {"ListaPers", model, "", K::Workbook, "", false, {}, M::Record, {"#LISTA", "#DBF", "%NRCRT", "#SATUL", "#ROL",
         "#NUMEP", "#CNP", "#STRADA", "#ADRESA", "#NRPERS"}},
        {"NrPers", model, "", K::Workbook, "", false, {}, M::Record, {"[LOCALIT]", "#DBF", "%NRCRT", "#ROL", "#NUMEP",
         "#CNP", "#ADRESA", "#NRPERS"}},
    };
}

} // namespace

const std::vector<TemplateInfo>& TemplateCatalog()
{
    static const std::vector<TemplateInfo> catalog = build();
    return catalog;
}

const TemplateInfo* FindTemplate(const QString& resource, const QString& type)
{
    if (resource.isEmpty())
        return nullptr;
    for (const TemplateInfo& t : TemplateCatalog())
        if (t.resource.compare(resource, Qt::CaseInsensitive) == 0 && t.type.compare(type, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TemplateInfo* FindTemplateFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return nullptr;
    for (const TemplateInfo& t : TemplateCatalog())
        if (t.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

} // namespace lirma::documents

#include "documents/template_catalog.h"

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
    using K = TemplateKind;
    using M = FillMode;
    return {
        {"DeclImpPF", model, "DeclImpPF.rtf", K::Rtf, "Model Declaratie de impunere > Persoane fizice", true, {},
         M::Record, declaratieKeys(30)},
        {"DeclImpPJ", model, "DeclImpPJ.rtf", K::Rtf, "Model Declaratie de impunere > Persoane juridice", true, {},
         M::Record, declaratieKeys(12)},
        // Workbooks: "Model Nota de plata" (NotaPlata.xls, replaces Instiintare.rtf) and
        // "Model Borderou Note de plata" (BordInstiintari.xls) go here.
        {"Titlu", model, "Titlu.rtf", K::Rtf, "Modele Executare silita > Somatie - Titlu executoriu", false, {},
         M::WholeTemplate, titluKeys()},
        {"POPANGAJ", model, "PopAngaj2.rtf", K::Rtf, "Modele Executare silita > Poprire Angajator", false,
         {"PopAngaj.rtf"}, M::WholeTemplate, poprireKeys()},
        {"POPBANCA", model, "PopBanca2.rtf", K::Rtf, "Modele Executare silita > Poprire Banca", false,
         {"PopBanca.rtf"}, M::WholeTemplate, poprireKeys()},
        {"Sistare", model, "Sistare.rtf", K::Rtf, "Modele Executare silita > Sistare urmarire", true, {}, M::Record,
         {"[PRIMARIA]", "[CUI]", "[NUMEP]", "[JUDET]", "[COMUNA]", "[ROL]", "[Sat]", "[Adresa]", "[CNP]",
          "[Contabil]", "[Intocmit]", "[Azi]"}},
        // Workbook: "Model Borderou Somatii si Titluri" (BordSomatii.xls) goes here.
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
        // Workbooks: "Model Lista plati - Registrul de casa" (ListPlat.xls, type XLS), "Model Registru de casa"
        // (RegCasa.xls, type XLS) and "Modele alte formulare > Instiintare de plata" (Formular1.xls) go here.
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

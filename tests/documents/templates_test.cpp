// Every embedded RTF template: it holds the placeholders its documents fill, and filled with sample
// values through the engine, as its callers fill it, it converts to a PDF whose text holds every value
// and no placeholder.
#include "documents/rtf_replace.h"
#include "documents/template_catalog.h"
#include "documents/template_store.h"

#include "platform/office/pdf_conversion.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace lirma::documents;

namespace {

QString upperAscii(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

// What a value looks like once printed: Windows-1250 has only the cedilla forms of s and t, and
// braces are printed as round brackets.
QString printed(QString value)
{
    value.replace(u'ș', u'ş').replace(u'ț', u'ţ').replace(u'Ș', u'Ş').replace(u'Ț', u'Ţ');
    value.replace(u'{', u'(').replace(u'}', u')');
    return value;
}

// Text compared without regard to line breaks, runs of spaces and ligatures.
QString flat(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).simplified();
}

// How the template spells a key (the first spelling found), "" when absent.
QString spelling(const QByteArray& templ, const QString& key)
{
    const qsizetype at = QString::fromLatin1(templ).indexOf(key, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : QString::fromLatin1(templ.mid(at, key.size()));
}

// Placeholders of a template: bracketed words and the dotted debt-line keys of the certificates.
QStringList placeholdersIn(const QByteArray& templ)
{
    static const QRegularExpression re(R"(\[[A-Za-z][A-Za-z0-9]*\]|\.(?:Den|c|r|m|T)[0-9]+\.)");
    QStringList found;
    auto it = re.globalMatch(QString::fromLatin1(templ));
    while (it.hasNext())
        found << it.next().captured();
    found.removeDuplicates();
    return found;
}

struct Filled {
    const TemplateInfo* tpl;
    QString rtf;
    // Key (as given) -> value, for the values that must show.
    std::vector<std::pair<QString, QString>> shown;
};

// Sample values, as the windows of the system give them.
class Sampler {
public:
    explicit Sampler(TRTFReplace& rtf, Filled& filled) : rtf_(rtf), filled_(filled) {}
    void add(const QString& key, const QString& value)
    {
        rtf_.AddPair(key, value);
        const QString trimmed = value.trimmed();
        if (!trimmed.isEmpty() && trimmed != "-")
            filled_.shown.emplace_back(key, value);
    }

private:
    TRTFReplace& rtf_;
    Filled& filled_;
};

const QString kName = QString::fromUtf8("IONESCU ȘTEFAN-ȚĂRANU");
const QString kAddress = QString::fromUtf8("Str. Ștefan cel Mare nr. 12, Bl. 3\\A, ap. {4}");
const QString kVillage = QString::fromUtf8("BĂRBĂTEȘTI");

void institution(Sampler& s)
{
    s.add("[JUDET]", QString::fromUtf8("VÂLCEA"));
    s.add("[CUI]", "2541370");
    s.add("[PRIMAR]", "POPA MARIN");
    s.add("[CONTABIL]", "STANCU ELENA");
    s.add("[INTOCMIT]", "GHEORGHE ANA");
}

void taxpayer(Sampler& s)
{
    s.add("[NUMEP]", kName);
    s.add("[CNP]", "1850312384512");
    s.add("[ROL]", "1234");
    s.add("[ADRESA]", kAddress);
}

const QStringList kGroups = {QString("Impozit pe cladiri"), "Impozit pe teren intravilan",
                             "Impozit pe mijloace de transport", "Salubritate", "Amenzi"};

// Whole-template mode of the summons and of the garnishment addresses.
void fillTitlu(Sampler& s, bool garnishment)
{
    institution(s);
    taxpayer(s);
    s.add("[COMUNA]", kVillage);
    s.add("[NR]", "45");
    s.add("[DATA]", "15.03.2024");
    s.add("[SAT]", kVillage);
    if (garnishment) {
        s.add("[NRT]", "45");
        s.add("[NUMETERT]", "SC AGROSERV SRL");
        s.add("[SEDIUTERT]", QString::fromUtf8("Râmnicu Vâlcea, Str. Țepeș Vodă nr. 7"));
    }
    const int lines = garnishment ? 4 : 5;
    for (int n = 1; n <= (garnishment ? 60 : 300); ++n) {
        const bool used = n <= lines;
        const QString k = QString::number(n);
        s.add("[NA" + k + "]", used ? kGroups[n - 1] : "  -");
        s.add("[NAT" + k + "]", used ? (n == 5 ? "PV 128/2023" : QString("-")) : "  -");
        s.add("[D" + k + "]", used ? QString::number(100 * n + 23) : "  -");
        s.add("[A" + k + "]", used ? QString::number(10 * n + 1) : "  -");
        s.add("[T" + k + "]", used ? QString::number(110 * n + 24) : "  -");
        s.add("[IB" + k + "]", used ? QString("RO%1TREZ6712107XXX00%2").arg(10 + n).arg(3000 + n) : "  -");
    }
    s.add("[TR]", "300");
    s.add("[TC]", "1215");
    s.add("[TA]", "155");
    s.add("[TD]", "1515");
    s.add("[TT]", "1670");
    for (int m = 1; m <= (garnishment ? 60 : 300); ++m) {
        const bool used = m <= 3;
        const QString k = QString::number(m);
        if (garnishment) {
            s.add("[GR" + k + "]", used ? kGroups[m - 1] : "  -");
            s.add("[TNRD" + k + "]", used ? "45/15.03.2024" : "  -");
            s.add("[CSD" + k + "]", used ? QString::number(200 * m + 7) : "  -");
            s.add("[CONTV" + k + "]", used ? QString("RO%1TREZ6712107XXX00%2").arg(20 + m).arg(4000 + m) : "  -");
        } else {
            s.add("[NO" + k + "]", used ? kGroups[m - 1] : "  -");
            s.add("[RM" + k + "]", used ? QString::number(50 * m) : "  -");
            s.add("[DC" + k + "]", used ? QString::number(300 * m + 5) : "  -");
            s.add("[AC" + k + "]", used ? QString::number(20 * m + 2) : "  -");
            s.add("[TO" + k + "]", used ? QString::number(370 * m + 7) : "  -");
        }
    }
}

void fillCertificat(Sampler& s, bool legal)
{
    s.add("[JUDET]", QString::fromUtf8("VÂLCEA"));
    s.add("[PRIMARIA]", QString::fromUtf8("PRIMĂRIA COMUNEI BĂRBĂTEȘTI"));
    s.add("[PRIMAR]", "POPA MARIN");
    s.add("[COMUNA]", kVillage);
    s.add("[CUI]", "2541370");
    s.add("[CNP]", legal ? "RO14399840" : "2850312384519");
    s.add("[DL]", legal ? "persoana juridica" : "doamna");
    s.add("[NUMEP]", legal ? "SC VALEA VERDE SRL" : kName);
    s.add("[ADRESA]", kAddress);
    s.add("[ROL]", "1234");
    s.add("[CERTNR]", "318");
    s.add("[CERTDATA]", "18.03.2024");
    s.add("[CERENR]", "1102");
    s.add("[CEREDATA]", "14.03.2024");
    s.add("[CITIP]", "C.I.");
    s.add("[CISERIA]", "VX");
    s.add("[CINR]", "512347");
    s.add("[UTILIZATOR]", "GHEORGHE ANA");
    s.add("[SUPPOZ]", QString::fromUtf8("satul Bărbătești, comuna Bărbătești"));
    s.add("[SERVESTE]", "succesiune");
    s.add("[TAXA]", "2");
    s.add("[CHITNR]", "AB 4471");
    s.add("[CHITDATA]", "18.03.2024");
    s.add("[SUP]", QString::fromUtf8("Cladire rezidentiala cu destinatia cladire de locuit, din anul 1985, "
                                     "beton, caramida arsa, avand suprafata construita desfasurata de 96 mp "
                                     "si valoarea impozabila de 152345.00 lei situata in Ștefan cel Mare 12"));
    s.add("[CAP2B]", "teren curti cu constructii zona A rang IV, cu suprafata de 1200.00 mp");
    s.add("[CAP2B]", "Autoturism marca DACIA LOGAN combustibil benzina anul fab. 2012 capacitate 1390 cmc");
    s.add("[CAP2B]", "Autoutilitara marca FORD TRANSIT combustibil motorina capacitate 2198 cmc");
    s.add("[NEINMATRICULATE]", " nu detine;");
    for (int n = 1; n <= 15; ++n) {
        const bool used = n <= 4;
        const QString k = QString::number(n);
        s.add(".DEN" + k + ".", used ? kGroups[n - 1] : "-");
        s.add(".C" + k + ".", used ? QString::number(100 * n + 11) : "-");
        s.add(".R" + k + ".", used ? QString::number(20 * n) : "-");
        s.add(".M" + k + ".", used ? QString::number(3 * n) : "-");
        s.add(".T" + k + ".", used ? QString::number(123 * n + 11) : "-");
    }
    s.add("[TOTAL]", "1274");
}

void fillDeclaratie(Sampler& s, bool legal, int record)
{
    s.add("[ANUL]", "2024");
    s.add("[COMUNA]", QString::fromUtf8("COMUNA BĂRBĂTEȘTI"));
    s.add("[CUI]", "2541370");
    s.add("[ADRESAP]", kVillage);
    s.add("[DATA]", "05.02.2024");
    s.add("[NRACT]", QString::number(17 + record));
    s.add("[NUMEP]", legal ? "SC VALEA VERDE SRL" : (record ? "MARINESCU ION" : kName));
    s.add("[CNP]", legal ? "RO14399840" : (record ? "1791105384522" : "1850312384512"));
    s.add("[JUDET]", QString::fromUtf8("VÂLCEA"));
    s.add("[SATUL]", record ? "GRIGORESTI" : kVillage);
    s.add("[ROL]", QString::number(1234 + record));
    s.add("[ADRESA]", record ? "str. Morii 4" : kAddress);
    s.add("[CONTABIL]", "STANCU ELENA");
    s.add("[SCUT]", record ? "50" : "0");
    const QStringList labels = {QString("Impozit pe cladiri - rata I"), QString("Impozit pe cladiri - rata II"),
                                "Impozit pe teren intravilan", "Impozit pe mijloace de transport - rata I",
                                "Impozit pe mijloace de transport - rata II", "Salubritate"};
    for (int n = 1; n <= 50; ++n) {
        const bool used = n <= labels.size();
        const QString k = QString::number(n);
        s.add("[CAT" + k + "]", used ? labels[n - 1] : "-");
        s.add("[S" + k + "]", used ? QString::number(76 * n + record) : "-");
        s.add("[T" + k + "]", used ? (n % 2 ? "31.03.2024" : "30.09.2024") : "-");
        s.add("[C" + k + "]", used ? QString("21A0702%1").arg(n, 2, 10, QChar('0')) : "-");
    }
    s.add("[TOT]", QString::number(1596 + record));
}

void fillPvAuto(Sampler& s, bool entry)
{
    s.add("[UAT]", QString::fromUtf8("PRIMĂRIA COMUNEI BĂRBĂTEȘTI"));
    s.add("[CUI]", "2541370");
    s.add("[JUDET]", QString::fromUtf8("VÂLCEA"));
    s.add("[LOCALITATEA]", kVillage);
    s.add("[NR]", entry ? "57" : "12");
    s.add("[DATA]", entry ? "04.03.2024" : "11.03.2024");
    s.add("[NUMEP]", kName);
    s.add("[SATUL]", kVillage);
    s.add("[CNP]", "1850312384512");
    s.add("[ROL]", "1234");
    s.add("[ADRESA]", kAddress);
    s.add("[MARCA]", "DACIA LOGAN");
    s.add("[COMBUS]", "BENZINA");
    s.add("[SERIE]", "UU1LSDAAH12345678");
    s.add("[SERIEM]", "K7JA710UC12345");
    s.add("[ANULF]", "2012");
    s.add("[CAPACIT]", "1390");
    s.add("[TONAJ]", "1.5");
    s.add("[NRDOS]", "3391");
    s.add("[DATADOB]", "20.02.2024");
    if (entry) {
        s.add("[ACTD]", "contract de vanzare-cumparare");
        s.add("[NRACTD]", "118");
    } else {
        s.add("[DATAINSTR]", "01.03.2024");
        s.add("[ACTV]", "contract de vanzare-cumparare");
        s.add("[NRACTV]", "204");
        s.add("[CERTRAD]", "7718");
        s.add("[CERTRADD]", "05.03.2024");
        s.add("[NUMENOU]", "VASILE DORIN");
        s.add("[JUDNOU]", "ARGES");
        s.add("[LOCNOU]", "PITESTI");
        s.add("[ADRNOU]", "Bd. Republicii 9");
    }
}

void fillChitanta(Sampler& s)
{
    s.add("[JudC1]", QString::fromUtf8("Judetul VÂLCEA"));
    s.add("[LocC1]", QString::fromUtf8("PRIMĂRIA COMUNEI BĂRBĂTEȘTI"));
    s.add("[CUIC1]", "Cod inregistrare fiscala (C.U.I.):2541370");
    s.add("[LocCL1]", kVillage);
    s.add("[SeriaC1]", "BRB");
    s.add("[NrC1]", "004512");
    s.add("[TipF1]", "PF");
    s.add("[ROLC1]", "1234");
    s.add("[CNPC1]", "1850312384512");
    s.add("[CUI1]", " - ");
    s.add("[NumeT1]", kName);
    s.add("[AdresaT1]", kAddress);
    s.add("[Platitor1]", "IONESCU MARIA");
    const QStringList lines = {QString("Impozit pe cladiri - persoane fizice"), "Salubritate - taxa speciala",
                               "Amenzi - circulatie"};
    for (int n = 1; n <= 8; ++n) {
        const bool used = n <= lines.size();
        const QString k = QString::number(n);
        s.add("[I1" + k + "]", used ? lines[n - 1] : " - ");
        s.add("[C1" + k + "]", used ? QString("07020%1").arg(n) : " - ");
        s.add("[Cur1" + k + "]", used ? QString::number(100 + n) : " - ");
        s.add("[Res1" + k + "]", used ? QString::number(20 + n) : " - ");
        s.add("[Dob1" + k + "]", used ? QString::number(n) : " - ");
        s.add("[Bon1" + k + "]", used ? (n == 1 ? "10" : "0") : " - ");
        s.add("[Tot1" + k + "]", used ? QString::number(121 + 2 * n - (n == 1 ? 10 : 0)) : " - ");
    }
    s.add("[TCur1]", "306");
    s.add("[TRes1]", "66");
    s.add("[TDob1]", "6");
    s.add("[TBon1]", "10");
    s.add("[TTot1]", "368");
    s.add("[DataInc1]", "18.03.2024");
    s.add("[Leg1]", "L-07");
    s.add("[IncA1]", "DUMITRU IOANA");
}

void fillOne(const QString& resource, Sampler& s, int record)
{
    const QString r = resource.toUpper();
    if (r == "TITLU")
        fillTitlu(s, false);
    else if (r == "POPANGAJ" || r == "POPBANCA")
        fillTitlu(s, true);
    else if (r == "CFISCAL" || r == "CFISCALPJ")
        fillCertificat(s, r == "CFISCALPJ");
    else if (r == "DECLIMPPF" || r == "DECLIMPPJ")
        fillDeclaratie(s, r == "DECLIMPPJ", record);
    else if (r == "PVAUTOIN" || r == "PVAUTOOUT")
        fillPvAuto(s, r == "PVAUTOIN");
    else if (r == "CHITANTA")
        fillChitanta(s);
    else if (r == "SISTARE" || r == "ANGAJAMENT" || r == "AVIZ") {
        s.add(r == "AVIZ" ? "[UAT]" : "[PRIMARIA]", QString::fromUtf8("PRIMĂRIA COMUNEI BĂRBĂTEȘTI"));
        s.add("[CUI]", "2541370");
        taxpayer(s);
        s.add("[JUDET]", QString::fromUtf8("VÂLCEA"));
        s.add("[COMUNA]", kVillage);
        s.add("[SAT]", "GRIGORESTI");
        if (r != "AVIZ")
            s.add("[AZI]", "18.03.2024");
        if (r == "SISTARE") {
            s.add("[CONTABIL]", "STANCU ELENA");
            s.add("[INTOCMIT]", "GHEORGHE ANA");
        }
        if (r == "ANGAJAMENT")
            s.add("[TOTAL]", "1670");
    } else if (r == "CONFIRMARED") {
        s.add("[JUDET]", QString::fromUtf8("VÂLCEA"));
        s.add("[LOCALITATEA]", kVillage);
        s.add("[CF]", "2541370");
        s.add("[NRCONF]", "27");
        s.add("[DATACONF]", "19.03.2024");
        s.add("[BORDNR]", "311");
        s.add("[BORDATA]", "11.03.2024");
        s.add("[CODCL]", "350102");
        s.add("[NUMEDEST]", QString::fromUtf8("Inspectoratul de Poliție Județean Vâlcea"));
        s.add("[ADRDEST]", "Str. General Praporgescu nr. 22");
        s.add("[ROL]", "1234");
        s.add("[NUMEP]", kName);
        s.add("[ADRESA]", kAddress);
        s.add("[LOCDEST]", QString::fromUtf8("Râmnicu Vâlcea"));
        s.add("[SUMA]", "1450");
        s.add("[SUMATEXT]", "una mie patru sute cincizeci lei");
        s.add("[ADRNR]", "88712");
        s.add("[ADRDATA]", "08.03.2024");
        s.add("[NATCL]", "Amenzi circulatie");
        s.add("[SATUL]", kVillage);
    } else {
        FAIL() << "no sample values for " << resource.toStdString();
    }
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(Templates, EveryRowHasItsEmbeddedTemplate)
{
    int rtf = 0;
    for (const TemplateInfo& t : TemplateCatalog()) {
        if (t.resource.isEmpty())
            continue;
        SCOPED_TRACE(t.resource.toStdString());
        const QByteArray bytes = EmbeddedTemplate(t.resource, t.type);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_EQ(EmbeddedTemplate(t.resource.toLower(), t.type.toLower()), bytes) << "names without regard to case";
        if (t.kind == TemplateKind::Rtf) {
            ++rtf;
            EXPECT_TRUE(bytes.startsWith("{\\rtf1"));
        }
    }
    // Every RTF template the documents need: Chitanta, CFiscal4, CFiscalPJ, Titlu, Sistare, Angajament,
    // ConfirmareD, DeclImpPF, DeclImpPJ, PVAutoIn, PVAutoOut, Aviz, PopAngaj2, PopBanca2.
    EXPECT_GE(rtf, 14);
    EXPECT_TRUE(EmbeddedTemplate("NoSuchTemplate", "MODEL").isEmpty());
    EXPECT_TRUE(EmbeddedTemplate("Titlu", "XLS").isEmpty());
}

TEST(Templates, HoldEveryPlaceholderWhereTheEngineFillsIt)
{
    for (const TemplateInfo& t : TemplateCatalog()) {
        if (t.resource.isEmpty() || t.kind != TemplateKind::Rtf)
            continue;
        SCOPED_TRACE(t.resource.toStdString());
        const QByteArray bytes = EmbeddedTemplate(t.resource, t.type);
        ASSERT_FALSE(t.keys.isEmpty());
        // Where filling starts: the body at the first "\pard", or the first line with "JUDE".
        const QByteArray start = t.mode == FillMode::WholeTemplate ? "JUDE" : "\\pard";
        const qsizetype startAt = bytes.indexOf(start);
        ASSERT_GE(startAt, 0);
        const qsizetype filledFrom = bytes.lastIndexOf('\n', startAt) + 1;
        for (const QString& key : t.keys) {
            // Spelled exactly so: the spelling decides whether the value prints in capitals.
            const qsizetype at = bytes.indexOf(key.toLatin1());
            EXPECT_GE(at, 0) << key.toStdString() << " missing";
            EXPECT_GE(at, filledFrom) << key.toStdString() << " stands where it is never filled";
            // A key broken over two lines is never found by the engine.
            const qsizetype lineEnd = bytes.indexOf('\n', at);
            EXPECT_TRUE(lineEnd < 0 || lineEnd > at + key.size()) << key.toStdString();
        }
        // Nothing that looks like a placeholder is left out of the list (it would print as it stands).
        for (const QString& found : placeholdersIn(bytes))
            EXPECT_TRUE(t.keys.contains(found, Qt::CaseInsensitive)) << found.toStdString() << " is not filled";
    }
}

TEST(Templates, FilledAndConvertedToPdfShowEveryValue)
{
    if (QStandardPaths::findExecutable("soffice").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "soffice or pdftotext not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<Filled> docs;
    QStringList rtfs;
    for (const TemplateInfo& t : TemplateCatalog()) {
        if (t.resource.isEmpty() || t.kind != TemplateKind::Rtf)
            continue;
        SCOPED_TRACE(t.resource.toStdString());
        Filled filled{&t, dir.filePath(t.resource + ".rtf"), {}};
        const QString model = dir.filePath("Model" + t.resource + ".rtf");
        ASSERT_TRUE(ExtractTemplate(t.resource, t.type, model));
        TRTFReplace rtf;
        rtf.setRTFSursa(model);
        rtf.setRTFDest(filled.rtf);
        ASSERT_TRUE(rtf.BeginDocument());
        Sampler s(rtf, filled);
        if (t.mode == FillMode::WholeTemplate) {
            fillOne(t.resource, s, 0);
            ASSERT_TRUE(rtf.ReplaceFromMarker("JUDE"));
        } else {
            // The tax declarations hold one statement per taxpayer: two records, a page apart.
            const int records = t.resource.startsWith("DeclImp") ? 2 : 1;
            for (int r = 0; r < records; ++r) {
                if (r)
                    ASSERT_TRUE(rtf.PageBreak());
                fillOne(t.resource, s, r);
                ASSERT_TRUE(rtf.WriteBody());
            }
        }
        ASSERT_TRUE(rtf.EndDocument());
        rtfs << filled.rtf;
        docs.push_back(std::move(filled));
    }
    // One office call for all of them.
    const lirma::office::ConversionResult result = lirma::office::ConvertToPdf(rtfs);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();

    const QString keep = qEnvironmentVariable("LIRMA_KEEP_DOCUMENTS");
    for (size_t i = 0; i < docs.size(); ++i) {
        const Filled& d = docs[i];
        SCOPED_TRACE(d.tpl->resource.toStdString());
        const QString text = flat(pdfText(result.pdfs[int(i)]));
        ASSERT_FALSE(text.isEmpty());
        const QByteArray templ = EmbeddedTemplate(d.tpl->resource, d.tpl->type);
        for (const auto& [key, value] : d.shown) {
            const QString spelled = spelling(templ, key);
            if (spelled.isEmpty())
                continue; // given by the caller for templates an administrator has edited
            // In record mode a placeholder spelled in capitals (longer than 4) prints the value in capitals.
            const bool capitals = d.tpl->mode == FillMode::Record && spelled.size() > 4 && spelled == upperAscii(spelled);
            const QString expected = flat(printed(capitals ? upperAscii(value) : value));
            EXPECT_TRUE(text.contains(expected)) << key.toStdString() << " -> " << expected.toStdString();
        }
        for (const QString& key : d.tpl->keys)
            EXPECT_FALSE(text.contains(key, Qt::CaseInsensitive)) << key.toStdString() << " left in the document";
        static const QRegularExpression bracketed(R"(\[[A-Za-z][A-Za-z0-9]*\])");
        EXPECT_FALSE(text.contains(bracketed)) << text.toStdString();
        if (!keep.isEmpty()) {
            QDir().mkpath(keep);
            QFile::remove(QDir(keep).filePath(d.tpl->resource + ".pdf"));
            QFile::copy(result.pdfs[int(i)], QDir(keep).filePath(d.tpl->resource + ".pdf"));
        }
    }
}

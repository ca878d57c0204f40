// The calculation sheet "Fisa de calcul": its lines for each kind of building, written as the
// rules of the sheet lay them out, with the figures of the worked cases; the file it writes, and
// that file read back by the office program.
#include "assessment/building_sheet.h"

#include "platform/base/files.h"
#include "platform/office/pdf_conversion.h"
#include "platform/ui/scripted_interaction.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace lirma;
using namespace lirma::assessment;
using base::Decimal;

namespace {

Decimal D(const char* text) { return *Decimal::parse(std::string_view(text)); }

const SheetTaxpayer kOwner{"SATU MARE", "125", "POPESCU ION"};
const QStringList kHeader = {"FISA DE CALCUL CLADIRE", "***********************", "", "SATU MARE",
                             "ROL: 125 - POPESCU ION", ""};
const QString kStars = QString(67, '*');

BuildingRow House()
{
    BuildingRow r;
    r.TIPC = "R";
    r.SUPRAFD = 100;
    r.CODMAT = 0;
    r.CUUTIL = "DA";
    r.DESTINATIE = 1;
    r.ZONA = "A";
    r.RANG = 0;
    r.APT8 = "NU";
    r.ANUL = 2004;
    r.DATAEVAL = QDate(2000, 1, 1);
    r.DATAIN = QDate(2015, 3, 1);
    return r;
}

QStringList Body(const BuildingSheet& s) { return s.lines.mid(kHeader.size()); }

} // namespace

TEST(BuildingSheet, ResidentialNaturalPersonWhole)
{
    // 100 m2 concrete house with utilities, zone A rank 0, block, 1974 (50 years: 0.7), indexed 13.8 %:
    // 100 x 1000 x 1.138 x 2.50 x 0.7 = 199150; T = 199150 x 0.1 / 100 = 199.15 -> 199
    BuildingRow r = House();
    r.APT8 = "DA";
    r.ANUL = 1974;
    BuildingTaxSettings s;
    s.rataInf = D("13.8");
    s.indexResidentialFizica = true;
    const BuildingSheet sheet = BuildingTaxSheet(r, PersonType::Fizica, kOwner, s, 2024);
    EXPECT_EQ(sheet.tax.taxLei, 199);
    const QStringList expected = kHeader + QStringList{
        "Tip persoana           : FIZICA",
        "Tip cladire            : REZIDENTIALA",
        "Rata inflatiei         : 13.80 %",
        "Suprafata              : 100.00 mp",
        "Destinatia cladirii    : Cladire",
        "Cod material           : beton...",
        "Cu toate utilitatile   : DA",
        "Situata in Zona        : A",
        "                Rangul    : 0",
        "Anul terminarii constructiei : 1974",
        " ",
        "Coeficient cf.Art.457 alin(2)    = 1000",
        "  corectat cu Rata inflatiei per.2017-2022 = 1138.00",
        "Coeficient cf.Art.457 alin(6)    = 2.60",
        "Fiind bloc cu peste 3 niveluri si 8 apt., coeficientul scade cu 0.10 cf. Art.457 art.(7) = 2.50",
        "Coeficient reducere dupa vechime Art.457 alin.(8)",
        "   - vechime : 50 ani",
        "   - coeficient de reducere = 30%",
        " ",
        " ",
        "Calculul valorii impozabile : Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) * CoefArt457alin6 X "
        "(1-CoefVechime/100) =",
        " = 100.00 X 1000 X 1.14 X 2.50 X 0.70 = 199150.00 lei",
        " ",
        "Cota stabilita prin H.C.L.       = 0.10 %",
        "IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL = 199150.00 X 0.10 / 100 = 199.15 lei",
        " ",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 199.00 lei",
        kStars};
    EXPECT_EQ(sheet.lines, expected);
}

TEST(BuildingSheet, ResidentialNaturalPersonPlainAndUnknownYear)
{
    // Not indexed, not in a block, year 0: no inflation lines, one coefficient line, " ????".
    BuildingRow r = House();
    r.ANUL = 0;
    const QStringList body = Body(BuildingTaxSheet(r, PersonType::Fizica, kOwner, {}, 2024));
    EXPECT_FALSE(body.join('\n').contains("Rata inflatiei"));
    EXPECT_FALSE(body.join('\n').contains("corectat cu"));
    EXPECT_TRUE(body.contains("Anul terminarii constructiei : 0 ????"));
    EXPECT_TRUE(body.contains("Coeficient cf.Art.457 alin(6)    = 2.60"));
    EXPECT_TRUE(body.contains("   - coeficient de reducere = 0%"));
    EXPECT_TRUE(body.contains(" = 100.00 X 1000 X 1.00 X 2.60 X 1.00 = 260000.00 lei"));
    EXPECT_EQ(body.at(body.size() - 2), "IMPOZIT FINAL (stabilit prin rotunjire) = 260.00 lei");
}

TEST(BuildingSheet, NonResidentialNaturalPersonExpired)
{
    // Valued 2010, indexed: I = 33.2359; expired -> 2 % of 100 x 1000 x 1.332359 x 2.60 = 346413.34;
    // T = 6928.2668 -> 6928
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = 100000;
    r.DATAEVAL = QDate(2010, 7, 1);
    r.APT8 = "NU";
    BuildingTaxSettings s;
    s.indexNonResidentialFizica = true;
    const BuildingSheet sheet = BuildingTaxSheet(r, PersonType::Fizica, kOwner, s, 2024);
    const QStringList expected = QStringList{
        "Tip persoana           : FIZICA",
        "Tip cladire            : NEREZIDENTIALA",
        "Data evaluarii     = 01.07.2010",
        "Rata inflatiei     = 4.6% + 3.8% + 2.6% + 5.1% + 13.8% = 33.2359%",
        "Valoare evaluata   = 100000.00 lei",
        " corectie cu Rata inflatiei = 133235.90 lei",
        "Cota stabilita prin H.C.L. = 0.40 %",
        "Cladire neevaluata in ultimii 5 ani.",
        "  - Cota devine cf.Art.458 alin(4) = 2%",
        "    si Valoarea impozabila se calculeaza cf.Art.457 :",
        "Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) X CoefArt457alin6 X (1-CoefVechime/100) =",
        " = 100.00 X 1000 X 1.33 X 2.60 X 1.00 = 346413.34 lei",
        " ",
        "Calculul impozitului : ValoareImpozabila X Cota% =",
        " = 346413.34 X 2.00 / 100 = 6928.27 lei",
        " ",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 6928.00 lei",
        kStars};
    EXPECT_EQ(Body(sheet), expected);
}

TEST(BuildingSheet, NonResidentialNaturalPersonValued)
{
    // Valued 2022, not indexed, agricultural, block: 300000 x 0.4 / 100 = 1200; no rate text.
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = 300000;
    r.DATAEVAL = QDate(2022, 5, 10);
    r.ACTAGR = "DA";
    r.APT8 = "DA";
    BuildingTaxSettings s;
    s.cotaCNPF = 1;
    const QStringList body = Body(BuildingTaxSheet(r, PersonType::Fizica, kOwner, s, 2024));
    const QStringList expected = {"Tip persoana           : FIZICA",
                                  "Tip cladire            : NEREZIDENTIALA",
                                  "Data evaluarii     = 10.05.2022",
                                  "Rata inflatiei     = ",
                                  "Valoare evaluata   = 300000.00 lei",
                                  " corectie cu Rata inflatiei = 300000.00 lei",
                                  "Cota stabilita prin H.C.L. = 1.00 %",
                                  "Cladire evaluata in ultimii 5 ani.",
                                  "Se desfasoara activitati agricole :",
                                  "  - Cota devine cf.Art.458 alin(3) = 0.4%",
                                  " ",
                                  "Calculul impozitului : ValoareImpozabila X Cota% =",
                                  " = 300000.00 X 0.40 / 100 = 1200.00 lei",
                                  " ",
                                  "IMPOZIT FINAL (stabilit prin rotunjire) = 1200.00 lei",
                                  kStars};
    EXPECT_EQ(body, expected);
}

TEST(BuildingSheet, NonResidentialExpiredInBlockSaysSo)
{
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = 1;
    r.DATAEVAL = QDate(2010, 1, 1);
    r.APT8 = "DA";
    const QStringList body = Body(BuildingTaxSheet(r, PersonType::Fizica, kOwner, {}, 2024));
    EXPECT_TRUE(body.contains("(este bloc cu peste 3 niveluri si 8 apt.: cf.Art.457(7), CoefArt457alin6 scade cu 0.10)"));
    EXPECT_TRUE(body.contains(" = 100.00 X 1000 X 1.00 X 2.50 X 1.00 = 250000.00 lei"));
}

TEST(BuildingSheet, NonResidentialLegalPersonWithIncrease)
{
    // Indexed, valued 2023: 1000000 x 1.138 = 1138000; x 0.4 / 100 = 4552; x 1.125 = 5121.
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = 1000000;
    r.DATAEVAL = QDate(2023, 5, 5);
    BuildingTaxSettings s;
    s.indexJuridica = true;
    s.majHCL = D("12.5");
    const QStringList body = Body(BuildingTaxSheet(r, PersonType::Juridica, kOwner, s, 2024));
    const QStringList expected = {"Majorare conf.H.C.L.   : 12.50 %",
                                  "Tip persoana           : JURIDICA",
                                  "Tip cladire            : NEREZIDENTIALA",
                                  "Data evaluarii         = 05.05.2023",
                                  "Rata inflatiei         : 13.8% = 13.8%",
                                  "Valoare evaluata   = 1000000.00 lei",
                                  " corectata cu Rata inflatiei  = 1138000.00 lei",
                                  "Cota stabilita prin H.C.L. = 0.40 %",
                                  "Cladire evaluata in ultimii 5 ani.",
                                  " ",
                                  "Calculul impozitului : ValoareImpozabila X Cota% =",
                                  " = 1138000.00 X 0.40 / 100 = 4552.00 lei",
                                  " ",
                                  "Se aplica Majorare cf.H.C.L. 12.50 %",
                                  "IMPOZIT : Impozit Calculat X 1.13 = 5121.00 lei",
                                  "IMPOZIT FINAL (stabilit prin rotunjire) = 5121.00 lei",
                                  kStars};
    EXPECT_EQ(body, expected);
}

TEST(BuildingSheet, NonResidentialLegalPersonExpiredEnteredThisYear)
{
    // Expired (3-year valuations, 31.12.2020), agricultural (no effect once expired), entered 2024:
    // 200000 x 5 / 100 = 10000 computed, then 0; the increase is not shown.
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = 200000;
    r.DATAEVAL = QDate(2020, 12, 31);
    r.ACTAGR = "DA";
    r.DATAIN = QDate(2024, 4, 2);
    BuildingTaxSettings s;
    s.evalPJAni = 3;
    s.majHCL = 10;
    const BuildingSheet sheet = BuildingTaxSheet(r, PersonType::Juridica, kOwner, s, 2024);
    EXPECT_EQ(sheet.tax.taxLei, 0);
    const QStringList body = Body(sheet);
    const QStringList expectedTail = {"Cladire neevaluata in ultimii 3 ani.",
                                      "  - Cota devine cf.Art.460 alin(8) = 5%",
                                      " ",
                                      "Calculul impozitului : ValoareImpozabila X Cota% =",
                                      " = 200000.00 X 5.00 / 100 = 10000.00 lei",
                                      " ",
                                      " ",
                                      "CONSTRUCTIA ESTE DOBANDITA IN ANUL CURENT.",
                                      "Valoare Impozit = 0",
                                      kStars};
    EXPECT_EQ(body.mid(body.size() - expectedTail.size()), expectedTail);
    EXPECT_EQ(body.first(), "Majorare conf.H.C.L.   : 10.00 %");
    EXPECT_EQ(body.at(4), "Rata inflatiei         : ") << "indexing off: no rate text";
}

TEST(BuildingSheet, ResidentialLegalPersonExpired)
{
    // 31.12.2018 + 5 years = 31.12.2023 < 01.01.2024: 5 %; indexed 13.8: 500000 x 1.138 = 569000;
    // 569000 x 5 / 100 = 28450
    BuildingRow r;
    r.TIPC = "R";
    r.VALOAREJR = 500000;
    r.DATAEVAL = QDate(2018, 12, 31);
    r.ANUL = 1500;
    r.DATAIN = QDate(2010, 1, 1);
    BuildingTaxSettings s;
    s.rataInf = D("13.8");
    s.indexJuridica = true;
    const QStringList body = Body(BuildingTaxSheet(r, PersonType::Juridica, kOwner, s, 2024));
    const QStringList expected = {"Tip persoana           : JURIDICA",
                                  "Tip cladire            : REZIDENTIALA",
                                  "Valoare evaluata   = 500000.00 lei",
                                  "Rata inflatiei         : 13.80 %",
                                  "Valoare evaluata corectata cu Rata inflatiei  = 569000.00 lei",
                                  "Cota stabilita prin H.C.L. = 0.10 %",
                                  "Data evaluarii           = 31.12.2018",
                                  "Data expirarii evaluarii = 31.12.2023",
                                  " - Evaluare expirata! Cota devine 5%  cf. Art.460 Alin.(8)",
                                  " ",
                                  "Calculul impozitului : ValoareEvaluata X Cota =",
                                  " = 569000.00 X 5.00 / 100 = 28450.00 lei",
                                  " ",
                                  "IMPOZIT FINAL (stabilit prin rotunjire) = 28450.00 lei",
                                  kStars};
    EXPECT_EQ(body, expected);
}

TEST(BuildingSheet, EnteredThisYearOrLaterEndsTheSameWay)
{
    for (const QDate& in : {QDate(2024, 7, 1), QDate(2025, 1, 10)}) {
        BuildingRow r = House();
        r.DATAIN = in;
        const QStringList body = Body(BuildingTaxSheet(r, PersonType::Fizica, kOwner, {}, 2024));
        const QStringList tail = {" ", "CONSTRUCTIA ESTE DOBANDITA IN ANUL CURENT.", "Valoare Impozit = 0", kStars};
        EXPECT_EQ(body.mid(body.size() - 4), tail);
        // The computation is still shown.
        EXPECT_TRUE(body.contains("IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL = 260000.00 X 0.10 / 100 = 260.00 lei"));
        EXPECT_FALSE(body.join('\n').contains("IMPOZIT FINAL"));
    }
}

TEST(BuildingSheet, WrittenToAWorkFileAndOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const base::Folders folders = base::Folders::ForProgram(dir.path());
    ASSERT_TRUE(folders.createMissing());
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scope(ui);

    BuildingRow r = House();
    const QString path = ShowBuildingSheet(r, PersonType::Fizica, kOwner, {}, folders, 2024);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(QFileInfo(path).fileName(), "FisCCladiri0.txt");
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folders.temp).absoluteFilePath());
    const auto opened = ui.recordsOf(ui::ScriptedInteraction::What::Document);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front().path, path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    EXPECT_EQ(lines.first(), "FISA DE CALCUL CLADIRE");
    EXPECT_TRUE(lines.contains("IMPOZIT FINAL (stabilit prin rotunjire) = 260.00 lei"));
}

TEST(BuildingSheet, UnwritableFolderIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    base::Folders folders = base::Folders::ForProgram(dir.path());
    folders.temp = dir.filePath("missing/deeper"); // does not exist
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scope(ui);
    EXPECT_TRUE(ShowBuildingSheet(House(), PersonType::Fizica, kOwner, {}, folders, 2024).isEmpty());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages().front().title, "Fisa de calcul");
    EXPECT_TRUE(ui.recordsOf(ui::ScriptedInteraction::What::Document).empty());
}

TEST(BuildingSheet, OpenFailureIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const base::Folders folders = base::Folders::ForProgram(dir.path());
    ASSERT_TRUE(folders.createMissing());
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scope(ui);
    ui.setOpenDocumentResult(false);
    const QString path = ShowBuildingSheet(House(), PersonType::Fizica, kOwner, {}, folders, 2024);
    EXPECT_TRUE(QFileInfo(path).isFile());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(ui.messages().front().text.contains(path));
}

TEST(BuildingSheet, ReadBackThroughTheOfficeProgram)
{
    if (QStandardPaths::findExecutable(office::OfficeProgram()).isEmpty() &&
        !QFileInfo(office::OfficeProgram()).isExecutable())
        GTEST_SKIP() << "no office program";
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "no pdftotext";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const base::Folders folders = base::Folders::ForProgram(dir.path());
    ASSERT_TRUE(folders.createMissing());

    // The worked case "PF non-residential indexed 2022": 100000 x 1.196038 = 119603.80; T = 478.
    BuildingRow r = House();
    r.TIPC = "N";
    r.VALOAREN = 100000;
    r.DATAEVAL = QDate(2022, 3, 1);
    BuildingTaxSettings s;
    s.indexNonResidentialFizica = true;
    QString error;
    const QString path =
        WriteBuildingSheet(BuildingTaxSheet(r, PersonType::Fizica, kOwner, s, 2024).lines, folders, &error);
    ASSERT_FALSE(path.isEmpty()) << error.toStdString();

    const office::ConversionResult pdf = office::ConvertToPdf({path});
    ASSERT_TRUE(pdf.ok()) << pdf.error.toStdString();
    QProcess p;
    p.start("pdftotext", {"-layout", pdf.pdfs.first(), "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains("FISA DE CALCUL CLADIRE"));
    EXPECT_TRUE(text.contains("ROL: 125 - POPESCU ION"));
    EXPECT_TRUE(text.contains("5.1% + 13.8% = 19.6038%"));
    EXPECT_TRUE(text.contains("corectie cu Rata inflatiei = 119603.80 lei"));
    EXPECT_TRUE(text.contains("= 119603.80 X 0.40 / 100 = 478.42 lei"));
    EXPECT_TRUE(text.contains("IMPOZIT FINAL (stabilit prin rotunjire) = 478.00 lei"));
}

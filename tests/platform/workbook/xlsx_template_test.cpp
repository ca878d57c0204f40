// The template layer: row and column operations on a small list template, what follows them (formulas,
// merged ranges, page breaks, print areas, widths), several sheets, sorting, and the file written back.
// Every output is re-read by LibreOffice (one call for all of them) and must show the expected values.
#include "platform/workbook/xlsx_template.h"
#include "platform/workbook/xlsx_writer.h"
#include "platform/workbook/zip_package.h"

#include "support/libreoffice.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lirma::workbook;
using lirma::test::CsvTable;
using lirma::test::LibreOffice;

namespace {

// A list template: title, headers in row 5, data row 6, total row 7, a footer in row 9 with a page break
// before it; the print area covers A1:F9.
//   A: %NRCRT  B: #NUMEP  C: #SUMA  D: #DATA  E: =C6*2  G: #DBF
//   total: C7 = SUM(C5:C6) (the header row keeps it valid when the data row goes), E7 = SUM(E6:E6)
void makeListTemplate(const QString& path)
{
    XlsxWriter w(path);
    w.addSheet(QStringLiteral("Lista"));
    CellStyle plain;
    CellStyle box = plain.withBorders(BorderAll);
    CellStyle head = box.withBold().withAlign(CellStyle::Align::Center);
    w.setColumnWidth(1, 6);
    w.setColumnWidth(2, 30);
    w.setColumnWidth(3, 11);
    w.setColumnWidth(4, 12);
    w.merge({1, 1, 1, 4}, QStringLiteral("[UAT]"), plain.withBold());
    w.merge({3, 1, 3, 6}, QStringLiteral("LISTA DE TEST"), plain.withBold().withSize(14).withAlign(CellStyle::Align::Center));
    const char* heads[] = {"Nr.crt", "Nume", "Suma", "Data", "Dublu", "Obs"};
    for (int c = 1; c <= 6; ++c)
        w.writeText(5, c, QString::fromLatin1(heads[c - 1]), head);
    w.writeText(6, 1, QStringLiteral("%NRCRT"), box);
    w.writeText(6, 2, QStringLiteral("#NUMEP"), box);
    w.writeText(6, 3, QStringLiteral("#SUMA"), box.withFormat(QStringLiteral("0")));
    w.writeText(6, 4, QStringLiteral("#DATA"), box.withFormat(QStringLiteral("dd.mm.yyyy")));
    w.writeFormula(6, 5, QStringLiteral("C6*2"), 0, box);
    w.writeBlank(6, 6, box);
    w.writeText(6, 7, QStringLiteral("#DBF"));
    w.writeText(7, 2, QStringLiteral("TOTAL"), box.withBold());
    w.writeFormula(7, 3, QStringLiteral("SUM(C5:C6)"), 0, box.withBold());
    w.writeFormula(7, 5, QStringLiteral("SUM(E6:E6)"), 0, box.withBold());
    w.merge({9, 2, 9, 3}, QStringLiteral("Intocmit,"), plain);
    w.pageBreakBefore(9);
    w.setPrintArea({1, 1, 9, 6});
    ASSERT_TRUE(w.close()) << w.error().toStdString();
}

void fillRow(Sheet& s, int row, int n, const QString& name, int64_t amount)
{
    s.setInteger(row, 1, n);
    s.setText(row, 2, name);
    s.setInteger(row, 3, amount);
    s.setInteger(row, 4, 45292 + n); // 01.01.2024 + n days
}

struct Output {
    QString name;
    QString path;
    // Checks on what LibreOffice shows, per sheet.
    std::function<void(const lirma::test::SheetTables&)> check;
};

} // namespace

class XlsxTemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        templ_ = dir_.filePath(QStringLiteral("Lista.xlsx"));
        makeListTemplate(templ_);
    }
    QString out(const QString& name) const { return dir_.filePath(name + QStringLiteral(".xlsx")); }

    QTemporaryDir dir_;
    QString templ_;
};

TEST_F(XlsxTemplateTest, OperationsFollowedByFormulasMergesBreaksAndPrintArea)
{
    std::vector<Output> outputs;

    // 1. Three copies of the data row: the totals grow over the filled rows.
    {
        Workbook wb;
        ASSERT_TRUE(wb.open(templ_)) << wb.error().toStdString();
        Sheet& s = wb.sheet(0);
        EXPECT_EQ(s.usedRows(), 9);
        EXPECT_EQ(s.usedColumns(), 7);
        s.insertRowCopies(6, 2);
        fillRow(s, 6, 1, QStringLiteral("POPESCU ION"), 120);
        fillRow(s, 7, 2, QStringLiteral("IONESCU ANA"), 30);
        fillRow(s, 8, 3, QStringLiteral("VASILE GHEORGHE"), 7);
        EXPECT_EQ(s.formula(9, 3), QStringLiteral("SUM(C5:C8)"));
        EXPECT_EQ(s.formula(9, 5), QStringLiteral("SUM(E6:E8)"));
        EXPECT_EQ(s.formula(8, 5), QStringLiteral("C8*2"));
        EXPECT_EQ(s.text(8, 7), QStringLiteral("#DBF"));
        EXPECT_EQ(s.pageBreaks(), std::vector<int>{11});
        auto merges = s.mergedRanges();
        EXPECT_NE(std::find(merges.begin(), merges.end(), Range{11, 2, 11, 3}), merges.end());
        EXPECT_EQ(wb.definedName(QStringLiteral("_xlnm.Print_Area"), 0), QStringLiteral("Lista!$A$1:$F$11"));
        ASSERT_TRUE(wb.save(out(QStringLiteral("copies")))) << wb.error().toStdString();
        outputs.push_back({QStringLiteral("copies"), out(QStringLiteral("copies")), [](const auto& t) {
                               const CsvTable& s = t.at(QStringLiteral("Lista"));
                               EXPECT_EQ(s.cell(1, 1), QStringLiteral("[UAT]"));
                               EXPECT_EQ(s.cell(7, 2), QStringLiteral("IONESCU ANA"));
                               EXPECT_EQ(s.cell(7, 4), QStringLiteral("03.01.2024"));
                               EXPECT_EQ(s.cell(8, 5), QStringLiteral("14"));
                               EXPECT_EQ(s.cell(9, 2), QStringLiteral("TOTAL"));
                               EXPECT_EQ(s.cell(9, 3), QStringLiteral("157"));
                               EXPECT_EQ(s.cell(9, 5), QStringLiteral("314"));
                               EXPECT_EQ(s.cell(11, 2), QStringLiteral("Intocmit,"));
                           }});
    }
    // 2. The data row deleted (no record): the total over header and data row stays valid.
    {
        Workbook wb;
        ASSERT_TRUE(wb.open(templ_));
        Sheet& s = wb.sheet(0);
        s.deleteRows(6, 6);
        EXPECT_EQ(s.formula(6, 3), QStringLiteral("SUM(C5:C5)"));
        EXPECT_EQ(s.formula(6, 5), QStringLiteral("SUM(#REF!)"));
        EXPECT_EQ(s.pageBreaks(), std::vector<int>{8});
        EXPECT_EQ(wb.definedName(QStringLiteral("_xlnm.Print_Area"), 0), QStringLiteral("Lista!$A$1:$F$8"));
        ASSERT_TRUE(wb.save(out(QStringLiteral("nodata"))));
        outputs.push_back({QStringLiteral("nodata"), out(QStringLiteral("nodata")), [](const auto& t) {
                               const CsvTable& s = t.at(QStringLiteral("Lista"));
                               EXPECT_EQ(s.cell(6, 2), QStringLiteral("TOTAL"));
                               EXPECT_EQ(s.cell(6, 3), QStringLiteral("0"));
                               EXPECT_EQ(s.cell(8, 2), QStringLiteral("Intocmit,"));
                               EXPECT_EQ(s.markers(), QStringList{QStringLiteral("[UAT]")});
                           }});
    }
    // 3. A block of rows copied below itself with page breaks between the copies (one page per record).
    {
        Workbook wb;
        ASSERT_TRUE(wb.open(templ_));
        Sheet& s = wb.sheet(0);
        int h = s.usedRows();
        s.copyRows(1, h, 2, h + 1);
        s.addPageBreakBefore(h + 1);
        s.addPageBreakBefore(2 * h + 1);
        EXPECT_EQ(s.usedRows(), 3 * h);
        EXPECT_EQ(s.text(h + 6, 2), QStringLiteral("#NUMEP"));
        EXPECT_EQ(s.formula(h + 7, 3), QStringLiteral("SUM(C14:C15)"));
        EXPECT_EQ(s.formula(2 * h + 6, 5), QStringLiteral("C24*2"));
        EXPECT_EQ(s.pageBreaks(), (std::vector<int>{9, 10, 18, 19, 27}));
        auto merges = s.mergedRanges();
        EXPECT_EQ(merges.size(), 9u);
        EXPECT_NE(std::find(merges.begin(), merges.end(), Range{h + 3, 1, h + 3, 6}), merges.end());
        EXPECT_EQ(wb.definedName(QStringLiteral("_xlnm.Print_Area"), 0), QStringLiteral("Lista!$A$1:$F$27"));
        fillRow(s, h + 6, 1, QStringLiteral("AL DOILEA"), 10);
        s.setText(2 * h + 1, 1, QStringLiteral("Pagina 3"));
        ASSERT_TRUE(wb.save(out(QStringLiteral("blocks"))));
        outputs.push_back({QStringLiteral("blocks"), out(QStringLiteral("blocks")), [h](const auto& t) {
                               const CsvTable& s = t.at(QStringLiteral("Lista"));
                               EXPECT_EQ(s.cell(h + 6, 2), QStringLiteral("AL DOILEA"));
                               EXPECT_EQ(s.cell(h + 7, 3), QStringLiteral("10"));
                               EXPECT_EQ(s.cell(h + 7, 5), QStringLiteral("20"));
                               EXPECT_EQ(s.cell(2 * h + 1, 1), QStringLiteral("Pagina 3"));
                               EXPECT_EQ(s.cell(2 * h + 3, 1), QStringLiteral("LISTA DE TEST"));
                           }});
    }
    // 4. Columns: one inserted before "Suma", the "Suma" column copied twice, then "Dublu" deleted.
    {
        Workbook wb;
        ASSERT_TRUE(wb.open(templ_));
        Sheet& s = wb.sheet(0);
        const double sumaWidth = s.columnWidth(3);
        EXPECT_GT(sumaWidth, 10);
        s.insertColumns(3, 1);                 // Suma -> D, Data -> E, Dublu -> F
        EXPECT_EQ(s.formula(6, 6), QStringLiteral("D6*2"));
        EXPECT_EQ(s.formula(7, 4), QStringLiteral("SUM(D5:D6)"));
        EXPECT_DOUBLE_EQ(s.columnWidth(4), sumaWidth);
        EXPECT_EQ(s.columnWidth(3), 0);
        s.copyColumns(4, 4, 2, 5);             // two copies of Suma at E, F; Data -> G, Dublu -> H
        EXPECT_EQ(s.text(5, 5), QStringLiteral("Suma"));
        EXPECT_EQ(s.formula(7, 6), QStringLiteral("SUM(F5:F6)"));
        EXPECT_EQ(s.formula(6, 8), QStringLiteral("D6*2"));
        EXPECT_NEAR(s.columnWidth(6), s.columnWidth(4), 1e-9);
        s.deleteColumns(8, 8);                 // Dublu gone, its total too
        auto merges = s.mergedRanges();
        EXPECT_NE(std::find(merges.begin(), merges.end(), Range{3, 1, 3, 8}), merges.end());
        EXPECT_EQ(wb.definedName(QStringLiteral("_xlnm.Print_Area"), 0), QStringLiteral("Lista!$A$1:$H$9"));
        s.setInteger(6, 4, 5);
        s.setInteger(6, 5, 6);
        s.setInteger(6, 6, 7);
        ASSERT_TRUE(wb.save(out(QStringLiteral("columns"))));
        outputs.push_back({QStringLiteral("columns"), out(QStringLiteral("columns")), [](const auto& t) {
                               const CsvTable& s = t.at(QStringLiteral("Lista"));
                               EXPECT_EQ(s.cell(5, 4), QStringLiteral("Suma"));
                               EXPECT_EQ(s.cell(5, 7), QStringLiteral("Data"));
                               EXPECT_EQ(s.cell(5, 8), QStringLiteral("Obs"));
                               EXPECT_EQ(s.cell(7, 4), QStringLiteral("5"));
                               EXPECT_EQ(s.cell(7, 5), QStringLiteral("6"));
                               EXPECT_EQ(s.cell(7, 6), QStringLiteral("7"));
                           }});
    }
    // 5. Rows sorted by a column; formulas of the moved rows follow them.
    {
        Workbook wb;
        ASSERT_TRUE(wb.open(templ_));
        Sheet& s = wb.sheet(0);
        s.insertRowCopies(6, 2);
        fillRow(s, 6, 1, QStringLiteral("ZAHARIA"), 1);
        fillRow(s, 7, 2, QStringLiteral("ANTON"), 2);
        fillRow(s, 8, 3, QStringLiteral("MIHAI"), 3);
        s.sortRowsByColumn(6, 8, 2);
        EXPECT_EQ(s.text(6, 2), QStringLiteral("ANTON"));
        EXPECT_EQ(s.text(8, 2), QStringLiteral("ZAHARIA"));
        EXPECT_EQ(s.formula(6, 5), QStringLiteral("C6*2"));
        s.sortRowsByColumn(6, 8, 3, true, true);
        EXPECT_EQ(s.text(6, 2), QStringLiteral("MIHAI"));
        ASSERT_TRUE(wb.save(out(QStringLiteral("sorted"))));
        outputs.push_back({QStringLiteral("sorted"), out(QStringLiteral("sorted")), [](const auto& t) {
                               const CsvTable& s = t.at(QStringLiteral("Lista"));
                               EXPECT_EQ(s.cell(6, 2), QStringLiteral("MIHAI"));
                               EXPECT_EQ(s.cell(6, 5), QStringLiteral("6"));
                               EXPECT_EQ(s.cell(8, 2), QStringLiteral("ZAHARIA"));
                               EXPECT_EQ(s.cell(8, 5), QStringLiteral("2"));
                           }});
    }
    // 6. A copy of the sheet, both filled, the copy made active.
    {
        Workbook wb;
        ASSERT_TRUE(wb.open(templ_));
        int copy = wb.copySheet(0, QStringLiteral("Lista de incasat - Ramasite"));
        ASSERT_EQ(copy, 1);
        EXPECT_EQ(wb.copySheet(0, QStringLiteral("lista")), -1);
        EXPECT_EQ(wb.definedName(QStringLiteral("_xlnm.Print_Area"), 1),
                  QStringLiteral("'Lista de incasat - Ramasite'!$A$1:$F$9"));
        wb.sheet(0).setText(6, 2, QStringLiteral("PE PRIMA"));
        wb.sheet(1).setText(6, 2, QStringLiteral("PE A DOUA"));
        wb.sheet(1).insertRowCopies(6, 1);
        wb.sheet(1).setInteger(6, 3, 4);
        wb.sheet(1).setInteger(7, 3, 5);
        EXPECT_EQ(wb.definedName(QStringLiteral("_xlnm.Print_Area"), 0), QStringLiteral("Lista!$A$1:$F$9"));
        wb.setActiveSheet(1);
        EXPECT_EQ(wb.activeSheet(), 1);
        ASSERT_TRUE(wb.save(out(QStringLiteral("sheets"))));
        Workbook again;
        ASSERT_TRUE(again.open(out(QStringLiteral("sheets"))));
        EXPECT_EQ(again.sheetCount(), 2);
        EXPECT_EQ(again.sheet(1).name(), QStringLiteral("Lista de incasat - Ramasite"));
        EXPECT_EQ(again.activeSheet(), 1);
        outputs.push_back({QStringLiteral("sheets"), out(QStringLiteral("sheets")), [](const auto& t) {
                               ASSERT_EQ(t.size(), 2u);
                               EXPECT_EQ(t.at(QStringLiteral("Lista")).cell(6, 2), QStringLiteral("PE PRIMA"));
                               const CsvTable& c = t.at(QStringLiteral("Lista de incasat - Ramasite"));
                               EXPECT_EQ(c.cell(6, 2), QStringLiteral("PE A DOUA"));
                               EXPECT_EQ(c.cell(8, 3), QStringLiteral("9"));
                           }});
    }

    QStringList paths;
    for (const Output& o : outputs)
        paths << o.path;
    auto tables = LibreOffice::instance().toCsv(paths);
    for (size_t i = 0; i < outputs.size(); ++i) {
        SCOPED_TRACE(outputs[i].name.toStdString());
        ASSERT_FALSE(tables[i].empty()) << "LibreOffice could not read " << outputs[i].path.toStdString();
        outputs[i].check(tables[i]);
    }
}

TEST_F(XlsxTemplateTest, UnchangedPartsAreCopiedByteForByteAndTheCalculationChainIsDropped)
{
    // Give the template a calculation chain, as a spreadsheet program would.
    ZipPackage pkg;
    std::string error;
    ASSERT_TRUE(pkg.read(templ_.toStdString(), &error)) << error;
    std::string rels = *pkg.find("xl/_rels/workbook.xml.rels");
    rels.insert(rels.rfind("</Relationships>"),
                "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                "relationships/calcChain\" Target=\"calcChain.xml\"/>");
    pkg.put("xl/_rels/workbook.xml.rels", rels);
    std::string ct = *pkg.find("[Content_Types].xml");
    ct.insert(ct.rfind("</Types>"), "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
                                    "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>");
    pkg.put("[Content_Types].xml", ct);
    pkg.put("xl/calcChain.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<calcChain "
                                "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"C7\" i=\"1\"/></calcChain>");
    QString withChain = dir_.filePath(QStringLiteral("chain.xlsx"));
    ASSERT_TRUE(pkg.write(withChain.toStdString(), &error)) << error;

    Workbook wb;
    ASSERT_TRUE(wb.open(withChain));
    wb.sheet(0).insertRowCopies(6, 1);
    wb.sheet(0).setText(7, 2, QStringLiteral("X"));
    QString saved = out(QStringLiteral("saved"));
    ASSERT_TRUE(wb.save(saved));

    ZipPackage before;
    ZipPackage after;
    ASSERT_TRUE(before.read(withChain.toStdString(), &error));
    ASSERT_TRUE(after.read(saved.toStdString(), &error));
    EXPECT_FALSE(after.contains("xl/calcChain.xml"));
    EXPECT_EQ(after.find("xl/_rels/workbook.xml.rels")->find("calcChain"), std::string::npos);
    EXPECT_EQ(after.find("[Content_Types].xml")->find("calcChain"), std::string::npos);
    EXPECT_NE(after.find("xl/workbook.xml")->find("fullCalcOnLoad=\"1\""), std::string::npos);
    const std::set<std::string> edited = {"xl/worksheets/sheet1.xml", "xl/workbook.xml", "xl/calcChain.xml",
                                          "xl/_rels/workbook.xml.rels", "[Content_Types].xml"};
    int compared = 0;
    for (const auto& part : before.parts()) {
        if (edited.count(part.name))
            continue;
        const std::string* copy = after.find(part.name);
        ASSERT_NE(copy, nullptr) << part.name;
        EXPECT_EQ(*copy, part.data) << part.name;
        ++compared;
    }
    EXPECT_GE(compared, 5); // styles, shared strings, theme, properties, root relationships
    // The sheet keeps its formulas but no stale cached value, so any reader computes them.
    const std::string& sheet = *after.find("xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("<f>SUM(E6:E7)</f>"), std::string::npos);
    EXPECT_EQ(sheet.find("<f>SUM(E6:E7)</f><v>"), std::string::npos);
}

TEST_F(XlsxTemplateTest, ReadsSheetsWrittenByOtherPrograms)
{
    // Shared formulas, prefixed elements, rows and cells without addresses, inline and shared strings.
    ZipPackage pkg;
    std::string error;
    ASSERT_TRUE(pkg.read(templ_.toStdString(), &error));
    const std::string sheet =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<x:dimension ref=\"A1:C4\"/><x:sheetData>"
        "<x:row><x:c t=\"inlineStr\"><x:is><x:t>#dbf </x:t></x:is></x:c><x:c><x:v>2</x:v></x:c>"
        "<x:c><x:f t=\"shared\" ref=\"C1:C3\" si=\"0\">B1*10</x:f><x:v>20</x:v></x:c></x:row>"
        "<x:row r=\"2\"><x:c r=\"B2\"><x:v>3</x:v></x:c><x:c r=\"C2\"><x:f t=\"shared\" si=\"0\"/><x:v>30</x:v></x:c></x:row>"
        "<x:row><x:c r=\"B3\"><x:v>4</x:v></x:c><x:c r=\"C3\"><x:f t=\"shared\" si=\"0\"/><x:v>40</x:v></x:c></x:row>"
        "<x:row r=\"4\"><x:c r=\"A4\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"C4\"><x:f>SUM(C1:C3)</x:f><x:v>90</x:v></x:c></x:row>"
        "</x:sheetData><x:pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
        "</x:worksheet>";
    pkg.put("xl/worksheets/sheet1.xml", sheet);
    QString foreign = dir_.filePath(QStringLiteral("foreign.xlsx"));
    ASSERT_TRUE(pkg.write(foreign.toStdString(), &error));

    Workbook wb;
    ASSERT_TRUE(wb.open(foreign)) << wb.error().toStdString();
    Sheet& s = wb.sheet(0);
    EXPECT_EQ(s.text(1, 1), QStringLiteral("#dbf "));
    EXPECT_EQ(s.formula(2, 3), QStringLiteral("B2*10"));
    EXPECT_EQ(s.formula(3, 3), QStringLiteral("B3*10"));
    EXPECT_FALSE(s.text(4, 1).isEmpty()); // first shared string of the template
    s.insertRows(2, 1);
    s.setInteger(2, 2, 100);
    s.setFormula(2, 3, QStringLiteral("B2*10"));
    EXPECT_EQ(s.formula(5, 3), QStringLiteral("SUM(C1:C4)"));
    QString saved = out(QStringLiteral("foreign-saved"));
    ASSERT_TRUE(wb.save(saved));
    auto t = LibreOffice::instance().toCsv(saved);
    ASSERT_FALSE(t.empty()) << "LibreOffice could not read the file";
    const CsvTable& csv = t.begin()->second;
    EXPECT_EQ(csv.cell(1, 1), QStringLiteral("#dbf "));
    EXPECT_EQ(csv.cell(4, 3), QStringLiteral("40"));
    EXPECT_EQ(csv.cell(5, 3), QStringLiteral("1090"));
}

TEST(XlsxTemplate, OpenReportsMissingAndDamagedFiles)
{
    QTemporaryDir dir;
    Workbook wb;
    EXPECT_FALSE(wb.open(dir.filePath(QStringLiteral("absent.xlsx"))));
    EXPECT_TRUE(wb.error().contains(QStringLiteral("absent.xlsx")));
    QFile bad(dir.filePath(QStringLiteral("bad.xlsx")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a zip file at all");
    bad.close();
    EXPECT_FALSE(wb.open(bad.fileName()));
    EXPECT_FALSE(wb.isOpen());
    EXPECT_FALSE(wb.save(dir.filePath(QStringLiteral("x.xlsx"))));
}

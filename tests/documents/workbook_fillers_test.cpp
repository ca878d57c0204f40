// The two template fillers on a small list template: markers, data rows, zero text, whole-cell versus
// inside-text replacement, blocks with page breaks, output names and the messages of a missing template
// or of no free name. Every produced workbook is re-read by LibreOffice (one call per test).
#include "documents/texportxlsmodel.h"
#include "documents/texpxlsole.h"
#include "documents/workbook_output.h"

#include "platform/base/files.h"
#include "platform/ui/scripted_interaction.h"
#include "platform/workbook/extension.h"
#include "platform/workbook/xlsx_template.h"
#include "platform/workbook/xlsx_writer.h"

#include "support/libreoffice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace lirma;
using namespace lirma::documents;
using lirma::test::CsvTable;
using lirma::test::LibreOffice;
using workbook::CellStyle;
using workbook::CellValue;

namespace {

// Row 1 "[UAT]"; row 2 "Primaria [UAT] judet" (the key inside a text); row 4 headers; row 5 the data row,
// its "#DBF" written in lower case with spaces; row 6 the totals; row 8 a footer.
//   A %NRCRT  B #NUMEP  C #SUMA  D #DINDATA  E #ROL  F =C5*2  G " #dbf "
void makeTemplate(const QString& path)
{
    workbook::XlsxWriter w(path);
    CellStyle box = CellStyle().withBorders(workbook::BorderAll);
    w.writeText(1, 1, QStringLiteral("[UAT]"));
    w.writeText(2, 1, QStringLiteral("Primaria [UAT] judet"));
    const char* heads[] = {"Nr.", "Nume", "Suma", "Data", "Rol", "Dublu"};
    for (int c = 1; c <= 6; ++c)
        w.writeText(4, c, QString::fromLatin1(heads[c - 1]), box.withBold());
    w.writeText(5, 1, QStringLiteral("%NRCRT"), box);
    w.writeText(5, 2, QStringLiteral("#NUMEP"), box);
    w.writeText(5, 3, QStringLiteral("#SUMA"), box.withFormat(QStringLiteral("0")));
    w.writeText(5, 4, QStringLiteral("#DINDATA"), box.withFormat(QStringLiteral("dd.mm.yyyy")));
    w.writeText(5, 5, QStringLiteral("#ROL"), box);
    w.writeFormula(5, 6, QStringLiteral("C5*2"), 0, box);
    w.writeText(5, 7, QStringLiteral("  #dbf "));
    w.writeText(6, 2, QStringLiteral("TOTAL"), box.withBold());
    w.writeFormula(6, 3, QStringLiteral("SUM(C4:C5)"), 0, box.withBold());
    w.writeFormula(6, 6, QStringLiteral("SUM(F4:F5)"), 0, box.withBold());
    w.writeText(8, 2, QStringLiteral("Intocmit,"));
    ASSERT_TRUE(w.close());
}

XlsRows people(int count, bool withName = true, int64_t amountOfSecond = 30)
{
    std::vector<QString> cols;
    std::vector<XlsRows::Kind> kinds;
    if (withName) {
        cols.push_back(QStringLiteral("NUMEP"));
        kinds.push_back(XlsRows::Kind::Text);
    }
    cols.insert(cols.end(), {QStringLiteral("SUMA"), QStringLiteral("DINDATA"), QStringLiteral("ROL")});
    kinds.insert(kinds.end(), {XlsRows::Kind::Number, XlsRows::Kind::Date, XlsRows::Kind::Text});
    XlsRows rows(cols, kinds);
    const char* names[] = {"POPESCU ION", "IONESCU ANA", "VASILE GHEORGHE", "MARIN ELENA"};
    const int64_t amounts[] = {120, amountOfSecond, 7, 0};
    const char* dates[] = {"2024-01-05", "2024-03-31", "2024-12-01", "2024-02-29"};
    for (int i = 0; i < count; ++i) {
        std::vector<storage::Value> v;
        if (withName)
            v.emplace_back(names[i]);
        v.emplace_back(amounts[i]);
        v.emplace_back(dates[i]);
        v.emplace_back(std::to_string(10 + i));
        rows.addRow(std::move(v));
    }
    return rows;
}

struct Produced {
    std::string what;
    QString path;
    std::function<void(const CsvTable&)> check;
};

void checkAll(std::vector<Produced>& produced)
{
    QStringList paths;
    for (const auto& p : produced)
        paths << p.path;
    auto tables = LibreOffice::instance().toCsv(paths);
    for (size_t i = 0; i < produced.size(); ++i) {
        SCOPED_TRACE(produced[i].what);
        ASSERT_EQ(tables[i].size(), 1u) << "LibreOffice could not read " << produced[i].path.toStdString();
        produced[i].check(tables[i].begin()->second);
    }
}

class FillerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folders_ = base::Folders::ForProgram(dir_.path());
        ASSERT_TRUE(folders_.createMissing());
        templ_ = QDir(folders_.data).filePath(QStringLiteral("Lista.xlsx"));
        makeTemplate(templ_);
    }

    QTemporaryDir dir_;
    base::Folders folders_;
    QString templ_;
    ui::ScriptedInteraction ui_;
    ui::ScopedInteraction scoped_{ui_};
};

} // namespace

TEST_F(FillerTest, ExportModelFillsMarkersAndRows)
{
    struct Case {
        std::string what;
        std::function<void(TExportXLSModel&)> fill;
        std::function<void(const CsvTable&)> check;
    };
    const std::vector<Case> cases = {
        {"three records: three rows, no marker row, totals over them",
         [](TExportXLSModel& x) { x.WriteRows(people(3)); },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(5, 1), "1");
             EXPECT_EQ(t.cell(5, 2), "POPESCU ION");
             EXPECT_EQ(t.cell(5, 4), "05.01.2024");
             EXPECT_EQ(t.cell(6, 2), "IONESCU ANA");
             EXPECT_EQ(t.cell(6, 6), "60");
             EXPECT_EQ(t.cell(7, 1), "3");
             EXPECT_EQ(t.cell(7, 4), "01.12.2024");
             EXPECT_EQ(t.cell(8, 2), "TOTAL");
             EXPECT_EQ(t.cell(8, 3), "157");
             EXPECT_EQ(t.cell(8, 6), "314");
             EXPECT_EQ(t.cell(10, 2), "Intocmit,");
             EXPECT_EQ(t.cell(5, 7), "");
             EXPECT_EQ(t.markers(), QStringList({"[UAT]", "Primaria [UAT] judet"}));
         }},
        {"a marker naming no column stays in every row",
         [](TExportXLSModel& x) { x.WriteRows(people(3, false)); },
         [](const CsvTable& t) {
             for (int r = 5; r <= 7; ++r)
                 EXPECT_EQ(t.cell(r, 2), "#NUMEP") << r;
             EXPECT_EQ(t.cell(7, 5), "12");
             EXPECT_EQ(t.cell(8, 3), "157");
         }},
        {"a zero shows the zero text, blank by default",
         [](TExportXLSModel& x) { x.WriteRows(people(2, true, 0)); },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(6, 2), "IONESCU ANA");
             EXPECT_EQ(t.cell(6, 3), "");
             EXPECT_EQ(t.cell(7, 3), "120");
         }},
        {"the zero text a caller sets",
         [](TExportXLSModel& x) {
             x.setZeroText("-");
             x.WriteRows(people(2, true, 0));
         },
         [](const CsvTable& t) { EXPECT_EQ(t.cell(6, 3), "-"); }},
        {"no record: the marker row goes, the total stays",
         [](TExportXLSModel& x) { x.WriteRows(people(0)); },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(5, 2), "TOTAL");
             EXPECT_EQ(t.cell(5, 3), "0");
             EXPECT_EQ(t.cell(7, 2), "Intocmit,");
         }},
        {"SetText replaces whole cells only",
         [](TExportXLSModel& x) {
             x.SetText("[uat]", "U.A.T. COMUNA TESTENI");
             x.WriteRows(people(1));
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(1, 1), "U.A.T. COMUNA TESTENI");
             EXPECT_EQ(t.cell(2, 1), "Primaria [UAT] judet");
         }},
        {"SetNumber writes a number",
         [](TExportXLSModel& x) {
             x.SetNumber("[UAT]", int64_t(2024));
             x.WriteRows(people(1));
         },
         [](const CsvTable& t) { EXPECT_EQ(t.cell(1, 1), "2024"); }},
        {"a second WriteRows finds no marker row and does nothing",
         [](TExportXLSModel& x) {
             x.WriteRows(people(1));
             x.WriteRows(people(3));
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(5, 2), "POPESCU ION");
             EXPECT_EQ(t.cell(6, 2), "TOTAL");
         }},
    };
    std::vector<Produced> produced;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TExportXLSModel x(folders_);
        ASSERT_TRUE(x.Open(templ_));
        c.fill(x);
        QString path = x.Finish();
        ASSERT_FALSE(path.isEmpty());
        // Move it aside so that every case gets Rap0 and the outputs stay apart.
        QString kept = dir_.filePath(QString::fromStdString("case" + std::to_string(produced.size()) + ".xlsx"));
        ASSERT_TRUE(QFile::rename(path, kept));
        produced.push_back({c.what, kept, c.check});
    }
    EXPECT_TRUE(ui_.messages().empty()) << ui_.messageTexts().join("|").toStdString();
    auto documents = ui_.recordsOf(ui::ScriptedInteraction::What::Document);
    ASSERT_EQ(documents.size(), cases.size());
    EXPECT_EQ(documents[0].path, QDir(folders_.program).filePath("Rap0.xlsx"));
    checkAll(produced);
    // The template itself never changes.
    workbook::Workbook again;
    ASSERT_TRUE(again.open(templ_));
    EXPECT_EQ(again.sheet(0).text(5, 2), "#NUMEP");
}

TEST_F(FillerTest, ExportModelOutputNamesAndWhatTheUserIsTold)
{
    const QString program = folders_.program;
    auto rap = [&](int n) { return QDir(program).filePath(QStringLiteral("Rap%1.xlsx").arg(n)); };
    auto touch = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    };
    // Rap0 open in the office program (its lock file beside it), Rap1 an old list that can go.
    touch(rap(0));
    touch(QDir(program).filePath(".~lock.Rap0.xlsx#"));
    touch(rap(1));
    {
        TExportXLSModel x(folders_);
        ASSERT_TRUE(x.Open(templ_));
        x.WriteRows(people(1));
        EXPECT_EQ(x.Finish(), rap(1));
        EXPECT_FALSE(x.IsOpen());
    }
    // Every one of the 101 names open elsewhere: the user is told, naming the folder.
    for (int n = 0; n <= 100; ++n) {
        touch(rap(n));
        touch(QDir(program).filePath(QStringLiteral(".~lock.Rap%1.xlsx#").arg(n)));
    }
    ui_.clearRecords();
    {
        TExportXLSModel x(folders_);
        ASSERT_TRUE(x.Open(templ_));
        EXPECT_EQ(x.Finish(), QString());
        EXPECT_FALSE(x.IsOpen());
    }
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(ui_.messages()[0].title, kListNotSavedTitle);
    EXPECT_TRUE(ui_.messages()[0].text.contains(QDir::toNativeSeparators(program)));
    // Finish without a workbook does nothing.
    ui_.clearRecords();
    TExportXLSModel idle(folders_);
    EXPECT_EQ(idle.Finish(), QString());
    EXPECT_TRUE(ui_.records().empty());
}

TEST_F(FillerTest, MissingTemplateIsPutBackOrNamed)
{
    const QString missing = QDir(folders_.data).filePath("Absent.xlsx");
    // No copy to put back: the user is told which file is missing.
    {
        TExportXLSModel x(folders_);
        EXPECT_FALSE(x.Open(missing));
        TExpXLSOLE o(folders_);
        EXPECT_FALSE(o.Open(missing));
        EXPECT_EQ(o.Finish(true), QString());
    }
    ASSERT_EQ(ui_.messages().size(), 2u);
    for (const auto& m : ui_.messages()) {
        EXPECT_EQ(m.title, kTemplateMissingTitle);
        EXPECT_TRUE(m.text.contains(QDir::toNativeSeparators(missing))) << m.text.toStdString();
    }
    // A file that is not a workbook is named too.
    QFile bad(QDir(folders_.data).filePath("Stricat.xlsx"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a workbook");
    bad.close();
    ui_.clearRecords();
    TExportXLSModel y(folders_);
    EXPECT_FALSE(y.Open(bad.fileName()));
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_TRUE(ui_.messages()[0].text.contains("Stricat.xlsx"));
    // A template of the catalogue missing from the data folder comes back from the embedded copy.
    ui_.clearRecords();
    const QString bord = QDir(folders_.data).filePath("BordInstiintari.xlsx");
    TExportXLSModel z(folders_);
    EXPECT_TRUE(z.Open(bord));
    EXPECT_TRUE(QFileInfo::exists(bord));
    EXPECT_TRUE(ui_.messages().empty());
    TExpXLSOLE w(folders_);
    EXPECT_TRUE(w.Open(QDir(folders_.data).filePath("Formular1.xlsx")));
    // Outside the data folder nothing is put back.
    EXPECT_FALSE(z.Open(QDir(folders_.temp).filePath("BordInstiintari.xlsx")));
}

TEST_F(FillerTest, OleFillerBlocksReplacementsAndRows)
{
    struct Case {
        std::string what;
        std::function<void(TExpXLSOLE&)> fill;
        std::function<void(const CsvTable&)> check;
        std::function<void(workbook::Sheet&)> structure;
    };
    const std::vector<Case> cases = {
        {"rows: copies under the data row, zero as an empty cell whatever the zero text",
         [](TExpXLSOLE& x) {
             x.setZeroText("-");
             x.WriteRows(people(3, true, 0));
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(5, 2), "POPESCU ION");
             EXPECT_EQ(t.cell(6, 3), "");
             EXPECT_EQ(t.cell(7, 1), "3");
             EXPECT_EQ(t.cell(8, 3), "127");
         },
         nullptr},
        {"no record: the row stays without its markers",
         [](TExpXLSOLE& x) { x.WriteRows(people(0)); },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(5, 2), "");
             EXPECT_EQ(t.cell(6, 2), "TOTAL");
             EXPECT_EQ(t.markers(), QStringList({"[UAT]", "Primaria [UAT] judet"}));
         },
         nullptr},
        {"ReplaceAll: whole cells typed, longer texts replaced inside",
         [](TExpXLSOLE& x) {
             x.ReplaceAll("[uat]", CellValue::Integer(7));
             x.WriteRows(people(1));
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(1, 1), "7");
             EXPECT_EQ(t.cell(2, 1), "Primaria 7 judet");
         },
         [](workbook::Sheet& s) { EXPECT_TRUE(s.value(1, 1).isNumber()); }},
        {"ReplaceFirstFrom: the first cell from the row on, one occurrence",
         [](TExpXLSOLE& x) {
             x.SetCell(9, 1, "[NR] si [NR]");
             x.SetCell(10, 2, "[NR]");
             x.ReplaceFirstFrom("[UAT]", "A", 2);
             x.ReplaceFirstFrom("[nr]", "Nr.1 / 05.01.2024", 1);
             x.ReplaceFirstFrom("[NR]", "Nr.2", 10);
             x.WriteRows(people(1));
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(1, 1), "[UAT]");
             EXPECT_EQ(t.cell(2, 1), "Primaria A judet");
             EXPECT_EQ(t.cell(9, 1), "Nr.1 / 05.01.2024 si [NR]");
             EXPECT_EQ(t.cell(10, 2), "Nr.2");
         },
         nullptr},
        {"one page per record: blocks copied with page breaks, the unused one deleted",
         [](TExpXLSOLE& x) {
             const int h = x.UsedRows();
             x.CopyBlock(1, h, 7, 2, h + 1);
             x.PageBreakBefore(h + 1);
             x.PageBreakBefore(2 * h + 1);
             for (int b = 0; b < 2; ++b) {
                 x.ReplaceFirstFrom("[UAT]", QStringLiteral("Nota %1").arg(b + 1), b * h + 1);
                 x.WriteRows(people(b + 1));
             }
             x.DeleteRows(x.UsedRows() - h + 1, x.UsedRows());
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(1, 1), "Nota 1");
             EXPECT_EQ(t.cell(5, 2), "POPESCU ION");
             EXPECT_EQ(t.cell(6, 3), "120");
             EXPECT_EQ(t.cell(9, 1), "Nota 2");
             EXPECT_EQ(t.cell(14, 2), "IONESCU ANA");
             EXPECT_EQ(t.cell(15, 3), "150");
             EXPECT_LE(t.rowCount(), 17);
         },
         [](workbook::Sheet& s) {
             EXPECT_EQ(s.pageBreaks(), std::vector<int>({9})); // the break before the deleted block goes with it
             EXPECT_EQ(s.usedRows(), 17);
         }},
        {"row copies and single cells",
         [](TExpXLSOLE& x) {
             x.InsertRowCopies(5, 2);
             x.SetCell(6, 3, CellValue::Integer(5));
             x.SetCell(7, 3, CellValue::Integer(6));
         },
         [](const CsvTable& t) {
             EXPECT_EQ(t.cell(7, 2), "#NUMEP");
             EXPECT_EQ(t.cell(8, 3), "11");
             EXPECT_EQ(t.cell(7, 6), "12");
         },
         nullptr},
    };
    std::vector<Produced> produced;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TExpXLSOLE x(folders_);
        ASSERT_TRUE(x.Open(templ_, false));
        EXPECT_FALSE(x.InExcel());
        c.fill(x);
        QString path = x.Finish(false);
        ASSERT_EQ(path, QDir(folders_.temp).filePath("XLSTmp0.xlsx"));
        QString kept = dir_.filePath(QString::fromStdString("ole" + std::to_string(produced.size()) + ".xlsx"));
        ASSERT_TRUE(QFile::rename(path, kept));
        if (c.structure) {
            workbook::Workbook wb;
            ASSERT_TRUE(wb.open(kept));
            c.structure(wb.sheet(0));
        }
        produced.push_back({c.what, kept, c.check});
    }
    EXPECT_TRUE(ui_.recordsOf(ui::ScriptedInteraction::What::Document).empty());
    TExpXLSOLE shown(folders_);
    ASSERT_TRUE(shown.Open(templ_));
    QString path = shown.Finish(true);
    auto documents = ui_.recordsOf(ui::ScriptedInteraction::What::Document);
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(documents[0].path, path);
    checkAll(produced);
}

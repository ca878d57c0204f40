// Every embedded workbook template: it holds each marker its list needs (and nothing marker-like that no
// list fills), and once filled with sample values and three records per data row LibreOffice reads it
// with every value in place and no marker left. LIRMA_KEEP_DOCUMENTS names a folder that receives the
// filled workbooks and a PNG of their first page, for looking at them.
#include "documents/template_catalog.h"
#include "documents/template_store.h"
#include "documents/texportxlsmodel.h"
#include "documents/texpxlsole.h"

#include "platform/base/files.h"
#include "platform/ui/scripted_interaction.h"
#include "platform/workbook/xlsx_template.h"

#include "support/libreoffice.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lirma;
using namespace lirma::documents;

namespace {

std::vector<const TemplateInfo*> workbookTemplates()
{
    std::vector<const TemplateInfo*> out;
    for (const TemplateInfo& t : TemplateCatalog())
        if (t.kind == TemplateKind::Workbook && !t.resource.isEmpty())
            out.push_back(&t);
    return out;
}

// A cell that reads like a marker: "#NAME" or "%NRCRT" as the whole cell, or "[KEY]" anywhere.
QStringList markersIn(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^(#[A-Za-z][A-Za-z0-9_]*|%NRCRT)$"));
    static const QRegularExpression bracketed(QStringLiteral("\\[[A-Za-z][A-Za-z0-9]*\\]"));
    QStringList out;
    const QString t = text.trimmed();
    if (whole.match(t).hasMatch())
        out << t;
    for (auto it = bracketed.globalMatch(t); it.hasNext();)
        out << it.next().captured();
    return out;
}

QStringList markersOf(workbook::Workbook& wb)
{
    QStringList out;
    for (int s = 0; s < wb.sheetCount(); ++s)
        wb.sheet(s).forEachTextCell([&](int, int, const QString& text) { out << markersIn(text); });
    return out;
}

bool holds(const QStringList& found, const QString& key)
{
    return found.contains(key, Qt::CaseInsensitive);
}

// The markers a list needs that the workbook lacks.
QStringList missingMarkers(workbook::Workbook& wb, const QStringList& keys)
{
    const QStringList found = markersOf(wb);
    QStringList missing;
    for (const QString& key : keys)
        if (!holds(found, key))
            missing << key;
    return missing;
}

// Templates the lists fill through TExpXLSOLE, whose keys may stand inside longer texts.
const QSet<QString>& oleTemplates()
{
    static const QSet<QString> s = {"NOTAPLATA", "Formular1", "NotaServ", "CalculTI", "CalculTE", "FisaCalcAuto",
                                    "Partizi",   "Grad",      "CENNC"};
    return s;
}

XlsRows::Kind kindOf(const QString& column)
{
    static const QSet<QString> dates = {"DINDATA", "DATAI", "DATAS", "DATAP", "DATAIN", "DATAOUT"};
    static const QSet<QString> texts = {"NUMEP", "ADRESA", "GRUPA", "DENUM", "DOCJUS", "ROL", "CNP", "SATUL",
                                        "LOCALIT", "TIP", "CODCL", "CONT", "UM", "MARCA", "COMBUS", "SERIE",
                                        "SERIEM", "NRDOS", "TIPAUTO", "OBS", "INCANUME", "TIPF", "SERIA", "SAT",
                                        "STRADA", "CATEG", "A48", "CODCLAS"};
    const QString c = column.toUpper();
    if (dates.contains(c))
        return XlsRows::Kind::Date;
    return texts.contains(c) ? XlsRows::Kind::Text : XlsRows::Kind::Number;
}

QString sampleText(const QString& column, int record) { return column.toUpper() + QStringLiteral(" %1").arg(record + 1); }

// Three records for the first data row of the sheet, with a column for each marker it holds.
XlsRows recordsFor(workbook::Sheet& sheet, QStringList* textColumns)
{
    int row = 0;
    sheet.forEachTextCell([&](int r, int, const QString& t) {
        if (!row && t.trimmed().compare("#DBF", Qt::CaseInsensitive) == 0)
            row = r;
    });
    std::vector<QString> cols;
    std::vector<XlsRows::Kind> kinds;
    for (int c = 1; row && c <= sheet.usedColumns(); ++c) {
        const QString t = sheet.text(row, c).trimmed();
        if (t.startsWith('#') && t.compare("#DBF", Qt::CaseInsensitive) != 0) {
            cols.push_back(t.mid(1));
            kinds.push_back(kindOf(t.mid(1)));
            if (kinds.back() == XlsRows::Kind::Text)
                *textColumns << t.mid(1);
        }
    }
    XlsRows rows(cols, kinds);
    for (int r = 0; r < 3; ++r) {
        std::vector<storage::Value> v;
        for (size_t c = 0; c < cols.size(); ++c) {
            switch (kinds[c]) {
            case XlsRows::Kind::Text: v.emplace_back(sampleText(cols[c], r).toStdString()); break;
            case XlsRows::Kind::Date: v.emplace_back("2024-03-1" + std::to_string(r + 1)); break;
            case XlsRows::Kind::Number: v.emplace_back(int64_t(10 * (r + 1) + int(c))); break;
            }
        }
        rows.addRow(std::move(v));
    }
    return rows;
}

// Keys the lists fill with numbers (amounts, day, month and year of the cash register).
bool numericKey(const QString& key)
{
    static const QSet<QString> keys = {"#SOLDINI", "#ZZ", "#LL", "#AA", "#TOTG", "#CURENT", "#RESTANTA", "#PENAL", "#NRCHIT"};
    return keys.contains(key.toUpper());
}

int64_t keyNumber(const QString& key) { return 1000 + qHash(key.toUpper()) % 9000; }

QString keyValue(const QString& key)
{
    QString bare = key;
    bare.remove(QRegularExpression("[^A-Za-z0-9]"));
    return QStringLiteral("Valoare ") + bare;
}

struct Filled {
    const TemplateInfo* tpl = nullptr;
    QString path;
    QStringList values; // must show up somewhere
};

} // namespace

TEST(WorkbookTemplates, HoldEveryMarkerTheirListNeedsAndNoOther)
{
    QTemporaryDir dir;
    const auto templates = workbookTemplates();
    // NotaPlata, Formular1, the two dispatch lists, the two cash register workbooks and every list
    // template of the lists, calculation sheets and the land comparison.
    EXPECT_EQ(templates.size(), 38u);
    for (const TemplateInfo* t : templates) {
        SCOPED_TRACE(t->resource.toStdString());
        const QString path = dir.filePath(t->resource + ".xlsx");
        ASSERT_TRUE(ExtractTemplate(t->resource, t->type, path));
        workbook::Workbook wb;
        ASSERT_TRUE(wb.open(path)) << wb.error().toStdString();
        EXPECT_EQ(missingMarkers(wb, t->keys), QStringList());
        for (const QString& found : markersOf(wb))
            EXPECT_TRUE(holds(t->keys, found)) << found.toStdString() << " is not filled by its list";
    }
}

TEST(WorkbookTemplates, AMarkerMissingFromATemplateIsFound)
{
    QTemporaryDir dir;
    const TemplateInfo* t = FindTemplate("BordIns", "MODEL");
    ASSERT_NE(t, nullptr);
    const QString path = dir.filePath("BordIns.xlsx");
    ASSERT_TRUE(ExtractTemplate(t->resource, t->type, path));
    workbook::Workbook wb;
    ASSERT_TRUE(wb.open(path));
    // An administrator who overwrote the "#DINDATA" cell.
    workbook::Sheet& s = wb.sheet(0);
    s.forEachTextCell([&](int r, int c, const QString& text) {
        if (text == "#DINDATA")
            s.setText(r, c, "Data");
    });
    EXPECT_EQ(missingMarkers(wb, t->keys), QStringList{"#DINDATA"});
}

TEST(WorkbookTemplates, FilledWithSampleRowsShowEveryValueAndNoMarker)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const base::Folders folders = base::Folders::ForProgram(dir.path());
    ASSERT_TRUE(folders.createMissing());
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scoped(ui);
    std::vector<Filled> filled;
    for (const TemplateInfo* t : workbookTemplates()) {
        SCOPED_TRACE(t->resource.toStdString());
        const QString copy = base::NextTempFile(folders, t->resource, ".xlsx");
        ASSERT_TRUE(ExtractTemplate(t->resource, t->type, copy));
        Filled f{t, dir.filePath("filled_" + t->resource + ".xlsx"), {}};
        // Keys are the markers outside the data rows.
        QStringList keys;
        {
            workbook::Workbook wb;
            ASSERT_TRUE(wb.open(copy));
            QStringList inDataRows;
            for (int s = 0; s < wb.sheetCount(); ++s) {
                workbook::Sheet& sheet = wb.sheet(s);
                QList<int> dataRows;
                sheet.forEachTextCell([&](int r, int, const QString& text) {
                    if (text.trimmed().compare("#DBF", Qt::CaseInsensitive) == 0)
                        dataRows << r;
                });
                sheet.forEachTextCell([&](int r, int, const QString& text) {
                    if (dataRows.contains(r))
                        inDataRows << text.trimmed();
                });
            }
            for (const QString& k : t->keys)
                if (!holds(inDataRows, k) && k != "%NRCRT")
                    keys << k;
        }
        QString saved;
        if (oleTemplates().contains(t->resource)) {
            TExpXLSOLE x(folders);
            ASSERT_TRUE(x.Open(copy));
            for (const QString& k : keys) {
                if (numericKey(k)) {
                    x.ReplaceAll(k, workbook::CellValue::Integer(keyNumber(k)));
                    f.values << QString::number(keyNumber(k));
                } else {
                    x.ReplaceAll(k, keyValue(k));
                    f.values << keyValue(k);
                }
            }
            // Every data row of the sheet, in order (the calculation sheets have two).
            for (int block = 0; block < 3; ++block) {
                QStringList texts;
                XlsRows rows = recordsFor(x.sheet(), &texts);
                if (rows.columnCount() == 0)
                    break;
                x.WriteRows(rows);
                for (const QString& c : texts)
                    f.values << sampleText(c, 2);
            }
            saved = x.Finish(false);
        } else {
            TExportXLSModel x(folders);
            ASSERT_TRUE(x.Open(copy));
            for (int s = 0; s < x.book().sheetCount(); ++s) {
                x.SelectSheet(s);
                for (const QString& k : keys) {
                    if (numericKey(k)) {
                        x.SetNumber(k, keyNumber(k));
                        f.values << QString::number(keyNumber(k));
                    } else {
                        x.SetText(k, keyValue(k));
                        f.values << keyValue(k);
                    }
                }
                QStringList texts;
                XlsRows rows = recordsFor(x.sheet(), &texts);
                if (rows.columnCount() > 0)
                    x.WriteRows(rows);
                for (const QString& c : texts)
                    f.values << sampleText(c, 2);
                // Lists that number their rows themselves.
                x.sheet().forEachTextCell([&](int r, int c, const QString& text) {
                    if (text == "%NRCRT")
                        x.sheet().setInteger(r, c, 1);
                });
            }
            saved = x.Finish();
        }
        ASSERT_FALSE(saved.isEmpty());
        QFile::remove(f.path);
        ASSERT_TRUE(QFile::rename(saved, f.path));
        QFile::remove(copy);
        filled.push_back(f);
    }
    EXPECT_TRUE(ui.messages().empty()) << ui.messageTexts().join(" | ").toStdString();

    QStringList paths;
    for (const Filled& f : filled)
        paths << f.path;
    auto tables = test::LibreOffice::instance().toCsv(paths);
    for (size_t i = 0; i < filled.size(); ++i) {
        SCOPED_TRACE(filled[i].tpl->resource.toStdString());
        ASSERT_FALSE(tables[i].empty()) << "LibreOffice could not read it";
        QString all;
        for (const auto& [sheet, table] : tables[i]) {
            EXPECT_EQ(table.markers(), QStringList()) << "sheet " << sheet.toStdString();
            for (const auto& row : table.rows) {
                for (const QString& c : row)
                    all += c + '\t';
                all += '\n';
            }
        }
        for (const QString& v : filled[i].values)
            EXPECT_TRUE(all.contains(v, Qt::CaseInsensitive)) << v.toStdString();
        EXPECT_FALSE(all.contains("#REF!")) << "a formula lost its cells";
        EXPECT_FALSE(all.contains("Err:")) << "a formula LibreOffice cannot compute";
        EXPECT_FALSE(all.contains("#VALUE!")) << "a formula over a text";
    }

    const QString keep = qEnvironmentVariable("LIRMA_KEEP_DOCUMENTS");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        QStringList pngs;
        for (const Filled& f : filled) {
            QFile::remove(QDir(keep).filePath(QFileInfo(f.path).fileName()));
            QFile::copy(f.path, QDir(keep).filePath(QFileInfo(f.path).fileName()));
            pngs << QDir(keep).filePath(f.tpl->resource + ".png");
        }
        EXPECT_TRUE(test::LibreOffice::instance().toPng(paths, pngs, 50));
    }
}

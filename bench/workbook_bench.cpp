// Workbooks of 20,000 rows: a list template filled through TExportXLSModel (open, marker, 20,000 copies of
// the data row filled, saved as Rap0) and the same list written cell by cell. Must stay well under 5 s.
#include "documents/template_store.h"
#include "documents/texportxlsmodel.h"
#include "documents/xls_rows.h"

#include "platform/base/files.h"
#include "platform/ui/scripted_interaction.h"
#include "platform/workbook/xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kRows = 20000;

// Rows shaped as "SELECT * FROM Gospodar": names, villages, codes, addresses, persons.
lirma::documents::XlsRows taxpayers()
{
    using lirma::documents::XlsRows;
    XlsRows rows({"IDGOS", "SATUL", "ROL", "NUMEP", "CNP", "STRADA", "ADRESA", "NRPERS", "TIP"},
                 {XlsRows::Kind::Number, XlsRows::Kind::Text, XlsRows::Kind::Text, XlsRows::Kind::Text,
                  XlsRows::Kind::Text, XlsRows::Kind::Text, XlsRows::Kind::Text, XlsRows::Kind::Number,
                  XlsRows::Kind::Text});
    std::mt19937 rng(7);
    const char* villages[] = {"VALEA MARE", "DEALU MIC", "SATU NOU", "PODENI"};
    const char* names[] = {"POPESCU", "IONESCU", "VASILE", "MARIN", "BARBU", "COSTIN", "DUMITRU", "STAN"};
    const char* given[] = {"ION", "MARIA", "ELENA", "GHEORGHE", "ANA", "VASILE", "MIHAI", "IOANA"};
    for (int i = 0; i < kRows; ++i) {
        std::string name = std::string(names[rng() % 8]) + " " + given[rng() % 8];
        rows.addRow({int64_t(i + 1), villages[rng() % 4], std::to_string(i + 1), name,
                     std::to_string(1700101000000LL + i), "Principala", "nr. " + std::to_string(rng() % 300),
                     int64_t(rng() % 6), "FIZICA"});
    }
    return rows;
}

void BM_FillListOf20000Rows(benchmark::State& state)
{
    QTemporaryDir dir;
    const auto folders = lirma::base::Folders::ForProgram(dir.path());
    folders.createMissing();
    const QString templ = QDir(folders.temp).filePath("LisPers0.xlsx");
    if (!lirma::documents::ExtractTemplate("ListaPers", "MODEL", templ)) {
        state.SkipWithError("the embedded template ListaPers is missing");
        return;
    }
    const auto rows = taxpayers();
    lirma::ui::ScriptedInteraction ui;
    lirma::ui::ScopedInteraction scoped(ui);
    qint64 bytes = 0;
    for (auto _ : state) {
        lirma::documents::TExportXLSModel x(folders);
        x.Open(templ);
        x.SetText("#LISTA", "Lista persoane fizice");
        x.WriteRows(rows);
        QString saved = x.Finish();
        if (saved.isEmpty()) {
            state.SkipWithError("the list was not saved");
            return;
        }
        bytes = QFile(saved).size();
    }
    state.counters["rows"] = kRows;
    state.counters["file_kB"] = double(bytes) / 1024;
}
BENCHMARK(BM_FillListOf20000Rows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_WriteListOf20000RowsCellByCell(benchmark::State& state)
{
    QTemporaryDir dir;
    const auto rows = taxpayers();
    lirma::workbook::CellStyle box = lirma::workbook::CellStyle().withBorders(lirma::workbook::BorderAll).withSize(9);
    for (auto _ : state) {
        lirma::workbook::XlsxWriter w(dir.filePath("cells.xlsx"));
        w.setMargins(0.6, 0.4, 0.3, 0.4);
        for (int r = 0; r < rows.rowCount(); ++r) {
            w.writeInteger(r + 2, 1, r + 1, box);
            for (int c = 1; c < rows.columnCount(); ++c) {
                const auto& v = rows.value(r, c);
                if (v.isInt())
                    w.writeInteger(r + 2, c + 1, v.toInt(), box);
                else
                    w.writeText(r + 2, c + 1, QString::fromStdString(v.toText()), box);
            }
        }
        w.writeSum(rows.rowCount() + 2, 8, {2, 8, rows.rowCount() + 1, 8}, box.withBold());
        if (!w.close()) {
            state.SkipWithError("the workbook was not written");
            return;
        }
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_WriteListOf20000RowsCellByCell)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

// The asset pages of the register window without any window: which table and columns each page
// shows (the page's field names differ from the column names on the vehicles pages), loading a
// taxpayer's row, checking typed values against their columns and saving, with the year lock.
#pragma once

#include "assessment/asset_labels.h"
#include "db/settings.h"
#include "platform/storage/storage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace lirma::reg {

// The editable asset pages, by the names of the window's pages. Pag5, Pag8, Pag9 and Pag10
// share the one row of Pag5.dbf; Pag11 ("Restante") shows Pag8.dbf.
enum class AssetPage { Pag1, Pag4, Pag5, Pag6, Pag7, Pag8, Pag9, Pag10, Pag11 };
inline constexpr int kAssetPageCount = 9;

struct PageField {
    QString field;  // the page's field (component name)
    QString column; // its column in the page's table
};

struct PageDef {
    AssetPage page = AssetPage::Pag1;
    QString name;     // "Pag1"
    QString caption;  // title of the page
    QString navEntry; // entry of the navigation list
    QString table;    // SQL name of its table
    QString panel;    // its pending-changes panel ("Modi1")
    std::vector<PageField> fields; // in the order of the page
    bool amounts = false; // values are lei that may be negative (arrears); otherwise quantities

    int fieldIndex(const QString& field) const; // -1 when absent (case ignored)
};

// Every editable page, in the order of the navigation list.
const std::vector<PageDef>& AssetPageDefs();
const PageDef& PageDefOf(AssetPage page);

// The six tables that hold one row per taxpayer: Pag1, Pag4, Pag5, Pag6, Pag7, Pag8.
const QStringList& PageTables();
// Inserts the taxpayer's row into a page table: IDGOS and a zero in every other numeric column.
void InsertZeroRow(storage::Database& db, const QString& table, int64_t idgos);

// Texts of the pages that the taxes repeat in their debt rows: defined once, with the taxes.
using assessment::InsideLandLabels;
using assessment::OutsideLandLabels;
using assessment::TrailerMassTexts;
using assessment::VehicleBandTexts;
// Labels of the six quantities of "Alte taxe" and of the eleven rows of "Restante".
const QStringList& OtherTaxLabels();
const QStringList& ArrearsLabels();

// A value a page cannot store: the field (index into PageDef::fields) and the balloon text.
struct PageProblem {
    int field = -1;
    QString message;
};

class AssetPages {
public:
    AssetPages(storage::Database& db, db::Settings& settings);

    // The taxpayer's values, one text per field of the page. A missing row is created (zeros)
    // in a transaction that checks again that it is still missing.
    QStringList Load(AssetPage page, int64_t idgos);

    // The first value its column cannot hold (not a number, more decimals than the column has,
    // negative quantity, out of the column's range) or, on the vehicles page, a capacity over
    // 3000 cmc that is above 0 and below 3000. Empty text counts as 0.
    std::optional<PageProblem> Check(AssetPage page, const QStringList& values);
    // The arrears page's own check: a credit ("Plus") beside arrears or penalties of its row.
    std::optional<PageProblem> CheckArrears(const QStringList& values) const;

    // Whether the administrator locked the year ([SERVER] ADMINBLOCAT + year is "DA").
    bool YearLocked() const;

    enum class SaveOutcome { Saved, Refused, Locked };
    // Checks, then the year lock, then (arrears page) the credit check, then one transaction
    // that creates the row when still missing and sets every column of the page.
    SaveOutcome Save(AssetPage page, int64_t idgos, const QStringList& values, PageProblem* problem = nullptr);

private:
    struct Column {
        QString name;
        int width = 0;
        int decimals = 0;
    };
    const std::vector<Column>& columnsOf(const PageDef& def);

    storage::Database& db_;
    db::Settings& settings_;
    std::map<int, std::vector<Column>> columns_; // by page
};

} // namespace lirma::reg

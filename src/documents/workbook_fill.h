// What both template fillers share: finding the data row and writing records into copies of it.
#pragma once

#include "documents/xls_rows.h"

#include "platform/workbook/xlsx_template.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lirma::documents::detail {

// The row of the first cell (rows top down, each left to right) whose trimmed text is "#DBF" in any
// case; that cell is emptied. 0 when the sheet has none.
int TakeDataRow(workbook::Sheet& sheet);

// What one cell of the data row receives.
struct MarkerCell {
    int column = 0;
    int source = -1;      // column of the rows, or -1 for the running number
};

// The cells of the data row that hold "#" + a column name of the rows, or a running-number marker.
std::vector<MarkerCell> MarkerCells(const workbook::Sheet& sheet, int row, const XlsRows& rows,
                                    const QStringList& runningNumberMarkers);

// How a zero number is written: empty, or a text ("-").
struct ZeroRule {
    bool asEmpty = true;
    QString text;
};

// Writes record `record` (running number record + 1) into `row`.
void FillRow(workbook::Sheet& sheet, int row, const std::vector<MarkerCell>& cells, const XlsRows& rows, int record,
             const ZeroRule& zero);

// Trimmed equality without regard to case; containment without regard to case.
bool CellEquals(const QString& cellText, const QString& key);

} // namespace lirma::documents::detail

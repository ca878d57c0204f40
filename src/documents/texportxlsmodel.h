// TExportXLSModel: the list filler used by nearly every list. It opens a workbook template, replaces
// whole-cell markers of its first sheet, writes records into the data row marked "#DBF", and saves the
// list as the first free "Rap" + N in the program folder, which it then opens. The template file itself
// is never changed.
#pragma once

#include "documents/xls_rows.h"

#include "platform/base/files.h"
#include "platform/workbook/xlsx_template.h"

#include <QString>

#include <memory>

namespace lirma::documents {

class TExportXLSModel {
public:
    explicit TExportXLSModel(const base::Folders& folders);
    ~TExportXLSModel();

    // Loads the template and selects its first sheet; the zero text becomes "". A missing template is
    // first put back from the embedded copy when it is one; when it still cannot be loaded the user is
    // told which file is missing (or unreadable) and the result is false.
    bool Open(const QString& templatePath);
    bool IsOpen() const;

    // Every cell of the selected sheet whose trimmed text equals the key, without regard to case, gets
    // the text (the number).
    void SetText(const QString& key, const QString& text);
    void SetNumber(const QString& key, double number);
    void SetNumber(const QString& key, int64_t number);
    void SetNumber(const QString& key, int number) { SetNumber(key, int64_t(number)); }
    // The same with any cell value (a fixed-point amount as CellValue::Literal).
    void SetValue(const QString& key, const workbook::CellValue& value) { setCells(key, value); }

    // Fills the first "#DBF" row of the selected sheet: one copy of it per record, in order; in each,
    // "%NRCRT" and "#NRCRT" get the running number and "#" + a column name the record's value (texts as
    // text, numbers and dates as numbers, a zero as the zero text). The marker row itself is removed,
    // also when there is no record. Markers naming no column stay as they are.
    void WriteRows(const XlsRows& rows);

    // Saves the list as the first free "Rap" + N in the program folder and opens it; closes the workbook.
    // The saved path, or "" when nothing was saved (not open, or no free name: the user is told).
    QString Finish();

    const QString& zeroText() const { return zeroText_; }
    void setZeroText(const QString& text) { zeroText_ = text; }

    // The workbook and the selected sheet, for lists that lay out more than markers and rows.
    workbook::Workbook& book() { return *book_; }
    workbook::Sheet& sheet() { return book_->sheet(sheet_); }
    void SelectSheet(int index) { sheet_ = index; }
    int selectedSheet() const { return sheet_; }

private:
    void setCells(const QString& key, const workbook::CellValue& value);

    base::Folders folders_;
    std::unique_ptr<workbook::Workbook> book_;
    int sheet_ = 0;
    QString zeroText_;
};

} // namespace lirma::documents

// TExpXLSOLE: the filler of documents with one page per record (payment notices) and of a few lists.
// Beside markers and data rows it copies blocks of rows, sets page breaks and deletes rows. It works on
// the template in memory and saves to a work file of the temporary folder ("XLSTmp" + N). There is no
// spreadsheet automation on this platform: the library mode is the only mode, whatever the caller asks.
#pragma once

#include "documents/xls_rows.h"

#include "platform/base/files.h"
#include "platform/workbook/xlsx_template.h"

#include <QString>

#include <memory>

namespace lirma::documents {

class TExpXLSOLE {
public:
    explicit TExpXLSOLE(const base::Folders& folders);
    ~TExpXLSOLE();

    // False when the template is missing (after trying to put back the embedded copy) or unreadable;
    // the user is told. `libraryOnly` is accepted for the callers' sake: automation is never used.
    bool Open(const QString& templatePath, bool libraryOnly = true);
    bool IsOpen() const;
    bool InExcel() const { return false; }

    // Every occurrence of the key in the sheet, without regard to case, is replaced: a cell equal to the
    // key gets the value with its type, a longer text gets the key replaced by the value's text.
    void ReplaceAll(const QString& key, const workbook::CellValue& value);
    void ReplaceAll(const QString& key, const QString& value) { ReplaceAll(key, workbook::CellValue::Text(value)); }
    // From `row` down, each row left to right, the first cell equal to the key or containing it is
    // changed as above (only the key's first occurrence in a longer text); no other cell changes.
    void ReplaceFirstFrom(const QString& key, const workbook::CellValue& value, int row);
    void ReplaceFirstFrom(const QString& key, const QString& value, int row)
    {
        ReplaceFirstFrom(key, workbook::CellValue::Text(value), row);
    }

    int UsedRows() const;
    void DeleteRows(int first, int last);
    // `count` copies of the row (contents and formats) right at it.
    void InsertRowCopies(int row, int count);
    // `count` copies of rows first..last inserted at row `at`. `columns` limited the copy under
    // automation; here whole rows are copied.
    void CopyBlock(int first, int last, int columns, int count, int at);
    void PageBreakBefore(int row);
    void SetCell(int row, int column, const workbook::CellValue& value);
    void SetCell(int row, int column, const QString& text) { SetCell(row, column, workbook::CellValue::Text(text)); }

    // Fills the first "#DBF" row: (records - 1) copies under it, then the records in order; "%NRCRT" gets
    // the running number, "#" + a column name the value, a zero an empty cell. With no record the row
    // stays, its markers emptied.
    void WriteRows(const XlsRows& rows);

    // Saves to the work file and closes; opens the file when `show`. The saved path, or "" when nothing
    // was saved (the user is told why).
    QString Finish(bool show);

    const QString& outputPath() const { return output_; }
    // Kept for the callers; in library mode a zero is always written as an empty cell.
    const QString& zeroText() const { return zeroText_; }
    void setZeroText(const QString& text) { zeroText_ = text; }

    workbook::Workbook& book() { return *book_; }
    workbook::Sheet& sheet() { return book_->sheet(sheet_); }
    void SelectSheet(int index) { sheet_ = index; }

private:
    base::Folders folders_;
    std::unique_ptr<workbook::Workbook> book_;
    int sheet_ = 0;
    QString output_;
    QString zeroText_;
};

} // namespace lirma::documents

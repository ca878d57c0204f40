// Workbook templates: an .xlsx file opened, its sheets edited in place, and saved under another name.
// Only the sheet XML that changed is rewritten (plus workbook.xml, and its relationships and content types
// when sheets are added); every other part (styles, images, printer setup, themes) is copied unchanged.
//
// Rows and columns can be inserted, copied and deleted. Such an edit moves, everywhere in the workbook,
// the cell references of formulas, merged ranges, page breaks, conditional formats, validations, defined
// names and print areas, as a spreadsheet program does; in addition, copies of a block inserted right
// below it are taken into every range that holds the whole block and ends on its last line, so that a
// total over a template's data row grows with the rows filled.
//
// On save, formulas are marked for recalculation when the file is opened (their cached values are dropped,
// which LibreOffice needs, and the workbook asks for a full calculation, which Excel needs), and the
// calculation chain is dropped.
//
// Rows and columns count from 1. Cost: an edit touches every row below it (or every cell right of it), so
// insert many copies in one call rather than one at a time.
#pragma once

#include "platform/workbook/cell_ref.h"
#include "platform/workbook/cell_value.h"
#include "platform/workbook/formula_refs.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lirma::workbook {

class Workbook;

class Sheet {
public:
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    QString name() const;

    // The last row and the last column that hold a cell (a value, a formula or only a format); 0 when
    // the sheet is empty.
    int usedRows() const;
    int usedColumns() const;

    // The value of a cell; for a formula its cached value (none once the formula was moved or written).
    CellValue value(int row, int column) const;
    QString text(int row, int column) const { return value(row, column).toString(); }
    // The formula without "=", "" when the cell holds none.
    QString formula(int row, int column) const;
    bool hasCell(int row, int column) const;

    // Writing keeps the cell's format and drops a formula it held. An empty value clears the content.
    void setValue(int row, int column, const CellValue& value);
    void setText(int row, int column, const QString& text) { setValue(row, column, CellValue::Text(text)); }
    void setNumber(int row, int column, double number) { setValue(row, column, CellValue::Number(number)); }
    void setInteger(int row, int column, int64_t number) { setValue(row, column, CellValue::Integer(number)); }
    void setFormula(int row, int column, const QString& formula);
    void clearCell(int row, int column) { setValue(row, column, CellValue()); }

    // Every cell holding a text, in row order and left to right within a row. The visitor may write the
    // cell it is given (only that one).
    void forEachTextCell(const std::function<void(int row, int column, const QString& text)>& visit) const;

    // Rows.
    void insertRows(int at, int count);
    // `count` copies (contents and formats) of the row, right below it.
    void insertRowCopies(int row, int count) { copyRows(row, row, count, row + 1); }
    // `count` copies of rows first..last inserted at row `at` (outside the block or right below it).
    void copyRows(int first, int last, int count, int at);
    void deleteRows(int first, int last);
    // Reorders rows first..last by the key, stable; ties keep their order.
    void sortRows(int first, int last, const std::function<bool(int rowA, int rowB)>& less);
    // By the text of one column, or by its numbers (texts after numbers) when `numeric`.
    void sortRowsByColumn(int first, int last, int column, bool numeric = false, bool descending = false);

    // Columns.
    void insertColumns(int at, int count);
    void copyColumns(int first, int last, int count, int at);
    void deleteColumns(int first, int last);
    // Width in characters; 0 when the column has no width of its own.
    double columnWidth(int column) const;

    // Page breaks: rows (columns) that start a new page.
    void addPageBreakBefore(int row);
    std::vector<int> pageBreaks() const;
    void addColumnBreakBefore(int column);
    std::vector<int> columnBreaks() const;

    // Merged ranges.
    void mergeCells(const Range& range);
    std::vector<Range> mergedRanges() const;

    struct Impl;

private:
    friend class Workbook;
    explicit Sheet(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Loads a workbook; false (see error()) when the file is missing or is not a workbook we can read.
    bool open(const QString& path);
    // Saves to `path` (replaced only once the new file is complete); false on failure (see error()).
    bool save(const QString& path);
    void close();
    bool isOpen() const;
    QString error() const;

    int sheetCount() const;
    Sheet& sheet(int index);
    const Sheet& sheet(int index) const;
    // Index of the sheet with that name (without regard to case), -1 when none.
    int sheetIndex(const QString& name) const;
    // Appends a copy of a sheet under a new name and returns its index; -1 when the name is taken or
    // invalid. Pictures and drawings of the source are not copied.
    int copySheet(int source, const QString& name);
    // The sheet shown when the file is opened.
    int activeSheet() const;
    void setActiveSheet(int index);

    // The formula text of a defined name ("Sheet1!$A$1:$H$20"), of the sheet `localSheet` or global
    // (-1); "" when absent. Print areas are "_xlnm.Print_Area", repeated titles "_xlnm.Print_Titles".
    QString definedName(const QString& name, int localSheet = -1) const;
    void setDefinedName(const QString& name, int localSheet, const QString& formula);

    struct Impl;

private:
    friend class Sheet;
    std::unique_ptr<Impl> impl_;
};

} // namespace lirma::workbook

// Moving the cell references of formulas, defined names and range lists when rows or columns of a sheet
// are inserted, copied or deleted, and when a formula is copied to another cell.
#pragma once

#include "platform/workbook/cell_ref.h"

#include <optional>
#include <string>
#include <string_view>

namespace lirma::workbook {

enum class Axis { Rows, Columns };

// One structural change along one axis of one sheet.
struct Edit {
    Axis axis = Axis::Rows;
    bool insert = true;
    int at = 0;    // first line inserted, or first line deleted
    int count = 0; // lines inserted or deleted, > 0
    // Set when the inserted lines are copies of the lines blockFirst..blockLast. When the copies go right
    // below that block, a range that holds the whole block and ends on its last line takes the copies in:
    // a total "SUM(F9:F9)" over a data row 9 grows with every copy of that row.
    int blockFirst = 0;
    int blockLast = 0;

    bool copiesBelowBlock() const { return insert && blockLast > 0 && at == blockLast + 1; }

    static Edit Insert(Axis axis, int at, int count) { return {axis, true, at, count, 0, 0}; }
    static Edit Delete(Axis axis, int first, int last) { return {axis, false, first, last - first + 1, 0, 0}; }
    static Edit InsertCopies(Axis axis, int at, int count, int blockFirst, int blockLast)
    {
        return {axis, true, at, count, blockFirst, blockLast};
    }
};

// A single row or column number under the edit; false when the line was deleted.
bool ShiftLine(int& line, const Edit& edit);
// An inclusive span first..last under the edit; false when every line of it was deleted. `grow` allows the
// span to take in copies (see Edit).
bool ShiftSpan(int& first, int& last, const Edit& edit, bool grow);
// A rectangle under an edit of its sheet; nullopt when it was deleted.
std::optional<Range> ShiftRange(const Range& range, const Edit& edit, bool grow);

struct FormulaPlace {
    std::string_view editedSheet; // the sheet the edit happens on
    bool onEditedSheet = false;   // the formula lives on that sheet, so its unqualified references point there
    bool grow = true;             // its ranges may take in copies (not for formulas inside the copied block)
};

// The formula with every reference to the edited sheet moved; a reference whose cells were all deleted
// becomes "#REF!". `changed` (optional) tells whether any text changed.
std::string ShiftFormula(std::string_view formula, const Edit& edit, const FormulaPlace& place,
                         bool* changed = nullptr);

// The formula as it reads once copied dr rows down and dc columns right: relative parts of references
// move, absolute ones ("$") stay; a reference pushed off the sheet becomes "#REF!".
std::string OffsetFormula(std::string_view formula, int dr, int dc);

// References qualified with the sheet `from` are qualified with `to` instead.
std::string RenameSheetInFormula(std::string_view formula, std::string_view from, std::string_view to);

// A space-separated list of ranges ("A1:B2 D4") under an edit; deleted ranges are dropped.
std::string ShiftRangeList(std::string_view list, const Edit& edit, bool grow);

// "Sheet1" stays as it is; "Lista 1" becomes "'Lista 1'".
std::string QuoteSheetName(std::string_view name);

// Equality of sheet names as workbooks compare them: without regard to case.
bool SameSheetName(std::string_view a, std::string_view b);

} // namespace lirma::workbook

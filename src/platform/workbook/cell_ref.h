// Cell and range addresses in the A1 notation of workbook files. Rows and columns count from 1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lirma::workbook {

inline constexpr int MaxRow = 1048576;
inline constexpr int MaxColumn = 16384;

// "A" -> 1, "XFD" -> 16384; 0 for anything else (lower case is accepted).
int ColumnNumber(std::string_view letters);
// 1 -> "A"; "" outside 1..MaxColumn.
std::string ColumnLetters(int column);
// (5, 2) -> "B5".
std::string CellName(int row, int column);

struct CellRef {
    int row = 0;
    int column = 0;
    bool operator==(const CellRef&) const = default;
};

// "B5" or "$B$5" -> (5, 2).
std::optional<CellRef> ParseCellName(std::string_view text);

// An inclusive rectangle of cells.
struct Range {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    bool contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool singleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }
    bool operator==(const Range&) const = default;
};

// "A1:C3" or "B2" (a single cell); "$" signs are accepted.
std::optional<Range> ParseRange(std::string_view text);
// "A1:C3", or "B2" for a single cell.
std::string RangeName(const Range& range);

} // namespace lirma::workbook

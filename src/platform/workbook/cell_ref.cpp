#include "platform/workbook/cell_ref.h"

namespace lirma::workbook {

int ColumnNumber(std::string_view letters)
{
    if (letters.empty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (char ch : letters) {
        char up = (ch >= 'a' && ch <= 'z') ? char(ch - 'a' + 'A') : ch;
        if (up < 'A' || up > 'Z')
            return 0;
        n = n * 26 + (up - 'A' + 1);
    }
    return n <= MaxColumn ? n : 0;
}

std::string ColumnLetters(int column)
{
    if (column < 1 || column > MaxColumn)
        return {};
    std::string out;
    while (column > 0) {
        int rem = (column - 1) % 26;
        out.insert(out.begin(), char('A' + rem));
        column = (column - 1) / 26;
    }
    return out;
}

std::string CellName(int row, int column)
{
    return ColumnLetters(column) + std::to_string(row);
}

std::optional<CellRef> ParseCellName(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && text[i] == '$')
        ++i;
    size_t letters = i;
    while (i < text.size() && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z')))
        ++i;
    int column = ColumnNumber(text.substr(letters, i - letters));
    if (column == 0)
        return std::nullopt;
    if (i < text.size() && text[i] == '$')
        ++i;
    if (i >= text.size())
        return std::nullopt;
    long row = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        row = row * 10 + (text[i] - '0');
        if (row > MaxRow)
            return std::nullopt;
    }
    if (row < 1)
        return std::nullopt;
    return CellRef{int(row), column};
}

std::optional<Range> ParseRange(std::string_view text)
{
    size_t colon = text.find(':');
    auto first = ParseCellName(text.substr(0, colon));
    if (!first)
        return std::nullopt;
    if (colon == std::string_view::npos)
        return Range{first->row, first->column, first->row, first->column};
    auto last = ParseCellName(text.substr(colon + 1));
    if (!last)
        return std::nullopt;
    Range r{std::min(first->row, last->row), std::min(first->column, last->column),
            std::max(first->row, last->row), std::max(first->column, last->column)};
    return r;
}

std::string RangeName(const Range& range)
{
    std::string first = CellName(range.firstRow, range.firstColumn);
    if (range.singleCell())
        return first;
    return first + ":" + CellName(range.lastRow, range.lastColumn);
}

} // namespace lirma::workbook

#include "platform/workbook/formula_refs.h"

#include <QString>

#include <functional>
#include <sstream>

namespace lirma::workbook {

namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// Characters that continue a name, a number or a reference (bytes of UTF-8 letters included).
bool isWordChar(char c)
{
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '\\' || c == '$' || c == '?'
        || static_cast<unsigned char>(c) >= 0x80;
}

// One end of a reference: a cell ("$B$5"), a whole column ("B") or a whole row ("5").
struct Part {
    bool absColumn = false;
    bool absRow = false;
    int column = 0; // 0: a whole row
    int row = 0;    // 0: a whole column
};

struct Reference {
    std::string prefix; // sheet qualifier as written, "!" included; "" when none
    std::string sheet;  // unquoted sheet name; "" when unqualified
    Part a;
    Part b;
    bool range = false;
};

// Parses one end at `pos`; returns the end position or npos.
size_t parsePart(std::string_view f, size_t pos, Part& part)
{
    size_t i = pos;
    part = Part{};
    if (i < f.size() && f[i] == '$') {
        part.absColumn = true;
        ++i;
    }
    size_t letters = i;
    while (i < f.size() && isLetter(f[i]))
        ++i;
    if (i > letters) {
        part.column = ColumnNumber(f.substr(letters, i - letters));
        if (part.column == 0)
            return std::string_view::npos;
        size_t rowStart = i;
        bool absRow = false;
        if (i < f.size() && f[i] == '$') {
            absRow = true;
            ++i;
        }
        size_t digits = i;
        long row = 0;
        while (i < f.size() && isDigit(f[i])) {
            row = row * 10 + (f[i] - '0');
            if (row > MaxRow)
                return std::string_view::npos;
            ++i;
        }
        if (i == digits) { // a whole column: letters only
            if (absRow)
                return std::string_view::npos;
            return rowStart;
        }
        if (row < 1)
            return std::string_view::npos;
        part.absRow = absRow;
        part.row = int(row);
        return i;
    }
    // A whole row: "$5" or "5"; the "$" read above belongs to the row then.
    part.absRow = part.absColumn;
    part.absColumn = false;
    size_t digits = i;
    long row = 0;
    while (i < f.size() && isDigit(f[i])) {
        row = row * 10 + (f[i] - '0');
        if (row > MaxRow)
            return std::string_view::npos;
        ++i;
    }
    if (i == digits || row < 1)
        return std::string_view::npos;
    part.row = int(row);
    return i;
}

bool endsReference(std::string_view f, size_t pos)
{
    if (pos >= f.size())
        return true;
    char c = f[pos];
    return !(isWordChar(c) || c == '(' || c == '!' || c == '[');
}

// Parses a reference (without its sheet qualifier) at `pos`; returns its end or npos.
size_t parseReference(std::string_view f, size_t pos, Reference& ref)
{
    Part a;
    size_t end = parsePart(f, pos, a);
    if (end == std::string_view::npos)
        return end;
    if (end < f.size() && f[end] == ':') {
        Part b;
        size_t end2 = parsePart(f, end + 1, b);
        bool sameKind = end2 != std::string_view::npos && (a.column == 0) == (b.column == 0)
            && (a.row == 0) == (b.row == 0);
        if (sameKind && endsReference(f, end2)) {
            ref.a = a;
            ref.b = b;
            ref.range = true;
            return end2;
        }
    }
    // A single reference must name one cell.
    if (a.column == 0 || a.row == 0 || !endsReference(f, end))
        return std::string_view::npos;
    ref.a = a;
    ref.b = a;
    ref.range = false;
    return end;
}

void writePart(std::string& out, const Part& p)
{
    if (p.column != 0) {
        if (p.absColumn)
            out += '$';
        out += ColumnLetters(p.column);
    }
    if (p.row != 0) {
        if (p.absRow)
            out += '$';
        out += std::to_string(p.row);
    }
}

std::string writeReference(const Reference& ref)
{
    std::string out = ref.prefix;
    writePart(out, ref.a);
    if (ref.range) {
        out += ':';
        writePart(out, ref.b);
    }
    return out;
}

// Walks a formula and hands every reference to `change`, which edits it and returns false when the
// reference no longer exists. Text in quotes and in brackets is left alone.
using RefChange = std::function<bool(Reference&)>;

std::string walk(std::string_view f, const RefChange& change, bool* changed)
{
    std::string out;
    out.reserve(f.size() + 8);
    bool any = false;
    size_t i = 0;
    auto emitRef = [&](size_t start, size_t end, Reference& ref) {
        Reference before = ref;
        if (!change(ref)) {
            out += ref.prefix;
            out += "#REF!";
            any = true;
        } else {
            std::string text = writeReference(ref);
            if (text != f.substr(start, end - start))
                any = true;
            out += text;
        }
        (void)before;
    };
    while (i < f.size()) {
        char c = f[i];
        if (c == '"') {
            size_t j = i + 1;
            while (j < f.size()) {
                if (f[j] == '"') {
                    if (j + 1 < f.size() && f[j + 1] == '"') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, f.size());
            out.append(f.substr(i, j - i));
            i = j;
        } else if (c == '[') {
            int depth = 0;
            size_t j = i;
            for (; j < f.size(); ++j) {
                if (f[j] == '[')
                    ++depth;
                else if (f[j] == ']' && --depth == 0)
                    break;
            }
            j = std::min(j + 1, f.size());
            out.append(f.substr(i, j - i));
            i = j;
        } else if (c == '\'') {
            std::string name;
            size_t j = i + 1;
            while (j < f.size()) {
                if (f[j] == '\'') {
                    if (j + 1 < f.size() && f[j + 1] == '\'') {
                        name += '\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                name += f[j++];
            }
            if (j + 1 < f.size() && f[j] == '\'' && f[j + 1] == '!') {
                Reference ref;
                ref.prefix = std::string(f.substr(i, j + 2 - i));
                ref.sheet = name;
                size_t end = parseReference(f, j + 2, ref);
                if (end != std::string_view::npos) {
                    emitRef(i, end, ref);
                    i = end;
                    continue;
                }
                out.append(f.substr(i, j + 2 - i));
                i = j + 2;
            } else {
                j = std::min(j + 1, f.size());
                out.append(f.substr(i, j - i));
                i = j;
            }
        } else if (isWordChar(c)) {
            size_t j = i;
            while (j < f.size() && isWordChar(f[j]) && f[j] != '$')
                ++j;
            Reference ref;
            size_t end = std::string_view::npos;
            if (j > i && j < f.size() && f[j] == '!' && !isDigit(c)) {
                ref.prefix = std::string(f.substr(i, j + 1 - i));
                ref.sheet = std::string(f.substr(i, j - i));
                end = parseReference(f, j + 1, ref);
                if (end == std::string_view::npos) {
                    out.append(f.substr(i, j + 1 - i));
                    i = j + 1;
                    continue;
                }
            } else {
                end = parseReference(f, i, ref);
            }
            if (end != std::string_view::npos) {
                emitRef(i, end, ref);
                i = end;
                continue;
            }
            size_t k = i;
            while (k < f.size() && isWordChar(f[k]))
                ++k;
            out.append(f.substr(i, k - i));
            i = k;
        } else {
            out += c;
            ++i;
        }
    }
    if (changed)
        *changed = any;
    return out;
}

bool lineInSheet(int value, Axis axis) { return value >= 1 && value <= (axis == Axis::Rows ? MaxRow : MaxColumn); }

int limitOf(Axis axis) { return axis == Axis::Rows ? MaxRow : MaxColumn; }

} // namespace

bool ShiftLine(int& line, const Edit& edit)
{
    if (edit.insert) {
        if (line >= edit.at)
            line = std::min(line + edit.count, limitOf(edit.axis));
        return true;
    }
    int last = edit.at + edit.count - 1;
    if (line >= edit.at && line <= last)
        return false;
    if (line > last)
        line -= edit.count;
    return true;
}

bool ShiftSpan(int& first, int& last, const Edit& edit, bool grow)
{
    if (first > last)
        std::swap(first, last);
    if (edit.insert) {
        bool takeCopies = grow && edit.copiesBelowBlock() && first <= edit.blockFirst && last == edit.blockLast;
        int limit = limitOf(edit.axis);
        if (first >= edit.at)
            first = std::min(first + edit.count, limit);
        if (last >= edit.at || takeCopies)
            last = std::min(last + edit.count, limit);
        return true;
    }
    int p = edit.at;
    int q = edit.at + edit.count - 1;
    int nf = first < p ? first : (first > q ? first - edit.count : p);
    int nl = last < p ? last : (last > q ? last - edit.count : p - 1);
    if (nf > nl)
        return false;
    first = nf;
    last = nl;
    return true;
}

std::optional<Range> ShiftRange(const Range& range, const Edit& edit, bool grow)
{
    Range r = range;
    bool ok = edit.axis == Axis::Rows ? ShiftSpan(r.firstRow, r.lastRow, edit, grow)
                                      : ShiftSpan(r.firstColumn, r.lastColumn, edit, grow);
    if (!ok)
        return std::nullopt;
    return r;
}

bool SameSheetName(std::string_view a, std::string_view b)
{
    if (a.size() == b.size() && a == b)
        return true;
    return QString::fromUtf8(a.data(), qsizetype(a.size()))
               .compare(QString::fromUtf8(b.data(), qsizetype(b.size())), Qt::CaseInsensitive)
        == 0;
}

std::string ShiftFormula(std::string_view formula, const Edit& edit, const FormulaPlace& place, bool* changed)
{
    return walk(
        formula,
        [&](Reference& ref) {
            bool onSheet = ref.sheet.empty() ? place.onEditedSheet : SameSheetName(ref.sheet, place.editedSheet);
            if (!onSheet)
                return true;
            if (edit.axis == Axis::Rows) {
                if (ref.a.row == 0) // whole columns
                    return true;
                if (ref.range)
                    return ShiftSpan(ref.a.row, ref.b.row, edit, place.grow);
                bool ok = ShiftLine(ref.a.row, edit);
                ref.b = ref.a;
                return ok;
            }
            if (ref.a.column == 0) // whole rows
                return true;
            if (ref.range)
                return ShiftSpan(ref.a.column, ref.b.column, edit, place.grow);
            bool ok = ShiftLine(ref.a.column, edit);
            ref.b = ref.a;
            return ok;
        },
        changed);
}

std::string OffsetFormula(std::string_view formula, int dr, int dc)
{
    if (dr == 0 && dc == 0)
        return std::string(formula);
    auto move = [&](Part& p) {
        if (p.row != 0 && !p.absRow) {
            p.row += dr;
            if (!lineInSheet(p.row, Axis::Rows))
                return false;
        }
        if (p.column != 0 && !p.absColumn) {
            p.column += dc;
            if (!lineInSheet(p.column, Axis::Columns))
                return false;
        }
        return true;
    };
    return walk(
        formula,
        [&](Reference& ref) {
            if (!move(ref.a))
                return false;
            if (ref.range)
                return move(ref.b);
            ref.b = ref.a;
            return true;
        },
        nullptr);
}

std::string QuoteSheetName(std::string_view name)
{
    bool plain = !name.empty() && !isDigit(name[0]);
    for (char c : name) {
        if (!(isLetter(c) || isDigit(c) || c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80))
            plain = false;
    }
    // A name that reads like a cell ("AB12") must be quoted too.
    if (plain && ParseCellName(name))
        plain = false;
    if (plain)
        return std::string(name);
    std::string out = "'";
    for (char c : name) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    out += '\'';
    return out;
}

std::string RenameSheetInFormula(std::string_view formula, std::string_view from, std::string_view to)
{
    return walk(
        formula,
        [&](Reference& ref) {
            if (!ref.sheet.empty() && SameSheetName(ref.sheet, from)) {
                ref.sheet = std::string(to);
                ref.prefix = QuoteSheetName(to) + "!";
            }
            return true;
        },
        nullptr);
}

std::string ShiftRangeList(std::string_view list, const Edit& edit, bool grow)
{
    std::string out;
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && list[i] == ' ')
            ++i;
        size_t j = list.find(' ', i);
        if (j == std::string_view::npos)
            j = list.size();
        if (j > i) {
            std::string_view item = list.substr(i, j - i);
            if (auto r = ParseRange(item)) {
                if (auto moved = ShiftRange(*r, edit, grow)) {
                    if (!out.empty())
                        out += ' ';
                    out += RangeName(*moved);
                }
            } else {
                if (!out.empty())
                    out += ' ';
                out += item;
            }
        }
        i = j;
    }
    return out;
}

} // namespace lirma::workbook

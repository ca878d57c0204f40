#include "platform/workbook/xlsx_template.h"

#include "platform/workbook/zip_package.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace lirma::workbook {

namespace {

constexpr char kRelWorksheet[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr char kContentWorksheet[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
constexpr unsigned kSaveOptions = pugi::format_raw | pugi::format_no_declaration;

std::string_view localName(const char* name)
{
    const char* colon = std::strchr(name, ':');
    return colon ? std::string_view(colon + 1) : std::string_view(name);
}

pugi::xml_node childNamed(pugi::xml_node node, std::string_view local)
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c.name()) == local)
            return c;
    return {};
}

std::vector<pugi::xml_node> childrenNamed(pugi::xml_node node, std::string_view local)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c.name()) == local)
            out.push_back(c);
    return out;
}

pugi::xml_attribute attrEndingWith(pugi::xml_node node, std::string_view suffix)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        std::string_view n = a.name();
        if (n.size() >= suffix.size() && n.substr(n.size() - suffix.size()) == suffix)
            return a;
    }
    return {};
}

std::string prefixOf(pugi::xml_node node)
{
    std::string_view n = node.name();
    size_t colon = n.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(n.substr(0, colon + 1));
}

bool validXmlChar(unsigned char c) { return c >= 0x20 || c == '\t' || c == '\n' || c == '\r'; }

void escapeText(std::string& out, std::string_view text)
{
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += "&#13;"; break;
        default:
            if (validXmlChar(c))
                out += ch;
        }
    }
}

void escapeAttr(std::string& out, std::string_view text)
{
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        case '\t': out += "&#9;"; break;
        default:
            if (validXmlChar(c))
                out += ch;
        }
    }
}

// The attributes of a node as text (" a=\"1\" b=\"2\""), leaving out the named ones.
std::string attributesExcept(pugi::xml_node node, std::initializer_list<std::string_view> skip)
{
    std::string out;
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        std::string_view n = a.name();
        if (std::find(skip.begin(), skip.end(), n) != skip.end())
            continue;
        out += ' ';
        out += n;
        out += "=\"";
        escapeAttr(out, a.value());
        out += '"';
    }
    return out;
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

std::string serialize(const pugi::xml_document& doc)
{
    StringWriter w;
    doc.save(w, "", kSaveOptions, pugi::encoding_utf8);
    return std::move(w.out);
}

bool parseXml(pugi::xml_document& doc, const std::string& data)
{
    return bool(doc.load_buffer(data.data(), data.size(), kParseOptions, pugi::encoding_utf8));
}

int toInt(std::string_view s, int fallback = 0)
{
    int v = fallback;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    return res.ec == std::errc() ? v : fallback;
}

std::string toUtf8(const QString& s) { return s.toStdString(); }
QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Part names: "xl/" + "worksheets/sheet1.xml", "/xl/x.xml", "../x.xml".
std::string resolveTarget(const std::string& baseDir, const std::string& target)
{
    std::string path = !target.empty() && target[0] == '/' ? target.substr(1) : baseDir + target;
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos)
            j = path.size();
        std::string seg = path.substr(i, j - i);
        if (seg == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!seg.empty() && seg != ".") {
            parts.push_back(seg);
        }
        i = j + 1;
    }
    std::string out;
    for (const auto& p : parts) {
        if (!out.empty())
            out += '/';
        out += p;
    }
    return out;
}

// Order of the children of a worksheet, which readers insist on.
const std::vector<std::string_view>& worksheetOrder()
{
    static const std::vector<std::string_view> order = {
        "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
        "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState", "dataConsolidate",
        "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting", "dataValidations",
        "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks",
        "customProperties", "cellWatches", "ignoredErrors", "smartTags", "drawing", "legacyDrawing",
        "legacyDrawingHF", "picture", "oleObjects", "controls", "webPublishItems", "tableParts", "extLst"};
    return order;
}

const std::vector<std::string_view>& workbookOrder()
{
    static const std::vector<std::string_view> order = {
        "fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews", "sheets",
        "functionGroups", "externalReferences", "definedNames", "calcPr", "oleSize", "customWorkbookViews",
        "pivotCaches", "smartTagPr", "smartTagTypes", "webPublishing", "fileRecoveryPr", "webPublishObjects",
        "extLst"};
    return order;
}

// The child with that local name, created at its place in `order` when missing.
pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local, const std::vector<std::string_view>& order,
                           const std::string& prefix)
{
    if (pugi::xml_node existing = childNamed(parent, local))
        return existing;
    auto rank = [&](std::string_view n) {
        auto it = std::find(order.begin(), order.end(), n);
        return it == order.end() ? int(order.size()) : int(it - order.begin());
    };
    int mine = rank(local);
    std::string name = prefix + std::string(local);
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element && rank(localName(c.name())) > mine)
            return parent.insert_child_before(name.c_str(), c);
    }
    return parent.append_child(name.c_str());
}

enum class CellType : uint8_t { Blank, Number, Shared, Inline, Bool, Error, Str };

struct XCell {
    int col = 0;
    CellType type = CellType::Blank;
    std::string style;        // "s" attribute
    std::string value;        // number literal, shared string index, text, "0"/"1", error or formula result
    std::string formula;      // without "="; "" when none
    std::string formulaAttrs; // other attributes of <f>
    std::string arrayRef;     // range of an array formula
    std::string extraAttrs;   // other attributes of <c>
};

struct XRow {
    int r = 0;
    std::string attrs; // attributes other than r and spans
    std::vector<XCell> cells;
};

bool cellInRows(int row, int first, int last) { return row >= first && row <= last; }

} // namespace

// ---------------------------------------------------------------------------------------------------------
// Sheet internals

struct Sheet::Impl {
    Workbook::Impl* book = nullptr;
    std::string part;
    std::string name;
    pugi::xml_document doc;
    std::string prefix;
    std::vector<XRow> rows;
    std::vector<Range> merges;
    std::set<int> rowBreaks;
    std::set<int> colBreaks;
    std::map<int, std::string> cols; // column -> attributes other than min and max
    bool modified = false;

    bool load(const std::string& data, std::string* error);
    std::string save();
    void copyFrom(const Impl& other);

    std::vector<XRow>::iterator lowerRow(int r)
    {
        return std::lower_bound(rows.begin(), rows.end(), r, [](const XRow& x, int v) { return x.r < v; });
    }
    std::vector<XRow>::const_iterator lowerRow(int r) const
    {
        return std::lower_bound(rows.begin(), rows.end(), r, [](const XRow& x, int v) { return x.r < v; });
    }
    const XRow* findRow(int r) const
    {
        auto it = lowerRow(r);
        return it != rows.end() && it->r == r ? &*it : nullptr;
    }
    XRow& rowAt(int r)
    {
        auto it = lowerRow(r);
        if (it != rows.end() && it->r == r)
            return *it;
        XRow row;
        row.r = r;
        return *rows.insert(it, std::move(row));
    }
    static const XCell* findCellIn(const XRow& row, int c)
    {
        auto it = std::lower_bound(row.cells.begin(), row.cells.end(), c,
                                   [](const XCell& x, int v) { return x.col < v; });
        return it != row.cells.end() && it->col == c ? &*it : nullptr;
    }
    const XCell* findCell(int r, int c) const
    {
        const XRow* row = findRow(r);
        return row ? findCellIn(*row, c) : nullptr;
    }
    XCell& cellAt(int r, int c)
    {
        XRow& row = rowAt(r);
        auto it = std::lower_bound(row.cells.begin(), row.cells.end(), c,
                                   [](const XCell& x, int v) { return x.col < v; });
        if (it != row.cells.end() && it->col == c)
            return *it;
        XCell cell;
        cell.col = c;
        return *row.cells.insert(it, std::move(cell));
    }

    CellValue valueOf(const XCell& cell) const;
    pugi::xml_node root() { return doc.document_element(); }

    // The edit applied to what this sheet holds besides its cells' places.
    void shiftFormulas(const Edit& edit, bool onEditedSheet, const std::string& editedName, int blockFirst,
                       int blockLast);
    void shiftSheetParts(const Edit& edit);
    void shiftMerges(const Edit& edit);
    void shiftBreaks(const Edit& edit);
};

// ---------------------------------------------------------------------------------------------------------
// Workbook internals

struct Workbook::Impl {
    ZipPackage pkg;
    std::string error;
    bool open = false;
    std::string workbookPart;
    std::string workbookDir;
    std::string relsPart;
    pugi::xml_document wbDoc;
    pugi::xml_document relsDoc;
    pugi::xml_document ctDoc;
    bool relsChanged = false;
    bool ctChanged = false;
    std::vector<std::string> sst;
    std::vector<std::unique_ptr<Sheet>> sheets; // nullptr for sheets we do not edit (chart sheets)

    pugi::xml_node sheetsNode() { return childNamed(wbDoc.document_element(), "sheets"); }
    std::vector<pugi::xml_node> sheetNodes() { return childrenNamed(sheetsNode(), "sheet"); }
    int indexOf(const Sheet::Impl* s) const
    {
        for (size_t i = 0; i < sheets.size(); ++i)
            if (sheets[i] && sheets[i]->impl_.get() == s)
                return int(i);
        return -1;
    }

    // A structural edit of one sheet, carried into every formula and defined name of the workbook.
    // Rows (columns) blockFirst..blockLast of the edited sheet are the copied block, whose formulas do
    // not take in the copies.
    void propagate(Sheet::Impl& edited, const Edit& edit, int blockFirst = 0, int blockLast = 0)
    {
        for (auto& sheet : sheets) {
            if (!sheet)
                continue;
            Sheet::Impl& s = *sheet->impl_;
            s.shiftFormulas(edit, &s == &edited, edited.name, blockFirst, blockLast);
        }
        pugi::xml_node names = childNamed(wbDoc.document_element(), "definedNames");
        for (pugi::xml_node n : childrenNamed(names, "definedName")) {
            FormulaPlace place{edited.name, false, true};
            std::string text = ShiftFormula(n.text().get(), edit, place);
            n.text().set(text.c_str());
        }
        edited.shiftSheetParts(edit);
        edited.modified = true;
    }

    bool load(const QString& path);
    bool loadSharedStrings(const std::string& part);
    bool save(const QString& path);
};

// ---------------------------------------------------------------------------------------------------------

CellValue Sheet::Impl::valueOf(const XCell& cell) const
{
    switch (cell.type) {
    case CellType::Blank:
        return {};
    case CellType::Number:
        return CellValue::Literal(cell.value);
    case CellType::Shared: {
        int idx = toInt(cell.value, -1);
        if (idx >= 0 && size_t(idx) < book->sst.size())
            return CellValue::Text(fromUtf8(book->sst[size_t(idx)]));
        return CellValue::Text({});
    }
    case CellType::Bool:
        return CellValue::Text(cell.value == "1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    case CellType::Inline:
    case CellType::Error:
    case CellType::Str:
        return CellValue::Text(fromUtf8(cell.value));
    }
    return {};
}

bool Sheet::Impl::load(const std::string& data, std::string* error)
{
    if (!parseXml(doc, data)) {
        if (error)
            *error = part + ": not a worksheet";
        return false;
    }
    pugi::xml_node ws = root();
    prefix = prefixOf(ws);
    pugi::xml_node sheetData = childNamed(ws, "sheetData");
    if (!sheetData) {
        if (error)
            *error = part + ": sheet without sheetData";
        return false;
    }
    struct SharedMaster {
        int row;
        int col;
        std::string text;
    };
    std::unordered_map<std::string, SharedMaster> masters;
    struct SharedUse {
        int row;
        int col;
        std::string si;
    };
    std::vector<SharedUse> uses;

    int lastRow = 0;
    for (pugi::xml_node rowNode : childrenNamed(sheetData, "row")) {
        XRow row;
        row.r = toInt(rowNode.attribute("r").value(), lastRow + 1);
        if (row.r <= lastRow)
            row.r = lastRow + 1;
        lastRow = row.r;
        row.attrs = attributesExcept(rowNode, {"r", "spans"});
        int lastCol = 0;
        for (pugi::xml_node c : childrenNamed(rowNode, "c")) {
            XCell cell;
            auto ref = ParseCellName(c.attribute("r").value());
            cell.col = ref ? ref->column : lastCol + 1;
            if (cell.col <= lastCol)
                cell.col = lastCol + 1;
            lastCol = cell.col;
            cell.style = c.attribute("s").value();
            cell.extraAttrs = attributesExcept(c, {"r", "s", "t"});
            std::string_view t = c.attribute("t").value();
            pugi::xml_node v = childNamed(c, "v");
            pugi::xml_node f = childNamed(c, "f");
            if (f) {
                cell.formula = f.text().get();
                std::string_view ft = f.attribute("t").value();
                if (ft == "shared") {
                    std::string si = f.attribute("si").value();
                    if (!cell.formula.empty() && f.attribute("ref"))
                        masters[si] = {row.r, cell.col, cell.formula};
                    else
                        uses.push_back({row.r, cell.col, si});
                    cell.formulaAttrs = attributesExcept(f, {"t", "si", "ref"});
                } else if (ft == "array") {
                    cell.arrayRef = f.attribute("ref").value();
                    cell.formulaAttrs = attributesExcept(f, {"t", "ref"});
                } else {
                    cell.formulaAttrs = attributesExcept(f, {});
                }
            }
            if (t == "s") {
                cell.type = CellType::Shared;
                cell.value = v.text().get();
            } else if (t == "inlineStr") {
                cell.type = CellType::Inline;
                pugi::xml_node is = childNamed(c, "is");
                for (pugi::xml_node part = is.first_child(); part; part = part.next_sibling()) {
                    std::string_view n = localName(part.name());
                    if (n == "t")
                        cell.value += part.text().get();
                    else if (n == "r")
                        cell.value += childNamed(part, "t").text().get();
                }
            } else if (t == "b") {
                cell.type = CellType::Bool;
                cell.value = v.text().get();
            } else if (t == "e") {
                cell.type = CellType::Error;
                cell.value = v.text().get();
            } else if (t == "str" || t == "d") {
                cell.type = CellType::Str;
                cell.value = v.text().get();
            } else if (v && *v.text().get()) {
                cell.type = CellType::Number;
                cell.value = v.text().get();
            }
            row.cells.push_back(std::move(cell));
        }
        rows.push_back(std::move(row));
    }
    while (sheetData.first_child())
        sheetData.remove_child(sheetData.first_child());
    sheetData.append_attribute("lirmaSheetData") = "1";

    // Shared formulas become ordinary ones, so that each cell's formula can be moved on its own.
    for (const SharedUse& use : uses) {
        auto it = masters.find(use.si);
        if (it == masters.end())
            continue;
        XCell& cell = cellAt(use.row, use.col);
        cell.formula = OffsetFormula(it->second.text, use.row - it->second.row, use.col - it->second.col);
    }

    if (pugi::xml_node mc = childNamed(ws, "mergeCells")) {
        for (pugi::xml_node m : childrenNamed(mc, "mergeCell"))
            if (auto r = ParseRange(m.attribute("ref").value()); r && !r->singleCell())
                merges.push_back(*r);
        ws.remove_child(mc);
    }
    if (pugi::xml_node rb = childNamed(ws, "rowBreaks")) {
        for (pugi::xml_node b : childrenNamed(rb, "brk"))
            rowBreaks.insert(toInt(b.attribute("id").value()) + 1);
        ws.remove_child(rb);
    }
    if (pugi::xml_node cb = childNamed(ws, "colBreaks")) {
        for (pugi::xml_node b : childrenNamed(cb, "brk"))
            colBreaks.insert(toInt(b.attribute("id").value()) + 1);
        ws.remove_child(cb);
    }
    if (pugi::xml_node colsNode = childNamed(ws, "cols")) {
        for (pugi::xml_node c : childrenNamed(colsNode, "col")) {
            int mn = std::max(1, toInt(c.attribute("min").value(), 1));
            int mx = std::min(MaxColumn, toInt(c.attribute("max").value(), mn));
            std::string attrs = attributesExcept(c, {"min", "max"});
            for (int i = mn; i <= mx; ++i)
                cols[i] = attrs;
        }
        ws.remove_child(colsNode);
    }
    return true;
}

void Sheet::Impl::copyFrom(const Impl& other)
{
    book = other.book;
    doc.reset(other.doc);
    prefix = other.prefix;
    rows = other.rows;
    merges = other.merges;
    rowBreaks = other.rowBreaks;
    colBreaks = other.colBreaks;
    cols = other.cols;
}

void Sheet::Impl::shiftFormulas(const Edit& edit, bool onEditedSheet, const std::string& editedName, int blockFirst,
                                int blockLast)
{
    bool changedAny = false;
    for (XRow& row : rows) {
        for (XCell& cell : row.cells) {
            if (cell.formula.empty() && cell.arrayRef.empty())
                continue;
            int line = edit.axis == Axis::Rows ? row.r : cell.col;
            bool inBlock = onEditedSheet && blockLast > 0 && cellInRows(line, blockFirst, blockLast);
            FormulaPlace place{editedName, onEditedSheet, !inBlock};
            if (!cell.formula.empty()) {
                bool changed = false;
                std::string moved = ShiftFormula(cell.formula, edit, place, &changed);
                if (changed) {
                    cell.formula = std::move(moved);
                    changedAny = true;
                }
            }
            if (onEditedSheet && !cell.arrayRef.empty()) {
                if (auto r = ParseRange(cell.arrayRef)) {
                    if (auto m = ShiftRange(*r, edit, false))
                        cell.arrayRef = RangeName(*m);
                }
            }
        }
    }
    // Formulas of conditional formats and validations.
    pugi::xml_node ws = root();
    auto shiftNodeFormulas = [&](pugi::xml_node parent, std::initializer_list<std::string_view> names) {
        for (auto n : names)
            for (pugi::xml_node f : childrenNamed(parent, n)) {
                bool changed = false;
                std::string moved = ShiftFormula(f.text().get(), edit, {editedName, onEditedSheet, true}, &changed);
                if (changed) {
                    f.text().set(moved.c_str());
                    changedAny = true;
                }
            }
    };
    for (pugi::xml_node cf : childrenNamed(ws, "conditionalFormatting"))
        for (pugi::xml_node rule : childrenNamed(cf, "cfRule"))
            shiftNodeFormulas(rule, {"formula"});
    if (pugi::xml_node dvs = childNamed(ws, "dataValidations"))
        for (pugi::xml_node dv : childrenNamed(dvs, "dataValidation"))
            shiftNodeFormulas(dv, {"formula1", "formula2"});
    if (changedAny)
        modified = true;
}

void Sheet::Impl::shiftMerges(const Edit& edit)
{
    std::vector<Range> out;
    out.reserve(merges.size());
    for (const Range& r : merges) {
        auto m = ShiftRange(r, edit, false);
        if (m && !m->singleCell())
            out.push_back(*m);
    }
    merges = std::move(out);
}

void Sheet::Impl::shiftBreaks(const Edit& edit)
{
    std::set<int>& breaks = edit.axis == Axis::Rows ? rowBreaks : colBreaks;
    std::set<int> out;
    for (int b : breaks) {
        if (!edit.insert && b == edit.at) {
            out.insert(b); // the break stays before whatever follows the deleted lines
            continue;
        }
        int line = b;
        if (ShiftLine(line, edit) && line > 1)
            out.insert(line);
    }
    breaks = std::move(out);
}

void Sheet::Impl::shiftSheetParts(const Edit& edit)
{
    shiftMerges(edit);
    shiftBreaks(edit);
    pugi::xml_node ws = root();
    auto shiftRef = [&](pugi::xml_node node, const char* attr, bool grow) {
        pugi::xml_attribute a = node.attribute(attr);
        if (!a)
            return true;
        std::string moved = ShiftRangeList(a.value(), edit, grow);
        if (moved.empty())
            return false;
        a.set_value(moved.c_str());
        return true;
    };
    for (pugi::xml_node cf : childrenNamed(ws, "conditionalFormatting"))
        if (!shiftRef(cf, "sqref", true))
            ws.remove_child(cf);
    if (pugi::xml_node dvs = childNamed(ws, "dataValidations")) {
        for (pugi::xml_node dv : childrenNamed(dvs, "dataValidation"))
            if (!shiftRef(dv, "sqref", true))
                dvs.remove_child(dv);
        auto left = childrenNamed(dvs, "dataValidation");
        if (left.empty())
            ws.remove_child(dvs);
        else if (pugi::xml_attribute count = dvs.attribute("count"))
            count.set_value(int(left.size()));
    }
    if (pugi::xml_node links = childNamed(ws, "hyperlinks")) {
        for (pugi::xml_node h : childrenNamed(links, "hyperlink"))
            if (!shiftRef(h, "ref", false))
                links.remove_child(h);
        if (childrenNamed(links, "hyperlink").empty())
            ws.remove_child(links);
    }
    if (pugi::xml_node af = childNamed(ws, "autoFilter"))
        if (!shiftRef(af, "ref", true))
            ws.remove_child(af);
    if (edit.axis == Axis::Columns) {
        std::map<int, std::string> moved;
        for (auto& [col, attrs] : cols) {
            int c = col;
            if (!edit.insert && c >= edit.at && c < edit.at + edit.count)
                continue;
            if (ShiftLine(c, edit))
                moved[c] = attrs;
        }
        cols = std::move(moved);
    }
}

std::string Sheet::Impl::save()
{
    pugi::xml_node ws = root();
    const auto& order = worksheetOrder();
    int usedRow = 0;
    int usedCol = 0;
    for (const XRow& row : rows) {
        if (!row.cells.empty()) {
            usedRow = row.r;
            usedCol = std::max(usedCol, row.cells.back().col);
        }
    }
    // Dimension.
    {
        pugi::xml_node dim = ensureChild(ws, "dimension", order, prefix);
        std::string ref = usedRow ? "A1:" + CellName(usedRow, std::max(usedCol, 1)) : std::string("A1");
        if (dim.attribute("ref"))
            dim.attribute("ref").set_value(ref.c_str());
        else
            dim.append_attribute("ref") = ref.c_str();
    }
    // Column widths.
    if (pugi::xml_node old = childNamed(ws, "cols"))
        ws.remove_child(old);
    if (!cols.empty()) {
        pugi::xml_node colsNode = ensureChild(ws, "cols", order, prefix);
        std::string colsXml;
        auto it = cols.begin();
        while (it != cols.end()) {
            int mn = it->first;
            int mx = mn;
            const std::string& attrs = it->second;
            auto next = std::next(it);
            while (next != cols.end() && next->first == mx + 1 && next->second == attrs) {
                mx = next->first;
                ++next;
            }
            colsXml += "<" + prefix + "col min=\"" + std::to_string(mn) + "\" max=\"" + std::to_string(mx) + "\""
                + attrs + "/>";
            it = next;
        }
        pugi::xml_document frag;
        std::string wrapped = "<w>" + colsXml + "</w>";
        if (frag.load_buffer(wrapped.data(), wrapped.size(), kParseOptions & ~pugi::parse_declaration))
            for (pugi::xml_node c = frag.document_element().first_child(); c; c = c.next_sibling())
                colsNode.append_copy(c);
    }
    // Merged ranges.
    if (pugi::xml_node old = childNamed(ws, "mergeCells"))
        ws.remove_child(old);
    if (!merges.empty()) {
        pugi::xml_node mc = ensureChild(ws, "mergeCells", order, prefix);
        mc.append_attribute("count") = int(merges.size());
        std::string name = prefix + "mergeCell";
        for (const Range& r : merges)
            mc.append_child(name.c_str()).append_attribute("ref") = RangeName(r).c_str();
    }
    // Page breaks after the last used row (or column) print nothing: they are dropped.
    auto writeBreaks = [&](std::string_view local, const std::set<int>& breaks, int used, int maxOther) {
        if (pugi::xml_node old = childNamed(ws, local))
            ws.remove_child(old);
        std::vector<int> kept;
        for (int b : breaks)
            if (b > 1 && b <= used)
                kept.push_back(b);
        if (kept.empty())
            return;
        pugi::xml_node node = ensureChild(ws, local, order, prefix);
        node.append_attribute("count") = int(kept.size());
        node.append_attribute("manualBreakCount") = int(kept.size());
        std::string name = prefix + "brk";
        for (int b : kept) {
            pugi::xml_node brk = node.append_child(name.c_str());
            brk.append_attribute("id") = b - 1;
            brk.append_attribute("max") = maxOther;
            brk.append_attribute("man") = 1;
        }
    };
    writeBreaks("rowBreaks", rowBreaks, usedRow, MaxColumn - 1);
    writeBreaks("colBreaks", colBreaks, usedCol, MaxRow - 1);

    std::string xml = serialize(doc);
    size_t mark = xml.find("lirmaSheetData=\"1\"");
    if (mark == std::string::npos)
        throw std::logic_error("sheet data placeholder lost");
    size_t start = xml.rfind('<', mark);
    size_t end = xml.find('>', mark);
    std::string data;
    data.reserve(rows.size() * 200 + 64);
    const std::string rowName = prefix + "row";
    const std::string cName = prefix + "c";
    const std::string vName = prefix + "v";
    const std::string fName = prefix + "f";
    data += "<" + prefix + "sheetData>";
    for (const XRow& row : rows) {
        if (row.cells.empty() && row.attrs.empty())
            continue;
        data += '<';
        data += rowName;
        data += " r=\"";
        data += std::to_string(row.r);
        data += '"';
        data += row.attrs;
        if (row.cells.empty()) {
            data += "/>";
            continue;
        }
        data += '>';
        for (const XCell& cell : row.cells) {
            data += '<';
            data += cName;
            data += " r=\"";
            data += ColumnLetters(cell.col);
            data += std::to_string(row.r);
            data += '"';
            if (!cell.style.empty()) {
                data += " s=\"";
                escapeAttr(data, cell.style);
                data += '"';
            }
            bool hasFormula = !cell.formula.empty();
            const char* t = nullptr;
            switch (cell.type) {
            case CellType::Shared: t = "s"; break;
            case CellType::Inline: t = "inlineStr"; break;
            case CellType::Bool: t = "b"; break;
            case CellType::Error: t = "e"; break;
            case CellType::Str: t = "str"; break;
            default: break;
            }
            if (t) {
                data += " t=\"";
                data += t;
                data += '"';
            }
            data += cell.extraAttrs;
            if (!hasFormula && (cell.type == CellType::Blank || (cell.value.empty() && cell.type != CellType::Inline))) {
                data += "/>";
                continue;
            }
            data += '>';
            if (hasFormula) {
                data += '<';
                data += fName;
                if (!cell.arrayRef.empty()) {
                    data += " t=\"array\" ref=\"";
                    data += cell.arrayRef;
                    data += '"';
                }
                data += cell.formulaAttrs;
                data += '>';
                escapeText(data, cell.formula);
                data += "</";
                data += fName;
                data += '>';
            }
            if (cell.type == CellType::Inline) {
                data += "<" + prefix + "is><" + prefix + "t xml:space=\"preserve\">";
                escapeText(data, cell.value);
                data += "</" + prefix + "t></" + prefix + "is>";
            } else if (cell.type != CellType::Blank && !cell.value.empty()) {
                data += '<';
                data += vName;
                data += '>';
                escapeText(data, cell.value);
                data += "</";
                data += vName;
                data += '>';
            }
            data += "</";
            data += cName;
            data += '>';
        }
        data += "</";
        data += rowName;
        data += '>';
    }
    data += "</" + prefix + "sheetData>";
    xml.replace(start, end - start + 1, data);
    return xml;
}

// ---------------------------------------------------------------------------------------------------------
// Sheet

Sheet::Sheet(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Sheet::~Sheet() = default;

QString Sheet::name() const { return fromUtf8(impl_->name); }

int Sheet::usedRows() const
{
    for (auto it = impl_->rows.rbegin(); it != impl_->rows.rend(); ++it)
        if (!it->cells.empty())
            return it->r;
    return 0;
}

int Sheet::usedColumns() const
{
    int c = 0;
    for (const XRow& row : impl_->rows)
        if (!row.cells.empty())
            c = std::max(c, row.cells.back().col);
    return c;
}

CellValue Sheet::value(int row, int column) const
{
    const XCell* cell = impl_->findCell(row, column);
    return cell ? impl_->valueOf(*cell) : CellValue();
}

QString Sheet::formula(int row, int column) const
{
    const XCell* cell = impl_->findCell(row, column);
    return cell ? fromUtf8(cell->formula) : QString();
}

bool Sheet::hasCell(int row, int column) const { return impl_->findCell(row, column) != nullptr; }

void Sheet::setValue(int row, int column, const CellValue& value)
{
    if (row < 1 || row > MaxRow || column < 1 || column > MaxColumn)
        throw std::out_of_range("cell outside the sheet");
    XCell& cell = impl_->cellAt(row, column);
    cell.formula.clear();
    cell.formulaAttrs.clear();
    cell.arrayRef.clear();
    switch (value.kind()) {
    case CellValue::Kind::Empty:
        cell.type = CellType::Blank;
        cell.value.clear();
        break;
    case CellValue::Kind::Text:
        cell.type = CellType::Inline;
        cell.value = toUtf8(value.text());
        break;
    case CellValue::Kind::Number:
        cell.type = CellType::Number;
        cell.value = value.literal();
        break;
    }
    impl_->modified = true;
}

void Sheet::setFormula(int row, int column, const QString& formula)
{
    XCell& cell = impl_->cellAt(row, column);
    std::string f = toUtf8(formula);
    if (!f.empty() && f[0] == '=')
        f.erase(0, 1);
    cell.formula = f;
    cell.formulaAttrs.clear();
    cell.arrayRef.clear();
    cell.type = CellType::Blank;
    cell.value.clear();
    impl_->modified = true;
}

void Sheet::forEachTextCell(const std::function<void(int, int, const QString&)>& visit) const
{
    // Indexes, not iterators: the visitor may write the cell it was given.
    for (size_t i = 0; i < impl_->rows.size(); ++i) {
        for (size_t j = 0; j < impl_->rows[i].cells.size(); ++j) {
            const XCell& cell = impl_->rows[i].cells[j];
            if (!cell.formula.empty())
                continue;
            if (cell.type != CellType::Shared && cell.type != CellType::Inline)
                continue;
            int r = impl_->rows[i].r;
            int c = cell.col;
            visit(r, c, impl_->valueOf(cell).text());
        }
    }
}

void Sheet::insertRows(int at, int count)
{
    if (count <= 0 || at < 1)
        return;
    Edit edit = Edit::Insert(Axis::Rows, at, count);
    impl_->book->propagate(*impl_, edit);
    for (XRow& row : impl_->rows)
        if (row.r >= at)
            row.r += count;
    std::erase_if(impl_->rows, [](const XRow& r) { return r.r > MaxRow; });
}

void Sheet::copyRows(int first, int last, int count, int at)
{
    if (first < 1 || last < first || count <= 0)
        return;
    if (at > first && at <= last)
        throw std::invalid_argument("copies cannot go inside the copied rows");
    const int width = last - first + 1;
    const int k = width * count;
    std::vector<Range> blockMerges;
    for (const Range& m : impl_->merges)
        if (m.firstRow >= first && m.lastRow <= last)
            blockMerges.push_back(m);
    std::vector<int> blockBreaks;
    for (int b : impl_->rowBreaks)
        if (b > first && b <= last)
            blockBreaks.push_back(b);
    Edit edit = Edit::InsertCopies(Axis::Rows, at, k, first, last);
    impl_->book->propagate(*impl_, edit, first, last);

    // The block as it reads after the edit (its formulas moved), before the rows move.
    std::vector<XRow> block;
    for (int r = first; r <= last; ++r)
        if (const XRow* row = impl_->findRow(r))
            block.push_back(*row);

    for (XRow& row : impl_->rows)
        if (row.r >= at)
            row.r += k;
    const int sourceNow = first >= at ? first + k : first;
    // Merges and breaks were moved by propagate(); the block's own are repeated in each copy.
    std::vector<XRow> copies;
    copies.reserve(block.size() * size_t(count));
    for (int i = 0; i < count; ++i) {
        for (const XRow& src : block) {
            int dest = at + i * width + (src.r - first);
            if (dest > MaxRow)
                continue;
            int dr = dest - (src.r - first + sourceNow);
            XRow row = src;
            row.r = dest;
            for (XCell& cell : row.cells) {
                if (!cell.formula.empty())
                    cell.formula = OffsetFormula(cell.formula, dr, 0);
                if (!cell.arrayRef.empty())
                    if (auto r = ParseRange(cell.arrayRef)) {
                        Range m = *r;
                        m.firstRow += dr;
                        m.lastRow += dr;
                        cell.arrayRef = RangeName(m);
                    }
            }
            copies.push_back(std::move(row));
        }
        for (Range m : blockMerges) {
            int shift = at + i * width - first;
            m.firstRow += shift;
            m.lastRow += shift;
            if (m.lastRow <= MaxRow)
                impl_->merges.push_back(m);
        }
        for (int b : blockBreaks)
            impl_->rowBreaks.insert(at + i * width + (b - first));
    }
    auto pos = impl_->lowerRow(at);
    impl_->rows.insert(pos, std::make_move_iterator(copies.begin()), std::make_move_iterator(copies.end()));
    std::erase_if(impl_->rows, [](const XRow& r) { return r.r > MaxRow; });
    impl_->modified = true;
}

void Sheet::deleteRows(int first, int last)
{
    if (first < 1 || last < first)
        return;
    const int width = last - first + 1;
    Edit edit = Edit::Delete(Axis::Rows, first, last);
    impl_->book->propagate(*impl_, edit);
    std::erase_if(impl_->rows, [&](const XRow& r) { return r.r >= first && r.r <= last; });
    for (XRow& row : impl_->rows)
        if (row.r > last)
            row.r -= width;
}

void Sheet::sortRows(int first, int last, const std::function<bool(int, int)>& less)
{
    if (first < 1 || last <= first)
        return;
    std::vector<int> order(size_t(last - first + 1));
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), less);
    std::vector<XRow> moved;
    for (size_t i = 0; i < order.size(); ++i) {
        int oldRow = order[i];
        int newRow = first + int(i);
        const XRow* src = impl_->findRow(oldRow);
        if (!src)
            continue;
        XRow row = *src;
        row.r = newRow;
        if (newRow != oldRow)
            for (XCell& cell : row.cells)
                if (!cell.formula.empty())
                    cell.formula = OffsetFormula(cell.formula, newRow - oldRow, 0);
        moved.push_back(std::move(row));
    }
    std::sort(moved.begin(), moved.end(), [](const XRow& a, const XRow& b) { return a.r < b.r; });
    std::erase_if(impl_->rows, [&](const XRow& r) { return r.r >= first && r.r <= last; });
    auto pos = impl_->lowerRow(first);
    impl_->rows.insert(pos, std::make_move_iterator(moved.begin()), std::make_move_iterator(moved.end()));
    impl_->modified = true;
}

void Sheet::sortRowsByColumn(int first, int last, int column, bool numeric, bool descending)
{
    auto key = [&](int row) { return value(row, column); };
    sortRows(first, last, [&](int a, int b) {
        CellValue va = key(a);
        CellValue vb = key(b);
        if (descending)
            std::swap(va, vb);
        if (numeric) {
            if (va.isNumber() != vb.isNumber())
                return va.isNumber();
            if (va.isNumber())
                return va.toDouble() < vb.toDouble();
        }
        return va.toString().compare(vb.toString(), Qt::CaseInsensitive) < 0;
    });
}

void Sheet::insertColumns(int at, int count)
{
    if (count <= 0 || at < 1)
        return;
    Edit edit = Edit::Insert(Axis::Columns, at, count);
    impl_->book->propagate(*impl_, edit);
    for (XRow& row : impl_->rows) {
        for (XCell& cell : row.cells)
            if (cell.col >= at)
                cell.col += count;
        std::erase_if(row.cells, [](const XCell& c) { return c.col > MaxColumn; });
    }
}

void Sheet::copyColumns(int first, int last, int count, int at)
{
    if (first < 1 || last < first || count <= 0)
        return;
    if (at > first && at <= last)
        throw std::invalid_argument("copies cannot go inside the copied columns");
    const int width = last - first + 1;
    const int k = width * count;
    std::vector<Range> blockMerges;
    for (const Range& m : impl_->merges)
        if (m.firstColumn >= first && m.lastColumn <= last)
            blockMerges.push_back(m);
    std::vector<int> blockBreaks;
    for (int b : impl_->colBreaks)
        if (b > first && b <= last)
            blockBreaks.push_back(b);
    Edit edit = Edit::InsertCopies(Axis::Columns, at, k, first, last);
    impl_->book->propagate(*impl_, edit, first, last);
    // Widths: propagate() moved them already; the block's widths sit at its new place.
    const int sourceNow = first >= at ? first + k : first;
    std::map<int, std::string> blockCols;
    for (int c = first; c <= last; ++c) {
        auto it = impl_->cols.find(c - first + sourceNow);
        if (it != impl_->cols.end())
            blockCols[c - first] = it->second;
    }

    for (XRow& row : impl_->rows) {
        std::vector<XCell> block;
        for (const XCell& cell : row.cells)
            if (cell.col >= first && cell.col <= last)
                block.push_back(cell);
        for (XCell& cell : row.cells)
            if (cell.col >= at)
                cell.col += k;
        if (block.empty())
            continue;
        for (int i = 0; i < count; ++i) {
            for (const XCell& src : block) {
                XCell cell = src;
                cell.col = at + i * width + (src.col - first);
                if (cell.col > MaxColumn)
                    continue;
                int dc = cell.col - (src.col - first + sourceNow);
                if (!cell.formula.empty())
                    cell.formula = OffsetFormula(cell.formula, 0, dc);
                row.cells.push_back(std::move(cell));
            }
        }
        std::sort(row.cells.begin(), row.cells.end(), [](const XCell& a, const XCell& b) { return a.col < b.col; });
        std::erase_if(row.cells, [](const XCell& c) { return c.col > MaxColumn; });
    }
    for (int i = 0; i < count; ++i) {
        for (auto& [offset, attrs] : blockCols)
            if (at + i * width + offset <= MaxColumn)
                impl_->cols[at + i * width + offset] = attrs;
        for (Range m : blockMerges) {
            int shift = at + i * width - first;
            m.firstColumn += shift;
            m.lastColumn += shift;
            if (m.lastColumn <= MaxColumn)
                impl_->merges.push_back(m);
        }
        for (int b : blockBreaks)
            impl_->colBreaks.insert(at + i * width + (b - first));
    }
    impl_->modified = true;
}

void Sheet::deleteColumns(int first, int last)
{
    if (first < 1 || last < first)
        return;
    const int width = last - first + 1;
    Edit edit = Edit::Delete(Axis::Columns, first, last);
    impl_->book->propagate(*impl_, edit);
    for (XRow& row : impl_->rows) {
        std::erase_if(row.cells, [&](const XCell& c) { return c.col >= first && c.col <= last; });
        for (XCell& cell : row.cells)
            if (cell.col > last)
                cell.col -= width;
    }
}

double Sheet::columnWidth(int column) const
{
    auto it = impl_->cols.find(column);
    if (it == impl_->cols.end())
        return 0;
    const std::string& attrs = it->second;
    size_t pos = attrs.find(" width=\"");
    if (pos == std::string::npos)
        return 0;
    pos += 8;
    double w = 0;
    std::from_chars(attrs.data() + pos, attrs.data() + attrs.size(), w);
    return w;
}

void Sheet::addPageBreakBefore(int row)
{
    if (row > 1 && row <= MaxRow) {
        impl_->rowBreaks.insert(row);
        impl_->modified = true;
    }
}

std::vector<int> Sheet::pageBreaks() const { return {impl_->rowBreaks.begin(), impl_->rowBreaks.end()}; }

void Sheet::addColumnBreakBefore(int column)
{
    if (column > 1 && column <= MaxColumn) {
        impl_->colBreaks.insert(column);
        impl_->modified = true;
    }
}

std::vector<int> Sheet::columnBreaks() const { return {impl_->colBreaks.begin(), impl_->colBreaks.end()}; }

void Sheet::mergeCells(const Range& range)
{
    if (range.singleCell())
        return;
    impl_->merges.push_back(range);
    impl_->modified = true;
}

std::vector<Range> Sheet::mergedRanges() const { return impl_->merges; }

// ---------------------------------------------------------------------------------------------------------
// Workbook

bool Workbook::Impl::loadSharedStrings(const std::string& part)
{
    const std::string* data = pkg.find(part);
    if (!data)
        return true;
    pugi::xml_document doc;
    if (!parseXml(doc, *data))
        return false;
    for (pugi::xml_node si : childrenNamed(doc.document_element(), "si")) {
        std::string text;
        for (pugi::xml_node c = si.first_child(); c; c = c.next_sibling()) {
            std::string_view n = localName(c.name());
            if (n == "t")
                text += c.text().get();
            else if (n == "r")
                text += childNamed(c, "t").text().get();
        }
        sst.push_back(std::move(text));
    }
    return true;
}

bool Workbook::Impl::load(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        error = "missing file " + toUtf8(path);
        return false;
    }
    if (!pkg.read(toUtf8(path), &error))
        return false;
    workbookPart = "xl/workbook.xml";
    if (const std::string* rootRels = pkg.find("_rels/.rels")) {
        pugi::xml_document doc;
        if (parseXml(doc, *rootRels))
            for (pugi::xml_node rel : childrenNamed(doc.document_element(), "Relationship")) {
                std::string_view type = rel.attribute("Type").value();
                if (type.size() >= 15 && type.substr(type.size() - 15) == "/officeDocument")
                    workbookPart = resolveTarget("", rel.attribute("Target").value());
            }
    }
    const std::string* wb = pkg.find(workbookPart);
    if (!wb || !parseXml(wbDoc, *wb)) {
        error = toUtf8(path) + ": not a workbook";
        return false;
    }
    size_t slash = workbookPart.rfind('/');
    workbookDir = slash == std::string::npos ? std::string() : workbookPart.substr(0, slash + 1);
    relsPart = workbookDir + "_rels/" + workbookPart.substr(slash == std::string::npos ? 0 : slash + 1) + ".rels";
    const std::string* rels = pkg.find(relsPart);
    const std::string* ct = pkg.find("[Content_Types].xml");
    if (!rels || !parseXml(relsDoc, *rels) || !ct || !parseXml(ctDoc, *ct)) {
        error = toUtf8(path) + ": damaged workbook";
        return false;
    }
    std::map<std::string, std::pair<std::string, std::string>> targets; // id -> (type, part)
    for (pugi::xml_node rel : childrenNamed(relsDoc.document_element(), "Relationship")) {
        std::string type = rel.attribute("Type").value();
        std::string part = resolveTarget(workbookDir, rel.attribute("Target").value());
        targets[rel.attribute("Id").value()] = {type, part};
        if (type.size() >= 14 && type.substr(type.size() - 14) == "/sharedStrings" && !loadSharedStrings(part)) {
            error = toUtf8(path) + ": damaged shared strings";
            return false;
        }
    }
    for (pugi::xml_node s : sheetNodes()) {
        std::string id = attrEndingWith(s, ":id").value();
        auto it = targets.find(id);
        if (it == targets.end() || it->second.first != kRelWorksheet) {
            sheets.push_back(nullptr);
            continue;
        }
        auto impl = std::make_unique<Sheet::Impl>();
        impl->book = this;
        impl->part = it->second.second;
        impl->name = s.attribute("name").value();
        const std::string* data = pkg.find(impl->part);
        if (!data || !impl->load(*data, &error)) {
            if (error.empty())
                error = toUtf8(path) + ": missing sheet " + impl->part;
            return false;
        }
        sheets.push_back(std::unique_ptr<Sheet>(new Sheet(std::move(impl))));
    }
    if (sheets.empty() || std::none_of(sheets.begin(), sheets.end(), [](const auto& s) { return bool(s); })) {
        error = toUtf8(path) + ": workbook without sheets";
        return false;
    }
    open = true;
    return true;
}

bool Workbook::Impl::save(const QString& path)
{
    // Formulas are computed again when the file is opened.
    for (auto& sheet : sheets) {
        if (!sheet)
            continue;
        Sheet::Impl& s = *sheet->impl_;
        for (XRow& row : s.rows)
            for (XCell& cell : row.cells)
                if (!cell.formula.empty() && (cell.type != CellType::Blank || !cell.value.empty())) {
                    cell.type = CellType::Blank;
                    cell.value.clear();
                    s.modified = true;
                }
    }
    pugi::xml_node wbRoot = wbDoc.document_element();
    std::string wbPrefix = prefixOf(wbRoot);
    pugi::xml_node calcPr = ensureChild(wbRoot, "calcPr", workbookOrder(), wbPrefix);
    if (calcPr.attribute("fullCalcOnLoad"))
        calcPr.attribute("fullCalcOnLoad").set_value("1");
    else
        calcPr.append_attribute("fullCalcOnLoad") = "1";
    // The calculation chain would list cells that moved: it is dropped and rebuilt by the reader.
    for (pugi::xml_node rel : childrenNamed(relsDoc.document_element(), "Relationship")) {
        std::string_view type = rel.attribute("Type").value();
        if (type.size() >= 10 && type.substr(type.size() - 10) == "/calcChain") {
            std::string part = resolveTarget(workbookDir, rel.attribute("Target").value());
            pkg.remove(part);
            relsDoc.document_element().remove_child(rel);
            relsChanged = true;
            for (pugi::xml_node o : childrenNamed(ctDoc.document_element(), "Override"))
                if (std::string_view(o.attribute("PartName").value()) == "/" + part) {
                    ctDoc.document_element().remove_child(o);
                    ctChanged = true;
                }
        }
    }
    for (auto& sheet : sheets) {
        if (sheet && sheet->impl_->modified) {
            pkg.put(sheet->impl_->part, sheet->impl_->save());
            sheet->impl_->modified = false;
        }
    }
    pkg.put(workbookPart, serialize(wbDoc));
    if (relsChanged)
        pkg.put(relsPart, serialize(relsDoc));
    if (ctChanged)
        pkg.put("[Content_Types].xml", serialize(ctDoc));
    relsChanged = ctChanged = false;
    return pkg.write(toUtf8(path), &error);
}

Workbook::Workbook() : impl_(std::make_unique<Impl>()) {}
Workbook::~Workbook() = default;

bool Workbook::open(const QString& path)
{
    impl_ = std::make_unique<Impl>();
    if (impl_->load(path))
        return true;
    std::string error = impl_->error;
    impl_ = std::make_unique<Impl>();
    impl_->error = error;
    return false;
}

bool Workbook::save(const QString& path)
{
    if (!impl_->open) {
        impl_->error = "no workbook is open";
        return false;
    }
    impl_->error.clear();
    return impl_->save(path);
}

void Workbook::close() { impl_ = std::make_unique<Impl>(); }
bool Workbook::isOpen() const { return impl_->open; }
QString Workbook::error() const { return fromUtf8(impl_->error); }
int Workbook::sheetCount() const { return int(impl_->sheets.size()); }

Sheet& Workbook::sheet(int index)
{
    if (index < 0 || size_t(index) >= impl_->sheets.size() || !impl_->sheets[size_t(index)])
        throw std::out_of_range("no worksheet at that index");
    return *impl_->sheets[size_t(index)];
}

const Sheet& Workbook::sheet(int index) const { return const_cast<Workbook*>(this)->sheet(index); }

int Workbook::sheetIndex(const QString& name) const
{
    for (size_t i = 0; i < impl_->sheets.size(); ++i)
        if (impl_->sheets[i] && impl_->sheets[i]->name().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int Workbook::copySheet(int source, const QString& name)
{
    Sheet& src = sheet(source);
    std::string newName = toUtf8(name);
    if (name.isEmpty() || name.size() > 31 || sheetIndex(name) >= 0
        || name.contains(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]"))))
        return -1;
    Impl& b = *impl_;
    // A part name and a relationship id not used yet.
    int n = 1;
    std::string part;
    do {
        part = b.workbookDir + "worksheets/sheet" + std::to_string(n++) + ".xml";
    } while (b.pkg.contains(part)
             || std::any_of(b.sheets.begin(), b.sheets.end(), [&](const auto& s) { return s && s->impl_->part == part; }));
    std::set<std::string> ids;
    for (pugi::xml_node rel : childrenNamed(b.relsDoc.document_element(), "Relationship"))
        ids.insert(rel.attribute("Id").value());
    int idn = 1;
    std::string rid;
    do {
        rid = "rId" + std::to_string(idn++);
    } while (ids.count(rid));
    int sheetId = 0;
    for (pugi::xml_node s : b.sheetNodes())
        sheetId = std::max(sheetId, toInt(s.attribute("sheetId").value()));

    auto impl = std::make_unique<Sheet::Impl>();
    impl->copyFrom(*src.impl_);
    impl->part = part;
    impl->name = newName;
    impl->modified = true;
    // Drawings, pictures and controls belong to the source's own relationships, which are not copied.
    pugi::xml_node ws = impl->root();
    for (auto local : {"drawing", "legacyDrawing", "legacyDrawingHF", "picture", "oleObjects", "controls", "tableParts"})
        while (pugi::xml_node n = childNamed(ws, local))
            ws.remove_child(n);
    if (pugi::xml_node ps = childNamed(ws, "pageSetup"))
        if (pugi::xml_attribute a = attrEndingWith(ps, ":id"))
            ps.remove_attribute(a);
    if (pugi::xml_node views = childNamed(ws, "sheetViews"))
        for (pugi::xml_node v : childrenNamed(views, "sheetView"))
            v.remove_attribute("tabSelected");
    for (XRow& row : impl->rows)
        for (XCell& cell : row.cells)
            if (!cell.formula.empty())
                cell.formula = RenameSheetInFormula(cell.formula, src.impl_->name, newName);

    pugi::xml_node rel = b.relsDoc.document_element().append_child(
        (prefixOf(b.relsDoc.document_element()) + "Relationship").c_str());
    rel.append_attribute("Id") = rid.c_str();
    rel.append_attribute("Type") = kRelWorksheet;
    std::string target = part.substr(b.workbookDir.size());
    rel.append_attribute("Target") = target.c_str();
    b.relsChanged = true;
    pugi::xml_node ov = b.ctDoc.document_element().append_child((prefixOf(b.ctDoc.document_element()) + "Override").c_str());
    ov.append_attribute("PartName") = ("/" + part).c_str();
    ov.append_attribute("ContentType") = kContentWorksheet;
    b.ctChanged = true;

    pugi::xml_node sheetsNode = b.sheetsNode();
    pugi::xml_node srcNode = b.sheetNodes()[size_t(source)];
    pugi::xml_node node = sheetsNode.append_child(srcNode.name());
    node.append_attribute("name") = newName.c_str();
    node.append_attribute("sheetId") = sheetId + 1;
    std::string idAttr = attrEndingWith(srcNode, ":id").name();
    node.append_attribute(idAttr.c_str()) = rid.c_str();

    int newIndex = int(b.sheets.size());
    pugi::xml_node names = childNamed(b.wbDoc.document_element(), "definedNames");
    for (pugi::xml_node dn : childrenNamed(names, "definedName")) {
        if (toInt(dn.attribute("localSheetId").value(), -1) != source)
            continue;
        pugi::xml_node copy = names.append_copy(dn);
        copy.attribute("localSheetId").set_value(newIndex);
        std::string text = RenameSheetInFormula(dn.text().get(), src.impl_->name, newName);
        copy.text().set(text.c_str());
    }
    b.sheets.push_back(std::unique_ptr<Sheet>(new Sheet(std::move(impl))));
    return newIndex;
}

int Workbook::activeSheet() const
{
    pugi::xml_node view = childNamed(childNamed(impl_->wbDoc.document_element(), "bookViews"), "workbookView");
    return toInt(view.attribute("activeTab").value(), 0);
}

void Workbook::setActiveSheet(int index)
{
    if (index < 0 || size_t(index) >= impl_->sheets.size())
        return;
    pugi::xml_node wbRoot = impl_->wbDoc.document_element();
    std::string p = prefixOf(wbRoot);
    pugi::xml_node views = ensureChild(wbRoot, "bookViews", workbookOrder(), p);
    pugi::xml_node view = childNamed(views, "workbookView");
    if (!view)
        view = views.append_child((p + "workbookView").c_str());
    if (!view.attribute("activeTab"))
        view.append_attribute("activeTab");
    view.attribute("activeTab").set_value(index);
    if (pugi::xml_attribute first = view.attribute("firstSheet"); first && toInt(first.value()) > index)
        first.set_value(index);
    for (size_t i = 0; i < impl_->sheets.size(); ++i) {
        if (!impl_->sheets[i])
            continue;
        Sheet::Impl& s = *impl_->sheets[i]->impl_;
        pugi::xml_node sv = childNamed(childNamed(s.root(), "sheetViews"), "sheetView");
        if (!sv)
            continue;
        bool selected = int(i) == index;
        bool was = toInt(sv.attribute("tabSelected").value()) == 1;
        if (selected == was)
            continue;
        if (selected) {
            if (!sv.attribute("tabSelected"))
                sv.append_attribute("tabSelected");
            sv.attribute("tabSelected").set_value(1);
        } else {
            sv.remove_attribute("tabSelected");
        }
        s.modified = true;
    }
}

QString Workbook::definedName(const QString& name, int localSheet) const
{
    pugi::xml_node names = childNamed(impl_->wbDoc.document_element(), "definedNames");
    for (pugi::xml_node dn : childrenNamed(names, "definedName")) {
        if (toInt(dn.attribute("localSheetId").value(), -1) != localSheet)
            continue;
        if (QString::fromUtf8(dn.attribute("name").value()).compare(name, Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(dn.text().get());
    }
    return {};
}

void Workbook::setDefinedName(const QString& name, int localSheet, const QString& formula)
{
    pugi::xml_node wbRoot = impl_->wbDoc.document_element();
    std::string p = prefixOf(wbRoot);
    pugi::xml_node names = ensureChild(wbRoot, "definedNames", workbookOrder(), p);
    std::string text = toUtf8(formula);
    for (pugi::xml_node dn : childrenNamed(names, "definedName")) {
        if (toInt(dn.attribute("localSheetId").value(), -1) == localSheet
            && QString::fromUtf8(dn.attribute("name").value()).compare(name, Qt::CaseInsensitive) == 0) {
            dn.text().set(text.c_str());
            return;
        }
    }
    pugi::xml_node dn = names.append_child((p + "definedName").c_str());
    dn.append_attribute("name") = toUtf8(name).c_str();
    if (localSheet >= 0)
        dn.append_attribute("localSheetId") = localSheet;
    dn.text().set(text.c_str());
}

} // namespace lirma::workbook

#include "generator.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace gen {

std::string col(int c0)
{
    std::string out;
    int c = c0 + 1;
    while (c > 0) {
        out.insert(out.begin(), char('A' + (c - 1) % 26));
        c = (c - 1) / 26;
    }
    return out;
}

std::string cell(int r0, int c0) { return col(c0) + std::to_string(r0 + 1); }

Book::Book(const std::string& path) : wb_(workbook_new(path.c_str()))
{
    if (!wb_)
        throw std::runtime_error("cannot create " + path);
    static char title[] = "Model de lista";
    static char author[] = "Compartimentul de impozite si taxe locale";
    static char company[] = "Primaria";
    lxw_doc_properties props = {};
    props.title = title;
    props.author = author;
    props.company = company;
    workbook_set_properties(wb_, &props);
}

Book::~Book() = default;

lxw_worksheet* Book::sheet(const std::string& name) { return workbook_add_worksheet(wb_, name.c_str()); }

bool Book::close() { return workbook_close(wb_) == LXW_NO_ERROR; }

lxw_format* Book::f(const std::string& name)
{
    auto it = formats_.find(name);
    if (it != formats_.end())
        return it->second;
    lxw_format* x = workbook_add_format(wb_);
    format_set_font_name(x, "Arial");
    format_set_font_size(x, 10);
    auto box = [&] {
        format_set_border(x, LXW_BORDER_THIN);
        format_set_font_size(x, 9);
        format_set_align(x, LXW_ALIGN_VERTICAL_CENTER);
    };
    if (name == "title") {
        format_set_bold(x);
        format_set_font_size(x, 13);
        format_set_align(x, LXW_ALIGN_CENTER);
        format_set_align(x, LXW_ALIGN_VERTICAL_CENTER);
    } else if (name == "subtitle") {
        format_set_bold(x);
        format_set_align(x, LXW_ALIGN_CENTER);
    } else if (name == "center") {
        format_set_align(x, LXW_ALIGN_CENTER);
    } else if (name == "bold") {
        format_set_bold(x);
    } else if (name == "boldright") {
        format_set_bold(x);
        format_set_align(x, LXW_ALIGN_RIGHT);
    } else if (name == "right") {
        format_set_align(x, LXW_ALIGN_RIGHT);
    } else if (name == "wrap") {
        format_set_text_wrap(x);
        format_set_align(x, LXW_ALIGN_VERTICAL_TOP);
        format_set_align(x, LXW_ALIGN_JUSTIFY);
    } else if (name == "small") {
        format_set_font_size(x, 8);
        format_set_italic(x);
    } else if (name == "head") {
        box();
        format_set_bold(x);
        format_set_text_wrap(x);
        format_set_align(x, LXW_ALIGN_CENTER);
        format_set_pattern(x, LXW_PATTERN_SOLID);
        format_set_bg_color(x, 0xD9D9D9);
    } else if (name == "cell") {
        box();
    } else if (name == "cellwrap") {
        box();
        format_set_text_wrap(x);
    } else if (name == "cellc") {
        box();
        format_set_align(x, LXW_ALIGN_CENTER);
    } else if (name == "int") {
        box();
        format_set_num_format(x, "0");
    } else if (name == "area4") {
        box();
        format_set_num_format(x, "0.0000");
    } else if (name == "area2") {
        box();
        format_set_num_format(x, "0.00");
    } else if (name == "date") {
        box();
        format_set_align(x, LXW_ALIGN_CENTER);
        format_set_num_format(x, "dd.mm.yyyy");
    } else if (name == "pct") {
        box();
        format_set_num_format(x, "0.00%");
    } else if (name.rfind("tot", 0) == 0) {
        box();
        format_set_bold(x);
        format_set_pattern(x, LXW_PATTERN_SOLID);
        format_set_bg_color(x, 0xF2F2F2);
        format_set_top(x, LXW_BORDER_MEDIUM);
        format_set_bottom(x, LXW_BORDER_MEDIUM);
        if (name == "totint")
            format_set_num_format(x, "0");
        else if (name == "totarea4")
            format_set_num_format(x, "0.0000");
        else if (name == "totarea2")
            format_set_num_format(x, "0.00");
        else if (name == "totpct")
            format_set_num_format(x, "0.00%");
        else if (name == "totlabel")
            format_set_align(x, LXW_ALIGN_RIGHT);
        else if (name.rfind("totcount:", 0) == 0)
            format_set_num_format(x, name.substr(9).c_str());
    } else if (name == "dbf") {
        format_set_font_size(x, 7);
        format_set_italic(x);
        format_set_font_color(x, 0x808080);
    } else if (name != "text") {
        throw std::runtime_error("unknown format " + name);
    }
    formats_[name] = x;
    return x;
}

void merge(Book& b, lxw_worksheet* ws, int r1, int c1, int r2, int c2, const std::string& text, const std::string& fmt)
{
    if (r1 == r2 && c1 == c2)
        worksheet_write_string(ws, lxw_row_t(r1), lxw_col_t(c1), text.c_str(), b.f(fmt));
    else
        worksheet_merge_range(ws, lxw_row_t(r1), lxw_col_t(c1), lxw_row_t(r2), lxw_col_t(c2), text.c_str(), b.f(fmt));
}

void pageSetup(lxw_worksheet* ws, bool landscape, int repeatFirst, int repeatLast, int lastRow, int lastCol)
{
    // Registers with dozens of columns go on A3, as offices print them.
    worksheet_set_paper(ws, lastCol >= 24 ? 8 : 9);
    if (landscape)
        worksheet_set_landscape(ws);
    worksheet_set_margins(ws, 0.4, 0.4, 0.5, 0.6);
    worksheet_set_footer(ws, "&C&8Pagina &P din &N");
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_center_horizontally(ws);
    if (repeatFirst >= 0)
        worksheet_repeat_rows(ws, lxw_row_t(repeatFirst), lxw_row_t(repeatLast));
    worksheet_print_area(ws, 0, 0, lxw_row_t(lastRow), lxw_col_t(lastCol));
}

namespace {

const char* formatOf(Kind k)
{
    switch (k) {
    case Kind::Center: return "cellc";
    case Kind::Int: return "int";
    case Kind::Area4: return "area4";
    case Kind::Area2: return "area2";
    case Kind::Date: return "date";
    case Kind::Percent: return "pct";
    default: return "cell";
    }
}

const char* totalFormatOf(Kind k)
{
    switch (k) {
    case Kind::Area4: return "totarea4";
    case Kind::Area2: return "totarea2";
    case Kind::Percent: return "totpct";
    default: return "totint";
    }
}

// "{#X}" -> the cell of the column holding #X on row r (0-based); "{#X*}" -> that column from the last
// header row to the data row, a range that grows with the rows filled.
std::string expand(const std::string& formula, const std::vector<Col>& cols, int r, int headerLast = 0, int dataRow = 0)
{
    std::string out;
    size_t i = 0;
    while (i < formula.size()) {
        if (formula[i] == '{') {
            size_t j = formula.find('}', i);
            std::string key = formula.substr(i + 1, j - i - 1);
            bool range = !key.empty() && key.back() == '*';
            if (range)
                key.pop_back();
            int found = -1;
            for (size_t c = 0; c < cols.size(); ++c)
                if (cols[c].marker == key || cols[c].head == key)
                    found = int(c);
            if (found < 0)
                throw std::runtime_error("formula names unknown column " + key);
            out += range ? cell(headerLast, found) + ":" + cell(dataRow, found) : cell(r, found);
            i = j + 1;
        } else {
            out += formula[i++];
        }
    }
    return out;
}

} // namespace

Layout list(Book& book, const ListSpec& def)
{
    lxw_worksheet* ws = book.sheet(def.sheet);
    return listOn(book, ws, def, 0);
}

Layout listOn(Book& b, lxw_worksheet* ws, const ListSpec& def, int row)
{
    const int n = int(def.cols.size());
    for (int c = 0; c < n; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), def.cols[size_t(c)].width, nullptr);
    if (def.dbf)
        worksheet_set_column(ws, lxw_col_t(n), lxw_col_t(n), 5, nullptr);
    for (const auto& t : def.top)
        merge(b, ws, row, 0, row, std::min(n - 1, 3), t, "bold"), ++row;
    if (!def.top.empty())
        ++row;
    if (!def.title.empty()) {
        merge(b, ws, row, 0, row, n - 1, def.title, "title");
        worksheet_set_row(ws, lxw_row_t(row), 20, nullptr);
        ++row;
    }
    for (const auto& s : def.subtitles)
        merge(b, ws, row, 0, row, n - 1, s, "subtitle"), ++row;
    for (const auto& l : def.labels) {
        int labelCol = n > 4 ? 1 : 0;
        if (!l.label.empty())
            worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(labelCol), l.label.c_str(), b.f("boldright"));
        merge(b, ws, row, labelCol + 1, row, std::min(n - 1, labelCol + 3), l.value, l.bold ? "bold" : "text");
        ++row;
    }
    ++row;

    bool hasBand = false;
    bool hasGroup = false;
    for (const auto& c : def.cols) {
        hasBand = hasBand || !c.band.empty();
        hasGroup = hasGroup || !c.group.empty();
    }
    const int levels = hasBand ? 3 : (hasGroup ? 2 : 1);
    Layout out;
    out.headerFirst = row;
    out.headerLast = row + levels - 1;
    // Runs of equal labels on one level, merged.
    auto runs = [&](int level, auto label, int r1, int r2) {
        int c = 0;
        while (c < n) {
            std::string l = label(def.cols[size_t(c)]);
            int e = c;
            while (e + 1 < n && !l.empty() && label(def.cols[size_t(e + 1)]) == l)
                ++e;
            if (!l.empty())
                merge(b, ws, r1, c, r2, e, l, "head");
            c = e + 1;
        }
        (void)level;
    };
    if (levels == 1) {
        for (int c = 0; c < n; ++c)
            merge(b, ws, row, c, row, c, def.cols[size_t(c)].head, "head");
    } else if (levels == 2) {
        runs(0, [](const Col& c) { return c.group; }, row, row);
        for (int c = 0; c < n; ++c) {
            const Col& x = def.cols[size_t(c)];
            if (x.group.empty())
                merge(b, ws, row, c, row + 1, c, x.head, "head");
            else
                merge(b, ws, row + 1, c, row + 1, c, x.head, "head");
        }
    } else {
        runs(0, [](const Col& c) { return c.band; }, row, row);
        // Groups of columns without a band take two rows.
        int c = 0;
        while (c < n) {
            const Col& x = def.cols[size_t(c)];
            int e = c;
            while (e + 1 < n && !x.group.empty() && def.cols[size_t(e + 1)].group == x.group
                   && def.cols[size_t(e + 1)].band == x.band)
                ++e;
            if (!x.group.empty())
                merge(b, ws, x.band.empty() ? row : row + 1, c, row + 1, e, x.group, "head");
            c = e + 1;
        }
        for (int k = 0; k < n; ++k) {
            const Col& y = def.cols[size_t(k)];
            int top = !y.group.empty() ? row + 2 : (y.band.empty() ? row : row + 1);
            merge(b, ws, top, k, row + 2, k, y.head, "head");
        }
    }
    for (int r = row; r < row + levels; ++r)
        worksheet_set_row(ws, lxw_row_t(r), levels == 1 ? 30 : 24, nullptr);
    row += levels;

    out.dataRow = row;
    for (int c = 0; c < n; ++c) {
        const Col& x = def.cols[size_t(c)];
        if (x.kind == Kind::Formula)
            worksheet_write_formula(ws, lxw_row_t(row), lxw_col_t(c), expand(x.formula, def.cols, row).c_str(),
                                    b.f(formatOf(x.formulaKind)));
        else if (!x.marker.empty())
            worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(c), x.marker.c_str(), b.f(formatOf(x.kind)));
        else
            worksheet_write_blank(ws, lxw_row_t(row), lxw_col_t(c), b.f(formatOf(x.kind)));
    }
    if (def.dbf)
        worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(n), "#DBF", b.f("dbf"));
    ++row;

    if (def.total) {
        out.totalRow = row;
        int firstTotal = n;
        for (int c = 0; c < n; ++c)
            if (def.cols[size_t(c)].total) {
                firstTotal = c;
                break;
            }
        if (firstTotal > 0)
            merge(b, ws, row, 0, row, firstTotal - 1, def.totalLabel, "totlabel");
        for (int c = firstTotal; c < n; ++c) {
            const Col& x = def.cols[size_t(c)];
            Kind k = x.kind == Kind::Formula ? x.formulaKind : x.kind;
            std::string range = col(c) + std::to_string(out.headerLast + 1) + ":" + col(c) + std::to_string(out.dataRow + 1);
            if (x.total == 'S')
                worksheet_write_formula(ws, lxw_row_t(row), lxw_col_t(c), ("=SUM(" + range + ")").c_str(), b.f(totalFormatOf(k)));
            else if (x.total == 'N')
                worksheet_write_formula(ws, lxw_row_t(row), lxw_col_t(c), ("=ROWS(" + range + ")-1").c_str(),
                                        b.f(x.countFormat.empty() ? "totint" : "totcount:" + x.countFormat));
            else if (x.total == 'F')
                worksheet_write_formula(ws, lxw_row_t(row), lxw_col_t(c),
                                    expand(x.totalFormula, def.cols, row, out.headerLast, out.dataRow).c_str(),
                                        b.f(totalFormatOf(k)));
            else
                worksheet_write_blank(ws, lxw_row_t(row), lxw_col_t(c), b.f("tot"));
        }
        ++row;
    }
    if (!def.footer.empty()) {
        ++row;
        for (const auto& f : def.footer) {
            // "Left|Right" puts the two signatures apart.
            size_t bar = f.find('|');
            if (bar == std::string::npos) {
                worksheet_write_string(ws, lxw_row_t(row), 1, f.c_str(), b.f("bold"));
            } else {
                worksheet_write_string(ws, lxw_row_t(row), 1, f.substr(0, bar).c_str(), b.f("bold"));
                worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(std::max(2, n * 2 / 3)), f.substr(bar + 1).c_str(), b.f("bold"));
            }
            ++row;
        }
    }
    out.lastRow = row - 1;
    pageSetup(ws, def.landscape, out.headerFirst, out.headerLast, out.lastRow, n - 1);
    return out;
}

} // namespace gen

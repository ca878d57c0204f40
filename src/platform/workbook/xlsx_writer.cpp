#include "platform/workbook/xlsx_writer.h"

#include "platform/base/dates.h"
#include "platform/base/decimal.h"

#include <xlsxwriter.h>

#include <charconv>
#include <map>
#include <unordered_map>
#include <vector>

namespace lirma::workbook {

namespace {

QString styleKey(const CellStyle& s)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|%10|%11")
        .arg(s.font)
        .arg(s.size)
        .arg(int(s.bold))
        .arg(int(s.italic))
        .arg(int(s.align))
        .arg(int(s.valign))
        .arg(int(s.wrap))
        .arg(s.borders)
        .arg(int(s.mediumBorders))
        .arg(s.numberFormat)
        .arg(s.background);
}

uint64_t cellKey(int row, int column) { return (uint64_t(uint32_t(row)) << 16) | uint32_t(column); }

} // namespace

struct XlsxWriter::Impl {
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    std::vector<lxw_worksheet*> sheets;
    std::vector<std::vector<lxw_row_t>> breaks; // per sheet, 0-based rows, ended by 0 when written
    std::vector<std::unordered_map<uint64_t, double>> numbers;
    std::map<QString, lxw_format*> formats;
    QString error;
    bool closed = false;

    lxw_format* format(const CellStyle& s)
    {
        QString key = styleKey(s);
        auto it = formats.find(key);
        if (it != formats.end())
            return it->second;
        lxw_format* f = workbook_add_format(book);
        QByteArray font = s.font.toUtf8();
        format_set_font_name(f, font.constData());
        format_set_font_size(f, s.size);
        if (s.bold)
            format_set_bold(f);
        if (s.italic)
            format_set_italic(f);
        switch (s.align) {
        case CellStyle::Align::Left: format_set_align(f, LXW_ALIGN_LEFT); break;
        case CellStyle::Align::Center: format_set_align(f, LXW_ALIGN_CENTER); break;
        case CellStyle::Align::Right: format_set_align(f, LXW_ALIGN_RIGHT); break;
        case CellStyle::Align::General: break;
        }
        switch (s.valign) {
        case CellStyle::VAlign::Center: format_set_align(f, LXW_ALIGN_VERTICAL_CENTER); break;
        case CellStyle::VAlign::Top: format_set_align(f, LXW_ALIGN_VERTICAL_TOP); break;
        case CellStyle::VAlign::Bottom: break;
        }
        if (s.wrap)
            format_set_text_wrap(f);
        uint8_t line = s.mediumBorders ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN;
        if (s.borders & BorderLeft)
            format_set_left(f, line);
        if (s.borders & BorderRight)
            format_set_right(f, line);
        if (s.borders & BorderTop)
            format_set_top(f, line);
        if (s.borders & BorderBottom)
            format_set_bottom(f, line);
        if (!s.numberFormat.isEmpty()) {
            QByteArray nf = s.numberFormat.toUtf8();
            format_set_num_format(f, nf.constData());
        }
        if (s.background) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, s.background);
        }
        formats.emplace(key, f);
        return f;
    }

    bool ready()
    {
        if (closed || !book)
            return false;
        if (!sheet)
            addSheet({});
        return sheet != nullptr;
    }

    void addSheet(const QString& name)
    {
        QByteArray n = name.toUtf8();
        sheet = workbook_add_worksheet(book, name.isEmpty() ? nullptr : n.constData());
        if (!sheet) {
            error = QStringLiteral("invalid sheet name: ") + name;
            return;
        }
        sheets.push_back(sheet);
        breaks.emplace_back();
        numbers.emplace_back();
    }

    void note(lxw_error e)
    {
        if (e != LXW_NO_ERROR && error.isEmpty())
            error = QString::fromUtf8(lxw_strerror(e));
    }

    void remember(int row, int column, double value) { numbers.back()[cellKey(row, column)] = value; }
};

XlsxWriter::XlsxWriter(const QString& path) : impl_(std::make_unique<Impl>())
{
    QByteArray p = path.toUtf8();
    impl_->book = workbook_new(p.constData());
    if (!impl_->book)
        impl_->error = QStringLiteral("cannot create ") + path;
}

XlsxWriter::~XlsxWriter()
{
    if (!impl_->closed && impl_->book)
        close();
}

void XlsxWriter::addSheet(const QString& name)
{
    if (!impl_->closed && impl_->book)
        impl_->addSheet(name);
}

int XlsxWriter::sheetCount() const { return int(impl_->sheets.size()); }

void XlsxWriter::setMargins(double left, double right, double top, double bottom)
{
    if (impl_->ready())
        worksheet_set_margins(impl_->sheet, left, right, top, bottom);
}

void XlsxWriter::setHeaderFooter(const QString& header, const QString& footer)
{
    if (!impl_->ready())
        return;
    QByteArray h = header.toUtf8();
    QByteArray f = footer.toUtf8();
    impl_->note(worksheet_set_header(impl_->sheet, h.constData()));
    impl_->note(worksheet_set_footer(impl_->sheet, f.constData()));
}

void XlsxWriter::setLandscape(bool landscape)
{
    if (!impl_->ready())
        return;
    if (landscape)
        worksheet_set_landscape(impl_->sheet);
    else
        worksheet_set_portrait(impl_->sheet);
}

void XlsxWriter::setPaperA4()
{
    if (impl_->ready())
        worksheet_set_paper(impl_->sheet, 9);
}

void XlsxWriter::fitToPageWidth()
{
    if (impl_->ready())
        worksheet_fit_to_pages(impl_->sheet, 1, 0);
}

void XlsxWriter::repeatRows(int first, int last)
{
    if (impl_->ready())
        impl_->note(worksheet_repeat_rows(impl_->sheet, lxw_row_t(first - 1), lxw_row_t(last - 1)));
}

void XlsxWriter::setPrintArea(const Range& range)
{
    if (impl_->ready())
        impl_->note(worksheet_print_area(impl_->sheet, lxw_row_t(range.firstRow - 1), lxw_col_t(range.firstColumn - 1),
                                         lxw_row_t(range.lastRow - 1), lxw_col_t(range.lastColumn - 1)));
}

void XlsxWriter::pageBreakBefore(int row)
{
    if (impl_->ready() && row > 1)
        impl_->breaks.back().push_back(lxw_row_t(row - 1));
}

void XlsxWriter::setColumnWidth(int column, double width) { setColumnWidths(column, column, width); }

void XlsxWriter::setColumnWidths(int first, int last, double width)
{
    if (impl_->ready())
        impl_->note(worksheet_set_column(impl_->sheet, lxw_col_t(first - 1), lxw_col_t(last - 1), width, nullptr));
}

void XlsxWriter::setRowHeight(int row, double points)
{
    if (impl_->ready())
        impl_->note(worksheet_set_row(impl_->sheet, lxw_row_t(row - 1), points, nullptr));
}

void XlsxWriter::writeText(int row, int column, const QString& text, const CellStyle& style)
{
    if (!impl_->ready())
        return;
    QByteArray t = text.toUtf8();
    impl_->note(worksheet_write_string(impl_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), t.constData(),
                                       impl_->format(style)));
}

void XlsxWriter::writeNumber(int row, int column, double value, const CellStyle& style)
{
    if (!impl_->ready())
        return;
    impl_->note(worksheet_write_number(impl_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), value,
                                       impl_->format(style)));
    impl_->remember(row, column, value);
}

void XlsxWriter::writeInteger(int row, int column, int64_t value, const CellStyle& style)
{
    writeNumber(row, column, double(value), style);
}

void XlsxWriter::writeDecimal(int row, int column, const base::Decimal& value, const CellStyle& style)
{
    std::string text = value.toString();
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    writeNumber(row, column, d, style);
}

void XlsxWriter::writeDate(int row, int column, const QDate& date, const CellStyle& style)
{
    CellStyle s = style;
    if (s.numberFormat.isEmpty())
        s.numberFormat = QStringLiteral("dd.mm.yyyy");
    if (!date.isValid()) {
        writeBlank(row, column, s);
        return;
    }
    writeNumber(row, column, double(base::DayNumber(date)), s);
}

void XlsxWriter::writeBlank(int row, int column, const CellStyle& style)
{
    if (impl_->ready())
        impl_->note(worksheet_write_blank(impl_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), impl_->format(style)));
}

void XlsxWriter::writeFormula(int row, int column, const QString& formula, double value, const CellStyle& style)
{
    if (!impl_->ready())
        return;
    QString f = formula.startsWith(QLatin1Char('=')) ? formula : QLatin1Char('=') + formula;
    QByteArray t = f.toUtf8();
    impl_->note(worksheet_write_formula_num(impl_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), t.constData(),
                                            impl_->format(style), value));
    impl_->remember(row, column, value);
}

void XlsxWriter::writeSum(int row, int column, const Range& range, const CellStyle& style)
{
    double sum = 0;
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c)
            sum += numberAt(r, c);
    writeFormula(row, column, QStringLiteral("SUM(%1)").arg(QString::fromStdString(RangeName(range))), sum, style);
}

void XlsxWriter::merge(const Range& range, const QString& text, const CellStyle& style)
{
    if (!impl_->ready())
        return;
    QByteArray t = text.toUtf8();
    impl_->note(worksheet_merge_range(impl_->sheet, lxw_row_t(range.firstRow - 1), lxw_col_t(range.firstColumn - 1),
                                      lxw_row_t(range.lastRow - 1), lxw_col_t(range.lastColumn - 1), t.constData(),
                                      impl_->format(style)));
}

double XlsxWriter::numberAt(int row, int column) const
{
    if (impl_->numbers.empty())
        return 0;
    auto& map = impl_->numbers.back();
    auto it = map.find(cellKey(row, column));
    return it == map.end() ? 0 : it->second;
}

bool XlsxWriter::close()
{
    if (impl_->closed)
        return impl_->error.isEmpty();
    if (!impl_->book)
        return false;
    if (!impl_->sheet)
        impl_->addSheet({});
    for (size_t i = 0; i < impl_->sheets.size(); ++i) {
        auto& b = impl_->breaks[i];
        if (b.empty())
            continue;
        b.push_back(0);
        impl_->note(worksheet_set_h_pagebreaks(impl_->sheets[i], b.data()));
    }
    impl_->closed = true;
    lxw_error e = workbook_close(impl_->book);
    impl_->book = nullptr;
    if (e != LXW_NO_ERROR)
        impl_->error = QString::fromUtf8(lxw_strerror(e));
    return impl_->error.isEmpty();
}

QString XlsxWriter::error() const { return impl_->error; }

} // namespace lirma::workbook

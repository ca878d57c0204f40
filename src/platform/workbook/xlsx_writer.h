// Workbooks written cell by cell (lists without a template). Every formula is written together with its
// value, because LibreOffice shows the stored value of a formula instead of computing it on load.
// Rows and columns count from 1.
#pragma once

#include "platform/workbook/cell_ref.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <memory>

namespace lirma::base {
class Decimal;
}

namespace lirma::workbook {

enum Border : int { BorderLeft = 1, BorderRight = 2, BorderTop = 4, BorderBottom = 8, BorderAll = 15 };

// The look of one cell.
struct CellStyle {
    enum class Align { General, Left, Center, Right };
    enum class VAlign { Bottom, Center, Top };

    QString font = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool italic = false;
    Align align = Align::General;
    VAlign valign = VAlign::Bottom;
    bool wrap = false;
    int borders = 0;          // a mask of Border, thin lines
    bool mediumBorders = false;
    QString numberFormat;     // "" general; "0", "#,##0", "0.0000", "dd.mm.yyyy"
    uint32_t background = 0;  // 0xRRGGBB, 0 for none

    // Small helpers for the usual variants.
    CellStyle withBold(bool on = true) const { CellStyle s = *this; s.bold = on; return s; }
    CellStyle withSize(double points) const { CellStyle s = *this; s.size = points; return s; }
    CellStyle withBorders(int mask) const { CellStyle s = *this; s.borders = mask; return s; }
    CellStyle withAlign(Align a) const { CellStyle s = *this; s.align = a; return s; }
    CellStyle withFormat(const QString& f) const { CellStyle s = *this; s.numberFormat = f; return s; }
    CellStyle withWrap(bool on = true) const { CellStyle s = *this; s.wrap = on; return s; }
};

class XlsxWriter {
public:
    // Nothing is written before close().
    explicit XlsxWriter(const QString& path);
    ~XlsxWriter();
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    // Starts a new sheet, which the calls below write to; the first sheet is added by the first write
    // when this was never called. An empty name gives "Sheet" + n.
    void addSheet(const QString& name = {});
    int sheetCount() const;

    // Page setup of the current sheet. Margins in inches.
    void setMargins(double left, double right, double top, double bottom);
    void setHeaderFooter(const QString& header, const QString& footer);
    void setLandscape(bool landscape);
    void setPaperA4();
    void fitToPageWidth();
    void repeatRows(int first, int last);
    void setPrintArea(const Range& range);
    void pageBreakBefore(int row);

    void setColumnWidth(int column, double width); // in characters
    void setColumnWidths(int first, int last, double width);
    void setRowHeight(int row, double points);

    void writeText(int row, int column, const QString& text, const CellStyle& style = {});
    void writeNumber(int row, int column, double value, const CellStyle& style = {});
    void writeInteger(int row, int column, int64_t value, const CellStyle& style = {});
    void writeDecimal(int row, int column, const base::Decimal& value, const CellStyle& style = {});
    // A day number shown through the style's number format ("dd.mm.yyyy" when it has none).
    void writeDate(int row, int column, const QDate& date, const CellStyle& style = {});
    // A formatted cell without content (a bordered empty box).
    void writeBlank(int row, int column, const CellStyle& style);
    // A formula (with or without "="), stored with the given value.
    void writeFormula(int row, int column, const QString& formula, double value, const CellStyle& style = {});
    // "SUM(range)", stored with the sum of the numbers written so far in the range.
    void writeSum(int row, int column, const Range& range, const CellStyle& style = {});
    // Merges the cells and writes the text into them.
    void merge(const Range& range, const QString& text, const CellStyle& style = {});

    // The number written so far at a cell of the current sheet (0 when none).
    double numberAt(int row, int column) const;

    // Writes the file; false (see error()) when it could not be written. Further writes are ignored.
    bool close();
    QString error() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace lirma::workbook

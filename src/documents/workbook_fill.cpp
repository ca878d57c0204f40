#include "documents/workbook_fill.h"

#include "platform/base/dates.h"

namespace lirma::documents::detail {

using workbook::CellValue;

int TakeDataRow(workbook::Sheet& sheet)
{
    int found = 0;
    int foundColumn = 0;
    const QString marker = QStringLiteral("#DBF");
    sheet.forEachTextCell([&](int row, int column, const QString& text) {
        if (found == 0 && text.trimmed().compare(marker, Qt::CaseInsensitive) == 0) {
            found = row;
            foundColumn = column;
        }
    });
    if (found)
        sheet.clearCell(found, foundColumn);
    return found;
}

std::vector<MarkerCell> MarkerCells(const workbook::Sheet& sheet, int row, const XlsRows& rows,
                                    const QStringList& runningNumberMarkers)
{
    std::vector<MarkerCell> out;
    const int columns = sheet.usedColumns();
    for (int c = 1; c <= columns; ++c) {
        CellValue v = sheet.value(row, c);
        if (!v.isText() || !sheet.formula(row, c).isEmpty())
            continue;
        const QString text = v.text().trimmed().toUpper();
        if (runningNumberMarkers.contains(text)) {
            out.push_back({c, -1});
            continue;
        }
        if (!text.startsWith(QLatin1Char('#')))
            continue;
        int source = rows.column(text.mid(1));
        if (source >= 0)
            out.push_back({c, source});
    }
    return out;
}

void FillRow(workbook::Sheet& sheet, int row, const std::vector<MarkerCell>& cells, const XlsRows& rows, int record,
             const ZeroRule& zero)
{
    auto zeroValue = [&] { return zero.asEmpty || zero.text.isEmpty() ? CellValue() : CellValue::Text(zero.text); };
    for (const MarkerCell& cell : cells) {
        if (cell.source < 0) {
            sheet.setValue(row, cell.column, CellValue::Integer(record + 1));
            continue;
        }
        const storage::Value& v = rows.value(record, cell.source);
        switch (rows.kind(cell.source)) {
        case XlsRows::Kind::Text: {
            QString text = QString::fromStdString(v.toText());
            sheet.setValue(row, cell.column, text.isEmpty() ? CellValue() : CellValue::Text(text));
            break;
        }
        case XlsRows::Kind::Date: {
            qint64 day = v.isText() ? base::DayNumber(base::ParseIsoDate(QString::fromStdString(v.toText()))) : v.toInt();
            sheet.setValue(row, cell.column, day == 0 ? zeroValue() : CellValue::Integer(day));
            break;
        }
        case XlsRows::Kind::Number: {
            CellValue number;
            if (v.isInt())
                number = CellValue::Integer(v.toInt());
            else if (v.isReal())
                number = CellValue::Number(v.toReal());
            else if (v.isText())
                number = CellValue::Literal(v.toText()); // a number stored as text; anything else counts as 0
            if (!number.isNumber() || number.toDouble() == 0)
                sheet.setValue(row, cell.column, zeroValue());
            else
                sheet.setValue(row, cell.column, number);
            break;
        }
        }
    }
}

bool CellEquals(const QString& cellText, const QString& key)
{
    return cellText.trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace lirma::documents::detail

#include "documents/texpxlsole.h"

#include "documents/workbook_fill.h"
#include "documents/workbook_output.h"

#include "platform/ui/interaction.h"
#include "platform/workbook/extension.h"

namespace lirma::documents {

bool WorkbookTemplatesRegistered();

using workbook::CellValue;

TExpXLSOLE::TExpXLSOLE(const base::Folders& folders)
    : folders_(folders), book_(std::make_unique<workbook::Workbook>())
{
    WorkbookTemplatesRegistered();
}

TExpXLSOLE::~TExpXLSOLE() = default;

bool TExpXLSOLE::Open(const QString& templatePath, bool libraryOnly)
{
    (void)libraryOnly;
    book_->close();
    sheet_ = 0;
    zeroText_.clear();
    if (!RestoreTemplate(folders_, templatePath)) {
        ui::ShowMessage(QString::fromLatin1(kTemplateMissingTitle), TemplateMissingText(templatePath), ui::BtnOk,
                        ui::KindEroare);
        return false;
    }
    output_ = base::NextTempFile(folders_, QStringLiteral("XLSTmp"), QString::fromLatin1(workbook::WorkbookExtension));
    if (!book_->open(templatePath)) {
        ui::ShowMessage(QString::fromLatin1(kTemplateMissingTitle), TemplateUnreadableText(templatePath), ui::BtnOk,
                        ui::KindEroare);
        return false;
    }
    return true;
}

bool TExpXLSOLE::IsOpen() const { return book_->isOpen(); }

namespace {

// The text with the key's occurrences (all, or only the first) replaced, without regard to case.
QString replaced(QString text, const QString& key, const QString& value, bool all)
{
    int from = 0;
    while (true) {
        int at = text.indexOf(key, from, Qt::CaseInsensitive);
        if (at < 0 || key.isEmpty())
            break;
        text.replace(at, key.size(), value);
        if (!all)
            break;
        from = at + int(value.size());
    }
    return text;
}

} // namespace

void TExpXLSOLE::ReplaceAll(const QString& key, const CellValue& value)
{
    if (!IsOpen() || key.isEmpty())
        return;
    workbook::Sheet& s = sheet();
    s.forEachTextCell([&](int row, int column, const QString& text) {
        if (detail::CellEquals(text, key))
            s.setValue(row, column, value);
        else if (text.contains(key, Qt::CaseInsensitive))
            s.setValue(row, column, CellValue::Text(replaced(text, key, value.toString(), true)));
    });
}

void TExpXLSOLE::ReplaceFirstFrom(const QString& key, const CellValue& value, int row)
{
    if (!IsOpen() || key.isEmpty())
        return;
    workbook::Sheet& s = sheet();
    int foundRow = 0;
    int foundColumn = 0;
    QString foundText;
    s.forEachTextCell([&](int r, int c, const QString& text) {
        if (foundRow || r < row)
            return;
        if (text.contains(key, Qt::CaseInsensitive)) {
            foundRow = r;
            foundColumn = c;
            foundText = text;
        }
    });
    if (!foundRow)
        return;
    if (detail::CellEquals(foundText, key))
        s.setValue(foundRow, foundColumn, value);
    else
        s.setValue(foundRow, foundColumn, CellValue::Text(replaced(foundText, key, value.toString(), false)));
}

int TExpXLSOLE::UsedRows() const { return IsOpen() ? book_->sheet(sheet_).usedRows() : 0; }

void TExpXLSOLE::DeleteRows(int first, int last)
{
    if (IsOpen())
        sheet().deleteRows(first, last);
}

void TExpXLSOLE::InsertRowCopies(int row, int count)
{
    if (IsOpen() && count > 0)
        sheet().insertRowCopies(row, count);
}

void TExpXLSOLE::CopyBlock(int first, int last, int columns, int count, int at)
{
    (void)columns;
    if (IsOpen() && count > 0)
        sheet().copyRows(first, last, count, at);
}

void TExpXLSOLE::PageBreakBefore(int row)
{
    if (IsOpen())
        sheet().addPageBreakBefore(row);
}

void TExpXLSOLE::SetCell(int row, int column, const CellValue& value)
{
    if (IsOpen())
        sheet().setValue(row, column, value);
}

void TExpXLSOLE::WriteRows(const XlsRows& rows)
{
    if (!IsOpen())
        return;
    workbook::Sheet& s = sheet();
    int row = detail::TakeDataRow(s);
    if (row == 0)
        return;
    const int n = rows.rowCount();
    if (n == 0) {
        // Markers would print as they are; the row keeps its formats and formulas.
        const int columns = s.usedColumns();
        for (int c = 1; c <= columns; ++c) {
            CellValue v = s.value(row, c);
            QString t = v.isText() ? v.text().trimmed() : QString();
            if (s.formula(row, c).isEmpty() && (t.startsWith(QLatin1Char('#')) || t.compare(QStringLiteral("%NRCRT"), Qt::CaseInsensitive) == 0))
                s.clearCell(row, c);
        }
        return;
    }
    auto cells = detail::MarkerCells(s, row, rows, {QStringLiteral("%NRCRT")});
    if (n > 1)
        s.insertRowCopies(row, n - 1);
    detail::ZeroRule zero{true, {}};
    for (int i = 0; i < n; ++i)
        detail::FillRow(s, row + i, cells, rows, i, zero);
}

QString TExpXLSOLE::Finish(bool show)
{
    if (!IsOpen())
        return {};
    if (output_.isEmpty()) {
        ui::ShowMessage(QString::fromLatin1(kListNotSavedTitle), NoFreeNameText(folders_.temp), ui::BtnOk, ui::KindEroare);
        book_->close();
        return {};
    }
    bool saved = book_->save(output_);
    book_->close();
    if (!saved) {
        ui::ShowMessage(QString::fromLatin1(kListNotSavedTitle), ListNotSavedText(output_), ui::BtnOk, ui::KindEroare);
        return {};
    }
    if (show)
        OpenList(output_);
    return output_;
}

} // namespace lirma::documents

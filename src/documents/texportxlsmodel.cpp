#include "documents/texportxlsmodel.h"

#include "documents/workbook_fill.h"
#include "documents/workbook_output.h"

#include "platform/ui/interaction.h"

#include <QFileInfo>

namespace lirma::documents {

bool WorkbookTemplatesRegistered();

using workbook::CellValue;

TExportXLSModel::TExportXLSModel(const base::Folders& folders)
    : folders_(folders), book_(std::make_unique<workbook::Workbook>())
{
    WorkbookTemplatesRegistered();
}

TExportXLSModel::~TExportXLSModel() = default;

bool TExportXLSModel::Open(const QString& templatePath)
{
    book_->close();
    sheet_ = 0;
    zeroText_.clear();
    if (!RestoreTemplate(folders_, templatePath)) {
        ui::ShowMessage(QString::fromLatin1(kTemplateMissingTitle), TemplateMissingText(templatePath), ui::BtnOk,
                        ui::KindEroare);
        return false;
    }
    if (!book_->open(templatePath)) {
        ui::ShowMessage(QString::fromLatin1(kTemplateMissingTitle), TemplateUnreadableText(templatePath), ui::BtnOk,
                        ui::KindEroare);
        return false;
    }
    return true;
}

bool TExportXLSModel::IsOpen() const { return book_->isOpen(); }

void TExportXLSModel::setCells(const QString& key, const CellValue& value)
{
    if (!IsOpen())
        return;
    workbook::Sheet& s = sheet();
    s.forEachTextCell([&](int row, int column, const QString& text) {
        if (detail::CellEquals(text, key))
            s.setValue(row, column, value);
    });
}

void TExportXLSModel::SetText(const QString& key, const QString& text) { setCells(key, CellValue::Text(text)); }
void TExportXLSModel::SetNumber(const QString& key, double number) { setCells(key, CellValue::Number(number)); }
void TExportXLSModel::SetNumber(const QString& key, int64_t number) { setCells(key, CellValue::Integer(number)); }

void TExportXLSModel::WriteRows(const XlsRows& rows)
{
    if (!IsOpen())
        return;
    workbook::Sheet& s = sheet();
    int row = detail::TakeDataRow(s);
    if (row == 0)
        return;
    const int n = rows.rowCount();
    if (n == 0) {
        s.deleteRows(row, row);
        return;
    }
    auto cells = detail::MarkerCells(s, row, rows, {QStringLiteral("%NRCRT"), QStringLiteral("#NRCRT")});
    // The filled copies take the marker row's place; the marker row, last, goes.
    s.insertRowCopies(row, n);
    detail::ZeroRule zero{false, zeroText_};
    for (int i = 0; i < n; ++i)
        detail::FillRow(s, row + i, cells, rows, i, zero);
    s.deleteRows(row + n, row + n);
}

QString TExportXLSModel::Finish()
{
    if (!IsOpen())
        return {};
    QString path = NextReportPath(folders_);
    if (path.isEmpty()) {
        ui::ShowMessage(QString::fromLatin1(kListNotSavedTitle), NoFreeNameText(folders_.program), ui::BtnOk,
                        ui::KindEroare);
        book_->close();
        return {};
    }
    bool saved = book_->save(path);
    book_->close();
    if (!saved) {
        ui::ShowMessage(QString::fromLatin1(kListNotSavedTitle), ListNotSavedText(path), ui::BtnOk, ui::KindEroare);
        return {};
    }
    OpenList(path);
    return path;
}

} // namespace lirma::documents

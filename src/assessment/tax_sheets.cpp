#include "assessment/tax_sheets.h"

#include "assessment/asset_labels.h"
#include "documents/template_store.h"
#include "documents/texpxlsole.h"
#include "documents/workbook_output.h"
#include "platform/base/dates.h"
#include "platform/ui/interaction.h"
#include "platform/workbook/extension.h"

#include <QDate>
#include <QFile>

#include <functional>

namespace lirma::assessment {

using base::Decimal;
using workbook::CellValue;

namespace {

CellValue number(const Decimal& d) { return CellValue::Literal(d.toString()); }

// The embedded template copied to a work file, filled and saved; the copy is removed afterwards.
QString fillSheet(const base::Folders& folders, const QString& resource, bool show,
                  const std::function<void(documents::TExpXLSOLE&)>& write)
{
    const QString copy = base::NextTempFile(folders, resource, QString::fromLatin1(workbook::WorkbookExtension));
    if (copy.isEmpty() || !documents::ExtractTemplate(resource, QStringLiteral("MODEL"), copy)) {
        ui::ShowMessage(QString::fromLatin1(documents::kTemplateMissingTitle),
                        documents::TemplateMissingText(copy.isEmpty() ? resource : copy), ui::BtnOk, ui::KindEroare);
        return {};
    }
    documents::TExpXLSOLE x(folders);
    QString saved;
    if (x.Open(copy)) {
        write(x);
        saved = x.Finish(show);
    }
    QFile::remove(copy);
    return saved;
}

void header(documents::TExpXLSOLE& x, const SheetTaxpayer& taxpayer)
{
    x.ReplaceAll(QStringLiteral("[ROL]"), taxpayer.ROL);
    x.ReplaceAll(QStringLiteral("[LOC]"), taxpayer.SATUL);
    x.ReplaceAll(QStringLiteral("[NUME]"), taxpayer.NUMEP);
}

} // namespace

QString OutsideLandSheet(const OutsideLand& land, const SheetTaxpayer& taxpayer, const AssessmentSettings& settings,
                         const base::Folders& folders, bool show)
{
    return fillSheet(folders, QStringLiteral("CalculTE"), show, [&](documents::TExpXLSOLE& x) {
        header(x, taxpayer);
        for (int c = 1; c <= 5; ++c)
            x.ReplaceAll(QStringLiteral("[E%1]").arg(c), settings.land.outsideHeadings[c - 1]);
        // Category n in row n + 8; column x: area in 2x, rate in 2x + 1.
        for (int n = 1; n <= 11; ++n)
            for (int c = 1; c <= 5; ++c) {
                x.SetCell(n + 8, 2 * c, number(land.area[n - 1][c - 1]));
                x.SetCell(n + 8, 2 * c + 1, number(settings.land.outside[n - 1][c - 1]));
            }
    });
}

QString InsideLandSheet(const InsideLand& land, const SheetTaxpayer& taxpayer, const AssessmentSettings& settings,
                        const base::Folders& folders, bool show)
{
    return fillSheet(folders, QStringLiteral("CalculTI"), show, [&](documents::TExpXLSOLE& x) {
        header(x, taxpayer);
        for (int c = 1; c <= 6; ++c)
            x.ReplaceAll(QStringLiteral("[I%1]").arg(c), settings.land.insideHeadings[c - 1]);
        // Yards in row 9, other use r in row r + 9; column c: area in 2c, rate in 2c + 1.
        for (int c = 1; c <= 6; ++c) {
            x.SetCell(9, 2 * c, number(land.yards[c - 1]));
            x.SetCell(9, 2 * c + 1, number(settings.land.yards[c - 1]));
        }
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 6; ++c) {
                x.SetCell(r + 9, 2 * c, number(land.area[r - 1][c - 1]));
                x.SetCell(r + 9, 2 * c + 1, number(settings.land.inside[r - 1][c - 1]));
            }
    });
}

QString VehicleSheet(storage::Database& db, int64_t idgos, const SheetTaxpayer& taxpayer,
                     const AssessmentSettings& settings, const base::Folders& folders, bool show, int fiscalYear)
{
    // Vehicles entered before 1 January and not yet out of the records on that day (day numbers).
    const int64_t yearStart = base::DayNumber(QDate(fiscalYear, 1, 1));
    const storage::ResultSet vehicles =
        db.query("SELECT NrDos, TipAuto, Marca, Capacit, Tonaj FROM AutoDet WHERE IDGOS = ? AND DataIn < ? AND "
                 "(DataOut IS NULL OR DataOut < 1 OR DataOut >= ?) ORDER BY TipAuto",
                 {idgos, yearStart, yearStart});
    const storage::ResultSet rows =
        db.query("SELECT DENUM, SUMA2, CANT, UM FROM Datorii WHERE IDGOS = ? AND SUMA2 <> 0 AND GRUPA = ? ORDER BY DENUM",
                 {idgos, GroupVehicles().toStdString()});
    using Kind = documents::XlsRows::Kind;
    return fillSheet(folders, QStringLiteral("FisaCalcAuto"), show, [&](documents::TExpXLSOLE& x) {
        x.ReplaceAll(QStringLiteral("[UAT]"), settings.uat);
        x.ReplaceAll(QStringLiteral("[ANUL]"), QString::number(fiscalYear));
        x.ReplaceAll(QStringLiteral("[ROL]"), taxpayer.ROL);
        x.ReplaceAll(QStringLiteral("[NUMEP]"), taxpayer.NUMEP);
        x.WriteRows(documents::XlsRows::FromResult(vehicles, {{QStringLiteral("NrDos"), Kind::Text},
                                                              {QStringLiteral("TipAuto"), Kind::Text},
                                                              {QStringLiteral("Marca"), Kind::Text}}));
        x.WriteRows(documents::XlsRows::FromResult(rows, {{QStringLiteral("DENUM"), Kind::Text}}));
    });
}

} // namespace lirma::assessment

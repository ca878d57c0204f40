#include "assessment/building_sheet.h"

#include "assessment/building_tax_internal.h"
#include "platform/base/files.h"
#include "platform/ui/interaction.h"

#include <QSaveFile>

namespace lirma::assessment {

namespace {
const QString kSheetTitle = QStringLiteral("Fisa de calcul");
}

BuildingSheet BuildingTaxSheet(const BuildingRow& row, PersonType person, const SheetTaxpayer& taxpayer,
                               const BuildingTaxSettings& settings, int fiscalYear)
{
    BuildingSheet sheet;
    sheet.lines = {QStringLiteral("FISA DE CALCUL CLADIRE"),
                   QStringLiteral("***********************"),
                   QString(),
                   taxpayer.SATUL,
                   QStringLiteral("ROL: ") + taxpayer.ROL + QStringLiteral(" - ") + taxpayer.NUMEP,
                   QString()};
    sheet.tax = detail::EvaluateBuildingTax(row, person, settings, fiscalYear, &sheet.lines);
    return sheet;
}

QString WriteBuildingSheet(const QStringList& lines, const base::Folders& folders, QString* error)
{
    const QString path = base::NextTempFile(folders, QStringLiteral("FisCCladiri"), QStringLiteral(".txt"));
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Nu exista niciun nume liber in ") + folders.temp;
        return QString();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + "\n";
    if (file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    return path;
}

QString ShowBuildingSheet(const BuildingRow& row, PersonType person, const SheetTaxpayer& taxpayer,
                          const BuildingTaxSettings& settings, const base::Folders& folders, int fiscalYear)
{
    const BuildingSheet sheet = BuildingTaxSheet(row, person, taxpayer, settings, fiscalYear);
    QString error;
    const QString path = WriteBuildingSheet(sheet.lines, folders, &error);
    if (path.isEmpty()) {
        ui::ShowMessage(kSheetTitle, QStringLiteral("\rFisa de calcul nu poate fi scrisa!\r") + error, ui::BtnOk,
                        ui::KindEroare);
        return QString();
    }
    if (!ui::interaction().openDocument(path))
        ui::ShowMessage(kSheetTitle, QStringLiteral("\rFisa de calcul nu poate fi deschisa!\r") + path, ui::BtnOk,
                        ui::KindEroare);
    return path;
}

} // namespace lirma::assessment

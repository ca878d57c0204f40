#include "documents/simple_lists.h"

#include "documents/template_store.h"
#include "documents/texportxlsmodel.h"
#include "documents/tselsat.h"
#include "documents/workbook_output.h"

#include "platform/ui/interaction.h"
#include "platform/workbook/extension.h"

#include <QFile>


namespace lirma::documents {

namespace {

const QString kModel = QStringLiteral("MODEL");

// The embedded template written to a work file of the temporary folder; "" when that failed (the user
// is told, naming the file).
QString templateCopy(const base::Folders& folders, const QString& resource, const QString& workName)
{
    QString path = base::NextTempFile(folders, workName, QString::fromLatin1(workbook::WorkbookExtension));
    if (path.isEmpty() || !ExtractTemplate(resource, kModel, path)) {
        ui::ShowMessage(QString::fromLatin1(kTemplateMissingTitle),
                        TemplateMissingText(path.isEmpty() ? resource : path), ui::BtnOk, ui::KindEroare);
        return {};
    }
    return path;
}

QString fill(const base::Folders& folders, const QString& copy, const std::function<void(TExportXLSModel&)>& write)
{
    TExportXLSModel x(folders);
    QString saved;
    if (x.Open(copy)) {
        write(x);
        saved = x.Finish();
    }
    QFile::remove(copy);
    return saved;
}

} // namespace

QString ListaPersoane(storage::Database& db, const base::Folders& folders, PersonType type)
{
    const bool natural = type == PersonType::Fizica;
    auto rows = db.query("SELECT * FROM Gospodar WHERE TIP = ? ORDER BY NUMEP",
                         {natural ? std::string("FIZICA") : std::string("JURIDICA")});
    QString copy = templateCopy(folders, QStringLiteral("ListaPers"), QStringLiteral("LisPers"));
    if (copy.isEmpty())
        return {};
    return fill(folders, copy, [&](TExportXLSModel& x) {
        x.SetText(QStringLiteral("#LISTA"),
                  QString::fromLatin1(natural ? kListaPersoaneFizice : kListaPersoaneJuridice));
        x.WriteRows(XlsRows::FromResult(rows));
    });
}

QString ListaNumarPersoane(storage::Database& db, const base::Folders& folders, const QString& villageText,
                           bool anyVillage)
{
    std::string sql = "SELECT ROL, NUMEP, CNP, RTRIM('str.' || COALESCE(STRADA, '') || ' ' || COALESCE(ADRESA, '')) "
                      "AS ADRESA, NRPERS FROM Gospodar WHERE TIP = ?";
    storage::Params params{std::string("FIZICA")};
    if (!anyVillage) {
        sql += " AND SATUL = ?";
        params.emplace_back(villageText.toStdString());
    }
    sql += " ORDER BY NUMEP";
    auto rows = db.query(sql, params);
    QString copy = templateCopy(folders, QStringLiteral("NrPers"), QStringLiteral("NrPersT"));
    if (copy.isEmpty())
        return {};
    return fill(folders, copy, [&](TExportXLSModel& x) {
        x.SetText(QStringLiteral("[LOCALIT]"), villageText);
        x.WriteRows(XlsRows::FromResult(rows, {{QStringLiteral("NRPERS"), XlsRows::Kind::Number}}));
    });
}

TSelSat& SelSatDialog()
{
    // Lives for the whole run; never destroyed at exit, when the widgets' application may be gone.
    static TSelSat* dialog = new TSelSat();
    return *dialog;
}

void FiziceCommand(storage::Database& db, const base::Folders& folders)
{
    ListaPersoane(db, folders, PersonType::Fizica);
}

void JuridiceCommand(storage::Database& db, const base::Folders& folders)
{
    ListaPersoane(db, folders, PersonType::Juridica);
}

void ListaNumarPersoaneCommand(storage::Database& db, const base::Folders& folders)
{
    TSelSat& dialog = SelSatDialog();
    if (!dialog.Ask(db, QString::fromLatin1(kListaNumarPersoaneTitle)))
        return;
    ListaNumarPersoane(db, folders, dialog.village(), dialog.anyVillage());
}

} // namespace lirma::documents

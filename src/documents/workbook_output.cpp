#include "documents/workbook_output.h"

#include "documents/template_catalog.h"
#include "documents/template_store.h"

#include "platform/office/lock_file.h"
#include "platform/ui/interaction.h"
#include "platform/workbook/extension.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lirma::documents {

QString TemplateMissingText(const QString& path)
{
    return QStringLiteral("\rNu gasesc modelul\r") + QDir::toNativeSeparators(path) + QStringLiteral("!");
}

QString TemplateUnreadableText(const QString& path)
{
    return QStringLiteral("\rModelul\r") + QDir::toNativeSeparators(path) + QStringLiteral("\rnu poate fi citit!");
}

QString NoFreeNameText(const QString& folder)
{
    return QStringLiteral("\rNu pot salva lista in\r") + QDir::toNativeSeparators(folder)
        + QStringLiteral("!\rInchideti listele deschise si reincercati.");
}

QString ListNotSavedText(const QString& path)
{
    return QStringLiteral("\rNu pot salva lista\r") + QDir::toNativeSeparators(path) + QStringLiteral("!");
}

QString ListNotOpenedText(const QString& path)
{
    return QStringLiteral("\rLista a fost salvata in\r") + QDir::toNativeSeparators(path)
        + QStringLiteral("\rdar nu am putut-o deschide.");
}

QString NextReportPath(const base::Folders& folders)
{
    for (int n = 0; n <= 100; ++n) {
        QString path = QDir(folders.program).filePath(QStringLiteral("Rap%1%2").arg(n).arg(workbook::WorkbookExtension));
        QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return path;
        if (office::IsInUse(path))
            continue;
        if (QFile::remove(path))
            return path;
    }
    return {};
}

void OpenList(const QString& path)
{
    if (!ui::interaction().openDocument(path))
        ui::ShowMessage(QString::fromLatin1(kListNotOpenedTitle), ListNotOpenedText(path), ui::BtnOk, ui::KindAtentie);
}

bool RestoreTemplate(const base::Folders& folders, const QString& path)
{
    QFileInfo info(path);
    if (info.isFile())
        return true;
    if (QDir(info.absolutePath()) == QDir(folders.data))
        if (const TemplateInfo* t = FindTemplateFile(info.fileName()); t && !t->resource.isEmpty())
            ExtractTemplate(t->resource, t->type, path);
    return QFileInfo(path).isFile();
}

} // namespace lirma::documents

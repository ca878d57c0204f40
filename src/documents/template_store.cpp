#include "documents/template_store.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// The resources live in a static library: nothing refers to them, so they must be registered by hand.
static void registerDocumentTemplates()
{
    Q_INIT_RESOURCE(rtf_templates);
    Q_INIT_RESOURCE(workbook_templates);
}

namespace lirma::documents {

namespace {

const QString kRoot = QStringLiteral(":/templates");

void registerOnce()
{
    static const bool done = (registerDocumentTemplates(), true);
    (void)done;
}

bool present(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString EmbeddedTemplatePath(const QString& resource, const QString& type)
{
    registerOnce();
    if (resource.isEmpty() || type.isEmpty())
        return {};
    for (const QFileInfo& folder : QDir(kRoot).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder.fileName().compare(type, Qt::CaseInsensitive) != 0)
            continue;
        for (const QFileInfo& file : QDir(folder.filePath()).entryInfoList(QDir::Files))
            if (file.fileName().compare(resource, Qt::CaseInsensitive) == 0)
                return file.filePath();
    }
    return {};
}

QByteArray EmbeddedTemplate(const QString& resource, const QString& type)
{
    const QString path = EmbeddedTemplatePath(resource, type);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool ExtractTemplate(const QString& resource, const QString& type, const QString& path)
{
    const QString source = EmbeddedTemplatePath(resource, type);
    if (source.isEmpty() || path.isEmpty())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    QSaveFile out(path);
    // Never write in place: the rename is what makes the new template appear whole.
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

EnsureResult EnsureTemplates(const base::Folders& folders)
{
    EnsureResult result;
    std::vector<const TemplateInfo*> missing;
    for (const TemplateInfo& t : TemplateCatalog())
        if (!t.resource.isEmpty() && !t.fileName.isEmpty() && !present(folders.dataFile(t.fileName)))
            missing.push_back(&t);
    for (const TemplateInfo* t : missing)
        for (const QString& older : t->replaces)
            if (present(folders.dataFile(older)))
                QFile::remove(folders.dataFile(older));
    for (const TemplateInfo& t : TemplateCatalog()) {
        if (t.resource.isEmpty() || t.fileName.isEmpty() || present(folders.dataFile(t.fileName)))
            continue;
        if (ExtractTemplate(t.resource, t.type, folders.dataFile(t.fileName)))
            result.written << t.fileName;
        else
            result.failed << t.fileName;
    }
    return result;
}

} // namespace lirma::documents

#include "platform/registry/registry.h"

#include <QDir>
#include <QMutex>
#include <QSettings>

#include <memory>

namespace lirma::registry {
namespace {

QMutex folderMutex;
QString folderOverride;

// Registry names ignore case; QSettings' file keys do not, so one spelling is stored.
QString storedName(const QString& name) { return name.trimmed().toUpper(); }

std::unique_ptr<QSettings> open(int editionNumber)
{
    const QString organisation = QString::fromLatin1(base::edition::Organisation);
    const QString edition = QString::number(editionNumber);
    const QString folder = Registry::storeFolder();
    if (!folder.isEmpty())
        return std::make_unique<QSettings>(QDir(folder).filePath(organisation + u'/' + edition + QStringLiteral(".conf")),
                                           QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                       organisation, edition);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       organisation, edition);
#endif
}

} // namespace

Registry::Registry(int edition) : edition_(edition) {}

QString Registry::read(const QString& name) const
{
    const auto s = open(edition_);
    if (s->status() != QSettings::NoError)
        return {};
    return s->value(storedName(name)).toString();
}

bool Registry::write(const QString& name, const QString& value)
{
    const auto s = open(edition_);
    if (s->status() != QSettings::NoError || !s->isWritable())
        return false;
    s->setValue(storedName(name), value);
    s->sync();
    return s->status() == QSettings::NoError;
}

void Registry::setStoreFolder(const QString& folder)
{
    QMutexLocker lock(&folderMutex);
    folderOverride = folder;
}

QString Registry::storeFolder()
{
    QMutexLocker lock(&folderMutex);
    return folderOverride;
}

QString ReadRegistry(const QString& name)
{
    return Registry().read(name);
}

bool WriteRegistry(const QString& name, const QString& value)
{
    return Registry().write(name, value);
}

QString ReadRegistry(const QString& name, int edition)
{
    return Registry(edition).read(name);
}

} // namespace lirma::registry

#include "platform/office/lock_file.h"

#include <QDir>
#include <QFileInfo>

namespace lirma::office {

QString LockFileOf(const QString& path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + u'#');
}

bool IsInUse(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo lock(LockFileOf(path));
    return lock.exists() || lock.isSymLink();
}

} // namespace lirma::office

#include "platform/base/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace lirma::base {

namespace {

QString join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

std::filesystem::path toPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

Qt::CaseSensitivity pathCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// True when `path` names something below `folder` (both clean and absolute), never the folder itself.
bool strictlyInside(const QString& path, const QString& folder)
{
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    return path.size() > prefix.size() && path.startsWith(prefix, pathCase());
}

bool present(const QFileInfo& info) { return info.exists() || info.isSymLink(); }

} // namespace

Folders Folders::ForProgram(const QString& program)
{
    Folders f;
    f.program = QDir::cleanPath(QFileInfo(program).absoluteFilePath());
    f.localData = join(f.program, QStringLiteral("Data"));
    f.data = f.localData;
    f.temp = join(f.program, QStringLiteral("Temp"));
    f.sqlWork = join(f.program, QStringLiteral("TmpSQL"));
    return f;
}

QString Folders::ProgramFolder()
{
    const QString home = qEnvironmentVariable("LIRMA_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QFileInfo(home).absoluteFilePath());
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
#ifdef Q_OS_LINUX
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!exe.isEmpty())
        return QFileInfo(exe).absolutePath();
#endif
    return QDir::currentPath();
}

bool Folders::createMissing() const
{
    QDir dir;
    bool ok = true;
    for (const QString& folder : {localData, temp, sqlWork})
        ok = dir.mkpath(folder) && ok;
    return ok;
}

QString Folders::dataFile(const QString& fileName) const { return join(data, fileName); }

QString NextTempFile(const Folders& folders, const QString& name, const QString& extension)
{
    for (int n = 0; n <= 100; ++n) {
        const QString path = join(folders.temp, name + QString::number(n) + extension);
        const QFileInfo info(path);
        if (!present(info))
            return path;
        if (!info.isDir() && QFile::remove(path))
            return path;
    }
    return {};
}

QString MakeWorkFolder(const Folders& folders, const QString& name)
{
    QDir dir;
    for (int n = 0; n < 50; ++n) {
        const QString path = join(folders.temp, name + QString::number(n));
        if (present(QFileInfo(path)) && !DeleteFolder(folders, path))
            continue;
        if (dir.mkpath(path) && QFileInfo(path).isDir())
            return path;
    }
    return {};
}

bool CopyFileReplacing(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(block.constData(), n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    // commit() flushes, syncs and renames over the destination, or discards the temporary file.
    if (!out.commit())
        return false;
    QFile::setPermissions(destination, in.permissions());
    return true;
}

bool MoveFile(const QString& source, const QString& destination)
{
    if (source.isEmpty() || destination.isEmpty() || !QFileInfo(source).isFile())
        return false;
    std::error_code ec;
    std::filesystem::rename(toPath(source), toPath(destination), ec);
    if (!ec)
        return true;
    if (!CopyFileReplacing(source, destination))
        return false;
    return QFile::remove(source);
}

bool DeleteFolder(const Folders& folders, const QString& path)
{
    if (path.isEmpty() || folders.program.isEmpty() || QDir::isRelativePath(path) ||
        QDir::isRelativePath(folders.program))
        return false;
    const QString target = QDir::cleanPath(path);
    const QString program = QDir::cleanPath(folders.program);
    if (!strictlyInside(target, program))
        return false;

    const QFileInfo info(target);
    if (!present(info))
        return true;
    // A link is refused: removing through it would empty whatever it points at.
    if (info.isSymLink() || !info.isDir())
        return false;
    // The real place must be inside the real program folder too (no link on the way out).
    const QString realProgram = QFileInfo(program).canonicalFilePath();
    if (realProgram.isEmpty() || !strictlyInside(info.canonicalFilePath(), realProgram))
        return false;

    // removeRecursively deletes links found inside, never what they point at.
    return QDir(target).removeRecursively() && !present(QFileInfo(target));
}

} // namespace lirma::base

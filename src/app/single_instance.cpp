#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace lirma::app {

namespace {

const QByteArray kActivate = "activate\n";
const QByteArray kDone = "ok\n";

QString canonicalFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent), folder_(canonicalFolder(programFolder))
{
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
}

QString SingleInstance::lockFileName()
{
    return QStringLiteral("Lirma.lock");
}

QString SingleInstance::serverName(const QString& programFolder)
{
    // Socket names are short; the folder's hash keeps copies in other folders apart.
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(programFolder).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("lirma-") + QString::fromLatin1(hash.left(20));
}

bool SingleInstance::acquire()
{
    if (primary_)
        return true;
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(lockFileName()));
    // No age makes a lock stale: only a lock whose process is gone is taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() == QLockFile::LockFailedError)
            return false;
        // The folder does not take a lock file (read-only): the socket alone decides.
        QLocalSocket probe;
        probe.connectToServer(serverName(folder_));
        if (probe.waitForConnected(1000))
            return false;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a copy that died would refuse the name.
    QLocalServer::removeServer(serverName(folder_));
    server_->listen(serverName(folder_));
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    primary_ = true;
    return true;
}

void SingleInstance::onConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            if (line == kActivate) {
                socket->write(kDone);
                socket->flush();
                emit activationRequested();
            }
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::activateRunning(int timeoutMs)
{
    QLocalSocket socket;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        socket.connectToServer(serverName(folder_));
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        // The running copy took its lock an instant ago and is not listening yet.
        if (deadline.hasExpired())
            return false;
        socket.abort();
        QThread::msleep(50);
    }
    socket.write(kActivate);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kDone;
}

} // namespace lirma::app

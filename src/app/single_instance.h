// One running copy per program folder. The first start takes a lock file in the program
// folder and listens on a local socket named after that folder; a later start finds the
// lock taken, asks the running copy through the socket to come forward, and ends.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace lirma::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the program folder's lock and starts listening for later starts. false when
    // another copy runs in this program folder. A lock left by a copy that died is taken over.
    bool acquire();
    bool isPrimary() const { return primary_; }

    // From a later start: asks the running copy to come forward. true when it answered.
    bool activateRunning(int timeoutMs = 5000);

    // Name of the local socket of a program folder (the same folder gives the same name).
    static QString serverName(const QString& programFolder);
    static QString lockFileName(); // "Lirma.lock"

signals:
    // A later start asked this copy to come forward.
    void activationRequested();

private:
    void onConnection();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool primary_ = false;
};

} // namespace lirma::app

#include "core/closing.h"

#include "platform/base/files.h"
#include "platform/ui/interaction.h"

#include <QDir>
#include <QFileInfo>

namespace lirma::core {

bool AutoBackupOffered(const base::Folders& folders, const QString& backupFolder)
{
    if (!folders.isLocal() || backupFolder.trimmed().isEmpty())
        return false;
    return QFileInfo(backupFolder).isDir();
}

CloseChoice AskClose(bool offerBackup)
{
    using namespace lirma::ui;
    if (offerBackup) {
        const int reply = ShowMessage(QStringLiteral("Salvare Automata"),
                                      QStringLiteral("\rDoriti sa facem o copie la datele de azi?"),
                                      BtnDa | BtnNu, KindConfirmare);
        if (reply == ReplyDa)
            return CloseChoice::CloseAndBackup;
        if (reply == ReplyNu)
            return CloseChoice::Close;
        return CloseChoice::Stay;
    }
    return AskYes(QStringLiteral("Inchidere program"),
                  QStringLiteral("\rDoriti sa inchideti programul?"))
        ? CloseChoice::Close
        : CloseChoice::Stay;
}

} // namespace lirma::core
